#pragma once
// Grid and mark lines over a view's picture image.

#include "platform/Bitmaphandle.h"

#include <QImage>
#include <QRect>

// Grid settings as the views draw them. Gaps are in bitmap pixels and may be fractional.
struct TGridSettings {
    bool Grid = false;
    TColorRef GridColor = 0;
    double GapX = 1.0;
    double GapY = 1.0;
    int Mark = 0; // a mark line every Mark grid cells; 0 = none
    TColorRef MarkColor = 0;
};

// Draws the grid over the picture block of image (canvas pixels, top-left at
// block.topLeft()), whose top-left pixel shows bitmap position (refX, refY) at zoom
// zoomIn:zoomOut. Lines are drawn only when both canvas spacings are at least 5 pixels;
// the first line of an axis lies where the next multiple of the gap falls (at 0 when the
// reference is on one), later ones every spacing, positions truncated; vertical lines
// run over the block's height, horizontal ones over its width. Mark lines follow with
// Mark times the gap. With border, a line on a tile edge (reference exactly 0 in that
// axis) is drawn last in *border. Returns whether the grid was drawn.
bool DrawGrid(QImage& image, const QRect& block, const TGridSettings& grid, int zoomIn, int zoomOut,
              double refX, double refY, const TColorRef* border = nullptr);
