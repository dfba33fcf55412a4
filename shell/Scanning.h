#pragma once
// A scanned picture into a design, as one guarded change (one undo step).
//
// The picture lands at the top left, clipped to the canvas, and the copied
// rectangle becomes the selection. A full-colour design takes the colours as
// they are. A 256-colour design takes the picture reduced by median cut
// (colour/Mediancut.h) to at most 250 colours, each the mean of the pixels it
// stands for, darkest first in the free drawing entries from 2 on (with the whole
// design covered: entries 2 .. K + 1, as Grouping's Reduce writes them). A
// drawing entry is free unless a pixel the scan leaves keeps it (outside the
// rectangle, or kept by protection or the mask), so the rest of the design keeps
// its colours. Protected colours and the mask are honoured as every drawing does.

#include "platform/Scanner.h"

#include <QImage>
#include <QRect>
#include <cstdint>

class TDocument;

// Returns 0, or the code it reported (ScanEmpty for a null or zero-size picture,
// ScanTooLarge past the bitmap limits, PaletteFull when no drawing entry is free)
// with the design unchanged. written (may be null) receives the copied rectangle.
uint32_t ScanIntoDesign(TDocument& doc, const QImage& scan, QRect* written = nullptr);

// Acquires a picture from session (progress may cancel it) and puts it into doc
// as ScanIntoDesign does. A cancelled scan returns 0 with cancelled (may be
// null) set and the design unchanged; a failed one reports its code.
uint32_t ScanDocument(TDocument& doc, TScanSession& session, const TScanProgress& progress,
                      bool* cancelled = nullptr, QRect* written = nullptr);
