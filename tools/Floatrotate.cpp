// Turning a floating piece. A destination pixel at offset (dx, dy) from the turned
// box's centre pixel maps back to the source position
//     u = c dx - s dy + trunc(w / 2),   v = s dx + c dy + trunc(h / 2)
// (c, s: cosine and sine of the angle, snapped by TRotation) and takes the source pixel
// (floor u, floor v) when that lies in the source box and in its mask. The map's entries
// are held as integers in units of 2^-44 pixel; all terms stay below 2^62, so stepping
// along a row is exact, and evaluating the map per pixel in extended precision (64-bit
// mantissa) gives the same pixel. The run of dx inside the source is found per row by
// division; the rest of the row stays transparent.
#include "platform/Steprun.h"
#include "shell/Exception.h"
#include "tools/Floating.h"
#include "tools/Rotation.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <numbers>
#include <vector>

namespace {

long double Radians(double degrees) {
    // Whole turns first, so that 450 snaps like 90.
    return static_cast<long double>(std::fmod(degrees, 360.0)) * std::numbers::pi_v<long double> / 180;
}

struct TRowRun {
    int64_t lo, hi; // columns of the uncut box inside the source
};

// Copies n pixels of one destination row from (u, v) on, stepping by (du, dv).
// Transparent pixels hold 0. Full-colour pixels move as 4-byte words where the word
// stays inside the source, the byte past a pixel being written over by the next one.
template <int Bytes>
void CopyRun(const TFloating& src, uint8_t* to, uint8_t* toMask, int64_t n, int64_t u, int64_t v, int64_t du,
             int64_t dv) {
    const uint8_t* bits = src.Image.ScanLine(0);
    const uint8_t* mask = src.Mask.ScanLine(0);
    const size_t stride = size_t(src.Image.BytesPerLine()), maskStride = size_t(src.Mask.BytesPerLine());
    const size_t wordEnd = stride * size_t(src.Height()) - 4; // the last offset a word can be read at
    for (int64_t k = 0; k < n; ++k, u += du, v += dv) {
        const size_t sx = size_t(u >> kRotationFraction), sy = size_t(v >> kRotationFraction);
        const uint8_t m = mask[sy * maskStride + sx];
        const size_t at = sy * stride + sx * Bytes;
        toMask[k] = m;
        if (Bytes == 1) {
            to[k] = bits[at] & m;
        } else if (k + 1 < n && at <= wordEnd) {
            uint32_t word;
            std::memcpy(&word, bits + at, 4);
            word &= m * 0x01010101u;
            std::memcpy(to + 3 * k, &word, 4);
        } else {
            for (int c = 0; c < 3; ++c)
                to[3 * k + c] = bits[at + c] & m;
        }
    }
}

} // namespace

TRotation RotationInverse(double degrees, int sourceWidth, int sourceHeight) {
    TRotation m;
    m.Rotate(Radians(degrees));
    m.Translate(sourceWidth / 2, sourceHeight / 2);
    m.Quantize(kRotationFraction);
    return m;
}

QRect RotationBox(double degrees, int w, int h) {
    TRotation m;
    m.Rotate(-Radians(degrees));
    const int hw = w / 2, hh = h / 2;
    long double x0 = std::numeric_limits<long double>::max(), y0 = x0, x1 = -x0, y1 = -x0;
    for (const auto& [x, y] : {std::pair{-hw, -hh}, {w - hw, -hh}, {-hw, h - hh}, {w - hw, h - hh}}) {
        const TRotation::TPoint p = m.Transformed(x, y);
        x0 = std::min(x0, p.X), x1 = std::max(x1, p.X), y0 = std::min(y0, p.Y), y1 = std::max(y1, p.Y);
    }
    return QRect(QPoint(int(std::floor(x0)), int(std::floor(y0))),
                 QPoint(int(std::floor(x1)), int(std::floor(y1))));
}

uint32_t RotateFloating(const TFloating& source, double degrees, TFloating& out, QPoint* centre) {
    out.Release();
    if (source.Empty()) return ErrorCode::NoWorkArea;
    const int w = source.Width(), h = source.Height(), bpp = source.Image.BitsPerPixel;
    if (!std::isfinite(degrees) || (bpp != 8 && bpp != 24)) return ErrorCode::BadFile;
    const TRotation m = RotationInverse(degrees, w, h);
    int64_t k[9];
    for (int i = 0; i < 9; ++i)
        k[i] = std::llround(std::ldexp(m.M[size_t(i)], kRotationFraction));
    const QRect box = RotationBox(degrees, w, h);
    const int64_t limitU = int64_t(w) << kRotationFraction, limitV = int64_t(h) << kRotationFraction;

    // Each row's run inside the source, and the rows and columns any run reaches.
    std::vector<TRowRun> runs;
    try {
        runs.resize(size_t(box.height()));
    } catch (const std::bad_alloc&) {
        return ErrorCode::OutOfMemory;
    }
    int64_t left = box.width(), right = 0, top = -1, bottom = -1;
    for (int r = 0; r < box.height(); ++r) {
        const int64_t dy = box.top() + r;
        TRowRun& run = runs[size_t(r)];
        run = {0, box.width()};
        ClipRun(k[0] * box.left() + k[3] * dy + k[6], k[0], limitU, run.lo, run.hi);
        ClipRun(k[1] * box.left() + k[4] * dy + k[7], k[1], limitV, run.lo, run.hi);
        if (run.lo >= run.hi) continue;
        left = std::min(left, run.lo), right = std::max(right, run.hi);
        if (top < 0) top = r;
        bottom = r;
    }
    if (top < 0) return ErrorCode::NoWorkArea;
    const int64_t outW = right - left, outH = bottom - top + 1;
    if (outW > kMaxBitmapSide || outH > kMaxBitmapSide || !BitmapSizeAllowed(int(outW), int(outH), bpp))
        return ErrorCode::TooLargeForOperation;
    if (!out.Allocate(int(outW), int(outH), bpp)) return ErrorCode::OutOfMemory;

    // The runs go in strips of columns: a strip reads a compact band of the source, where
    // a whole row at a steep angle would touch another source row every pixel or two.
    constexpr int64_t kStrip = 256;
    for (int64_t x0 = left; x0 < right; x0 += kStrip)
        for (int64_t r = top; r <= bottom; ++r) {
            const TRowRun& run = runs[size_t(r)];
            const int64_t lo = std::max(run.lo, x0), hi = std::min(run.hi, x0 + kStrip);
            if (lo >= hi) continue;
            const int64_t dx = box.left() + lo, dy = box.top() + r;
            const int64_t u = k[0] * dx + k[3] * dy + k[6], v = k[1] * dx + k[4] * dy + k[7];
            uint8_t* to = out.Image.ScanLine(int(r - top)) + size_t(lo - left) * size_t(bpp / 8);
            uint8_t* toMask = out.Mask.ScanLine(int(r - top)) + size_t(lo - left);
            if (bpp == 8)
                CopyRun<1>(source, to, toMask, hi - lo, u, v, k[0], k[1]);
            else
                CopyRun<3>(source, to, toMask, hi - lo, u, v, k[0], k[1]);
        }
    if (centre) *centre = QPoint(int(-box.left() - left), int(-box.top() - top));
    return 0;
}
