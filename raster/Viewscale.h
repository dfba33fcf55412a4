#pragma once
// Nearest-neighbour drawing of a picture into 32-bit view images, and the tiling
// copy of the repeat display. The views build every frame from these.
//
// Mapping: destination pixel (i, j) of a block shows source pixel
// (srcX + i * outX / inX, srcY + j * outY / inY), the division truncating; this is
// the same rule the views use to turn a canvas point into a bitmap point, so what
// is shown under the mouse is what a click reports.

#include "colour/Colorref.h"
#include "raster/Tpmemory.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>

// Scale of one axis: inCount destination pixels show outCount source pixels.
struct TScaleRatio {
    int64_t In = 1;
    int64_t Out = 1;
};

enum class TScaleOp { Copy, Xor };

// Converts runs of one picture's rows to 32-bit pixels at one horizontal scale; the
// palette table is made once, so many short runs cost no more than one long one.
class TRowScaler {
  public:
    // Ok() is false for a picture without pixels, of another depth than 1, 8 or 24
    // bits, or for a ratio below 1.
    TRowScaler(const TOrvaneBitmap& bitmap, TScaleRatio x);
    bool Ok() const { return Valid; }
    // The indices [first, last) of a count-long run starting at source column start
    // whose source columns lie inside the picture.
    void Inside(int64_t start, int count, int& first, int& last) const;
    // out[i] = source pixel (start + i * Out / In, sy) for i in [first, last); the caller
    // keeps the row and those columns inside the picture.
    void Convert(uint32_t* out, int first, int last, int sy, int64_t start) const;

  private:
    const TOrvaneBitmap& Bitmap;
    TScaleRatio X;
    uint32_t Lut[256] = {};
    bool Valid = false;
};

// Picture pixels converted to view pixels so far, over all threads: a frame should
// convert about what it shows, however large the picture (tests check this).
int64_t ConvertedPixels();

// Draws bitmap into dest's block rect with the mapping above, starting at source point
// src. Copy writes opaque pixels; Xor flips the red, green and blue bits of dest by the
// source colours (the display of a mask). Destination pixels whose source lies outside
// the bitmap are left alone, and only the source rows and columns shown are read.
// dest must be Format_RGB32 or Format_ARGB32_Premultiplied. False on bad input.
bool ScalePicture(QImage& dest, const QRect& rect, const TOrvaneBitmap& bitmap, QPoint src, TScaleRatio x,
                  TScaleRatio y, TScaleOp op = TScaleOp::Copy);

// Fills the w x h block at (x, y) of dest with copies of the srcW x srcH top-left part
// of src, the first copy starting at source point (srcX, srcY): bands of rows start at
// srcY and then 0, pieces within a band at srcX and then 0. Both images must have the
// same 32-bit format; the block is clipped to dest. False on bad input.
bool RepeatBitBlt(QImage& dest, int x, int y, int w, int h, const QImage& src, int srcW, int srcH, int srcX,
                  int srcY);

// Fills rect (clipped to the image) of a 32-bit image with one pixel value.
void FillPixels(QImage& image, const QRect& rect, uint32_t pixel);

// Inverts the red, green and blue bits of the pixels of rect (clipped to the image).
void InvertPixels(QImage& image, const QRect& rect);

// Fills the parts of a 32-bit image outside inner (above, below, left and right of it).
void FillAround(QImage& image, const QRect& inner, uint32_t pixel);
