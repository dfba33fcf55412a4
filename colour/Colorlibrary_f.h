#pragma once
// The "Color Library" window of the palette window's Library mode: the palette
// list (library, code, colour and share of the picture's pixels per entry), the
// printer colour guide one page at a time, and the VM Standard and VM Textile
// libraries five pages at a time. A chip (a double click on a guide cell) hands
// its colour, as a palette entry of its kind, page and number, to OnChoose.

#include "colour/Palette.h"
#include "shell/Stringtable.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QScrollBar;
class QStackedWidget;
class QTabBar;
class QTableWidget;
struct TColorLibraries;
class TLibraryPagesView;
class QComboBox;
class QGroupBox;
class QSpinBox;
class TOrvaneBitmap;

class TColorLibraryForm : public QWidget {
  public:
    enum TView : int { ViewPalette = 0, ViewPrinter = 1, ViewStandard = 2, ViewTextile = 3 };

    explicit TColorLibraryForm(QWidget* parent = nullptr);

    void SetLibraries(const TColorLibraries* libraries);
    // The palette and picture the palette list describes (not owned; null: none).
    void SetPalette(const TPalette* palette, const TOrvaneBitmap* picture);
    // Rebuilds the palette list (after an edit of the palette or the picture).
    void RefreshPalette();

    void ShowView(int view);
    int View() const;
    // Shows a found page: the guide's page itself, a VM page third of the five shown.
    void ShowFound(int view, int pagePosition);
    // Selects the row of a palette index in the palette list.
    void SelectIndex(int index);
    // The guide page (0 .. 72) or the first VM page position shown.
    int FirstPage() const;
    void SetFirstPage(int first);

    std::function<void(const TColorData& entry)> OnChoose;

    QTabBar* tbView;
    QStackedWidget* Views;
    QTableWidget* sgPalette;
    QTableWidget* sgPrinter;
    TLibraryPagesView* pbPages;
    QScrollBar* sbPages;
    QLabel* lbPage;
    QPushButton* btFirst;
    QPushButton* btCenter;
    QPushButton* btEnd;
    QPushButton* btBefore;
    QPushButton* btNext;
    // Print group: chip size ("Small"/"Large"), first page and number of pages of the
    // library shown (the printer guide from the palette view).
    QComboBox* cbChipSize;
    QSpinBox *spStartPage, *spPageCount;
    QPushButton* btPrint;
    void btPrintClick();

  private:
    QGroupBox* PrintGroup();
    void PageChanged(int first);
    void ShowPrinterPage(int page);
    void PrinterCellDoubleClick(int row, int column);
    void ChipClick(int page, int record);
    int PageCount() const;
    QString LibraryName(const TColorData& entry) const;

    TStringTable Texts;
    const TColorLibraries* Libs = nullptr;
    const TPalette* Pal = nullptr;
    const TOrvaneBitmap* Picture = nullptr;
    int PrinterPage = 0;
};
