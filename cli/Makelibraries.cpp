// make-color-libraries: writes the shipped VM Standard and VM Textile libraries.
//
// Both are systematic colour systems computed here, page by page in order of
// hue, then lightness, each page a row of seven chips of rising chroma (HLS
// saturation). Slots are the chips' places 1 .. 7 on the page.
//
// VM Standard ("Standard.vmc"): 24 hues 15 degrees apart x 7 lightness steps,
// pages 1 .. 168; lightness 0.15 + 0.115 * l, saturation 0.10 + 0.15 * c; code
// hue * 100 + lightness * 10 + chroma (1-based each), shown "0111" .. "2477".
//
// VM Textile ("Textile.vmc"): pages 1001 .. 1006 hold 42 greys from near black
// to near white, codes "10-0001" .. "10-0042"; pages 1007 .. 2238 hold 56 hues
// 360/56 degrees apart x 22 lightness steps (0.06 + 0.04 * l), saturation
// 0.08 + 0.15 * c; code prefix 11 + l, number hue * 10 + chroma (1-based), so
// "11-0011" is the darkest, weakest chip of the first hue.
#include "Commands.h"
#include "colour/Phls.h"
#include "platform/Lebytes.h"
#include "shell/Exception.h"
#include "shell/Savefile.h"

#include <QDir>
#include <cstdio>

namespace {

struct TChip {
    int Code, Number;
    THLS Hls;
};

void PutChip(QByteArray& out, int slot, const TChip& chip, bool twoPart) {
    int r, g, b;
    HLSToRGB(chip.Hls, r, g, b);
    Put16(out, slot);
    Put16(out, chip.Code);
    if (twoPart) Put16(out, chip.Number);
    Put8(out, 0), Put8(out, r), Put8(out, g), Put8(out, b);
}

void PutHeader(QByteArray& out, int pages) {
    out.append("CL", 2);
    Put16(out, 100);
    Put16(out, pages);
}

QByteArray StandardLibrary() {
    QByteArray out;
    PutHeader(out, 24 * 7);
    for (int h = 0; h < 24; ++h)
        for (int l = 0; l < 7; ++l) {
            Put16(out, h * 7 + l + 1);
            Put16(out, 7);
            for (int c = 0; c < 7; ++c)
                PutChip(
                    out, c + 1,
                    {(h + 1) * 100 + (l + 1) * 10 + c + 1, 0, {h * 15.0, 0.15 + 0.115 * l, 0.10 + 0.15 * c}},
                    false);
        }
    return out;
}

QByteArray TextileLibrary() {
    QByteArray out;
    PutHeader(out, 6 + 56 * 22);
    for (int p = 0; p < 6; ++p) {
        Put16(out, 1001 + p);
        Put16(out, 7);
        for (int c = 0; c < 7; ++c) {
            const int step = p * 7 + c; // 0 .. 41
            PutChip(out, c + 1, {10, step + 1, {kUndefinedHue, 0.03 + 0.94 * step / 41, 0}}, true);
        }
    }
    for (int h = 0; h < 56; ++h)
        for (int l = 0; l < 22; ++l) {
            Put16(out, 1007 + h * 22 + l);
            Put16(out, 7);
            for (int c = 0; c < 7; ++c)
                PutChip(out, c + 1,
                        {11 + l, (h + 1) * 10 + c + 1, {h * 360.0 / 56, 0.06 + 0.04 * l, 0.08 + 0.15 * c}},
                        true);
        }
    return out;
}

} // namespace

int CommandMakeColorLibraries(const QStringList& args) {
    if (args.size() != 1) {
        std::fputs("usage: velmora-cli make-color-libraries DIR\n", stderr);
        return 2;
    }
    const QDir dir(args[0]);
    if (!dir.exists()) return Fail(ErrorCode::FileNotFound, args[0]);
    for (const auto& [name, bytes] : {std::pair{QStringLiteral("Standard.vmc"), StandardLibrary()},
                                      std::pair{QStringLiteral("Textile.vmc"), TextileLibrary()}})
        if (const uint32_t code = SaveFileSafely(dir.filePath(name), bytes))
            return Fail(code, dir.filePath(name));
    return 0;
}
