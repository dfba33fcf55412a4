#pragma once
// An A0 160-dpi document holding the textile plane of a depth (8 or 24), made
// once per run and attached to the undo store.
#include "Planes.h"
#include "shell/Tdocument.h"

inline TDocument& A0(int bits) {
    static TDocument* docs[2] = {};
    TDocument*& d = docs[bits == 8 ? 0 : 1];
    if (!d) {
        d = new TDocument;
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, kA0Width, kA0Height);
        d->NewCanvas(paper, bits, TCurrentColour());
        const std::vector<uint8_t>& plane = Plane(bits);
        TChange fill(*d, 0);
        fill.Picture().PutRows(plane.data(), int(plane.size() / kA0Height), false);
        fill.Commit();
    }
    d->AttachUndo();
    return *d;
}
