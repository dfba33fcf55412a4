// IMAGE SPRAY of a 300 x 200 motif over the A0 8-bit design: 21 stamps along a
// 2000-pixel path, turned (a diagonal) or not (a row); the undo record of the
// path's reach is part of each step, the undo that puts the design back is not.
#include "Groundarea.h"
#include "tools/Patternrepeat.h"
#include "tools/Superimpose.h"

#include <cstring>

namespace {

void RunSpray(benchmark::State& state, QPoint end) {
    TDocument& doc = A0(8);
    TFloating motif;
    if (!motif.Allocate(300, 200, 8)) return state.SkipWithError("memory");
    for (int y = 0; y < 200; ++y) {
        std::memset(motif.Image.ScanLine(y), 2 + y % 50, 300);
        std::memset(motif.Mask.ScanLine(y), 255, 300);
    }
    const std::vector<QPoint> path{QPoint(1000, 1000), QPoint(1000, 1000) + end};
    for (auto _ : state) {
        if (SprayMotif(doc, motif, path, 100, TSuperimposeRule{})) return state.SkipWithError("refused");
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 21);
}

void BM_PatternSprayRow(benchmark::State& state) {
    RunSpray(state, QPoint(2000, 0));
}
void BM_PatternSprayTurned(benchmark::State& state) {
    RunSpray(state, QPoint(1414, 1414));
}

} // namespace

BENCHMARK(BM_PatternSprayRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternSprayTurned)->Unit(benchmark::kMillisecond);
