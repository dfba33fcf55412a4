#include "tools/Pentool.h"

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
    if (Picker.Mode() != PickNone) {
        std::vector<int> colours;
        if (Picker.Click(context, QPoint(p.X, p.Y), colours) && OnPicked) OnPicked(colours);
        return;
    }
    End(); // a press without the release before it
    TDocument& doc = *context.Document;
    Pen = context.Pen;
    const int kind = Pen->Settings.Kind;
    if (kind == PenMask && Pen->Settings.MaskFill) {
        FillMaskArea(doc, Pen->Settings, context.Repeat, p.X, p.Y);
        return;
    }
    Change = std::make_unique<TChange>(doc, TChange::TGrowing{},
                                       kind == PenMask ? UndoMask : UndoPicture | UndoRegion);
    Painter = std::make_unique<TPenPainter>(
        *Change, *Pen, context.Colour.Pixel(doc.BitsPerPixel(), doc.Palette()), Random, context.Repeat);
    Painter->SetReplace(Replace);
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
    Picker.Move(context, QPoint(p.X, p.Y));
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
    if (Picker.Set(context, mode) && OnPicked) OnPicked({});
}
