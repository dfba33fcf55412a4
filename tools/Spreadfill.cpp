#include "tools/Spreadfill.h"

#include "colour/Colorset.h"
#include "raster/Floodfill.h"
#include "shell/Exception.h"
#include "tools/Toolprogress.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// Sets bits x0 .. x1 (inclusive) of a 1-bit row.
void SetBits(uint8_t* row, int x0, int x1) {
    for (; x0 <= x1 && (x0 & 7); ++x0)
        row[x0 >> 3] |= uint8_t(0x80 >> (x0 & 7));
    for (; x0 + 7 <= x1; x0 += 8)
        row[x0 >> 3] = 0xFF;
    for (; x0 <= x1; ++x0)
        row[x0 >> 3] |= uint8_t(0x80 >> (x0 & 7));
}

// Keeps only the area's pixels inside the selection.
bool ClipToSelection(TSpreadArea& area, const QRegion& selection) {
    TPBitmap keep;
    if (!keep.Allocate(area.Mask.Width, area.Mask.Height, 1) || !keep.Lock()) return false;
    for (const QRect& r : selection) {
        const QRect c = r.intersected(area.Rect);
        for (int y = c.top(); y <= c.bottom(); ++y)
            SetBits(keep.Bits + size_t(y) * size_t(keep.Stride), c.left(), c.right());
    }
    const int b0 = area.Rect.left() >> 3, b1 = area.Rect.right() >> 3;
    for (int y = area.Rect.top(); y <= area.Rect.bottom(); ++y) {
        uint8_t* row = area.Mask.Bits + size_t(y) * size_t(area.Mask.Stride);
        const uint8_t* in = keep.Bits + size_t(y) * size_t(keep.Stride);
        for (int b = b0; b <= b1; ++b)
            row[b] &= in[b];
    }
    area.Rect &= selection.boundingRect();
    return true;
}

// A 24-bit pixel as a colour value (red in the low byte).
uint32_t ValueAt(const uint8_t* row, int x) {
    const uint8_t* p = row + 3 * x;
    return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
}

// Calls pixel(x, y) for every pixel of the area, row by row, and done(rows) after each row.
template <class TPixel, class TDone> void ForArea(const TSpreadArea& area, TPixel&& pixel, TDone&& done) {
    const QRect& r = area.Rect;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uint8_t* bits = area.Mask.Bits + size_t(y) * size_t(area.Mask.Stride);
        for (int x = r.left(); x <= r.right();) {
            if (!(x & 7) && x + 7 <= r.right() && (bits[x >> 3] == 0 || bits[x >> 3] == 0xFF)) {
                if (bits[x >> 3]) // eight pixels inside, or outside, at once
                    for (int i = x; i < x + 8; ++i)
                        pixel(i, y);
                x += 8;
                continue;
            }
            if (bits[x >> 3] & (0x80 >> (x & 7))) pixel(x, y);
            ++x;
        }
        done(y - r.top() + 1);
    }
}

// Writes pixels through the guard and keeps the rectangle written.
class TSpreadWriter {
  public:
    TSpreadWriter(TOrvaneBitmap& picture, const TWriteGuard& guard)
        : Picture(picture), Guard(guard), Open(guard.Open()), Full(picture.BitsPerPixel == 24) {}
    void Put(int x, int y, uint32_t value) {
        if (!Open && !Guard.Allows(Picture, x, y)) return;
        uint8_t* row = Picture.ScanLine(y);
        if (Full) {
            uint8_t* p = row + 3 * x; // blue, green, red
            p[0] = uint8_t(value >> 16), p[1] = uint8_t(value >> 8), p[2] = uint8_t(value);
        } else {
            row[x] = uint8_t(value);
        }
        X0 = std::min(X0, x), X1 = std::max(X1, x), Y0 = std::min(Y0, y), Y1 = std::max(Y1, y);
    }
    QRect Written() const { return X0 > X1 ? QRect() : QRect(QPoint(X0, Y0), QPoint(X1, Y1)); }

  private:
    TOrvaneBitmap& Picture;
    const TWriteGuard& Guard;
    const bool Open, Full;
    int X0 = INT_MAX, X1 = INT_MIN, Y0 = INT_MAX, Y1 = INT_MIN;
};

