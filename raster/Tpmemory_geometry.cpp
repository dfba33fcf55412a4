// Colour resolution, canvas size, scaling and rotation.
#include "platform/Colorreduce.h"
#include "platform/Geometry.h"
#include "raster/Tpmemory.h"

#include <cstring>

bool TOrvaneBitmap::ColorRes(int bitsPerPixel, int /*flags*/, const TRGBQuad* palette, int colors) {
    if (!Handle.Allocated || HasDC) return false;
    EndRows();
    bool ok = false;
    if (bitsPerPixel == 24) {
        ok = ExpandTo24(Handle);
    } else if (bitsPerPixel == 8) {
        if (palette) {
            // Map onto the given palette: widen, then take the nearest entry of each colour.
            TBitmapHandle target;
            if (!CreateBitmapHandle(target, Width, Height, 8)) return false;
            std::memcpy(target.Palette, palette, sizeof target.Palette);
            ok = BlitHandle(target, QRect(0, 0, Width, Height), Handle, QPoint(0, 0), SRCCOPY);
            if (ok) {
                target.HasRegion = Handle.HasRegion;
                target.Region = Handle.Region;
                MoveBitmapHandle(Handle, target);
            }
            FreeBitmapHandle(target);
        } else {
            ok = ReduceColors(Handle, colors > 0 ? colors : 256) > 0;
        }
    }
    SyncFromHandle();
    return ok;
}

// The steps both size changes share: refuse bad sizes, allocate an empty picture
// at the new size, leave an unchanged size alone, and tell the view on success.
bool TOrvaneBitmap::ChangeSize(int width, int height, const std::function<bool()>& change) {
    if (width <= 0 || height <= 0 || HasDC) return false;
    if (!Handle.Allocated) {
        const int bpp = BitsPerPixel ? BitsPerPixel : 8;
        if (!CreateBitmapHandle(Handle, width, height, bpp)) return false;
    } else if (width != Width || height != Height) {
        EndRows();
        if (!change()) return false;
    }
    SyncFromHandle();
    Changed();
    return true;
}

bool TOrvaneBitmap::ResizeCanvas(int width, int height, TColorRef fillColor) {
    return ChangeSize(width, height, [&] {
        TBitmapHandle bigger;
        if (!CreateBitmapHandle(bigger, width, height, Handle.BitsPerPixel)) return false;
        std::memcpy(bigger.Palette, Handle.Palette, sizeof bigger.Palette);
        FillHandleRect(bigger, QRect(0, 0, width, height), fillColor);
        const QRect kept(0, 0, std::min(width, Width), std::min(height, Height));
        BlitHandle(bigger, kept, Handle, QPoint(0, 0), SRCCOPY);
        bigger.HasRegion = Handle.HasRegion;
        bigger.Region = Handle.Region;
        MoveBitmapHandle(Handle, bigger);
        return true;
    });
}

bool TOrvaneBitmap::Stretch(int width, int height, bool resample) {
    return ChangeSize(width, height, [&] { return SizeHandle(Handle, width, height, resample); });
}

bool TOrvaneBitmap::Rotate(int angle, bool resize, TColorRef fillColor) {
    if (!Handle.Allocated || HasDC) return false;
    EndRows();
    if (!RotateHandle(Handle, angle, resize, fillColor)) return false;
    SyncFromHandle();
    return true;
}
