#pragma once
// User colour libraries (".ucl"): a list of named colours a designer collects.
//
// File: a 32-bit record count, then 33-byte records: name (22 bytes, zero
// terminated and padded), library kind (32 bits, the low 16 used), page (16),
// number (8), colour blue-green-red-reserved. Old library numbers are renumbered
// as palette files renumber them (ConvertOldNumbering).

#include "colour/Palette.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

struct TUserColor {
    QByteArray Name; // at most 21 bytes
    int Kind = KindNormal;
    uint16_t Page = 0;
    uint8_t Number = 0;
    int Red = 0, Green = 0, Blue = 0;

    friend bool operator==(const TUserColor&, const TUserColor&) = default;
};

using TUserColorList = std::vector<TUserColor>;

constexpr int kUserRecordSize = 33;
constexpr int kUserNameSize = 22;

// Reads a library. On failure list is emptied and the code returned: 0x40000010
// when the file cannot be opened, holds fewer records than it announces or a
// count no file that size can hold; 0x40000104 when the count cannot be read or a
// name has no terminator.
uint32_t ReadUserColors(const QString& path, TUserColorList& list);
// Writes a library through a temporary file: 0, 0x40000010 when it cannot be
// created or 0x40000105 when the write fails. Names are cut to 21 bytes.
uint32_t WriteUserColors(const QString& path, const TUserColorList& list);

// A palette entry made from a library record: a user colour of the record's kind
// with its page, number, colour and name, remembering the library file.
TColorData UserColorEntry(const TUserColor& c, const QByteArray& fileName);

// The closest colour (distance of TSearchColor) of every ".ucl" under folder,
// files taken in name order, sub-folders too when recursive. Unreadable files are
// skipped. Found is false when no file held a colour.
struct TUserColorHit {
    bool Found = false;
    QString File;
    int Position = -1; // record number in File
    TUserColor Color;
    int Distance = 768;
};
TUserColorHit NearestUserColor(const QString& folder, bool recursive, int red, int green, int blue);
// The first colour, files in name order as above, that match accepts.
TUserColorHit FindUserColor(const QString& folder, bool recursive,
                            const std::function<bool(const TUserColor&)>& match);

// "Load All on Palette": record k becomes entry start + k (a user colour of
// fileName) while start + k <= 251; start below 2 counts as 2. Returns how many
// entries were written.
int LoadUserColorsOnPalette(TPalette& palette, int start, const TUserColorList& list,
                            const QByteArray& fileName);

// Where palette files and user libraries are written: the colour directory when
// it can be written, else "Color" in the user's configuration folder (made on demand).
QString ColourWriteFolder();
