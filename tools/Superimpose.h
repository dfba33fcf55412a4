#pragma once
// How the pixels of a piece (a floating piece, a repeat's tile) combine with the design
// under them when they are written, by the full view's superimpose mode:
//   0  every pixel of the piece replaces the design's;
//   1  as 0, but the piece's background pixels are transparent;
//   2  where the design's pixel is background the piece's is taken; elsewhere the two
//      alternate in a checkerboard, the design's where x + y is even, the piece's where odd;
//   3  the piece's background pixels are transparent; where the design's pixel is
//      background the piece's is taken, elsewhere both colours are mixed channel by
//      channel, Overlap % of the piece's (rounded). A 256-colour design takes the drawing
//      entry of exactly that colour, or a new drawing entry after the used ones.
// Background means index 0 or 1 in a 256-colour design and white in a full-colour one.
// Pixels outside the piece's mask are transparent in every mode; pixels the design's
// guard keeps (protected colours, the mask) and pixels off the picture are not written.

#include <QRect>
#include <cstdint>
#include <functional>

class TChange;

struct TSuperimposeRule {
    int Mode = 0;      // 0 .. 3 (others count as 0)
    int Overlap = 100; // mode 3: the piece's share in percent, 0 .. 100 (clamped)
};

// The piece's pixels from picture point (x, y) on along the row: pixels in the design's
// depth, packed as the picture's rows are, and one mask byte each (0: transparent; no
// mask: all opaque).
struct TPieceRow {
    const uint8_t* Pixels = nullptr;
    const uint8_t* Mask = nullptr;
};
using TPieceRows = std::function<TPieceRow(int x, int y)>;

// Whether a pixel (in a 256-colour or full-colour design's layout) is background.
bool BackgroundPixel(const uint8_t* pixel, bool indexed);
// Whether the piece's pixel is written (taken or mixed) at picture point (x, y) by
// mode, before the guard: opaque by its mask, and the backgrounds of both pixels.
bool PieceWrites(int mode, bool opaque, bool pieceBackground, bool designBackground, int x, int y);

// Writes the piece over area (picture coordinates; cut to the picture) through the
// change. rows is asked once or twice per row of the cut area, for its left column.
// In mode 3 a 256-colour design that needs more new colours than it has free drawing
// entries gets nothing: the result is PaletteFull, with pixels and palette as they were.
// touched (may be null) receives the rectangle written.
uint32_t Superimpose(TChange& change, const QRect& area, const TPieceRows& rows, const TSuperimposeRule& rule,
                     QRect* touched = nullptr);
