#pragma once
// TGroupRegion: the pixels a colour tool (Grouping, Separate) may change on a
// 256-colour design: the selection's bounds and mask when there is a selection,
// else the whole picture; never a protected colour while protection is on, nor
// a pixel under the mask while the mask is on. Row by row, so a pass over a
// large design asks one table per pixel.

#include "colour/Palette.h"
#include "shell/Tdocument.h"

#include <QRect>
#include <array>

struct TGroupRegion {
    QRect Rect;
    const TOrvaneBitmap* Selection = nullptr; // mask of Rect, 255 inside
    const TOrvaneBitmap* Mask = nullptr;      // the document's mask while it is on
    QPoint Origin;                            // the selection mask's top-left pixel
    std::array<bool, 256> Protected{};
    bool AnyProtected = false;

    explicit TGroupRegion(const TDocument& doc) {
        const TWorkArea& area = doc.WorkArea();
        const bool selected = area.On() && area.Mask();
        Rect = selected ? area.Bounds() & doc.Bounds() : doc.Bounds();
        Selection = selected ? area.Mask() : nullptr;
        Origin = area.Bounds().topLeft();
        if (doc.MaskOn() && doc.Mask() && doc.Mask()->Allocated()) Mask = doc.Mask();
        if (doc.Protection())
            for (int i = 0; i < 256; ++i)
                AnyProtected |= Protected[size_t(i)] = doc.Palette()[i].Protected();
    }

    // The rows of row y (inside Rect) that say whether x may change: the selection's
    // row and the mask's, each null when it does not apply.
    struct TRow {
        const uint8_t* Selection = nullptr; // from the selection's left column
        int Left = 0;
        const uint8_t* Mask = nullptr;
        const std::array<bool, 256>* Protected = nullptr;
        // Picture column x, holding index, may change.
        bool Writable(int x, uint8_t index) const {
            return (!Selection || Selection[x - Left]) && (!Mask || !Mask[x]) && !(*Protected)[index];
        }
        // Every pixel of the row's span may change.
        bool Open() const { return !Selection && !Mask && !AnyProtected; }
        bool AnyProtected = false;
        // Picture column x lies in the region (protection aside).
        bool Inside(int x) const { return !Selection || Selection[x - Left]; }
    };
    TRow Row(int y) const {
        TRow row;
        if (Selection) {
            row.Selection = Selection->ScanLine(y - Origin.y());
            row.Left = Origin.x();
        }
        if (Mask) row.Mask = Mask->ScanLine(y);
        row.Protected = &Protected;
        row.AnyProtected = AnyProtected;
        return row;
    }
};
