#pragma once
// The spread (gradation) rules of the Spread Fill tool, without any window.
//
// A spread fills an area with colours laid along a line P0 -> P1 (linear) or
// around P0 (circular). The area is the 4-connected region around P0 of P0's
// colour, or, when the colour list has colours, of the listed colours; with a
// selection only its pixels count. Pixels are written through the document's
// guard, so masked pixels and protected colours stay.
//
// Multiple Grade runs through N colours v[0] .. v[N-1] (the grade slots with
// their gaps of mixed colours; on a 256-colour design palette entries B ..
// B + N - 1 appended after the colours in use, B = used count + 1). Each pixel
// gets a position p along the spread and falls in band k = (p - pmin) / step
// with remainder r; it takes v[k] when r is below a fresh random number q in
// 0 .. step - 1, else v[k + 1], so the next colour's share grows steadily
// across each band:
//   linear    p = trunc(x cos a + y sin a + 0.5), a the line's angle (0 for a
//             point), step = (pmax - pmin) / (N - 1) + 1 over the area;
//   circular  p = trunc(distance to P0), step = trunc(dmax / (N - 1) + 1).
// The last colour used is at most v[N - 1].
//
// Single Grade spreads one colour: dense at P0, thinning to nothing at a
// distance L = |P1 - P0| (at least 1), over the pixels' own colours. Where the
// distance u from P0 along the spread (linear: along the line; circular: the
// radius) is displaced by a wave w, a pixel takes the colour when
// u - w < q L, q uniform in [0, 1): the share falls from 1 at u = w to 0 at
// u = w + L. The wave's height is a share of L / 2 (Wave Height 0 .. 100 %);
// linear, it runs across the line with Wave Frequency whole waves over the
// area's width there; circular, with that many waves around P0. So the fading
// band's edge ripples like a wave-dyed or ikat border.

#include "colour/Palette.h"
#include "raster/Tpmemory.h"
#include "tools/Spreadsettings.h"

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <functional>
#include <vector>

class TWriteGuard;

// The pixels a spread covers: a 1-bit plane of the picture's size and the
// bounds of its set bits (empty when none is set).
struct TSpreadArea {
    TPBitmap Mask;
    QRect Rect;
};

// A uniform random source for the dither (PCG32: one multiply-add a number on
// the dependent path, so it keeps up with the pixel loop): one seed, one sequence.
class TDitherRandom {
  public:
    explicit TDitherRandom(uint64_t seed) : State(seed + kIncrement) { Next(); }
    uint32_t Next() {
        const uint64_t old = State;
        State = old * 6364136223846793005ull + kIncrement;
        const uint32_t mixed = uint32_t(((old >> 18) ^ old) >> 27), turn = uint32_t(old >> 59);
        return (mixed >> turn) | (mixed << ((32 - turn) & 31));
    }
    // 0 .. n - 1, evenly for any n >= 1.
    uint32_t Below(uint32_t n) { return uint32_t((uint64_t(Next()) * n) >> 32); }

  private:
    static constexpr uint64_t kIncrement = 1442695040888963407ull;
    uint64_t State;
};

// How a spread runs: its line, its random source and where its progress goes.
struct TSpreadRun {
    QPoint From, To; // P0 (inside the picture) and P1
    uint64_t Seed = 1;
    std::function<void(int)> Progress; // percents, -1 at the end; may be empty
};

// The gradation colours of the slots: each slot's colour followed by its gap of
// colours mixed in RGB towards the next slot's (the last slot's gap is unused).
// Copies of palette entries keep their library reference but not protection.
std::vector<TColorData> GradeColours(const std::vector<TGradeSlot>& grade);
// Whether n gradation colours fit after the palette's colours in use: with
// B = used count + 1, B + n + 1 must stay below 252.
bool GradeFits(const TPalette& palette, int n);

// Finds the area of a spread from seed (see above) on an 8- or 24-bit picture.
// Returns 0 (area.Rect empty when seed's colour is not in a non-empty list),
// OutsideWorkArea for a seed outside the selection, or OutOfMemory.
uint32_t FindSpreadArea(const TOrvaneBitmap& picture, const TPalette& palette, const TChoiceColor& list,
                        QPoint seed, const QRegion& selection, TSpreadArea& area);
// As FindSpreadArea; with takeSeed the seed belongs to the area even when its
// colour is not listed (the area then grows from it through listed colours).
uint32_t FindListedArea(const TOrvaneBitmap& picture, const TPalette& palette, const TChoiceColor& list,
                        QPoint seed, const QRegion& selection, TSpreadArea& area, bool takeSeed);

// Paints a Multiple Grade spread of values (pixel values, at least two) over the
// area through guard; returns the rectangle of the pixels written.
QRect PaintGrade(TOrvaneBitmap& picture, const TWriteGuard& guard, const TSpreadArea& area, int shape,
                 const TSpreadRun& run, const std::vector<uint32_t>& values);
// Paints a Single Grade spread of value; height 0 .. 100, frequency 1 .. 100.
QRect PaintSingle(TOrvaneBitmap& picture, const TWriteGuard& guard, const TSpreadArea& area, int shape,
                  const TSpreadRun& run, uint32_t value, int height, int frequency);
