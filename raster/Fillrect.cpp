// Rectangle fills for palette cells, colour charts and swatches.
#include "raster/Tpmemory.h"

namespace {

// True where the shape lets the fill through: its pixel value is 0.
bool ShapeOpen(const QImage& shape, int x, int y) {
    if (x >= shape.width() || y >= shape.height()) return false;
    if (shape.depth() == 16) return reinterpret_cast<const uint16_t*>(shape.constScanLine(y))[x] == 0;
    return (shape.pixel(x, y) & 0xFFFFFF) == 0;
}

template <typename PutPixel>
bool FillRectWith(TOrvaneBitmap& bitmap, const QImage* shape, const QRect& rect, PutPixel put) {
    const QRect r = rect.intersected(QRect(0, 0, bitmap.Width, bitmap.Height));
    if (r.isEmpty()) return true;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        uint8_t* row = bitmap.ScanLine(y);
        for (int x = r.left(); x <= r.right(); ++x)
            if (!shape || ShapeOpen(*shape, x - rect.left(), y - rect.top())) put(row, x);
    }
    return true;
}

} // namespace

bool FillRectIndex(TOrvaneBitmap& bitmap, int index, const QImage* shape, const QRect& rect) {
    if (bitmap.BitsPerPixel != 8) return false;
    return FillRectWith(bitmap, shape, rect, [index](uint8_t* row, int x) { row[x] = uint8_t(index); });
}

bool FillRectColor(TOrvaneBitmap& bitmap, int red, int green, int blue, const QImage* shape,
                   const QRect& rect) {
    if (bitmap.BitsPerPixel != 24) return false;
    return FillRectWith(bitmap, shape, rect, [=](uint8_t* row, int x) {
        uint8_t* p = row + 3 * x;
        p[0] = uint8_t(blue), p[1] = uint8_t(green), p[2] = uint8_t(red);
    });
}
