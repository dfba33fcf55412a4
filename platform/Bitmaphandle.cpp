#include "platform/Bitmaphandle.h"

#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <utility>

namespace {
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kHugeFrom = size_t(2) << 20;
} // namespace

uint8_t* AllocatePixels(size_t bytes, bool zeroed) {
    if (bytes == 0) bytes = 1;
    if (bytes < kHugeFrom) return static_cast<uint8_t*>(zeroed ? std::calloc(bytes, 1) : std::malloc(bytes));
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    auto* p = static_cast<uint8_t*>(std::aligned_alloc(kHugePage, rounded));
    if (!p) return nullptr;
    madvise(p, rounded, MADV_HUGEPAGE); // a hint; without it the memory still works
    if (zeroed) std::memset(p, 0, bytes);
    return p;
}

void FreePixels(uint8_t* bits) {
    std::free(bits);
}

int BitmapBytesPerLine(int width, int bitsPerPixel) {
    if (width <= 0 || width > kMaxBitmapSide) return 0;
    if (bitsPerPixel != 1 && bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24) return 0;
    const int64_t bits = int64_t(width) * bitsPerPixel;
    return int(((bits + 31) / 32) * 4);
}

bool BitmapSizeAllowed(int width, int height, int bitsPerPixel) {
    if (height <= 0 || height > kMaxBitmapSide) return false;
    const int bpl = BitmapBytesPerLine(width, bitsPerPixel);
    return bpl > 0 && uint64_t(bpl) * uint64_t(height) <= kMaxBitmapBytes;
}

bool CreateBitmapHandle(TBitmapHandle& h, int width, int height, int bitsPerPixel) {
    FreeBitmapHandle(h);
    if (!BitmapSizeAllowed(width, height, bitsPerPixel)) return false;
    const int bpl = BitmapBytesPerLine(width, bitsPerPixel);
    uint8_t* bits = AllocatePixels(size_t(bpl) * size_t(height), true);
    if (!bits) return false;
    h.Bits = bits;
    h.Width = width;
    h.Height = height;
    h.BytesPerLine = bpl;
    h.BitsPerPixel = uint16_t(bitsPerPixel);
    h.Allocated = true;
    return true;
}

void FreeBitmapHandle(TBitmapHandle& h) {
    FreePixels(h.Bits);
    h.Bits = nullptr;
    h.Width = h.Height = h.BytesPerLine = 0;
    h.BitsPerPixel = 0;
    h.Allocated = false;
    h.HasRegion = false;
    h.Region = QRegion();
}

void MoveBitmapHandle(TBitmapHandle& dst, TBitmapHandle& src) {
    if (&dst == &src) return;
    FreeBitmapHandle(dst);
    dst = src; // copies the pointer and the palette
    src.Bits = nullptr;
    FreeBitmapHandle(src);
}

void SetGreyPalette(TBitmapHandle& h) {
    if (h.BitsPerPixel == 1) {
        h.Palette[0] = TRGBQuad{0, 0, 0, 0};
        h.Palette[1] = TRGBQuad{255, 255, 255, 0};
        return;
    }
    for (int i = 0; i < 256; ++i)
        h.Palette[i] = TRGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
}
