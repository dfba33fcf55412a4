#include "tools/Pentool.h"

#include "colour/Colorset.h"
#include "shell/Tdocument.h"
#include "tools/Penmask.h"
#include "tools/Penpaint.h"
#include "tools/Penpick.h"

#include <cmath>
#include <cstdlib>

namespace {

// Pointer pressure 0 .. 1 in the tablet's packet unit.
constexpr int kPressureUnit = 1023;
// The Scrape Pen takes a move once it leaves this many pixels around the last point.
constexpr int kScrapeBox = 5;

} // namespace

TPenTool::TPenTool(TOrvaneRandom* random) : Random(random) {}

TPenTool::~TPenTool() = default;

int TPenTool::SizeOf(const TToolPointer& p) const {
    const double pressure = std::isfinite(p.Pressure) ? p.Pressure : 1.0;
    return Pen->SizeAt(int(std::lround(std::clamp(pressure, 0.0, 1.0) * kPressureUnit)), kPressureUnit);
}

void TPenTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (p.Button != ButtonLeft || p.Shift || !context.Document || !context.Pen) return;
    if (PickMode != PickNone) return PickAt(context, p);
    End(); // a press without the release before it
    TDocument& doc = *context.Document;
    Pen = context.Pen;
    const int kind = Pen->Settings.Kind;
    if (kind == PenMask && Pen->Settings.MaskFill) {
        FillMaskArea(doc, Pen->Settings, context.Repeat, p.X, p.Y);
        return;
    }
    Change = std::make_unique<TChange>(doc, kind == PenMask ? UndoMask : UndoPicture | UndoRegion);
    Painter = std::make_unique<TPenPainter>(
        *Change, *Pen, context.Colour.Pixel(doc.BitsPerPixel(), doc.Palette()), Random, context.Repeat);
    Pen->BeginStroke(Stroke, p.X, p.Y, SizeOf(p));
    if (kind == PenAirBrush) {
        Painter->Spray(p.X, p.Y, Stroke.Size0);
    } else if (kind != PenScrape) {
        Pen->Dot(Stroke, p.X, p.Y, [this](const TPenStroke& s) { Painter->Stamp(s); });
    }
    EndStamped = true;
    Change->Show(Painter->TakeFresh());
}

void TPenTool::Segment(int x, int y, int size) {
    const int kind = Pen->Settings.Kind;
    if (kind == PenAirBrush || kind == PenScrape) {
        if (kind == PenAirBrush) Painter->Spray(x, y, size);
        if (kind == PenScrape) Painter->Drag(Stroke.X0, Stroke.Y0, x, y, size);
        Stroke.X0 = x, Stroke.Y0 = y, Stroke.Size0 = size;
        EndStamped = true;
        return;
    }
    // The segment starts on the last point; skip that stamp if it is there already.
    bool skip = EndStamped;
    const int x0 = Stroke.X0, y0 = Stroke.Y0;
    Pen->LineTo(
        Stroke, x, y,
        [&](const TPenStroke& s) {
            if (skip && s.X == x0 && s.Y == y0) return void(skip = false);
            Painter->Stamp(s);
        },
        size);
    EndStamped = false;
}

bool TPenTool::TooClose(int x, int y) const {
    const int dx = std::abs(x - Stroke.X0), dy = std::abs(y - Stroke.Y0);
    switch (Pen->Settings.Kind) {
    case PenWater:
        return dx <= Pen->BaseSize() && dy <= Pen->BaseSize();
    case PenScrape:
        return dx <= kScrapeBox && dy <= kScrapeBox;
    default:
        return dx == 0 && dy == 0;
    }
}

void TPenTool::MouseMove(TToolContext& context, const TToolPointer& p) {
    if (PickMode == PickBlock && Corner && context.View) {
        const QRect band = SpanRect(*Corner, QPoint(p.X, p.Y)); // the half-open rectangle's pixels
        context.View->ShowRubberBand(band.adjusted(0, 0, -1, -1));
    }
    if (!Change || TooClose(p.X, p.Y)) return;
    Segment(p.X, p.Y, SizeOf(p));
    Change->Show(Painter->TakeFresh()); // the stroke shows as it is drawn
}

void TPenTool::MouseUp(TToolContext&, const TToolPointer& p) {
    if (!Change) return;
    // A pen lifted off the tablet reports no pressure: keep the last size.
    if (p.X != Stroke.X0 || p.Y != Stroke.Y0) Segment(p.X, p.Y, Stroke.Size0);
    if (!EndStamped) Pen->Dot(Stroke, p.X, p.Y, [this](const TPenStroke& s) { Painter->Stamp(s); });
    End();
}

void TPenTool::End() {
    if (!Change) return;
    Change->Touch(Painter->Touched());
    Change->Commit();
    Painter.reset();
    Change.reset();
}

void TPenTool::Finish(TToolContext& context) {
    End();
    SetPick(context, PickNone);
}

void TPenTool::Cancel(TToolContext& context) {
    Painter.reset();
    Change.reset(); // without Commit the change is undone
    SetPick(context, PickNone);
}

void TPenTool::SetPick(TToolContext& context, int mode) {
    if (mode == PickMode) return;
    const bool ending = PickMode != PickNone;
    PickMode = mode == PickPixel || mode == PickBlock ? mode : PickNone;
    if (Corner && context.View) context.View->ShowRubberBand(QRect());
    Corner.reset();
    if (ending && PickMode == PickNone && OnPicked) OnPicked({});
}

void TPenTool::PickAt(TToolContext& context, const TToolPointer& p) {
    const TDocument& doc = *context.Document;
    const QPoint at(p.X, p.Y);
    if (PickMode == PickBlock && !Corner) {
        Corner = at;
        return;
    }
    const QPoint from = PickMode == PickBlock ? *Corner : at;
    const QPoint to = PickMode == PickBlock ? at : at + QPoint(1, 1);
    EndPick(context, PickColourIndices(doc.Picture(), doc.Palette(), context.Repeat, from, to));
}

void TPenTool::EndPick(TToolContext& context, const std::vector<int>& colours) {
    if (Corner && context.View) context.View->ShowRubberBand(QRect());
    Corner.reset();
    PickMode = PickNone;
    if (OnPicked) OnPicked(colours);
}
