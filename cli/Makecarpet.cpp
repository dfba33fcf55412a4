// make-carpet-textures: writes the starter library of pile textures.
//
// Pile values follow the carpet machines' seven pile states: 2 is the lowest
// pile (or no pile), 8 the highest, with the loop and cut states in between:
//   2 low cut, 3 low loop, 4 medium cut, 5 medium loop, 6 high loop, 7 high cut, 8 tip-sheared.
// Every texture is a small repeat, 1 to 10 knots wide (what a selection may be
// saved as), drawn by a rule below so the library can be made again exactly.
#include "Commands.h"
#include "shell/Exception.h"
#include "textile/Carpetfile.h"

#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

struct TRule {
    const char* Name; // at most 8 characters before ".ctx"
    int Width, Height;
    std::function<int(int x, int y)> Value;
};

const TRule kRules[] = {
    // Plain cut pile: one value everywhere.
    {"cutpile", 2, 2, [](int, int) { return 7; }},
    // Loop pile: loops alternate height row by row, as a tufting needle makes them.
    {"loop", 2, 2, [](int, int y) { return y % 2 ? 3 : 5; }},
    // Tip-shear: high loops with every other knot of each row sheared, offset per row.
    {"tipshear", 4, 4, [](int x, int y) { return (x + y) % 2 ? 8 : 6; }},
    // High-low: a block of high cut beside a block of low loop.
    {"highlow", 8, 4, [](int x, int) { return x < 4 ? 7 : 3; }},
    // Stripes across the carpet, two rows each.
    {"hstripe", 1, 4, [](int, int y) { return y < 2 ? 7 : 2; }},
    // Stripes along the carpet, two knots each.
    {"vstripe", 4, 1, [](int x, int) { return x < 2 ? 7 : 2; }},
    // Pinstripe: one low knot in every five.
    {"pinstrip", 5, 1, [](int x, int) { return x == 0 ? 2 : 4; }},
    // Small checks, one knot each.
    {"check1", 2, 2, [](int x, int y) { return (x + y) % 2 ? 7 : 3; }},
    // Large checks, three knots each.
    {"check3", 6, 6, [](int x, int y) { return (x / 3 + y / 3) % 2 ? 7 : 3; }},
    // Diagonal twill of cut and loop.
    {"twill", 4, 4, [](int x, int y) { return (x - y + 4) % 4 < 2 ? 4 : 5; }},
    // Sculptured: a diamond of high cut carved out of low loop.
    {"diamond", 7, 7, [](int x, int y) { return std::abs(x - 3) + std::abs(y - 3) <= 2 ? 7 : 3; }},
    // Ramp: every pile state once, lowest to highest.
    {"ramp", 7, 1, [](int x, int) { return 2 + x; }},
};

} // namespace

int CommandMakeCarpetTextures(const QStringList& args) {
    if (args.size() != 1) {
        std::fputs("usage: velmora-cli make-carpet-textures DIR\n", stderr);
        return 2;
    }
    if (!QDir().mkpath(args[0])) return Fail(ErrorCode::CannotCreateFile, args[0]);
    for (const TRule& rule : kRules) {
        TCarpetTexture t{QString::fromLatin1(rule.Name) + ".ctx", rule.Width, rule.Height, {}};
        for (int y = 0; y < rule.Height; ++y)
            for (int x = 0; x < rule.Width; ++x)
                t.Pixels.push_back(uint8_t(rule.Value(x, y)));
        if (const uint32_t code = WriteTextureFile(QDir(args[0]).filePath(t.Name), t))
            return Fail(code, t.Name);
    }
    return 0;
}
