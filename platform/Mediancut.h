#pragma once
// Palette selection by median cut on a colour histogram, and the nearest-colour table
// that maps every colour of the occupied histogram bins to its palette index.

#include "platform/Bitmaphandle.h"

#include <vector>

// One histogram entry: its pixel count, the red, green and blue sums of those pixels,
// their mean colour and a tag (the 6-bit bin, red << 12 | green << 6 | blue).
struct TColorItem {
    uint64_t n = 0;
    uint64_t sum[3] = {};
    float mean[3] = {};
    uint32_t tag = 0;
};

// An entry of n pixels of one exact colour.
TColorItem MakeColorItem(int red, int green, int blue, uint64_t n);

// Splits the items into at most maxColors boxes: the box with the largest squared error is
// cut across its widest channel where the two halves' squared error is smallest; a box
// whose items all share one colour is not cut. Returns the rounded mean colour of each
// box's pixels. Reorders items.
std::vector<TRGBQuad> MedianCut(std::vector<TColorItem>& items, int maxColors);

// For the bin of every item, sets the 64 entries of table (1 << 24 bytes, indexed as the
// bin << 6 | low red bits << 4 | low green bits << 2 | low blue bits) to the index of the
// nearest palette colour (squared RGB distance, lowest index on ties). Other entries are
// not written.
void FillNearestTable(const std::vector<TRGBQuad>& palette, const std::vector<TColorItem>& items,
                      uint8_t* table);
