#pragma once
// TPenTool: the pen tool engine. A stroke is one guarded change of the design
// and so one undo step:
//   1. a left press (not with Shift: that picks a colour) records the picture,
//      starts the stroke at the pointer and stamps it (an air brush sprays);
//   2. each move stamps the segment from the last point to the pointer (an air
//      brush sprays once at the pointer);
//   3. the release stamps the rest of the way, its own point included, and
//      commits; Cancel drops the stroke and its pixels, Finish commits it.
// The pen (kind, size, shape, pressure) comes from the context; tablet pressure
// comes with each pointer event as 0 .. 1.

#include "tools/Penobject.h"
#include "tools/Tool.h"

#include <QRect>
#include <memory>

class TChange;
class TPenPainter;

class TPenTool : public TTool {
  public:
    // random feeds the Crayon and the air brush (not owned; may be null).
    explicit TPenTool(TOrvaneRandom* random);
    ~TPenTool() override;

    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    void MouseMove(TToolContext& context, const TToolPointer& p) override;
    void MouseUp(TToolContext& context, const TToolPointer& p) override;
    void Finish(TToolContext& context) override;
    void Cancel(TToolContext& context) override;

    bool Stroking() const { return Change != nullptr; }

  private:
    int SizeOf(const TToolPointer& p) const;
    void Segment(int x, int y, int size);
    void End();

    TOrvaneRandom* Random;
    const TPenObject* Pen = nullptr;
    std::unique_ptr<TChange> Change;
    std::unique_ptr<TPenPainter> Painter;
    TPenStroke Stroke;
    bool EndStamped = false; // the stroke's last point has its stamp
};
