#pragma once
// The carpet engines: Texture Fill, Area Fill and Regauge on a 256-colour design.
//
// Each runs as one guarded change of the document (one undo step, written
// through the guard) and returns 0 or an error code without reporting it. A
// change that writes no pixel is dropped, so it leaves no undo step behind.
// A texture must have a width and height of at least 1 and width x height
// pixels; any other is refused with BadCarpetSize and changes nothing, so no
// fill ever divides by zero.

#include "colour/Currentcolour.h"
#include "textile/Carpettexture.h"

#include <QPoint>
#include <cstdint>

class TDocument;

// True for a texture the fills can tile.
bool ValidCarpetTexture(const TCarpetTexture& texture);

// The value v rounded up to an even number (the anchor of a texture fill).
inline int EvenAnchor(int v) {
    return v + (v & 1);
}

// Texture Fill at at: the 4-connected region of the clicked pixel's value, and
// every pixel of value 255 inside that region's bounding box, take texture tiled
// from the box's even anchor (texture column 0 on the first even column at or
// after the box's left, row 0 likewise). 8-bit designs only; a point outside the
// picture changes nothing.
uint32_t CarpetTextureFill(TDocument& document, QPoint at, const TCarpetTexture& texture);

// Area Fill at at: every pixel of the carpet area with the clicked pixel's value
// takes texture tiled from the area's top-left corner.
uint32_t CarpetAreaFill(TDocument& document, QPoint at, const TCarpetTexture& texture);

// Regauge: the carpet area is resampled (nearest sample, truncated) to width x
// height knots at the bottom-left corner; what the old area leaves uncovered takes
// colour. The new size is held to the picture; a width or height below 1, or an
// empty carpet area, is refused with BadCarpetSize. The carpet window takes the
// new size, and undo gives back the old one with the pixels.
uint32_t CarpetRegauge(TDocument& document, int width, int height, const TCurrentColour& colour);
