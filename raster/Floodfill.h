#pragma once
// Scan-line seed fills, 4-connected, over a TOrvaneBitmap. The caller decides
// which pixels belong to the region, so one engine serves "same colour", "same
// colour group" or "not yet marked":
//   test(uint8_t* row, int x) -> bool: pixel x of row belongs to the region;
//   set(uint8_t* row, int x):          takes pixel x into the region.
// row is the whole row of the picture (any depth: the caller addresses pixel x).
// Both look at pixel x alone and may not call the bitmap's row access.
//
// The walk: the seed is taken without being tested and grown right and left
// into a span while test holds. The rows above and below are scanned across
// each span; every run found there is taken at once, grown both ways beyond the
// span as far as test holds, and waits on a last-in, first-out list to have its
// own neighbours scanned. So each pixel is set once and tested about once.
//
// test and set may be any callables. Lambdas and small functors are inlined
// into the row loops, which is what makes the fill fast; a std::function works
// too, at the price of a call per pixel.

#include "raster/Tpmemory.h"

#include <QPoint>
#include <QRect>
#include <algorithm>
#include <cstdint>
#include <new>
#include <type_traits>
#include <vector>

// The "no set" of FloodFillMask: the region is only recorded in the mask.
struct TNoSet {
    void operator()(uint8_t*, int) const {}
};

// Clips bounds (null: the whole picture) to the picture into area. False, with
// area empty, when the picture is not allocated or seed lies outside area.
bool FloodFillArea(const TOrvaneBitmap& bitmap, const QRect* bounds, QPoint seed, QRect& area);

// Makes mask width x height at 1 bit per pixel (rows packed to 32-bit words, not
// StrideFor's layout), locked and cleared, reusing its memory when it already has that shape. False, mask as
// it was, when memory is short.
bool PrepareFillMask(TPBitmap& mask, int width, int height);

namespace floodfill_detail {

// A test and a set over the picture's own rows, for FloodFill.
template <class TTest, class TSet> struct TInPlace {
    TInPlace(TOrvaneBitmap& bitmap, TTest& test, TSet& set) : Bitmap(bitmap), Test(test), Set(set) {}
    TOrvaneBitmap& Bitmap;
    TTest& Test;
    TSet& Set;

    uint8_t* Row(int y) { return Bitmap.ScanLine(y); }
    bool operator()(uint8_t* row, int x) { return Test(row, x); }
    void Take(uint8_t* row, int x) { Set(row, x); }
};

// A test and an optional set whose region goes into a 1-bit mask. Marked
// pixels count as failing. With a set, rows are copied into the bitmap's row
// buffer first, so whatever set writes is dropped and the picture stays as it was.
template <class TTest, class TSet> struct TIntoMask {
    TIntoMask(TOrvaneBitmap& bitmap, TPBitmap& mask, TTest& test, TSet& set, bool callSet)
        : Bitmap(bitmap), Mask(mask), Test(test), Set(set), CallSet(callSet) {}
    TOrvaneBitmap& Bitmap;
    TPBitmap& Mask;
    TTest& Test;
    TSet& Set;
    bool CallSet;

    struct TRow {
        uint8_t* Pixels;
        uint8_t* Bits;
    };
    TRow Row(int y) {
        return {CallSet ? Bitmap.ReadRow(y) : Bitmap.ScanLine(y),
                Mask.Bits + size_t(y) * size_t(Mask.Stride)};
    }
    bool operator()(const TRow& r, int x) {
        return !(r.Bits[x >> 3] & (0x80 >> (x & 7))) && Test(r.Pixels, x);
    }
    void Take(const TRow& r, int x) {
        r.Bits[x >> 3] |= uint8_t(0x80 >> (x & 7));
        if (CallSet) Set(r.Pixels, x);
    }
    // Takes pixels from x on while they pass; returns the first that fails, or
    // limit. Without a set, a mask byte with nothing taken yet is tested eight
    // pixels at a time and marked at once.
    int GrowRight(const TRow& r, int x, int limit) {
        while (x < limit) {
            if (!CallSet && (x & 7) == 0 && limit - x >= 8 && r.Bits[x >> 3] == 0) {
                int k = 0;
                while (k < 8 && Test(r.Pixels, x + k))
                    ++k;
                r.Bits[x >> 3] = uint8_t(0xFF00 >> k);
                x += k;
                if (k < 8) return x;
                continue;
            }
            if (!(*this)(r, x)) return x;
            Take(r, x++);
        }
        return x;
    }
    // The first column in [x, end) that passes, else end; whole mask bytes of
    // taken pixels are passed over at once.
    int FindPassing(const TRow& r, int x, int end) {
        while (x < end) {
            if ((x & 7) == 0 && end - x >= 8 && r.Bits[x >> 3] == 0xFF) {
                x += 8;
                continue;
            }
            if ((*this)(r, x)) return x;
            ++x;
        }
        return end;
    }
};

// The walk shared by both fills. A span remembers the span that found it: that
// one is wholly taken, so its columns need not be scanned again on its row.
template <class TRule> class TWalk {
  public:
    TWalk(TRule& rule, const QRect& area) : Rule(rule), Area(area) {}

    // False when the span list runs out of memory, or when the test keeps
    // accepting taken pixels (more pixels taken than the area holds).
    bool Run(QPoint seed, QRect& filled) {
        MinX = MaxX = seed.x(), MinY = MaxY = seed.y();
        Budget = int64_t(Area.width()) * Area.height();
        bool ok = true;
        try {
            Spans.reserve(1024);
            auto row = Rule.Row(seed.y());
            Rule.Take(row, seed.x()); // the seed is taken untested
            ok = Found(row, seed.y(), seed.x(), {seed.y(), 0, 0, seed.y(), 0, 0}) >= 0;
            while (ok && !Spans.empty()) {
                const TSpan s = Spans.back();
                Spans.pop_back();
                for (const int y : {s.Y + 1, s.Y - 1}) {
                    if (y < Area.top() || y > Area.bottom()) continue;
                    if (y != s.FromY) {
                        ok = ok && Scan(s, y, s.Left, s.Right);
                    } else {
                        ok = ok && Scan(s, y, s.Left, std::min(s.Right, s.FromLeft));
                        ok = ok && Scan(s, y, std::max(s.Left, s.FromRight), s.Right);
                    }
                }
            }
        } catch (const std::bad_alloc&) {
            ok = false;
        }
        filled = QRect(QPoint(MinX, MinY), QPoint(MaxX, MaxY));
        return ok;
    }

  private:
    struct TSpan {
        int Y, Left, Right;             // right exclusive
        int FromY, FromLeft, FromRight; // the span that found it
    };

    // Takes the runs of row y within columns [from, to), each grown beyond them
    // as far as the test holds, as spans found by s.
    bool Scan(const TSpan& s, int y, int from, int to) {
        if (from >= to) return true;
        auto row = Rule.Row(y);
        for (int c = Find(row, from, to); c < to; c = Find(row, c, to)) {
            Rule.Take(row, c);
            const int end = Found(row, y, c, s);
            if (end < 0) return false;
            c = end + 1; // column end fails or lies outside
        }
        return true;
    }

    // Pixel x of row y is taken: grows its run both ways, taking as it tests,
    // and keeps it as a span found by parent. Returns the run's end (exclusive),
    // -1 when the budget is spent.
    int Found(auto& row, int y, int x, const TSpan& parent) {
        int end = x + 1, start = x;
        const int right = Area.x() + Area.width();
        if constexpr (requires { Rule.GrowRight(row, end, right); }) {
            end = Rule.GrowRight(row, end, right);
        } else {
            for (; end < right && Rule(row, end); ++end)
                Rule.Take(row, end);
        }
        for (; start > Area.left() && Rule(row, start - 1); --start)
            Rule.Take(row, start - 1);
        MinX = std::min(MinX, start), MaxX = std::max(MaxX, end - 1);
        MinY = std::min(MinY, y), MaxY = std::max(MaxY, y);
        Budget -= end - start;
        if (Budget < 0) return -1;
        Spans.push_back({y, start, end, parent.Y, parent.Left, parent.Right});
        return end;
    }

    // The first column in [x, end) that passes, else end.
    int Find(auto& row, int x, int end) {
        if constexpr (requires { Rule.FindPassing(row, x, end); }) {
            return Rule.FindPassing(row, x, end);
        } else {
            while (x < end && !Rule(row, x))
                ++x;
            return x;
        }
    }

    TRule& Rule;
    const QRect Area;
    std::vector<TSpan> Spans;
    int MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;
    int64_t Budget = 0;
};

template <class T> bool Assigned(const T& set) {
    if constexpr (std::is_same_v<std::remove_cvref_t<T>, TNoSet>)
        return false;
    else if constexpr (std::is_constructible_v<bool, const T&>)
        return bool(set);
    else
        return true;
}

} // namespace floodfill_detail

