#pragma once
// The Stripe tool's engine: a list of stripes, the colour sequence it makes, and
// the two ways the sequence goes into a design.
//
// A stripe is Length dots of one palette colour, repeated Repeat times. The
// sequence walks the list: neighbouring stripes with equal repeat counts repeat
// together as a group (A, B with repeat 3 give ABABAB); "Reverse" stripes appear
// in order and again mirrored after the next "Center" stripe, the mirror's axis.
//
// Whole lays the sequence over the whole picture at an angle: pixel (x, y) takes
// entry (trunc(x cos a + y sin a) + K) mod L, one guarded change of the picture.
// One Repeat makes a band piece (the sequence on every row, thickness rows high)
// turned by whole degrees, which PlaceStripePiece writes at a point, its uncovered
// pixels transparent. A failed run writes nothing; an empty list does nothing.

#include "raster/Tpmemory.h"

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

class TDocument;
class TPalette;
class TWriteGuard;

enum TStripeMethod : int { StripeNormal = 0, StripeReverse = 1, StripeCenter = 2 };
enum TStripeUnit : int { StripeDot = 0, StripeInch = 1, StripeCm = 2 };

constexpr int kStripeDefaultLength = 63;
// The longest sequence the tool builds (dots); a longer list is refused.
constexpr int64_t kMaxSequence = int64_t(1) << 26;

struct TStripe {
    uint8_t Color = 0;
    uint8_t Method = StripeNormal;
    int16_t Repeat = 1;
    int16_t Length = kStripeDefaultLength;
    bool Pending = false; // a row put in by Add Stripe that has no colour yet; never stored
};
using TStripeList = std::vector<TStripe>;

enum TStripeColumn : int { ColumnRow = 0, ColumnColor, ColumnMethod, ColumnLength, ColumnRepeat };

// The grid's edits. Row List.size() is the first empty row. "Add Stripe" arms
// one click that inserts a pending row (refused while one is pending: busy);
// "Delete Stripe" arms one click that removes a row. Otherwise a click on a
// Color cell gives the row the current colour (a pending or the first empty row
// becomes {colour, Normal, 1, 63}) and one on a Method cell cycles the method.
struct TStripeEditor {
    TStripeList List;
    bool AddMode = false;
    bool DeleteMode = false;

    bool Busy() const;
    // False (and nothing armed) while busy.
    bool ArmAdd();
    void ArmDelete();
    // True when the list changed.
    bool Click(int row, int column, int colour);
};

// Sum of Length x Repeat over the list, plus for each Center stripe the
// Reverse stripes it mirrors. Pending rows count nothing.
int64_t SequenceLength(const TStripeList& list);
// The colour sequence (SequenceLength entries; empty past kMaxSequence).
std::vector<uint8_t> BuildSequence(const TStripeList& list);
// The method a click on row's Method cell gives: Reverse <-> Center after a
// Reverse stripe, else Normal <-> Reverse.
int NextMethod(const TStripeList& list, int row);
// The highest colour of the list (0 for none).
int HighestStripeColour(const TStripeList& list);

// The thickness entry held to 0 .. the canvas height in the unit (at dpi).
double ClampThickness(double entry, int unit, int dpi, int canvasHeight);
// The thickness in dots, truncated and held to 0 .. canvasHeight.
int ThicknessDots(double entry, int unit, int dpi, int canvasHeight);
// Dots per unit: 1, dpi, dpi x 0.3937.
double DotsPerUnit(int unit, int dpi);

// The pixel pass of Whole over an 8- or 24-bit picture through guard (24 bits take
// palette's colours); sequence holds 1 .. kMaxSequence entries. False when memory
// is short, with nothing written.
bool PaintStripeWhole(TOrvaneBitmap& picture, const TWriteGuard& guard, const std::vector<uint8_t>& sequence,
                      int angle, const TPalette& palette);
// Whole: the sequence over the picture at angle degrees, one change; the palette's
// used count rises to highest. 0, TooLargeForOperation past kMaxSequence or
// OutOfMemory; an empty sequence or picture does nothing.
uint32_t StripeWhole(TDocument& document, const std::vector<uint8_t>& sequence, int angle, int highest);

// A turned band of the sequence with the value its uncovered pixels hold.
struct TStripePiece {
    TOrvaneBitmap Picture;
    uint32_t Key = 0; // 0 (8 bits) or the key colour (24 bits, red in the low byte)
    int Highest = 0;  // the highest stripe colour, for the palette's used count
};
// The key of a 24-bit piece made of colours: the first red 0 .. 255 absent (as
// pure red), else the first absent green, else blue, else black.
uint32_t StripeKeyColour(const std::vector<uint32_t>& colours);
// One Repeat: the sequence (cut to canvasWidth) on thickness rows at bits 8 or 24
// with palette's colours, turned by angle degrees and grown to hold it. 0,
// OutOfMemory, or TooLargeForOperation; an empty sequence or thickness 0 leave
// piece empty and return 0.
uint32_t MakeStripePiece(const std::vector<uint8_t>& sequence, const TPalette& palette, int bits,
                         int canvasWidth, int thickness, int angle, TStripePiece& piece);
// Writes piece with its top-left at at, skipping key pixels, through the guard as
// one change of the rectangle it covers. Returns the rectangle written (empty when
// nothing landed).
QRect PlaceStripePiece(TDocument& document, const TStripePiece& piece, QPoint at);
