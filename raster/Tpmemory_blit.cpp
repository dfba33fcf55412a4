// Fills and blits. Blits into a picture that has a region stay inside it.
#include "raster/Tpmemory.h"

bool TOrvaneBitmap::FillRect(TColorRef color, const QRect& rect) {
    if (!Handle.Allocated) return true;
    FillHandleRect(Handle, rect, color);
    return true;
}

bool TOrvaneBitmap::CopyRectFrom(int x, int y, int width, int height, const TOrvaneBitmap& source, int srcX,
                                 int srcY, uint32_t rop) {
    if (!Handle.Allocated || !source.Handle.Allocated) return true;
    // Both sides must be free to draw on, as with any drawing context.
    if (HasDC || source.HasDC) return false;
    const QRegion* clip = Handle.HasRegion ? &Handle.Region : nullptr;
    return BlitHandle(Handle, QRect(x, y, width, height), source.Handle, QPoint(srcX, srcY), rop, clip);
}

bool TOrvaneBitmap::CopyFrom(const TOrvaneBitmap& source, int srcX, int srcY, uint32_t rop) {
    if (!CopyRectFrom(0, 0, Width, Height, source, srcX, srcY, rop)) return false;
    ColorSpace = source.ColorSpace;
    return true;
}

bool TOrvaneBitmap::DrawFrom(int x, int y, const TOrvaneBitmap& source, uint32_t rop) {
    return CopyRectFrom(x, y, source.Width, source.Height, source, 0, 0, rop);
}

bool TOrvaneBitmap::Assign(const TOrvaneBitmap& source, uint32_t rop) {
    if (&source == this) return true;
    if (!source.Handle.Allocated || HasDC || source.HasDC) return false;
    if (!Handle.Allocated &&
        !Allocate(source.Width, source.Height, source.Handle.Palette, source.BitsPerPixel))
        return false;
    // The picture keeps its size; the region is set aside so the whole picture is written.
    const bool hadRegion = Handle.HasRegion;
    const QRegion region = Handle.Region;
    FreeRegion();
    const bool ok = BlitHandle(Handle, QRect(0, 0, Width, Height), source.Handle, QPoint(0, 0), rop);
    if (hadRegion) SetRegion(region, L_RGN_SET);
    if (ok) ColorSpace = source.ColorSpace;
    return ok;
}
