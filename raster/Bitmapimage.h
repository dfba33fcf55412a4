#pragma once
// Pictures of a pixel store for Qt. The clipboard's standard picture, printing,
// the captured-image thumbnails and the command line's thumbnails all take their
// QImages from here.

#include "raster/Tpmemory.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>

class TPalette;

// The colour table of an 8-bit picture with the palette's 256 colours.
QList<QRgb> ColorTable(const TPalette& palette);

// What BitmapImage takes from a bitmap.
struct TImagePart {
    QRect Rect = {};  // the part, clipped to the bitmap; null: the whole bitmap
    QSize Size = {};  // the picture's size, pixel (x, y) showing the part's pixel
                      // (x * width / Size.width, y * height / Size.height); empty: the part's size
    QImage Mask = {}; // null, or Grayscale8 of the clipped part's size: pixels where it is 0 show Outside
    QRgb Outside = qRgb(255, 255, 255);
};

// A copy of part of an 8-bit or 24-bit bitmap as Format_RGB32; 8-bit pixels take
// the palette's colours, or the bitmap's own when palette is null. Null for another
// depth, an empty part, a mask of the wrong size or format, or no memory.
QImage BitmapImage(const TOrvaneBitmap& bitmap, const TPalette* palette, const TImagePart& part = {});

// The bitmap's pixels as a QImage without a copy: Indexed8 with the colours as
// BitmapImage takes them, or BGR888. Valid while the bitmap is neither freed nor
// resized; null for another depth.
QImage BitmapView(const TOrvaneBitmap& bitmap, const TPalette* palette);
