#pragma once
// TMoveCopyTool: the Move/Copy tool's engine. It lifts the design's selection as a
// floating piece, laid out by the type (NORMAL, UP/DOWN, MIRROR, UP/DOWN MIRROR,
// ROTATE by an angle, BEND into a fan or a tube), lets it follow the pointer and
// writes it into the design at a left press.
//
// The flow:
//   1. a lift takes the selection's box with the selection as mask (when the tool
//      starts, and after every change of function, type or bend); the piece shows
//      where the source is;
//   2. moving the pointer moves the piece (without a button): the pointer holds the
//      piece's anchor, the corner that was the source's top-left (NORMAL: top-left,
//      UP/DOWN: bottom edge, MIRROR: right edge, UP/DOWN MIRROR: bottom-right) or the
//      centre (ROTATE, BEND); a piece that fits inside the picture is kept inside it;
//   3. a left press drops it as one guarded change, by the full view's superimpose mode
//      (context.Super, context.Overlap; tools/Superimpose.h). COPY keeps the piece
//      floating for further copies. MOVE first gives the lifted source pixels the
//      background (index 1, white in full colour); the selection then follows: onto the
//      landed piece when that is a whole rectangle, else it goes. After a MOVE nothing
//      floats until the next left press lifts the selection again.
// A right press puts the piece down without writing it (the next left press lifts
// again). Errors (no selection, a turn too large, no palette entry left for a mix) are
// reported through ReportError and change nothing.

#include "tools/Floating.h"
#include "tools/Movecopysettings.h"
#include "tools/Tool.h"

#include <functional>

class TMoveCopyTool : public TTool {
  public:
    ~TMoveCopyTool() override;

    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    void MouseMove(TToolContext& context, const TToolPointer& p) override;
    void Finish(TToolContext& context) override;
    void Cancel(TToolContext& context) override;

    // New settings from the window. A new function resets the angle; a new function,
    // type or bend lifts the selection again.
    void SetSettings(TToolContext& context, const TMoveCopySettings& settings);
    const TMoveCopySettings& Settings() const { return SettingsV; }
    // Turns the lifted piece by degrees (the type becomes ROTATE); the angle before goes
    // to BeforeDeg. Returns 0 or the error reported.
    uint32_t Rotate(TToolContext& context, double degrees);
    double Angle() const { return AngleV; }

    // The floating piece (empty when nothing is lifted) and where its top-left lies.
    const TFloating& Piece() const { return PieceV; }
    QPoint Position() const { return PositionV; }
    bool Floating() const { return FloatingV; }

    // Called when the engine goes, so a window that holds it lets go.
    std::function<void()> OnGone;

  private:
    enum TAnchor { AnchorTopLeft, AnchorRight, AnchorBottom, AnchorBottomRight, AnchorCentre };

    // Lifts the context's selection and lays it out; report: tell the user when there is
    // no selection. Returns 0, or the error (nothing floats then).
    uint32_t Lift(TToolContext& context, bool report);
    // Lays the lifted source out as the settings and the angle say; 0 or an error code.
    uint32_t Build(TFloating& piece, QPoint& centre) const;
    void Place(TToolContext& context, QPoint pointer);
    void Show(TToolContext& context);
    void Hide(TToolContext& context);
    void Drop(TToolContext& context);
    // Where the selection goes after a MOVE: the landed piece when it is a whole rectangle.
    QRegion Landed(const TDocument& document) const;

    TMoveCopySettings SettingsV;
    double AngleV = 0;
    TFloating Source; // the selection as it was lifted (NORMAL)
    QRegion SourceRegion;
    QRect SourceBox;
    TFloating PieceV;
    QImage PictureV; // the piece as shown
    QPoint PositionV;
    QPoint ShownAt;
    TAnchor Anchor = AnchorTopLeft;
    const TDocument* Doc = nullptr;
    bool FloatingV = false;
    bool NeedLift = true;
    bool Showing = false;
};
