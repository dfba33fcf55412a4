#pragma once
// The Spread Fill tool's window ("Spread Fill"): Multiple Grade (its shape
// toggled on ImageView) or Single Grade (Image1 linear, Image2 circular, with
// the wave's height and frequency); the colour list that chooses the area and
// its buttons; the grade slots (UpDown their number, TrackBar the current one,
// seGap its gap, ImageGrade the gradation they make); StaticTextColor, which
// lets clicks on the design pick slot colours, and "Position", which lets them
// draw the gradation line. It edits the settings and hands them to the engine;
// colours the engine picks come back. The settings come from "SpreadFill.ini"
// when the window opens and go back there when it closes.
#include "shell/Stringtable.h"
#include "tools/Spreadsettings.h"

#include <QWidget>

class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;
class TColorSelector;
class TSpreadTool;
struct TToolContext;

class TSpreadFillForm : public QWidget {
    Q_OBJECT
  public:
    explicit TSpreadFillForm(QWidget* parent = nullptr);
    ~TSpreadFillForm() override;

    // The engine the window drives, with the context its calls run in (the tool
    // palette's); the engine tells the window when it goes.
    void Attach(TSpreadTool* engine, TToolContext* context);
    // The current design's palette (not owned; null: none), for the colour list.
    void SetPalette(const TPalette* palette);
    const TSpreadSettings& Settings() const { return SettingsV; }

    QToolButton* sbMultiple = nullptr;
    QToolButton* sbSingle = nullptr;
    QToolButton* ImageView = nullptr;
    QToolButton* Image1 = nullptr;
    QToolButton* Image2 = nullptr;
    QSpinBox* spEditWheight = nullptr;
    QSpinBox* spEditWlength = nullptr;
    TColorSelector* ColorSelector = nullptr;
    QToolButton* SpeedButtonNew = nullptr;
    QToolButton* SpeedButtonAll = nullptr;
    QToolButton* SpeedButtonOne = nullptr;
    QToolButton* SpeedButtonDelete = nullptr;
    QToolButton* SpeedButtonBefore = nullptr;
    QLabel* ImageGrade = nullptr;
    QSlider* TrackBar = nullptr;
    QSpinBox* UpDown = nullptr;
    QSpinBox* seGap = nullptr;
    QToolButton* StaticTextColor = nullptr;
    QToolButton* SpeedButtonPosition = nullptr;

  private:
    QWidget* MakeModePanel();
    QWidget* MakeColourPanel();
    QWidget* MakeGradePanel();
    void sbMultipleClick();
    void sbSingleClick();
    void ImageClick(int shape);
    void ImageViewClick();
    void TrackBarChange(int slot);
    void UpDownClick(int count);
    void seGapChange(int gap);
    void PickClick(int mode, bool on);
    void SpeedButtonAllClick();
    void SpeedButtonDeleteClick(bool on);
    void SpeedButtonBeforeClick();
    void StaticTextColorClick();
    void SpeedButtonPositionClick(bool on);
    void spEditWheightChange(int height);
    void spEditWlengthChange(int frequency);
    void ShowSettings();
    void ShowGrade();
    // A control's new value goes into the settings and on to the engine (not while
    // the controls are being shown).
    template <class T, class V> void Take(T& field, const V& value) {
        if (Showing) return;
        field = T(value);
        Push();
    }
    void Push();
    void EngineChanged();

    TStringTable Texts;
    TSpreadSettings SettingsV;
    TSpreadTool* Engine = nullptr;
    TToolContext* Context = nullptr;
    bool Showing = false; // controls are being set from the settings
};
