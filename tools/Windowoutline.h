#pragma once
// Selections by colour ("Outline"): the 4-connected area around a clicked pixel
// whose pixels pass the kind's test, grown into rectangles (raster/Regiongrow.h).
//   Border          pixels whose value differs from the border colour: the area
//                   that colour encloses;
//   Surface Single  pixels of the clicked pixel's value (palette index, or colour);
//   Surface Multi   256 colours: pixels whose index is in the colour set;
//                   full colour: the magic test against the clicked colour, by
//                   channel ranges (RGB) or by hue, lightness and saturation (HLS).

#include "platform/Bitmaphandle.h"
#include "raster/Tpmemory.h"

#include <QPoint>
#include <QRegion>
#include <array>
#include <cstdint>

// The RGB method's range of one channel around its clicked value c at tolerance
// t (clamped to 5 .. 100), with d = trunc(t * 255 / 200): [c - d, c + d] while
// that fits in 0 .. 255; past the top [trunc((100 - t) * 255 / 100), 255]; below
// zero [0, trunc(t * 255 / 100)].
struct TChannelRange {
    int Low = 0;
    int High = 255;
    friend bool operator==(const TChannelRange&, const TChannelRange&) = default;
};
TChannelRange MagicChannelRange(int c, int tolerance);

// The HLS method at tolerance t (clamped to 5 .. 100): a colour passes when its
// lightness and saturation (0 .. 1) lie within t / 200 of the clicked colour's
// and, when both have a hue (saturation above 0), its hue lies within 1.8 t
// degrees of the clicked one's, around the circle (t = 100 takes every hue).
class THlsMagic {
  public:
    THlsMagic(TColorRef clicked, int tolerance);
    bool Passes(int red, int green, int blue) const;

  private:
    double L, S, H;
    double Reach, HueReach;
};

struct TOutlineRule {
    int Kind = 1;                    // a TOutlineKind
    TColorRef Border = 0;            // Border: the border colour (index, or colour value)
    std::array<bool, 256> Members{}; // Surface Multi on 256 colours: the colour set
    int Method = 0;                  // Surface Multi on full colour: a TMagicMethod
    int Tolerance = 30;
};

// The area around seed (a picture pixel) by rule into region, empty when the seed
// itself does not pass. Returns 0, or OutOfMemory with region empty.
uint32_t OutlineRegion(const TOrvaneBitmap& picture, QPoint seed, const TOutlineRule& rule, QRegion& region);
