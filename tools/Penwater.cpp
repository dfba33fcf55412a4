#include "tools/Penwater.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

std::array<double, 3> RgbOf(TColorRef c) {
    return {double(RedOf(c)), double(GreenOf(c)), double(BlueOf(c))};
}

// a + (b - a) x t per channel.
std::array<double, 3> Towards(const std::array<double, 3>& a, const std::array<double, 3>& b, double t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

TColorRef Rounded(const std::array<double, 3>& rgb) {
    auto channel = [](double v) { return std::clamp(int(std::lround(v)), 0, 255); };
    return MakeColorRef(channel(rgb[0]), channel(rgb[1]), channel(rgb[2]));
}

} // namespace

TWaterBrush::TWaterBrush(TPenCanvas& canvas, const TPenSettings& settings, uint32_t colour,
                         TOrvaneRandom* random)
    : Canvas(canvas), Settings(settings), ColourValue(colour), ColourRgb(RgbOf(canvas.Colour(colour))),
      Random(random),
      Nearest(canvas.Palette(), 1,
              std::max(int(canvas.Palette().UseColor), canvas.Bits() == 8 ? int(colour) : 1)) {}

void TWaterBrush::Load(const TFootprint& footprint, int x, int y) {
    int left = 0, right = 0;
    for (const TFootprintSpan& s : footprint.Spans)
        left = std::min(left, s.X0), right = std::max(right, s.X1);
    const int top = footprint.Spans.front().Y, bottom = footprint.Spans.back().Y;
    GridW = right - left + 3, GridH = bottom - top + 3;
    CentreX = (left + right) / 2.0 - left + 1, CentreY = (top + bottom) / 2.0 - top + 1;
    Grid.assign(size_t(GridW) * size_t(GridH), TCell());
    for (int gy = 0; gy < GridH; ++gy)
        for (int gx = 0; gx < GridW; ++gx) {
            TCell& cell = Grid[size_t(gy * GridW + gx)];
            cell.Inside = Canvas.Locate(x + left - 1 + gx, y + top - 1 + gy, cell.At);
            if (!cell.Inside) continue;
            cell.Value = Canvas.Value(cell.At);
            cell.Rgb = RgbOf(Canvas.Colour(cell.Value));
        }
    for (const TFootprintSpan& s : footprint.Spans)
        for (int px = s.X0; px <= s.X1; ++px)
            Grid[size_t((s.Y - top + 1) * GridW + px - left + 1)].InPen = true;
}

bool TWaterBrush::Takes() {
    return !Random || Random->Random(5) < std::clamp(Settings.WaterDensity, 1, 5);
}

TWaterBrush::TRgb TWaterBrush::Mean(bool penOnly, int cx, int cy, int radius) const {
    TRgb sum{};
    int n = 0;
    for (int gy = std::max(cy - radius, 0); gy <= std::min(cy + radius, GridH - 1); ++gy)
        for (int gx = std::max(cx - radius, 0); gx <= std::min(cx + radius, GridW - 1); ++gx) {
            const TCell& cell = Grid[size_t(gy * GridW + gx)];
            if (!cell.Inside || (penOnly && !cell.InPen)) continue;
            for (int k = 0; k < 3; ++k)
                sum[size_t(k)] += cell.Rgb[size_t(k)];
            ++n;
        }
    if (n)
        for (double& v : sum)
            v /= n;
    return sum;
}

void TWaterBrush::Deposit(const TCell& cell, const TRgb& rgb) {
    const TColorRef mixed = Rounded(rgb);
    if (Canvas.Bits() != 8) return void(Canvas.Put(cell.At, mixed));
    if (mixed == Canvas.Colour(cell.Value)) return; // its own colour: no other index for it
    const int index = Nearest(mixed);
    if (index > 0) Canvas.Put(cell.At, uint32_t(index));
}

void TWaterBrush::Stamp(const TFootprint& footprint, int x, int y, int size) {
    if (footprint.Spans.empty() || !Canvas.Ready()) return;
    Load(footprint, x, y);
    const int function = std::clamp(Settings.WaterFunction, 0, 3);
    const TWaterAmounts& amounts = Settings.Water[size_t(function)];
    const double c = std::clamp(amounts.Colour, 0, 100) * 0.01, e = std::clamp(amounts.Effect, 0, 100) * 0.01;
    switch (function) {
    case WaterSimple:
        return Smudge(c, e);
    case WaterSpatter:
        return Spatter(c, e, size);
    case WaterPure:
        return Wash(c, e, size);
    default:
        return Diffuse(c, e);
    }
}

void TWaterBrush::Smudge(double c, double e) {
    const TRgb under = Mean(true, GridW / 2, GridH / 2, std::max(GridW, GridH));
    if (!Wet) Carried = Towards(under, ColourRgb, c), Wet = true;
    for (const TCell& cell : Grid)
        if (cell.InPen && cell.Inside && Takes()) Deposit(cell, Towards(cell.Rgb, Carried, e));
    Carried = Towards(Carried, under, 1 - e);
}

void TWaterBrush::Spatter(double c, double e, int size) {
    if (!Random) return;
    const int reach = std::max(1, int(std::lround(e * size / 2)));
    std::vector<uint32_t> out(Grid.size());
    for (size_t i = 0; i < Grid.size(); ++i)
        out[i] = Grid[i].Value;
    const int drops = int(std::lround(c * 100));
    for (int i = 0; i < int(Grid.size()); ++i) {
        if (!Grid[size_t(i)].InPen || !Grid[size_t(i)].Inside || !Takes()) continue;
        if (Random->Random(100) < drops) {
            out[size_t(i)] = ColourValue;
            continue;
        }
        const int gx = i % GridW + Random->Random(2 * reach + 1) - reach;
        const int gy = i / GridW + Random->Random(2 * reach + 1) - reach;
        if (gx < 0 || gy < 0 || gx >= GridW || gy >= GridH) continue;
        const size_t j = size_t(gy * GridW + gx);
        if (Grid[j].InPen && Grid[j].Inside) std::swap(out[size_t(i)], out[j]);
    }
    for (size_t i = 0; i < Grid.size(); ++i)
        if (Grid[i].InPen && Grid[i].Inside) Canvas.Put(Grid[i].At, out[i]);
}

void TWaterBrush::Wash(double c, double e, int size) {
    const double rim = std::max(size / 2.0, 0.5);
    for (int i = 0; i < int(Grid.size()); ++i) {
        const TCell& cell = Grid[size_t(i)];
        if (!cell.InPen || !cell.Inside || !Takes()) continue;
        const double d = std::hypot(i % GridW - CentreX, i / GridW - CentreY);
        Deposit(cell, Towards(cell.Rgb, ColourRgb, c * (1 - e * std::min(d / rim, 1.0))));
    }
}

void TWaterBrush::Diffuse(double c, double e) {
    for (int i = 0; i < int(Grid.size()); ++i) {
        const TCell& cell = Grid[size_t(i)];
        if (!cell.InPen || !cell.Inside || !Takes()) continue;
        const TRgb blurred = Towards(cell.Rgb, Mean(false, i % GridW, i / GridW, 1), e);
        Deposit(cell, Towards(blurred, ColourRgb, c));
    }
}
