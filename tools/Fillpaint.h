#pragma once
// The Fill tool's painting, without any window. The area (a 1-bit plane and its
// bounds, as the spread fill finds it) receives one of:
//   SINGLE   one pixel value;
//   MULTI    a value per colour the pixel had: a table by palette index on
//            256-colour designs, a sorted list of colour pairs on full-colour ones;
//   pattern  the pattern's pixel, the pattern's top-left pixel at Origin and its
//            tiles laid by Tiles (straight, or rows or columns shifted by a drop,
//            as the repeat display lays designs); pattern pixels outside its mask
//            leave the design's pixel as it was.
// Pixels are written through the guard, so masked pixels and protected colours stay.
// The air fill first thins the area (SprayArea) and then paints what is left.

#include "colour/Palette.h"
#include "raster/Repeatwrap.h"
#include "tools/Fillsettings.h"
#include "tools/Spreadfill.h"

#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

struct TCapturedImage;
struct TFloating;
class TWriteGuard;

struct TFillContent {
    int To = FillToSingle;                              // FillToNone paints nothing
    uint32_t Value = 0;                                 // SINGLE
    std::array<uint32_t, 256> Map{};                    // MULTI, 8 bits: source index -> value
    std::vector<std::pair<uint32_t, uint32_t>> FullMap; // MULTI, 24 bits: (source, target) by source
    const TFloating* Pattern = nullptr;                 // the picture's depth; mask 255 where it has a pixel
    TRepeatWrap Tiles;                                  // Width and Height the pattern's
    QPoint Origin;
};

// The area as the air brush sprays it: each pixel is a drop when a draw 0 .. 19
// falls below density (1 .. 5, clamped), and a drop covers the nozzle's block
// (1 .. 5; Penpaint.h), cut to the area. False (out empty) when memory is short.
bool SprayArea(const TSpreadArea& area, int density, int nozzle, uint64_t seed, TSpreadArea& out);

// Paints content over the area through guard (picture and pattern of the same
// depth); returns the rectangle written. progress (may be empty) hears percents.
QRect PaintFill(TOrvaneBitmap& picture, const TWriteGuard& guard, const TSpreadArea& area,
                const TFillContent& content, const std::function<void(int)>& progress = {});

// A capture as a pattern for a design of the given depth: 8 bits take the nearest
// colour among palette entries 1 .. the last in use. Returns 0, BadPattern for a
// capture without pixels, or OutOfMemory.
uint32_t MakeFillPattern(const TCapturedImage& capture, int bitsPerPixel, const TPalette& palette,
                         TFloating& out);

// The To MULTI colour of source when key (the clicked colour) becomes to: to's
// hue and saturation with to's lightness moved by source's distance in lightness
// from key, so the shades of a motif keep their steps in the new colour.
TColorRef TintColour(TColorRef source, TColorRef key, TColorRef to);
