#include "shell/Clipboard.h"

#include "colour/Palettefile.h"
#include "colour/Searchcolor.h"
#include "platform/Lebytes.h"
#include "platform/Lereader.h"
#include "raster/Bitmapimage.h"

#include <QBuffer>
#include <cstring>
#include <unordered_map>

QImage SelectionMask(const QRect& rect, const QRegion& selection) {
    QImage mask(rect.size(), QImage::Format_Grayscale8);
    if (mask.isNull()) return mask; // too large to hold
    mask.fill(selection.isEmpty() ? 255 : 0);
    for (const QRect& r : selection.intersected(rect))
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memset(mask.scanLine(y - rect.top()) + (r.left() - rect.left()), 255, size_t(r.width()));
    return mask;
}

QByteArray EncodeClipboard(const TOrvaneBitmap& image, const TPalette& palette, const QRect& rect,
                           const QRegion& selection, uint32_t timeStamp) {
    const QRect area = rect.intersected(QRect(0, 0, image.Width, image.Height));
    const int bpp = image.BitsPerPixel;
    if (area.isEmpty() || (bpp != 8 && bpp != 24)) return {};
    const QImage mask = SelectionMask(area, selection);
    // Every entry a copied pixel uses travels along, even above the used-colour count.
    int used = bpp == 8 ? std::clamp<int>(palette.UseColor, 1, 255) : 0;
    if (bpp == 8)
        for (int y = 0; y < area.height(); ++y) {
            const uint8_t* row = image.ScanLine(area.top() + y) + area.left();
            for (int x = 0; x < area.width(); ++x)
                used = std::max<int>(used, row[x]);
        }
    used = std::min(used, 255);
    QByteArray out;
    for (uint32_t v :
         {0u, timeStamp, uint32_t(bpp), uint32_t(area.width()), uint32_t(area.height()), uint32_t(used), 1u})
        Put32(out, v);
    if (bpp == 8) {
        for (int i = 1; i <= used; ++i)
            AppendPaletteRecord(out, palette[i]);
        for (int y = 0; y < area.height(); ++y) {
            const uint8_t* row = image.ScanLine(area.top() + y) + area.left();
            const uint8_t* m = mask.constScanLine(y);
            for (int x = 0; x < area.width(); ++x)
                out.append(char(m[x] ? row[x] : 0));
        }
    } else {
        Put32(out, 0);
        for (int y = 0; y < area.height(); ++y) {
            const uint8_t* row = image.ScanLine(area.top() + y) + 3 * area.left();
            const uint8_t* m = mask.constScanLine(y);
            for (int x = 0; x < area.width(); ++x)
                for (int c = 0; c < 3; ++c)
                    out.append(char(m[x] ? row[3 * x + c] : 0));
        }
        for (int y = 0; y < area.height(); ++y) {
            const uint8_t* m = mask.constScanLine(y);
            for (int x = 0; x < area.width(); ++x)
                out.append(char(~m[x]));
        }
    }
    return out;
}

bool DecodeClipboard(const QByteArray& data, TClipPicture& out) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    TLeReader r(&buffer);
    uint32_t head[7];
    for (uint32_t& v : head)
        v = r.U32();
    const int bpp = int(head[2]), w = int(head[3]), h = int(head[4]), used = int(head[5]);
    if (!r.ok() || (bpp != 8 && bpp != 24) || w <= 0 || h <= 0 || w > kMaxBitmapSide || h > kMaxBitmapSide)
        return false;
    const uint64_t pixels = uint64_t(w) * uint64_t(h);
    TClipPicture clip;
    if (bpp == 8) {
        if (used < 1 || used > 255) return false;
        for (int i = 1; i <= used; ++i)
            if (!ReadPaletteRecord(r, clip.Palette[i])) return false;
        clip.Palette.UseColor = uint16_t(used);
        if (!r.Require(pixels) || !r.ok()) return false;
    } else {
        r.U32();
        if (!r.Require(pixels * 4) || !r.ok()) return false;
    }
    TRGBQuad quads[256];
    clip.Palette.GetQuads(quads);
    if (!clip.Image.Allocate(w, h, quads, bpp)) return false;
    clip.Mask = QImage(w, h, QImage::Format_Grayscale8);
    const int rowBytes = w * bpp / 8;
    for (int y = 0; y < h; ++y)
        r.Read(clip.Image.ScanLine(y), rowBytes);
    if (bpp == 8) {
        // Index 0 marks pixels outside the selection.
        for (int y = 0; y < h; ++y) {
            const uint8_t* row = clip.Image.ScanLine(y);
            uint8_t* m = clip.Mask.scanLine(y);
            for (int x = 0; x < w; ++x)
                m[x] = row[x] ? 255 : 0;
        }
    } else {
        for (int y = 0; y < h; ++y) {
            uint8_t* m = clip.Mask.scanLine(y);
            r.Read(m, w);
            for (int x = 0; x < w; ++x)
                m[x] = uint8_t(~m[x]);
        }
    }
    if (!r.ok()) return false;
    out.Image.Release();
    out.Image.Assign(clip.Image);
    out.Palette = clip.Palette;
    out.Mask = clip.Mask;
    return true;
}

