// The rules of the shipped weave library. A cell is 1 where the warp end lies
// over the pick. Every weave gets its draft from its own ends (MakeDraft: one
// shaft per distinct end), which for these weaves is the straight, pointed or
// broken draft a weaver would thread.
//
// Foundation
//   plain   the smallest weave: each end over one pick and under the next, each
//           pick shifting by one.
//   twill   n/m (n up, m down) on a repeat of n + m ends and picks, every n from
//           1 to r - 1 for r = 3 .. 16; Z twills step one end to the right each
//           pick, S twills one end to the left.
//   satin   regular satins of repeat r = 5 .. 16: one raised cell per end and
//           pick, pick y raising end (y * s) mod r, for every move number s with
//           1 < s < r - 1 and s prime to r (so no end repeats and no two
//           neighbouring picks touch). Repeat 6 has no such move and no group.
// Derivation (plain / twill / satin)
//   basket 2/2, 3/3, 4/4; warp rib and weft rib 2 .. 4 (the plain weave with
//   its picks, or ends, doubled up); broken twill (2/2 and 3/3, the direction
//   reversed and the line broken after half the repeat); curved twill (the line
//   stepping 1, 1, 2, 2, ... so its angle changes); herringbone (the twill turned
//   back every k ends, where the two halves meet on a break); diamond (the twill
//   pointed on both ends and picks); shadow (blocks of a twill and its reverse
//   side, and of a satin and its reverse side, which show light and dark).
// Speciality
//   honeycomb (the diamond outline raised, warp floats filling its upper half),
//   huck (plain with the centre end of every other block floating over it and
//   the centre pick of the others floating under it), mock leno (blocks of
//   three ends: the centre end weaves plain, the outer two float over the
//   picks of one block and under those of the next, pulling each three
//   together), crepe (plain with the cells of a satin moved one end off its
//   raised cells added, which breaks up its lines).
#include "textile/Weavelibrary.h"

#include <cstdlib>
#include <functional>
#include <numeric>

