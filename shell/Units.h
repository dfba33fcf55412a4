#pragma once
// Measuring units and the conversions between dots and lengths at a resolution.
// Every dialog, ruler, status text and grid measures through these.

#include <QString>

enum TUnit : int { UnitDot = 0, UnitInch = 1, UnitCm = 2 };

constexpr double kCmPerInch = 2.54;

// "Dot", "Inch" or "Cm"; units outside 0 .. 2 are clamped.
QString UnitName(int unit);

// A length in a unit as dots at dpi, unrounded: dots as they are, inches x dpi,
// centimetres x dpi / 2.54. 0 for a bad unit or dpi <= 0.
double LengthToDots(double length, int unit, int dpi);
// Dots as a length in a unit, the reverse of LengthToDots. 0 for a bad unit or dpi <= 0.
double DotsToLength(double dots, int unit, int dpi);

// Whole dots, rounded half up (lengths of 0 and more): paper sheets and conversions.
int RoundedDots(double length, int unit, int dpi);
// Whole dots from a size typed into the canvas dialogs, as those have always read it:
// inches x dpi truncated; centimetres x dpi x 0.3937007874 + 0.5 truncated; dots
// (and any other unit) truncated, whatever the dpi. dpi <= 0 gives 0 for inches and
// centimetres.
int TypedSizeToDots(double length, int unit, int dpi);
