#pragma once
// The repeat display's frame: the endless plane of tiles drawn into a 32-bit image.
//
// Frame pixel (i, j) shows picture pixel wrap.Wrap(origin.x + i * x.Out / x.In,
// origin.y + j * y.Out / y.In), the same rule the view uses to turn a canvas point
// into a point of the plane, so what shows under the pointer is what a tool gets.
// A row is converted in whole tile pieces (one source run per tile it crosses);
// rows that show the same picture row from the same column as an earlier row are
// copied from it, so a small tile costs one converted row per picture row.

#include "raster/Repeatwrap.h"
#include "raster/Viewgrid.h"
#include "raster/Viewscale.h"

// Fills dest (Format_RGB32 or Format_ARGB32_Premultiplied) with the plane as above;
// mask (may be null, may be of another size) is xored over it as the mask display
// shows it. False, dest untouched, on bad input, a wrap that is off or not of the
// picture's size, or a frame reaching past the plane limits.
bool RepeatPicture(QImage& dest, const TOrvaneBitmap& bitmap, const TOrvaneBitmap* mask,
                   const TRepeatWrap& wrap, QPoint origin, TScaleRatio x, TScaleRatio y);

// Grids every tile shown in a frame made by RepeatPicture at zoom zoomIn:zoomOut: the
// lines count from each tile's own corner, and a tile's left and top edges are drawn
// in border (only where the grid shows).
void DrawTileGrids(QImage& frame, const TGridSettings& grid, const TRepeatWrap& wrap, QPoint origin,
                   int zoomIn, int zoomOut, TColorRef border);
