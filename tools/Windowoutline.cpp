#include "tools/Windowoutline.h"

#include "colour/Phls.h"
#include "raster/Regiongrow.h"
#include "shell/Exception.h"
#include "tools/Windowsettings.h"

#include <algorithm>
#include <cmath>

namespace {

int Clamped(int tolerance) {
    return std::clamp(tolerance, kMinTolerance, kMaxTolerance);
}

// A 24-bit pixel as stored (blue, green, red) in one number.
inline uint32_t Stored(const uint8_t* row, int x) {
    const uint8_t* p = row + 3 * x;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
}

uint32_t StoredOf(TColorRef c) {
    return uint32_t(BlueOf(c)) | uint32_t(GreenOf(c)) << 8 | uint32_t(RedOf(c)) << 16;
}

template <class TPass>
uint32_t Grow(const TOrvaneBitmap& picture, QPoint seed, TPass&& pass, QRegion& region) {
    std::vector<QRect> rects;
    if (!GrowRegion(picture, seed, pass, rects)) return ErrorCode::OutOfMemory;
    region = RegionOfRuns(rects);
    return 0;
}

uint32_t Indexed(const TOrvaneBitmap& picture, QPoint seed, const TOutlineRule& rule, QRegion& region) {
    const uint8_t clicked = picture.ScanLine(seed.y())[seed.x()];
    switch (rule.Kind) {
    case OutlineBorder: {
        const uint8_t border = uint8_t(rule.Border);
        return Grow(
            picture, seed, [border](const uint8_t* row, int x) { return row[x] != border; }, region);
    }
    case OutlineMulti: {
        const std::array<bool, 256>& in = rule.Members;
        return Grow(
            picture, seed, [&in](const uint8_t* row, int x) { return in[row[x]]; }, region);
    }
    default:
        return Grow(
            picture, seed, [clicked](const uint8_t* row, int x) { return row[x] == clicked; }, region);
    }
}

uint32_t FullColour(const TOrvaneBitmap& picture, QPoint seed, const TOutlineRule& rule, QRegion& region) {
    const uint32_t clicked = Stored(picture.ScanLine(seed.y()), seed.x());
    if (rule.Kind == OutlineBorder) {
        const uint32_t border = StoredOf(rule.Border);
        return Grow(
            picture, seed, [border](const uint8_t* row, int x) { return Stored(row, x) != border; }, region);
    }
    if (rule.Kind != OutlineMulti)
        return Grow(
            picture, seed, [clicked](const uint8_t* row, int x) { return Stored(row, x) == clicked; },
            region);
    if (rule.Method == MagicHLS) {
        const THlsMagic magic(MakeColorRef(int(clicked >> 16), int(clicked >> 8) & 255, int(clicked & 255)),
                              rule.Tolerance);
        // Neighbours mostly share a colour: the last answer is kept.
        uint32_t last = clicked;
        bool lastPasses = true;
        return Grow(
            picture, seed,
            [&](const uint8_t* row, int x) {
                const uint32_t v = Stored(row, x);
                if (v != last)
                    last = v, lastPasses = magic.Passes(int(v >> 16), int(v >> 8) & 255, int(v & 255));
                return lastPasses;
            },
            region);
    }
    // Stored order: blue, green, red.
    const TChannelRange b = MagicChannelRange(int(clicked & 255), rule.Tolerance);
    const TChannelRange g = MagicChannelRange(int(clicked >> 8) & 255, rule.Tolerance);
    const TChannelRange r = MagicChannelRange(int(clicked >> 16), rule.Tolerance);
    return Grow(
        picture, seed,
        [b, g, r](const uint8_t* row, int x) {
            const uint8_t* p = row + 3 * x;
            return p[0] >= b.Low && p[0] <= b.High && p[1] >= g.Low && p[1] <= g.High && p[2] >= r.Low &&
                   p[2] <= r.High;
        },
        region);
}

} // namespace

TChannelRange MagicChannelRange(int c, int tolerance) {
    const int t = Clamped(tolerance);
    const int d = t * 255 / 200;
    if (c + d > 255) return {(100 - t) * 255 / 100, 255};
    if (c - d < 0) return {0, t * 255 / 100};
    return {c - d, c + d};
}

THlsMagic::THlsMagic(TColorRef clicked, int tolerance) {
    const THLS hls = RGBToHLS(RedOf(clicked), GreenOf(clicked), BlueOf(clicked));
    L = hls.L, S = hls.S, H = hls.H;
    const int t = Clamped(tolerance);
    Reach = t / 200.0;
    HueReach = t * 1.8;
}

bool THlsMagic::Passes(int red, int green, int blue) const {
    const THLS hls = RGBToHLS(red, green, blue);
    if (std::abs(hls.L - L) > Reach || std::abs(hls.S - S) > Reach) return false;
    if (hls.S <= 0 || S <= 0) return true; // a grey has no hue to compare
    const double apart = std::fmod(std::abs(hls.H - H), 360.0);
    return std::min(apart, 360.0 - apart) <= HueReach;
}

uint32_t OutlineRegion(const TOrvaneBitmap& picture, QPoint seed, const TOutlineRule& rule, QRegion& region) {
    region = QRegion();
    if (!picture.Allocated() || !QRect(0, 0, picture.Width, picture.Height).contains(seed)) return 0;
    return picture.BitsPerPixel == 8 ? Indexed(picture, seed, rule, region)
                                     : FullColour(picture, seed, rule, region);
}
