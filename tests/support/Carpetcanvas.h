#pragma once
// An 8-bit canvas of a size in dots for carpet tests.
#include "shell/Tdocument.h"

// Makes document a width x height 256-colour canvas filled with colour; 0 or the error.
inline uint32_t NewCarpetCanvas(TDocument& document, int width, int height, int colour) {
    TPaper paper;
    paper.dpi = 160;
    SetPaper(paper, kPaperCustom, width, height);
    return document.NewCanvas(paper, 8, TCurrentColour::OfIndex(colour));
}
