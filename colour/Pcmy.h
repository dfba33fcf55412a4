#pragma once
// Cyan, magenta and yellow as the complements of red, green and blue.

struct TCMY {
    int C = 0;
    int M = 0;
    int Y = 0;
};

inline TCMY RGBToCMY(int red, int green, int blue) {
    return TCMY{255 - red, 255 - green, 255 - blue};
}
inline void CMYToRGB(const TCMY& cmy, int& red, int& green, int& blue) {
    red = 255 - cmy.C;
    green = 255 - cmy.M;
    blue = 255 - cmy.Y;
}
