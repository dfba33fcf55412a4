#pragma once
// The pen's settings as the pen window offers them, kept in "Pen.Ini": the pen
// kind and its parameters, the footprint (size, shape, spacing, pressure) and
// the pen's colour list with its spread and colour-restricted switches.

#include "colour/Palette.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TIniFile;
class TPenObject;

enum TPenKind : int {
    PenNormal = 0,
    PenAirBrush = 1,
    PenCrayon = 2,
    PenWater = 3,
    PenScrape = 4,
    PenMask = 5
};
enum TAirMode : int { AirSingle = 0, AirMulti = 1, AirPattern = 2 };
enum TWaterFunction : int { WaterSimple = 0, WaterSpatter = 1, WaterPure = 2, WaterDiffuse = 3 };

// Drops per spray event (1 .. 5) and the nozzle pattern of a drop (1 .. 5).
struct TAirSetting {
    int DotNum = 3;
    int Nozzle = 1;
};

constexpr int kAirColours = 18;

// The PATTERN air brush's colours: a picture's pixel values, rows top-down.
struct TAirPattern {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

// A Water Pen function's colour and effect amounts as scroll positions 0 .. 100
// (the amount is the position x 0.01).
struct TWaterAmounts {
    int Colour = 0;
    int Effect = 50;
};

struct TPenSettings {
    int Kind = PenNormal;
    int Size = 12;   // 1 .. 28
    int Shape = 0;   // 0 circular, 1 square
    int Spacing = 8; // 1 .. 64
    bool Pressure = false;
    int Density = 3;  // Crayon, 1 .. 5
    int Bristles = 4; // Scrape Pen, 1 .. 8
    int Scale = 150;  // Scrape Pen, percent
    int AirMode = AirSingle;
    std::array<TAirSetting, 3> Air{}; // SINGLE, MULTI, PATTERN
    // MULTI: palette indices with their weights (a weight 0 leaves the colour out).
    std::array<int, kAirColours> AirColours{};
    std::array<int, kAirColours> AirNumbers{};
    std::shared_ptr<const TAirPattern> Pattern; // PATTERN, taken from a selection
    int WaterFunction = WaterSimple;
    int WaterDensity = 3; // 1 .. 5
    // Per function (Simple, Spatter, Pure, Diffuse); Pure washes the colour in by default.
    std::array<TWaterAmounts, 4> Water{{{0, 50}, {0, 50}, {50, 0}, {0, 50}}};
    bool MaskDelete = false;    // Mask pen "Delete": strokes erase the mask
    bool MaskFill = false;      // Mask pen "Fill": a click takes the connected same-colour area
    bool InsertColours = false; // "Insert Color": picked colours go to the front of the list
    TChoiceColor Colours;       // the pen's colour list
    bool Spread = false;        // "Spread : On": stamps step from First to Second
    int First = TPalette::kFirstDrawing, Second = TPalette::kFirstDrawing;
    int Grade = 2;           // colours in the spread, 2 .. 250
    bool Restricted = false; // "Color : Yes": paint only over colours of the list
};

// Reads section "Pen" and the colour list of section "Color". Missing keys take
// the defaults above; sizes, spacing, densities, nozzles, bristles, grade, kind,
// modes and water amounts out of range are clamped into it.
TPenSettings ReadPenSettings(const TIniFile& ini);
// Writes what ReadPenSettings reads (memory only; the caller updates the file); an
// empty colour list is written as empty, so it stays empty when read back.
void WritePenSettings(TIniFile& ini, const TPenSettings& settings);
// Gives the pen the settings: its kind and parameters, and the footprint's size,
// shape, spacing and pressure switch.
void ApplyPenSettings(TPenObject& pen, const TPenSettings& settings);
