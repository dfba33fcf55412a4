// The non-template parts of the seed fills: the fill area and the mask.
#include "raster/Floodfill.h"

#include <utility>

bool FloodFillArea(const TOrvaneBitmap& bitmap, const QRect* bounds, QPoint seed, QRect& area) {
    const QRect whole(0, 0, bitmap.Width, bitmap.Height);
    area = bitmap.Allocated() ? (bounds ? bounds->intersected(whole) : whole) : QRect();
    if (area.contains(seed)) return true;
    area = QRect();
    return false;
}

bool PrepareFillMask(TPBitmap& mask, int width, int height) {
    if (!mask.Memory || mask.Width != width || mask.Height != height || mask.BitsPerPixel != 1) {
        // Allocate aside first, so a failure leaves the caller's mask untouched.
        TPBitmap fresh;
        if (!fresh.Allocate(width, height, 1)) return false;
        mask.Release();
        std::swap(mask.Memory, fresh.Memory);
        std::swap(mask.Width, fresh.Width);
        std::swap(mask.Height, fresh.Height);
        std::swap(mask.BitsPerPixel, fresh.BitsPerPixel);
        std::swap(mask.Stride, fresh.Stride);
    }
    mask.Lock();
    mask.Fill(0);
    return true;
}
