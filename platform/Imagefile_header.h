#pragma once
// What a foreign picture's header says about its pixels, read from the raw bytes
// without decoding. ImageMagick reports its own working depth (8 or 16 bits a
// channel) rather than the file's, and it expands PICT colour tables, so the
// loader asks the header for the stored bits per pixel and, where ImageMagick may
// turn palette indices into colours (PICT, PNG with transparency), the palette.

#include "platform/Bitmaphandle.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class TPixelKind { Unknown, Palette, Grey, Colour };

struct TImageFileLayout {
    int Bits = 0;       // bits per pixel as stored; 0 when not recognised
    uint32_t Width = 0; // size as announced (BMP, PNG, PSD, SUN, TGA, PCX, TIFF); 0 when unknown
    uint32_t Height = 0;
    int Dpi = 0; // resolution ImageMagick does not report (PICT); 0 when unknown
    TPixelKind Kind = TPixelKind::Unknown;
    bool Incomplete = false; // the file ends before the pixel data it announces
    int PaletteCount = 0;    // colour table in file order (PICT, PNG), else 0
    TRGBQuad Palette[256] = {};
};

// Reads the header of a BMP, PNG, TIFF, TGA, PCX, SUN, PSD or PICT file; magick is
// ImageMagick's name for the format (TGA and PICT have no reliable signature).
// Unknown formats and headers it cannot follow give Bits == 0 and Kind Unknown.
TImageFileLayout ReadImageFileLayout(const uint8_t* data, size_t size, std::string_view magick);
