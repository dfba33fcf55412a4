#pragma once
// Palette records as design files and palette files (".fcr") store them, and
// the palette files themselves.
//
// Current record: flags (2), page (2), number (1), colour blue-green-red-0 (4)
// and, for user colours, the library file name and colour name each behind a
// 16-bit length. Older records: 10 bytes (flags, page, number, one unused
// byte, colour) and 8 bytes (kind, 6-bit red, green, blue, page, number, unused).

#include "colour/Palette.h"

#include <QByteArray>
#include <QString>

class TLeReader;

// One current record, written or read (names checked against what is left).
void AppendPaletteRecord(QByteArray& out, const TColorData& entry);
bool ReadPaletteRecord(TLeReader& reader, TColorData& entry);
// Appends the 256 current records.
void AppendPaletteRecords(QByteArray& out, const TPalette& palette);
// Reads 256 current records; names are checked against what is left of the file.
bool ReadPaletteRecords(TLeReader& reader, TPalette& palette);
// Reads 256 records of 10 bytes (no names).
void ReadLongPalette(TLeReader& reader, TPalette& palette);
// Reads 225 records of 8 bytes into entries 1 .. 225; entry 0 becomes black and
// 226 .. 255 greys (i, i, i). Kinds 3 and above are plain colours.
void ReadShortPalette(TLeReader& reader, TPalette& palette);
// A 6-bit channel widened to 8 bits: v * 4 | v >> 4.
int Expand6(int v);

// Palette files renumber two old libraries: kind 1 becomes kind 3 with its page
// moved through the old page table (p = table[i] becomes i + 20), kind 2 becomes
// kind 4 with 1000 added to its page.
void ConvertOldNumbering(TColorData& entry);

// Reads a palette file into palette (its used-colour count is kept). False, with
// the palette unchanged, when the file cannot be opened or is damaged.
bool LoadPaletteFile(const QString& path, TPalette& palette);
// Writes "CP", version 110 and the 256 current records, through a temporary file.
// Returns 0, 0x40000100 when the file cannot be created or 0x40000105.
uint32_t SavePaletteFile(const QString& path, const TPalette& palette);

// Copies from's entries 2, 3, ... after into's used colours: entry i + 1 goes to
// index UseColor + i for i = 1 .. 250 - UseColor. The used-colour count stays;
// returns how many entries were copied (0 when 250 or more are in use).
int MergePalette(TPalette& into, const TPalette& from);

// name with ".ext" added when its file name has no extension.
QString WithExtension(const QString& name, const QString& ext);
