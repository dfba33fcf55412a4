#pragma once
// The Pattern Repeat tool's window ("Pattern Repeat"): the functions REGULAR,
// IRREGULAR and IMAGE SPRAY, the direction, "Select Pos." (the next click inside
// the design's selection sets the handle), the spray spacing typed in the unit
// its label shows (a click on the label switches Cm, Inch, Dot) and the
// irregularity. "Pattern.ini" gives the function and irregularity when the window
// opens and takes them back when it closes.
#include "shell/Stringtable.h"
#include "tools/Patternsettings.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QToolButton;
class TPatternRepeatTool;
struct TToolContext;

class TPatternRepeatForm : public QWidget {
    Q_OBJECT
  public:
    explicit TPatternRepeatForm(QWidget* parent = nullptr);
    ~TPatternRepeatForm() override;

    void Attach(TPatternRepeatTool* engine, TToolContext* context);
    const TPatternSettings& Settings() const { return SettingsV; }

    QToolButton *sbRegular = nullptr, *sbIrregular = nullptr, *sbImgSpray = nullptr, *sbSelectPos = nullptr;
    QComboBox* ComboDirection = nullptr;
    QLineEdit* EditDot = nullptr;
    QToolButton* LabelUnit = nullptr;
    QSpinBox* spValue = nullptr;

  private:
    void FunctionClick(int function);
    void SelectPosClick(bool down);
    void EditDotChange();
    void ShowState();
    void Push();

    TStringTable Texts;
    TPatternSettings SettingsV;
    int Unit = 2; // 0 Dot, 1 Inch, 2 Cm
    TPatternRepeatTool* Engine = nullptr;
    TToolContext* Context = nullptr;
    bool Showing = false;
};
