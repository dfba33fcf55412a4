#pragma once
// The drawing colour the tools share: a palette index for 256-colour designs and,
// once one was picked or chosen in full colour, a colour value for full-colour
// designs. Black (0) is a colour value like any other.

#include "colour/Palette.h"

#include <algorithm>

struct TCurrentColour {
    int Index = TPalette::kFirstDrawing;
    TColorRef Rgb = 0;
    bool HasRgb = false;

    // The index chosen in the palette; the full-colour value follows that entry.
    static TCurrentColour OfIndex(int index) { return TCurrentColour{std::clamp(index, 0, 255), 0, false}; }
    // A colour value picked from a full-colour design.
    TCurrentColour WithRgb(TColorRef rgb) const { return TCurrentColour{Index, rgb, true}; }

    // The colour as a pixel value of a design of the given depth and palette.
    uint32_t Pixel(int bitsPerPixel, const TPalette& palette) const {
        if (bitsPerPixel == 8) return uint32_t(Index & 0xFF);
        return HasRgb ? Rgb : palette[Index & 0xFF].ColorRef();
    }
    friend bool operator==(const TCurrentColour&, const TCurrentColour&) = default;
};
