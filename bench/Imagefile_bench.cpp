// Foreign files: LoadImageFile / SaveImageFile of an A0 8-bit design against plain
// Magick++ Image::read / Image::write of the same file in the same run. Both sides run
// after InitImaging (our policy, ImageMagick's large blocks on huge pages). The plain
// write starts from a picture ImageMagick already holds; SaveImageFile builds it first.
#include "Planes.h"
#include "platform/Imagefile.h"
#include "platform/Magickinit.h"

#include <Magick++.h>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

struct TFixture {
    QTemporaryDir Dir;
    TBitmapHandle Design;
    TFixture() {
        InitImaging();
        const std::vector<uint8_t> plane = TextilePlane8();
        CreateBitmapHandle(Design, kA0Width, kA0Height, 8);
        for (int i = 0; i < 256; ++i)
            Design.Palette[i] = TRGBQuad{uint8_t(i * 37), uint8_t(i * 91), uint8_t(i * 151), 0};
        for (int y = 0; y < kA0Height; ++y)
            std::memcpy(Design.Row(y), plane.data() + size_t(y) * kA0Width, kA0Width);
        for (int format : {FILE_PNG, FILE_TIF})
            SaveImageFile(Path(format, "design"), Design, format);
    }
    QString Path(int format, const char* name) const {
        return Dir.filePath(QString::fromLatin1(name) + (format == FILE_PNG ? ".png" : ".tif"));
    }
};

TFixture& Fixture() {
    static TFixture fixture;
    return fixture;
}

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

void BM_LoadImageFile(benchmark::State& state, int format) {
    const QString path = Fixture().Path(format, "design");
    for (auto _ : state) {
        TBitmapHandle h;
        if (!LoadImageFile(path, h, nullptr) || h.BitsPerPixel != 8) state.SkipWithError("load failed");
        FreeBitmapHandle(h);
    }
}

void BM_MagickRead(benchmark::State& state, int format) {
    const std::string path = Native(Fixture().Path(format, "design"));
    for (auto _ : state) {
        Magick::Image img;
        img.read(path);
        benchmark::DoNotOptimize(img.columns());
    }
}

void BM_SaveImageFile(benchmark::State& state, int format) {
    const QString path = Fixture().Path(format, "saved");
    for (auto _ : state)
        if (!SaveImageFile(path, Fixture().Design, format)) state.SkipWithError("save failed");
}

void BM_MagickWrite(benchmark::State& state, int format) {
    Magick::Image img(Native(Fixture().Path(format, "design")));
    const std::string path = Native(Fixture().Path(format, "written"));
    for (auto _ : state)
        img.write(path);
}

} // namespace

#define VELMORA_FILE_BENCH(name)                                                                             \
    BENCHMARK_CAPTURE(name, png, FILE_PNG)->Unit(benchmark::kMillisecond)->Iterations(2);                    \
    BENCHMARK_CAPTURE(name, tif, FILE_TIF)->Unit(benchmark::kMillisecond)->Iterations(2)
VELMORA_FILE_BENCH(BM_LoadImageFile);
VELMORA_FILE_BENCH(BM_MagickRead);
VELMORA_FILE_BENCH(BM_SaveImageFile);
VELMORA_FILE_BENCH(BM_MagickWrite);
