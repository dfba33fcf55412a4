#pragma once
// The Color Change tool's window ("Color Change"): the pages By Window (Swap,
// Single To Single, Multi To Single), By Pen (Single or Multi To Single with the
// Draw box) and HLS; "Source" / "Target" say what the next palette choice or
// click on the design sets. The multi set and the HLS set are built with the
// colour-set panel of the colour tools. HLS: "Next" copies the set's colours and
// the hue (0 .. 359), lightness and saturation (0 .. 100) edits, the hue /
// saturation wheel and the lightness strip move the copies; "Back" puts the
// design back. On a full-colour design "Next" shifts the region by the target's
// difference from the source colour picked. "ColorChange.Ini" keeps the sets.
#include "colour/Colorchangetool.h"
#include "shell/Stringtable.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QSpinBox;
class QToolButton;
class TColorSelector;
struct TToolContext;

class TColorChangeForm : public QWidget {
    Q_OBJECT
  public:
    explicit TColorChangeForm(QWidget* parent = nullptr);
    ~TColorChangeForm() override;

    void Attach(TColorChangeTool* engine, TToolContext* context);
    void SetPalette(const TPalette* palette);
    const TColorChangeSettings& Settings() const { return SettingsV; }

    QToolButton *sbByWindow = nullptr, *sbByPen = nullptr, *sbHLS = nullptr;
    QToolButton *sbSwap = nullptr, *sbSingle = nullptr, *sbMulti = nullptr;
    QToolButton *sbSource = nullptr, *sbTarget = nullptr;
    QCheckBox* cbDraw = nullptr;
    TColorSelector* Selector = nullptr;
    QToolButton *sbNew = nullptr, *sbAll = nullptr, *sbBlock = nullptr, *sbInsert = nullptr,
                *sbBefore = nullptr;
    QSpinBox *seHLSHue = nullptr, *seHLSLig = nullptr, *seHLSSat = nullptr;
    QLabel *HueSatImage = nullptr, *LigImage = nullptr;
    QToolButton *sbNext = nullptr, *sbBack = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* MakeHlsPanel();
    void PageClick(int page);
    void ModeClick(int mode);
    void sbNextClick();
    void sbBeforeClick();
    void HlsEdited();
    void ShowImages();
    void ShowSettings();
    void Push();

    TStringTable Texts;
    TColorChangeSettings SettingsV;
    TColorChangeTool* Engine = nullptr;
    TToolContext* Context = nullptr;
    QWidget *ModePanel = nullptr, *ListPanel = nullptr, *HlsPanel = nullptr;
    bool Showing = false;
};
