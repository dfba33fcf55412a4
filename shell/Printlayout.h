#pragma once
// The page plan of a printed design: which design pixels land on which sheet, and
// where. Three layouts:
//   - true size: design pixels at the design's dots per inch, centred on one sheet;
//     a design larger than the sheet is tiled instead (Plan.FellBack says so);
//   - fit: the design scaled to the sheet, aspect kept, centred;
//   - tile: true size over rows x columns of sheets, neighbours sharing an overlap
//     strip, with a margin for alignment marks and the "row r / column c" label.
// An optional colour key (one entry per used colour) follows on the last sheet when
// it has room below the design, otherwise on sheets of its own.
// All lengths are device pixels of the sheet's resolution; sheets are painted by
// PaintPrint (shell/Printpaint.h).

#include <QRect>
#include <QRectF>
#include <QSize>
#include <vector>

enum class TPrintLayout : int { TrueSize = 0, Fit = 1, Tile = 2 };

struct TPrintSettings {
    TPrintLayout Layout = TPrintLayout::Fit;
    double OverlapMm = 10; // tiles; clamped to 0 .. half a sheet's design strip
    bool Marks = true;     // tiles: alignment marks and sheet labels
    bool WorkAreaOnly = false;
    bool ColourKey = false;
};

// One sheet: the design pixels it shows (empty on a key-only sheet) and where they land.
struct TPrintSheet {
    QRect Source;                   // picture pixels, relative to the printed area
    QRectF Target;                  // on the sheet
    int Row = 0, Column = 0;        // of the tiling, from 0
    int KeyFirst = 0, KeyCount = 0; // colour-key entries on this sheet
    QRectF KeyArea;
};

struct TPrintPlan {
    std::vector<TPrintSheet> Sheets;
    TPrintLayout Layout = TPrintLayout::Fit; // the layout planned (Tile after a fall-back)
    bool FellBack = false;                   // true size did not fit one sheet and was tiled
    int Rows = 1, Columns = 1;
    double Scale = 1;      // sheet pixels per design pixel
    int OverlapPixels = 0; // design pixels two neighbouring tiles share
    QRectF Content;        // the part of the sheet that holds design pixels
};

// Key geometry in sheet pixels for a sheet resolution: one entry's height and width.
double KeyEntryHeight(int deviceDpi);
double KeyEntryWidth(int deviceDpi);
// Width of the margin tiles keep for marks and labels.
double TileMargin(int deviceDpi);
// Most sheets a plan may have; larger tilings are refused.
constexpr int kMaxPrintSheets = 400;

// Plans the sheets of a design area of size area at designDpi on sheets whose
// printable part is page (origin of the painter at its top-left), deviceDpi sheet
// pixels per inch; keyEntries colour-key entries when the key is on. Empty (no
// sheets) for an empty area or page, or when more than kMaxPrintSheets are needed.
TPrintPlan PlanPrint(QSize area, int designDpi, const QRect& page, int deviceDpi,
                     const TPrintSettings& settings, int keyEntries);
