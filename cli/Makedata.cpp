// make-palette: writes the default palette file that new designs start from.
#include "Commands.h"
#include "colour/Palettefile.h"
#include "colour/Phls.h"

#include <cstdio>

namespace {

// Black and white, a grey ramp from white (the first drawing colour, which a
// new canvas is filled with) to black, then 23 hues in ten tones each: eight
// lightnesses at full strength and two muted, the way dyers lay out a shade card.
void TextilePalette(TPalette& p) {
    p.SetDefault();
    for (int i = 0; i < 20; ++i) {
        const int v = 255 - i * 255 / 19;
        p[2 + i].SetRGB(v, v, v);
    }
    static const THLS tones[10] = {{0, 0.15, 0.75}, {0, 0.25, 0.75}, {0, 0.35, 0.75}, {0, 0.45, 0.8},
                                   {0, 0.55, 0.8},  {0, 0.65, 0.75}, {0, 0.75, 0.7},  {0, 0.85, 0.65},
                                   {0, 0.40, 0.3},  {0, 0.65, 0.3}};
    int at = 22;
    for (int hue = 0; hue < 23; ++hue)
        for (THLS tone : tones) {
            tone.H = hue * 360.0 / 23;
            int r, g, b;
            HLSToRGB(tone, r, g, b);
            p[at++].SetRGB(r, g, b);
        }
    for (int i = 252; i < 255; ++i)
        p[i].SetRGB(0, 0, 0);
    p[255].SetRGB(255, 255, 255);
    p.UseColor = 251;
}

} // namespace

int CommandMakePalette(const QStringList& args) {
    if (args.size() != 1) {
        std::fputs("usage: velmora-cli make-palette OUT.fcr\n", stderr);
        return 2;
    }
    TPalette p;
    TextilePalette(p);
    if (const uint32_t code = SavePaletteFile(args[0], p)) return Fail(code, args[0]);
    return 0;
}
