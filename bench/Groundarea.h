#pragma once
// The ground and border stripes of the A0 8-bit design (71 % of it) as one area
// around kFrom, for the fills' benchmarks, with the helpers they share.
#include "A0document.h"
#include "colour/Colorset.h"
#include "tools/Spreadfill.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

inline const QPoint kFrom(400, 400), kTo(4600, 6600); // on the ground, corner to corner

// The design's ground and stripes (indices 2 .. 11) as the colour list.
inline TChoiceColor GroundList(const TPalette& palette) {
    TChoiceColor list;
    for (int i = 2; i < 12; ++i)
        list.Add(i, palette);
    return list;
}

inline const TSpreadArea& Area() {
    static TSpreadArea area;
    if (area.Rect.isEmpty()) {
        const TDocument& doc = A0(8);
        FindSpreadArea(doc.Picture(), doc.Palette(), GroundList(doc.Palette()), kFrom, QRegion(), area);
    }
    return area;
}

inline int64_t AreaPixels() {
    static int64_t n = 0;
    if (!n) {
        const TSpreadArea& a = Area();
        for (int y = a.Rect.top(); y <= a.Rect.bottom(); ++y)
            for (int x = a.Rect.left(); x <= a.Rect.right(); ++x)
                n += a.Mask.TestBit(x, y);
    }
    return n;
}

// A change that keeps no record cannot put the design back: the plane does.
inline void PutBack(TChange& change) {
    change.Picture().PutRows(Plane(8).data(), kA0Width, false);
    change.Fail();
}

inline void Count(benchmark::State& state, int64_t pixels) {
    state.counters["Mpx"] = double(pixels) / 1e6;
    state.counters["px/s"] =
        benchmark::Counter(double(pixels), benchmark::Counter::kIsIterationInvariantRate);
}

// The reference the passes over the whole design stand beside: its bytes at a
// depth copied once.
inline void CopyDesignBytes(benchmark::State& state, int bits) {
    const TOrvaneBitmap& picture = A0(bits).Picture();
    const size_t n = size_t(picture.BytesPerLine()) * picture.Height;
    std::vector<uint8_t> from(n, 7), to(n);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), n);
        benchmark::ClobberMemory();
    }
    Count(state, int64_t(kA0Width) * kA0Height);
}
