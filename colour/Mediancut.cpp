#include "colour/Mediancut.h"

#include <algorithm>

TMedianCut::TMedianCut() : Histogram(size_t(kCells), 0) {}

uint32_t TMedianCut::Slice(const TBox& box, int axis, int v) const {
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
    std::array<int, 3> at{};
    at[size_t(axis)] = v;
    uint32_t sum = 0;
    for (int i = box.Min[size_t(a)]; i <= box.Max[size_t(a)]; ++i) {
        at[size_t(a)] = i;
        for (int j = box.Min[size_t(b)]; j <= box.Max[size_t(b)]; ++j) {
            at[size_t(b)] = j;
            sum += Histogram[size_t(Index(at))];
        }
    }
    return sum;
}

void TMedianCut::Shrink(TBox& box) const {
    for (int axis = 0; axis < 3; ++axis) {
        int& lo = box.Min[size_t(axis)];
        int& hi = box.Max[size_t(axis)];
        while (lo < hi && Slice(box, axis, lo) == 0)
            ++lo;
        while (hi > lo && Slice(box, axis, hi) == 0)
            --hi;
    }
}

bool TMedianCut::Split() {
    int pick = -1;
    for (size_t k = 0; k < Boxes.size(); ++k) {
        const TBox& b = Boxes[k];
        const bool single = b.Min == b.Max;
        if (!single && (pick < 0 || b.Pixels > Boxes[size_t(pick)].Pixels)) pick = int(k);
    }
    if (pick < 0) return false;
    TBox& box = Boxes[size_t(pick)];
    int axis = 0;
    for (int a = 1; a < 3; ++a)
        if (box.Max[size_t(a)] - box.Min[size_t(a)] > box.Max[size_t(axis)] - box.Min[size_t(axis)]) axis = a;
    const size_t ax = size_t(axis);
    uint32_t sum = 0;
    int s = box.Min[ax];
    for (; s <= box.Max[ax]; ++s) {
        sum += Slice(box, axis, s);
        if (sum > box.Pixels / 2) break;
    }
    if (s >= box.Max[ax]) { // the last slice goes to the new box
        s = box.Max[ax];
        sum -= Slice(box, axis, s);
        --s;
    }
    TBox fresh = box;
    fresh.Min[ax] = s + 1;
    fresh.Pixels = box.Pixels - sum;
    box.Max[ax] = s;
    box.Pixels = sum;
    Shrink(box);
    Shrink(fresh);
    Boxes.push_back(fresh);
    return true;
}

TCell6 TMedianCut::Mean(const TBox& box) const {
    uint64_t r = 0, g = 0, b = 0, n = 0;
    for (int i = box.Min[0]; i <= box.Max[0]; ++i)
        for (int j = box.Min[1]; j <= box.Max[1]; ++j)
            for (int k = box.Min[2]; k <= box.Max[2]; ++k) {
                const uint64_t c = Histogram[size_t(i * 4096 + j * 64 + k)];
                r += c * uint64_t(i), b += c * uint64_t(j), g += c * uint64_t(k), n += c;
            }
    if (n == 0) return {};
    return TCell6{int(r / n), int(g / n), int(b / n)};
}

int TMedianCut::Cut(int n) {
    n = std::clamp(n, 1, 250);
    Boxes.clear();
    ColoursV.clear();
    Cube.assign(size_t(kCells), int16_t(-1));
    TBox all;
    all.Max = {kSide - 1, kSide - 1, kSide - 1};
    for (const uint32_t c : Histogram)
        all.Pixels += c;
    if (all.Pixels == 0) return 0;
    Shrink(all);
    Boxes.push_back(all);
    while (int(Boxes.size()) < n && Split()) {
    }
    std::vector<std::pair<TCell6, const TBox*>> sorted;
    for (const TBox& b : Boxes)
        sorted.emplace_back(Mean(b), &b);
    const auto key = [](const TCell6& c) { return c.Red * 30 + c.Green * 59 + c.Blue * 11; };
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const auto& a, const auto& b) { return key(a.first) < key(b.first); });
    for (size_t k = 0; k < sorted.size(); ++k) {
        ColoursV.push_back(sorted[k].first);
        const TBox& b = *sorted[k].second;
        for (int i = b.Min[0]; i <= b.Max[0]; ++i)
            for (int j = b.Min[1]; j <= b.Max[1]; ++j)
                for (int m = b.Min[2]; m <= b.Max[2]; ++m)
                    Cube[size_t(i * 4096 + j * 64 + m)] = int16_t(k);
    }
    return int(Boxes.size());
}

int TMedianCut::Nearest(int cell) const {
    const int r = cell / 4096, b = cell / 64 % 64, g = cell % 64;
    int best = -1, bestDistance = 0;
    for (size_t k = 0; k < ColoursV.size(); ++k) {
        const TCell6& c = ColoursV[k];
        const int d = (c.Red - r) * (c.Red - r) + (c.Green - g) * (c.Green - g) + (c.Blue - b) * (c.Blue - b);
        if (best < 0 || d < bestDistance) best = int(k), bestDistance = d;
    }
    return best;
}

int TMedianCut::Lookup(int cell) const {
    if (ColoursV.empty()) return -1;
    if (cell < 0 || cell >= kCells) return 0;
    const int k = Cube[size_t(cell)];
    return k >= 0 ? k : Nearest(cell);
}
