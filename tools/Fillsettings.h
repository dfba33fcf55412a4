#pragma once
// The Fill tool's settings as its window offers them. "Fill.ini" keeps the angle
// "Before Degree" returns to (section "Rotate") and the colour list (section
// "Multi"); the rest starts from the defaults each time the tool opens.

#include "colour/Palette.h"

class TIniFile;

// Which colours make the area: the clicked one, or the colour list's.
enum TFillFrom : int { FillFromSingle = 0, FillFromMulti = 1 };
// What the area receives; FillToNone when no "to" button is down (a click fills nothing).
enum TFillTo : int {
    FillToNone = 0,
    FillToSingle = 1,
    FillToNormalPattern = 2,
    FillToRotatePattern = 3,
    FillToMulti = 4
};
// How pattern tiles stand: side by side, rows shifted by the drop, columns shifted by it.
enum TFillRepeat : int { FillRepeatNormal = 0, FillRepeatDropHorizontal = 1, FillRepeatDropVertical = 2 };

constexpr int kMinFillDensity = 1, kMaxFillDensity = 5;
constexpr int kMinFillNozzle = 1, kMaxFillNozzle = 5;

struct TFillSettings {
    int From = FillFromSingle;
    int To = FillToSingle;
    bool Air = false;
    int Density = 3; // air: a pixel is painted when a draw 0 .. 19 falls below it
    int Nozzle = 1;  // air: the drop's block (the air brush's nozzles)
    int Degree = 0;  // ROTATE PAT., 0 .. 360
    int BeforeDegree = 0;
    int Pattern = 0; // the capture, 0 the newest
    int Repeat = FillRepeatNormal;
    int Drop = 0; // pixels per tile step of a drop repeat
    TChoiceColor Colours;
    bool InsertColours = false; // colours taken from the design go in front of the list

    // Every value brought into its range (the drop is clamped where the pattern is known).
    void Clamp();
};

// Reads "Fill.ini": the previous angle and the colour list; values out of range are clamped.
TFillSettings ReadFillSettings(const TIniFile& ini);
// Writes the angle in use as the next "Before Degree" and the colour list (memory
// only; the caller updates the file).
void WriteFillSettings(TIniFile& ini, const TFillSettings& settings);
