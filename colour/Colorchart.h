#pragma once
// The colour chart: palette indices 1 .. 251 (colour numbers 0 .. 250) in 16 rows
// of 16 cells, the last row holding 11, each row labelled with its first and last
// colour number. The same drawing serves the chart window and its printout.

#include "colour/Palette.h"

#include <QRect>
#include <QString>
#include <cstdint>

class QPainter;

class TChartLayout {
  public:
    static constexpr int kRows = 16;
    static constexpr int kColumns = 16;
    static constexpr int kLastIndex = TPalette::kLastDrawing;

    // The chart fills area; the row labels take labelWidth pixels at its left.
    TChartLayout(const QRect& area, int labelWidth);
    // Cell of a palette index (empty outside 1 .. 251).
    QRect CellRect(int index) const;
    QRect LabelRect(int row) const;
    // Palette index under a point, -1 where there is no cell.
    int IndexAt(const QPoint& point) const;

  private:
    QRect Area;
    int LabelWidth;
    double CellW, CellH;
};

// Label of a row from a format with two %d, e.g. "%d-%d" -> "240-250" for the last row.
QString ChartRowLabel(int row, const QString& format);

// Draws the chart; the cell of marked (a palette index) gets a thick frame.
void PaintColorChart(QPainter& painter, const TChartLayout& layout, const TPalette& palette,
                     const QString& rowFormat, int marked);

class QPagedPaintDevice;

// The printed chart: title at the top of one sheet, the chart square below it with
// rows labelled by rowFormat. 0, or ErrorCode::Printing when the device would not open.
uint32_t PaintColorChartPage(QPagedPaintDevice& device, const TPalette& palette, const QString& title,
                             const QString& rowFormat);

class TStringTable;

// The palette window's label of an entry: "(Normal) r - g - b", the library and
// code of a library colour, "[file]  name" for a user colour. Library codes show
// as page-number until the colour libraries can name them.
QString EntryLabel(const TColorData& entry, const TStringTable& paletteTexts);
