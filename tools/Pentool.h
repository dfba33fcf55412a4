#pragma once
// TPenTool: the pen tool engine. A stroke is one guarded change of the design
// and so one undo step:
//   1. a left press (not with Shift: that picks a colour) records the picture
//      (the Mask pen's: the mask), starts the stroke at the pointer and stamps
//      it; an air brush sprays, the Scrape Pen waits for a direction, and the
//      Mask pen with "Fill" takes the area under the pointer and is done;
//   2. each move stamps the segment from the last point to the pointer (an air
//      brush sprays once at the pointer). The Water Pen takes a move only once
//      it lies more than the pen's base size from the last point taken (in x or
//      in y), the Scrape Pen once it leaves the box of 5 pixels around it;
//   3. the release stamps the rest of the way, its own point included, and
//      commits; Cancel drops the stroke and its pixels, Finish commits it.
// Points are those of the window's repeat plane (the context's Repeat): the walk
// runs there and only the pixels are wrapped, so a stroke goes on across a seam.
// The pen (kind, size, shape, pressure) comes from the context; tablet pressure
// comes with each pointer event as 0 .. 1.
//
// Picking for the pen's colour list takes the place of painting while it is on:
// with PickPixel the next left click takes the colour under it; with PickBlock the
// first click fixes a corner, a rubber band follows the pointer, and the second
// takes every colour of the rectangle between them. OnPicked then hears the
// colours (none when the pick was cancelled) and the pick is over.

#include "tools/Pencanvas.h"
#include "tools/Penobject.h"
#include "tools/Penpick.h"
#include "tools/Tool.h"

#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>
#include <vector>

class TChange;
class TPenPainter;

class TPenTool : public TTool {
  public:
    // random feeds the Crayon, the air brush and the Water Pen (not owned; may be null).
    explicit TPenTool(TOrvaneRandom* random);
    ~TPenTool() override;

    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    void MouseMove(TToolContext& context, const TToolPointer& p) override;
    void MouseUp(TToolContext& context, const TToolPointer& p) override;
    void Finish(TToolContext& context) override;
    void Cancel(TToolContext& context) override;

    bool Stroking() const { return Change != nullptr; }
    // Strokes from now on recolour through table (see TPenCanvas::SetReplace); null paints.
    void SetReplace(const TPenCanvas::TReplaceTable* table) { Replace = table; }

    // Starts (or with PickNone ends) picking colours for the pen's colour list.
    void SetPick(TToolContext& context, int mode);
    int Pick() const { return Picker.Mode(); }
    // The palette indices a pick took, in order of first appearance.
    std::function<void(const std::vector<int>&)> OnPicked;

  private:
    int SizeOf(const TToolPointer& p) const;
    void Segment(int x, int y, int size);
    bool TooClose(int x, int y) const;
    void End();

    TOrvaneRandom* Random;
    const TPenObject* Pen = nullptr;
    std::unique_ptr<TChange> Change;
    std::unique_ptr<TPenPainter> Painter;
    TPenStroke Stroke;
    bool EndStamped = false; // the stroke's last point has its stamp
    TColourPick Picker;
    const TPenCanvas::TReplaceTable* Replace = nullptr;
};
