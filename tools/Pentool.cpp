#include "tools/Pentool.h"

#include "shell/Tdocument.h"
#include "tools/Penpaint.h"

#include <cmath>

namespace {

// Pointer pressure 0 .. 1 in the tablet's packet unit.
constexpr int kPressureUnit = 1023;

} // namespace

TPenTool::TPenTool(TOrvaneRandom* random) : Random(random) {}

TPenTool::~TPenTool() = default;

int TPenTool::SizeOf(const TToolPointer& p) const {
    const double pressure = std::isfinite(p.Pressure) ? p.Pressure : 1.0;
    return Pen->SizeAt(int(std::lround(std::clamp(pressure, 0.0, 1.0) * kPressureUnit)), kPressureUnit);
}

void TPenTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (p.Button != ButtonLeft || p.Shift || !context.Document || !context.Pen) return;
    End(); // a press without the release before it
    TDocument& doc = *context.Document;
    Pen = context.Pen;
    Change = std::make_unique<TChange>(doc);
    Painter = std::make_unique<TPenPainter>(*Change, *Pen,
                                            context.Colour.Pixel(doc.BitsPerPixel(), doc.Palette()), Random);
    Pen->BeginStroke(Stroke, p.X, p.Y, SizeOf(p));
    if (Pen->Settings.Kind == PenAirBrush) {
        Painter->Spray(p.X, p.Y, Stroke.Size0);
    } else {
        Pen->Dot(Stroke, p.X, p.Y, [this](const TPenStroke& s) { Painter->Stamp(s); });
    }
    EndStamped = true;
    Change->Show(Painter->TakeFresh());
}

void TPenTool::Segment(int x, int y, int size) {
    if (Pen->Settings.Kind == PenAirBrush) {
        Stroke.X0 = x, Stroke.Y0 = y, Stroke.Size0 = size;
        Painter->Spray(x, y, size);
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

void TPenTool::MouseMove(TToolContext&, const TToolPointer& p) {
    if (!Change || (p.X == Stroke.X0 && p.Y == Stroke.Y0)) return;
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

void TPenTool::Finish(TToolContext&) {
    End();
}

void TPenTool::Cancel(TToolContext&) {
    Painter.reset();
    Change.reset(); // without Commit the change is undone
}
