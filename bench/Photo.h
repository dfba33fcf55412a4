#pragma once
// A grainy photograph-like A0 picture (blue, green, red): slow colour gradients and
// soft shapes under per-pixel grain of about +-12 levels; and the same picture as a
// 256-colour design, reduced to 250 colours in entries 2 .. 251 as opening it would.
#include "Planes.h"
#include "platform/Colorreduce.h"
#include "shell/Tdocument.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

inline const std::vector<uint8_t>& Photo24() {
    static const std::vector<uint8_t> plane = [] {
        std::vector<uint8_t> p(size_t(kA0Width) * kA0Height * 3);
        uint32_t seed = 12345;
        for (int y = 0; y < kA0Height; ++y) {
            for (int x = 0; x < kA0Width; ++x) {
                const double fx = x / 900.0, fy = y / 1300.0;
                const double base[3] = {120 + 80 * std::sin(fx + 2 * fy), 110 + 70 * std::cos(1.7 * fx - fy),
                                        100 + 90 * std::sin(0.6 * fx * fy + 1.0)};
                uint8_t* q = p.data() + (size_t(y) * kA0Width + size_t(x)) * 3;
                for (int c = 0; c < 3; ++c) {
                    seed = seed * 1664525u + 1013904223u;
                    const int v = int(base[c]) + int(seed >> 27) - 16 + int((seed >> 20) & 7);
                    q[c] = uint8_t(std::clamp(v, 0, 255));
                }
            }
        }
        return p;
    }();
    return plane;
}

// The photo as a 256-colour design, made once per run and attached to the undo store.
inline TDocument& PhotoDocument() {
    static TDocument* doc = [] {
        TBitmapHandle h;
        CreateBitmapHandle(h, kA0Width, kA0Height, 24);
        for (int y = 0; y < kA0Height; ++y)
            std::memcpy(h.Row(y), Photo24().data() + size_t(y) * kA0Width * 3, size_t(kA0Width) * 3);
        const int n = ReduceColors(h, 250);
        std::vector<uint8_t> pixels(size_t(kA0Width) * kA0Height);
        for (int y = 0; y < kA0Height; ++y)
            for (int x = 0; x < kA0Width; ++x)
                pixels[size_t(y) * kA0Width + size_t(x)] = uint8_t(h.Row(y)[x] + 2);
        auto* d = new TDocument;
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, kA0Width, kA0Height);
        d->NewCanvas(paper, 8, TCurrentColour());
        TChange fill(*d, 0);
        TPalette palette = d->Palette();
        for (int i = 0; i < n; ++i)
            palette[i + 2].SetRGB(h.Palette[i].rgbRed, h.Palette[i].rgbGreen, h.Palette[i].rgbBlue);
        palette.UseColor = uint16_t(n + 1);
        fill.SetPalette(palette);
        fill.Picture().PutRows(pixels.data(), kA0Width, false);
        fill.Commit();
        FreeBitmapHandle(h);
        return d;
    }();
    doc->AttachUndo();
    return *doc;
}
