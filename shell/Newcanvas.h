#pragma once
// The choices of the New Canvas dialog and the paper they make.
//
// The size list holds the eight sheets (A4 .. A0, Letter, Legal, Tabloid) in the
// chosen unit, then "User Defines" for a size typed in. Sheet k of the list is
// paper type 0, 1, 2, 3, 4, 6, 7, 8; "User Defines" is the custom type 5.

#include "shell/Paper.h"

#include <QString>
#include <QStringList>

class TStringTable;
class TIniFile;

constexpr int kUserDefinesIndex = 8;

struct TNewCanvasSettings {
    int SizeIndex = 0; // 0 .. 7 sheets, 8 user defined
    int Unit = UnitCm; // 2 Cm, 1 Inch, 0 Dot
    int Dpi = 160;
    int Orientation = 0; // 0 portrait, 1 landscape
    QString WidthText;   // user defined size, in Unit
    QString HeightText;
};

// Paper type of a list entry, and back.
int PaperTypeOfSizeIndex(int index);
int SizeIndexOfPaperType(int type);

// The list texts for a unit and resolution, from the "NewCanvas" language table.
QStringList SizeListTexts(const TStringTable& texts, int unit, int dpi);

// A typed size in dots by TypedSizeToDots; ok is false for text that is no number.
int TextToDots(const QString& text, int unit, int dpi, bool* ok = nullptr);

// The settings a new dialog starts from: the last accepted ones ("NewCanvas"
// section), else "CanvasInfor"/"DPI" and "MainImage"/"Size" of the environment
// settings.
TNewCanvasSettings ReadNewCanvasSettings(const TIniFile& environment);
// Keeps accepted settings for the next dialog.
void WriteNewCanvasSettings(TIniFile& environment, const TNewCanvasSettings& settings);
// "Default": A4 portrait at 160 dpi, unit Inch.
TNewCanvasSettings DefaultNewCanvas();

enum class TNewCanvasProblem { None, NoSize, TooLarge, BadDpi };
// The paper the settings describe for a canvas of bitsPerPixel, or why there is
// none: a user size that is empty or not a positive number, a canvas larger than
// the program holds (kMaxBitmapSide a side, kMaxBitmapBytes in all), or a
// resolution outside 50 .. 1000. paper is written only when there is no problem.
TNewCanvasProblem NewCanvasPaper(const TNewCanvasSettings& settings, int bitsPerPixel, TPaper& paper);
// The width and height edits' texts for a paper in a unit ("19.812", "1248").
QString PaperSideText(int dots, int unit, int dpi);
