#pragma once
// The Spread Fill tool's settings as its window offers them, kept in
// "SpreadFill.ini": the grade mode and shapes, the wave of Single Grade, the
// grade slots (a colour and the number of colours put between it and the next
// slot's) with the current slot, and the colour list that chooses the area.

#include "colour/Palette.h"

#include <vector>

class TIniFile;

enum TSpreadShape : int { SpreadLinear = 0, SpreadCircular = 1 };

constexpr int kMinGradeSlots = 2;
constexpr int kMaxGradeSlots = 5;
constexpr int kMaxGradeGap = 99;

struct TGradeSlot {
    TColorData Colour; // a copy of the entry it was picked from, or a plain colour
    int Gap = 2;       // colours put between this one and the next slot's, 0 .. kMaxGradeGap
};

struct TSpreadSettings {
    bool Single = false;            // Single Grade, else Multiple Grade
    int Shape = SpreadLinear;       // Multiple Grade's shape
    int SingleShape = SpreadLinear; // Single Grade's shape
    int WaveHeight = 50;            // Single Grade, 0 .. 100
    int WaveFrequency = 8;          // Single Grade, 1 .. 100
    std::vector<TGradeSlot> Slots;  // kMinGradeSlots .. kMaxGradeSlots
    int Current = 0;                // the slot picks go to
    TChoiceColor Colours;           // the area's colours; empty: the colour under the start
    bool InsertColours = false;     // colours taken from the design go in front of the list

    TSpreadSettings();
    // The shape of the mode in use.
    int ActiveShape() const { return Single ? SingleShape : Shape; }
    // Sets the number of slots (clamped); new slots are white with the default gap,
    // and the current slot stays among them.
    void SetSlotCount(int count);
};

// Reads "SpreadFill.ini"; missing keys take the defaults, values out of range are clamped.
TSpreadSettings ReadSpreadSettings(const TIniFile& ini);
// Writes what ReadSpreadSettings reads (memory only; the caller updates the file).
// An empty colour list is written as empty.
void WriteSpreadSettings(TIniFile& ini, const TSpreadSettings& settings);
