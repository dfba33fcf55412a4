#include "colour/Nearestindex.h"

#include <algorithm>
#include <cstdlib>

void TNearestIndex::Clear() {
    Colors.clear();
    for (auto& cell : Grid)
        cell.clear();
}

void TNearestIndex::Add(int red, int green, int blue) {
    Grid[size_t((red >> 4) * kCells * kCells + (green >> 4) * kCells + (blue >> 4))].push_back(
        int(Colors.size()));
    Colors.push_back({uint8_t(red), uint8_t(green), uint8_t(blue)});
}

int TNearestIndex::Find(int red, int green, int blue, int* distance) const {
    if (distance) *distance = 768;
    if (Colors.empty()) return -1;
    const int cr = red >> 4, cg = green >> 4, cb = blue >> 4;
    int best = 768;
    std::vector<int> tied;
    tied.reserve(8);
    const auto visit = [&](int r, int g, int b) {
        for (const int i : Grid[size_t(r * kCells * kCells + g * kCells + b)]) {
            const TRgb& c = Colors[size_t(i)];
            const int sum = std::abs(c.Red - red) + std::abs(c.Green - green) + std::abs(c.Blue - blue);
            if (sum < best) {
                best = sum;
                tied.clear();
            }
            if (sum == best) tied.push_back(i);
        }
    };
    // A cell k rings away is at least 16 (k - 1) + 1 levels off in one channel.
    for (int k = 0; k < kCells && (k == 0 || 16 * (k - 1) + 1 <= best); ++k) {
        for (int r = std::max(cr - k, 0); r <= std::min(cr + k, kCells - 1); ++r)
            for (int g = std::max(cg - k, 0); g <= std::min(cg + k, kCells - 1); ++g) {
                if (std::abs(r - cr) == k || std::abs(g - cg) == k) { // on the ring's face: the whole row
                    for (int b = std::max(cb - k, 0); b <= std::min(cb + k, kCells - 1); ++b)
                        visit(r, g, b);
                    continue;
                }
                if (cb - k >= 0) visit(r, g, cb - k); // inside: only the row's two ends (k > 0 here)
                if (cb + k < kCells) visit(r, g, cb + k);
            }
    }
    std::sort(tied.begin(), tied.end());
    int chosen = tied.front(), largest = 256;
    for (const int i : tied) {
        const TRgb& c = Colors[size_t(i)];
        const int dr = std::abs(c.Red - red), dg = std::abs(c.Green - green), db = std::abs(c.Blue - blue);
        if (i == tied.front() || (dr < largest && dg < largest && db < largest)) {
            chosen = i;
            largest = std::max({dr, dg, db});
        }
    }
    if (distance) *distance = best;
    return chosen;
}
