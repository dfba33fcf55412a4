#pragma once
// Foreign picture files (BMP, PCX, PICT, PNG, PSD, SUN, TGA, TIFF and other common
// raster formats) read and written through ImageMagick. Pixels move between
// ImageMagick and the bitmap handle in whole-picture or whole-band calls.

#include "platform/Bitmaphandle.h"
#include "platform/Progress.h"

#include <QString>

// Format codes the callers pass when saving; the numbers are stored in settings.
enum TFileFormat : int {
    FILE_PCX = 1,
    FILE_TIF = 3,
    FILE_TGA = 4,
    FILE_BMP = 6,
    FILE_SUN = 55,
    FILE_PICT = 56,
    FILE_PNG = 75,
    FILE_PSD = 76,
};

// Why a load failed, for the message the user sees.
enum class TImageFileFailure {
    None,
    Unreadable, // missing, not a raster picture, or a layout that cannot be followed
    TooLarge,   // the announced size is above the Bitmaphandle limits
    Damaged,    // the header is sound but the file ends early or its pixels are corrupt
    NoMemory,   // the picture and one working copy would not fit in this machine's memory
};

// What a load learns about the file besides its pixels.
struct TImageFileFacts {
    int SourceBits = 0; // the file's own bits per pixel (1, 4, 8, 16, 24, 32, 48 ...)
    int Width = 0;      // the size the header announces, also when it is refused
    int Height = 0;
    int Dpi = 0; // horizontal resolution in dots per inch, 0 when the file gives none
    TImageFileFailure Failure = TImageFileFailure::None;
};

// Reads a foreign picture into h (h's old contents are freed first) at its natural depth.
// Palette pictures and greyscale of 8 bits or fewer arrive as 8 bits per pixel with their
// colours in h.Palette: indices as in the file where the file has a palette, grey level =
// index for greyscale, 1/2/4-bit pictures widened to one byte a pixel. Every other depth
// (16-bit colour, 32-bit with alpha, 48-bit, CMYK) arrives as 24 bits, blue-green-red.
// facts (may be null) receives what the file says about itself. Returns false with h
// empty for a missing, unreadable, truncated or corrupt file, a format that is not a
// raster picture, or a size above the Bitmaphandle limits or beyond what the file's
// length can hold, or more than PictureFitsInMemory allows (all checked from the header
// before any pixel is decoded). TIFF files too large for ImageMagick are read row by row;
// other formats with a side above ImageMagick's 16000 pixels are refused as TooLarge.
bool LoadImageFile(const QString& path, TBitmapHandle& h, TImageFileFacts* facts);

// Writes h (8 bits with palette, or 24 bits; 1-bit pictures are refused) as the given
// format, with dpi dots per inch as its resolution where the format keeps one (dpi 0
// writes none). The pixels read back exactly: 8-bit pictures stay palette files with
// their indices and all 256 colours, except PSD (written as RGB, which this ImageMagick
// can read back); BMP and TIFF are uncompressed. PICT takes 8-bit pictures 8 to 32510
// pixels wide, 24-bit ones 3 to 8127 (narrower 8-bit ones go as 24-bit), up to 32767
// high. The file is written to a temporary name beside the target and renamed over it
// only on success, so a failed save leaves the old file intact. Returns false for an
// unknown format code, an unsupported picture, an unwritable folder or an ImageMagick
// failure. PNG and TIFF pictures too large for ImageMagick are written row by row
// (platform/Imagefile_stream.h, TIFF then Deflate-compressed); progress hears rows done
// there and may stop the write, leaving the old file as it was. Other formats refuse them.
bool SaveImageFile(const QString& path, const TBitmapHandle& h, int format, int dpi = 0,
                   const TProgressFn& progress = {});
