// Row access and whole-block copies between a picture and packed buffers.
#include "raster/Tpmemory.h"

#include <cstdlib>
#include <cstring>

bool TOrvaneBitmap::BeginRows(int count) {
    if (!Handle.Allocated || count < 1 || count > kMaxRowBuffers) return false;
    EndRows();
    const size_t bpl = size_t(Handle.BytesPerLine);
    RowMemory = static_cast<uint8_t*>(std::calloc(size_t(count), bpl));
    if (!RowMemory) return false;
    for (int i = 0; i < count; ++i)
        Rows[i] = RowMemory + size_t(i) * bpl;
    return true;
}

uint8_t* TOrvaneBitmap::ReadRow(int y, int index) {
    uint8_t* buffer = RowBuffer(index);
    if (!buffer || y < 0 || y >= Height) return nullptr;
    std::memcpy(buffer, Handle.Row(y), size_t(Handle.BytesPerLine));
    return buffer;
}

bool TOrvaneBitmap::WriteRow(int y, int index) {
    return WriteRowFrom(y, RowBuffer(index));
}

bool TOrvaneBitmap::WriteRowFrom(int y, const uint8_t* src) {
    if (!src || !RowsOpen() || y < 0 || y >= Height) return false;
    std::memmove(Handle.Row(y), src, size_t(Handle.BytesPerLine));
    return true;
}

void TOrvaneBitmap::EndRows() {
    std::free(RowMemory);
    RowMemory = nullptr;
    std::fill(std::begin(Rows), std::end(Rows), nullptr);
}

bool TOrvaneBitmap::GetRows(uint8_t* dest, int rowBytes, bool bottomUp) const {
    if (!Handle.Allocated || !dest || rowBytes <= 0) return false;
    const size_t n = size_t(std::min(rowBytes, Handle.BytesPerLine));
    for (int y = 0; y < Height; ++y) {
        const int row = bottomUp ? Height - 1 - y : y;
        std::memcpy(dest + size_t(y) * size_t(rowBytes), Handle.Row(row), n);
    }
    return true;
}

bool TOrvaneBitmap::PutRows(const uint8_t* src, int rowBytes, bool bottomUp) {
    if (!Handle.Allocated || !src || rowBytes <= 0) return false;
    const size_t n = size_t(std::min(rowBytes, Handle.BytesPerLine));
    for (int y = 0; y < Height; ++y) {
        const int row = bottomUp ? Height - 1 - y : y;
        std::memcpy(Handle.Row(row), src + size_t(y) * size_t(rowBytes), n);
    }
    return true;
}

namespace {

// Byte columns [first, end) covered by pixel columns [left, right) at a depth.
void ByteColumns(int bitsPerPixel, int left, int right, size_t& first, size_t& end) {
    if (bitsPerPixel == 1) {
        first = size_t(left >> 3);
        end = right > left ? size_t(((right - 1) >> 3) + 1) : first;
    } else {
        const size_t bytes = size_t(bitsPerPixel / 8);
        first = size_t(left) * bytes;
        end = size_t(right) * bytes;
    }
}

} // namespace

bool TOrvaneBitmap::GetRect(uint8_t* dest, int destStride, const QRect& rect) const {
    if (!dest || !CheckRect(rect)) return false;
    size_t first, end;
    ByteColumns(Handle.BitsPerPixel, rect.left(), rect.left() + rect.width(), first, end);
    if (size_t(destStride) < end - first) return false;
    for (int y = 0; y < rect.height(); ++y)
        std::memcpy(dest + size_t(y) * size_t(destStride), Handle.Row(rect.top() + y) + first, end - first);
    return true;
}

bool TOrvaneBitmap::PutRect(const uint8_t* src, int srcStride, const QRect& rect) {
    if (!src || !CheckRect(rect)) return false;
    size_t first, end;
    ByteColumns(Handle.BitsPerPixel, rect.left(), rect.left() + rect.width(), first, end);
    if (size_t(srcStride) < end - first) return false;
    for (int y = 0; y < rect.height(); ++y)
        std::memcpy(Handle.Row(rect.top() + y) + first, src + size_t(y) * size_t(srcStride), end - first);
    return true;
}

bool TOrvaneBitmap::GetRectBits(uint8_t* dest, int destStride, const QRect& rect) const {
    if (Handle.BitsPerPixel != 1) return GetRect(dest, destStride, rect);
    if (!dest || !CheckRect(rect)) return false;
    const int w = rect.width();
    const size_t outBytes = size_t((w + 7) / 8);
    if (size_t(destStride) < outBytes) return false;
    const int shift = rect.left() & 7;
    const int firstByte = rect.left() >> 3;
    const int lastByte = (Handle.BytesPerLine - 1);
    for (int y = 0; y < rect.height(); ++y) {
        const uint8_t* row = Handle.Row(rect.top() + y);
        uint8_t* out = dest + size_t(y) * size_t(destStride);
        for (size_t i = 0; i < outBytes; ++i) {
            const int b = firstByte + int(i);
            const unsigned hi = row[b];
            const unsigned lo = b + 1 <= lastByte ? row[b + 1] : 0;
            out[i] = uint8_t(((hi << 8 | lo) << shift) >> 8);
        }
        // Bits past the rectangle's right edge are cleared.
        if (w & 7) out[outBytes - 1] &= uint8_t(0xFF00 >> (w & 7));
    }
    return true;
}
