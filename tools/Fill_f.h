#pragma once
// The Fill tool's window ("Fill"): the from buttons (the clicked colour or the
// colour list), the to buttons (SINGLE, NORMAL PAT., ROTATE PAT., MULTI; all may
// be up), the to colour's swatch, the colour list with its buttons (shown for
// From MULTI), air with density and nozzle, the angle of ROTATE PAT. with "Before
// Degree", and the pattern (the captures, previewed) with its repeat type and drop
// (shown for the pattern modes). It edits the settings and hands them to the
// engine; "Fill.ini" gives the previous angle and the list when the window opens
// and takes them back when it closes.
#include "shell/Stringtable.h"
#include "tools/Fillsettings.h"

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QToolButton;
class TColorSelector;
class TFillTool;
struct TToolContext;

class TFillForm : public QWidget {
    Q_OBJECT
  public:
    explicit TFillForm(QWidget* parent = nullptr);
    ~TFillForm() override;

    // The engine the window drives, with the context its calls run in; the engine
    // tells the window when it goes.
    void Attach(TFillTool* engine, TToolContext* context);
    // The current design's palette (not owned; null: none), for the colour list.
    void SetPalette(const TPalette* palette);
    // The to colour (the current colour) as the swatch shows it.
    void ShowColour(QColor colour);
    const TFillSettings& Settings() const { return SettingsV; }

    QToolButton *sbFSingle = nullptr, *sbFMulti = nullptr;
    QToolButton *sbTSingle = nullptr, *sbTNPattern = nullptr, *sbTRPattern = nullptr, *sbTMulti = nullptr;
    QLabel* TSColor = nullptr;
    TColorSelector* Selector = nullptr;
    QToolButton *sbNew = nullptr, *sbAll = nullptr, *sbBlock = nullptr, *sbDelete = nullptr,
                *sbBefore = nullptr;
    QRadioButton *rgAirNo = nullptr, *rgAirYes = nullptr;
    QSpinBox *spDensity = nullptr, *spNozzle = nullptr, *spDeg = nullptr;
    QToolButton* sbBeforeDeg = nullptr;
    QComboBox *cbPattern = nullptr, *cbRepeatType = nullptr;
    QLabel *PatternImage = nullptr, *lbRange = nullptr;
    QSpinBox* spRange = nullptr;

  private:
    QWidget* MakeModePanel();
    QWidget* MakeListPanel();
    QWidget* MakeAirPanel();
    QWidget* MakePatternPanel();
    void FunctionClick(QToolButton* button);
    void ShowSettings();
    void ShowPatterns();
    template <class T, class V> void Take(T& field, const V& value) {
        if (Showing) return;
        field = T(value);
        Push();
    }
    void Push();

    TStringTable Texts;
    TFillSettings SettingsV;
    TFillTool* Engine = nullptr;
    TToolContext* Context = nullptr;
    QWidget *ListPanel = nullptr, *PatternPanel = nullptr, *RotatePanel = nullptr;
    bool Showing = false;
};
