#pragma once
// The settings of the Environment dialog and where they live.
//
// Environment.ini holds them in several sections: "CanvasInfor"/"DPI", the grid
// ("Grid": unit, gaps, colours, lines per section and the "Catalog-n" presets,
// read and written through shell/Gridsetup.h), "Window"/"MaxUndo",
// "MainImage"/"Unit" and "Size", and "AutoSave"/"Check" and "Min". The paper size
// choice is also kept in the configuration store as "Common"/"TREG_Size".

#include "shell/Gridsetup.h"

#include <QString>
#include <QStringList>

class TIniFile;

constexpr int kEnvMinDpi = 100, kEnvMaxDpi = 1000;
constexpr int kMinUndoLimit = 2, kMaxUndoLimit = 20;
constexpr int kMinAutoSaveMinutes = 1, kMaxAutoSaveMinutes = 60;
constexpr int kMaxLinesPerSection = 1000;
constexpr int kSizeChoices = 8; // A4, A3, A2, A1, A0, Letter, Legal, Tabloid

struct TEnvironmentSettings {
    int Dpi = 160;           // "CanvasInfor"/"DPI"
    TGridSetup Grid;         // the "Grid" keys
    QStringList Presets;     // stored preset texts, "Catalog-0" ...
    int MaxUndo = 5;         // "Window"/"MaxUndo"
    int MainImageUnit = 0;   // "MainImage"/"Unit": 0 Cm, 1 Inch, 2 Dot
    bool AutoSave = false;   // "AutoSave"/"Check"
    int AutoSaveMinutes = 5; // "AutoSave"/"Min"
    int SizeChoice = 0;      // "MainImage"/"Size": 0 A4 .. 7 Tabloid
    friend bool operator==(const TEnvironmentSettings&, const TEnvironmentSettings&) = default;
};

// Reads every setting with its default. Values out of range (a hand-edited file)
// are clamped: DPI 100 .. 1000, MaxUndo 2 .. 20, Min 1 .. 60, Size 0 .. 7, the
// main image unit 0 .. 2, lines per section 0 .. 1000; the grid unit, gaps and
// colours fall back as ReadGridSetup does. Empty preset entries are dropped.
TEnvironmentSettings ReadEnvironmentSettings(const TIniFile& ini);
// Writes every setting into ini (memory only). The presets replace the stored
// ones; "Catalog-n" keys from the new count up to the old count are removed.
void WriteEnvironmentSettings(TIniFile& ini, const TEnvironmentSettings& settings);
// Writes the settings file at path and "Common"/"TREG_Size" of the configuration
// store (also updating Configuration.TREG_Size). False when either write fails.
bool SaveEnvironmentSettings(const QString& path, const TEnvironmentSettings& settings);

// The unit of a "MainImage"/"Unit" choice (0 Cm, 1 Inch, 2 Dot) as a TUnit value.
int MainImageUnitOfChoice(int choice);
