#include "raster/Tpmemory.h"

#include <QPainter>
#include <cstring>

TOrvaneBitmap::TOrvaneBitmap() = default;

TOrvaneBitmap::~TOrvaneBitmap() {
    ReleaseCanvas(Canvas.get());
    Release();
}

void TOrvaneBitmap::SyncFromHandle() {
    BitsPerPixel = Handle.Allocated ? Handle.BitsPerPixel : 0;
    Width = Handle.Allocated ? Handle.Width : 0;
    Height = Handle.Allocated ? Handle.Height : 0;
}

void TOrvaneBitmap::Changed() {
    if (OnChange) OnChange();
}

bool TOrvaneBitmap::Allocate(int width, int height, const TRGBQuad* palette, int bitsPerPixel) {
    Release();
    if (bitsPerPixel != 1 && bitsPerPixel != 8 && bitsPerPixel != 24) return false;
    if (!CreateBitmapHandle(Handle, width, height, bitsPerPixel)) return false;
    std::fill(std::begin(Handle.Palette), std::end(Handle.Palette), TRGBQuad{});
    if (bitsPerPixel <= 8 && palette)
        std::memcpy(Handle.Palette, palette, sizeof(TRGBQuad) * (size_t(1) << bitsPerPixel));
    SyncFromHandle();
    Changed();
    return true;
}

void TOrvaneBitmap::Release() {
    if (!Handle.Allocated) return;
    EndRows();
    FreeBitmapHandle(Handle);
    SyncFromHandle();
}

bool TOrvaneBitmap::TakeFrom(TOrvaneBitmap& other) {
    if (&other == this) return true;
    if (HasDC || other.HasDC) return false;
    Release();
    other.EndRows();
    MoveBitmapHandle(Handle, other.Handle);
    ColorSpace = other.ColorSpace;
    FileValue = other.FileValue;
    other.SyncFromHandle();
    SyncFromHandle();
    Changed();
    return true;
}

void TOrvaneBitmap::GetColors(int first, int count, TRGBQuad* entries) const {
    if (!Handle.Allocated || !entries || first < 0 || count <= 0) return;
    const int end = std::min(first + count, 256);
    for (int i = first; i < end; ++i)
        entries[i - first] = Handle.Palette[i];
}

void TOrvaneBitmap::PutColors(int first, int count, const TRGBQuad* entries) {
    if (!Handle.Allocated || !entries || first < 0 || count <= 0) return;
    const int end = std::min(first + count, 256);
    for (int i = first; i < end; ++i)
        Handle.Palette[i] = entries[i - first];
}

namespace {

// Colour spaces of the pixel data: 0 blue-green-red (as stored), 1 red-green-blue,
// 4 cyan-magenta-yellow (each byte inverted). Conversions go through 0.
bool KnownSpace(int space) {
    return space == 0 || space == 1 || space == 4;
}

void ToBgr(uint8_t* p, int space) {
    if (space == 1) std::swap(p[0], p[2]);
    if (space == 4) p[0] = uint8_t(~p[0]), p[1] = uint8_t(~p[1]), p[2] = uint8_t(~p[2]);
}

void FromBgr(uint8_t* p, int space) {
    ToBgr(p, space);
} // both conversions are their own inverse

} // namespace

bool TOrvaneBitmap::ConvertColorSpace(int space) {
    if (space == ColorSpace) return true;
    if (!KnownSpace(space) || !KnownSpace(ColorSpace)) return false;
    if (Handle.Allocated) {
        auto convert = [&](uint8_t* p) {
            ToBgr(p, ColorSpace);
            FromBgr(p, space);
        };
        if (Handle.BitsPerPixel == 24) {
            // In place, row by row: needs no work memory, so it cannot run short.
            for (int y = 0; y < Height; ++y) {
                uint8_t* row = Handle.Row(y);
                for (int x = 0; x < Width; ++x)
                    convert(row + 3 * x);
            }
        } else if (Handle.BitsPerPixel <= 8) {
            for (auto& q : Handle.Palette)
                convert(&q.rgbBlue);
        }
    }
    ColorSpace = uint8_t(space);
    return true;
}

uint32_t TOrvaneBitmap::GetPixel(int x, int y) const {
    if (!Handle.Allocated || x < 0 || y < 0 || x >= Width || y >= Height) return 0;
    const uint8_t* row = Handle.Row(y);
    switch (Handle.BitsPerPixel) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 8:
        return row[x];
    case 16:
        return uint32_t(row[2 * x]) | uint32_t(row[2 * x + 1]) << 8;
    default: {
        const uint8_t* p = row + 3 * x;
        return MakeColorRef(p[2], p[1], p[0]);
    }
    }
}

