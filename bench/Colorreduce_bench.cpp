// Colour reduction of A0 pictures against ImageMagick's quantizer on the same pixels.
#include "Planes.h"
#include "platform/Colorreduce.h"
#include "platform/Geometry.h"
#include "platform/Magickinit.h"

#include <Magick++.h>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstring>

namespace {

// A grainy photograph-like picture (blue, green, red): slow colour gradients and soft
// shapes under per-pixel grain of about +-12 levels.
const std::vector<uint8_t>& Photo24() {
    static const std::vector<uint8_t> plane = [] {
        std::vector<uint8_t> p(size_t(kA0Width) * kA0Height * 3);
        uint32_t seed = 12345;
        for (int y = 0; y < kA0Height; ++y) {
            for (int x = 0; x < kA0Width; ++x) {
                const double fx = x / 900.0, fy = y / 1300.0;
                const double base[3] = {120 + 80 * std::sin(fx + 2 * fy), 110 + 70 * std::cos(1.7 * fx - fy),
                                        100 + 90 * std::sin(0.6 * fx * fy + 1.0)};
                uint8_t* q = p.data() + (size_t(y) * kA0Width + size_t(x)) * 3;
                for (int c = 0; c < 3; ++c) {
                    seed = seed * 1664525u + 1013904223u;
                    const int v = int(base[c]) + int(seed >> 27) - 16 + int((seed >> 20) & 7);
                    q[c] = uint8_t(std::clamp(v, 0, 255));
                }
            }
        }
        return p;
    }();
    return plane;
}

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
