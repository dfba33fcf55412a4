#pragma once
// Region growing: the 4-connected area of passing pixels around a seed, as
// rectangles, for selections made by colour.
//   pass(const uint8_t* row, int x) -> bool: pixel x of row (the picture's whole
//   row, any depth) belongs to the area. It looks at pixel x alone.
//
// A 1-bit visited plane of the picture's size and a stack of runs. A passing
// pixel is taken with its whole run: extended left and right over passing
// pixels, marked visited, kept as a one-row rectangle and put on the stack. The
// seed is taken first; for each run taken from the stack the rows above and
// below are scanned over its extent, and every unvisited passing pixel found
// there is taken the same way, so a pixel is tested about once. Since a run
// always takes the whole stretch of passing pixels, a stretch is visited all at
// once or not at all, so one pixel tells which.
// A run joins a rectangle with the same left and right edges that touches it from
// above or below (both, when it closes the gap between two); otherwise it starts
// a rectangle of its own.

#include "raster/Tpmemory.h"

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <new>
#include <vector>

// The rectangles of the runs, joined where they line up.
class TRunRects {
  public:
    // The run [left, right) of row y. above and below say whether the rows next to
    // it are visited at left; rectangles it could join are looked for only there.
    void Add(int y, int left, int right, bool above = true, bool below = true);
    // The rectangles, none empty; the list starts again.
    std::vector<QRect> Take();

  private:
    // Rectangles by row and left edge (no two rectangles share both): an
    // open-addressed table with linear probing.
    class TIndex {
      public:
        void Set(uint32_t key, uint32_t rect);
        void Erase(uint32_t key);
        // The rectangle of key; -1 when it has none.
        int64_t Find(uint32_t key) const;
        void Clear() { Slots.clear(), Used = 0; }

      private:
        struct TSlot {
            uint32_t Key = 0; // 0: empty
            uint32_t Rect = 0;
        };
        size_t Home(uint32_t key) const { return size_t((key * 0x9E3779B97F4A7C15ull) >> Shift); }
        std::vector<TSlot> Slots;
        size_t Used = 0;
        int Shift = 64;
    };
    // Rows and columns stay below 65535, so a key is never 0.
    static uint32_t Key(int y, int left) { return ((uint32_t(y) << 16) | uint32_t(left)) + 1; }
    // The rectangle whose first (top) or last (bottom) row is y and whose edges are
    // left and right; -1 when there is none.
    int64_t Find(const TIndex& index, bool top, int y, int left, int right) const;
    std::vector<QRect> Rects;
    TIndex Tops;
    TIndex Bottoms;
};

// The region of GrowRegion's rectangles, which are disjoint and never touch side
// by side on a row: built band by band in one sweep, far cheaper than uniting them.
QRegion RegionOfRuns(const std::vector<QRect>& rects);

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
        struct TRun {
            int Y, Left, Right;
        };
        std::vector<TRun> taken;
        // Takes the run through passing pixel x of row y; returns its end (exclusive).
        auto take = [&](int y, int x) {
            const uint8_t* row = picture.ScanLine(y);
            int left = x, right = x + 1;
            while (left > 0 && pass(row, left - 1))
                --left;
            while (right < width && pass(row, right))
                ++right;
            Mark(bitsOf(y), left, right);
            runs.Add(y, left, right, y > 0 && Visited(bitsOf(y - 1), left),
                     y + 1 < height && Visited(bitsOf(y + 1), left));
            taken.push_back({y, left, right});
            return right;
        };
        if (pass(picture.ScanLine(seed.y()), seed.x())) take(seed.y(), seed.x());
        while (!taken.empty()) {
            const TRun run = taken.back();
            taken.pop_back();
            for (const int y : {run.Y - 1, run.Y + 1}) {
                if (y < 0 || y >= height) continue;
                const uint8_t* row = picture.ScanLine(y);
                const uint8_t* bits = bitsOf(y);
                for (int x = run.Left; x < run.Right;) {
                    if (Visited(bits, x))
                        x = NextUnvisited(bits, x, run.Right);
                    else if (pass(row, x))
                        x = take(y, x) + 1; // the pixel after a run fails
                    else
                        ++x;
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
