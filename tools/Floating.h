#pragma once
// The floating piece of the Move/Copy tool: the selection's pixels lifted out of a
// design, then flipped, turned or bent, and written back somewhere else. Its mask
// says which of its pixels belong to it; the others are transparent and hold 0.
// Every function here returns 0 or an error code and leaves its output empty on
// failure.

#include "raster/Tpmemory.h"

#include <QImage>
#include <QRect>
#include <QRegion>

class TPalette;

// How a lifted piece is laid out.
enum TFloatType : int {
    FloatNormal = 0,
    FloatUpDown = 1,   // rows in reverse order (a vertical flip)
    FloatMirror = 2,   // columns in reverse order (a horizontal flip)
    FloatUDMirror = 3, // both
    FloatRotate = 4,
    FloatBend = 5,
};
constexpr int kFloatTypes = 6;

enum TBendType : int { BendFan = 0, BendTube = 1 };

struct TFloating {
    TOrvaneBitmap Image; // the design's depth (8 or 24 bits)
    TOrvaneBitmap Mask;  // 8 bits, the image's size: 255 where the piece has a pixel, 0 elsewhere
    int Width() const { return Image.Width; }
    int Height() const { return Image.Height; }
    bool Empty() const { return !Image.Allocated(); }
    // Makes an image and a zeroed mask of the size; false (both empty) when not allowed or
    // memory is short.
    bool Allocate(int width, int height, int bitsPerPixel);
    void Release();
};

// Lifts the part of picture that selection covers (its bounding box cut to the
// picture) laid out as type 0 .. 3. An empty selection, or one outside the picture,
// gives NoWorkArea.
uint32_t LiftFloating(const TOrvaneBitmap& picture, const QRegion& selection, int type, TFloating& out);

// The piece turned by degrees (positive turns counter-clockwise on the screen, y growing downwards) about the
// middle pixel of its box, by inverse mapping to the nearest pixel: each destination
// pixel takes the source pixel its position maps back into, or stays transparent.
// The destination box is the turned box, cut to the rows and columns that reach the
// source. *centre (may be null) receives where the source's middle pixel lies in it.
// A result beyond the picture-size limits gives TooLargeForOperation.
uint32_t RotateFloating(const TFloating& source, double degrees, TFloating& out, QPoint* centre = nullptr);

// The inverse map RotateFloating uses: destination offset from the turned box's centre
// pixel -> source position (in pixels of the source box, floor for the pixel), with its
// entries rounded to multiples of 2^-kRotationFraction so that stepping along a row in
// fixed point gives exactly what evaluating it in extended precision gives.
constexpr int kRotationFraction = 44;
class TRotation;
TRotation RotationInverse(double degrees, int sourceWidth, int sourceHeight);
// The box (offsets from the centre pixel, right and bottom inclusive) of source turned by
// degrees before it is cut to the rows and columns that reach the source.
QRect RotationBox(double degrees, int sourceWidth, int sourceHeight);

// The piece bent into a fan or a tube (see Floatbend.cpp for the geometry).
uint32_t BendFloating(const TFloating& source, int bendType, TFloating& out);

// The piece as a picture for the screen (ARGB32 premultiplied, transparent where the
// mask is 0); 8-bit pixels take the palette's colours. Null when memory is short.
QImage FloatingPicture(const TFloating& piece, const TPalette& palette);
