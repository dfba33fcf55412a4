#pragma once
// The Environment dialog: four pages (grid, options, autosave, paper size) over
// the settings of Environment.ini. Opening reads them; O.K writes them all (and
// the paper size code into the configuration store); Cancel writes nothing.
// Captions come from the "Environment" language section.

#include "shell/Environment.h"
#include "shell/Stringtable.h"

#include <QDialog>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// Exclusive radio buttons under a title, numbered from 0.
class TRadioGroup : public QGroupBox {
  public:
    TRadioGroup(const QString& title, const QStringList& items, int columns = 1, QWidget* parent = nullptr);
    int ItemIndex() const;
    // Checks button index without emitting the group's signals.
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const;
    QButtonGroup* Group() const { return Buttons; }

  private:
    QButtonGroup* Buttons;
};

// A gap entry showing up to six decimals without trailing zeros.
class TGapEdit : public QDoubleSpinBox {
  public:
    explicit TGapEdit(QWidget* parent = nullptr);
    QString textFromValue(double value) const override;
};

// A small sample of the grid: lines at the gap (held to a readable spacing) in
// the grid colour, every LinesPerSection-th line in the section colour.
class TGridPreview : public QWidget {
  public:
    explicit TGridPreview(QWidget* parent = nullptr);
    void SetGrid(const TGridSetup& grid, int dpi);
    const TGridSetup& Shown() const { return Grid; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    TGridSetup Grid;
    int Dpi = 160;
};

class TEnvironmentForm : public QDialog {
    Q_OBJECT
  public:
    // iniPath: the settings file (empty: the user's Environment.ini).
    explicit TEnvironmentForm(QWidget* parent = nullptr, const QString& iniPath = QString());

    // The settings shown, or those written by O.K.
    const TEnvironmentSettings& Settings() const { return Settings_; }
    // The colour chooser: (colour in and out) -> chosen. Replaced in tests.
    std::function<bool(TColorRef& colour)> PickColor;

    QTabWidget* pcPages = nullptr;
    TRadioGroup* rgUnit = nullptr;
    TGapEdit *rceGapX = nullptr, *rceGapY = nullptr;
    QSpinBox* seDPI = nullptr;
    QLabel *shGridColor = nullptr, *shSectionColor = nullptr;
    QPushButton *btGridColor = nullptr, *btSectionColor = nullptr;
    QSpinBox* seSectionNumber = nullptr;
    QListWidget* lbGrid = nullptr;
    QPushButton *btAdd = nullptr, *btDelete = nullptr;
    TGridPreview* GridPreview = nullptr;
    QSpinBox* spEditUndo = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QSpinBox* spMinute = nullptr;
    TRadioGroup* RadioGroup2 = nullptr;
    QPushButton *btOK = nullptr, *btCancel = nullptr;

  private:
    QWidget* MakeGridPage();
    QWidget* MakeOptionPage();
    QWidget* MakeAutoSavePage();
    QWidget* MakeSizePage();
    void FormCreate();
    void ShowSettings();
    void ReadControls();
    TGridSetup GridOfControls() const;
    void ShowColours();
    void DrawPreview();
    void FillPresets();
    void rgUnitClick(int unit);
    void ColorClick(TColorRef& colour);
    void seSectionNumberChange();
    void lbGridDblClick(QListWidgetItem* item);
    void btAddClick();
    void btDeleteClick();
    void btOKClick();

    TStringTable Texts;
    QString IniPath;
    TEnvironmentSettings Settings_;
    int UnitV = 0;
};
