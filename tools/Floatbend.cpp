// Bending a floating piece W pixels wide and H high.
//
// Fan shaped: the piece is bent upward into a quarter-circle fan, as a hand fan seen
// from the front. Its middle row becomes a quarter-circle arc of its own length (radius
// Rm = 2 W / pi); rows above it lie on larger circles, rows below on smaller ones, the
// top row on Ro = Ri + H and the bottom row on Ri = max(0, Rm - H / 2). Columns run
// along the radii: the left column 45 degrees left of straight up, the right column 45
// degrees right of it. So the middle row keeps its length, the top stretches and the
// bottom shrinks.
//
// Tube shaped: the piece is wrapped round the front half of an upright tube seen from a
// little above. Its width is the half circumference (radius R = W / pi), so columns
// crowd towards the tube's sides (the column at angle phi from the front shows R sin phi
// from the axis), and each row follows the front half of an ellipse R / 4 deep: its
// middle lies R / 4 lower than its ends.
//
// Each destination pixel's centre is mapped back into the piece (inverse mapping to the
// nearest pixel); one that lands outside the piece or its mask stays transparent.
#include "shell/Exception.h"
#include "tools/Floating.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

int Clamp(double v, int n) {
    return std::clamp(int(std::floor(v)), 0, n - 1);
}

// The bend's geometry for a piece of w x h: the destination size and the inverse map
// from a destination pixel centre to a source pixel (false: transparent).
struct TBend {
    int Type = BendFan;
    double W = 0, H = 0;
    double Ri = 0, Ro = 0, Ox = 0, Oy = 0; // fan: radii and the circles' centre
    double R = 0, Bow = 0;                 // tube: radius and the depth of a row's curve
    double OutW = 0, OutH = 0;

    TBend(int type, int w, int h) : Type(type), W(w), H(h) {
        const double half = kPi / 4; // half the fan's opening
        if (Type == BendFan) {
            Ri = std::max(0.0, 2 * W / kPi - H / 2);
            Ro = Ri + H;
            Ox = Ro * std::sin(half);
            Oy = Ro;
            OutW = std::ceil(2 * Ox);
            OutH = std::ceil(Ro - Ri * std::cos(half));
        } else {
            R = W / kPi;
            Bow = R / 4;
            OutW = std::max(1.0, std::ceil(2 * R));
            OutH = std::ceil(H + Bow);
        }
    }

    bool Map(double x, double y, int& sx, int& sy) const {
        if (Type == BendFan) {
            const double px = x - Ox, py = y - Oy;
            const double r = std::hypot(px, py), angle = std::atan2(px, -py);
            if (r < Ri || r >= Ro || std::abs(angle) > kPi / 4) return false;
            sx = Clamp((angle / (kPi / 2) + 0.5) * W, int(W));
            sy = Clamp(Ro - r, int(H));
            return true;
        }
        const double d = (x - OutW / 2) / R;
        if (d <= -1 || d >= 1) return false;
        const double phi = std::asin(d);
        const double row = std::floor(y - Bow * std::cos(phi));
        if (row < 0 || row >= H) return false;
        sx = Clamp((phi / kPi + 0.5) * W, int(W));
        sy = int(row);
        return true;
    }
};

} // namespace

uint32_t BendFloating(const TFloating& source, int bendType, TFloating& out) {
    out.Release();
    if (source.Empty()) return ErrorCode::NoWorkArea;
    const int bpp = source.Image.BitsPerPixel, bytes = bpp / 8;
    if (bpp != 8 && bpp != 24) return ErrorCode::BadFile;
    const TBend bend(bendType == BendTube ? BendTube : BendFan, source.Width(), source.Height());
    if (bend.OutW > kMaxBitmapSide || bend.OutH > kMaxBitmapSide ||
        !BitmapSizeAllowed(int(bend.OutW), int(bend.OutH), bpp))
        return ErrorCode::TooLargeForOperation;
    if (!out.Allocate(int(bend.OutW), int(bend.OutH), bpp)) return ErrorCode::OutOfMemory;
    for (int y = 0; y < out.Height(); ++y) {
        uint8_t* to = out.Image.ScanLine(y);
        uint8_t* toMask = out.Mask.ScanLine(y);
        for (int x = 0; x < out.Width(); ++x) {
            int sx = 0, sy = 0;
            if (!bend.Map(x + 0.5, y + 0.5, sx, sy)) continue;
            const uint8_t m = source.Mask.ScanLine(sy)[sx];
            const uint8_t* p = source.Image.ScanLine(sy) + size_t(sx) * bytes;
            toMask[x] = m;
            for (int c = 0; c < bytes; ++c)
                to[x * bytes + c] = p[c] & m;
        }
    }
    return 0;
}
