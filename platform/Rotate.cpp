#include "platform/Geometry.h"
#include "platform/Steprun.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <numbers>
#include <vector>

// Inverse mapping: the centre of destination pixel (dx, dy), taken relative to the
// destination centre, is turned back by the angle and moved to the source centre; the
// source pixel holding that point is copied. In units of 2^-33 pixel, with C and S the
// cosine and sine scaled by 2^32 and px2 = 2 dx + 1 - W', py2 = 2 dy + 1 - H':
//     U = C px2 + S py2 + W 2^32        V = -S px2 + C py2 + H 2^32
// and the source pixel is (U >> 33, V >> 33) when 0 <= U < W 2^33 and 0 <= V < H 2^33.
// All terms stay below 2^51, so stepping along a row by (2C, -2S) is exact, and the run of
// dx inside the source is found per row by division; the rest of the row is fill.

namespace {

constexpr int kShift = 33;
constexpr int64_t kOne = int64_t(1) << 32;

struct TTurn {
    int64_t c = kOne, s = 0;
};

TTurn TurnFor(int angle) {
    int a = angle % 36000;
    if (a < 0) a += 36000;
    switch (a) {
    case 0:
        return {kOne, 0};
    case 9000:
        return {0, kOne};
    case 18000:
        return {-kOne, 0};
    case 27000:
        return {0, -kOne};
    default:
        break;
    }
    const double rad = double(a) * std::numbers::pi / 18000.0;
    return {std::llround(std::cos(rad) * double(kOne)), std::llround(std::sin(rad) * double(kOne))};
}

bool Usable(const TBitmapHandle& h) {
    const int bpl = BitmapBytesPerLine(h.Width, h.BitsPerPixel);
    return h.Bits && h.Height > 0 && bpl > 0 && h.BytesPerLine >= bpl;
}

// Bounding-box side of the turned picture; a box within 1/1024 pixel of a whole number
// is not widened by one for rounding dust.
int64_t TurnedSide(int64_t along, int64_t across, int64_t sideA, int64_t sideB) {
    const int64_t span = std::abs(along) * sideA + std::abs(across) * sideB - (kOne >> 10);
    return std::max<int64_t>(1, (span + kOne - 1) >> 32);
}

void FillPixels(uint8_t* row, int bpp, int64_t from, int64_t to, uint32_t fill) {
    if (from >= to) return;
    if (bpp == 8) {
        std::memset(row + from, int(fill & 0xFF), size_t(to - from));
    } else if (bpp == 24) {
        const uint8_t b = uint8_t(BlueOf(fill)), g = uint8_t(GreenOf(fill)), r = uint8_t(RedOf(fill));
        for (uint8_t* p = row + 3 * from; p < row + 3 * to; p += 3)
            p[0] = b, p[1] = g, p[2] = r;
    } else {
        for (int64_t x = from; x < to; ++x) {
            const uint8_t bit = uint8_t(0x80 >> (x & 7));
            if (fill & 1)
                row[x >> 3] |= bit;
            else
                row[x >> 3] &= uint8_t(~bit);
        }
    }
}

// Copies the run [lo, hi) of one destination row; u and v are U and V at dx = lo.
void CopyRun(const TBitmapHandle& src, uint8_t* row, int64_t lo, int64_t hi, int64_t u, int64_t v, int64_t du,
             int64_t dv) {
    const uint8_t* bits = src.Bits;
    const size_t bpl = size_t(src.BytesPerLine);
    if (src.BitsPerPixel == 8) {
        for (int64_t x = lo; x < hi; ++x, u += du, v += dv)
            row[x] = bits[size_t(v >> kShift) * bpl + size_t(u >> kShift)];
    } else if (src.BitsPerPixel == 24) {
        uint8_t* q = row + 3 * lo;
        for (int64_t x = lo; x < hi; ++x, u += du, v += dv, q += 3) {
            const uint8_t* p = bits + size_t(v >> kShift) * bpl + 3 * size_t(u >> kShift);
            q[0] = p[0], q[1] = p[1], q[2] = p[2];
        }
    } else {
        for (int64_t x = lo; x < hi; ++x, u += du, v += dv) {
            const size_t sx = size_t(u >> kShift);
            const uint8_t* p = bits + size_t(v >> kShift) * bpl;
            const uint8_t bit = uint8_t(0x80 >> (x & 7));
            if ((p[sx >> 3] << (sx & 7)) & 0x80)
                row[x >> 3] |= bit;
            else
                row[x >> 3] &= uint8_t(~bit);
        }
    }
}

// One destination row: the run [lo, hi) inside the source, and U and V at dx = 0.
struct TRun {
    int64_t lo, hi, u, v;
};

} // namespace

bool RotateHandle(TBitmapHandle& h, int angle, bool resize, uint32_t fill) {
    const int bpp = h.BitsPerPixel;
    if (!Usable(h) || (bpp != 1 && bpp != 8 && bpp != 24)) return false;
    const TTurn t = TurnFor(angle);
    const int64_t w = h.Width, ht = h.Height;
    const int64_t w2 = resize ? TurnedSide(t.c, t.s, w, ht) : w;
    const int64_t h2 = resize ? TurnedSide(t.s, t.c, w, ht) : ht;
    if (w2 > kMaxBitmapSide || h2 > kMaxBitmapSide || !BitmapSizeAllowed(int(w2), int(h2), bpp)) return false;
    std::vector<TRun> runs;
    try {
        runs.resize(static_cast<size_t>(h2));
    } catch (const std::bad_alloc&) {
        return false;
    }
    TBitmapHandle out;
    if (!CreateBitmapHandle(out, int(w2), int(h2), bpp)) return false;
    std::memcpy(out.Palette, h.Palette, sizeof h.Palette);

    // First each row's run inside the source and its fill, then the runs in strips of
    // kStrip columns: a strip reads a compact band of the source, where a whole row at a
    // steep angle would touch a different source row (and page) every pixel or two.
    constexpr int64_t kStrip = 256;
    const int64_t limitU = w << kShift, limitV = ht << kShift;
    const int64_t du = 2 * t.c, dv = -2 * t.s;
    for (int64_t dy = 0; dy < h2; ++dy) {
        const int64_t py2 = 2 * dy + 1 - h2, px2 = 1 - w2;
        TRun& r = runs[size_t(dy)];
        r.u = t.c * px2 + t.s * py2 + (w << 32);
        r.v = -t.s * px2 + t.c * py2 + (ht << 32);
        r.lo = 0, r.hi = w2;
        ClipRun(r.u, du, limitU, r.lo, r.hi);
        ClipRun(r.v, dv, limitV, r.lo, r.hi);
        if (r.lo >= r.hi) r.lo = r.hi = 0;
        uint8_t* row = out.Row(int(dy));
        FillPixels(row, bpp, 0, r.lo, fill);
        FillPixels(row, bpp, r.hi, w2, fill);
    }
    for (int64_t x0 = 0; x0 < w2; x0 += kStrip) {
        for (int64_t dy = 0; dy < h2; ++dy) {
            const TRun& r = runs[size_t(dy)];
            const int64_t lo = std::max(r.lo, x0), hi = std::min(r.hi, x0 + kStrip);
            if (lo < hi) CopyRun(h, out.Row(int(dy)), lo, hi, r.u + du * lo, r.v + dv * lo, du, dv);
        }
    }
    MoveBitmapHandle(h, out); // the new handle carries no region
    return true;
}
