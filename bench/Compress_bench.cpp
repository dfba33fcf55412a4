// Block codec against plain zlib compress()/uncompress() of the same bytes.
#include "Planes.h"
#include "Zlibref.h"
#include "raster/Compress.h"

#include <QBuffer>
#include <benchmark/benchmark.h>

namespace {

void BM_WriteBlock(benchmark::State& state) {
    const auto& data = Plane(int(state.range(0)));
    QByteArray bytes;
    for (auto _ : state) {
        bytes.clear();
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        WriteBlock(&out, data.data(), data.size(), kBlockCompressed);
    }
    state.counters["ratio"] = double(bytes.size()) / double(data.size());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void BM_ZlibCompress(benchmark::State& state) {
    ZlibCompressReference(state, Plane(int(state.range(0))));
}

void BM_ReadBlock(benchmark::State& state) {
    const auto& data = Plane(int(state.range(0)));
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    WriteBlock(&out, data.data(), data.size(), kBlockCompressed);
    std::vector<uint8_t> back(data.size());
    for (auto _ : state) {
        QBuffer in;
        in.setData(bytes);
        in.open(QIODevice::ReadOnly);
        if (!ReadBlock(&in, back.data(), back.size(), kBlockCompressed)) state.SkipWithError("read failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void BM_ZlibUncompress(benchmark::State& state) {
    ZlibUncompressReference(state, Plane(int(state.range(0))));
}

} // namespace

BENCHMARK(BM_WriteBlock)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCompress)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBlock)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibUncompress)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
