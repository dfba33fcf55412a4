// The document's guarded step on an A0 design against the undo store alone: what
// every tool click and every whole-picture command costs on top of its own work.
#include "A0document.h"

#include <benchmark/benchmark.h>

namespace {

// Whole picture recorded, committed with its notice, then undone: compare with
// BM_UndoAddWholeThenUndo, the store alone.
void BM_DocumentWholeChangeThenUndo(benchmark::State& state) {
    TDocument& doc = A0(int(state.range(0)));
    for (auto _ : state) {
        TChange change(doc);
        change.Commit();
        if (!change.Recorded() || !doc.Undo()) state.SkipWithError("change failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(doc.Picture().Handle.ByteSize()));
}

// One tool click's step: a 64 x 64 rectangle recorded, filled through the guard and committed.
void BM_DocumentSmallChange(benchmark::State& state) {
    TDocument& doc = A0(int(state.range(0)));
    const QRect rect(1000, 2000, 64, 64);
    uint32_t value = 0;
    for (auto _ : state) {
        TChange change(doc, rect);
        change.Fill(rect, ++value & 0xFF);
        change.Commit();
    }
}

// The same fill written straight through the guard, without record or notice.
void BM_GuardFillReference(benchmark::State& state) {
    TDocument& doc = A0(int(state.range(0)));
    const QRect rect(1000, 2000, 64, 64);
    uint32_t value = 0;
    TChange change(doc, 0);
    for (auto _ : state)
        change.Guard().Fill(change.Picture(), rect, ++value & 0xFF);
    change.Commit();
}

} // namespace

BENCHMARK(BM_DocumentWholeChangeThenUndo)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DocumentSmallChange)->Arg(8)->Arg(24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GuardFillReference)->Arg(8)->Arg(24)->Unit(benchmark::kMicrosecond);
