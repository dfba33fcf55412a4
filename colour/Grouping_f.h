#pragma once
// The Grouping tool's window ("Grouping"): four grouped buttons choose the
// function (Type, Filter, User Choose; Rearrange runs at once); Type offers the
// colour count up to the bound "( 1 -> n )", Filter its size, shape (shown as
// the 3 x 3 mask) and protected set, User Choose its target set; "Run" runs the
// function shown. The sets are built by clicks on the design. "Grouping.Ini"
// gives the sets and values when the window opens and takes them when it closes.
#include "colour/Groupingtool.h"
#include "shell/Stringtable.h"

#include <QWidget>

class QLabel;
class QRadioButton;
class QSpinBox;
class QToolButton;
class TColorSelector;
struct TToolContext;

class TGroupingForm : public QWidget {
    Q_OBJECT
  public:
    explicit TGroupingForm(QWidget* parent = nullptr);
    ~TGroupingForm() override;

    // The engine the window drives, with the context its calls run in.
    void Attach(TGroupingTool* engine, TToolContext* context);
    // The current design's palette (null: none), for the set and the bound.
    void SetPalette(const TPalette* palette);
    const TGroupingSettings& Settings() const { return SettingsV; }

    QToolButton *sbType = nullptr, *sbFilter = nullptr, *sbUser = nullptr, *sbRearrange = nullptr;
    QSpinBox* TypeEdit = nullptr;
    QLabel* lbBound = nullptr;
    QRadioButton* rgFilterSize[3] = {};
    QSpinBox* udShape = nullptr;
    QLabel* FilterImage = nullptr;
    TColorSelector* Selector = nullptr;
    QToolButton *sbNew = nullptr, *sbAll = nullptr, *sbBlock = nullptr, *sbInsert = nullptr,
                *sbBefore = nullptr;
    QToolButton* sbRun = nullptr;

  private:
    QWidget* MakeTypePanel();
    QWidget* MakeFilterPanel();
    void FunctionClick(int function);
    void sbRunClick();
    void sbBeforeClick();
    void ShowSettings();
    void Push();

    TStringTable Texts;
    TGroupingSettings SettingsV;
    TGroupingTool* Engine = nullptr;
    TToolContext* Context = nullptr;
    QWidget *TypePanel = nullptr, *FilterPanel = nullptr, *ListPanel = nullptr;
    QLabel* ListCaption = nullptr;
    bool Showing = false;
};
