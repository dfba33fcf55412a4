#pragma once
// Test set-up of a document's pixels: f writes the picture through a change
// that keeps no undo record.
#include "shell/Paper.h"
#include "shell/Tdocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

template <class F> void Draw(TDocument& document, F&& f) {
    TChange change(document, 0);
    f(change.Picture());
    change.Commit();
}

// Every pixel value of the design, row by row.
inline std::vector<uint32_t> DocumentPixels(const TDocument& d) {
    std::vector<uint32_t> out;
    for (int y = 0; y < d.Picture().Height; ++y)
        for (int x = 0; x < d.Picture().Width; ++x)
            out.push_back(d.Picture().GetPixel(x, y));
    return out;
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

// Makes document a new design of the art's size and depth whose palette holds a
// colour of its own in every entry (i, 255 - i, i / 2), in use up to lastUsed, and
// draws the art in it.
inline void OpenArt(TDocument& document, const std::vector<std::string>& rows, int bits, int lastUsed) {
    TPaper paper;
    paper.dpi = 160;
    SetPaper(paper, kPaperCustom, int(rows[0].size()), int(rows.size()));
    ASSERT_EQ(document.NewCanvas(paper, bits, TCurrentColour::OfIndex('.')), 0u);
    document.EditPalette([lastUsed](TPalette& p) {
        for (int i = 0; i < 256; ++i)
            p[i].SetRGB(i, 255 - i, i / 2);
        p.UseColor = uint16_t(lastUsed);
        return true;
    });
    DrawArt(document, rows);
}
