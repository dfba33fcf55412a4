#pragma once
// TPatternRepeatTool: the Pattern Repeat tool's engine. The motif is a captured
// image (shell/Capture.h) in the design's depth, laid out by the direction.
//   REGULAR    a click tiles the motif over the design on a grid of its size, with
//              its handle on the clicked point;
//   IRREGULAR  a click scatters the motif over the design, about one per Value x
//              Value cell, each cell's place drawn from the seed (the same seed and
//              click give the same design);
//   IMAGE SPRAY a press, drag and release draws a path; at the release the motif is
//              stamped along it every Spacing pixels and at its end, turned to the
//              direction of travel and centred on the path.
// Each placement is one undo step, combined by the context's superimpose mode.
// A motif that no longer exists is reported (ReportError) and nothing changes.

#include "tools/Floating.h"
#include "tools/Patternsettings.h"
#include "tools/Tool.h"

#include <QPoint>
#include <cstdint>
#include <functional>
#include <vector>

class TDocument;
struct TSuperimposeRule;

// The motif of settings for document: capture Motif in the design's depth, laid out
// by Direction. NoCaptures, BadPattern (the capture is gone or empty) or OutOfMemory.
uint32_t MakePatternMotif(const TDocument& document, const TPatternSettings& settings, TFloating& out);

// Where REGULAR or IRREGULAR puts the motif's top-left corners for a click at point
// on a canvas of size canvas.
std::vector<QPoint> PatternPlaces(const TPatternSettings& settings, QSize motif, QPoint point, QSize canvas);

// Writes motif at each top-left corner as one undo step; 0 or the error code.
uint32_t PlaceMotif(TDocument& document, const TFloating& motif, const std::vector<QPoint>& corners,
                    const TSuperimposeRule& rule);
// Stamps motif along path as one undo step; 0 or the error code.
uint32_t SprayMotif(TDocument& document, const TFloating& motif, const std::vector<QPoint>& path, int spacing,
                    const TSuperimposeRule& rule);

class TPatternRepeatTool : public TTool {
  public:
    ~TPatternRepeatTool() override;

    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    void MouseMove(TToolContext& context, const TToolPointer& p) override;
    void MouseUp(TToolContext& context, const TToolPointer& p) override;
    void Finish(TToolContext& context) override;
    void Cancel(TToolContext& context) override;

    void SetSettings(const TPatternSettings& settings);
    const TPatternSettings& Settings() const { return SettingsV; }
    // The next press inside box (the motif as shown, inclusive) sets the handle.
    void SelectHandle(const QRect& box);
    bool SelectingHandle() const { return HandleBox.isValid(); }
    const std::vector<QPoint>& Path() const { return PathV; }

    std::function<void()> OnHandle; // the handle was set from a click
    std::function<void()> OnGone;   // the engine goes

  private:
    void ShowPath(TToolContext& context) const;

    TPatternSettings SettingsV;
    QRect HandleBox;
    TFloating Motif; // the sprayed motif while a path is drawn
    std::vector<QPoint> PathV;
};
