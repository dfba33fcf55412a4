#pragma once
// Printing a design: where it lands on the page and how it is painted there.

#include "raster/Tpmemory.h"

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <functional>

class QPainter;
class TPalette;

// The picture scaled to fill page, aspect kept, centred. Empty when either is empty.
QRect FitPlacement(QSize picture, const QRect& page);

// The design at its paper size (pixels / dpi inches) when that fits the page,
// otherwise the largest size that fits, aspect kept; centred on the page. page is
// in device pixels of deviceDpi. Empty when the picture or the page is empty.
QRect DesignPlacement(QSize picture, int dpi, const QRect& page, int deviceDpi);

// Rows painted at once: a band of an A0 design is a few megabytes, never the whole picture.
constexpr int kPrintBandRows = 256;

// What PaintDesignPart paints: source pixels of picture into target, each design
// pixel a sharp block. 8-bit pictures take the palette's colours, or their own when
// palette is null. With a mask (0/255, 8 bits, its top-left at maskOrigin in the
// picture) pixels outside it print white.
struct TDesignPart {
    const TOrvaneBitmap* Picture = nullptr;
    const TPalette* Palette = nullptr;
    QRect Source;
    QRectF Target;
    const TOrvaneBitmap* Mask = nullptr;
    QPoint MaskOrigin;
};

// Paints part band by band; band(done, total) hears each band and returns false to
// stop. False when stopped or out of memory.
bool PaintDesignPart(QPainter& painter, const TDesignPart& part,
                     const std::function<bool(int done, int total)>& band = {});

// Paints the whole design into target (PaintDesignPart of all its pixels).
void PaintDesign(QPainter& painter, const TOrvaneBitmap& picture, const TPalette* palette,
                 const QRect& target);
