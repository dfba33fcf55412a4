#pragma once
// TToolDispatch: the tool palette's one active-tool slot. The document windows
// hand it their pointer events, keys go to it through the tool palette, and the
// palette window tells it the current colour; it hands all of them on.
//
// Shared behaviour, before the active tool sees an event:
//   - while a modal tool is set (the palette window's Protection mode), it alone
//     takes left presses and moves, and nothing else happens;
//   - Ctrl with the left button pans: the view moves by the drag at release;
//   - the middle button, or Shift with the left button, picks the colour under
//     the pointer (an index below 252 of a 256-colour design, except for the
//     Color Change tool; the colour value of a full-colour one), wrapped into the
//     picture while the window shows the repeat;
//   - with no tool active, the idle engine (the pen) takes the events.

#include "tools/Tool.h"

#include <QPoint>
#include <functional>
#include <memory>

class TToolDispatch {
  public:
    TToolContext& Context() { return Ctx; }
    const TCurrentColour& Colour() const { return Ctx.Colour; }

    // Makes tool number n active with its engine (null for a tool that only has
    // a window); the tool before it finishes first.
    void Activate(int number, std::unique_ptr<TTool> engine);
    // The active tool finishes and goes; no tool is active afterwards.
    void Deactivate();
    // The active tool drops its pending operation and stays.
    void CancelOperation();
    int ActiveNumber() const { return Number; }
    TTool* ActiveTool() const { return Engine.get(); }

    // The engine that takes the design's input while no tool is active: the pen.
    void SetIdleTool(std::unique_ptr<TTool> engine);
    // The engine events go to now: the active tool's, or the idle one with no tool
    // active (a tool with only a window takes none).
    TTool* CurrentTool() const { return Number ? Engine.get() : Idle.get(); }

    // A tool that takes the design's input ahead of the active one (not owned;
    // null ends it).
    void SetModal(TTool* tool);
    TTool* Modal() const { return ModalTool; }

    // Pointer events from a document's window (view may be null).
    void MouseDown(TDocument& document, TToolView* view, const TToolPointer& p);
    void MouseMove(TDocument& document, TToolView* view, const TToolPointer& p);
    void MouseUp(TDocument& document, TToolView* view, const TToolPointer& p);
    // The current document and its window (activation, and every event); the
    // context takes its unit and the window's repeat display. Forget lets go of a
    // document that closes.
    void SetCurrent(TDocument* document, TToolView* view);
    void Forget(const TDocument* document);
    // A key for the active tool; true when it used the key.
    bool KeyPress(int key, int modifiers);

    // A new current colour: the active tool and OnColourChanged hear of it.
    void SetColour(const TCurrentColour& colour);
    std::function<void(const TCurrentColour&)> OnColourChanged;
    // The palette window's cursor moved over index: the active tool hears of it.
    void PaletteHover(int index);

  private:
    void Pick(const TDocument& document, int x, int y);

    TToolContext Ctx;
    int Number = 0;
    std::unique_ptr<TTool> Engine;
    std::unique_ptr<TTool> Idle;
    TTool* ModalTool = nullptr;
    bool Panning = false;
    QPoint PanStart;
};
