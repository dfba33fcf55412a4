#include "tools/Penpick.h"

#include "colour/Colorset.h"
#include "shell/Tdocument.h"
#include "tools/Pencanvas.h"
#include "tools/Pennearest.h"
#include "tools/Tool.h"

#include <algorithm>

std::vector<int> PickColourIndices(const TOrvaneBitmap& picture, const TPalette& palette,
                                   const TRepeatWrap& repeat, QPoint a, QPoint b) {
    std::vector<int> found;
    if (!picture.Allocated()) return found;
    TNearestIndex nearest(palette, 1, TPalette::kLastDrawing);
    bool seen[256] = {};
    const int x0 = std::min(a.x(), b.x()), x1 = std::max(a.x(), b.x());
    const int y0 = std::min(a.y(), b.y()), y1 = std::max(a.y(), b.y());
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            QPoint at;
            if (!TPenCanvas::Locate(repeat, picture, x, y, at)) continue;
            const uint32_t v = picture.GetPixel(at.x(), at.y());
            const int index = picture.BitsPerPixel == 8 ? int(v & 0xFF) : nearest(v);
            if (index < 0 || seen[index]) continue;
            seen[index] = true;
            found.push_back(index);
        }
    return found;
}

std::vector<int> DesignColourIndices(const TOrvaneBitmap& picture, const TPalette& palette) {
    if (picture.BitsPerPixel == 8) return IndicesIn(picture);
    std::vector<int> inUse;
    for (int i = TPalette::kFirstDrawing; i <= std::min(int(palette.UseColor), TPalette::kLastDrawing); ++i)
        inUse.push_back(i);
    return inUse;
}

bool JoinColours(TChoiceColor& list, const std::vector<int>& indices, const TPalette& palette, bool insert) {
    if (!insert) return TakeIndices(list, indices, palette, false);
    TChoiceColor joined;
    std::vector<int> fresh;
    std::copy_if(indices.begin(), indices.end(), std::back_inserter(fresh),
                 [&](int index) { return !list.Contains(index); });
    if (!TakeIndices(joined, fresh, palette, false)) return false;
    for (int k = 0; k < list.Count(); ++k)
        joined.AddEntry(list.IndexAt(k), list.EntryAt(k));
    list = joined;
    return true;
}

bool TColourPick::Set(TToolContext& context, int mode) {
    if (mode == ModeV) return false;
    const bool ending = ModeV != PickNone;
    ModeV = mode == PickPixel || mode == PickBlock ? mode : PickNone;
    HideBand(context);
    return ending && ModeV == PickNone;
}

bool TColourPick::Click(TToolContext& context, QPoint at, std::vector<int>& colours) {
    if (ModeV == PickNone || !context.Document) return false;
    if (ModeV == PickBlock && !Corner) {
        Corner = at;
        return false;
    }
    const TDocument& doc = *context.Document;
    const QPoint from = ModeV == PickBlock ? *Corner : at;
    const QPoint to = ModeV == PickBlock ? at : at + QPoint(1, 1);
    colours = PickColourIndices(doc.Picture(), doc.Palette(), context.Repeat, from, to);
    HideBand(context);
    ModeV = PickNone;
    return true;
}

void TColourPick::Move(TToolContext& context, QPoint at) const {
    if (ModeV != PickBlock || !Corner || !context.View) return;
    const QRect band = SpanRect(*Corner, at); // the half-open rectangle's pixels
    context.View->ShowRubberBand(band.adjusted(0, 0, -1, -1));
}

void TColourPick::HideBand(TToolContext& context) {
    if (Corner && context.View) context.View->ShowRubberBand(QRect());
    Corner.reset();
}
