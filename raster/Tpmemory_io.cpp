// Foreign image files and pixel blocks through the block codec.
#include "platform/Colorreduce.h"
#include "platform/Imagefile.h"
#include "raster/Compress.h"
#include "raster/Tpmemory.h"

#include <cstdlib>
#include <cstring>
#include <vector>

bool TOrvaneBitmap::LoadFromFile(const QString& fileName, TImageFileFacts* known) {
    if (HasDC) return false;
    TBitmapHandle loaded;
    TImageFileFacts local;
    TImageFileFacts& facts = known ? *known : local;
    if (!LoadImageFile(fileName, loaded, &facts)) return false;
    const int sourceBits = facts.SourceBits;
    if (BottomUp) {
        // Turn the picture upside down in place.
        std::vector<uint8_t> tmp(size_t(loaded.BytesPerLine));
        for (int top = 0, bottom = loaded.Height - 1; top < bottom; ++top, --bottom) {
            std::memcpy(tmp.data(), loaded.Row(top), tmp.size());
            std::memcpy(loaded.Row(top), loaded.Row(bottom), tmp.size());
            std::memcpy(loaded.Row(bottom), tmp.data(), tmp.size());
        }
    }
    // Pictures of up to 8 bits keep at most 250 colours; every other depth becomes 24 bits.
    const bool ok =
        sourceBits <= 8 && loaded.BitsPerPixel == 8 ? ReduceColors(loaded, 250) > 0 : ExpandTo24(loaded);
    if (!ok) {
        FreeBitmapHandle(loaded);
        return false;
    }
    Release();
    MoveBitmapHandle(Handle, loaded);
    FileValue = sourceBits;
    SyncFromHandle();
    return true;
}

bool TOrvaneBitmap::SaveToFile(const QString& fileName, int format, int dpi, const TProgressFn& progress) {
    if (!Handle.Allocated) return false;
    return SaveImageFile(fileName, Handle, format, dpi, progress);
}

bool TOrvaneBitmap::LoadFromHandle(QIODevice* file, int mode) {
    if (!Handle.Allocated || !file) return false;
    // Read into fresh memory so a damaged block leaves the picture as it was.
    const size_t size = Handle.ByteSize();
    uint8_t* fresh = AllocatePixels(size, false);
    if (!fresh) return false;
    if (!ReadBlock(file, fresh, size, mode)) {
        FreePixels(fresh);
        return false;
    }
    FreePixels(Handle.Bits);
    Handle.Bits = fresh;
    return true;
}

bool TOrvaneBitmap::SaveToHandle(QIODevice* file, int mode, const TProgressFn& progress) const {
    if (!Handle.Allocated || !file) return false;
    return WriteBlock(file, Handle.Bits, Handle.ByteSize(), mode, progress);
}

bool TOrvaneBitmap::SaveRectToHandle(QIODevice* file, int mode, const QRect& rect) const {
    if (!file || !CheckRect(rect) || rect.isEmpty()) return false;
    const int w = rect.width();
    size_t rowBytes =
        Handle.BitsPerPixel == 1 ? size_t((w - 1) / 8 + 1) : size_t(Handle.BitsPerPixel / 8) * size_t(w);
    rowBytes = (rowBytes + 3) & ~size_t(3);
    std::vector<uint8_t> block;
    try {
        block.assign(rowBytes * size_t(rect.height()), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return GetRectBits(block.data(), int(rowBytes), rect) &&
           WriteBlock(file, block.data(), block.size(), mode);
}
