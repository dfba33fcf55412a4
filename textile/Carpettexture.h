#pragma once
// A carpet pile texture and the carpet area a design keeps.

#include <QString>
#include <cstdint>
#include <vector>

// One pile texture: palette indices, row after row, top row first.
struct TCarpetTexture {
    QString Name; // the file name with its extension, at most 12 characters
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels;
    uint8_t At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
};

// The carpet area: the bottom-left Width x Height of the canvas; On is the window switch.
struct TCarpetWindow {
    bool On = false;
    int Width = 0;
    int Height = 0;
};
