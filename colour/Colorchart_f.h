#pragma once
// The "Color Chart" window of the palette window's Chart mode: the whole palette
// at a glance, the current colour framed, the hovered colour described in the
// status line; a click chooses the colour, "Print" prints the chart.

#include "colour/Palette.h"
#include "shell/Stringtable.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QPagedPaintDevice;

class TColorChartForm : public QWidget {
    Q_OBJECT
  public:
    explicit TColorChartForm(QWidget* parent = nullptr);

    // The palette shown (not owned; null shows nothing).
    void SetPalette(const TPalette* palette);
    // Frames the cell of a palette index.
    void ShowIndex(int index);
    int ShownIndex() const { return Marked; }
    // Palette index under a point of the chart area, -1 where there is none.
    int IndexAt(const QPoint& point) const;
    // Prints the chart with its title on one page; false when nothing was printed.
    bool PrintTo(QPagedPaintDevice& device) const;

    std::function<void(int index)> OnChoose;

    QWidget* imChart;
    QLabel* StatusText;
    QPushButton* btPrint;
    QPushButton* btClose;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PrintClick();
    TStringTable Texts;
    TStringTable PaletteTexts;
    const TPalette* Pal = nullptr;
    int Marked = -1;
};
