#include "raster/Bitmapimage.h"

#include "colour/Palette.h"

namespace {
QList<QRgb> TableOf(const TRGBQuad* quads) {
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    return table;
}

QList<QRgb> TableFor(const TOrvaneBitmap& bitmap, const TPalette* palette) {
    if (palette) return ColorTable(*palette);
    TRGBQuad quads[256];
    bitmap.GetColors(0, 256, quads);
    return TableOf(quads);
}

bool Drawable(const TOrvaneBitmap& bitmap) {
    return bitmap.Allocated() && (bitmap.BitsPerPixel == 8 || bitmap.BitsPerPixel == 24);
}
} // namespace

QList<QRgb> ColorTable(const TPalette& palette) {
    TRGBQuad quads[256];
    palette.GetQuads(quads);
    return TableOf(quads);
}

QImage BitmapImage(const TOrvaneBitmap& bitmap, const TPalette* palette, const TImagePart& part) {
    if (!Drawable(bitmap)) return {};
    const QRect all(0, 0, bitmap.Width, bitmap.Height);
    const QRect area = part.Rect.isNull() ? all : part.Rect.intersected(all);
    if (area.isEmpty()) return {};
    const QImage& mask = part.Mask;
    if (!mask.isNull() && (mask.size() != area.size() || mask.format() != QImage::Format_Grayscale8))
        return {};
    const QSize size = part.Size.isEmpty() ? area.size() : part.Size;
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull()) return out;
    const bool indexed = bitmap.BitsPerPixel == 8;
    const QList<QRgb> table = indexed ? TableFor(bitmap, palette) : QList<QRgb>();
    for (int y = 0; y < size.height(); ++y) {
        const int sy = int(int64_t(y) * area.height() / size.height());
        const uint8_t* row = bitmap.ScanLine(area.top() + sy);
        const uint8_t* m = mask.isNull() ? nullptr : mask.constScanLine(sy);
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int sx = int(int64_t(x) * area.width() / size.width());
            const int px = area.left() + sx;
            if (m && !m[sx])
                line[x] = part.Outside;
            else
                line[x] = indexed ? table[row[px]] : qRgb(row[3 * px + 2], row[3 * px + 1], row[3 * px]);
        }
    }
    return out;
}

QImage BitmapView(const TOrvaneBitmap& bitmap, const TPalette* palette) {
    if (!Drawable(bitmap)) return {};
    const uint8_t* bits = bitmap.ScanLine(0);
    if (bitmap.BitsPerPixel == 24)
        return QImage(bits, bitmap.Width, bitmap.Height, bitmap.BytesPerLine(), QImage::Format_BGR888);
    QImage view(bits, bitmap.Width, bitmap.Height, bitmap.BytesPerLine(), QImage::Format_Indexed8);
    view.setColorTable(TableFor(bitmap, palette));
    return view;
}
