#pragma once
// The grid settings window: unit, gaps, grid and section colours, lines per
// section, and a list of stored presets (kept in Environment.ini at once when
// added or deleted). Changing the unit keeps the gaps' size in pixels at the
// document's resolution. OK accepts; Settings() returns what was chosen.

#include "shell/Gridsetup.h"
#include "shell/Stringtable.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QListWidget;
class QPushButton;
class QSpinBox;

// The standard colour dialog started on colour; false (colour unchanged) when cancelled.
bool ChooseColor(QWidget* parent, TColorRef& colour);

class TGridForm : public QDialog {
    Q_OBJECT
  public:
    // dpi: the document's resolution, for converting gaps between units. iniPath: the
    // settings file holding the presets (empty: the user's Environment.ini).
    TGridForm(int dpi, const TGridSetup& setup, QWidget* parent = nullptr,
              const QString& iniPath = QString());
    ~TGridForm() override;

    TGridSetup Settings() const;
    // The colour chooser: (colour in and out) -> chosen. Replaced in tests.
    std::function<bool(TColorRef& colour)> PickColor;

    QComboBox* cbUnit = nullptr;
    QDoubleSpinBox *eGapX = nullptr, *eGapY = nullptr;
    QPushButton *btColor = nullptr, *btSectionColor = nullptr;
    QSpinBox* seLines = nullptr;
    QListWidget* lbCatalog = nullptr;
    QPushButton *btAdd = nullptr, *btDelete = nullptr, *btOK = nullptr, *btCancel = nullptr;

  private:
    void Show(const TGridSetup& setup);
    void ShowColours();
    void cbUnitChange(int unit);
    void btColorClick(TColorRef& colour);
    void btAddClick();
    void btDeleteClick();
    void lbCatalogChange(int row);
    void FillCatalog();
    void StoreCatalog();

    TStringTable Texts;
    int Dpi;
    QString IniPath;
    int UnitV = 0;
    TColorRef ColorV = 0, SectionColorV = 0;
    QStringList Presets;
};
