#pragma once
// The colour report of a 256-colour design: for every palette index its pixels
// use, the pixel count, the share of the picture, the area it covers on paper at
// the design's dots per inch, and where the colour came from.

#include "colour/Palette.h"
#include "raster/Tpmemory.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

// Pixels per palette index of an 8-bit picture (all zero for other depths).
std::array<qint64, 256> IndexCounts(const TOrvaneBitmap& picture);

// Library name of an entry: "Normal Color", "Printer Color", "PT 1000 Color",
// "PT Textile Color", "VM Standard Color", "VM Textile Color", and for user
// colours "User (...)" around the same name.
QString LibraryName(const TColorData& entry);
// The printer guide's code "PP-RR:CC" of an entry's line (page field) and column
// (number); empty when the line is outside 1 .. 1087.
QString PrinterCode(int line, int column);
// Code text of an entry without the colour libraries: the colour name of a user
// colour, the printer code, "page:number" of the other libraries, empty for plain colours.
QString EntryCodeText(const TColorData& entry);

struct TColorReportRow {
    int Index = 0;
    qint64 Pixels = 0;
    double Share = 0;    // of all the picture's pixels, 0 .. 1
    double SquareCm = 0; // area on paper
    double SquareInch = 0;
    QString Library;
    QString Code;
    int Red = 0, Green = 0, Blue = 0;
};

// One row per index with pixels, in index order. dpi below 1 counts as 1. codeText
// gives the code of an entry (EntryCodeText when empty), so the colour libraries
// can name their colours.
std::vector<TColorReportRow> BuildColorReport(const TOrvaneBitmap& picture, const TPalette& palette, int dpi,
                                              const std::function<QString(const TColorData&)>& codeText = {});
// The report as CSV with a header line; text fields quoted, areas with 4 decimals.
QByteArray ColorReportCsv(const std::vector<TColorReportRow>& rows);
// Writes ColorReportCsv(rows) to path: 0, 0x40000100 or 0x40000105.
uint32_t WriteColorReport(const QString& path, const std::vector<TColorReportRow>& rows);
