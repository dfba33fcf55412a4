#pragma once
// PNG and TIFF files written (and TIFF read) a row at a time, straight from and
// into the pixel store: no second picture is built, so designs far beyond what
// ImageMagick's pixel cache and policy take (A0 at 1000 dpi) go through in the
// memory of the design plus a few rows.

#include "platform/Bitmaphandle.h"
#include "platform/Imagefile.h"
#include "platform/Progress.h"

#include <QString>

// Whether a picture is too large to go through ImageMagick: a side above its
// policy's 16000 pixels, or more pixels than its memory cache holds at 8 bytes each.
bool TooLargeForImageMagick(uint64_t width, uint64_t height);

// PNG: 8-bit pictures as palette files (all 256 entries, indices as they are),
// 24-bit ones as RGB; rows unfiltered, zlib's default level, a pHYs chunk for dpi > 0.
// TIFF: palette (8-bit) or RGB strips, Deflate compression, the resolution in dots per
// inch for dpi > 0, BigTIFF when the pixels pass 3.5 GiB.
// Both write to a temporary file beside path that replaces it only when complete;
// progress hears rows done of Height and may stop the write, which then leaves any
// old file at path as it was. False for a refused picture, a write error or a stop.
bool WritePngStream(const QString& path, const TBitmapHandle& h, int dpi, const TProgressFn& progress = {});
bool WriteTiffStream(const QString& path, const TBitmapHandle& h, int dpi, const TProgressFn& progress = {});

enum class TStreamRead { Done, NotTaken, Damaged, NoMemory, TooLarge };

// Reads a stripped TIFF of 8-bit palette or greyscale pixels, or 8-bit-per-sample RGB,
// into h (freed first) a row at a time: 8 bits with the file's colours, or 24 bits
// blue-green-red; facts gets its size (also when refused), depth and resolution. NotTaken for any
// other layout (the caller may try another reader); TooLarge above the Bitmaphandle
// limits, NoMemory when PictureFitsInMemory refuses it (both before allocating);
// Damaged for a row that cannot be read. h is empty unless Done.
TStreamRead ReadTiffStream(const QString& path, TBitmapHandle& h, TImageFileFacts& facts);
