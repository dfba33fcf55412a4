#include "raster/Runpack.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kRunBit = 0x80000000u;
constexpr uint32_t kMaxCount = 0x7fffffffu;
// A shorter run costs more as a token than as literals among its neighbours.
constexpr size_t kMinRun = 12;

// How many bytes from p on (at most n, at least 1) equal p[0], eight at a time.
size_t RunLength(const uint8_t* p, size_t n) {
    const uint64_t pattern = 0x0101010101010101ull * p[0];
    size_t k = 1;
    for (; k + 8 <= n; k += 8) {
        uint64_t word;
        std::memcpy(&word, p + k, 8);
        if (const uint64_t diff = word ^ pattern) return k + size_t(__builtin_ctzll(diff) >> 3);
    }
    while (k < n && p[k] == p[0])
        ++k;
    return k;
}

void PutHeader(uint8_t* to, uint32_t v) {
    to[0] = uint8_t(v), to[1] = uint8_t(v >> 8), to[2] = uint8_t(v >> 16), to[3] = uint8_t(v >> 24);
}

uint32_t GetHeader(const uint8_t* from) {
    return uint32_t(from[0]) | uint32_t(from[1]) << 8 | uint32_t(from[2]) << 16 | uint32_t(from[3]) << 24;
}

} // namespace

size_t PackRuns(const uint8_t* data, size_t size, uint8_t* out, size_t room) {
    size_t at = 0, literal = 0; // literal: start of the bytes not yet written
    auto flushLiterals = [&](size_t end) {
        while (literal < end) {
            const size_t n = std::min<size_t>(end - literal, kMaxCount);
            if (room - at < 4 + n) return false;
            PutHeader(out + at, uint32_t(n));
            std::memcpy(out + at + 4, data + literal, n);
            at += 4 + n, literal += n;
        }
        return true;
    };
    for (size_t i = 0; i < size;) {
        const size_t run = RunLength(data + i, std::min<size_t>(size - i, kMaxCount));
        if (run >= kMinRun) {
            if (!flushLiterals(i) || room - at < 5) return 0;
            PutHeader(out + at, kRunBit | uint32_t(run));
            out[at + 4] = data[i];
            at += 5;
            literal = i + run;
        }
        i += run;
        // Texture: give up early rather than scan a slice that will not pack.
        if (i - literal > room - at) return 0;
    }
    return flushLiterals(size) ? at : 0;
}

bool UnpackRuns(const uint8_t* stream, size_t length, uint8_t* data, size_t size) {
    size_t in = 0, at = 0;
    while (in < length) {
        if (length - in < 4) return false;
        const uint32_t header = GetHeader(stream + in);
        const size_t count = header & kMaxCount;
        in += 4;
        if (count == 0 || count > size - at) return false;
        if (header & kRunBit) {
            if (in >= length) return false;
            std::memset(data + at, stream[in++], count);
        } else {
            if (count > length - in) return false;
            std::memcpy(data + at, stream + in, count);
            in += count;
        }
        at += count;
    }
    return at == size;
}
