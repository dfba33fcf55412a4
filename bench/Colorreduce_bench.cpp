// Colour reduction of A0 pictures against ImageMagick's quantizer on the same pixels.
#include "Photo.h"
#include "Planes.h"
#include "platform/Colorreduce.h"
#include "platform/Geometry.h"
#include "platform/Magickinit.h"

#include <Magick++.h>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstring>

namespace {

void Load(TBitmapHandle& h, int bits, const std::vector<uint8_t>& pixels) {
    CreateBitmapHandle(h, kA0Width, kA0Height, bits);
    SetGreyPalette(h);
    std::memcpy(h.Bits, pixels.data(), h.ByteSize());
}

// range(0): 24 = the photo, 8 = the 8-bit design, 9 = the design expanded to 24 bits.
void BM_ReduceColors(benchmark::State& state) {
    static const std::vector<uint8_t> design24 = TextilePlane24();
    static const std::vector<uint8_t> design8 = TextilePlane8();
    const int which = int(state.range(0));
    const int colors = int(state.range(1));
    TBitmapHandle h;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (which == 24)
            Load(h, 24, Photo24());
        else if (which == 9)
            Load(h, 24, design24);
        else
            Load(h, 8, design8);
        state.ResumeTiming();
        n = ReduceColors(h, colors);
        if (n < 0) state.SkipWithError("reduce failed");
    }
    state.counters["colours"] = n;
    FreeBitmapHandle(h);
}

void BM_MagickQuantize(benchmark::State& state) {
    InitImaging();
    const Magick::Image source(kA0Width, kA0Height, "BGR", Magick::CharPixel, Photo24().data());
    for (auto _ : state) {
        Magick::Image image(source);
        image.quantizeColors(250);
        image.quantize();
        benchmark::DoNotOptimize(image.columns());
    }
}

} // namespace

BENCHMARK(BM_ReduceColors)
    ->Args({24, 250})
    ->Args({9, 250})
    ->Args({8, 250})
    ->Args({8, 16})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_MagickQuantize)->Unit(benchmark::kMillisecond)->Iterations(1);
