#include "tools/Floating.h"

#include "colour/Palette.h"
#include "raster/Bitmapimage.h"
#include "shell/Exception.h"

#include <algorithm>
#include <cstring>

bool TFloating::Allocate(int width, int height, int bitsPerPixel) {
    Release();
    if (!BitmapSizeAllowed(width, height, bitsPerPixel) || !BitmapSizeAllowed(width, height, 8)) return false;
    TRGBQuad grey[256];
    for (int i = 0; i < 256; ++i)
        grey[i] = TRGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    if (Image.Allocate(width, height, nullptr, bitsPerPixel) && Mask.Allocate(width, height, grey, 8))
        return true;
    Release();
    return false;
}

void TFloating::Release() {
    Image.Release();
    Mask.Release();
}

uint32_t LiftFloating(const TOrvaneBitmap& picture, const QRegion& selection, int type, TFloating& out) {
    out.Release();
    const QRect box = selection.boundingRect().intersected(QRect(0, 0, picture.Width, picture.Height));
    const int bpp = picture.BitsPerPixel;
    if (box.isEmpty() || !picture.Allocated()) return ErrorCode::NoWorkArea;
    if (bpp != 8 && bpp != 24) return ErrorCode::BadFile;
    if (type < FloatNormal || type > FloatUDMirror) type = FloatNormal; // turns and bends start from it
    if (!out.Allocate(box.width(), box.height(), bpp)) return ErrorCode::OutOfMemory;
    const int w = box.width(), h = box.height(), bytes = bpp / 8;
    for (const QRect& r : selection.intersected(box))
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memset(out.Mask.ScanLine(y - box.top()) + (r.left() - box.left()), 255, size_t(r.width()));
    const bool upDown = type == FloatUpDown || type == FloatUDMirror;
    const bool mirror = type == FloatMirror || type == FloatUDMirror;
    for (int y = 0; y < h; ++y) {
        // The mask is laid out as the source first, so both flip alike below.
        const int source = upDown ? h - 1 - y : y;
        const uint8_t* from = picture.ScanLine(box.top() + source) + size_t(box.left()) * bytes;
        const uint8_t* keep = out.Mask.ScanLine(source);
        uint8_t* to = out.Image.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int sx = mirror ? w - 1 - x : x;
            for (int c = 0; c < bytes; ++c)
                to[x * bytes + c] = from[sx * bytes + c] & keep[sx];
        }
    }
    // The mask rows follow the same order (in place: swap rows, reverse within rows).
    if (upDown)
        for (int y = 0; y < h / 2; ++y)
            std::swap_ranges(out.Mask.ScanLine(y), out.Mask.ScanLine(y) + w, out.Mask.ScanLine(h - 1 - y));
    if (mirror)
        for (int y = 0; y < h; ++y)
            std::reverse(out.Mask.ScanLine(y), out.Mask.ScanLine(y) + w);
    return 0;
}

QImage FloatingPicture(const TFloating& piece, const TPalette& palette) {
    if (piece.Empty()) return {};
    QImage picture = BitmapImage(piece.Image, &palette);
    if (picture.isNull()) return {};
    picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) return {};
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const uint8_t* keep = piece.Mask.ScanLine(y);
        for (int x = 0; x < picture.width(); ++x)
            if (!keep[x]) row[x] = 0;
    }
    return picture;
}
