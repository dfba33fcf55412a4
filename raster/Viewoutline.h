#pragma once
// The marching outline of a bitmap's region: the region as the view shows it, its
// one-pixel inner edge, and the 8 x 8 stripe pattern it is painted with.

#include <QBrush>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>

// The canvas pixels that show region pixels: bitmap pixel span [a, b) of an axis,
// taken relative to position, covers canvas span [ceil(a * zoomIn / zoomOut),
// ceil(b * zoomIn / zoomOut)), the same pixels the display draws from it. offsetY is
// added to canvas rows (bottom-anchored views). The result is clipped to clip grown by
// one pixel on every side, so that the edge found inside clip is the true edge.
QRegion CanvasRegion(const QRegion& region, int zoomIn, int zoomOut, QPoint position, int offsetY,
                     const QRect& clip);

// The pixels of region that have a 4-neighbour outside it, clipped to clip.
QRegion RegionEdge(const QRegion& region, const QRect& clip);

// Stripe pattern number phase (taken mod 8): pixel (x, y) is black when
// (x - phase + y) mod 8 < 4, else white, so each phase shifts the stripes one pixel.
QImage FramePattern(int phase);
QBrush FramePatternBrush(int phase);

// Paints the edge pixels of a 32-bit image with the stripe pattern of phase, the
// pattern anchored at the image's top-left corner.
void DrawFramePattern(QImage& image, const QRegion& edge, int phase);
