// Seed fills on the 8-bit A0 design against one plain pass over the same canvas.
#include "Planes.h"
#include "raster/Floodfill.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <functional>

namespace {

constexpr uint8_t kGround = 2; // the design's ground; border stripes are 3 .. 10
constexpr uint8_t kPaint = 250;
const QPoint kSeed(400, 400); // on the ground, between the border and the first motifs

TOrvaneBitmap& Design() {
    static TOrvaneBitmap d;
    if (!d.Allocated()) d.Allocate(kA0Width, kA0Height, nullptr, 8);
    return d;
}

// Puts the design back (not timed): every fill starts from the same pixels.
void Restore(TOrvaneBitmap& d) {
    d.PutRows(Plane(8).data(), kA0Width, false);
}

bool IsGroup(uint8_t* row, int x) {
    return row[x] < 12;
}
void Paint(uint8_t* row, int x) {
    row[x] = kPaint;
}

template <class TTest, class TSet> void FillBench(benchmark::State& state, TTest test, TSet set) {
    TOrvaneBitmap& d = Design();
    for (auto _ : state) {
        state.PauseTiming();
        Restore(d);
        state.ResumeTiming();
        QRect filled;
        if (!FloodFill(d, &filled, nullptr, kSeed, test, set)) state.SkipWithError("fill failed");
        benchmark::ClobberMemory();
    }
    int64_t taken = 0; // by the last fill
    for (int y = 0; y < d.Height; ++y)
        taken += std::count(d.ScanLine(y), d.ScanLine(y) + d.Width, kPaint);
    state.counters["Mpx"] = double(taken) / 1e6;
    state.counters["canvas"] = double(taken) / (double(kA0Width) * kA0Height);
    state.counters["px/s"] = benchmark::Counter(double(taken), benchmark::Counter::kIsIterationInvariantRate);
}

// The ground alone (same index): about half the canvas.
void BM_FloodFillSameIndex(benchmark::State& state) {
    FillBench(
        state, [](uint8_t* row, int x) { return row[x] == kGround; },
        [](uint8_t* row, int x) { Paint(row, x); });
}

// The ground with the border stripes (a colour group, index below 12): 71 % of the canvas.
void BM_FloodFillGroup(benchmark::State& state) {
    FillBench(
        state, [](uint8_t* row, int x) { return IsGroup(row, x); },
        [](uint8_t* row, int x) { Paint(row, x); });
}

// The same through std::function: a call per pixel that cannot be inlined.
void BM_FloodFillGroupStdFunction(benchmark::State& state) {
    FillBench(state, std::function<bool(uint8_t*, int)>(IsGroup), std::function<void(uint8_t*, int)>(Paint));
}

// The reference: every pixel of the canvas read and written once by a plain loop.
void BM_FloodFillPlainPassReference(benchmark::State& state) {
    TOrvaneBitmap& d = Design();
    for (auto _ : state) {
        state.PauseTiming();
        Restore(d);
        state.ResumeTiming();
        for (int y = 0; y < d.Height; ++y) {
            uint8_t* row = d.ScanLine(y);
            for (int x = 0; x < d.Width; ++x)
                row[x] = IsGroup(row, x) ? kPaint : row[x];
        }
        benchmark::ClobberMemory();
    }
    const double pixels = double(kA0Width) * kA0Height;
    state.counters["px/s"] = benchmark::Counter(pixels, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(BM_FloodFillSameIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFillGroup)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFillGroupStdFunction)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFillPlainPassReference)->Unit(benchmark::kMillisecond);
