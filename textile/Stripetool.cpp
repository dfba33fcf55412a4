#include "textile/Stripetool.h"

#include "colour/Palette.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <cstring>

namespace {

// The piece as the window shows it: its colours, key pixels transparent.
QImage FloatingImage(const TStripePiece& piece, const TPalette& palette) {
    const TOrvaneBitmap& b = piece.Picture;
    QImage out(b.Width, b.Height, QImage::Format_ARGB32);
    if (out.isNull()) return out;
    const bool wide = b.BitsPerPixel == 24;
    for (int y = 0; y < b.Height; ++y) {
        const uint8_t* row = b.ScanLine(y);
        auto* dest = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < b.Width; ++x) {
            if (wide) {
                const uint8_t* p = row + 3 * x;
                const uint32_t value = MakeColorRef(p[2], p[1], p[0]);
                dest[x] = value == piece.Key ? 0 : qRgb(p[2], p[1], p[0]);
            } else {
                const TColorData& c = palette[row[x]];
                dest[x] = row[x] == 0 ? 0 : qRgb(c.Red(), c.Green(), c.Blue());
            }
        }
    }
    return out;
}

} // namespace

TStripeTool::~TStripeTool() {
    if (OnGone) OnGone();
}

uint32_t TStripeTool::RunWhole(TToolContext& context, const TStripeList& list, int angle) {
    if (!context.Document) return 0;
    Drop(context);
    TDocument& doc = *context.Document;
    const uint32_t code = StripeWhole(doc, BuildSequence(list), angle % 360, HighestStripeColour(list));
    if (code) {
        ReportError(code);
        return code;
    }
    // The view comes back to the picture's centre.
    if (context.View && SequenceLength(list) > 0) {
        const QRect visible = context.View->Visible();
        if (!visible.isEmpty())
            context.View->ScrollBy(doc.Bounds().width() / 2 - visible.center().x(),
                                   doc.Bounds().height() / 2 - visible.center().y());
    }
    return 0;
}

uint32_t TStripeTool::RunOneRepeat(TToolContext& context, const TStripeList& list, int thickness, int angle) {
    if (!context.Document) return 0;
    Drop(context);
    const TDocument& doc = *context.Document;
    const int height = std::min(thickness, doc.Bounds().height());
    if (const uint32_t code = MakeStripePiece(BuildSequence(list), doc.Palette(), doc.BitsPerPixel(),
                                              doc.Bounds().width(), height, angle % 360, PieceV)) {
        ReportError(code);
        return code;
    }
    if (!PieceV.Picture.Allocated()) return 0; // an empty list or band: nothing to place
    Shown = FloatingImage(PieceV, doc.Palette());
    ReadyV = true;
    return 0;
}

void TStripeTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (ReadyV && p.Button == ButtonRight) {
        Drop(context);
        if (OnPlaced) OnPlaced();
    }
}

void TStripeTool::MouseMove(TToolContext& context, const TToolPointer& p) {
    if (ReadyV && context.View) context.View->ShowFloating(Shown, QPoint(p.X, p.Y));
}

void TStripeTool::MouseUp(TToolContext& context, const TToolPointer& p) {
    if (!ReadyV || !context.Document || p.Button != ButtonLeft) return;
    PlaceStripePiece(*context.Document, PieceV, QPoint(p.X, p.Y));
    Drop(context);
    if (OnPlaced) OnPlaced();
}

void TStripeTool::Finish(TToolContext& context) {
    Drop(context);
}

void TStripeTool::Cancel(TToolContext& context) {
    Drop(context);
}

void TStripeTool::Drop(TToolContext& context) {
    if (ReadyV && context.View) context.View->ShowFloating(QImage(), QPoint());
    ReadyV = false;
    PieceV.Picture.Release();
    Shown = QImage();
}
