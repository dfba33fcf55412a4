#include "raster/Workarea.h"

#include <algorithm>
#include <cstring>

namespace {

QRegion Unite(const QRect* rects, size_t count) {
    if (count == 0) return {};
    if (count == 1) return QRegion(rects[0]);
    const size_t half = count / 2;
    return Unite(rects, half).united(Unite(rects + half, count - half));
}

// One edge mapped from [from, from + fromLength] onto [to, to + toLength].
int ScaleEdge(int v, int from, int fromLength, int to, int toLength) {
    return to + int(int64_t(v - from) * toLength / fromLength);
}

} // namespace

void AddRect(QRegion& region, const QRect& rect) {
    region = region.isEmpty() ? QRegion(rect) : region.united(rect);
}

QRegion RegionOfRects(std::vector<QRect> rects) {
    // Sorted top to bottom, the halves mostly lie one below the other, which Qt
    // joins by appending.
    std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) {
        return a.top() != b.top() ? a.top() < b.top() : a.left() < b.left();
    });
    return Unite(rects.data(), rects.size());
}

QRegion ScaleRegion(const QRegion& region, const QRect& from, const QRect& to) {
    if (from.isEmpty() || to.isEmpty()) return {};
    std::vector<QRect> rects;
    for (const QRect& r : region) {
        const int left = ScaleEdge(r.left(), from.left(), from.width(), to.left(), to.width());
        const int right = ScaleEdge(r.left() + r.width(), from.left(), from.width(), to.left(), to.width());
        const int top = ScaleEdge(r.top(), from.top(), from.height(), to.top(), to.height());
        const int bottom = ScaleEdge(r.top() + r.height(), from.top(), from.height(), to.top(), to.height());
        if (right > left && bottom > top) rects.emplace_back(left, top, right - left, bottom - top);
    }
    return RegionOfRects(std::move(rects));
}

int TWorkArea::IsRectangle() const {
    if (!On()) return -1;
    return Owner.Handle.Region.rectCount() == 1 ? 1 : 0;
}

bool TWorkArea::Build(const QRegion& region) {
    if (region.isEmpty()) {
        MaskV.reset();
        BoundsV = QRect();
        ComplexV = false;
        Built = QRegion();
        return true;
    }
    const QRect box = region.boundingRect();
    TRGBQuad grey[256];
    for (int i = 0; i < 256; ++i)
        grey[i] = TRGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    auto mask = std::make_unique<TOrvaneBitmap>();
    if (!mask->Allocate(box.width(), box.height(), grey, 8)) return false;
    for (int y = 0; y < mask->Height; ++y)
        std::memset(mask->ScanLine(y), 0, size_t(mask->Width));
    for (const QRect& r : region) {
        const QRect m = r.translated(-box.topLeft());
        for (int y = m.top(); y <= m.bottom(); ++y)
            std::memset(mask->ScanLine(y) + m.left(), 255, size_t(m.width()));
    }
    MaskV = std::move(mask);
    BoundsV = box;
    ComplexV = 32 + 16 * int64_t(region.rectCount()) > kComplexBytes;
    Built = region;
    return true;
}

bool TWorkArea::Apply(const QRegion& region) {
    if (!Owner.Allocated()) return false;
    const QRegion clipped = region.intersected(QRect(0, 0, Owner.Width, Owner.Height));
    if (!Build(clipped)) return false;
    if (clipped.isEmpty())
        Owner.FreeRegion();
    else
        Owner.SetRegion(clipped, L_RGN_SET);
    Built = Owner.Handle.Region; // shares the picture's data, so Sync compares in no time
    return true;
}

bool TWorkArea::SetRegion(const QRegion& region, bool record) {
    const QRegion before = Region();
    if (!Apply(region)) return false;
    if (record && before != Region()) Keep(before); // no change, nothing to undo
    return true;
}

bool TWorkArea::Offset(int dx, int dy, bool record) {
    return On() && SetRegion(Region().translated(dx, dy), record);
}

bool TWorkArea::Scale(const QRect& to, bool record) {
    if (!On() || to.isEmpty()) return false;
    const QRegion scaled = ScaleRegion(Region(), BoundsV, to);
    return !scaled.isEmpty() && SetRegion(scaled, record);
}

void TWorkArea::Off(bool dropHistory) {
    Owner.FreeRegion();
    Build(QRegion());
    if (dropHistory) History.clear();
}

bool TWorkArea::Sync() {
    const QRegion now = Region();
    if (now == Built && (now.isEmpty() || MaskV)) return false;
    if (!Build(now)) Build(QRegion()); // no memory for the mask: the selection shows without one
    Built = now;
    return true;
}

void TWorkArea::Keep(const QRegion& region) {
    if (!History.empty() && History.back() == region) return;
    History.push_back(region);
    while (int(History.size()) > DepthV)
        History.pop_front();
}

bool TWorkArea::SwapUndo() {
    if (History.empty()) return false;
    const QRegion now = Region();
    if (!Apply(History.back())) return false;
    History.back() = now;
    return true;
}

bool TWorkArea::StepBack() {
    if (History.empty()) return false;
    if (!Apply(History.back())) return false;
    History.pop_back();
    return true;
}

void TWorkArea::SetDepth(int depth) {
    DepthV = std::max(1, depth);
    while (int(History.size()) > DepthV)
        History.pop_front();
}
