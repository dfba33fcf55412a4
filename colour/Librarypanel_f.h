#pragma once
// The palette window's Library panel: the library chosen ("Color Guide" shows
// the palette list), a code typed into a masked edit and looked up as it is
// typed, the found colour's swatch and "O.K" to write it into the current entry;
// "Special Search" looks the code up in the Pantone libraries; the nearest
// colour of the chosen library to the current entry with its code.

#include "colour/Palette.h"
#include "shell/Stringtable.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TColorSwatch;
struct TColorLibraries;

class TLibraryPanel : public QWidget {
  public:
    explicit TLibraryPanel(QWidget* parent = nullptr);
    void ApplyTexts(const TStringTable& texts);
    void SetLibraries(const TColorLibraries* libraries) { Libs = libraries; }

    // The library choice: 0 Color Guide, 1 Printer Color, 2 VM Standard, 3 VM Textile.
    int Choice() const;
    // Shows the nearest colour of the chosen library to entry (the current one).
    void ShowNearest(const TColorData& entry);

    // A found page to show: the library window's view and page position.
    std::function<void(int view, int pagePosition)> OnFound;
    // The choice changed: the library window's view (0 the palette list).
    std::function<void(int view)> OnView;
    // "O.K": write entry into the current palette entry.
    std::function<void(const TColorData& entry)> OnWrite;

    QComboBox* cbLibrary;
    QLineEdit* edCode;
    QPushButton* sbSearch;
    TColorSwatch* shFound;
    QLabel* lbFound;
    QPushButton* ButtonLibrarySearchOK;
    QLabel* lbNearest;

  private:
    void ChoiceChange();
    void CodeChange();
    QString NotFound;
    const TColorLibraries* Libs = nullptr;
    TColorData Pending;
};
