#pragma once
// The Separate tool's run on a 256-colour design: every region pixel whose
// index is not in the chosen set becomes the background (index 1), for one
// colour separation. With an overlap n (0 .. 5, clamped) the set's colours grow
// outward: each set pixel of the region as it was paints the (2n + 1) square
// around it (clipped to the region), later pixels in row order over earlier
// ones, so where two colours meet the one further down and right wins.
//
// The region is the selection's pixels when there is one, else the whole
// picture; protected colours and masked pixels are kept (colour/Groupregion.h).
// The run is one guarded change. Returns 0 or the reported error code
// (DepthOfType for a full-colour design), with the design as it was.

#include "colour/Palette.h"

#include <cstdint>

class TDocument;

constexpr int kSeparateOverlapMax = 5;

uint32_t SeparateColours(TDocument& doc, const TChoiceColor& set, int overlap);
