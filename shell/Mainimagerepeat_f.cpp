// The document window's repeat display: the view shows the design as one tile of an
// endless repeat, and presses anywhere on it reach the tools as points of that plane.
#include "raster/Tptextileimage_f.h"
#include "shell/Mainimage_f.h"
#include "tools/Tooldispatch.h"

TRepeatWrap TMainImageForm::Repeat() const {
    return iMainImage->View().RepeatWrap();
}

int TMainImageForm::RepeatDisplay() const {
    return iMainImage->View().RepeatKind();
}

void TMainImageForm::SetRepeatDisplay(int kind) {
    iMainImage->SetRepeatKind(kind);
    // The dispatch's context follows at once, not only from the next event.
    if (Dispatch && Dispatch->Context().Document == Doc) Dispatch->SetCurrent(Doc, this);
}

bool TMainImageForm::Reaches(int x, int y) const {
    if (!Doc->Picture().Allocated()) return false;
    if (!Repeat().On()) return Doc->Bounds().contains(x, y);
    return x >= -kPlaneLimit && x <= kPlaneLimit && y >= -kPlaneLimit && y <= kPlaneLimit;
}