void TOrvaneBitmap::SetPixel(int x, int y, uint32_t value) {
    if (!Handle.Allocated || x < 0 || y < 0 || x >= Width || y >= Height) return;
    uint8_t* row = Handle.Row(y);
    switch (Handle.BitsPerPixel) {
    case 1: {
        const uint8_t bit = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = (value & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
        break;
    }
    case 8:
        row[x] = uint8_t(value);
        break;
    case 16:
        row[2 * x] = uint8_t(value);
        row[2 * x + 1] = uint8_t(value >> 8);
        break;
    default: {
        uint8_t* p = row + 3 * x;
        p[0] = uint8_t(BlueOf(value));
        p[1] = uint8_t(GreenOf(value));
        p[2] = uint8_t(RedOf(value));
    }
    }
}

bool TOrvaneBitmap::GetRegion(QRegion& region, bool remove) {
    if (!HasRegion()) return false;
    region = Handle.Region;
    if (remove) FreeRegion();
    return true;
}

bool TOrvaneBitmap::SetRegion(const QRegion& region, int mode) {
    if (!Handle.Allocated) return false;
    const QRegion old = Handle.HasRegion ? Handle.Region : QRegion();
    const QRegion all(0, 0, Width, Height);
    QRegion result;
    switch (mode) {
    case L_RGN_AND:
        result = old.intersected(region);
        break;
    case L_RGN_SET:
        result = region;
        break;
    case L_RGN_ANDNOTBITMAP:
        result = all.subtracted(old).intersected(region);
        break;
    case L_RGN_ANDNOTRGN:
        result = old.subtracted(region);
        break;
    case L_RGN_OR:
        result = old.united(region);
        break;
    case L_RGN_XOR:
        result = old.xored(region);
        break;
    case L_RGN_SETNOT:
        result = all.subtracted(region);
        break;
    default:
        return false;
    }
    Handle.Region = result.intersected(all);
    Handle.HasRegion = true;
    return true;
}

bool TOrvaneBitmap::SetRegionRect(int mode, const QRect& rect) {
    return SetRegion(QRegion(rect), mode);
}

void TOrvaneBitmap::FreeRegion() {
    Handle.HasRegion = false;
    Handle.Region = QRegion();
}

TBitmapDC* TOrvaneBitmap::GetDC() {
    if (HasDC || !Handle.Allocated) return nullptr;
    auto dc = std::make_unique<TBitmapDC>();
    dc->Owner = this;
    switch (Handle.BitsPerPixel) {
    case 1:
        dc->Image = QImage(Handle.Bits, Width, Height, Handle.BytesPerLine, QImage::Format_Mono);
        dc->Image.setColorTable(
            {qRgb(Handle.Palette[0].rgbRed, Handle.Palette[0].rgbGreen, Handle.Palette[0].rgbBlue),
             qRgb(Handle.Palette[1].rgbRed, Handle.Palette[1].rgbGreen, Handle.Palette[1].rgbBlue)});
        break;
    case 8:
        dc->Image = QImage(Handle.Bits, Width, Height, Handle.BytesPerLine, QImage::Format_Grayscale8);
        break;
    case 24:
        dc->Image = QImage(Handle.Bits, Width, Height, Handle.BytesPerLine, QImage::Format_BGR888);
        break;
    default:
        return nullptr;
    }
    if (dc->Image.isNull()) return nullptr;
    DC = std::move(dc);
    HasDC = true;
    return DC.get();
}

void TOrvaneBitmap::ReleaseDC(TBitmapDC* dc) {
    if (dc && dc == DC.get()) DC.reset();
    HasDC = false;
}

QPainter* TOrvaneBitmap::GetCanvas() {
    if (Handle.BitsPerPixel == 1) return nullptr;
    TBitmapDC* dc = GetDC();
    if (!dc) return nullptr;
    Canvas = std::make_unique<QPainter>();
    if (!Canvas->begin(&dc->Image)) {
        Canvas.reset();
        ReleaseDC(dc);
        return nullptr;
    }
    return Canvas.get();
}

void TOrvaneBitmap::ReleaseCanvas(QPainter* canvas) {
    if (!canvas || canvas != Canvas.get()) return;
    Canvas->end();
    Canvas.reset();
    ReleaseDC(DC.get());
}

bool TOrvaneBitmap::CheckRect(const QRect& rect) const {
    return Handle.Allocated && rect.left() >= 0 && rect.top() >= 0 && rect.left() <= rect.right() + 1 &&
           rect.top() <= rect.bottom() + 1 && rect.right() < Width && rect.bottom() < Height;
}
