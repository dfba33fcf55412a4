#pragma once
// Hue, lightness and saturation. H in degrees (999 when undefined, for greys),
// L and S in 0 .. 1. Channels come back truncated, not rounded.

struct THLS {
    double H = 0;
    double L = 0;
    double S = 0;
};

constexpr double kUndefinedHue = 999.0;

THLS RGBToHLS(int red, int green, int blue);
void HLSToRGB(const THLS& hls, int& red, int& green, int& blue);
