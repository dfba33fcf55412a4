#pragma once
// A weave drawn as a point-paper picture: one square of cell pixels per cell,
// raised cells black, others white, a grey line between cells (from a cell size
// of 4) so the ends and picks can be counted.
#include "textile/Texture.h"

#include <QImage>

// cell is held to 1 .. 32; the picture is at most side pixels square (0: no
// limit), the weave cut at its edge.
QImage WeavePicture(const TTexBitData& weave, int cell, int side = 0);
