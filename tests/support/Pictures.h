#pragma once
// Small fixtures for raster tests: pictures drawn as ASCII art.
#include "raster/Tpmemory.h"

#include <string>
#include <vector>

// An 8-bit picture from rows of characters; each character is its own palette index
// ('.' = 46, '#' = 35 ...). The palette is a grey ramp.
inline bool MakeIndexed(TOrvaneBitmap& b, const std::vector<std::string>& rows) {
    const int h = int(rows.size()), w = h ? int(rows[0].size()) : 0;
    TRGBQuad grey[256];
    for (int i = 0; i < 256; ++i)
        grey[i] = TRGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    if (!b.Allocate(w, h, grey, 8)) return false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, uint8_t(rows[size_t(y)][size_t(x)]));
    return true;
}

// The picture back as rows of characters (8-bit pictures).
inline std::vector<std::string> Rows(const TOrvaneBitmap& b) {
    std::vector<std::string> out;
    for (int y = 0; y < b.Height; ++y) {
        std::string row;
        for (int x = 0; x < b.Width; ++x)
            row.push_back(char(b.GetPixel(x, y)));
        out.push_back(row);
    }
    return out;
}
