#pragma once
// Colour-resolution changes of a picture: reduction to an 8-bit palette picture
// and widening to 24 bits. Both work on the whole picture and keep its region.

#include "platform/Bitmaphandle.h"

// Reduces an 8- or 24-bit picture to 8 bits per pixel with at most maxColors (1 .. 256)
// colours taken from the picture; they go to palette entries 0 .. n-1 and the rest of the
// palette becomes 0. Returns n, or -1 (picture unchanged) for bad arguments or short memory.
// Up to maxColors distinct colours are kept exactly: an 8-bit source keeps the order of its
// old indices (indices sharing one colour merge), a 24-bit source the order of first
// appearance scanning rows top-down. More colours go through median cut on a colour
// histogram and every pixel takes the nearest palette colour (squared RGB distance,
// lowest index on ties); no dithering, so flat areas stay flat.
int ReduceColors(TBitmapHandle& h, int maxColors);

// Widens a 1-, 8- (through the palette) or 16-bit (5-5-5 RGB) picture to 24 bits.
// A 24-bit picture is left as it is. False (picture unchanged) for other depths,
// an empty handle or short memory.
bool ExpandTo24(TBitmapHandle& h);
