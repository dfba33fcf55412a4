#pragma once
// TWaterBrush: the Water Pen. It works the colours already on the design, like
// water on a painted fabric, with the function's colour amount c and effect
// amount e (each 0 .. 1) and the density d (1 .. 5: each footprint pixel is
// worked with chance d in 5, so a low density leaves dry specks):
//   Simple   smudges: the pen carries a load, at first the colours under it
//            (tinted towards the current colour by c); each stamp moves its pixels
//            towards the load by e, and the load takes on the colours it passes
//            by 1 - e, so colours are pulled along the stroke and fade out.
//   Spatter  scatters the pixels under the pen: each swaps places with another
//            footprint pixel up to e x half the size away, or with chance c
//            becomes a drop of the current colour.
//   Pure     washes the current colour in by c; e softens the wash towards the
//            rim of the pen (e = 1: nothing at the rim).
//   Diffuse  blurs by e: each pixel moves towards the mean of its 3 x 3
//            neighbourhood, then towards the current colour by c.
// Mixtures are made in RGB. On 256-colour designs a mixture becomes the nearest
// colour of the palette in use (indices 1 up to the used-colour count, never a
// reserved one); a pixel whose mixture is its own colour stays as it is. Nothing
// outside the footprint is written; the neighbourhood is only read.

#include "tools/Pencanvas.h"
#include "tools/Pennearest.h"
#include "tools/Penobject.h"

#include <array>
#include <vector>

class TWaterBrush {
  public:
    // colour is the current colour as a pixel value; random may be null (then
    // every pixel is worked and Spatter scatters nothing).
    TWaterBrush(TPenCanvas& canvas, const TPenSettings& settings, uint32_t colour, TOrvaneRandom* random);

    // One stamp of footprint around the plane point (x, y), for a pen of size.
    void Stamp(const TFootprint& footprint, int x, int y, int size);

  private:
    using TRgb = std::array<double, 3>;
    struct TCell {
        QPoint At;           // the picture pixel
        bool Inside = false; // the plane point lands in the picture
        bool InPen = false;  // a footprint pixel
        uint32_t Value = 0;
        TRgb Rgb{};
    };

    void Load(const TFootprint& footprint, int x, int y);
    bool Takes();
    TRgb Mean(bool penOnly, int cx, int cy, int radius) const;
    void Deposit(const TCell& cell, const TRgb& rgb);
    void Smudge(double c, double e);
    void Spatter(double c, double e, int size);
    void Wash(double c, double e, int size);
    void Diffuse(double c, double e);

    TPenCanvas& Canvas;
    const TPenSettings& Settings;
    uint32_t ColourValue;
    TRgb ColourRgb;
    TOrvaneRandom* Random;
    TNearestIndex Nearest;
    TRgb Carried{}; // Simple: the load
    bool Wet = false;
    // The stamp's cells with a border of one: row-major, GridW wide.
    std::vector<TCell> Grid;
    int GridW = 0, GridH = 0;
    double CentreX = 0, CentreY = 0; // the pen's centre in grid cells
};
