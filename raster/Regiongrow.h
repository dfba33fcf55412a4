#pragma once
// Region growing: the 4-connected area of passing pixels around a seed, as
// rectangles, for selections made by colour.
//   pass(const uint8_t* row, int x) -> bool: pixel x of row (the picture's whole
//   row, any depth) belongs to the area. It looks at pixel x alone.
//
// A 1-bit visited plane of the picture's size and a stack of seeds: a seed taken
// from the stack that passes and is not visited is extended left and right into
// the run of passing pixels through it, which is marked visited and becomes a
// one-row rectangle; the rows above and below are scanned over the run and the
// first pixel of each unvisited stretch of passing pixels there becomes a seed.
// Since a run always takes the whole stretch of passing pixels, a stretch is
// visited all at once or not at all, so one pixel tells which.
// A run joins a rectangle with the same left and right edges that touches it from
// above or below (both, when it closes the gap between two); otherwise it starts
// a rectangle of its own.

#include "raster/Tpmemory.h"

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <new>
#include <unordered_map>
#include <vector>

// The rectangles of the runs, joined where they line up.
class TRunRects {
  public:
    // The run [left, right) of row y.
    void Add(int y, int left, int right);
    // The rectangles, none empty; the list starts again.
    std::vector<QRect> Take();

  private:
    static uint64_t Key(int y, int left, int right) {
        return (uint64_t(uint32_t(y)) << 32) | (uint64_t(uint32_t(left)) << 16) | uint64_t(uint32_t(right));
    }
    std::vector<QRect> Rects;
    std::unordered_map<uint64_t, size_t> Tops;    // (first row, left, right) -> rectangle
    std::unordered_map<uint64_t, size_t> Bottoms; // (last row, left, right) -> rectangle
};

namespace regiongrow_detail {

inline bool Visited(const uint8_t* bits, int x) {
    return bits[x >> 3] & (0x80 >> (x & 7));
}
// Marks [from, to) visited.
void Mark(uint8_t* bits, int from, int to);
// The first column in [x, end) that is not visited, else end.
int NextUnvisited(const uint8_t* bits, int x, int end);

} // namespace regiongrow_detail

// Grows the area around seed into rects (replacing what they held). False, rects
// empty, for an unallocated picture, a seed outside it, or when memory runs out.
// A seed that does not pass gives no rectangle.
template <class TPass>
bool GrowRegion(const TOrvaneBitmap& picture, QPoint seed, TPass&& pass, std::vector<QRect>& rects) {
    using namespace regiongrow_detail;
    rects.clear();
    const int width = picture.Width, height = picture.Height;
    if (!picture.Allocated() || !QRect(0, 0, width, height).contains(seed)) return false;
    TPBitmap visited;
    if (!visited.Allocate(width, height, 1)) return false;
    uint8_t* const plane = visited.Lock();
    auto bitsOf = [&](int y) { return plane + size_t(y) * size_t(visited.Stride); };
    try {
        TRunRects runs;
        std::vector<QPoint> seeds{seed};
        while (!seeds.empty()) {
            const QPoint s = seeds.back();
            seeds.pop_back();
            const uint8_t* row = picture.ScanLine(s.y());
            uint8_t* bits = bitsOf(s.y());
            if (Visited(bits, s.x()) || !pass(row, s.x())) continue;
            int left = s.x(), right = s.x() + 1;
            while (left > 0 && pass(row, left - 1))
                --left;
            while (right < width && pass(row, right))
                ++right;
            Mark(bits, left, right);
            runs.Add(s.y(), left, right);
            for (const int y : {s.y() - 1, s.y() + 1}) {
                if (y < 0 || y >= height) continue;
                const uint8_t* next = picture.ScanLine(y);
                const uint8_t* nextBits = bitsOf(y);
                for (int x = left; x < right;) {
                    if (Visited(nextBits, x)) {
                        x = NextUnvisited(nextBits, x, right);
                    } else if (!pass(next, x)) {
                        ++x;
                    } else {
                        seeds.emplace_back(x, y);
                        for (++x; x < right && pass(next, x);)
                            ++x;
                    }
                }
            }
        }
        rects = runs.Take();
    } catch (const std::bad_alloc&) {
        rects.clear();
        return false;
    }
    return true;
}
