// Reading "PT" design files of version 210 and later; older files go to the
// legacy reader. Every size the pixels would need is checked against the file
// before the picture is allocated.
#include "shell/File.h"

#include "colour/Palettefile.h"
#include "platform/Lereader.h"
#include "platform/Memorybudget.h"
#include "raster/Compress.h"
#include "raster/Tpmemory.h"
#include "shell/Exception.h"
#include "shell/File_records.h"

#include <QIODevice>
#include <cstring>

namespace {

// No deflate stream inflates by more than 1032 to 1 (a 258-byte match in two bits).
constexpr uint64_t kMaxInflateRatio = 1032;

// Row bytes of a stored row: unpadded for versions 220 and 221, else padded to 4 bytes.
uint64_t StoredRowBytes(const TDocumentHeader& h) {
    const uint64_t packed = uint64_t(h.paper.width) * (h.bitsPerPixel / 8);
    return h.version == 220 || h.version == 221 ? packed : (packed + 3) & ~uint64_t(3);
}

// Whether the pixel block that follows can hold raw bytes of the given size:
// raw blocks need them all, compressed ones a length word within the file and a
// stream long enough to inflate to them.
bool BlockFits(TLeReader& r, const TDocumentHeader& h, uint64_t raw) {
    const int mode = h.version < 220 ? kBlockRaw : h.compression;
    if (mode == kBlockRefused) return false;
    if (mode != kBlockCompressed) return r.Require(raw);
    const QByteArray word = r.Device()->peek(4);
    if (word.size() < 4) return false;
    const auto* b = reinterpret_cast<const uint8_t*>(word.constData());
    const uint64_t length =
        uint64_t(b[0]) | uint64_t(b[1]) << 8 | uint64_t(b[2]) << 16 | uint64_t(b[3]) << 24;
    if (length >= raw) return r.Require(4 + raw);
    return r.Require(4 + length) && raw <= (length + 1) * kMaxInflateRatio;
}

// Spreads packed rows read to the start of the pixel memory out to their padded
// places, last row first so no row overwrites one still to be moved.
void SpreadRows(TOrvaneBitmap& image, size_t packed) {
    const size_t stride = size_t(image.BytesPerLine());
    uint8_t* bits = image.ScanLine(0);
    for (int y = image.Height - 1; y >= 0; --y) {
        std::memmove(bits + size_t(y) * stride, bits + size_t(y) * packed, packed);
        std::memset(bits + size_t(y) * stride + packed, 0, stride - packed);
    }
}

// Reads the pixel block into the freshly allocated picture. The block goes
// straight into the picture's memory: on failure the caller releases it anyway,
// and a second plane-sized buffer is not needed.
bool ReadPixels(QIODevice* file, const TDocumentHeader& h, TOrvaneBitmap& image,
                const TProgressFn& progress) {
    uint8_t* bits = image.ScanLine(0);
    const size_t stride = size_t(image.BytesPerLine());
    const size_t rows = size_t(image.Height);
    if (h.version < 220) return ReadBlock(file, bits, stride * rows, kBlockRaw, progress);
    if (h.version >= kDocumentVersion) return ReadBlock(file, bits, stride * rows, h.compression, progress);
    const size_t packed = size_t(StoredRowBytes(h));
    if (!ReadBlock(file, bits, packed * rows, h.compression, progress)) return false;
    SpreadRows(image, packed);
    return true;
}

} // namespace

uint32_t ReadDocument(QIODevice* file, TPalette& palette, TDocumentHeader& header, bool topDown,
                      TOrvaneBitmap* image, QSize* announced, const TProgressFn& progress) {
    if (image) image->Release();
    TLeReader r(file);
    uint8_t first[kHeaderSize];
    if (!r.Read(first, kHeaderSize)) return ErrorCode::BadFile;
    TDocumentHeader h = ParseHeader(first);
    if (!(h.magic[0] == 'P' && h.magic[1] == 'T' && h.version >= 210))
        return ReadLegacyDocument(r, first, palette, header, topDown, image, announced);
    if (announced) *announced = QSize(h.paper.width, h.paper.height);
    const int bpp = h.bitsPerPixel;
    if (image) {
        if ((bpp != 8 && bpp != 24) || h.paper.width <= 0 || h.paper.height <= 0) return ErrorCode::BadFile;
        if (!BitmapSizeAllowed(h.paper.width, h.paper.height, bpp)) return ErrorCode::PictureTooLarge;
        if (!PictureFitsInMemory(h.paper.width, h.paper.height, bpp)) return ErrorCode::CanvasTooLarge;
    }

    // From here on the header says this is a design: what is missing was cut off.
    TPalette pal;
    pal.UseColor = r.U16();
    if (!ReadPaletteRecords(r, pal)) return ErrorCode::DamagedFile;
    const int thumbDepth = r.U16();
    if (!r.Skip(thumbDepth == 8 ? kThumbnailBytes8 : kThumbnailBytes24)) return ErrorCode::DamagedFile;

    if (image) {
        if (!BlockFits(r, h, StoredRowBytes(h) * uint64_t(h.paper.height))) return ErrorCode::DamagedFile;
        TRGBQuad quads[256];
        pal.GetQuads(quads);
        if (!image->Allocate(h.paper.width, h.paper.height, bpp == 8 ? quads : nullptr, bpp))
            return ErrorCode::OutOfMemory;
        bool stopped = false;
        if (!ReadPixels(file, h, *image, NoteStop(progress, stopped))) {
            image->Release();
            return stopped ? ErrorCode::Cancelled : ErrorCode::DamagedFile;
        }
    }
    palette = pal;
    header = h;
    return 0;
}
