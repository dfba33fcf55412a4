#pragma once
// TRepeatTool: the Repeat tool's engine (the repeat itself is in tools/Repeat.h).
//
// With the size limit on, a mouse move places the apply rectangle by the pointer
// and shows it as a rubber band; without it the rectangle is the whole canvas. A
// left press writes the repeat of the current function (NORMAL or a half drop)
// into that rectangle as one undo step, combined by the context's superimpose
// mode. Match rolls the tile at once (one undo step) and counts the rolls;
// Recover undoes the last one with the function, drop and tile it was made with,
// whatever the window shows now. While a repeat function is chosen the window shows
// what a press would write over the apply rectangle (the part in view), as a floating
// picture that leaves the design untouched; it goes with the tool. Failures are reported (ReportError) and
// change nothing.

#include "tools/Repeatsettings.h"
#include "tools/Tool.h"
#include "tools/Toolprogress.h"

#include <cstdint>
#include <functional>

class TRepeatTool : public TTool {
  public:
    ~TRepeatTool() override;

    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    void MouseMove(TToolContext& context, const TToolPointer& p) override;
    void Finish(TToolContext& context) override;
    void Cancel(TToolContext& context) override;

    // The window's state as it opens, match record and all (clamped).
    void Start(const TRepeatState& state);
    // New settings from the window (clamped); the match record stays the engine's.
    void SetState(const TRepeatState& state);
    const TRepeatState& State() const { return StateV; }
    // The rectangle the next press writes on a canvas of size canvas.
    QRect Area(QSize canvas) const;
    // Shows (or, for the matches, removes) the preview of the next press in the window.
    void ShowPreview(TToolContext& context);
    // Writes the repeat over area; 0 or the error code it reported.
    uint32_t Apply(TToolContext& context, const QRect& area);
    // Rolls the tile by function (a match function, with its drop from the state),
    // or recovers the last roll. A roll of another function, drop or tile starts
    // the count again. Recover with no roll standing does nothing.
    uint32_t Match(TToolContext& context, int function);
    uint32_t Recover(TToolContext& context);

    std::function<void()> OnGone; // the engine goes
    // Runs a repeat with the window's progress (none: runs it plain).
    TLongRun LongRun;

  private:
    TRepeatState StateV;
    bool Previewing = false;
    QPoint Mouse{-1, -1}; // the last pointer position; none yet: the tile's corner
};
