#pragma once
// The palette window's Library panel: the library chosen ("Color Guide" shows
// the palette list), a code typed into a masked edit and looked up as it is
// typed, the found colour's swatch and "O.K" to write it into the current entry;
// "Special Search" looks the code up in the Pantone libraries; the nearest
// colour of the chosen library to the current entry with its code. "User
// Color" searches the user libraries under a location folder: "Search" by code
// or name, "Finder" the nearest colour over all of them.

#include "colour/Palette.h"
#include "shell/Stringtable.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class TColorSwatch;
struct TColorLibraries;

class TLibraryPanel : public QWidget {
  public:
    explicit TLibraryPanel(QWidget* parent = nullptr);
    void ApplyTexts(const TStringTable& texts);
    void SetLibraries(const TColorLibraries* libraries) { Libs = libraries; }

    // The library choice: 0 Color Guide, 1 Printer Color, 2 VM Standard, 3 VM Textile,
    // 4 User Color.
    int Choice() const;
    static constexpr int ChoiceUser = 4;
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
    // User Color: "Search" / "Finder", the location and "SubDirectory Search".
    QWidget* pnUser;
    QTabBar* tbUser;
    QLabel* lbLocation;
    QLineEdit* edLocation;
    QPushButton* sbLocation;
    QCheckBox* cbSubDirectory;

  private:
    void ChoiceChange();
    void CodeChange();
    void UserCodeChange();
    void UserPlaceChange();
    void ShowFound(const TColorData& entry, const QString& text);
    void ShowNotFound(bool typed);
    bool Finder() const;
    QString NotFound;
    const TColorLibraries* Libs = nullptr;
    TColorData Pending;
    TColorData Current; // the entry the nearest colour was last asked for
};
