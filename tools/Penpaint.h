#pragma once
// TPenPainter: writes one stroke of the pen into one change of a document, per
// pen kind, through a TPenCanvas (the repeat's wrapping, the picture's edges, the
// guard and the colour list; see Pencanvas.h).
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
//   Water Pen  works the colours already there (Penwater.h).
//   Scrape Pen drags colours picked up at the press along the stroke (Penscrape.h).
//   Mask       stamps write the document's mask: 255, or 0 with "Delete".

#include "tools/Pencanvas.h"
#include "tools/Penobject.h"

#include <QRect>
#include <memory>

class TScrapeBrush;
class TWaterBrush;

// The pixels one air-brush drop at (x, y) covers with nozzle 1 .. 5 (clamped):
// one pixel, two side by side or stacked (by the column's parity), a 2 x 2 block,
// a 3 x 2 or 2 x 3 block, a 3 x 3 block around it.
QRect NozzleBlock(int x, int y, int nozzle);

class TPenPainter {
  public:
    // colour is the current colour as a pixel value of the picture; random feeds
    // the Crayon, the air brush and the Water Pen (may be null: the Crayon and the
    // air brush then paint nothing). repeat wraps the stroke's points into the picture.
    TPenPainter(TChange& change, const TPenObject& pen, uint32_t colour, TOrvaneRandom* random,
                const TRepeatWrap& repeat = {});
    ~TPenPainter();

    // One footprint stamp at the stroke's X, Y with its Size, by the pen kind.
    void Stamp(const TPenStroke& stroke);
    // One air-brush spray event around (x, y) for a pen of size: DotNum drops of
    // the mode in use within size / 2 pixels.
    void Spray(int x, int y, int size);
    // The Scrape Pen's comb dragged from (x0, y0) to (x1, y1), both included.
    void Drag(int x0, int y0, int x1, int y1, int size);
    // Recolours instead of painting (TPenCanvas::SetReplace).
    void SetReplace(const TPenCanvas::TReplaceTable* table) { Canvas.SetReplace(table); }
    // Everything written so far (picture coordinates, clipped).
    QRect Touched() const { return Canvas.Touched(); }
    // What was painted since the last call (empty when nothing was), for showing a
    // stroke as it is drawn.
    QRect TakeFresh() { return Canvas.TakeFresh(); }

  private:
    uint32_t StampColour();
    bool DropColour(int x, int y, uint32_t& value);
    void Drop(int x, int y, int nozzle, uint32_t value);

    TPenCanvas Canvas;
    const TPenObject& Pen;
    const TPenSettings& Settings;
    uint32_t Colour;
    TOrvaneRandom* Random;
    int Stamps = 0;             // for the spread
    std::vector<uint8_t> Grain; // Crayon: 1 where the colour takes
    std::unique_ptr<TWaterBrush> Water;
    std::unique_ptr<TScrapeBrush> Scrape;
};

// The PATTERN air brush's colours from rect of a picture (clipped); null when
// nothing of rect lies inside.
std::shared_ptr<const TAirPattern> MakeAirPattern(const TOrvaneBitmap& picture, const QRect& rect);
