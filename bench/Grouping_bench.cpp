// The Grouping tool on A0 160-dpi 8-bit designs, each run one guarded change (undo
// record included) and undone (untimed) before the next:
//   - median cut of the photograph-like design to 16 and 64 colours, beside
//     ImageMagick's quantizer (no dithering) on the same pixels, each with its mean
//     colour error in RGB and CIE76 delta E;
//   - the 3-, 5- and 9-cell majority filters on the photo and on the textile
//     design, beside the guarded change alone and a plain copy of the picture.
#include "A0document.h"
#include "Colourerror.h"
#include "Photo.h"
#include "colour/Grouping.h"
#include "platform/Magickinit.h"

#include <Magick++.h>
#include <benchmark/benchmark.h>
#include <cstring>
#include <map>

namespace {

TDocument& Design(int which) {
    return which ? A0(8) : PhotoDocument();
}

template <class F> void Undone(benchmark::State& state, TDocument& doc, F&& run) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(run(doc));
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(doc.Picture().Width) * doc.Picture().Height);
}

void Report(benchmark::State& state, const TColourError& error) {
    const double pixels = double(kA0Width) * kA0Height;
    state.counters["rgb_error"] = error.Rgb / pixels;
    state.counters["delta_e"] = error.DeltaE / pixels;
}

void Colour(const TPalette& palette, int index, int out[3]) {
    out[0] = palette[index].Red(), out[1] = palette[index].Green(), out[2] = palette[index].Blue();
}

// range(0): the colour count.
void BM_GroupReducePhoto(benchmark::State& state) {
    TDocument& doc = PhotoDocument();
    const TPalette before = doc.Palette();
    std::vector<uint8_t> source(size_t(kA0Width) * kA0Height);
    doc.Picture().GetRows(source.data(), kA0Width, false);
    const int n = int(state.range(0));
    Undone(state, doc, [n](TDocument& d) { return GroupReduce(d, n); });
    GroupReduce(doc, n); // once more to measure what it made
    // Pairs of (old, new) index, then their distances once each.
    std::vector<uint8_t> reduced(source.size());
    doc.Picture().GetRows(reduced.data(), kA0Width, false);
    std::vector<double> pairs(65536);
    for (size_t i = 0; i < source.size(); ++i)
        ++pairs[size_t(source[i]) << 8 | reduced[i]];
    TColourError error;
    for (int p = 0; p < 65536; ++p)
        if (pairs[size_t(p)]) {
            int a[3], b[3];
            Colour(before, p >> 8, a);
            Colour(doc.Palette(), p & 255, b);
            AddError(error, a, b, pairs[size_t(p)]);
        }
    doc.Undo();
    Report(state, error);
}

// range(0): the colour count. ImageMagick on the same colours as red, green, blue.
void BM_MagickColorsPhoto(benchmark::State& state) {
    InitImaging();
    TDocument& doc = PhotoDocument();
    std::vector<uint8_t> source(size_t(kA0Width) * kA0Height), rgb(source.size() * 3);
    doc.Picture().GetRows(source.data(), kA0Width, false);
    for (size_t i = 0; i < source.size(); ++i) {
        const TColorData& c = doc.Palette()[source[i]];
        rgb[3 * i] = uint8_t(c.Red()), rgb[3 * i + 1] = uint8_t(c.Green()),
                rgb[3 * i + 2] = uint8_t(c.Blue());
    }
    const Magick::Image original(kA0Width, kA0Height, "RGB", Magick::CharPixel, rgb.data());
    Magick::Image image;
    for (auto _ : state) {
        image = original;
        image.quantizeColors(size_t(state.range(0)));
        image.quantizeDither(false);
        image.quantize();
        benchmark::DoNotOptimize(image.columns());
    }
    std::vector<uint8_t> out(rgb.size());
    image.write(0, 0, kA0Width, kA0Height, "RGB", Magick::CharPixel, out.data());
    std::map<std::pair<int, uint32_t>, double> pairs;
    for (size_t i = 0; i < source.size(); ++i)
        pairs[{source[i], uint32_t(out[3 * i]) << 16 | uint32_t(out[3 * i + 1]) << 8 | out[3 * i + 2]}] += 1;
    TColourError error;
    for (const auto& [key, n] : pairs) {
        int a[3];
        Colour(doc.Palette(), key.first, a);
        const int b[3] = {int(key.second >> 16), int(key.second >> 8 & 255), int(key.second & 255)};
        AddError(error, a, b, n);
    }
    Report(state, error);
}

// range(0): the filter's size (shape 0); range(1): 0 the photo, 1 the textile design.
void BM_GroupFilter(benchmark::State& state) {
    const int size = int(state.range(0));
    Undone(state, Design(int(state.range(1))),
           [size](TDocument& doc) { return GroupFilter(doc, size, 0, TChoiceColor()); });
}

// Reference: the guarded change alone (the whole picture recorded for undo, nothing written).
void BM_GroupChangeReference(benchmark::State& state) {
    Undone(state, PhotoDocument(), [](TDocument& doc) {
        TChange change(doc);
        change.Commit();
        return 0;
    });
}

// Reference: one plain copy of the picture's pixels.
void BM_GroupCopyReference(benchmark::State& state) {
    const TOrvaneBitmap& picture = PhotoDocument().Picture();
    const size_t row = size_t(picture.Width);
    std::vector<uint8_t> out(row * size_t(picture.Height));
    for (auto _ : state) {
        for (int y = 0; y < picture.Height; ++y)
            std::memcpy(out.data() + row * size_t(y), picture.ScanLine(y), row);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(out.size()));
}

} // namespace

BENCHMARK(BM_GroupReducePhoto)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MagickColorsPhoto)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GroupFilter)
    ->Args({3, 0})
    ->Args({5, 0})
    ->Args({9, 0})
    ->Args({5, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupChangeReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupCopyReference)->Unit(benchmark::kMillisecond);
