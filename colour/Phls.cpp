#include "colour/Phls.h"

#include <algorithm>

THLS RGBToHLS(int red, int green, int blue) {
    const double r = red / 255.0, g = green / 255.0, b = blue / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    THLS out;
    out.L = (mx + mn) / 2;
    if (mx == mn) {
        out.S = 0;
        out.H = kUndefinedHue;
        return out;
    }
    const double d = mx - mn;
    out.S = out.L <= 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    double h = r == mx ? (g - b) / d : g == mx ? 2 + (b - r) / d : 4 + (r - g) / d;
    h *= 60;
    if (h < 0) h += 360;
    out.H = h;
    return out;
}

namespace {

double Value(double m1, double m2, double h) {
    if (h < 0)
        h += 360;
    else if (h > 360)
        h -= 360;
    if (h < 60) return m1 + (m2 - m1) * h / 60;
    if (h < 180) return m2;
    if (h < 240) return m1 + (m2 - m1) * (240 - h) / 60;
    return m1;
}

} // namespace

void HLSToRGB(const THLS& hls, int& red, int& green, int& blue) {
    const double m2 = hls.L <= 0.5 ? hls.L * (1 + hls.S) : hls.L + hls.S - hls.L * hls.S;
    const double m1 = 2 * hls.L - m2;
    if (hls.S == 0) {
        red = green = blue = int(hls.L * 255);
        return;
    }
    red = int(255 * Value(m1, m2, hls.H + 120));
    green = int(255 * Value(m1, m2, hls.H));
    blue = int(255 * Value(m1, m2, hls.H - 120));
}
