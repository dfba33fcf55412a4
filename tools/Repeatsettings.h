#pragma once
// What the Repeat window keeps between uses. "Repeat.ini" holds the tile (section
// "WorkArea"), the index stored with it ("Key"), and the last match (section
// "Match": its function, horizontal and vertical offsets, and how many of it stand
// on the tile), so that a rolled tile can be recovered after a restart.

#include "tools/Repeat.h"

class TIniFile;

// The match rolls standing on the tile: Count rolls of Function with Drop over Tile.
// Recover undoes them one by one with exactly these values.
struct TRepeatMatch {
    int Function = RepeatMatchNormal;
    int Drop = 0;
    QRect Tile;
    int Count = 0;
};

struct TRepeatState {
    TRepeatSettings Settings; // Drop unused: the function's drop comes from DropVer / DropHor
    int DropVer = 0;          // HALF DROP VER, MATCH VER: pixels down per column
    int DropHor = 0;          // HALF DROP HOR, MATCH HOR: pixels right per row
    int Index = -1;           // stored with the tile; -1 none
    TRepeatMatch Match;

    // Every value brought into its range: the drops to 0 .. the tile's side.
    void Clamp();
    // Settings with the drop of its function.
    TRepeatSettings Current() const;
};

// Reads "Repeat.ini"; values out of range are clamped, a negative size is no tile.
TRepeatState ReadRepeatState(const TIniFile& ini);
// Writes the tile and the match (memory only; the caller updates the file).
void WriteRepeatState(TIniFile& ini, const TRepeatState& state);
