// Saving and opening an A0 160-dpi 256-colour design file against plain zlib
// compress()/uncompress() of the same pixel bytes, plus the thumbnail builder.
#include "Planes.h"
#include "Zlibref.h"
#include "raster/Tpmemory.h"
#include "shell/File.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

struct TDesignFixture {
    TOrvaneBitmap Image;
    TPalette Palette;
    TDocumentHeader Header;
    std::vector<uint8_t> Plane = TextilePlane8();

    TDesignFixture() {
        Palette.SetDefault();
        TRGBQuad quads[256];
        Palette.GetQuads(quads);
        Image.Allocate(kA0Width, kA0Height, quads, 8);
        for (int y = 0; y < kA0Height; ++y)
            std::memcpy(Image.ScanLine(y), Plane.data() + size_t(y) * kA0Width, kA0Width);
        Header.paper.type = 4;
        Header.paper.width = kA0Width;
        Header.paper.height = kA0Height;
        Header.compression = 2;
    }
};

TDesignFixture& Design() {
    static TDesignFixture d;
    return d;
}

// Thumbnail and file, as a save does.
bool Save(QIODevice* out) {
    TDesignFixture& d = Design();
    TOrvaneBitmap thumb;
    return MakeThumbnail(thumb, d.Image, 0, QRect(0, 0, kA0Width, kA0Height)) == 0 &&
           WriteDocument(out, d.Palette, d.Header, nullptr, &d.Image, thumb);
}

// The whole design read back, as an open does.
bool Open(QIODevice* in) {
    TPalette palette;
    TDocumentHeader header;
    TOrvaneBitmap image;
    return ReadDocument(in, palette, header, true, &image) == 0;
}

QByteArray SavedBytes() {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    Save(&out);
    return bytes;
}

void BM_SaveDesignA0(benchmark::State& state) {
    QByteArray bytes;
    for (auto _ : state) {
        bytes.clear();
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        if (!Save(&out)) state.SkipWithError("save failed");
    }
    state.counters["ratio"] = double(bytes.size()) / double(Design().Plane.size());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Design().Plane.size()));
}

void BM_OpenDesignA0(benchmark::State& state) {
    const QByteArray bytes = SavedBytes();
    for (auto _ : state) {
        QBuffer in;
        in.setData(bytes);
        in.open(QIODevice::ReadOnly);
        if (!Open(&in)) state.SkipWithError("open failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Design().Plane.size()));
}

// The same through a real file in a temporary directory.
void BM_SaveOpenDesignFileA0(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/a0.tex";
    for (auto _ : state) {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || !Save(&out)) state.SkipWithError("save failed");
        out.close();
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        if (!Open(&in)) state.SkipWithError("open failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Design().Plane.size()));
}

void BM_ZlibCompressA0Design(benchmark::State& state) {
    ZlibCompressReference(state, Design().Plane);
}

void BM_ZlibUncompressA0Design(benchmark::State& state) {
    ZlibUncompressReference(state, Design().Plane);
}

void BM_MakeThumbnailA0(benchmark::State& state) {
    TDesignFixture& d = Design();
    TOrvaneBitmap thumb;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            MakeThumbnail(thumb, d.Image, int(state.range(0)), QRect(0, 0, kA0Width, kA0Height)));
}

} // namespace

BENCHMARK(BM_SaveDesignA0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCompressA0Design)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDesignA0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibUncompressA0Design)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveOpenDesignFileA0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeThumbnailA0)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
