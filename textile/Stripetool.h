#pragma once
// TStripeTool: the Stripe tool's engine. The window hands it the list and runs:
// Whole writes the sequence over the context's design at once (and recentres the
// window on the picture); One Repeat makes the turned band piece, which then
// follows the pointer over the design as a floating picture (uncovered pixels
// transparent) until a left release writes it there as one undo step, after which
// the tool is idle again. A right press, leaving the tool or another design drops
// the piece unwritten. Failures are reported (ReportError) and change nothing.

#include "textile/Stripe.h"
#include "tools/Tool.h"

#include <QImage>
#include <functional>

class TStripeTool : public TTool {
  public:
    ~TStripeTool() override;

    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    void MouseMove(TToolContext& context, const TToolPointer& p) override;
    void MouseUp(TToolContext& context, const TToolPointer& p) override;
    void Finish(TToolContext& context) override;
    void Cancel(TToolContext& context) override;

    // Whole at angle degrees; 0 or the code it reported.
    uint32_t RunWhole(TToolContext& context, const TStripeList& list, int angle);
    // One Repeat with thickness in dots (held to the canvas); 0 or the code it reported.
    uint32_t RunOneRepeat(TToolContext& context, const TStripeList& list, int thickness, int angle);
    // A piece waits to be placed.
    bool Ready() const { return ReadyV; }
    const TStripePiece& Piece() const { return PieceV; }

    std::function<void()> OnPlaced; // the piece was written (or dropped)
    std::function<void()> OnGone;   // the engine goes

  private:
    void Drop(TToolContext& context);
    TStripePiece PieceV;
    QImage Shown;
    bool ReadyV = false;
};
