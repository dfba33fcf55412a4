// Rotation and scaling of an A0 design against ImageMagick on the same pixels.
#include "Planes.h"
#include "platform/Geometry.h"
#include "platform/Magickinit.h"

#include <Magick++.h>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

const std::vector<uint8_t>& Design8() {
    static const std::vector<uint8_t> plane = TextilePlane8();
    return plane;
}

// A fresh 8-bit handle holding the design (rows are packed: 4992 is a multiple of 4).
void LoadDesign(TBitmapHandle& h) {
    CreateBitmapHandle(h, kA0Width, kA0Height, 8);
    std::memcpy(h.Bits, Design8().data(), h.ByteSize());
}

void BM_RotateHandle(benchmark::State& state) {
    const int angle = int(state.range(0));
    TBitmapHandle h;
    for (auto _ : state) {
        state.PauseTiming();
        LoadDesign(h);
        state.ResumeTiming();
        if (!RotateHandle(h, angle, true, 0)) state.SkipWithError("rotate failed");
    }
    state.counters["Mpx_out"] = double(h.Width) * h.Height / 1e6;
    FreeBitmapHandle(h);
}

// ImageMagick's rotate with the point filter (it still shears and blends at edges).
void BM_MagickRotate(benchmark::State& state) {
    InitImaging();
    const Magick::Image source(kA0Width, kA0Height, "I", Magick::CharPixel, Design8().data());
    for (auto _ : state) {
        Magick::Image image(source);
        image.filterType(Magick::PointFilter);
        image.rotate(double(state.range(0)) / 100.0);
        benchmark::DoNotOptimize(image.columns());
    }
}

// range(0): 8 = replicate the 8-bit design, 24 = area-average the design at 24 bits;
// both to a little over half size.
void BM_SizeHandle(benchmark::State& state) {
    static const std::vector<uint8_t> design24 = TextilePlane24();
    const bool rgb = state.range(0) == 24;
    TBitmapHandle h;
    for (auto _ : state) {
        state.PauseTiming();
        if (rgb) {
            CreateBitmapHandle(h, kA0Width, kA0Height, 24);
            std::memcpy(h.Bits, design24.data(), h.ByteSize());
        } else {
            LoadDesign(h);
        }
        state.ResumeTiming();
        if (!SizeHandle(h, kA0Width / 2 + 1, kA0Height / 2 + 1, rgb)) state.SkipWithError("size failed");
    }
    FreeBitmapHandle(h);
}

} // namespace

BENCHMARK(BM_RotateHandle)->Arg(3300)->Arg(9000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MagickRotate)->Arg(3300)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SizeHandle)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond)->Iterations(5);
