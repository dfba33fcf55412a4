// Carpet diskette images: encoding and decoding a full 1700 x 1883 carpet against a
// memcpy of the 1,228,800-byte image in the same run.
#include "colour/Colorset.h"
#include "textile/Diskimage.h"

#include <benchmark/benchmark.h>
#include <cstring>

using namespace CarpetDisk;

namespace {

// A full carpet over every knot code and some values outside it.
const TOrvaneBitmap& Carpet() {
    static TOrvaneBitmap b;
    if (!b.Width) {
        b.Allocate(kKnots, kMaxRows, nullptr, 8);
        for (int y = 0; y < kMaxRows; ++y) {
            uint8_t* row = b.ScanLine(y);
            for (int x = 0; x < kKnots; ++x)
                row[x] = uint8_t((x / 7 + y / 5) % 9 + 1);
        }
    }
    return b;
}

void BM_DisketteEncode(benchmark::State& state) {
    std::vector<uint8_t> image;
    for (auto _ : state)
        if (EncodeCarpetDiskette(Carpet(), kKnots, kMaxRows, image)) state.SkipWithError("encode failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * kImageBytes);
}

void BM_DisketteDecode(benchmark::State& state) {
    std::vector<uint8_t> image;
    EncodeCarpetDiskette(Carpet(), kKnots, kMaxRows, image);
    TOrvaneBitmap out;
    out.Allocate(kKnots, kMaxRows, nullptr, 8);
    const TWriteGuard open;
    for (auto _ : state) {
        DecodeCarpetDiskette(image, CarpetDisketteRows(image), out, open);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kImageBytes);
}

void BM_DisketteMemcpy(benchmark::State& state) {
    const std::vector<uint8_t> from(size_t(kImageBytes), kFiller);
    std::vector<uint8_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kImageBytes);
}

} // namespace

BENCHMARK(BM_DisketteEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisketteDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisketteMemcpy)->Unit(benchmark::kMillisecond);
