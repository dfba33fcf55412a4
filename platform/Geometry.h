#pragma once
// Rotation and scaling of a whole picture. Both replace the pixels, keep the palette and
// leave the picture unchanged when they fail.

#include "platform/Bitmaphandle.h"

// Turns the picture by angle hundredths of a degree, positive clockwise on screen (y down),
// about its centre, taking the nearest source pixel of each destination pixel centre, so
// palette pictures stay valid. resize=false keeps the size and cuts the corners;
// resize=true makes the bitmap the bounding box of the turned picture (sides swap at 90
// and 270 degrees). Uncovered pixels get fill: a palette index for 8 bits, a colour value
// with red in the low byte for 24 bits, 0/1 for 1 bit. Multiples of 90 degrees move every
// pixel exactly; other angles hold sine and cosine to 32 fractional bits and map each pixel
// in exact integer arithmetic. The region is dropped. False for depths other than 1, 8 and
// 24 bits, an empty handle, a result beyond the size limits or short memory.
bool RotateHandle(TBitmapHandle& h, int angle, bool resize, uint32_t fill);

// Scales a 1-, 8-, 16- or 24-bit picture to width x height (both at least 1).
// resample=false replicates pixels: destination x takes source x * srcWidth / width
// (integer division), rows likewise. resample=true area-averages 24-bit pictures (each
// destination pixel is the rounded mean of the source area it covers, weighted by
// overlap, for reduction and enlargement alike); other depths replicate, as indices
// cannot be blended. The region is dropped when the size changes. False for other
// depths, an empty handle, sizes beyond the limits or short memory.
bool SizeHandle(TBitmapHandle& h, int width, int height, bool resample);
