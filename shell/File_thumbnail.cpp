// The 80 x 100 thumbnail: built from a picture when a design is saved, and
// read back from a file for the file browsers.
#include "colour/Palettefile.h"
#include "platform/Lereader.h"
#include "raster/Bitmapimage.h"
#include "raster/Tpmemory.h"
#include "shell/Exception.h"
#include "shell/File_records.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The palette index nearest to white (lowest index on a tie), which is what
// filling an 8-bit picture with the colour 0xFFFFFF amounts to.
uint8_t NearestWhite(const TRGBQuad* quads) {
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const int r = 255 - quads[i].rgbRed, g = 255 - quads[i].rgbGreen, b = 255 - quads[i].rgbBlue;
        const int d = r * r + g * g + b * b;
        if (d < bestDistance) best = i, bestDistance = d;
    }
    return uint8_t(best);
}

// Nearest-neighbour stretch of the w x h area at (x0, y0) into tw x th at the
// top left: target (x, y) takes source column x0 + floor(x * w / tw) and row
// y0 + floor(y * h / th). Only the tw x th source pixels needed are touched.
void StretchInto(TOrvaneBitmap& t, const TOrvaneBitmap& image, const QRect& area, int tw, int th) {
    const int bytes = image.BitsPerPixel / 8;
    std::vector<size_t> column(static_cast<size_t>(tw));
    for (int x = 0; x < tw; ++x)
        column[size_t(x)] = size_t(area.left() + int(int64_t(x) * area.width() / tw)) * size_t(bytes);
    for (int y = 0; y < th; ++y) {
        const uint8_t* src = image.ScanLine(area.top() + int(int64_t(y) * area.height() / th));
        uint8_t* dst = t.ScanLine(y);
        if (bytes == 1) {
            for (int x = 0; x < tw; ++x)
                dst[x] = src[column[size_t(x)]];
        } else {
            for (int x = 0; x < tw; ++x)
                std::memcpy(dst + 3 * x, src + column[size_t(x)], 3);
        }
    }
}

// Every pixel above 1 of the area marks its cell (cx x cy source pixels per
// thumbnail pixel) and the last such pixel of a cell in row order wins. So each
// cell is searched backwards from its bottom-right pixel and stops at the first
// hit: designs with a drawn ground cost a few reads per cell, not a full scan.
void MarkCells(TOrvaneBitmap& t, const TOrvaneBitmap& image, const QRect& area, int tw, int th) {
    const int w = area.width(), h = area.height();
    const int cx = (w + tw - 1) / tw, cy = (h + th - 1) / th;
    for (int ty = 0; ty * cy < h; ++ty) {
        const int top = ty * cy, bottom = std::min(h, top + cy);
        uint8_t* dst = t.ScanLine(ty);
        for (int tx = 0; tx * cx < w; ++tx) {
            const int left = tx * cx, right = std::min(w, left + cx);
            for (int y = bottom - 1; y >= top; --y) {
                const uint8_t* src = image.ScanLine(area.top() + y) + area.left();
                int x = right - 1;
                while (x >= left && src[x] <= 1)
                    --x;
                if (x >= left) {
                    dst[tx] = src[x];
                    break;
                }
            }
        }
    }
}

} // namespace

uint32_t MakeThumbnail(TOrvaneBitmap& thumbnail, const TOrvaneBitmap& image, int mode, const QRect& rect) {
    if (!image.Allocated() || (image.BitsPerPixel != 8 && image.BitsPerPixel != 24))
        return ErrorCode::NoDeviceContext;
    TRGBQuad quads[256];
    image.GetColors(0, 256, quads);
    if (!thumbnail.Allocate(kThumbnailWidth, kThumbnailHeight, quads, image.BitsPerPixel))
        return ErrorCode::OutOfMemory;
    const uint8_t white = image.BitsPerPixel == 8 ? NearestWhite(quads) : 0xFF;
    std::memset(thumbnail.ScanLine(0), white, size_t(thumbnail.BytesPerLine()) * kThumbnailHeight);

    const QRect area = rect.normalized() & QRect(0, 0, image.Width, image.Height);
    if (area.isEmpty()) return 0;
    // The smaller of the two scales, computed exactly in integers: the limiting
    // side fills the thumbnail, the other gets the integer part of its scaled size.
    const int64_t w = area.width(), h = area.height();
    int tw = kThumbnailWidth, th = kThumbnailHeight;
    if (kThumbnailWidth * h <= kThumbnailHeight * w)
        th = int(h * kThumbnailWidth / w);
    else
        tw = int(w * kThumbnailHeight / h);
    if (tw == 0 || th == 0) return 0; // a sliver thinner than one thumbnail pixel

    if (mode == 1 && image.BitsPerPixel == 8)
        MarkCells(thumbnail, image, area, tw, th);
    else
        StretchInto(thumbnail, image, area, tw, th);
    return 0;
}

uint32_t ReadThumbnail(QIODevice* file, QImage& thumbnail, TPalette& palette) {
    TLeReader r(file);
    uint8_t first[kHeaderSize];
    if (!r.Read(first, kHeaderSize)) return ErrorCode::BadFile;
    const TDocumentHeader h = ParseHeader(first);
    if (!(h.magic[0] == 'P' && h.magic[1] == 'T' && h.version >= 210)) return ErrorCode::BadFile;
    TPalette pal;
    pal.UseColor = r.U16();
    if (!ReadPaletteRecords(r, pal)) return ErrorCode::BadFile;
    const bool indexed = r.U16() == 8;
    const int rowBytes = kThumbnailWidth * (indexed ? 1 : 3);
    std::vector<uint8_t> bytes(size_t(rowBytes) * kThumbnailHeight);
    if (!r.Read(bytes.data(), qint64(bytes.size()))) return ErrorCode::BadFile;

    QImage out(kThumbnailWidth, kThumbnailHeight, indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (out.isNull()) return ErrorCode::OutOfMemory;
    if (indexed) out.setColorTable(ColorTable(pal));
    // Files before version 222 keep the thumbnail bottom row first.
    for (int i = 0; i < kThumbnailHeight; ++i) {
        const uint8_t* src = bytes.data() + size_t(i) * size_t(rowBytes);
        uint8_t* dst = out.scanLine(h.version >= kDocumentVersion ? i : kThumbnailHeight - 1 - i);
        if (indexed) {
            std::memcpy(dst, src, size_t(rowBytes));
            continue;
        }
        auto* px = reinterpret_cast<QRgb*>(dst);
        for (int x = 0; x < kThumbnailWidth; ++x)
            px[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
    }
    thumbnail = out;
    palette = pal;
    return 0;
}
