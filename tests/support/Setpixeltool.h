#pragma once
// A tool written for the tests on the tool dispatch: a left press sets the pixel
// under the pointer to the current colour through the document's guarded step,
// and every call is counted.
#include "shell/Tdocument.h"
#include "tools/Tool.h"

struct TSetPixelTool : TTool {
    int Downs = 0, Moves = 0, Ups = 0, Keys = 0, Colours = 0, Finished = 0, Cancels = 0;
    void MouseDown(TToolContext& c, const TToolPointer& p) override {
        ++Downs;
        if (p.Button != ButtonLeft || p.Shift || !c.Document) return;
        TChange change(*c.Document, QRect(p.X, p.Y, 1, 1));
        change.Fill(QRect(p.X, p.Y, 1, 1), c.Colour.Pixel(c.Document->BitsPerPixel(), c.Document->Palette()));
        change.Commit();
    }
    void MouseMove(TToolContext&, const TToolPointer&) override { ++Moves; }
    void MouseUp(TToolContext&, const TToolPointer&) override { ++Ups; }
    bool KeyPress(TToolContext&, int, int) override { return ++Keys > 0; }
    void ColourChanged(TToolContext&) override { ++Colours; }
    void Finish(TToolContext&) override { ++Finished; }
    void Cancel(TToolContext&) override { ++Cancels; }
};
