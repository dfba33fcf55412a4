#pragma once
// The grid settings shared by the full-view, grid and Environment windows: kept
// in the "Grid" section of Environment.ini with a list of stored presets, and
// converted between units at a document's resolution.

#include "platform/Bitmaphandle.h"
#include "shell/Units.h"

#include <QString>
#include <QStringList>

class TIniFile;

// Gaps are in the unit (0 Dot, 1 Inch, 2 Cm); colours are colour values with red
// in the low byte.
struct TGridSetup {
    int Unit = 0;
    double GapX = 1.0;
    double GapY = 1.0;
    TColorRef Color = 0;
    int LinesPerSection = 0;
    TColorRef SectionColor = 0;
    friend bool operator==(const TGridSetup&, const TGridSetup&) = default;
};

// Reads the "Grid" section; missing or out-of-range values take the defaults
// (unit 0, gaps 1.0, colours 0, no section lines). Gaps must be above 0.
TGridSetup ReadGridSetup(const TIniFile& ini);
void WriteGridSetup(TIniFile& ini, const TGridSetup& setup);
// The stored presets ("Catalog-Count" and "Catalog-0" ...); entries past the count
// are ignored, a negative or absurd count reads as none.
QStringList ReadGridCatalog(const TIniFile& ini);
// Replaces the stored presets (stale "Catalog-n" keys beyond the new count are removed).
void WriteGridCatalog(TIniFile& ini, const QStringList& presets);

// A preset as stored: "Inch) 0.250000 x 2.000000" (unit name, gaps with six decimals).
QString GridPresetText(const TGridSetup& setup);
// Reads a stored preset, or the longer "unit;gapX;gapY;colour;lines;sectionColour"
// of earlier versions; any unit name but "Inch" and "Cm" means dots. The short form
// leaves the colours and section lines of setup as they are. False (setup unchanged)
// for a malformed preset or one with values out of range.
bool ParseGridPreset(const QString& text, TGridSetup& setup);

// How a window lists a stored preset.
enum class TPresetCaption {
    Stored, // "<unit>) <gapX> x <gapY>" with six decimals, as stored
    Short,  // "<gapX> x <gapY> <unit>" in shortest form, then ", n" with section lines every n lines
};
// The list entry of a stored preset, unitNames (Dot, Inch, Cm) in the window's
// language; what the preset leaves out comes from base. The text itself when it
// cannot be parsed.
QString GridPresetCaption(const QString& preset, const QStringList& unitNames, TPresetCaption form,
                          const TGridSetup& base = {});
// The gap label text: the value in its unit, shortest form ("1", "0.5").
QString GapLabel(double gap);

// A gap re-expressed in another unit so it keeps its size in pixels (2 decimals
// for inch and cm, whole dots, never below the smallest step); the gap unchanged
// for a bad unit or dpi.
double ConvertGap(double gap, int fromUnit, int toUnit, int dpi);
// The grid re-expressed in another unit, the gaps keeping their size in pixels
// unrounded (for fields with six decimals). Unchanged for a bad unit or dpi.
TGridSetup ChangeGridUnit(const TGridSetup& grid, int unit, int dpi);
