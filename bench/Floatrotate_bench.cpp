// Turning a 2000 x 2000 floating piece (an elliptic selection of a textile design) by
// 33 degrees: the stepped fixed-point turn against the plain loop that maps every pixel
// through the extended-precision matrix (Rotateref.h), on the same pixels.
// Items are output pixels, so items_per_second is output pixels per second.
#include "Planes.h"
#include "Rotateref.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr int kSide = 2000;

const TFloating& Piece(int bits) {
    static TFloating pieces[2];
    TFloating& p = pieces[bits == 8 ? 0 : 1];
    if (p.Empty()) {
        p.Allocate(kSide, kSide, bits);
        const std::vector<uint8_t> plane =
            bits == 8 ? TextilePlane8(kSide, kSide) : TextilePlane24(kSide, kSide);
        const size_t row = size_t(kSide) * size_t(bits / 8);
        for (int y = 0; y < kSide; ++y) {
            std::memcpy(p.Image.ScanLine(y), plane.data() + row * size_t(y), row);
            for (int x = 0; x < kSide; ++x) {
                const double dx = (x - kSide / 2) / (kSide / 2.0), dy = (y - kSide / 2) / (kSide / 2.0);
                p.Mask.ScanLine(y)[x] = dx * dx + dy * dy < 1 ? 255 : 0;
            }
        }
    }
    return p;
}

void Report(benchmark::State& state, const TFloating& out) {
    const int64_t pixels = int64_t(out.Width()) * out.Height();
    state.SetItemsProcessed(int64_t(state.iterations()) * pixels);
    state.counters["Mpx_out"] = double(pixels) / 1e6;
}

void BM_RotateFloating(benchmark::State& state) {
    const TFloating& source = Piece(int(state.range(0)));
    TFloating out;
    for (auto _ : state)
        if (RotateFloating(source, 33, out)) state.SkipWithError("turn failed");
    Report(state, out);
}

void BM_RotateFloatingPlainLoop(benchmark::State& state) {
    const TFloating& source = Piece(int(state.range(0)));
    TFloating out;
    for (auto _ : state)
        if (!RotateReference(source, 33, out)) state.SkipWithError("turn failed");
    Report(state, out);
}

} // namespace

BENCHMARK(BM_RotateFloating)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateFloatingPlainLoop)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
