#pragma once
// The Draw tool's window ("Draw"): the function buttons, the toggles of the
// chain type, the dot style and the fill, the typed angle and lengths of the
// locks, the dot and gap lengths and "First point". It edits the settings and
// hands them to the engine; the engine's measured angle and length come back into
// eAngle and eLength1. The settings come from "Draw.ini" when the window opens and
// go back there when it closes.
#include "shell/Stringtable.h"
#include "tools/Drawsettings.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TDrawTool;
struct TDrawMeasure;
struct TToolContext;

class TDrawForm : public QWidget {
    Q_OBJECT
  public:
    explicit TDrawForm(QWidget* parent = nullptr);
    ~TDrawForm() override;

    // The engine the window drives, with the context its calls run in (the tool
    // palette's); the engine tells the window when it goes.
    void Attach(TDrawTool* engine, TToolContext* context);
    const TDrawSettings& Settings() const { return SettingsV; }
    // Shows a measured angle (when it has one) and length.
    void ShowMeasure(const TDrawMeasure& measure);

    QToolButton* sbFunction[kDrawFunctions] = {}; // LINE .. OUTLINE
    QToolButton* lLineType = nullptr;
    QToolButton* lDotType = nullptr;
    QToolButton* lFillType = nullptr;
    QLineEdit* eAngle = nullptr;
    QLineEdit* eLength1 = nullptr;
    QLineEdit* eLength2 = nullptr;
    QLineEdit* eDotLength = nullptr;
    QLineEdit* eDotSpace = nullptr;
    QPushButton* btnFirst = nullptr;
    QLabel* lLock = nullptr;

  protected:
    // Enter in an edit takes its value and goes no further.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FunctionClick(int type);
    void lLineTypeClick();
    void lDotTypeClick();
    void lFillTypeClick();
    void EditKeyPress(QLineEdit* edit);
    void btnFirstClick();
    void ShowSettings();
    void Push();

    TStringTable Texts;
    TDrawSettings SettingsV;
    TDrawTool* Engine = nullptr;
    TToolContext* Context = nullptr;
};