namespace {

using TRule = std::function<bool(int x, int y)>;

int Mod(int a, int n) {
    return ((a % n) + n) % n;
}

TTexBitData Make(const QString& name, int width, int height, const TRule& raised) {
    TTexBitData w;
    w.Name = name;
    w.Named = true;
    w.Width = width;
    w.Height = height;
    w.Bits.resize(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            w.Bits[size_t(y) * size_t(width) + size_t(x)] = raised(x, y);
    MakeDraft(w);
    return w;
}

// An n/m twill of repeat n + m; direction +1 steps right each pick (Z), -1 left (S).
TRule Twill(int up, int repeat, int direction) {
    return [=](int x, int y) { return Mod(x - direction * y, repeat) < up; };
}

// A pointed line: ends 0 .. k-1 go up, then back down, repeat 2k - 2.
int Point(int x, int k) {
    const int period = 2 * k - 2, p = Mod(x, period);
    return p < k ? p : period - p;
}

TFoundGroup Twills(int repeat) {
    TFoundGroup g{repeat, {}};
    for (int direction : {1, -1})
        for (int up = 1; up < repeat; ++up)
            g.Weaves.push_back(
                Make(QStringLiteral("%1/%2 %3").arg(up).arg(repeat - up).arg(direction > 0 ? 'Z' : 'S'),
                     repeat, repeat, Twill(up, repeat, direction)));
    return g;
}

TFoundGroup Satins(int repeat) {
    TFoundGroup g{repeat, {}};
    for (int move = 2; move < repeat - 1; ++move)
        if (std::gcd(move, repeat) == 1)
            g.Weaves.push_back(Make(QStringLiteral("%1-end move %2").arg(repeat).arg(move), repeat, repeat,
                                    [=](int x, int y) { return x == Mod(y * move, repeat); }));
    return g;
}

std::vector<TNamedGroup> PlainDerivations() {
    TNamedGroup basket{"Basket", {}}, warpRib{"Warp rib", {}}, weftRib{"Weft rib", {}};
    for (int k = 2; k <= 4; ++k) {
        basket.Weaves.push_back(Make(QStringLiteral("%1/%1 basket").arg(k), 2 * k, 2 * k,
                                     [=](int x, int y) { return (x / k + y / k) % 2 == 0; }));
        warpRib.Weaves.push_back(Make(QStringLiteral("%1/%1 warp rib").arg(k), 2, 2 * k,
                                      [=](int x, int y) { return (x + y / k) % 2 == 0; }));
        weftRib.Weaves.push_back(Make(QStringLiteral("%1/%1 weft rib").arg(k), 2 * k, 2,
                                      [=](int x, int y) { return (x / k + y) % 2 == 0; }));
    }
    return {basket, warpRib, weftRib};
}

std::vector<TNamedGroup> TwillDerivations() {
    TNamedGroup broken{"Broken twill", {}}, curved{"Curved twill", {}}, herringbone{"Herringbone", {}},
        diamond{"Diamond", {}}, shadow{"Shadow twill", {}};
    for (int up : {2, 3}) {
        const int r = 2 * up, half = r; // the break after r ends, the repeat twice r
        broken.Weaves.push_back(Make(QStringLiteral("%1/%1 broken").arg(up), 2 * r, r, [=](int x, int y) {
            return x < half ? Mod(x - y, r) < up : Mod(x + y + 1, r) < up;
        }));
    }
    // Curved: the line's offset at end x grows by steps 1, 1, 2, 2 over 12 ends.
    const int steps[] = {1, 1, 1, 2, 2, 2, 1, 1, 1, 2, 2, 2};
    for (int up : {2, 3}) {
        const int r = 2 * up + 2; // a 2/4 or 3/5 twill curved
        int offsets[13] = {0};
        for (int i = 0; i < 12; ++i)
            offsets[i + 1] = offsets[i] + steps[i];
        curved.Weaves.push_back(Make(QStringLiteral("%1/%2 curved").arg(up).arg(r - up), 12, r,
                                     [=](int x, int y) { return Mod(offsets[x] - y, r) < up; }));
    }
    for (int k : {4, 6, 8}) {
        const int up = k / 2;
        herringbone.Weaves.push_back(
            Make(QStringLiteral("%1/%1 herringbone %2").arg(up).arg(k), 2 * k, k, [=](int x, int y) {
                const int line = x < k ? x : 2 * k - 1 - x + 1;
                return Mod(line - y, k) < up;
            }));
        diamond.Weaves.push_back(Make(QStringLiteral("%1/%1 diamond %2").arg(up).arg(k), 2 * k - 2, 2 * k - 2,
                                      [=](int x, int y) { return Mod(Point(x, k) - Point(y, k), k) < up; }));
    }
    for (int r : {4, 6, 8}) {
        const int up = r / 2 - 1; // a warp-faced twill beside its weft-faced reverse
        shadow.Weaves.push_back(
            Make(QStringLiteral("%1/%2 shadow").arg(r - up).arg(up), 2 * r, r, [=](int x, int y) {
                const bool line = Mod(x - y, r) < (x < r ? r - up : up);
                return line;
            }));
    }
    return {broken, curved, herringbone, diamond, shadow};
}

std::vector<TNamedGroup> SatinDerivations() {
    TNamedGroup shadow{"Shadow satin", {}};
    for (auto [r, move] : {std::pair{5, 2}, {8, 3}, {10, 3}}) {
        // A weft-faced satin block beside the warp-faced block of the same satin.
        shadow.Weaves.push_back(
            Make(QStringLiteral("%1-end shadow").arg(r), 2 * r, r, [r = r, move = move](int x, int y) {
                const bool point = Mod(x, r) == Mod(y * move, r);
                return x < r ? point : !point;
            }));
    }
    return {shadow};
}

std::vector<TNamedGroup> Specialities() {
    TNamedGroup honeycomb{"Honeycomb", {}}, huck{"Huck", {}}, leno{"Mock leno", {}}, crepe{"Crepe", {}};
    for (int k : {5, 6}) {
        const int r = 2 * k - 2;
        honeycomb.Weaves.push_back(Make(QStringLiteral("%1-end honeycomb").arg(r), r, r, [=](int x, int y) {
            const int px = Point(x, k), py = Point(y, k);
            // The diamond's outline, and inside its upper half the warp floats.
            return px == py || px == k - 1 - py || (py >= 1 && px > py && px < k - 1 - py);
        }));
    }
    for (int unit : {3, 5}) {
        huck.Weaves.push_back(
            Make(QStringLiteral("%1-end huck").arg(2 * unit), 2 * unit, 2 * unit, [=](int x, int y) {
                const int bx = x / unit, by = y / unit, lx = x % unit, ly = y % unit;
                if (bx == by && lx == unit / 2) return true;  // the centre end floats over the block
                if (bx != by && ly == unit / 2) return false; // the centre pick floats over the block
                return (x + y) % 2 == 0;
            }));
    }
    {
        const int unit = 3;
        leno.Weaves.push_back(Make(QStringLiteral("6-end mock leno"), 2 * unit, 2 * unit, [=](int x, int y) {
            const int lx = x % unit;
            if (lx == unit / 2) return (x + y) % 2 == 0; // the centre end binds plain
            return x / unit == y / unit;                 // the outer ends float over or under the block
        }));
    }
    for (auto [r, move] : {std::pair{8, 3}, {10, 3}}) {
        crepe.Weaves.push_back(
            Make(QStringLiteral("%1-end crepe").arg(r), r, r, [r = r, move = move](int x, int y) {
                return (x + y) % 2 == 0 || x == Mod(y * move + 1, r);
            }));
    }
    return {honeycomb, huck, leno, crepe};
}

} // namespace

TTexture MakeWeaveLibrary() {
    TTexture t;
    t.Foundation[0].push_back(
        {2, {Make(QStringLiteral("plain"), 2, 2, [](int x, int y) { return (x + y) % 2 == 0; })}});
    for (int r = 3; r <= 16; ++r)
        t.Foundation[1].push_back(Twills(r));
    for (int r = 5; r <= 16; ++r)
        if (TFoundGroup g = Satins(r); !g.Weaves.empty()) t.Foundation[2].push_back(std::move(g));
    t.Derivation[0] = PlainDerivations();
    t.Derivation[1] = TwillDerivations();
    t.Derivation[2] = SatinDerivations();
    t.Special = Specialities();
    return t;
}
