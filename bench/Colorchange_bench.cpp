// The Color Change tool on the A0 160-dpi 8-bit design: a swap of two colours and a
// Single To Single change (preview, then commit), each one guarded change with its
// undo record; compare with BM_GroupCopyReference (a plain copy of the picture) in
// the same run. Each change is undone (untimed) so every iteration starts alike.
#include "A0document.h"
#include "colour/Colorchange.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ColorSwap(benchmark::State& state) {
    TDocument& doc = A0(8);
    for (auto _ : state) {
        benchmark::DoNotOptimize(SwapColours(doc, 2, 3));
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(doc.Picture().Width) * doc.Picture().Height);
}

void BM_ColorSingleToSingle(benchmark::State& state) {
    TDocument& doc = A0(8);
    TIndexSet sources{};
    sources[2] = true;
    for (auto _ : state) {
        TPendingChange change;
        change.Begin(doc, sources, 2);
        change.Preview(5);
        benchmark::DoNotOptimize(change.Commit(5));
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(doc.Picture().Width) * doc.Picture().Height);
}

} // namespace

BENCHMARK(BM_ColorSwap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColorSingleToSingle)->Unit(benchmark::kMillisecond);
