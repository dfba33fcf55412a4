// The nearest VM Textile colour (the largest shipped library) of every pixel of
// the A0 photograph-like picture, each distinct colour searched once and then
// taken from a table by colour as the program would; beside a plain pass over the
// same pixels that only sums them, in the same run.
#include "Photo.h"
#include "colour/Tdptest.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

const TTextileColor& Library() {
    static const TTextileColor lib = [] {
        TTextileColor l;
        l.Load(QStringLiteral(VELMORA_SOURCE_DATA_DIR "/Color/Textile.vmc"));
        return l;
    }();
    return lib;
}

void Count(benchmark::State& state, const std::vector<uint8_t>& pixels) {
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(pixels.size() / 3));
}

void BM_LibraryNearestPerPixel(benchmark::State& state) {
    const std::vector<uint8_t>& pixels = Photo24();
    const TTextileColor& lib = Library();
    if (lib.RecordCount() == 0) return state.SkipWithError("data/Color/Textile.vmc is missing");
    std::vector<int32_t> cache(size_t(1) << 24);
    size_t searched = 0;
    for (auto _ : state) {
        std::fill(cache.begin(), cache.end(), -1);
        searched = 0;
        int64_t sum = 0;
        for (size_t i = 0; i < pixels.size(); i += 3) { // blue, green, red
            const uint32_t key = uint32_t(pixels[i + 2]) << 16 | uint32_t(pixels[i + 1]) << 8 | pixels[i];
            int32_t& found = cache[key];
            if (found < 0) {
                const TLibraryPlace at = lib.FindNearest(pixels[i + 2], pixels[i + 1], pixels[i]);
                found = at.Page << 8 | at.Record;
                ++searched;
            }
            sum += found;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["distinct_colours"] = double(searched);
    state.counters["library_colours"] = lib.RecordCount();
    Count(state, pixels);
}

// The reference: every pixel read once and its colour summed.
void BM_LibraryPlainPass(benchmark::State& state) {
    const std::vector<uint8_t>& pixels = Photo24();
    for (auto _ : state) {
        int64_t sum = 0;
        for (size_t i = 0; i < pixels.size(); i += 3)
            sum += uint32_t(pixels[i + 2]) << 16 | uint32_t(pixels[i + 1]) << 8 | pixels[i];
        benchmark::DoNotOptimize(sum);
    }
    Count(state, pixels);
}

} // namespace

BENCHMARK(BM_LibraryNearestPerPixel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibraryPlainPass)->Unit(benchmark::kMillisecond);
