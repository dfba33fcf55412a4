#pragma once
// GIMP palettes (".gpl"), the text palette most painting programs read and write:
// "GIMP Palette", optional "Name:" and "Columns:" lines, "#" comments, then one
// colour a line as three decimal channels and an optional name.

#include "colour/Palette.h"

#include <QString>

// Writes the 256 entries in index order, each named by its index ("Index 12").
// Returns 0, 0x40000100 when the file cannot be created or 0x40000105.
uint32_t WriteGimpPalette(const QString& path, const TPalette& palette, const QString& name);
// Reads a GIMP palette's colours into entries 0, 1, ... as plain colours; colours
// past 256 are ignored and the rest of the palette and its used-colour count stay.
// 0x40000101 when the file cannot be opened, 0x40000104 (palette unchanged) for a
// missing header, a channel outside 0 .. 255 or a line that is no colour.
uint32_t ReadGimpPalette(const QString& path, TPalette& palette, int* count = nullptr);
// A palette file, or a GIMP palette when the name ends in ".gpl", into palette.
// Returns 0, the GIMP reader's code, or 0x40000104 for a palette file that cannot
// be read; the palette is unchanged on failure.
uint32_t LoadAnyPalette(const QString& path, TPalette& palette);
