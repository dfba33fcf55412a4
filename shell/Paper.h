#pragma once
// Paper sizes shared by the canvas dialogs, the settings and every design file's
// header.

#include "shell/Units.h"

#include <QString>
#include <cstdint>

#pragma pack(push, 1)
// Stored as 12 bytes in design headers: type, orientation, dpi, width, height.
struct TPaper {
    int8_t type = 0;         // 0 A4, 1 A3, 2 A2, 3 A1, 4 A0, 5 custom, 6 Letter, 7 Legal, 8 Tabloid
    uint8_t orientation = 0; // 0 portrait, otherwise landscape
    uint16_t dpi = 160;
    int32_t width = 0;  // dots
    int32_t height = 0; // dots
};
#pragma pack(pop)
static_assert(sizeof(TPaper) == 12);

constexpr int kPaperCustom = 5;
constexpr int kPaperTypes = 9;
constexpr int kMinDpi = 50;
constexpr int kMaxDpi = 1000;

// The type's name ("A4" ...; empty for custom) and portrait size in inches.
// Types outside 0 .. 8 are measured like A4.
QString PaperName(int type);
double PaperInchWidth(int type);
double PaperInchHeight(int type);

// Whether the paper lies on its long side: by its orientation, or for custom
// paper (whose sides are taken as given) when it is wider than high.
bool PaperIsLandscape(const TPaper& paper);

// Size in dots: the stored value for custom paper, else dpi x inches rounded.
int PaperWidth(const TPaper& paper);
int PaperHeight(const TPaper& paper);

// Sets the type and fills width and height from the table (or from the arguments for custom paper).
void SetPaper(TPaper& paper, int type, int width = 0, int height = 0);

// The type's name and "W x H" in dots (unit 0), inches (1) or centimetres (2).
void FormatPaper(const TPaper& paper, int unit, QString& name, QString& size);

// The settings' size choice 0 .. 7 runs without the custom entry: choice 5 is paper type 6.
int PaperTypeOfSizeChoice(int choice);
int SizeChoiceOfPaperType(int type);
// "cstA4" ... "cstTabloid" for choices 0 .. 7.
QString SizeChoiceCode(int choice);
