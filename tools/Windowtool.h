#pragma once
// TWindowTool: the Window tool's engine, which makes the document's selection.
//   Shape      press, drag and release: a rectangle, ellipse, square or circle
//              over the dragged box (a rubber band shows it meanwhile);
//   Irregular  each click adds a point; with Curve on, dragging before the
//              release places the point's control point. "Close" makes the piece
//              (at least three points), "Delete Pt." takes the last point away;
//   Outline    a click takes the area around the pixel by colour (Windowoutline.h).
//              With Position on (256 colours, Surface Multi) a click adds the
//              pixel's colour to the set instead. "Run" repeats the last outline
//              of a full-colour design at its position with the present tolerance.
// Each finished piece is combined with the selection as one change of it ("Set",
// "Addition", "Subtraction"), which keeps the selection before it in the work
// area's history; "Undo" takes that back ("SWAP" or "STACK"), "Full" selects the
// whole picture and "Off" drops the selection. A piece that holds no pixel or
// cannot be made is refused with a message and the selection stays as it was.
// In the repeat display a piece is made where its first point lands in the
// picture: later points keep their distance to it.
//
// The Border kind takes the current colour as its border: the designer picks it
// from the outline on the design (Shift-click or the middle button) or chooses it
// in the palette window, then clicks inside the area it encloses.

#include "tools/Tool.h"
#include "tools/Windowsettings.h"
#include "tools/Windowshapes.h"

#include <QSize>
#include <functional>
#include <optional>
#include <vector>

class TWindowTool : public TTool {
  public:
    ~TWindowTool() override;

    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    void MouseMove(TToolContext& context, const TToolPointer& p) override;
    void MouseUp(TToolContext& context, const TToolPointer& p) override;
    // Escape drops the drag or the points; Backspace deletes the last point, Enter closes.
    bool KeyPress(TToolContext& context, int key, int modifiers) override;
    void Finish(TToolContext& context) override;
    void Cancel(TToolContext& context) override;

    // New settings from the window; a new mode drops the drag and the points.
    void SetSettings(TToolContext& context, const TWindowSettings& settings);
    const TWindowSettings& Settings() const { return SettingsV; }

    // The buttons. Each returns 0 or the error code it reported.
    uint32_t Full(TToolContext& context);
    uint32_t Off(TToolContext& context);
    uint32_t Undo(TToolContext& context);
    uint32_t DeletePoint(TToolContext& context);
    uint32_t Close(TToolContext& context);
    uint32_t Run(TToolContext& context);

    const std::vector<TPolyPoint>& Points() const { return PointsV; }
    // Where the last full-colour outline was taken, for "Run".
    std::optional<QPoint> MagicPosition() const { return Magic; }

    // A colour clicked with Position on (a palette index).
    std::function<void(int)> OnPicked;
    // The size of the box being dragged, and the position of an outline taken.
    std::function<void(QSize)> OnSize;
    std::function<void(QPoint)> OnPosition;
    // Called when the engine goes, so a window that holds it lets go.
    std::function<void()> OnGone;

  private:
    // Combines a finished piece with the selection; reports what went wrong.
    uint32_t Combine(TToolContext& context, const QRegion& piece);
    // The outline around seed, a picture point.
    uint32_t Outline(TToolContext& context, QPoint seed);
    // The picture point of a plane point, by the tile of the piece's first point.
    QPoint InPicture(const TToolContext& context, QPoint at, bool first);
    void ShowPoints(TToolContext& context, std::optional<QPoint> pointer);
    void Reset(TToolContext& context);

    TWindowSettings SettingsV;
    bool Dragging = false;
    bool Pressing = false; // a curve point's control point follows the pointer
    QPoint DragStart, DragEnd;
    QPoint Shift; // the plane point minus the picture point of the piece's first point
    std::vector<TPolyPoint> PointsV;
    std::optional<QPoint> Magic;
    const TDocument* Doc = nullptr;
};