// Fills the region around seed, calling set on every pixel taken; the picture's
// rows are changed in place as the fill grows, so test must fail on a pixel once
// set has taken it (for example test accepts the old colour, set writes another).
// bounds (null: the whole picture; clipped to it) limits the fill, left and top
// inclusive. filled (may be null) receives the bounding rectangle of the pixels
// taken. False, taking nothing and filled empty, for an unallocated picture or a
// seed outside bounds or the picture. False midway when memory runs out, or once
// more pixels were taken than the area holds (a test that accepts what set wrote).
template <class TTest, class TSet>
bool FloodFill(TOrvaneBitmap& bitmap, QRect* filled, const QRect* bounds, QPoint seed, TTest&& test,
               TSet&& set) {
    QRect area, got;
    if (filled) *filled = QRect();
    if (!FloodFillArea(bitmap, bounds, seed, area)) return false;
    floodfill_detail::TInPlace<TTest, TSet> rule(bitmap, test, set);
    const bool ok = floodfill_detail::TWalk(rule, area).Run(seed, got);
    if (filled) *filled = got;
    return ok;
}

// Records the region around seed in mask (reallocated to the picture's size at
// 1 bit per pixel, bit set = in the region; locked while it works, unlocked
// after) and never changes the picture. Pixels already marked count as failing
// the test, so test need not exclude them. set is optional (TNoSet or an empty
// std::function: not called); when given it sees a copy of the row that is
// thrown away. bounds and filled as for FloodFill. False, with mask and filled
// untouched, for an unallocated picture, a null mask, a seed outside, or when
// the mask or the row buffer cannot be allocated; false midway when memory runs out.
template <class TTest, class TSet = TNoSet>
bool FloodFillMask(TOrvaneBitmap& bitmap, QRect* filled, TPBitmap* mask, QPoint seed, TTest&& test,
                   TSet&& set = TNoSet{}, const QRect* bounds = nullptr) {
    QRect area, got;
    if (!mask || !FloodFillArea(bitmap, bounds, seed, area)) return false;
    const bool callSet = floodfill_detail::Assigned(set);
    if (callSet && !bitmap.BeginRows()) return false;
    if (!PrepareFillMask(*mask, bitmap.Width, bitmap.Height)) {
        bitmap.EndRows();
        return false;
    }
    floodfill_detail::TIntoMask<TTest, TSet> rule(bitmap, *mask, test, set, callSet);
    const bool ok = floodfill_detail::TWalk(rule, area).Run(seed, got);
    mask->Unlock();
    if (callSet) bitmap.EndRows();
    if (filled) *filled = got;
    return ok;
}
