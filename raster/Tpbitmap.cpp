#include "raster/Compress.h"
#include "raster/Tpmemory.h"

#include <cstdlib>
#include <cstring>

TPBitmap::~TPBitmap() {
    Release();
}

int TPBitmap::StrideFor(int width, int bitsPerPixel) {
    if (width <= 0 || bitsPerPixel <= 0 || bitsPerPixel > 32) return 0;
    int64_t stride = bitsPerPixel >= 8 ? int64_t(bitsPerPixel >> 3) * width
                                       : int64_t(width - 1) / (int64_t(1) << (bitsPerPixel - 1)) + 1;
    stride = (stride + 3) & ~int64_t(3);
    return stride > INT32_MAX ? 0 : int(stride);
}

bool TPBitmap::Allocate(int width, int height, int bitsPerPixel) {
    Release();
    const int stride = StrideFor(width, bitsPerPixel);
    if (stride == 0 || height <= 0 || height > kMaxBitmapSide || width > kMaxBitmapSide) return false;
    if (uint64_t(stride) * uint64_t(height) > kMaxBitmapBytes) return false;
    Memory = AllocatePixels(size_t(stride) * size_t(height), true); // large planes on huge pages
    if (!Memory) return false;
    Width = width;
    Height = height;
    BitsPerPixel = uint16_t(bitsPerPixel);
    Stride = stride;
    return true;
}

void TPBitmap::Release() {
    Unlock();
    std::free(Memory);
    Memory = nullptr;
    Width = Height = Stride = 0;
    BitsPerPixel = 0;
}

uint8_t* TPBitmap::Lock() {
    Bits = Memory;
    return Bits;
}

void TPBitmap::Unlock() {
    Bits = nullptr;
}

void TPBitmap::Fill(uint8_t value) {
    if (Bits) std::memset(Bits, value, size_t(Stride) * size_t(Height));
}

bool TPBitmap::PutRows(const uint8_t* src, bool bottomUp) {
    if (!Bits || !src || BitsPerPixel < 8) return false;
    const size_t rowBytes = size_t(BitsPerPixel / 8) * size_t(Width);
    for (int y = 0; y < Height; ++y) {
        const int row = bottomUp ? Height - 1 - y : y;
        std::memcpy(Bits + size_t(row) * size_t(Stride), src + size_t(y) * rowBytes, rowBytes);
    }
    return true;
}

bool TPBitmap::LoadFromHandle(QIODevice* file, int mode) {
    if (!Memory) return false;
    return ReadBlock(file, Memory, size_t(Stride) * size_t(Height), mode);
}

bool TPBitmap::SaveToHandle(QIODevice* file, int mode) {
    if (!Memory) return false;
    return WriteBlock(file, Memory, size_t(Stride) * size_t(Height), mode);
}
