// The design file writer and the record layouts it shares with the readers.
#include "shell/File.h"

#include "colour/Palettefile.h"
#include "platform/Lebytes.h"
#include "platform/Lereader.h"
#include "raster/Compress.h"
#include "raster/Tpmemory.h"
#include "shell/File_records.h"

#include <QIODevice>
#include <algorithm>

namespace {

bool WriteAll(QIODevice* file, const QByteArray& bytes) {
    return file->write(bytes) == bytes.size();
}

// The area written: the whole image or rect, which must lie inside it; empty when
// nothing can be written.
QRect WrittenArea(const QRect* rect, const TOrvaneBitmap& image) {
    if (!image.Allocated() || (image.BitsPerPixel != 8 && image.BitsPerPixel != 24)) return QRect();
    const QRect whole(0, 0, image.Width, image.Height);
    if (!rect) return whole;
    return whole.contains(*rect) ? *rect : QRect();
}

bool ThumbnailUsable(const TOrvaneBitmap& t) {
    return t.Allocated() && t.Width == kThumbnailWidth && t.Height == kThumbnailHeight &&
           (t.BitsPerPixel == 8 || t.BitsPerPixel == 24);
}

} // namespace

TDocumentHeader ParseHeader(const uint8_t* b) {
    TDocumentHeader h;
    h.magic[0] = char(b[0]), h.magic[1] = char(b[1]);
    h.version = Get16(b + 2);
    h.paper.type = int8_t(b[4]);
    h.paper.orientation = b[5];
    h.paper.dpi = Get16(b + 6);
    h.paper.width = int32_t(Get32(b + 8));
    h.paper.height = int32_t(Get32(b + 12));
    h.bitsPerPixel = Get16(b + 16);
    h.compression = b[18];
    return h; // the reserved bytes stay zero
}

void AppendHeader(QByteArray& out, const TDocumentHeader& h) {
    Put8(out, h.magic[0]), Put8(out, h.magic[1]);
    Put16(out, h.version);
    Put8(out, h.paper.type), Put8(out, h.paper.orientation);
    Put16(out, h.paper.dpi);
    Put32(out, uint32_t(h.paper.width)), Put32(out, uint32_t(h.paper.height));
    Put16(out, h.bitsPerPixel);
    Put8(out, h.compression);
    out.append(13, '\0');
}

bool WriteDocument(QIODevice* file, const TPalette& palette, const TDocumentHeader& header, const QRect* rect,
                   const TOrvaneBitmap* image, const TOrvaneBitmap& thumbnail, const TProgressFn& progress) {
    if (!file || !ThumbnailUsable(thumbnail) || header.compression == kBlockRefused) return false;
    const QRect area = image ? WrittenArea(rect, *image) : QRect();
    if (image && area.isEmpty()) return false;

    // Always the current layout: "PT" and at least version 222 whatever the
    // header came from (a legacy file reports its own letters and version), and
    // the size and depth of the pixels that follow, so the file reads back.
    TDocumentHeader h = header;
    h.magic[0] = 'P', h.magic[1] = 'T';
    h.version = std::max(h.version, kDocumentVersion);
    if (image) {
        h.paper.width = area.width();
        h.paper.height = area.height();
        h.bitsPerPixel = image->BitsPerPixel;
    }

    QByteArray front;
    front.reserve(kHeaderSize + 2 + 256 * 9 + 2 + kThumbnailBytes24);
    AppendHeader(front, h);
    Put16(front, palette.UseColor);
    AppendPaletteRecords(front, palette);
    Put16(front, thumbnail.BitsPerPixel);
    const int rowBytes = kThumbnailWidth * (thumbnail.BitsPerPixel / 8);
    for (int y = 0; y < kThumbnailHeight; ++y)
        front.append(reinterpret_cast<const char*>(thumbnail.ScanLine(y)), rowBytes);
    if (!WriteAll(file, front)) return false;

    if (!image) return true;
    return rect ? image->SaveRectToHandle(file, h.compression, *rect)
                : image->SaveToHandle(file, h.compression, progress);
}
