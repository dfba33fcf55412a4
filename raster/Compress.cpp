#include "raster/Compress.h"

#include "platform/Lereader.h"

#include <libdeflate.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <limits>
#include <memory>

namespace {

std::atomic<bool> g_compressorAvailable{true};

// At level 7 (kLevelFiles) libdeflate writes design planes smaller than zlib's
// compress() does at its default level, in about two thirds of the time
// (bench/Compress_bench.cpp).
// Reads and writes go through in slices so no single call needs a huge length and
// progress is heard between them.
constexpr qint64 kIoSlice = qint64(64) << 20;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
using HeapBuffer = std::unique_ptr<uint8_t, FreeDeleter>;

// The slices report done .. done + size of total to progress.
bool WriteAll(QIODevice* file, const void* data, size_t size, const TProgressFn& progress = {},
              size_t done = 0, size_t total = 0) {
    auto* p = static_cast<const char*>(data);
    while (size > 0) {
        if (!ReportProgress(progress, int64_t(done), int64_t(total))) return false;
        const qint64 chunk = qint64(std::min<size_t>(size, size_t(kIoSlice)));
        const qint64 written = file->write(p, chunk);
        if (written <= 0) return false;
        p += written;
        size -= size_t(written);
        done += size_t(written);
    }
    return true;
}

bool ReadAll(QIODevice* file, void* data, size_t size, const TProgressFn& progress = {}, size_t done = 0,
             size_t total = 0) {
    auto* p = static_cast<char*>(data);
    while (size > 0) {
        if (!ReportProgress(progress, int64_t(done), int64_t(total))) return false;
        const qint64 chunk = qint64(std::min<size_t>(size, size_t(kIoSlice)));
        const qint64 got = file->read(p, chunk);
        if (got <= 0) return false;
        p += got;
        size -= size_t(got);
        done += size_t(got);
    }
    return true;
}

bool WriteU32(QIODevice* file, uint32_t v) {
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    return WriteAll(file, b, 4);
}

bool ReadU32(QIODevice* file, uint32_t& v) {
    uint8_t b[4];
    if (!ReadAll(file, b, 4)) return false;
    v = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    return true;
}

bool WriteRawWithLength(QIODevice* file, const void* data, size_t size, const TProgressFn& progress) {
    return WriteU32(file, uint32_t(size)) && WriteAll(file, data, size, progress, 0, size) &&
           ReportProgress(progress, int64_t(size), int64_t(size));
}

// A part's progress (done of partTotal) as from .. from + total / 2 of the whole block.
TProgressFn PartOf(const TProgressFn& progress, size_t from, size_t total, size_t partTotal) {
    if (!progress) return {};
    return [&progress, from, total, partTotal](int64_t done, int64_t) {
        const double share = double(done) / double(std::max<size_t>(partTotal, 1));
        return ReportProgress(progress, int64_t(from) + int64_t(share * double(total / 2)), int64_t(total));
    };
}

} // namespace

void SetCompressorAvailable(bool available) {
    g_compressorAvailable = available;
}
bool CompressorAvailable() {
    return g_compressorAvailable;
}

bool WriteBlock(QIODevice* file, const void* data, size_t size, int mode, const TProgressFn& progress,
                int level) {
    if (mode == kBlockRefused || !file || (!data && size > 0)) return false;
    if (mode != kBlockCompressed)
        return WriteAll(file, data, size, progress, 0, size) &&
               ReportProgress(progress, int64_t(size), int64_t(size));

    // The length prefix is 32 bits: a larger block cannot be stored in this mode.
    if (size > std::numeric_limits<uint32_t>::max()) return false;
    if (!g_compressorAvailable || size == 0) return WriteRawWithLength(file, data, size, progress);

    // One pass into a buffer one byte short of the block: the compressor gives up
    // (returns 0) as soon as the stream would not be shorter, and then the block
    // is stored raw. Pages of the buffer that are never written are never touched.
    if (!ReportProgress(progress, 0, int64_t(size))) return false;
    HeapBuffer out(static_cast<uint8_t*>(std::malloc(size)));
    libdeflate_compressor* c = libdeflate_alloc_compressor(level);
    if (!out || !c) {
        libdeflate_free_compressor(c);
        return WriteRawWithLength(file, data, size, progress);
    }
    const size_t packed = libdeflate_zlib_compress(c, data, size, out.get(), size - 1);
    libdeflate_free_compressor(c);
    if (packed == 0) return WriteRawWithLength(file, data, size, progress);
    // The stream's slices count as the second half of the block.
    return WriteU32(file, uint32_t(packed)) &&
           WriteAll(file, out.get(), packed, PartOf(progress, size / 2, size, packed), 0, packed) &&
           ReportProgress(progress, int64_t(size), int64_t(size));
}

bool ReadBlock(QIODevice* file, void* data, size_t size, int mode, const TProgressFn& progress) {
    if (mode == kBlockRefused || !file || (!data && size > 0)) return false;
    const auto whole = [&] { return ReportProgress(progress, int64_t(size), int64_t(size)); };
    if (mode != kBlockCompressed) return ReadAll(file, data, size, progress, 0, size) && whole();

    uint32_t length = 0;
    if (!ReadU32(file, length)) return false;
    if (length >= size) return ReadAll(file, data, size, progress, 0, size) && whole();
    if (!g_compressorAvailable) return false;

    // A stream cannot be longer than what is left of the file: refuse before allocating.
    if (!DeviceHolds(file, length)) return false;
    HeapBuffer in(static_cast<uint8_t*>(std::malloc(length ? length : 1)));
    // The stream's slices count as the first half of the block.
    if (!in || !ReadAll(file, in.get(), length, PartOf(progress, 0, size, length), 0, length)) return false;
    if (!ReportProgress(progress, int64_t(size / 2), int64_t(size))) return false;

    libdeflate_decompressor* d = libdeflate_alloc_decompressor();
    if (!d) return false;
    size_t produced = 0;
    const libdeflate_result r = libdeflate_zlib_decompress(d, in.get(), length, data, size, &produced);
    libdeflate_free_decompressor(d);
    return r == LIBDEFLATE_SUCCESS && produced == size && whole();
}
