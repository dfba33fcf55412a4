#include "raster/Regiongrow.h"

#include <algorithm>
#include <bit>
#include <cstring>

void TRunRects::TIndex::Set(uint32_t key, uint32_t rect) {
    if (3 * (Used + 1) > 2 * Slots.size()) { // kept at most two thirds full
        std::vector<TSlot> old = std::move(Slots);
        Slots.assign(std::max<size_t>(1024, 2 * old.size()), TSlot());
        Shift = 64 - std::countr_zero(Slots.size());
        Used = 0;
        for (const TSlot& s : old)
            if (s.Key) Set(s.Key, s.Rect);
    }
    for (size_t i = Home(key);; i = (i + 1) & (Slots.size() - 1)) {
        if (Slots[i].Key == key) {
            Slots[i].Rect = rect;
            return;
        }
        if (!Slots[i].Key) {
            Slots[i] = TSlot{key, rect};
            ++Used;
            return;
        }
    }
}

int64_t TRunRects::TIndex::Find(uint32_t key) const {
    if (Slots.empty()) return -1;
    for (size_t i = Home(key); Slots[i].Key; i = (i + 1) & (Slots.size() - 1))
        if (Slots[i].Key == key) return Slots[i].Rect;
    return -1;
}

void TRunRects::TIndex::Erase(uint32_t key) {
    if (Slots.empty()) return;
    const size_t mask = Slots.size() - 1;
    size_t hole = Home(key);
    for (; Slots[hole].Key != key; hole = (hole + 1) & mask)
        if (!Slots[hole].Key) return;
    // Later entries of the run move back into the hole unless their home lies
    // cyclically after it, so every key stays reachable from its home.
    for (size_t i = (hole + 1) & mask; Slots[i].Key; i = (i + 1) & mask) {
        const size_t home = Home(Slots[i].Key);
        const bool stays = hole < i ? (home > hole && home <= i) : (home > hole || home <= i);
        if (!stays) Slots[hole] = Slots[i], hole = i;
    }
    Slots[hole] = TSlot();
    --Used;
}

int64_t TRunRects::Find(const TIndex& index, bool top, int y, int left, int right) const {
    if (y < 0) return -1;
    const int64_t i = index.Find(Key(y, left));
    if (i < 0) return -1;
    const QRect& r = Rects[size_t(i)];
    const bool holds =
        !r.isNull() && (top ? r.top() : r.bottom()) == y && r.left() == left && r.right() == right - 1;
    return holds ? i : -1;
}

void TRunRects::Add(int y, int left, int right, bool above, bool below) {
    const int64_t i = above ? Find(Bottoms, false, y - 1, left, right) : -1;
    const int64_t j = below ? Find(Tops, true, y + 1, left, right) : -1;
    if (i >= 0) {
        QRect& upper = Rects[size_t(i)];
        Bottoms.Erase(Key(y - 1, left));
        upper.setBottom(y);
        if (j >= 0) { // the run closes the gap to a rectangle below: that one joins this one
            QRect& lower = Rects[size_t(j)];
            Tops.Erase(Key(y + 1, left));
            Bottoms.Erase(Key(lower.bottom(), left));
            upper.setBottom(lower.bottom());
            lower = QRect();
        }
        Bottoms.Set(Key(upper.bottom(), left), uint32_t(i));
    } else if (j >= 0) {
        Tops.Erase(Key(y + 1, left));
        Rects[size_t(j)].setTop(y);
        Tops.Set(Key(y, left), uint32_t(j));
    } else {
        Rects.emplace_back(left, y, right - left, 1);
        const uint32_t n = uint32_t(Rects.size() - 1);
        Tops.Set(Key(y, left), n);
        Bottoms.Set(Key(y, left), n);
    }
}

std::vector<QRect> TRunRects::Take() {
    std::vector<QRect> out;
    out.reserve(Rects.size());
    for (const QRect& r : Rects)
        if (!r.isNull()) out.push_back(r);
    Rects.clear();
    Tops.Clear();
    Bottoms.Clear();
    return out;
}

QRegion RegionOfRuns(const std::vector<QRect>& rects) {
    if (rects.empty()) return {};
    int top = rects[0].top(), bottom = rects[0].bottom();
    for (const QRect& r : rects)
        top = std::min(top, r.top()), bottom = std::max(bottom, r.bottom());
    // The runs of every row, counted, then placed row by row and sorted by their left edge.
    const size_t rows = size_t(bottom - top + 1);
    std::vector<uint32_t> first(rows + 1, 0);
    for (const QRect& r : rects)
        for (int y = r.top(); y <= r.bottom(); ++y)
            ++first[size_t(y - top) + 1];
    for (size_t y = 0; y < rows; ++y)
        first[y + 1] += first[y];
    std::vector<std::pair<int, int>> runs(first[rows]);
    std::vector<uint32_t> next(first.begin(), first.end() - 1);
    for (const QRect& r : rects)
        for (int y = r.top(); y <= r.bottom(); ++y)
            runs[next[size_t(y - top)]++] = {r.left(), r.right()};
    for (size_t y = 0; y < rows; ++y)
        std::sort(runs.begin() + first[y], runs.begin() + first[y + 1]);
    // Rows with the same runs make one band; Qt takes bands sorted and joined so.
    auto same = [&](size_t a, size_t b) {
        return first[a + 1] - first[a] == first[b + 1] - first[b] &&
               std::equal(runs.begin() + first[a], runs.begin() + first[a + 1], runs.begin() + first[b]);
    };
    std::vector<QRect> bands;
    for (size_t y = 0, band = 0; y < rows; band = y) {
        while (++y < rows && same(band, y)) {
        }
        for (uint32_t k = first[band]; k < first[band + 1]; ++k)
            bands.emplace_back(QPoint(runs[k].first, top + int(band)),
                               QPoint(runs[k].second, top + int(y) - 1));
    }
    QRegion region;
    region.setRects(bands.data(), int(bands.size()));
    return region;
}

namespace regiongrow_detail {

void Mark(uint8_t* bits, int from, int to) {
    for (; from < to && (from & 7); ++from)
        bits[from >> 3] |= uint8_t(0x80 >> (from & 7));
    const int whole = (to - from) >> 3;
    if (whole > 0) {
        std::memset(bits + (from >> 3), 0xFF, size_t(whole));
        from += whole << 3;
    }
    for (; from < to; ++from)
        bits[from >> 3] |= uint8_t(0x80 >> (from & 7));
}

int NextUnvisited(const uint8_t* bits, int x, int end) {
    while (x < end && (x & 7) && Visited(bits, x))
        ++x;
    while (x + 8 <= end && bits[x >> 3] == 0xFF)
        x += 8;
    while (x < end && Visited(bits, x))
        ++x;
    return x;
}

} // namespace regiongrow_detail
