#pragma once
// Fixtures for the view tests: pictures from ASCII art and frames back as ASCII art.
#include "support/Pictures.h"

#include <QImage>
#include <string>
#include <vector>

constexpr TColorRef kRed = MakeColorRef(255, 0, 0);
constexpr TColorRef kGreen = MakeColorRef(0, 255, 0);
constexpr TColorRef kBlue = MakeColorRef(0, 0, 255);

// The opaque grey a grey-ramp index shows as.
inline QRgb Grey(int i) {
    return qRgb(i, i, i);
}

// A 24-bit picture from rows of characters: each character c is the grey (c, c, c).
inline bool MakeGrey24(TOrvaneBitmap& b, const std::vector<std::string>& rows) {
    const int h = int(rows.size()), w = h ? int(rows[0].size()) : 0;
    if (!b.Allocate(w, h, nullptr, 24)) return false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int c = uint8_t(rows[size_t(y)][size_t(x)]);
            b.SetPixel(x, y, MakeColorRef(c, c, c));
        }
    return true;
}

// One character per frame pixel: a printable grey shows as itself, pure red, green and
// blue as R, G, B, a transparent pixel as '_', anything else as '?'.
inline std::vector<std::string> FrameRows(const QImage& image) {
    std::vector<std::string> out;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            char c = '?';
            if (qAlpha(p) == 0)
                c = '_';
            else if (r == g && g == b && r >= 33 && r <= 126)
                c = char(r);
            else if (p == qRgb(255, 0, 0))
                c = 'R';
            else if (p == qRgb(0, 255, 0))
                c = 'G';
            else if (p == qRgb(0, 0, 255))
                c = 'B';
            row.push_back(c);
        }
        out.push_back(row);
    }
    return out;
}

// A string of n copies of c (for rows of zoomed pixels).
inline std::string Span(int n, char c) {
    return std::string(size_t(n), c);
}
