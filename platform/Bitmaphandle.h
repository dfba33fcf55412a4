#pragma once
// The pixel store that stands in for the imaging library's bitmap handle:
// rows top-down, each BytesPerLine bytes (DWORD aligned, as device-independent
// bitmaps lay them out), 1, 8 or 24 bits per pixel, a 256-entry palette and
// an optional region. Every raster in the program keeps its pixels here.

#include <QRegion>
#include <cstddef>
#include <cstdint>

// Palette entry as held by 8-bit and 1-bit pictures: blue, green, red, reserved.
struct TRGBQuad {
    uint8_t rgbBlue = 0;
    uint8_t rgbGreen = 0;
    uint8_t rgbRed = 0;
    uint8_t rgbReserved = 0;
    friend bool operator==(const TRGBQuad&, const TRGBQuad&) = default;
};

// A colour value with red in the low byte, then green, then blue.
using TColorRef = uint32_t;
constexpr TColorRef MakeColorRef(int r, int g, int b) {
    return uint32_t(r & 0xFF) | (uint32_t(g & 0xFF) << 8) | (uint32_t(b & 0xFF) << 16);
}
constexpr int RedOf(TColorRef c) {
    return int(c & 0xFF);
}
constexpr int GreenOf(TColorRef c) {
    return int((c >> 8) & 0xFF);
}
constexpr int BlueOf(TColorRef c) {
    return int((c >> 16) & 0xFF);
}

// Limits that keep a damaged file or a mistyped size from asking for absurd memory.
// A0 at 1000 dpi (31200 x 44000 at 24 bits, about 4.1 GB) stays inside them.
constexpr int kMaxBitmapSide = 65535;
constexpr uint64_t kMaxBitmapBytes = uint64_t(6) << 30;

// Region combine modes, numbered as the drawing tools store them.
enum TRegionMode : int {
    L_RGN_AND = 0,
    L_RGN_SET = 1,
    L_RGN_ANDNOTBITMAP = 2,
    L_RGN_ANDNOTRGN = 3,
    L_RGN_OR = 4,
    L_RGN_XOR = 5,
    L_RGN_SETNOT = 6,
};

struct TBitmapHandle {
    uint8_t* Bits = nullptr; // owned; BytesPerLine * Height bytes
    int Width = 0;
    int Height = 0;
    int BytesPerLine = 0;
    uint16_t BitsPerPixel = 0; // 1, 8, 16 or 24
    bool Allocated = false;
    TRGBQuad Palette[256] = {}; // used by 1- and 8-bit pictures
    bool HasRegion = false;
    QRegion Region;

    uint8_t* Row(int y) { return Bits + size_t(y) * size_t(BytesPerLine); }
    const uint8_t* Row(int y) const { return Bits + size_t(y) * size_t(BytesPerLine); }
    size_t ByteSize() const { return size_t(BytesPerLine) * size_t(Height); }
};

// Pixel memory. Large blocks are 2 MiB aligned and asked for on huge pages: on
// first touch the system then maps 2 MiB at a time instead of 4 KiB, which makes a
// fresh A0 plane 40 times cheaper to fill. Null when memory is short. Free with
// FreePixels (plain free).
uint8_t* AllocatePixels(size_t bytes, bool zeroed);
void FreePixels(uint8_t* bits);

// Bytes per row for a width and depth, rounded up to a multiple of 4; 0 if out of range.
int BitmapBytesPerLine(int width, int bitsPerPixel);

// True when width x height at bitsPerPixel is within the limits above.
bool BitmapSizeAllowed(int width, int height, int bitsPerPixel);

// Allocates zero-filled pixels (frees what the handle held first). The palette is
// left as it was. Returns false, with the handle empty, when the size is not
// allowed or memory is short.
bool CreateBitmapHandle(TBitmapHandle& h, int width, int height, int bitsPerPixel);

// Frees the pixels and the region; the handle becomes empty.
void FreeBitmapHandle(TBitmapHandle& h);

// Moves the contents of src into dst (dst's old pixels are freed); src becomes empty.
void MoveBitmapHandle(TBitmapHandle& dst, TBitmapHandle& src);

// A grey ramp for 8-bit pictures and black/white for 1-bit ones.
void SetGreyPalette(TBitmapHandle& h);
