#include "tools/Penscrape.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

int Round(double v) {
    return int(std::floor(v + 0.5));
}

} // namespace

TScrapeBrush::TScrapeBrush(TPenCanvas& canvas, const TPenObject& pen) : Canvas(canvas), Pen(pen) {}

void TScrapeBrush::PickUp(int x, int y, double nx, double ny) {
    Loaded = true;
    for (TBristle& b : Bristles) {
        QPoint at;
        b.Wet = Canvas.Locate(x + Round(nx * b.Offset), y + Round(ny * b.Offset), at);
        if (b.Wet) b.Value = Canvas.Value(at);
    }
}

void TScrapeBrush::Drag(int x0, int y0, int x1, int y1, int size) {
    const int dx = x1 - x0, dy = y1 - y0;
    if ((dx == 0 && dy == 0) || !Canvas.Ready()) return;
    const double length = std::hypot(dx, dy), nx = -dy / length, ny = dx / length;
    if (!Loaded) {
        const TPenSettings& s = Pen.Settings;
        const int count = std::clamp(s.Bristles, 1, 8);
        const double width = std::max(1.0, size * std::clamp(s.Scale, 1, 1000) / 100.0),
                     pitch = width / count;
        Tooth = std::clamp(int(pitch / 2), 1, TPenObject::kMaxStampSize);
        Bristles.assign(size_t(count), TBristle());
        for (int k = 0; k < count; ++k)
            Bristles[size_t(k)].Offset = (k + 0.5) * pitch - width / 2;
        PickUp(x0, y0, nx, ny);
    }
    const TFootprint& tooth = Pen.Footprint(Tooth);
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i <= steps; ++i) {
        const double px = x0 + double(dx) * i / steps, py = y0 + double(dy) * i / steps;
        for (const TBristle& b : Bristles) {
            if (!b.Wet) continue;
            const int bx = Round(px + nx * b.Offset), by = Round(py + ny * b.Offset);
            for (const TFootprintSpan& s : tooth.Spans)
                Canvas.Span(by + s.Y, bx + s.X0, bx + s.X1, b.Value);
        }
    }
}
