// The Repeat tool over the whole A0 8-bit design with a 300 x 200 tile: NORMAL and
// HALF DROP VER in superimpose mode 0 (tile-sized row copies) beside one memcpy
// of the design's bytes, and HALF DROP VER in mode 2 (pixel by pixel), one run.
#include "Groundarea.h"
#include "tools/Repeat.h"

#include <cstring>
#include <vector>

namespace {

void RunRepeat(benchmark::State& state, int function, int mode) {
    TDocument& doc = A0(8);
    TRepeatSettings s;
    s.Tile = QRect(1200, 900, 300, 200), s.Function = function, s.Drop = 100, s.Rule.Mode = mode;
    TChange change(doc, 0);
    for (auto _ : state) {
        if (PaintRepeat(change, doc.WorkArea(), s, doc.Bounds())) return state.SkipWithError("refused");
        benchmark::ClobberMemory();
    }
    PutBack(change);
    Count(state, int64_t(kA0Width) * kA0Height);
}

void BM_RepeatNormalMode0(benchmark::State& state) {
    RunRepeat(state, RepeatNormal, 0);
}
void BM_RepeatHalfDropVerMode0(benchmark::State& state) {
    RunRepeat(state, RepeatHalfDropVer, 0);
}
void BM_RepeatHalfDropVerMode2(benchmark::State& state) {
    RunRepeat(state, RepeatHalfDropVer, 2);
}

// One preview update as a mouse move builds it: over a 1600 x 1000 view of the A0
// design at 1:1 (argument 0), or over all of it, as a view zoomed out to 1:16 shows (1).
void BM_RepeatPreviewView(benchmark::State& state) {
    const QRect view = state.range(0) ? QRect(0, 0, kA0Width, kA0Height) : QRect(2000, 3000, 1600, 1000);
    TDocument& doc = A0(8);
    TRepeatSettings s;
    s.Tile = QRect(1200, 900, 300, 200), s.Function = RepeatHalfDropVer, s.Drop = 100;
    for (auto _ : state)
        if (RepeatPreview(doc, s, view).isNull()) return state.SkipWithError("refused");
    Count(state, int64_t(view.width()) * view.height());
}

// The reference: the design's bytes copied once.
void BM_RepeatMemcpyReference(benchmark::State& state) {
    CopyDesignBytes(state, 8);
}

} // namespace

BENCHMARK(BM_RepeatMemcpyReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepeatNormalMode0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepeatHalfDropVerMode0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepeatHalfDropVerMode2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepeatPreviewView)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
