#pragma once
// TScrapeBrush: the Scrape Pen, a comb drawn through wet paint. The comb is
// Scale percent of the pen's size wide, across the direction of the stroke, and
// has Bristles (1 .. 8) evenly spaced teeth, each half its pitch wide (at least
// one pixel, in the pen's shape). At the first drag each tooth picks up the
// colour under it at the press point and then drags that colour along the stroke;
// a tooth that starts outside the picture stays dry. The comb turns with the
// stroke, each segment laying its teeth across its own direction.

#include "tools/Pencanvas.h"
#include "tools/Penobject.h"

#include <vector>

class TScrapeBrush {
  public:
    TScrapeBrush(TPenCanvas& canvas, const TPenObject& pen);

    // Drags the comb from (x0, y0) to (x1, y1) (plane points, both included) for a
    // pen of size; a drag that does not move does nothing.
    void Drag(int x0, int y0, int x1, int y1, int size);

  private:
    struct TBristle {
        double Offset = 0; // across the stroke from its centre line
        bool Wet = false;
        uint32_t Value = 0;
    };

    void PickUp(int x, int y, double nx, double ny);

    TPenCanvas& Canvas;
    const TPenObject& Pen;
    std::vector<TBristle> Bristles;
    int Tooth = 1; // a tooth's size
    bool Loaded = false;
};
