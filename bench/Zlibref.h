#pragma once
// The reference every codec benchmark compares with: plain zlib compress() and
// uncompress() of the same bytes.
#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>
#include <zlib.h>

inline void ZlibCompressReference(benchmark::State& state, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out(compressBound(uLong(data.size())));
    uLongf len = 0;
    for (auto _ : state) {
        len = uLongf(out.size());
        compress(out.data(), &len, data.data(), uLong(data.size()));
    }
    state.counters["ratio"] = double(len) / double(data.size());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

inline void ZlibUncompressReference(benchmark::State& state, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> packed(compressBound(uLong(data.size())));
    uLongf plen = uLongf(packed.size());
    compress(packed.data(), &plen, data.data(), uLong(data.size()));
    std::vector<uint8_t> back(data.size());
    for (auto _ : state) {
        uLongf len = uLongf(back.size());
        uncompress(back.data(), &len, packed.data(), plen);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}