QImage ClipboardPicture(const TOrvaneBitmap& image, const TPalette& palette, const QRect& rect,
                        const QRegion& selection) {
    const QRect area = rect.intersected(QRect(0, 0, image.Width, image.Height));
    if (area.isEmpty()) return {};
    return BitmapImage(image, &palette, {.Rect = area, .Mask = SelectionMask(area, selection)});
}

QRect PasteIntoDesign(TOrvaneBitmap& design, const TPalette& palette, const TClipPicture& picture, int x,
                      int y, const TWriteGuard& guard) {
    const TOrvaneBitmap& src = picture.Image;
    const QRect target =
        QRect(x, y, src.Width, src.Height).intersected(QRect(0, 0, design.Width, design.Height));
    if (target.isEmpty() || !design.Allocated()) return {};
    std::unordered_map<uint32_t, int> nearest; // colour value -> design index
    auto indexFor = [&](uint32_t colour) {
        auto it = nearest.find(colour);
        if (it != nearest.end()) return it->second;
        TSearchColor search(RedOf(colour), GreenOf(colour), BlueOf(colour));
        for (int i = TPalette::kFirstDrawing; i <= TPalette::kLastDrawing; ++i)
            if (search.Offer(i, palette[i].Red(), palette[i].Green(), palette[i].Blue())) break;
        const int index = search.Found() ? search.Best() : TPalette::kFirstDrawing;
        nearest.emplace(colour, index);
        return index;
    };
    for (int ty = target.top(); ty <= target.bottom(); ++ty) {
        const int sy = ty - y;
        const uint8_t* m = picture.Mask.isNull() ? nullptr : picture.Mask.constScanLine(sy);
        for (int tx = target.left(); tx <= target.right(); ++tx) {
            const int sx = tx - x;
            if ((m && !m[sx]) || !guard.Allows(design, tx, ty)) continue;
            uint32_t v = src.GetPixel(sx, sy);
            if (src.BitsPerPixel == 8) v = picture.Palette[int(v)].ColorRef();
            design.SetPixel(tx, ty, design.BitsPerPixel == 8 ? uint32_t(indexFor(v)) : v);
        }
    }
    return target;
}

bool ClipFromImage(const QImage& image, TClipPicture& out) {
    if (image.isNull() || image.width() > kMaxBitmapSide || image.height() > kMaxBitmapSide) return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    TClipPicture clip;
    if (!clip.Image.Allocate(rgb.width(), rgb.height(), nullptr, 24)) return false;
    for (int y = 0; y < rgb.height(); ++y) {
        const uint8_t* s = rgb.constScanLine(y);
        uint8_t* d = clip.Image.ScanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            d[3 * x] = s[3 * x + 2], d[3 * x + 1] = s[3 * x + 1], d[3 * x + 2] = s[3 * x];
    }
    clip.Mask = QImage(rgb.size(), QImage::Format_Grayscale8);
    clip.Mask.fill(255);
    out.Image.Release();
    out.Image.Assign(clip.Image);
    out.Palette = clip.Palette;
    out.Mask = clip.Mask;
    return true;
}
