#pragma once
// TDrawTool: the Draw tool's engine, geometric shapes built by successive left
// clicks on the design, drawn with the pen's size in the current colour.
//   LINE       start, end; with the chain on, the end starts the next line.
//   SQUARE     corner, opposite corner (made square); with a typed length, the
//              centre, then a click draws the square of that side around it.
//   RECTANGLE  corner, opposite corner.
//   CIRCLE     centre, a point at the diameter's distance (or the typed length).
//   ELLIPSE    two corners of its box.
//   CURVE      start, end, curve point; with the chain on, the next two clicks
//              make another curve from the same start.
//   OUTLINE    one click: the pen traces the border of the area of one colour
//              under it (solid, whatever the dot style).
// Between clicks the shape follows the pointer as a preview in the window (no
// pixel of the design changes). Every shape, or segment of a chain, is one
// guarded change recording its own bounding box, so one undo takes exactly one
// away. Squares, rectangles, circles and ellipses are filled with Fill on, else
// outlined; lines and outlines are dotted by the function's line style, the dash
// running on along a chain. A right click, Escape, or leaving the tool drops what
// was clicked so far.
//
// The angle and length locks (typed into the window) bind the second point of
// LINE, SQUARE, CIRCLE and ELLIPSE; its end stays inside the picture unless the
// repeat display is on. After a LINE the measured angle and length, after a
// CIRCLE its diameter, go to OnMeasure in the document's unit.

#include "tools/Drawsettings.h"
#include "tools/Drawshapes.h"
#include "tools/Tool.h"

#include <functional>
#include <optional>

struct TFootprint;

struct TDrawMeasure {
    bool HasAngle = false;
    double Degrees = 0;
    double Length = 0; // in the document's unit
    int Unit = 0;
};

class TDrawTool : public TTool {
  public:
    ~TDrawTool() override;

    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    void MouseMove(TToolContext& context, const TToolPointer& p) override;
    bool KeyPress(TToolContext& context, int key, int modifiers) override;
    void Finish(TToolContext& context) override;
    void Cancel(TToolContext& context) override;

    // New settings from the window. A new function drops the locks and the clicks,
    // except that an open LINE or CURVE chain carries its last point over to the
    // other of the two; a style turning dotted starts its dash afresh.
    void SetSettings(TToolContext& context, const TDrawSettings& settings);
    const TDrawSettings& Settings() const { return SettingsV; }
    // A typed angle in degrees arms the angle lock (nothing: off).
    void LockAngle(std::optional<double> degrees);
    // A typed length in the document's unit arms the length lock; false (lock off)
    // when it is shorter than the pen or nothing was typed. For functions other than
    // LINE the clicks start afresh.
    bool LockLength(TToolContext& context, std::optional<double> length);
    const TDrawLocks& Locks() const { return LocksV; }
    // "First point": LINE draws from an open chain back to its first point, or starts
    // a line there; CIRCLE and ELLIPSE take their last centre or first corner again.
    void FirstPoint(TToolContext& context);
    // Points collected of the shape being built.
    int Clicks() const { return ClicksV; }

    std::function<void(const TDrawMeasure&)> OnMeasure;
    // Called when the engine goes, so a window that holds it lets go.
    std::function<void()> OnGone;

  private:
    // The second point as the locks bind it.
    QPoint Bound(const TToolContext& context, QPoint pointer) const;
    // The shape the clicks so far and the pointer make (the preview, or what the last
    // click draws).
    TDrawShape ShapeAt(const TToolContext& context, QPoint pointer) const;
    // Draws shape as one change; false when none of it lies on the picture.
    bool Paint(TToolContext& context, const TDrawShape& shape);
    void Outline(TToolContext& context, QPoint at);
    void Measure(const TToolContext& context, const TDrawMeasure& inDots);
    void Preview(TToolContext& context, std::vector<QPolygon> lines);
    void Reset(TToolContext& context);
    int PenSize(const TToolContext& context) const;
    const TFootprint& Pen(const TToolContext& context) const;

    TDrawSettings SettingsV;
    TDrawLocks LocksV;
    TDash Dash;
    int ClicksV = 0;
    QPoint Points[2];      // the start (or first corner, centre) and the end of a curve
    QPoint First;          // where "First point" goes back to
    bool HasFirst = false; //
    const TDocument* Doc = nullptr;
    bool Showing = false; // a preview is shown
};
