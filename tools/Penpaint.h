#pragma once
// TPenPainter: writes the pen's stamps and air-brush drops into one change of a
// document, per pen kind. Every pixel is clipped to the picture and goes through
// the change's write guard (protected colours and mask stay); with "Color : Yes"
// only pixels whose present colour is in the pen's colour list change.
//
// Per-pixel rules:
//   Normal     every footprint pixel takes the colour.
//   Crayon     a footprint pixel takes the colour where the paper's grain (a
//              random tile fixed for the stroke) lets it, about density in 6,
//              so the ground shows through like a crayon on a coarse weave.
//   Air brush  drops land at random inside the pen's radius around the pointer,
//              each written with its nozzle pattern; SINGLE uses the colour,
//              MULTI one of the 18 air colours chosen in proportion to its
//              number, PATTERN the pattern's pixel at the drop (tiled from the
//              picture's origin).
//   Spread     with "Spread : On" successive stamps step through Grade colours
//              from the first to the second and back, for gradations along a
//              stroke (8 bits: indices between the two; 24 bits: mixed values).

#include "shell/Tdocument.h"
#include "tools/Penobject.h"

#include <QRect>

class TPenPainter {
  public:
    // colour is the current colour as a pixel value of the picture; random feeds
    // the Crayon and the air brush (may be null: then they paint nothing).
    TPenPainter(TChange& change, const TPenObject& pen, uint32_t colour, TOrvaneRandom* random);

    // One footprint stamp at the stroke's X, Y with its Size, by the pen kind.
    void Stamp(const TPenStroke& stroke);
    // One air-brush spray event around (x, y) for a pen of size: DotNum drops of
    // the mode in use within size / 2 pixels.
    void Spray(int x, int y, int size);
    // Everything written so far (picture coordinates, clipped).
    QRect Touched() const { return TouchedV; }
    // What was painted since the last call (empty when nothing was), for showing a
    // stroke as it is drawn.
    QRect TakeFresh() {
        const QRect fresh = FreshV;
        FreshV = QRect();
        return fresh;
    }

  private:
    uint32_t StampColour();
    bool DropColour(int x, int y, uint32_t& value);
    void Drop(int x, int y, int nozzle, uint32_t value);
    void Span(int y, int x0, int x1, uint32_t value, bool grained);
    bool Writable(int x, int y) const;
    void Put(uint8_t* row, int x, uint32_t value);

    TChange& Change;
    TOrvaneBitmap& Picture;
    const TPenObject& Pen;
    const TPenSettings& Settings;
    uint32_t Colour;
    TOrvaneRandom* Random;
    bool Fast;                     // open guard, no colour restriction: whole runs are written at once
    int Stamps = 0;                // for the spread
    std::vector<uint32_t> Allowed; // "Color : Yes" colour values of a full-colour picture
    std::vector<uint8_t> Grain;    // Crayon: 1 where the colour takes
    QRect TouchedV;
    QRect FreshV;
};

// The PATTERN air brush's colours from rect of a picture (clipped); null when
// nothing of rect lies inside.
std::shared_ptr<const TAirPattern> MakeAirPattern(const TOrvaneBitmap& picture, const QRect& rect);
