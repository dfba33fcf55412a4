// The jacquard tool's In Area over the A0 160-dpi 8-bit design: the pixel pass
// alone and the whole click (undo record of the canvas, pass, commit; the undo
// that puts the design back is not timed), beside one memcpy of the design's
// bytes, in one run. The weave is an 8-end 3/5 twill at cell size 3, laid on
// the ground colour (71 % of the design).
#include "Groundarea.h"
#include "textile/Jacquard.h"

namespace {

constexpr uint8_t kEffect = 200; // no colour of the design

TJacquardEntry Twill() {
    TJacquardEntry e;
    e.Zoom = 3;
    e.Weave.Width = e.Weave.Height = 8;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            e.Weave.Bits.push_back((x - y + 8) % 8 < 3);
    return e;
}

uint8_t Ground() {
    return uint8_t(A0(8).Picture().GetPixel(kFrom.x(), kFrom.y()));
}

// Every pass writes the same pixels: the ground and the effect colour swap roles.
void BM_JacquardInAreaPass(benchmark::State& state) {
    TDocument& doc = A0(8);
    const TJacquardEntry e = Twill();
    TJacquardPaint paint{&e.Weave, e.Zoom, 0, {}};
    for (int i = 0; i < 256; ++i)
        paint.Raised[size_t(i)] = uint8_t(i);
    const uint8_t ground = Ground();
    paint.Raised[ground] = kEffect, paint.Raised[kEffect] = ground;
    TChange change(doc, 0);
    int target = ground;
    for (auto _ : state) {
        PaintJacquard(change.Picture(), change.Guard(), doc.Bounds(), paint, target);
        target = target == ground ? kEffect : ground;
        benchmark::ClobberMemory();
    }
    PutBack(change);
    Count(state, int64_t(kA0Width) * kA0Height);
}

void BM_JacquardInAreaClick(benchmark::State& state) {
    TDocument& doc = A0(8);
    const TJacquardEntry e = Twill();
    for (auto _ : state) {
        if (ApplyJacquard(doc, kFrom, e, {JacquardInArea, kEffect})) return state.SkipWithError("refused");
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
    }
    Count(state, int64_t(kA0Width) * kA0Height);
}

void BM_JacquardMemcpyReference(benchmark::State& state) {
    CopyDesignBytes(state, 8);
}

} // namespace

BENCHMARK(BM_JacquardInAreaPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JacquardInAreaClick)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JacquardMemcpyReference)->Unit(benchmark::kMillisecond);
