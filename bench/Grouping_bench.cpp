// The Grouping tool on the A0 160-dpi 8-bit design: median cut to 16 colours and
// the 3- and 5-cell majority filters, each one guarded change (undo record included),
// beside a plain copy of the picture in the same run. Each run is undone
// (untimed) so every iteration starts from the same design.
#include "A0document.h"
#include "colour/Grouping.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace {

template <class F> void Undone(benchmark::State& state, F&& run) {
    TDocument& doc = A0(8);
    for (auto _ : state) {
        benchmark::DoNotOptimize(run(doc));
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(doc.Picture().Width) * doc.Picture().Height);
}

void BM_GroupReduce16(benchmark::State& state) {
    Undone(state, [](TDocument& doc) { return GroupReduce(doc, 16); });
}

// range(0): the filter's size (shape 0).
void BM_GroupFilter(benchmark::State& state) {
    const int size = int(state.range(0));
    Undone(state, [size](TDocument& doc) { return GroupFilter(doc, size, 0, TChoiceColor()); });
}

// Reference: the guarded change alone (the whole picture recorded for undo, nothing written).
void BM_GroupChangeReference(benchmark::State& state) {
    Undone(state, [](TDocument& doc) {
        TChange change(doc);
        change.Commit();
        return 0;
    });
}

// Reference: one plain copy of the picture's pixels.
void BM_GroupCopyReference(benchmark::State& state) {
    const TOrvaneBitmap& picture = A0(8).Picture();
    const size_t row = size_t(picture.Width);
    std::vector<uint8_t> out(row * size_t(picture.Height));
    for (auto _ : state) {
        for (int y = 0; y < picture.Height; ++y)
            std::memcpy(out.data() + row * size_t(y), picture.ScanLine(y), row);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(out.size()));
}

} // namespace

BENCHMARK(BM_GroupReduce16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupFilter)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupChangeReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupCopyReference)->Unit(benchmark::kMillisecond);
