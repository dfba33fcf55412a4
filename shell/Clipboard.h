#pragma once
// The private clipboard format that carries a selection between designs with
// its palette entries, and the standard picture other programs take.
//
// Layout (little-endian): seven u32 fields (0, a time stamp, bits per pixel 8 or
// 24, width, height, the number of palette entries carried (8 bits), 1). 8 bits: the palette
// entries 1 .. used-colour count as design-file palette records, then height
// rows of width indices (0 outside the selection). 24 bits: one u32 (0), height
// rows of width blue-green-red triples, then height rows of width mask bytes,
// inverted (0 inside the selection).

#include "colour/Colorset.h"
#include "colour/Palette.h"
#include "raster/Tpmemory.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QRegion>

inline constexpr const char* kClipboardMime = "application/x-velmora-design";

// A selection taken from a design: its pixels, the palette entries it uses and
// which of its pixels are inside the selection.
struct TClipPicture {
    TOrvaneBitmap Image; // 8 or 24 bits, the selection's bounding rectangle
    TPalette Palette;    // entries 1 .. UseColor valid for 8 bits
    QImage Mask;         // Format_Grayscale8, 255 inside the selection
};

// Encodes rect of image, masked by selection (pixels outside it become 0), in the
// private format. An empty result when rect is empty or outside the picture.
QByteArray EncodeClipboard(const TOrvaneBitmap& image, const TPalette& palette, const QRect& rect,
                           const QRegion& selection, uint32_t timeStamp);

// Decodes the private format; false for anything malformed (nothing allocated
// beyond what the data can hold).
bool DecodeClipboard(const QByteArray& data, TClipPicture& out);

// The selection as a standard picture (RGB, outside the selection white).
QImage ClipboardPicture(const TOrvaneBitmap& image, const TPalette& palette, const QRect& rect,
                        const QRegion& selection);

// One byte a pixel over rect: 255 where selection covers it, everywhere for an
// empty selection, 0 elsewhere. Null when it cannot be allocated.
QImage SelectionMask(const QRect& rect, const QRegion& selection);

// Puts a pasted picture into the design at (x, y), converting colours: into an
// 8-bit design each colour takes the nearest drawing colour (2 .. 251) of its
// palette; into a 24-bit one colours go as they are. Only pixels inside the mask
// are written. Returns the rectangle written (clipped to the design).
QRect PasteIntoDesign(TOrvaneBitmap& design, const TPalette& palette, const TClipPicture& picture, int x,
                      int y, const TWriteGuard& guard = TWriteGuard());

// A standard picture from another program as a clip (every pixel selected).
bool ClipFromImage(const QImage& image, TClipPicture& out);
