// The carpet engines on a 1700 x 1883 knot carpet (the largest a carpet machine's
// diskette holds): Texture Fill of the whole one-colour carpet, Area Fill of it and
// a regauge to half size, each as one undo step (recorded, then undone outside the
// timing). BM_CarpetPlainPass is the plain tiled write over the same pixels.
#include "shell/Tdocument.h"
#include "textile/Carpet.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 1700, kHeight = 1883;

TDocument& Carpet() {
    static TDocument* doc = [] {
        auto* d = new TDocument;
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, kWidth, kHeight);
        d->NewCanvas(paper, 8, TCurrentColour::OfIndex(2));
        d->AttachUndo();
        return d;
    }();
    return *doc;
}

TCarpetTexture Diamond() {
    TCarpetTexture t{QStringLiteral("diamond.ctx"), 7, 7, {}};
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            t.Pixels.push_back(uint8_t(std::abs(x - 3) + std::abs(y - 3) <= 2 ? 7 : 3));
    return t;
}

template <class F> void Run(benchmark::State& state, F&& step) {
    TDocument& doc = Carpet();
    for (auto _ : state) {
        if (const uint32_t code = step(doc)) return state.SkipWithError("refused");
        state.PauseTiming();
        doc.Undo();
        doc.SetCarpetWindow(TCarpetWindow{false, kWidth, kHeight});
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kWidth) * kHeight);
}

void BM_CarpetTextureFill(benchmark::State& state) {
    const TCarpetTexture t = Diamond();
    Run(state, [&](TDocument& doc) { return CarpetTextureFill(doc, {5, 5}, t); });
}

void BM_CarpetAreaFill(benchmark::State& state) {
    const TCarpetTexture t = Diamond();
    Run(state, [&](TDocument& doc) { return CarpetAreaFill(doc, {5, 5}, t); });
}

void BM_CarpetRegaugeHalf(benchmark::State& state) {
    Run(state, [](TDocument& doc) {
        return CarpetRegauge(doc, kWidth / 2, kHeight / 2, TCurrentColour::OfIndex(4));
    });
}

// The least any fill of these pixels costs: the texture written row by row.
void BM_CarpetPlainPass(benchmark::State& state) {
    const TCarpetTexture t = Diamond();
    std::vector<uint8_t> pixels(size_t(kWidth) * kHeight);
    for (auto _ : state) {
        for (int y = 0; y < kHeight; ++y) {
            uint8_t* row = pixels.data() + size_t(y) * kWidth;
            for (int x = 0; x < kWidth; ++x)
                row[x] = t.At(x % 7, y % 7);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kWidth) * kHeight);
}

} // namespace

BENCHMARK(BM_CarpetTextureFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CarpetAreaFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CarpetRegaugeHalf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CarpetPlainPass)->Unit(benchmark::kMillisecond);
