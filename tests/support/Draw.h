#pragma once
// Test set-up of a document's pixels: f writes the picture through a change
// that keeps no undo record.
#include "shell/Tdocument.h"

template <class F> void Draw(TDocument& document, F&& f) {
    TChange change(document, 0);
    f(change.Picture());
    change.Commit();
}
