#pragma once
// The pen window ("Pen"): the pen kind, its size, shape and pressure switch, and
// the Crayon's density and the Air Brush's function and nozzle. It edits a copy
// of the pen's settings and hands every change to OnChange; the main window
// gives them to the pen and keeps them in "Pen.Ini".
#include "shell/Stringtable.h"
#include "tools/Pensettings.h"

#include <QWidget>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QRadioButton;
class QSpinBox;
class QToolButton;

class TPenManagerForm : public QWidget {
    Q_OBJECT
  public:
    explicit TPenManagerForm(QWidget* parent = nullptr);

    // Shows settings in the controls (no OnChange).
    void SetSettings(const TPenSettings& settings);
    const TPenSettings& Settings() const { return SettingsV; }
    std::function<void(const TPenSettings&)> OnChange;

    QToolButton* PenButton[6] = {}; // Normal, Air Brush, Crayon, Water Pen, Scrape Pen, Mask
    QSpinBox* sePenSize = nullptr;
    QRadioButton* rbCircle = nullptr;
    QRadioButton* rbSquare = nullptr;
    QCheckBox* cbPressure = nullptr;
    QSpinBox* seDensity = nullptr;
    QToolButton* AirFunction[3] = {}; // SINGLE, MULTI, PATTERN
    QSpinBox* seNozzle = nullptr;

  private:
    void PenSelectClick(int kind);
    void AirFunctionClick(int mode);
    void ReadControls();
    void ShowKindControls();

    TStringTable Texts;
    TPenSettings SettingsV;
    bool Showing = false;
};