// The dither of Multiple Grade: position(x, y) - low runs 0 .. high - low, below (n - 1) * step.
// Each position's band colours and remainder are worked out once, not per pixel.
template <class TPosition>
QRect Dither(TOrvaneBitmap& picture, const TWriteGuard& guard, const TSpreadArea& area, const TSpreadRun& run,
             const std::vector<uint32_t>& values, TPosition&& position, int low, int high, int step,
             TToolProgress& progress, int64_t doneBefore) {
    struct TBand {
        uint32_t Below, Above; // B + k and B + k + 1
        uint32_t Rest;         // r
    };
    std::vector<TBand> bands;
    const int last = int(values.size()) - 2;
    for (int p = 0; p <= high - low; ++p) {
        const size_t k = size_t(std::min(p / step, last));
        bands.push_back({values[k], values[k + 1], uint32_t(p % step)});
    }
    TSpreadWriter out(picture, guard);
    TDitherRandom random(run.Seed);
    ForArea(
        area,
        [&](int x, int y) {
            const TBand& b = bands[size_t(position(x, y) - low)];
            out.Put(x, y, random.Below(uint32_t(step)) > b.Rest ? b.Below : b.Above);
        },
        [&](int rows) { progress.Step(doneBefore + rows); });
    return out.Written();
}

} // namespace

std::vector<TColorData> GradeColours(const std::vector<TGradeSlot>& grade) {
    std::vector<TColorData> keys;
    std::vector<int> steps;
    for (const TGradeSlot& s : grade) {
        keys.push_back(s.Colour);
        keys.back().SetProtected(false);
        if (keys.size() < grade.size()) steps.push_back(std::clamp(s.Gap, 0, kMaxGradeGap) + 1);
    }
    return GradationEntries(keys, steps);
}

bool GradeFits(const TPalette& palette, int n) {
    const int base = palette.UseColor + 1;
    return base + n + 1 < TPalette::kLastDrawing + 1;
}

uint32_t FindSpreadArea(const TOrvaneBitmap& picture, const TPalette& palette, const TChoiceColor& list,
                        QPoint seed, const QRegion& selection, TSpreadArea& area) {
    return FindListedArea(picture, palette, list, seed, selection, area, false);
}

uint32_t FindListedArea(const TOrvaneBitmap& picture, const TPalette& palette, const TChoiceColor& list,
                        QPoint seed, const QRegion& selection, TSpreadArea& area, bool takeSeed) {
    area.Rect = QRect();
    if (!picture.Allocated() || !QRect(0, 0, picture.Width, picture.Height).contains(seed)) return 0;
    if (!selection.isEmpty() && !selection.contains(seed)) return ErrorCode::OutsideWorkArea;
    const bool full = picture.BitsPerPixel == 24;
    const uint32_t key = picture.GetPixel(seed.x(), seed.y());
    bool listed[256] = {};        // 8 bits: the indices of the area
    std::vector<uint32_t> values; // 24 bits: the listed colours, sorted
    for (int k = 0; k < list.Count(); ++k) {
        listed[list.IndexAt(k)] = true;
        values.push_back(palette[list.IndexAt(k)].ColorRef());
    }
    std::sort(values.begin(), values.end());
    if (list.Count() == 0) {
        listed[key & 0xFF] = true;
        values.assign(1, key);
    }
    if (!takeSeed && (full ? !std::binary_search(values.begin(), values.end(), key) : !listed[key & 0xFF]))
        return 0; // the seed's colour is not listed: no area
    const QRect bounds = selection.boundingRect();
    const QRect* within = selection.isEmpty() ? nullptr : &bounds;
    // Without a set the fill only reads the picture; it takes a writable one for its set.
    TOrvaneBitmap& readOnly = const_cast<TOrvaneBitmap&>(picture);
    QRect filled;
    bool ok;
    if (!full)
        ok = FloodFillMask(
            readOnly, &filled, &area.Mask, seed, [&](uint8_t* row, int x) { return listed[row[x]]; },
            TNoSet{}, within);
    else if (values.size() == 1)
        ok = FloodFillMask(
            readOnly, &filled, &area.Mask, seed,
            [only = values[0]](uint8_t* row, int x) { return ValueAt(row, x) == only; }, TNoSet{}, within);
    else
        ok = FloodFillMask(
            readOnly, &filled, &area.Mask, seed,
            [&](uint8_t* row, int x) {
                return std::binary_search(values.begin(), values.end(), ValueAt(row, x));
            },
            TNoSet{}, within);
    if (!ok || !area.Mask.Lock()) return ErrorCode::OutOfMemory;
    area.Rect = filled;
    if (!selection.isEmpty() && !ClipToSelection(area, selection)) {
        area.Rect = QRect();
        return ErrorCode::OutOfMemory;
    }
    return 0;
}

