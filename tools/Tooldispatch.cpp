#include "tools/Tooldispatch.h"

#include "shell/Mainmenu.h"
#include "shell/Tdocument.h"

#include <algorithm>

void TToolDispatch::SetIdleTool(std::unique_ptr<TTool> engine) {
    if (Idle) Idle->Finish(Ctx);
    Idle = std::move(engine);
}

void TToolDispatch::Activate(int number, std::unique_ptr<TTool> engine) {
    if (Idle) Idle->Finish(Ctx); // a stroke of the pen ends before the tool starts
    Deactivate();
    Number = number;
    Engine = std::move(engine);
}

void TToolDispatch::Deactivate() {
    if (Engine) Engine->Finish(Ctx);
    Engine.reset();
    Number = 0;
    Panning = false;
}

void TToolDispatch::CancelOperation() {
    if (TTool* tool = CurrentTool()) tool->Cancel(Ctx);
    Panning = false;
}

void TToolDispatch::SetModal(TTool* tool) {
    if (ModalTool && ModalTool != tool) ModalTool->Finish(Ctx);
    ModalTool = tool;
    Panning = false;
}

void TToolDispatch::SetCurrent(TDocument* document, TToolView* view) {
    Ctx.Document = document;
    Ctx.View = document ? view : nullptr;
    // A window says what it shows; without one (batch use) the repeat stays as set.
    if (Ctx.View)
        Ctx.Repeat = Ctx.View->Repeat();
    else if (!document)
        Ctx.Repeat = TRepeatWrap();
    if (document) Ctx.Unit = document->Unit(); // the tools measure in the document's unit
}

void TToolDispatch::Forget(const TDocument* document) {
    if (Ctx.Document == document) SetCurrent(nullptr, nullptr);
}

void TToolDispatch::Pick(const TDocument& document, int x, int y) {
    // A point of the repeat's plane picks where it lands; outside the picture is no colour.
    const QPoint at = Ctx.Repeat.Wrap(x, y);
    if (!document.Bounds().contains(at)) return;
    const uint32_t v = document.Picture().GetPixel(at.x(), at.y());
    if (document.BitsPerPixel() == 8) {
        if (v < 252 && Number != ToolColorChange) SetColour(TCurrentColour::OfIndex(int(v)));
    } else {
        SetColour(Ctx.Colour.WithRgb(v));
    }
}

void TToolDispatch::MouseDown(TDocument& document, TToolView* view, const TToolPointer& p) {
    SetCurrent(&document, view);
    if (ModalTool) {
        if (p.Button == ButtonLeft) ModalTool->MouseDown(Ctx, p);
        return;
    }
    if (p.Button == ButtonLeft && p.Ctrl) {
        Panning = true;
        PanStart = QPoint(p.X, p.Y);
        return;
    }
    if (p.Button == ButtonMiddle || (p.Button == ButtonLeft && p.Shift)) Pick(document, p.X, p.Y);
    if (TTool* tool = CurrentTool()) tool->MouseDown(Ctx, p);
}

void TToolDispatch::MouseMove(TDocument& document, TToolView* view, const TToolPointer& p) {
    SetCurrent(&document, view);
    if (ModalTool) {
        ModalTool->MouseMove(Ctx, p);
        return;
    }
    if (TTool* tool = CurrentTool(); tool && !Panning) tool->MouseMove(Ctx, p);
}

void TToolDispatch::MouseUp(TDocument& document, TToolView* view, const TToolPointer& p) {
    SetCurrent(&document, view);
    if (ModalTool) {
        ModalTool->MouseUp(Ctx, p);
        return;
    }
    if (Panning) {
        Panning = false;
        if (view) view->ScrollBy(PanStart.x() - p.X, PanStart.y() - p.Y);
        return;
    }
    if (TTool* tool = CurrentTool()) tool->MouseUp(Ctx, p);
}

bool TToolDispatch::KeyPress(int key, int modifiers) {
    TTool* tool = ModalTool ? ModalTool : CurrentTool();
    return tool && tool->KeyPress(Ctx, key, modifiers);
}

void TToolDispatch::SetColour(const TCurrentColour& colour) {
    Ctx.Colour = colour;
    if (TTool* tool = CurrentTool()) tool->ColourChanged(Ctx);
    if (OnColourChanged) OnColourChanged(Ctx.Colour);
}

void TToolDispatch::PaletteHover(int index) {
    if (TTool* tool = CurrentTool(); tool && Ctx.Document) tool->PaletteHover(Ctx, std::clamp(index, 0, 255));
}
