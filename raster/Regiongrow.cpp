#include "raster/Regiongrow.h"

#include <cstring>

void TRunRects::Add(int y, int left, int right) {
    if (auto up = Bottoms.find(Key(y - 1, left, right)); up != Bottoms.end()) {
        const size_t i = up->second;
        Bottoms.erase(up);
        Rects[i].setBottom(y);
        if (auto down = Tops.find(Key(y + 1, left, right)); down != Tops.end()) {
            // The run closes the gap to a rectangle below: that one joins this one.
            const size_t j = down->second;
            Tops.erase(down);
            Bottoms.erase(Key(Rects[j].bottom(), left, right));
            Rects[i].setBottom(Rects[j].bottom());
            Rects[j] = QRect();
        }
        Bottoms[Key(Rects[i].bottom(), left, right)] = i;
        return;
    }
    if (auto down = Tops.find(Key(y + 1, left, right)); down != Tops.end()) {
        const size_t j = down->second;
        Tops.erase(down);
        Rects[j].setTop(y);
        Tops[Key(y, left, right)] = j;
        return;
    }
    Rects.emplace_back(left, y, right - left, 1);
    Tops[Key(y, left, right)] = Bottoms[Key(y, left, right)] = Rects.size() - 1;
}

std::vector<QRect> TRunRects::Take() {
    std::vector<QRect> out;
    out.reserve(Rects.size());
    for (const QRect& r : Rects)
        if (!r.isNull()) out.push_back(r);
    Rects.clear();
    Tops.clear();
    Bottoms.clear();
    return out;
}

namespace regiongrow_detail {

void Mark(uint8_t* bits, int from, int to) {
    for (; from < to && (from & 7); ++from)
        bits[from >> 3] |= uint8_t(0x80 >> (from & 7));
    const int whole = (to - from) >> 3;
    if (whole > 0) {
        std::memset(bits + (from >> 3), 0xFF, size_t(whole));
        from += whole << 3;
    }
    for (; from < to; ++from)
        bits[from >> 3] |= uint8_t(0x80 >> (from & 7));
}

int NextUnvisited(const uint8_t* bits, int x, int end) {
    while (x < end && (x & 7) && Visited(bits, x))
        ++x;
    while (x + 8 <= end && bits[x >> 3] == 0xFF)
        x += 8;
    while (x < end && Visited(bits, x))
        ++x;
    return x;
}

} // namespace regiongrow_detail
