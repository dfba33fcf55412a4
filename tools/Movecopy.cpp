#include "tools/Movecopy.h"

#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "tools/Superimpose.h"

#include <algorithm>
#include <cmath>

namespace {

bool WholeMask(const TFloating& piece) {
    for (int y = 0; y < piece.Height(); ++y) {
        const uint8_t* m = piece.Mask.ScanLine(y);
        if (std::find(m, m + piece.Width(), uint8_t(0)) != m + piece.Width()) return false;
    }
    return true;
}

} // namespace

TMoveCopyTool::~TMoveCopyTool() {
    if (OnGone) OnGone();
}

uint32_t TMoveCopyTool::Build(TFloating& piece, QPoint& centre) const {
    centre = QPoint(Source.Width() / 2, Source.Height() / 2);
    switch (SettingsV.Type) {
    case FloatRotate:
        return RotateFloating(Source, AngleV, piece, &centre);
    case FloatBend: {
        const uint32_t code = BendFloating(Source, SettingsV.BendType, piece);
        centre = QPoint(piece.Width() / 2, piece.Height() / 2);
        return code;
    }
    default: // flips are lifted again from the design
        return 0;
    }
}

uint32_t TMoveCopyTool::Lift(TToolContext& context, bool report) {
    Hide(context);
    FloatingV = false;
    NeedLift = false;
    Doc = context.Document;
    if (!Doc) return ErrorCode::NoWorkArea;
    const TOrvaneBitmap& picture = Doc->Picture();
    const QRegion selection = Doc->Selection().intersected(Doc->Bounds());
    const int type = SettingsV.Type;
    const bool flip = type <= FloatUDMirror;
    uint32_t code = LiftFloating(picture, selection, flip ? type : FloatNormal, flip ? PieceV : Source);
    QPoint centre;
    if (!code && !flip) code = Build(PieceV, centre);
    if (code) {
        PieceV.Release();
        if (report || code != ErrorCode::NoWorkArea) ReportError(code);
        return code;
    }
    SourceRegion = selection;
    SourceBox = selection.boundingRect();
    static constexpr TAnchor kAnchors[] = {AnchorTopLeft, AnchorBottom, AnchorRight, AnchorBottomRight};
    Anchor = flip ? kAnchors[type] : AnchorCentre;
    // The piece first shows where its source is.
    PositionV = flip ? SourceBox.topLeft()
                     : SourceBox.topLeft() + QPoint(SourceBox.width() / 2, SourceBox.height() / 2) - centre;
    ShownAt = PositionV;
    PictureV = FloatingPicture(PieceV, Doc->Palette());
    FloatingV = true;
    Show(context);
    return 0;
}

void TMoveCopyTool::Place(TToolContext& context, QPoint pointer) {
    // In the repeat display the piece lands where the pointer's point wraps to, and shows
    // on the tile under the pointer.
    const QPoint at = context.Repeat.On() ? context.Repeat.Wrap(pointer) : pointer;
    const int w = PieceV.Width(), h = PieceV.Height();
    QPoint p;
    switch (Anchor) {
    case AnchorRight:
        p = QPoint(at.x() - w, at.y());
        break;
    case AnchorBottom:
        p = QPoint(at.x(), at.y() - h);
        break;
    case AnchorBottomRight:
        p = QPoint(at.x() - w, at.y() - h);
        break;
    case AnchorCentre:
        p = QPoint(int(at.x() - w * 0.5), int(at.y() - h * 0.5)); // toward zero
        break;
    default:
        p = at;
    }
    const QRect bounds = context.Document->Bounds();
    if (w <= bounds.width() && h <= bounds.height()) // a piece that fits stays inside
        p = QPoint(std::clamp(p.x(), 0, bounds.width() - w), std::clamp(p.y(), 0, bounds.height() - h));
    PositionV = p;
    ShownAt = p + (pointer - at);
    Show(context);
}

void TMoveCopyTool::Show(TToolContext& context) {
    if (!context.View || !FloatingV) return;
    context.View->ShowFloating(PictureV, ShownAt);
    Showing = true;
}

void TMoveCopyTool::Hide(TToolContext& context) {
    if (!Showing) return;
    Showing = false;
    if (context.View) context.View->ShowFloating(QImage(), QPoint());
}

