#pragma once
// What every tool engine sees: a pointer event in picture coordinates, the tool
// context (document, current colour, pen, superimpose mode, unit) and the
// window it may ask to scroll or to show a rubber band. Engines never see a
// widget or a Qt event, so they run the same in the program, in tests and in
// the command-line tool.

#include "colour/Currentcolour.h"
#include "raster/Repeatwrap.h"

#include <QImage>
#include <QPolygon>
#include <QRect>
#include <vector>

class TDocument;
class TPenObject;

enum TPointerButton : int { ButtonNone = 0, ButtonLeft = 1, ButtonRight = 2, ButtonMiddle = 4 };

// One pointer event. x and y are picture pixels (truncated toward zero);
// Buttons are those held after the event; Pressure is 0 .. 1 (1 for a mouse).
struct TToolPointer {
    int X = 0;
    int Y = 0;
    int Button = ButtonNone;
    int Buttons = ButtonNone;
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    double Pressure = 1.0;
};

// What a tool may ask of the window showing the document; absent in batch use.
class TToolView {
  public:
    virtual ~TToolView() = default;
    // Moves the visible part by (dx, dy) picture pixels.
    virtual void ScrollBy(int dx, int dy) = 0;
    // Shows a rubber band over the picture (pixels, inclusive); empty removes it.
    virtual void ShowRubberBand(const QRect& rect) = 0;
    // Shows the preview of a shape over the picture: polylines through pixel
    // positions (picture pixels, or points of the repeat while it is shown); the
    // design is not touched. No lines remove it.
    virtual void ShowShape(const std::vector<QPolygon>& /*lines*/) {}
    // Shows a floating piece over the picture with its top-left pixel at picture point
    // at (transparent where picture is); the design is not touched. A null picture
    // removes it.
    virtual void ShowFloating(const QImage& /*picture*/, QPoint /*at*/) {}
    // The picture pixels in view; empty when the window cannot say (all may show).
    virtual QRect Visible() const { return {}; }
    // The window's repeat display (off unless the window shows one): while it is on,
    // the window's pointer events are points of the endless plane.
    virtual TRepeatWrap Repeat() const { return {}; }
};

struct TToolContext {
    TDocument* Document = nullptr; // the design the events are for
    TToolView* View = nullptr;     // its window, null without widgets
    TCurrentColour Colour;
    const TPenObject* Pen = nullptr;
    int Super = 0;     // superimpose mode 0 (off) .. 3
    int Overlap = 100; // mode 3: the piece's share of a mixed colour, 0 .. 100 %
    int Unit = 2;      // 0 Dot, 1 Inch, 2 Cm
    // The window's repeat display: while it is on, pointer coordinates are points
    // of the endless repeat and every pixel a tool writes is wrapped through it.
    TRepeatWrap Repeat;
};

// A tool engine. The dispatcher calls it while it is the active (or modal) tool;
// changes to the design go through the document's guarded step.
class TTool {
  public:
    virtual ~TTool() = default;
    virtual void MouseDown(TToolContext&, const TToolPointer&) {}
    virtual void MouseMove(TToolContext&, const TToolPointer&) {}
    virtual void MouseUp(TToolContext&, const TToolPointer&) {}
    // True when the key was used.
    virtual bool KeyPress(TToolContext&, int /*key*/, int /*modifiers*/) { return false; }
    virtual void ColourChanged(TToolContext&) {}
    // The palette window's cursor moved over index (0 .. 255).
    virtual void PaletteHover(TToolContext&, int /*index*/) {}
    // The tool is left: a pending operation ends here.
    virtual void Finish(TToolContext&) {}
    // A pending operation is dropped, the tool stays (another design becomes
    // current, a design closes, a new canvas starts).
    virtual void Cancel(TToolContext&) {}
};
