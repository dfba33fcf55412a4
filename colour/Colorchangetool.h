#pragma once
// TColorChangeTool: the Color Change tool's engine. Palette choices (and clicks on
// the design, which choose the index under the pointer) go by the page:
//   By Window  Swap: the first choice is the source, the second the target, and the
//              two swap at once. Single To Single: the source's pixels show as the
//              preview index while the palette cursor shows candidates; the target
//              choice commits. Multi To Single: choices fill the multi set, checking
//              "Target" starts the preview, the target choice commits. Checking
//              "Source" while a preview is pending cancels it (colour/Colorchange.h).
//   By Pen     source, then target; from then on, while Draw is on, the pen's
//              strokes only replace the source (or the multi set) by the target.
//   HLS        Next copies the HLS set's colours after the used ones and the
//              target values move the copies; Back puts the design back.
// On a full-colour design a choice or click takes the source colour, and
// ShiftFullColour moves the region by the target's difference from it.
// "ColorChange.Ini" keeps the multi and HLS sets (sections "ColorSelector(Multi)"
// and "ColorSelector(HLS)") and the page and modes.

#include "colour/Colorchange.h"
#include "colour/Setpicktool.h"
#include "tools/Pencanvas.h"

#include <memory>

class TIniFile;
class TOrvaneRandom;
class TPenTool;

enum TColorChangePage : int { ChangeByWindow = 0, ChangeByPen = 1, ChangeHls = 2 };
enum TColorChangeMode : int { ChangeSwap = 0, ChangeSingle = 1, ChangeMulti = 2 };

struct TColorChangeSettings {
    int Page = ChangeByWindow;
    int WindowMode = ChangeSwap;
    int PenMode = ChangeSingle; // Single or Multi
    TChoiceColor Colours;       // the set shown: the HLS set on the HLS page, else the multi set
    TChoiceColor Other;
    bool ColoursAreHls = false;
    bool InsertColours = false;

    void Clamp();
    // Shows page: its set becomes Colours.
    void Show(int page);
    const TChoiceColor& MultiSet() const { return ColoursAreHls ? Other : Colours; }
    const TChoiceColor& HlsSet() const { return ColoursAreHls ? Colours : Other; }
};

TColorChangeSettings ReadColorChangeSettings(const TIniFile& ini);
// Memory only; the caller updates the file.
void WriteColorChangeSettings(TIniFile& ini, const TColorChangeSettings& settings);

class TColorChangeTool : public TSetPickTool<TColorChangeSettings> {
  public:
    // random feeds the pen's strokes By Pen (not owned; may be null).
    explicit TColorChangeTool(TOrvaneRandom* random = nullptr);
    ~TColorChangeTool() override;

    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    void MouseMove(TToolContext& context, const TToolPointer& p) override;
    void MouseUp(TToolContext& context, const TToolPointer& p) override;
    // A palette choice: the current colour's index.
    void ColourChanged(TToolContext& context) override;
    void PaletteHover(TToolContext& context, int index) override;
    // A pending preview is dropped, an HLS shift kept.
    void Finish(TToolContext& context) override;
    void Cancel(TToolContext& context) override;

    // An index chosen (palette or design).
    void Choose(TToolContext& context, int index);
    // The page or mode shown: a pending preview is dropped, an HLS shift kept.
    void SetPage(TToolContext& context, int page);
    void SetMode(TToolContext& context, int mode);
    // "Source" checked: a pending preview is cancelled.
    void CheckSource(TToolContext& context);
    // "Target" checked: Multi To Single starts its preview (0 or the error code).
    uint32_t CheckTarget(TToolContext& context);
    bool TargetChecked() const { return TargetOn; }
    bool Pending() const { return Preview.Pending(); }
    int Source() const { return SourceV; }
    int Target() const { return TargetV; }
    // Draw (By Pen): strokes recolour while it is on and the pair is set.
    void SetDraw(bool on);
    bool Draw() const { return DrawOn; }

    uint32_t HlsNext(TToolContext& context);
    bool HlsRunning() const { return Hls.Running(); }
    THLS HlsReference() const { return Hls.Reference(); }
    void HlsApply(const THLS& target) { Hls.Apply(target); }
    void HlsBack() { Hls.Back(); }

    // Full colour: the source colour chosen (red in the low byte), and the shift
    // of the region to target.
    uint32_t SourceColour() const { return SourceRgb; }
    uint32_t ShiftFullColour(TToolContext& context, uint32_t target);

  private:
    void Drop(TToolContext& context);
    bool PenActive() const;
    void UpdateReplace();

    TPendingChange Preview;
    THlsShift Hls;
    std::unique_ptr<TPenTool> Pen;
    TPenCanvas::TReplaceTable Replace{};
    int SourceV = 1;
    int TargetV = 1;
    uint32_t SourceRgb = 0;
    bool TargetOn = false;
    bool DrawOn = false;
    bool Stroking = false;
};