QRect PaintGrade(TOrvaneBitmap& picture, const TWriteGuard& guard, const TSpreadArea& area, int shape,
                 const TSpreadRun& run, const std::vector<uint32_t>& values) {
    const int n = int(values.size());
    if (n < 2 || area.Rect.isEmpty()) return QRect();
    const int rows = area.Rect.height();
    TToolProgress progress(run.Progress, 2 * int64_t(rows));
    auto first = [&](int done) { progress.Step(done); };
    const int x0 = run.From.x(), y0 = run.From.y();
    if (shape == SpreadCircular) {
        int64_t most = 0; // the largest squared distance
        ForArea(
            area,
            [&](int x, int y) {
                most = std::max(most, int64_t(x - x0) * (x - x0) + int64_t(y - y0) * (y - y0));
            },
            first);
        const double dmax = std::sqrt(double(most));
        const int step = int(dmax / (n - 1) + 1.0);
        auto distance = [&](int x, int y) {
            return int(std::sqrt(double(int64_t(x - x0) * (x - x0) + int64_t(y - y0) * (y - y0))));
        };
        return Dither(picture, guard, area, run, values, distance, 0, int(dmax), step, progress, rows);
    }
    const QPoint d = run.To - run.From;
    const double angle = d.isNull() ? 0.0 : std::atan2(double(d.y()), double(d.x()));
    const double c = std::cos(angle), s = std::sin(angle);
    auto along = [&](int x, int y) { return int(x * c + y * s + 0.5); };
    int low = INT_MAX, high = INT_MIN;
    ForArea(
        area,
        [&](int x, int y) {
            const int t = along(x, y);
            low = std::min(low, t), high = std::max(high, t);
        },
        first);
    return Dither(picture, guard, area, run, values, along, low, high, (high - low) / (n - 1) + 1, progress,
                  rows);
}

QRect PaintSingle(TOrvaneBitmap& picture, const TWriteGuard& guard, const TSpreadArea& area, int shape,
                  const TSpreadRun& run, uint32_t value, int height, int frequency) {
    if (area.Rect.isEmpty()) return QRect();
    const QPointF d = run.To - run.From;
    const double length = std::max(1.0, std::hypot(d.x(), d.y()));
    const double ax = d.isNull() ? 1.0 : d.x() / length, ay = d.isNull() ? 0.0 : d.y() / length;
    const double amplitude = std::clamp(height, 0, 100) / 100.0 * length / 2;
    const double waves = std::clamp(frequency, 1, 100);
    const double x0 = run.From.x(), y0 = run.From.y();
    const int rows = area.Rect.height();
    const bool circular = shape == SpreadCircular;
    TToolProgress progress(run.Progress, (circular ? 1 : 2) * int64_t(rows));
    // Linear: the wave's phase runs across the line over the area's width there.
    auto across = [&](int x, int y) { return (y - y0) * ax - (x - x0) * ay; };
    double low = 0, width = 1;
    if (!circular) {
        double lo = INFINITY, hi = -INFINITY;
        ForArea(
            area,
            [&](int x, int y) {
                const double v = across(x, y);
                lo = std::min(lo, v), hi = std::max(hi, v);
            },
            [&](int done) { progress.Step(done); });
        low = lo, width = hi - lo + 1;
    }
    const double turn = 2 * std::numbers::pi * waves;
    TSpreadWriter out(picture, guard);
    TDitherRandom random(run.Seed);
    const int64_t before = circular ? 0 : rows;
    ForArea(
        area,
        [&](int x, int y) {
            const double dx = x - x0, dy = y - y0;
            double u, w;
            if (circular) {
                u = std::hypot(dx, dy);
                w = amplitude * std::sin(waves * std::atan2(dy, dx));
            } else {
                u = dx * ax + dy * ay;
                w = amplitude * std::sin(turn * (across(x, y) - low) / width);
            }
            if (u - w < random.Next() * (length / 4294967296.0)) out.Put(x, y, value);
        },
        [&](int done) { progress.Step(before + done); });
    return out.Written();
}
