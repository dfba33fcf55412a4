#pragma once
// The program's own design files (".tex", ".tfc", ".t3d" and the older
// ".wea", ".wav", ".knt"): a 32-byte header, the palette with library
// references, an 80 x 100 thumbnail and the pixel block, little-endian.
//
// Current writer: version 222 (223 for 3D designs), rows as the pixel store
// keeps them (padded to 4 bytes) through the block codec with the header's
// compression byte (0 raw, 2 zlib). The reader also takes versions 220-221
// (unpadded rows), 210-219 (raw padded rows, no length word) and the legacy
// layouts (type letter "T" or other, 8- and 10-byte palette records, 6-bit
// colours, 225-colour palettes shifted by one, GIF-style LZW pixels).

#include "colour/Palette.h"
#include "platform/Progress.h"
#include "shell/Paper.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <cstdint>

class QIODevice;
class TOrvaneBitmap;

#pragma pack(push, 1)
struct TDocumentHeader {
    char magic[2] = {'P', 'T'};
    uint16_t version = 222;
    TPaper paper;
    uint16_t bitsPerPixel = 8;
    uint8_t compression = 2;
    uint8_t reserved[13] = {};
};
#pragma pack(pop)
static_assert(sizeof(TDocumentHeader) == 32);

constexpr uint16_t kDocumentVersion = 222;
constexpr uint16_t kDocumentVersion3D = 223;
constexpr int kThumbnailWidth = 80;
constexpr int kThumbnailHeight = 100;

// Writes header, used-colour count, the 256 palette records, thumbnail depth and
// pixels, then (when image is given) the pixel block with the header's
// compression: the whole image, or only rect when rect is not null. The file
// always gets the current magic and at least version 222, and with an image the
// header's width, height and depth are those of the pixels written; paper type,
// orientation, dpi and compression are kept. thumbnail must be 80 x 100 at 8 or
// 24 bits. False, with nothing written, for a missing thumbnail, compression 1,
// an empty image or a rect outside it; otherwise false at the first failed write.
// progress hears the pixel block's bytes done and may stop the write (false).
bool WriteDocument(QIODevice* file, const TPalette& palette, const TDocumentHeader& header, const QRect* rect,
                   const TOrvaneBitmap* image, const TOrvaneBitmap& thumbnail,
                   const TProgressFn& progress = {});

// Reads header and palette and, when image is given, allocates it with the
// header's size and depth and fills its pixels. topDown orders rows of legacy
// layouts: true puts the first stored row at the top (".tex", ".tfc", ".t3d"),
// false at the bottom (".wea", ".wav", ".knt"). Returns 0, BadFile for a file
// in no known layout or with an impossible header, PictureTooLarge for a size
// above the bitmap limits, DamagedFile for a design that ends early or whose
// pixels cannot be decoded (all checked before any large allocation), or
// OutOfMemory. On failure image is left empty and palette and header are
// unchanged; announced (may be null) receives the picture size the header gives
// as soon as it is read, also when the file is then refused. Legacy files report "PT"-style headers of paper
// type 5 with their stored size and dpi, 8 bits per pixel, their own first two bytes and version, and
// compression 2 (their LZW code is never written back). A picture that PictureFitsInMemory refuses
// gives CanvasTooLarge before anything is allocated. progress hears the pixel block's bytes
// done; a stop gives Cancelled with everything left as on failure.
uint32_t ReadDocument(QIODevice* file, TPalette& palette, TDocumentHeader& header, bool topDown,
                      TOrvaneBitmap* image, QSize* announced = nullptr, const TProgressFn& progress = {});

// Builds the 80 x 100 thumbnail of rect of image into thumbnail (allocated here
// with the image's depth and palette, white where the picture does not reach).
// Mode 0 scales the rectangle down keeping its aspect ratio at the top left;
// mode 1 (8-bit only; 24-bit pictures are scaled as in mode 0) marks every
// cell that holds a pixel value above 1. White for an 8-bit picture is the
// palette index nearest to white. Returns 0, 0x40000011 for an empty picture
// or one of another depth, 0x40000010 when memory is short.
uint32_t MakeThumbnail(TOrvaneBitmap& thumbnail, const TOrvaneBitmap& image, int mode, const QRect& rect);

// Reads the thumbnail of a "PT" file of version 210 or later as an 80 x 100
// picture (Indexed8 with the file's palette as colour table, or RGB32); files
// before version 222 hold its rows bottom-up. Returns 0 or 0x40000104; the
// results are set only on success.
uint32_t ReadThumbnail(QIODevice* file, QImage& thumbnail, TPalette& palette);
