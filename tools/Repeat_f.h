#pragma once
// The Repeat tool's window ("Repeat"): the functions NORMAL, HALF DROP VER and
// HALF DROP HOR (a click on the design applies them), MATCH NORMAL, MATCH VER and
// MATCH HOR (they roll the tile at once) with RECOVER, the drops "Width" and
// "Height" with the fraction box and its "Max : %d", and the size limit with the
// tile counts X and Y. The tile is the design's selection when the window opens,
// else the stored one. "Repeat.ini" gives the tile and the match record when the
// window opens and takes them back when it closes.
#include "shell/Stringtable.h"
#include "tools/Repeatsettings.h"

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLabel;
class QSpinBox;
class QToolButton;
class TRepeatTool;
struct TToolContext;

class TRepeatForm : public QWidget {
    Q_OBJECT
  public:
    explicit TRepeatForm(QWidget* parent = nullptr);
    ~TRepeatForm() override;

    // The engine the window drives, with the context its calls run in.
    void Attach(TRepeatTool* engine, TToolContext* context);
    // The tile (the design's selection); an empty rectangle keeps the stored one.
    void SetTile(const QRect& tile);
    const TRepeatState& State() const { return StateV; }

    QToolButton *sbNormal = nullptr, *sbHDVer = nullptr, *sbHDHor = nullptr;
    QToolButton *sbMatchNormal = nullptr, *sbMatchVer = nullptr, *sbMatchHor = nullptr, *sbRecover = nullptr;
    QSpinBox *spEditW = nullptr, *spEditH = nullptr, *spEditX = nullptr, *spEditY = nullptr;
    QComboBox* ComboBoxWH = nullptr;
    QLabel *LabelMax = nullptr, *LabelCross = nullptr;
    QToolButton* LabelSize = nullptr;

  private:
    QWidget* MakeFunctionPanel();
    QWidget* MakeDropPanel();
    QWidget* MakeSizePanel();
    void FunctionClick(int function);
    void FunctionMatchClick(int function);
    void RecoverClick();
    void ComboBoxWHChange(const QString& text);
    void ShowState();
    void Push();

    TStringTable Texts;
    TRepeatState StateV;
    TRepeatTool* Engine = nullptr;
    TToolContext* Context = nullptr;
    bool Showing = false;
};
