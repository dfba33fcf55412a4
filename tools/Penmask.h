#pragma once
// The Mask pen's whole-mask commands and its fill. Each is one guarded change of
// the document's mask (one undo step, the picture untouched); a command that
// would change nothing records nothing. Mask strokes themselves are painted by
// TPenPainter.

#include "raster/Repeatwrap.h"
#include "tools/Pensettings.h"

class TDocument;

enum TMaskAction : int { MaskClear = 0, MaskReverse = 1 };

// Clear empties the mask; Reverse inverts it (masks the whole picture when there
// was no mask). False when nothing changed.
bool ApplyMaskAction(TDocument& document, int action);

// Takes the 4-connected area of the colour under the plane point (x, y) (wrapped
// through repeat) into the mask, or with settings.MaskDelete out of it; with
// "Color : Yes" only when that colour is in the pen's list. False when the point
// lies outside the picture or nothing changed.
bool FillMaskArea(TDocument& document, const TPenSettings& settings, const TRepeatWrap& repeat, int x, int y);
