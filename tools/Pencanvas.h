#pragma once
// TPenCanvas: the pixels one pen stroke reads and writes. The pen works in the
// plane of the window's repeat: each point is wrapped into the picture through
// the repeat (the identity while it is off) and clipped to it, so a stroke runs
// on across a tile's seam while only its pixels are wrapped. A write goes through
// the change's guard (protected colours, the mask while it is on) and, with
// "Color : Yes", only over colours of the pen's list; only pixels that change are
// written and reported.
//
// A canvas of the mask writes the document's mask instead (0 or 255): the guard,
// which keeps picture pixels, does not apply, the colour list does (it chooses the
// colours whose pixels are taken into the mask).

#include "raster/Repeatwrap.h"
#include "shell/Tdocument.h"
#include "tools/Pensettings.h"

#include <QPoint>
#include <QRect>
#include <array>
#include <vector>

class TPenCanvas {
  public:
    static constexpr int kGrainSide = 128; // side of a Span grain tile, a power of two

    TPenCanvas(TChange& change, const TPenSettings& settings, const TRepeatWrap& repeat, bool mask = false);

    const TOrvaneBitmap& Picture() const { return PictureV; }
    const TPalette& Palette() const { return Change.Palette(); }
    const TRepeatWrap& Repeat() const { return RepeatV; }
    int Bits() const { return PictureV.BitsPerPixel; }
    // False when there is nothing to write on (a mask that could not be made).
    bool Ready() const { return Target != nullptr; }

    // The picture pixel a plane point lands on; false when it lies outside.
    bool Locate(int x, int y, QPoint& at) const { return Locate(RepeatV, PictureV, x, y, at); }
    // The same for any picture. A repeat of another size than the picture's is
    // taken as off: it would wrap points anywhere.
    static bool Locate(const TRepeatWrap& repeat, const TOrvaneBitmap& picture, int x, int y, QPoint& at);
    // The picture's value at a located pixel, and a value as a colour.
    uint32_t Value(QPoint at) const { return PictureV.GetPixel(at.x(), at.y()); }
    TColorRef Colour(uint32_t value) const;
    // True when a write may change the located pixel.
    bool Writable(QPoint at) const;
    // Writes value at a located pixel when it is writable and differs; true when written.
    bool Put(QPoint at, uint32_t value);
    // Fills the plane run x0 .. x1 of row y with value where it may. grain (may be
    // null) is a kGrainSide square tile laid from the picture's corner: only pixels
    // on a nonzero cell take the value.
    void Span(int y, int x0, int x1, uint32_t value, const std::vector<uint8_t>* grain = nullptr);

    // A recolouring stroke (256 colours): with a table, each pixel a write reaches
    // takes its index's entry instead of the written value, or stays where that is
    // -1. Null writes the values again. The table must outlive the canvas.
    using TReplaceTable = std::array<int16_t, 256>;
    void SetReplace(const TReplaceTable* table) { Replace = PictureV.BitsPerPixel == 8 ? table : nullptr; }

    // Everything written so far (picture coordinates).
    QRect Touched() const { return TouchedV; }
    // What was written since the last call (empty when nothing was).
    QRect TakeFresh();

  private:
    void Mark(int x0, int x1, int y);
    void Write(uint8_t* row, int x, uint32_t value) const;

    TChange& Change;
    const TOrvaneBitmap& PictureV;
    TOrvaneBitmap* Target; // the picture or the mask
    const TPenSettings& Settings;
    TRepeatWrap RepeatV;
    bool ToMask;
    bool Open;                     // no guard and no colour list: runs are written at once
    std::vector<uint32_t> Allowed; // "Color : Yes" colour values of a full-colour picture
    QRect TouchedV;
    QRect FreshV;
    const TReplaceTable* Replace = nullptr;
};
