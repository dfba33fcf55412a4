#pragma once
// TDrawPainter: writes the Draw tool's shapes into one change of a document.
// Shapes come in pointer coordinates: with the window's repeat display on those
// are points of the endless repeat, and every run is wrapped into the picture.
// Each run is clipped to the picture and written through the change's guard
// (protected colours and the mask stay), a whole run at once where the guard
// lets every pixel through. Pen lines stamp the pen's footprint at every pixel
// the dash draws; fills write the shape's rows directly.

#include "raster/Repeatwrap.h"
#include "tools/Drawshapes.h"
#include "tools/Penobject.h"

#include <QRect>
#include <cstdint>
#include <vector>

class TChange;
class TOrvaneBitmap;

class TDrawPainter {
  public:
    // colour is a pixel value of the change's picture; pen the footprint of a stamp.
    TDrawPainter(TChange& change, uint32_t colour, const TRepeatWrap& repeat, const TFootprint& pen);

    // Pixels x0 .. x1 (inclusive) of row y.
    void Run(int y, int x0, int x1);
    // The pen's footprint around (x, y).
    void Stamp(int x, int y);
    // A shape: its fill, or its pen lines with the dash running on.
    void Draw(const TDrawShape& shape, TDash& dash);
    // The picture's pixels written so far (empty when none).
    QRect Touched() const;

  private:
    TChange& Change;
    TOrvaneBitmap& Picture;
    uint32_t Colour;
    const TRepeatWrap& Repeat;
    const TFootprint& Pen;
    int Left, Top, Right = -1, Bottom = -1; // what was written
};

// The single pixel a stamp covers without a pen.
const TFootprint& DotFootprint();
// The box stamps of pen at the points of box cover.
QRect StampBounds(const QRect& box, const TFootprint& pen);
// The box a shape's pixels may cover when its lines are stamped with pen.
QRect ShapeBounds(const TDrawShape& shape, const TFootprint& pen);
// Where pixels of box (pointer coordinates) land in picture: box clipped to it, or
// with the repeat on, the part its wrapped pieces cover (all of picture once the box
// runs across a seam between rows of tiles).
QRect PictureRectOf(const TRepeatWrap& repeat, const QRect& box, const QRect& picture);

// The border of the connected area of one colour around seed (4-connected): every
// pixel of the area with a 4-neighbour inside the picture that is not of the area.
// The picture's own edge is no border: a design is one tile of its repeat, the
// area may go on in the next. area receives the area's bounding box. False when
// seed lies outside the picture or memory for the area's mask is short.
bool AreaBorder(const TOrvaneBitmap& picture, QPoint seed, std::vector<QPoint>& border, QRect& area);
