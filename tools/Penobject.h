#pragma once
// TPenObject: the brush-footprint engine of the pen. It knows the pen's size,
// shape and spacing, turns a size into the pixels one stamp covers, walks a
// stroke segment stamp by stamp and scales the size by tablet pressure. It
// paints nothing itself: each stamp is handed to the caller's sink, which
// writes the stamp's rows.
//
// The footprints come from two tables built once per shape: a 64 x 64 grid for
// even sizes (the pen centre between pixels) and a 63 x 63 grid for odd sizes
// (the pen centre on a pixel). Each entry holds its offset and its distance
// (the diameter of the smallest pen that covers it); sorted by distance, the
// footprint of size s is the prefix of entries with distance <= s.
//
// TOrvaneRandom: the program's table-driven pseudo-random source. All
// instances share one pair of tables; each has its own two cursors.

#include "tools/Pensettings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class TTablet;

struct TFootprintEntry {
    int X = 0;
    int Y = 0;
    double Distance = 0;
};

// One row of a footprint: pixels X0 .. X1 (inclusive) at row offset Y.
struct TFootprintSpan {
    int Y = 0;
    int X0 = 0;
    int X1 = 0;
};

// The pixels one stamp covers, as row spans (top to bottom) around the stamp point.
struct TFootprint {
    std::vector<TFootprintSpan> Spans;
    int Count = 0; // pixels covered
};

// One stroke in progress (owned by the caller).
struct TPenStroke {
    int X0 = 0, Y0 = 0; // start of the current segment (the previous point)
    int X1 = 0, Y1 = 0; // target of the current segment
    int X = 0, Y = 0;   // the stamp being painted
    int Size0 = 1;      // size at the previous point
    int Size1 = 1;      // size at the target point
    int Size = 1;       // size of the stamp being painted
};

// Called once per stamp with the stroke (its X, Y and Size give the stamp).
using TStampSink = std::function<void(const TPenStroke&)>;

enum TPenShape : int { PenCircular = 0, PenSquare = 1 };

class TPenObject {
  public:
    static constexpr int kMinSize = 1, kMaxSize = 28; // the sizes a user may choose
    static constexpr int kMaxStampSize = 63;          // the largest footprint the tables hold
    static constexpr int kEvenSide = 64, kOddSide = 63;

    // owner supplies pressure; null (or a closed tablet) means no pressure.
    explicit TPenObject(const TTablet* owner = nullptr);

    // Base size, clamped to 1 .. 28; the effective size follows the scale.
    void SetSize(int size);
    int BaseSize() const { return Base; }
    // Factor on the base size; the effective size is trunc(base x scale), kept in 1 .. 63.
    void SetScale(double scale);
    int EffectiveSize() const { return Effective; }
    // 0 circular, 1 square; any other value leaves the pen as it is.
    void SetShape(int shape);
    int Shape() const { return ShapeV; }
    // Divisor turning a size into the distance between stamps; clamped to 1 .. 64.
    void SetSpacing(int spacing);
    int Spacing() const { return SpacingV; }
    // Pressure scales the size only while on and the mode is 1.
    bool PressureOn = false;
    int PressureMode = 1;
    // The pen kind and its parameters, which the painting reads.
    TPenSettings Settings;

    // The size to paint with now, from the owner tablet's current pressure.
    int GetSize() const;
    // The size for a pressure of current out of maximum: (effective - 1) x current
    // / maximum + 1, with current clamped to 0 .. maximum. Without pressure, or
    // with maximum <= 0 (no tablet), the effective size.
    int SizeAt(int current, int maximum) const;
    // Distance between stamps of a size, in pixels: (size - 1) / spacing + 1.
    int StepOf(int size) const { return (size - 1) / SpacingV + 1; }

    // Row spans of a stamp of size (clamped to 1 .. 63) in the current shape.
    const TFootprint& Footprint(int size) const;
    // The sorted table entries a stamp of size visits (for the parity of size).
    std::vector<TFootprintEntry> Entries(int size) const;

    // Starts a stroke at (x, y) with the size size (0 takes GetSize()).
    void BeginStroke(TPenStroke& stroke, int x, int y, int size = 0) const;
    // One stamp at (x, y) with the stroke's previous size.
    void Dot(TPenStroke& stroke, int x, int y, const TStampSink& sink) const;
    // Stamps the segment from the previous point towards (x, y), never (x, y)
    // itself unless it is the previous point (then one stamp). With pressure the
    // size moves from the previous size to size1 along the segment (size1 0
    // takes GetSize()). Afterwards (x, y) is the previous point.
    void LineTo(TPenStroke& stroke, int x, int y, const TStampSink& sink, int size1 = 0) const;

  private:
    void BuildTables();
    bool Pressured() const { return PressureOn && PressureMode == 1; }

    const TTablet* Owner = nullptr;
    int Base = 12;
    int Effective = 12;
    double Scale = 1.0;
    int SpacingV = 8;
    int ShapeV = PenCircular;
    std::vector<TFootprintEntry> Even, Odd;
    std::array<TFootprint, kMaxStampSize + 1> Footprints;
};

class TOrvaneRandom {
  public:
    // Tables of 2^bits entries (1 .. 20), shared with every live instance.
    explicit TOrvaneRandom(int bits = 8);
    ~TOrvaneRandom();
    TOrvaneRandom(const TOrvaneRandom&) = delete;
    TOrvaneRandom& operator=(const TOrvaneRandom&) = delete;

    // Refills the shared tables and this instance's cursors from seed; the same
    // seed gives the same sequence.
    void Reseed(uint32_t seed);
    // Reseeds from the clock.
    void Reseed();
    // A value in 0 .. n - 1; 0 when n <= 0 or there are no tables.
    int Random(int n);

  private:
    uint32_t A = 0, B = 0;
};
