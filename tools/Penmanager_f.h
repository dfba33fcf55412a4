#pragma once
// The pen window ("Pen"): the pen kind and its parameters (size, shape and
// pressure; the Crayon's density; the Air Brush's function with a dot count and
// nozzle per function, the MULTI colours and the PATTERN; the Water Pen's
// function with its colour and effect amounts and density; the Scrape Pen's
// bristles and scale; the Mask pen's commands) and the pen's colour list with
// its spread and "Color" switches. Only the active kind's panel shows.
//
// It edits a copy of the pen's settings and hands every change to OnChange; the
// main window gives them to the pen and keeps them in "Pen.Ini". It never reads
// or writes a design: what it needs of one (colours picked on it, its colours,
// a pattern from its selection, the mask commands) goes through the callbacks.
#include "colour/Currentcolour.h"
#include "shell/Stringtable.h"
#include "tools/Pensettings.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QToolButton;
class TColorSelector;

class TPenManagerForm : public QWidget {
    Q_OBJECT
  public:
    explicit TPenManagerForm(QWidget* parent = nullptr);

    // Shows settings in the controls (no OnChange).
    void SetSettings(const TPenSettings& settings);
    const TPenSettings& Settings() const { return SettingsV; }
    // The current design's palette (not owned; null: none) and depth, for the
    // colour squares and the spread's grade range.
    void SetPalette(const TPalette* palette, int bitsPerPixel);
    const TPalette* ShownPalette() const { return Pal; }
    // The current colour, which shFirst and shSecond take when clicked.
    void ShowColour(const TCurrentColour& colour) { Current = colour; }
    // A pick on the design ended with these palette indices (none: nothing taken).
    void ColoursPicked(const std::vector<int>& indices);

    std::function<void(const TPenSettings&)> OnChange;
    // "New" and "Block Colors": picking on the design starts (PickPixel,
    // PickBlock) or is given up (PickNone).
    std::function<void(int mode)> OnPick;
    // "All": the colours of the current design.
    std::function<std::vector<int>()> OnAllColours;
    // PATTERN: the pattern from the current design's selection; null when it
    // cannot be made (the caller has told the user why).
    std::function<std::shared_ptr<const TAirPattern>()> OnMakePattern;
    // "Clear" and "Reversal" of the current design's mask (TMaskAction).
    std::function<void(int action)> OnMaskAction;

    QToolButton* PenButton[6] = {}; // Normal, Air Brush, Crayon, Water Pen, Scrape Pen, Mask
    QSpinBox* sePenSize = nullptr;
    QRadioButton* rbCircle = nullptr;
    QRadioButton* rbSquare = nullptr;
    QCheckBox* cbPressure = nullptr;
    QSpinBox* seDensity = nullptr;
    // Air Brush.
    QToolButton* AirFunction[3] = {}; // SINGLE, MULTI, PATTERN
    QSpinBox *seSDotNum = nullptr, *seSNozzle = nullptr, *seMDotNum = nullptr, *seMNozzle = nullptr,
             *sePDotNum = nullptr, *sePNozzle = nullptr;
    QToolButton* shAirColor[kAirColours] = {};
    QSpinBox* Edit[kAirColours] = {};
    QLabel* Image1 = nullptr; // the PATTERN
    // Water Pen.
    QToolButton* WaterFunction[4] = {}; // sbWSimple, sbWSpatter, sbWPure, sbWDiffuse
    QScrollBar* ScrollBarColor = nullptr;
    QScrollBar* ScrollBarEffect = nullptr;
    QSpinBox* spEditDensity = nullptr;
    // Scrape Pen.
    QSpinBox* seBristles = nullptr;
    QSpinBox* eScale = nullptr;
    // Mask.
    QToolButton* sbClear = nullptr;
    QCheckBox* chDelete = nullptr;
    QCheckBox* chFill = nullptr;
    QPushButton* chReversal = nullptr;
    // The colour list.
    TColorSelector* Selector = nullptr;
    QToolButton *sbNew = nullptr, *sbAll = nullptr, *sbBlock = nullptr, *sbDelete = nullptr,
                *sbBefore = nullptr;
    QToolButton *lSpread = nullptr, *lColor = nullptr, *shFirst = nullptr, *shSecond = nullptr;
    QSpinBox* eGrade = nullptr;
    QLabel* lGrade = nullptr;

  private:
    QWidget* MakeKindPanels();
    QGroupBox* MakeAirPanel();
    QWidget* MakeColourPanel();
    // Connects a spin box to the settings field field() names; a change is handed on.
    void Bind(QSpinBox* box, const std::function<int&(TPenSettings&)>& field);
    void Changed();
    void PenSelectClick(int kind);
    void AirFunctionClick(int mode);
    void AirColourClick(int k);
    void WaterFunctionClick(int function);
    void ShowKindControls();
    void ShowAir();
    void ShowColours();
    void ShowPattern();
    void TakeColours(const std::vector<int>& indices);
    void PickClick(int mode, bool on);
    void SpreadColourClick(bool second);
    void LabelClick(bool spread);
    TColorRef ColourOf(int index) const;
    static void ShowSwatch(QToolButton* square, std::optional<TColorRef> colour);

    TStringTable Texts;
    TPenSettings SettingsV;
    TChoiceColor Before; // the list before its last change ("Before Color")
    TCurrentColour Current;
    const TPalette* Pal = nullptr;
    int Bits = 8;
    bool Showing = false;
    QGroupBox* Panels[6] = {}; // each kind's own controls
};
