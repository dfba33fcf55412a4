// The weave browser's start: loading the shipped weave library (every index
// and data file) beside making the same weaves by rule in memory, in one run.
#include "textile/Texture.h"
#include "textile/Weavelibrary.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LoadWeaveLibrary(benchmark::State& state) {
    for (auto _ : state) {
        TTexture t;
        if (t.Load(VELMORA_SOURCE_DATA_DIR "/Texture")) return state.SkipWithError("cannot load the library");
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_LoadWeaveLibrary)->Unit(benchmark::kMillisecond);

void BM_MakeWeaveLibrary(benchmark::State& state) {
    for (auto _ : state) {
        TTexture t = MakeWeaveLibrary();
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_MakeWeaveLibrary)->Unit(benchmark::kMillisecond);

} // namespace
