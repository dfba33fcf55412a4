// Row access over a whole A0 design against memcpy of the same bytes.
#include "Planes.h"
#include "raster/Tpmemory.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace {

void FillPicture(TOrvaneBitmap& b, int bits) {
    b.Allocate(kA0Width, kA0Height, nullptr, bits);
    const auto plane = bits == 8 ? TextilePlane8() : TextilePlane24();
    b.PutRows(plane.data(), kA0Width * bits / 8, false);
}

void BM_RowAccessReadWrite(benchmark::State& state) {
    TOrvaneBitmap b;
    FillPicture(b, int(state.range(0)));
    for (auto _ : state) {
        b.BeginRows();
        for (int y = 0; y < b.Height; ++y) {
            uint8_t* row = b.ReadRow(y);
            row[0] ^= 1;
            b.WriteRow(y);
        }
        b.EndRows();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(b.BytesPerLine()) * b.Height);
}

// The reference: one memcpy of the whole plane there and one back.
void BM_MemcpyTwice(benchmark::State& state) {
    const size_t n = size_t(kA0Width) * kA0Height * size_t(state.range(0) / 8);
    std::vector<uint8_t> a(n, 1), c(n, 2);
    for (auto _ : state) {
        std::memcpy(c.data(), a.data(), n);
        c[0] ^= 1;
        std::memcpy(a.data(), c.data(), n);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(n));
}

} // namespace

BENCHMARK(BM_RowAccessReadWrite)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyTwice)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
