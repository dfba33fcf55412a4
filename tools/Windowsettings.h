#pragma once
// The Window tool's settings as its window offers them, kept in "Window.Ini":
// the mode (shape, irregular, outline), the shape and outline kinds, the curve
// switch of irregular points, how a new piece combines with the selection, the
// kind of undo, the magic method and tolerance of full-colour outlines and the
// colour set of "Surface (Multi)" on 256-colour designs.

#include "colour/Palette.h"

class TIniFile;

enum TWindowMode : int { WindowShape = 0, WindowIrregular = 1, WindowOutline = 2 };
enum TShapeKind : int { ShapeRectangle = 0, ShapeEllipse = 1, ShapeSquare = 2, ShapeCircle = 3 };
enum TOutlineKind : int { OutlineBorder = 0, OutlineSingle = 1, OutlineMulti = 2 };
enum TWindowCombine : int { CombineSet = 0, CombineAdd = 1, CombineSubtract = 2 };
enum TMagicMethod : int { MagicRGB = 0, MagicHLS = 1 };
constexpr int kMinTolerance = 5, kMaxTolerance = 100;

struct TWindowSettings {
    int Mode = WindowShape;
    int Shape = ShapeRectangle;
    int Outline = OutlineSingle;
    bool Curve = false; // irregular points are curve points with a control point
    int Combine = CombineSet;
    bool Swap = true; // Undo exchanges the last two selections ("SWAP"), else steps back ("STACK")
    int Method = MagicRGB;
    int Tolerance = 30;    // kMinTolerance .. kMaxTolerance
    bool Position = false; // clicks on the design add their colour to the set
    TChoiceColor Colours;  // the set of "Surface (Multi)" on 256-colour designs
};

// The section of "Window.Ini" that keeps the colour set.
inline const char* kWindowColourSection = "ColorSelector(Outline)";

// Reads "Window.Ini"; missing keys take the defaults, values out of range are clamped.
TWindowSettings ReadWindowSettings(const TIniFile& ini);
// Writes what ReadWindowSettings reads (memory only; the caller updates the file).
void WriteWindowSettings(TIniFile& ini, const TWindowSettings& settings);
