#include "tools/Penmask.h"

#include "raster/Floodfill.h"
#include "shell/Tdocument.h"
#include "tools/Pencanvas.h"

#include <algorithm>
#include <cstring>

bool ApplyMaskAction(TDocument& document, int action) {
    const TOrvaneBitmap* present = document.Mask();
    if (action == MaskClear) {
        bool any = false;
        for (int y = 0; present && y < present->Height && !any; ++y) {
            const uint8_t* row = present->ScanLine(y);
            any = std::any_of(row, row + present->Width, [](uint8_t v) { return v != 0; });
        }
        if (!any) return false;
    } else if (action != MaskReverse) {
        return false;
    }
    TChange change(document, UndoMask);
    TOrvaneBitmap* mask = change.Mask();
    if (!mask) return false;
    for (int y = 0; y < mask->Height; ++y) {
        uint8_t* row = mask->ScanLine(y);
        if (action == MaskClear)
            std::memset(row, 0, size_t(mask->Width));
        else
            for (int x = 0; x < mask->Width; ++x)
                row[x] = row[x] ? 0 : 255;
    }
    change.Commit();
    return true;
}

bool FillMaskArea(TDocument& document, const TPenSettings& settings, const TRepeatWrap& repeat, int x,
                  int y) {
    const TOrvaneBitmap& picture = document.Picture();
    QPoint seed;
    if (!TPenCanvas::Locate(repeat, picture, x, y, seed)) return false;
    TChange change(document, UndoMask);
    TPenCanvas canvas(change, settings, TRepeatWrap(), true);
    if (!canvas.Ready()) return false;
    const int bytes = picture.BitsPerPixel / 8;
    uint8_t key[3] = {};
    std::memcpy(key, picture.ScanLine(seed.y()) + seed.x() * bytes, size_t(bytes));
    TPBitmap area;
    QRect filled;
    const auto same = [&](uint8_t* row, int px) {
        return std::memcmp(row + px * bytes, key, size_t(bytes)) == 0;
    };
    if (!FloodFillMask(change.Picture(), &filled, &area, seed, same)) return false;
    const uint32_t value = settings.MaskDelete ? 0 : 255;
    area.Lock();
    for (int py = filled.top(); py <= filled.bottom(); ++py)
        for (int px = filled.left(); px <= filled.right(); ++px)
            if (area.TestBit(px, py)) canvas.Put(QPoint(px, py), value);
    area.Unlock();
    if (canvas.Touched().isEmpty()) return false; // nothing changed: the change is dropped
    change.Touch(canvas.Touched());
    change.Commit();
    return true;
}
