#pragma once
// TNearestIndex: the palette index of a colour value among a range of indices, by
// the palette's nearest-colour rule (colour/Searchcolor.h: an exact match wins,
// then the smallest channel distance). Answers are cached, since the pens ask for
// the same few mixtures over and over.

#include "colour/Palette.h"
#include "colour/Searchcolor.h"

#include <algorithm>
#include <unordered_map>

class TNearestIndex {
  public:
    // Indices first .. last, clamped to 1 .. 251 (0 is never drawn with, 252 ..
    // 255 are reserved).
    TNearestIndex(const TPalette& palette, int first, int last)
        : Palette(palette), First(std::clamp(first, 1, TPalette::kLastDrawing)),
          Last(std::clamp(last, First, TPalette::kLastDrawing)) {}

    int operator()(TColorRef colour) {
        colour &= 0xFFFFFF;
        if (const auto it = Cache.find(colour); it != Cache.end()) return it->second;
        TSearchColor search(RedOf(colour), GreenOf(colour), BlueOf(colour));
        for (int i = First; i <= Last; ++i)
            if (search.Offer(i, Palette[i].Red(), Palette[i].Green(), Palette[i].Blue())) break;
        return Cache[colour] = search.Best();
    }

  private:
    const TPalette& Palette;
    int First, Last;
    std::unordered_map<TColorRef, int> Cache;
};
