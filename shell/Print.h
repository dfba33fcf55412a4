#pragma once
// Printing a design: where it lands on the page and how it is painted there.

#include "raster/Tpmemory.h"

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;
class TPalette;

// The design at its paper size (pixels / dpi inches) when that fits the page,
// otherwise the largest size that fits, aspect kept; centred on the page. page is
// in device pixels of deviceDpi. Empty when the picture or the page is empty.
QRect DesignPlacement(QSize picture, int dpi, const QRect& page, int deviceDpi);

// Paints the design into target, one design pixel a block of device pixels; 8-bit
// pictures take the palette's colours, or their own when palette is null.
void PaintDesign(QPainter& painter, const TOrvaneBitmap& picture, const TPalette* palette,
                 const QRect& target);
