// The oldest design files (no "PT" magic, or "PT" below version 210): a type
// letter and version, an 8000-byte thumbnail, the used-colour count, a palette
// of 225 eight-byte or 256 ten-byte records, the size, and 8-bit pixels raw or
// in GIF-style LZW. 225-colour files keep their colours at indices 1 .. 225,
// so every pixel value is moved up by one on reading.
#include "colour/Palettefile.h"
#include "platform/Lereader.h"
#include "raster/Tpmemory.h"
#include "shell/Exception.h"
#include "shell/File_records.h"
#include "shell/Lzw.h"

#include <QByteArray>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

namespace {

constexpr int kLegacyThumbnail = 8000;
constexpr int kShortPaletteSize = 225;
// An LZW code of at least 9 bits stands for at most 3839 bytes (1 + the 3838
// entries a table can gain), so a byte of codes yields fewer than 3413 bytes.
constexpr uint64_t kMaxLzwRatio = 3413;

struct TLegacyLayout {
    bool ShortPalette = false; // 225 records of 8 bytes, else 256 of 10
    bool Compressed = false;
    bool Padded = false;
    bool Counted = false; // a 4-byte byte count precedes the LZW data
    int Dpi = 160;
    int64_t Width = 0;
    int64_t Height = 0;
};

// Palette and size by type letter and version; the reader fails on a short file.
TLegacyLayout ReadLayout(TLeReader& r, char letter, int version, TPalette& pal) {
    TLegacyLayout l;
    if (letter != 'T') {
        l.ShortPalette = true;
        ReadShortPalette(r, pal);
        l.Width = r.U16();
        l.Height = r.U16();
        l.Compressed = letter == 'C';
        return l;
    }
    l.ShortPalette = version < 200;
    if (l.ShortPalette)
        ReadShortPalette(r, pal);
    else
        ReadLongPalette(r, pal);
    const uint32_t flags = r.U32();
    if (version < 201) {
        l.Dpi = r.U16();
        l.Width = version < 200 ? int64_t(r.U16()) : int64_t(r.I32());
        l.Height = version < 200 ? int64_t(r.U16()) : int64_t(r.I32());
    } else {
        r.U8(), r.U8(); // paper type and orientation: the size below is what counts
        l.Dpi = r.U16();
        l.Width = r.I32();
        l.Height = r.I32();
    }
    l.Padded = flags & 0x10;
    l.Compressed = !l.Padded && (flags & 0x0F) != 0;
    l.Counted = version >= 101;
    return l;
}

// The pixels as stored, width x height bytes of LZW output. Checks the data
// against the file before the output buffer is allocated.
uint32_t ReadLzwPixels(TLeReader& r, const TLegacyLayout& l, std::unique_ptr<uint8_t[]>& out) {
    const uint64_t size = uint64_t(l.Width) * uint64_t(l.Height);
    uint64_t limit = std::numeric_limits<uint64_t>::max();
    if (l.Counted) {
        limit = r.U32();
        if (!r.Require(limit)) return ErrorCode::DamagedFile;
    } else if (r.Remaining() >= 0) {
        limit = uint64_t(r.Remaining());
    }
    if (limit != std::numeric_limits<uint64_t>::max() && size > limit * kMaxLzwRatio)
        return ErrorCode::DamagedFile;
    QByteArray codes;
    if (!ReadLzwBlocks(r, codes, limit, l.Counted)) return ErrorCode::DamagedFile;
    if (size > uint64_t(codes.size()) * kMaxLzwRatio) return ErrorCode::DamagedFile;

    out.reset(new (std::nothrow) uint8_t[size]);
    if (!out) return ErrorCode::OutOfMemory;
    size_t produced = 0;
    if (!LzwDecode(reinterpret_cast<const uint8_t*>(codes.constData()), size_t(codes.size()), out.get(), size,
                   produced) ||
        produced != size)
        return ErrorCode::DamagedFile;
    return 0;
}

// Puts stored row i (rowBytes apart in data, or read from the file when data is
// null) at the top or the bottom, shifting values up by one for short palettes.
bool FillRows(TLeReader& r, const TLegacyLayout& l, const uint8_t* data, size_t rowBytes, bool topDown,
              TOrvaneBitmap& image) {
    const int w = image.Width, h = image.Height;
    for (int i = 0; i < h; ++i) {
        uint8_t* row = image.ScanLine(topDown ? i : h - 1 - i);
        if (data)
            std::memcpy(row, data + size_t(i) * rowBytes, size_t(w));
        else if (!r.Read(row, qint64(rowBytes)))
            return false;
        if (l.ShortPalette)
            for (int x = 0; x < w; ++x)
                row[x] = uint8_t(row[x] + 1);
        std::memset(row + w, 0, size_t(image.BytesPerLine() - w));
    }
    return true;
}

} // namespace

uint32_t ReadLegacyDocument(TLeReader& r, const uint8_t* first, TPalette& palette, TDocumentHeader& header,
                            bool topDown, TOrvaneBitmap* image, QSize* announced) {
    const char letter = char(first[1]);
    const int version = first[2] | first[3] << 8;
    if (!r.Skip(kLegacyThumbnail - (kHeaderSize - 4))) return ErrorCode::BadFile;

    TPalette pal;
    pal.UseColor = r.U16();
    const TLegacyLayout l = ReadLayout(r, letter, version, pal);
    if (!r.ok()) return ErrorCode::BadFile;
    if (l.ShortPalette) pal.UseColor = uint16_t(pal.UseColor + 1);
    if (l.Width <= 0 || l.Height <= 0) return ErrorCode::BadFile;
    if (announced) *announced = QSize(int(l.Width), int(l.Height));
    if (!BitmapSizeAllowed(int(l.Width), int(l.Height), 8)) return ErrorCode::PictureTooLarge;

    TDocumentHeader h;
    h.magic[0] = char(first[0]), h.magic[1] = letter;
    h.version = uint16_t(version);
    h.paper.type = kPaperCustom;
    h.paper.orientation = 0;
    h.paper.dpi = uint16_t(l.Dpi);
    h.paper.width = int32_t(l.Width);
    h.paper.height = int32_t(l.Height);
    h.bitsPerPixel = 8;

    if (image) {
        std::unique_ptr<uint8_t[]> decoded;
        const size_t rowBytes = l.Padded ? size_t((l.Width + 3) & ~int64_t(3)) : size_t(l.Width);
        if (l.Compressed) {
            if (const uint32_t e = ReadLzwPixels(r, l, decoded)) return e;
        } else if (!r.Require(uint64_t(rowBytes) * uint64_t(l.Height))) {
            return ErrorCode::DamagedFile;
        }
        TRGBQuad quads[256];
        pal.GetQuads(quads);
        if (!image->Allocate(int(l.Width), int(l.Height), quads, 8)) return ErrorCode::OutOfMemory;
        if (!FillRows(r, l, decoded.get(), rowBytes, topDown, *image)) {
            image->Release();
            return ErrorCode::DamagedFile;
        }
    }
    palette = pal;
    header = h;
    return 0;
}
