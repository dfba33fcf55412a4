#pragma once
// The pen's colour list taken from the design: the colours of pixels clicked on
// ("New"), of a rectangle between two clicks ("Block Colors") or of the whole
// design ("All"), as palette indices, and how they join the list.

#include "colour/Palette.h"
#include "raster/Repeatwrap.h"
#include "raster/Tpmemory.h"

#include <QPoint>
#include <vector>

// The colours of the plane's half-open rectangle [min x, max x) x [min y, max y)
// between corners a and b, each point wrapped through repeat (points outside the
// picture are skipped), as palette indices in order of first appearance. A
// full-colour pixel gives the index of its colour in the palette (or of the
// nearest colour when the palette has none). Empty when the rectangle is.
std::vector<int> PickColourIndices(const TOrvaneBitmap& picture, const TPalette& palette,
                                   const TRepeatWrap& repeat, QPoint a, QPoint b);
// Every colour of the design: the indices that occur in a 256-colour picture, or
// the drawing colours in use of a full-colour design's palette.
std::vector<int> DesignColourIndices(const TOrvaneBitmap& picture, const TPalette& palette);
// Adds the indices a list does not hold yet: at its end, or with insert at its
// front in their order. Indices 0 and 252 .. 255 are never members. True when the
// list changed.
bool JoinColours(TChoiceColor& list, const std::vector<int>& indices, const TPalette& palette, bool insert);
