#pragma once
// Every raster of the program: TOrvaneBitmap (1-, 8- or 24-bit picture with its
// palette and region) and TPBitmap (a light 1- or 8-bit buffer for masks and
// scratch planes), plus the rectangle fill helpers.
//
// Pixel values exchanged with TOrvaneBitmap are a palette index for 8-bit
// pictures, a TColorRef (red in the low byte) for 24-bit ones and 0/1 for 1-bit
// ones. Rows run top-down, 24-bit pixels are stored blue, green, red. Every
// operation reports failure by its result and leaves the picture as it was.

#include "platform/Bitmaphandle.h"
#include "platform/Blit.h"
#include "platform/Progress.h"

#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <functional>
#include <memory>

class QIODevice;
class QPainter;
struct TImageFileFacts;

// A drawing context onto a bitmap's pixels, from GetDC. Image shares the
// pixels: 24-bit pictures appear as BGR888, 8-bit ones as Grayscale8 so that
// painting with QColor(i, i, i) writes palette index i, 1-bit ones as Mono.
struct TBitmapDC {
    class TOrvaneBitmap* Owner = nullptr;
    QImage Image;
};

class TOrvaneBitmap {
  public:
    TOrvaneBitmap();
    ~TOrvaneBitmap();
    TOrvaneBitmap(const TOrvaneBitmap&) = delete;
    TOrvaneBitmap& operator=(const TOrvaneBitmap&) = delete;

    bool BottomUp = false;
    TBitmapHandle Handle;
    uint16_t BitsPerPixel = 0;
    int Width = 0;
    int Height = 0;
    int FileValue = 0;
    uint8_t ColorSpace = 0;
    bool HasDC = false;
    std::function<void()> OnChange;

    static constexpr int kMaxRowBuffers = 11;

    // Allocation. Palette (256 entries, may be null) is used for 1- and 8-bit pictures.
    bool Allocate(int width, int height, const TRGBQuad* palette, int bitsPerPixel);
    void Release();
    // Takes other's pixels, palette and region without copying; other becomes empty.
    // Fires OnChange. False while either side has a drawing context out.
    bool TakeFrom(TOrvaneBitmap& other);
    bool Allocated() const { return Handle.Allocated; }
    TBitmapHandle* GetHandle() { return Handle.Allocated ? &Handle : nullptr; }
    int BytesPerLine() const { return Handle.BytesPerLine; }

    // Colour resolution: (24, ...) makes the picture full colour; (8, flags, null, n)
    // reduces it to at most n colours made from the picture (indices 0 .. n-1).
    bool ColorRes(int bitsPerPixel, int flags, const TRGBQuad* palette, int colors);
    // Canvas size, keeping the picture at the top left and filling new area with fillColor.
    bool ResizeCanvas(int width, int height, TColorRef fillColor);
    // Scales the picture; resample averages (24-bit), otherwise pixels are replicated.
    bool Stretch(int width, int height, bool resample);
    // Angle in hundredths of a degree, positive turns clockwise about the centre.
    // With resize the bitmap grows to hold the whole turned picture.
    bool Rotate(int angle, bool resize, TColorRef fillColor);

    // One drawing context at a time; a second GetDC before ReleaseDC gives null.
    TBitmapDC* GetDC();
    void ReleaseDC(TBitmapDC* dc);
    // A painter over GetDC's image (null for 1-bit pictures or while a DC is out).
    QPainter* GetCanvas();
    void ReleaseCanvas(QPainter* canvas);

    void GetColors(int first, int count, TRGBQuad* entries) const;
    void PutColors(int first, int count, const TRGBQuad* entries);
    bool ConvertColorSpace(int space);

    uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t value);

    // Regions: the bitmap's region in pixel coordinates.
    bool HasRegion() const { return Handle.Allocated && Handle.HasRegion; }
    // Returns the region (empty optional region -> false); removes it when remove is true.
    bool GetRegion(QRegion& region, bool remove);
    bool SetRegion(const QRegion& region, int mode);
    bool SetRegionRect(int mode, const QRect& rect);
    void FreeRegion();

    bool FillRect(TColorRef color, const QRect& rect);
    bool Assign(const TOrvaneBitmap& source, uint32_t rop = SRCCOPY);
    bool CopyFrom(const TOrvaneBitmap& source, int srcX, int srcY, uint32_t rop = SRCCOPY);
    bool CopyRectFrom(int x, int y, int width, int height, const TOrvaneBitmap& source, int srcX, int srcY,
                      uint32_t rop = SRCCOPY);
    bool DrawFrom(int x, int y, const TOrvaneBitmap& source, uint32_t rop = SRCCOPY);

    // Whole-picture and rectangle copies to and from packed buffers.
    bool GetRows(uint8_t* dest, int rowBytes, bool bottomUp) const;
    bool PutRows(const uint8_t* src, int rowBytes, bool bottomUp);
    bool GetRect(uint8_t* dest, int destStride, const QRect& rect) const;
    bool PutRect(const uint8_t* src, int srcStride, const QRect& rect);
    bool GetRectBits(uint8_t* dest, int destStride, const QRect& rect) const;

    // Row access: one to eleven zero-filled buffers of BytesPerLine bytes.
    bool BeginRows(int count = 1);
    uint8_t* ReadRow(int y, int index = 0);
    bool WriteRow(int y, int index = 0);
    bool WriteRowFrom(int y, const uint8_t* src);
    void EndRows();
    bool RowsOpen() const { return Rows[0] != nullptr; }
    uint8_t* RowBuffer(int index = 0) const {
        return index >= 0 && index < kMaxRowBuffers ? Rows[index] : nullptr;
    }

    // Direct row pointers for engines that work on whole rows in place.
    uint8_t* ScanLine(int y) { return Handle.Row(y); }
    const uint8_t* ScanLine(int y) const { return Handle.Row(y); }

    // Foreign files (BMP, PICT, PCX, PNG, PSD, SUN raster, TGA, TIFF).
    // After loading a picture is 8-bit (at most 250 colours) or 24-bit; facts (may
    // be null) receives the file's size, depth, resolution and why a load failed.
    // Saving writes dpi as the file's resolution (0: none); progress as SaveImageFile's.
    bool LoadFromFile(const QString& fileName, TImageFileFacts* facts = nullptr);
    bool SaveToFile(const QString& fileName, int format, int dpi = 0, const TProgressFn& progress = {});

    // The pixel block (BytesPerLine x Height, rows top-down) through the block codec;
    // progress as WriteBlock's.
    bool LoadFromHandle(QIODevice* file, int mode);
    bool SaveToHandle(QIODevice* file, int mode, const TProgressFn& progress = {}) const;
    bool SaveRectToHandle(QIODevice* file, int mode, const QRect& rect) const;

  private:
    void SyncFromHandle();
    bool ChangeSize(int width, int height, const std::function<bool()>& change);
    void Changed();
    bool CheckRect(const QRect& rect) const;

    uint8_t* RowMemory = nullptr;
    uint8_t* Rows[kMaxRowBuffers] = {};
    std::unique_ptr<TBitmapDC> DC;
    std::unique_ptr<QPainter> Canvas;
};

// A light pixel buffer: Stride x Height zeroed bytes, rows top-down. A 1-bit
// buffer is addressed bit-wise: pixel x is bit (0x80 >> (x & 7)) of byte x >> 3.
class TPBitmap {
  public:
    TPBitmap() = default;
    ~TPBitmap();
    TPBitmap(const TPBitmap&) = delete;
    TPBitmap& operator=(const TPBitmap&) = delete;

    uint8_t* Memory = nullptr;
    uint8_t* Bits = nullptr; // valid only while locked
    int Width = 0;
    int Height = 0;
    uint16_t BitsPerPixel = 0;
    int Stride = 0;

    // Stride: (BitsPerPixel / 8) x Width from 8 bits up; below 8 bits
    // (Width - 1) / 2^(BitsPerPixel - 1) + 1 bytes; then rounded up to a multiple of 4.
    static int StrideFor(int width, int bitsPerPixel);

    bool Allocate(int width, int height, int bitsPerPixel);
    void Release();
    uint8_t* Lock();
    void Unlock();
    void Fill(uint8_t value);
    bool PutRows(const uint8_t* src, bool bottomUp);
    bool LoadFromHandle(QIODevice* file, int mode);
    bool SaveToHandle(QIODevice* file, int mode);

    // Pixel helpers for the 1-bit case (memory must be locked).
    bool TestBit(int x, int y) const { return Bits[size_t(y) * Stride + (x >> 3)] & (0x80 >> (x & 7)); }
    void SetBit(int x, int y) { Bits[size_t(y) * Stride + (x >> 3)] |= uint8_t(0x80 >> (x & 7)); }
};

// 8-bit pictures: every pixel of rect becomes index; with a shape (16 bits per
// pixel), only the pixels whose shape value is 0 do. Returns false on bad input.
bool FillRectIndex(TOrvaneBitmap& bitmap, int index, const QImage* shape, const QRect& rect);
// The same for 24-bit pictures, writing blue, green, red.
bool FillRectColor(TOrvaneBitmap& bitmap, int red, int green, int blue, const QImage* shape,
                   const QRect& rect);
