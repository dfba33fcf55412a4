#pragma once
// Small fixtures for raster tests: pictures drawn as ASCII art.
#include "raster/Tpmemory.h"

#include <QRegion>
#include <algorithm>
#include <string>
#include <vector>

// Writes rows of characters into an 8-bit picture at least their size, each
// character its own palette index.
inline void PutArt(TOrvaneBitmap& b, const std::vector<std::string>& rows) {
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            b.SetPixel(int(x), int(y), uint8_t(rows[y][x]));
}

// An 8-bit picture from rows of characters; each character is its own palette index
// ('.' = 46, '#' = 35 ...). The palette is a grey ramp.
inline bool MakeIndexed(TOrvaneBitmap& b, const std::vector<std::string>& rows) {
    const int h = int(rows.size()), w = h ? int(rows[0].size()) : 0;
    TRGBQuad grey[256];
    for (int i = 0; i < 256; ++i)
        grey[i] = TRGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    if (!b.Allocate(w, h, grey, 8)) return false;
    PutArt(b, rows);
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

// A region as rows of characters over width x height: '#' inside, '.' outside.
inline std::vector<std::string> RegionArt(const QRegion& region, int width, int height) {
    std::vector<std::string> out(size_t(height), std::string(size_t(width), '.'));
    for (const QRect& r : region)
        for (int y = std::max(0, r.top()); y <= std::min(height - 1, r.bottom()); ++y)
            for (int x = std::max(0, r.left()); x <= std::min(width - 1, r.right()); ++x)
                out[size_t(y)][size_t(x)] = '#';
    return out;
}

// The pixels of art that hold c, as a region.
inline QRegion RegionOfArt(const std::vector<std::string>& art, char c = '#') {
    QRegion out;
    for (size_t y = 0; y < art.size(); ++y)
        for (size_t x = 0; x < art[y].size(); ++x)
            if (art[y][x] == c) out += QRect(int(x), int(y), 1, 1);
    return out;
}
