#pragma once
// Test set-up of a document's pixels: f writes the picture through a change
// that keeps no undo record.
#include "shell/Tdocument.h"

#include <string>
#include <vector>

template <class F> void Draw(TDocument& document, F&& f) {
    TChange change(document, 0);
    f(change.Picture());
    change.Commit();
}

// Writes rows of characters into the design at its corner: each character is its
// palette index, and in full colour that entry's colour.
inline void DrawArt(TDocument& document, const std::vector<std::string>& rows) {
    const bool full = document.BitsPerPixel() != 8;
    Draw(document, [&](TOrvaneBitmap& b) {
        for (size_t y = 0; y < rows.size() && int(y) < b.Height; ++y)
            for (size_t x = 0; x < rows[y].size() && int(x) < b.Width; ++x) {
                const int c = uint8_t(rows[y][x]);
                b.SetPixel(int(x), int(y), full ? document.Palette()[c].ColorRef() : uint32_t(c));
            }
    });
}
