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
        // A fill mask needs a bit a pixel: its rows are packed to whole 32-bit words,
        // an eighth of the bytes StrideFor's 1-bit layout takes (170 MB instead of
        // 1.4 GB for an A0 design at 1000 dpi). Everything addresses it by Stride.
        const int packed = width > 0 ? ((width + 31) / 32) * 4 : 0;
        TPBitmap fresh;
        if (packed == 0 || !fresh.Allocate(packed, height, 8)) return false;
        fresh.Width = width;
        fresh.BitsPerPixel = 1;
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
