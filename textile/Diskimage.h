#pragma once
// The diskette image a carpet production machine reads: 2400 sectors of 512 bytes
// (a 1.2 MB 5.25-inch diskette). After 15360 bytes of filler comes a 14-byte header
// starting "Y0", the row count big-endian, and from byte 15616 one 644-byte record per
// carpet row, bottom row first. A record holds 1700 knots as two bit planes (A: one
// bit per knot, B: two bits per knot, first knot in the highest bits) and the 1-based
// row number three times. Everything else is the filler 0xF6.

#include "raster/Tpmemory.h"

#include <cstdint>
#include <vector>

class TWriteGuard;

namespace CarpetDisk {
constexpr int kSectorBytes = 512;
constexpr int kSectors = 2400;
constexpr int kImageBytes = kSectors * kSectorBytes; // 1,228,800
constexpr int kHeaderAt = 15360;
constexpr int kRowCountAt = 15374;
constexpr int kRowsAt = 15616;
constexpr int kRowBytes = 644;
constexpr int kPlaneBAt = 213;
constexpr int kRowNumberAt = 638;
constexpr int kKnots = 1700;
constexpr int kMaxRows = (kImageBytes - kRowsAt) / kRowBytes; // 1883
constexpr uint8_t kFiller = 0xF6;
} // namespace CarpetDisk

// The pile state of a pixel value: (A, B) for 2 ... 7, (0, 3) for every other value.
void KnotCode(uint32_t value, int& a, int& b);
// The pixel value of a knot: 2 ... 7 by the same table, (0, 3) gives 8 and (1, 3)
// gives previous (the knot before it keeps its value).
uint8_t KnotValue(int a, int b, uint8_t previous);

// Encodes the bottom-left width x height of an 8-bit picture into image (resized to the
// whole image). Columns past 1700 are cut; knots past the width are (0, 3). The area
// is clipped to the picture. Returns 0, DepthOfType for a picture that is not 8-bit,
// or CarpetTooTall when more than 1883 rows would not fit.
uint32_t EncodeCarpetDiskette(const TOrvaneBitmap& picture, int width, int height,
                              std::vector<uint8_t>& image);

// The carpet's row count when image is a carpet diskette ("Y0", whole size, a row count
// the image can hold); -1 otherwise.
int CarpetDisketteRows(const std::vector<uint8_t>& image);

// Decodes the rows of a checked image into the 1700 x rows bottom-left of picture (which
// must be that large), row record n into picture row height - n, writing only where the
// guard allows.
void DecodeCarpetDiskette(const std::vector<uint8_t>& image, int rows, TOrvaneBitmap& picture,
                          const TWriteGuard& guard);