QRegion TMoveCopyTool::Landed(const TDocument& document) const {
    if (!WholeMask(PieceV)) return {};
    return QRegion(QRect(PositionV, QSize(PieceV.Width(), PieceV.Height())).intersected(document.Bounds()));
}

void TMoveCopyTool::Drop(TToolContext& context) {
    TDocument& doc = *context.Document;
    const bool move = SettingsV.Function == MoveCopyMove;
    const QRect target = QRect(PositionV, QSize(PieceV.Width(), PieceV.Height())).intersected(doc.Bounds());
    if (target.isEmpty() && !move) return; // nothing would land
    Hide(context);
    const int bytes = PieceV.Image.BitsPerPixel / 8;
    {
        TChange change(doc, move ? target.united(SourceBox) : target);
        if (move) {
            const uint32_t background = doc.BitsPerPixel() == 8 ? 1u : MakeColorRef(255, 255, 255);
            for (const QRect& r : SourceRegion)
                change.Fill(r, background);
        }
        QRect written;
        const uint32_t code = Superimpose(
            change, target,
            [&](int x, int y) {
                const int px = x - PositionV.x(), py = y - PositionV.y();
                return TPieceRow{PieceV.Image.ScanLine(py) + size_t(px) * size_t(bytes),
                                 PieceV.Mask.ScanLine(py) + px};
            },
            TSuperimposeRule{context.Super, context.Overlap}, &written);
        if (code) {
            change.Fail();
            ReportError(code);
            Show(context);
            return;
        }
        if (!written.isEmpty()) change.Touch(written);
        change.Commit();
    }
    if (!move) {
        Show(context);
        return;
    }
    const QRegion landed = Landed(doc);
    if (landed.isEmpty())
        doc.ClearSelection();
    else
        doc.SetSelection(landed);
    FloatingV = false; // the next press picks the selection up again
}

void TMoveCopyTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (!context.Document || p.Shift || p.Ctrl) return;
    if (p.Button == ButtonRight) {
        Hide(context);
        FloatingV = false;
        return;
    }
    if (p.Button != ButtonLeft) return;
    if (NeedLift || context.Document != Doc || !FloatingV) {
        if (!Lift(context, true)) Place(context, QPoint(p.X, p.Y));
        return;
    }
    Place(context, QPoint(p.X, p.Y)); // where it is let go, moved to or not
    Drop(context);
}

void TMoveCopyTool::MouseMove(TToolContext& context, const TToolPointer& p) {
    if (!context.Document) return;
    if (NeedLift || context.Document != Doc) Lift(context, false);
    if (FloatingV) Place(context, QPoint(p.X, p.Y));
}

void TMoveCopyTool::Finish(TToolContext& context) {
    Hide(context);
    FloatingV = false;
}

void TMoveCopyTool::Cancel(TToolContext& context) {
    // The design may change or go: the piece is lifted again at the next event.
    Hide(context);
    FloatingV = false;
    NeedLift = true;
    Doc = nullptr;
}

void TMoveCopyTool::SetSettings(TToolContext& context, const TMoveCopySettings& settings) {
    const TMoveCopySettings old = SettingsV;
    SettingsV = settings;
    SettingsV.Type = std::clamp(settings.Type, 0, kFloatTypes - 1);
    if (settings.Function != old.Function) AngleV = 0;
    if (settings.Function == old.Function && SettingsV.Type == old.Type &&
        settings.BendType == old.BendType && !NeedLift)
        return;
    if (context.Document)
        Lift(context, false);
    else
        NeedLift = true;
}

uint32_t TMoveCopyTool::Rotate(TToolContext& context, double degrees) {
    if (!std::isfinite(degrees)) return ErrorCode::BadFile;
    const double before = AngleV;
    const int oldType = SettingsV.Type;
    AngleV = degrees;
    SettingsV.Type = FloatRotate;
    if (const uint32_t code = Lift(context, true)) { // the piece and the angle stay as they were
        AngleV = before;
        SettingsV.Type = oldType;
        Lift(context, false);
        return code;
    }
    SettingsV.BeforeDeg = int(std::lround(before)) % 360;
    return 0;
}
