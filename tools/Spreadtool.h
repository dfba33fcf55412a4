#pragma once
// TSpreadTool: the Spread Fill tool's engine (the rules are in tools/Spreadfill.h).
//
// Clicks on the design:
//   - with Position on, the first left click fixes P0 and a rubber line follows
//     the pointer; the second fixes P1, removes the line and runs the spread;
//   - otherwise a left click ends a pick of colours for the list ("New", "Block
//     Color"; see TColourPick) when one is on;
//   - with slot picking on, a left click (not one that Position or a pick takes),
//     a middle click or a Shift click stores the colour under the pointer in the
//     current grade slot, and the next slot becomes current.
// A right click, Escape, another design or leaving the tool drops P0 and a pick.
//
// A spread is one guarded change: on a 256-colour design the gradation's colours
// are appended to the palette in the same step, so one undo takes pixels and
// colours away together. A gradation that does not fit in the palette, a P0
// outside the selection and a shortage of memory are reported (ReportError) and
// change nothing.

#include "tools/Colourlist.h"
#include "tools/Spreadsettings.h"

#include <QPoint>
#include <cstdint>
#include <functional>
#include <optional>

class TSpreadTool : public TColourListTool<TSpreadSettings> {
  public:
    ~TSpreadTool() override;

    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    void MouseMove(TToolContext& context, const TToolPointer& p) override;
    bool KeyPress(TToolContext& context, int key, int modifiers) override;
    void Finish(TToolContext& context) override;
    void Cancel(TToolContext& context) override;

    // New settings from the window (the slot count and the current slot are clamped).
    void SetSettings(const TSpreadSettings& settings);
    // "Position": clicks define the gradation line.
    void SetPosition(TToolContext& context, bool on);
    bool Position() const { return PositionV; }
    // Clicks store colours in the grade slots.
    void SetSlotPicking(bool on) { SlotPickingV = on; }
    bool SlotPicking() const { return SlotPickingV; }
    // Starts (PickPixel, PickBlock) or gives up (PickNone) a pick for the colour list.
    void SetPick(TToolContext& context, int mode);
    // Whether P0 is fixed and the line waits for P1.
    bool Started() const { return StartedV; }

    // Runs a spread from P0 to P1 (points of the context's plane) on the context's
    // design; returns 0 or the error code it reported. Nothing happens (0) when
    // P0's colour is not in a non-empty list, or no pixel could be written.
    uint32_t Spread(TToolContext& context, QPoint from, QPoint to);
    // A fixed dither for every spread (tests); by default each spread draws anew.
    void SetSeed(std::optional<uint64_t> seed) { Seed = seed; }

    // The share done of a long spread: percents, -1 when it ends.
    std::function<void(int)> OnProgress;
    // Called when the engine goes, so a window that holds it lets go.
    std::function<void()> OnGone;

  private:
    void PickSlot(TToolContext& context, QPoint at);
    void Reset(TToolContext& context);

    bool PositionV = false;
    bool SlotPickingV = false;
    bool StartedV = false;
    QPoint Start;
    const TDocument* Doc = nullptr; // the design P0 was clicked on
    std::optional<uint64_t> Seed;
};
