#pragma once
// TFillTool: the Fill tool's engine (the painting rules are in tools/Fillpaint.h).
//
// A plain left click fills the area around the clicked pixel: the 4-connected
// pixels of its colour (From SINGLE) or of the colour list's colours (From MULTI;
// the clicked pixel always belongs to it), only the selection's pixels when there
// is one. The area receives the current colour (To SINGLE), a capture tiled from
// the clicked pixel (NORMAL PAT.), the capture turned first (ROTATE PAT.), or, for
// To MULTI, each colour's tint of the current colour (TintColour: on a 256-colour
// design palette entries found or appended in the same undo step; refused, with
// nothing changed, when they would pass entry 251). With air on only a spray of
// the area is painted. With the Mask pen chosen the fill sets the document's mask
// over the area (cleared with the pen's "Delete") and leaves the colours.
// A left click with the list pick on ends the pick instead. Each fill is one
// guarded change; failures are reported (ReportError) and change nothing.

#include "tools/Colourlist.h"
#include "tools/Fillsettings.h"

#include <QPoint>
#include <cstdint>
#include <functional>
#include <optional>

struct TFillContent;
struct TSpreadArea;
struct TFloating;

class TFillTool : public TColourListTool<TFillSettings> {
  public:
    ~TFillTool() override;

    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    void MouseMove(TToolContext& context, const TToolPointer& p) override;
    bool KeyPress(TToolContext& context, int key, int modifiers) override;
    void Finish(TToolContext& context) override;
    void Cancel(TToolContext& context) override;

    // New settings from the window (clamped).
    void SetSettings(const TFillSettings& settings);
    // Starts (PickPixel, PickBlock) or gives up (PickNone) a pick for the colour list.
    void SetPick(TToolContext& context, int mode);
    // Fills around at (a point of the context's plane) on the context's design;
    // returns 0 or the error code it reported. Nothing happens (0) for a point
    // outside the picture, no "to" mode, or when no pixel could be written.
    uint32_t Fill(TToolContext& context, QPoint at);
    // A fixed spray for every fill (tests); by default each fill draws anew.
    void SetSeed(std::optional<uint64_t> seed) { Seed = seed; }

    std::function<void(int)> OnProgress; // percents of a long fill, -1 when it ends
    std::function<void()> OnGone;        // the engine goes

  private:
    uint32_t MakePattern(const TDocument& doc, TFloating& pattern) const;
    // The To MULTI map of the area's colours; entries for new tints go into palette.
    uint32_t MakeMap(const TDocument& doc, const TSpreadArea& area, QPoint seed, uint32_t to,
                     TFillContent& content, TPalette& palette) const;

    std::optional<uint64_t> Seed;
};
