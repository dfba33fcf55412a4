#pragma once
// The printer colour guide: 73 computed pages of HLS colours.
//
// Pages 1 .. 36: 15 rows x 36 columns, hue (p0 * 15 + r0) / 540 * 360, saturation
// 1 - r0 * 0.85 / 14, lightness c0 / 35. Page 37: 7 rows x 36 columns of near
// greys: row 1 neutral (S = 0, hue undefined), rows 2 .. 7 hue (r0 - 1) * 60 at
// S = 0.1; lightness c0 * 0.85 / 35 + 0.025. Pages 38 .. 73: 15 rows x 12
// columns of light tints, hue ((p0 - 37) * 15 + r0) / 540 * 360, lightness
// c0 * 0.3 / 12 + 0.7. (p0, r0, c0 are the 0-based page, row and column.)
//
// A palette entry keeps a guide colour as a line number (page field) and c0
// (number field): lines 1 .. 540 for pages 1 .. 36, 541 .. 547 for page 37 and
// 548 .. 1087 for pages 38 .. 73.

#include "colour/Nearestindex.h"
#include "colour/Phls.h"

#include <QString>
#include <cstdint>
#include <vector>

struct TPrinterPlace {
    int Page = 0; // 1 .. 73; 0 when nothing was found
    int Row = 0;
    int Column = 0;
    bool Found() const { return Page > 0; }
};

class TPrinterColor {
  public:
    static constexpr int kPages = 73;

    TPrinterColor();

    static int Rows(int page) { return page == 37 ? 7 : 15; }
    static int Columns(int page) { return page <= 37 ? 36 : 12; }
    static bool Valid(int page, int row, int column);

    // The HLS of a guide place (1-based page, row and column).
    static THLS Set(int page, int row, int column);
    // 0x00RRGGBB of a guide place, 0 outside the guide.
    uint32_t ColorOf(int page, int row, int column) const;

    // Line number of (page, row) and back; 0 / an unfound place outside the guide.
    static int Line(int page, int row);
    static TPrinterPlace FromLine(int line, int c0);

    // "%d-%d:%d" (page, row, column) of a line and c0; empty outside the guide.
    static QString CodeText(int line, int c0);
    // A typed code "00-00:00" (two digits each); an unfound place when it is not a
    // full code of a place in the guide.
    static TPrinterPlace Parse(const QString& text);

    // Nearest guide colour by the program's nearest-colour rule (pages, rows, columns in order).
    TPrinterPlace FindNearest(int red, int green, int blue, int* distance = nullptr) const;

  private:
    struct TChip {
        uint8_t Page, Row, Column;
    };
    std::vector<TChip> Chips; // the whole guide in order
    TNearestIndex Nearest;    // the same chips' colours
};
