#pragma once
// The Window tool's window ("Window"): the mode buttons (Shape, Irregular,
// Outline) with the panel of the chosen mode, "Full", "Off" and "Undo", how a new
// piece combines with the selection and the kind of undo. It edits the settings
// and hands them to the engine; the engine's picked colours, dragged size and
// outline position come back into the controls. The settings come from
// "Window.Ini" when the window opens and go back there when it closes.
#include "shell/Stringtable.h"
#include "tools/Windowsettings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QToolButton;
class TColorSelector;
class TWindowTool;
struct TToolContext;

class TWindowForm : public QWidget {
    Q_OBJECT
  public:
    explicit TWindowForm(QWidget* parent = nullptr);
    ~TWindowForm() override;

    // The engine the window drives, with the context its calls run in (the tool
    // palette's); the engine tells the window when it goes.
    void Attach(TWindowTool* engine, TToolContext* context);
    // The current design's palette (not owned; null: none) and depth: the colour
    // set works on 256 colours, the magic panel on full colour.
    void SetPalette(const TPalette* palette, int bitsPerPixel);
    const TPalette* ShownPalette() const { return Pal; }
    const TWindowSettings& Settings() const { return SettingsV; }

    QToolButton *sbShape = nullptr, *sbIrregular = nullptr, *sbOutline = nullptr;
    QToolButton *sbFull = nullptr, *sbOff = nullptr, *sbUndo = nullptr;
    QToolButton* sbShapeKind[4] = {}; // sbShapeRectangle, sbShapeEllipse, sbShapeSquare, sbShapeCircle
    QLabel* lbShape = nullptr;
    QToolButton *sbIrreDelete = nullptr, *sbIrreClose = nullptr;
    QCheckBox* cbIrreCurve = nullptr;
    QToolButton* sbOutlineKind[3] = {}; // sbOutlineBorder, sbOutlineSurfaceSingle, sbOutlineSurfaceMulti
    TColorSelector* csSurfaceMulti = nullptr;
    QCheckBox* cbPosition = nullptr;
    QSlider* tbMagic = nullptr;
    QSpinBox* seMagic = nullptr;
    QComboBox* cbMagic = nullptr;
    QPushButton* bnRun = nullptr;
    QLabel* lbMagic = nullptr;
    QRadioButton *rbSet = nullptr, *rbAddition = nullptr, *rbSubtraction = nullptr;
    QRadioButton *rbSwap = nullptr, *rbStack = nullptr;

  private:
    QWidget* MakeShapePanel();
    QWidget* MakeIrregularPanel();
    QWidget* MakeOutlinePanel();
    void ModeClick(int mode);
    void TolChange(int tolerance);
    void Picked(int index);
    // Runs a button's engine call.
    void Button(uint32_t (TWindowTool::*call)(TToolContext&));
    void ShowSettings();
    void Push();

    TStringTable Texts;
    TWindowSettings SettingsV;
    TWindowTool* Engine = nullptr;
    TToolContext* Context = nullptr;
    const TPalette* Pal = nullptr;
    int Bits = 8;
    QWidget* Panels[3] = {}; // of the modes
};
