#pragma once
// Colour lists taken from the design (the pen's, the spread fill's): the colours
// of pixels clicked on ("New"), of a rectangle between two clicks ("Block
// Colors") or of the whole design ("All"), as palette indices, and how they join
// the list.

#include "colour/Palette.h"
#include "raster/Repeatwrap.h"
#include "raster/Tpmemory.h"

#include <QPoint>
#include <optional>
#include <vector>

struct TToolContext;

enum TPenPick : int { PickNone = 0, PickPixel = 1, PickBlock = 2 };

// A pick in progress: with PickPixel the next click takes the colour under it;
// with PickBlock the first click fixes a corner, a rubber band follows the
// pointer, and the second takes every colour of the rectangle between them.
// Either way the pick is then over.
class TColourPick {
  public:
    int Mode() const { return ModeV; }
    // Starts (or with PickNone ends) a pick; true when a pick was given up by it.
    bool Set(TToolContext& context, int mode);
    // A click at a point of the context's plane while picking: true, with the
    // colours taken, when it ends the pick.
    bool Click(TToolContext& context, QPoint at, std::vector<int>& colours);
    // The pointer moved: a block's rubber band follows it.
    void Move(TToolContext& context, QPoint at) const;

  private:
    void HideBand(TToolContext& context);
    int ModeV = PickNone;
    std::optional<QPoint> Corner; // PickBlock: the first click
};

// The colours of the plane's half-open rectangle [min x, max x) x [min y, max y)
// between corners a and b, each point wrapped through repeat (points outside the
// picture are skipped), as palette indices in order of first appearance. A
// full-colour pixel gives the index of its colour in the palette (or of the
// nearest colour when the palette has none). Empty when the rectangle is.
std::vector<int> PickColourIndices(const TOrvaneBitmap& picture, const TPalette& palette,
                                   const TRepeatWrap& repeat, QPoint a, QPoint b);
// Every colour of the design: the indices that occur in a 256-colour picture, or
// the drawing colours in use of a full-colour design's palette.
std::vector<int> DesignColourIndices(const TOrvaneBitmap& picture, const TPalette& palette);
// Adds the indices a list does not hold yet: at its end, or with insert at its
// front in their order. Indices 0 and 252 .. 255 are never members. True when the
// list changed.
bool JoinColours(TChoiceColor& list, const std::vector<int>& indices, const TPalette& palette, bool insert);
