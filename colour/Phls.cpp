#include "colour/Phls.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

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
    // Truncated as always, but past the last bits of rounding noise: a channel that
    // is exactly 1 must give 255 whichever way the compiler ordered the sums.
    const auto channel = [](double v) { return int(255 * v + 1e-9); };
    if (hls.S == 0) {
        red = green = blue = channel(hls.L);
        return;
    }
    red = channel(Value(m1, m2, hls.H + 120));
    green = channel(Value(m1, m2, hls.H));
    blue = channel(Value(m1, m2, hls.H - 120));
}

void TPHLS::SetColor(TColorRef c) {
    if (c == Colour) return;
    Colour = c;
    const THLS hls = RGBToHLS(RedOf(c), GreenOf(c), BlueOf(c));
    if (hls.L != 0 && hls.S != 0) {
        HueValue = int(hls.H);
        LigValue = int(hls.L * 100);
        SatValue = int(hls.S * 100);
    } else {
        SatValue = 0;
        LigValue = int(hls.L * 100);
    }
    for (const auto* event : {&OnColorChange, &OnHueChange, &OnLigChange, &OnSatChange})
        if (*event) (*event)();
}

void TPHLS::SetHue(int h) {
    h = h < 0 ? 0 : h <= 360 ? h : 359;
    if (h == HueValue) return;
    HueValue = h;
    if (OnHueChange) OnHueChange();
    ChangeColor();
}

void TPHLS::SetLig(int l) {
    l = std::clamp(l, 0, 100);
    if (l == LigValue) return;
    LigValue = l;
    if (OnLigChange) OnLigChange();
    ChangeColor();
}

void TPHLS::SetSat(int s) {
    s = std::clamp(s, 0, 100);
    if (s == SatValue) return;
    SatValue = s;
    if (OnSatChange) OnSatChange();
    ChangeColor();
}

int TPHLS::WheelHue(int dx, int dy) {
    constexpr double kDegrees = 180.0 / 3.14159265358979323846;
    const double a = dy < 0 ? std::atan2(double(-dy), double(dx)) * kDegrees
                            : std::atan2(double(dy), double(-dx)) * kDegrees + 180;
    return int(std::lround(a));
}

void TPHLS::Change_LS(int x, int y) {
    if (Radius <= 0) return;
    const int top = Centre - Radius, depth = y - top;
    SetLig(std::clamp((2 * Radius - depth) * 100 / (2 * Radius), 0, 100));
    const int halfWidth = std::clamp(depth, 0, 2 * Radius) / 2;
    SetSat(halfWidth ? std::clamp(std::abs(x - Centre) * 100 / halfWidth, 0, 100) : 0);
}

void TPHLS::ChangeColor() {
    int r = 0, g = 0, b = 0;
    HLSToRGB(THLS{double(HueValue), LigValue * 0.01, SatValue * 0.01}, r, g, b);
    Colour = MakeColorRef(r, g, b);
    if (OnColorChange) OnColorChange();
}
