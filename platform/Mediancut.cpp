#include "platform/Mediancut.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <queue>

namespace {

struct TBox {
    size_t begin = 0, end = 0;
    double sse = 0; // squared error of the box's pixels about their mean
    int axis = 0;   // channel with the largest spread
    bool operator<(const TBox& other) const { return sse < other.sse; }
};

// Weighted sums of one run of items, enough to give its squared error.
struct TMoments {
    double w = 0, s[3] = {}, s2[3] = {};
    void Add(const TColorItem& it) {
        const double n = double(it.n);
        w += n;
        for (int ch = 0; ch < 3; ++ch) {
            s[ch] += n * it.mean[ch];
            s2[ch] += n * it.mean[ch] * it.mean[ch];
        }
    }
    double Spread(int ch) const { return w > 0 ? std::max(0.0, s2[ch] - s[ch] * s[ch] / w) : 0.0; }
    double Error() const { return Spread(0) + Spread(1) + Spread(2); }
};

TBox Measure(const std::vector<TColorItem>& items, size_t begin, size_t end) {
    TMoments m;
    for (size_t i = begin; i < end; ++i)
        m.Add(items[i]);
    TBox box{begin, end, m.Error(), 0};
    for (int ch = 1; ch < 3; ++ch) {
        if (m.Spread(ch) > m.Spread(box.axis)) box.axis = ch;
    }
    return box;
}

// Position of an item along a channel: its mean's whole part.
inline int Level(const TColorItem& it, int ch) {
    return std::clamp(int(it.mean[ch]), 0, 255);
}

// Cuts the box across its axis between two levels, where the two halves' total squared
// error is smallest, and partitions the items accordingly. Returns the first item of the
// upper half, or box.begin when all items share one level.
size_t Split(std::vector<TColorItem>& items, const TBox& box) {
    const int a = box.axis;
    TMoments levels[256];
    TMoments all;
    for (size_t i = box.begin; i < box.end; ++i) {
        levels[Level(items[i], a)].Add(items[i]);
        all.Add(items[i]);
    }
    TMoments left;
    int cut = -1;
    double bestError = 0;
    for (int k = 0; k < 255; ++k) {
        if (levels[k].w == 0) continue;
        left.w += levels[k].w;
        for (int ch = 0; ch < 3; ++ch)
            left.s[ch] += levels[k].s[ch], left.s2[ch] += levels[k].s2[ch];
        if (left.w >= all.w) break;
        TMoments right;
        right.w = all.w - left.w;
        for (int ch = 0; ch < 3; ++ch) {
            right.s[ch] = all.s[ch] - left.s[ch];
            right.s2[ch] = all.s2[ch] - left.s2[ch];
        }
        const double error = left.Error() + right.Error();
        if (cut < 0 || error < bestError) {
            cut = k;
            bestError = error;
        }
    }
    if (cut < 0) return box.begin;
    const auto first = items.begin() + std::ptrdiff_t(box.begin);
    const auto last = items.begin() + std::ptrdiff_t(box.end);
    const auto upper =
        std::partition(first, last, [a, cut](const TColorItem& it) { return Level(it, a) <= cut; });
    return box.begin + size_t(upper - first);
}

inline int Square(int v) {
    return v * v;
}

// Palette entries (from the list `from`) that can be nearest to some colour of the cube
// lo .. lo + size - 1: those whose distance to the cube is not above the smallest
// distance within which some entry covers the whole cube.
using TPal = std::vector<std::array<int, 3>>;

void Candidates(const TPal& pal, const uint8_t* from, size_t count, const int lo[3], int size,
                std::vector<uint8_t>& out) {
    int minFar = INT_MAX;
    int nearDist[256];
    for (size_t k = 0; k < count; ++k) {
        int nearD = 0, farD = 0;
        for (int ch = 0; ch < 3; ++ch) {
            const int p = pal[from[k]][ch], l = lo[ch], h = lo[ch] + size - 1;
            if (p < l) {
                nearD += Square(l - p);
                farD += Square(h - p);
            } else if (p > h) {
                nearD += Square(p - h);
                farD += Square(p - l);
            } else {
                farD += Square(std::max(p - l, h - p));
            }
        }
        nearDist[k] = nearD;
        minFar = std::min(minFar, farD);
    }
    out.clear();
    for (size_t k = 0; k < count; ++k) {
        if (nearDist[k] <= minFar) out.push_back(from[k]);
    }
}

// Offsets of the 64 colours of a bin, in table order.
struct TBinOffsets {
    int32_t r[64], g[64], b[64];
    TBinOffsets() {
        for (int i = 0; i < 64; ++i) {
            r[i] = i >> 4;
            g[i] = (i >> 2) & 3;
            b[i] = i & 3;
        }
    }
};

} // namespace

TColorItem MakeColorItem(int red, int green, int blue, uint64_t n) {
    TColorItem it;
    it.n = n;
    const int c[3] = {red, green, blue};
    for (int ch = 0; ch < 3; ++ch) {
        it.sum[ch] = uint64_t(c[ch]) * n;
        it.mean[ch] = float(c[ch]);
    }
    return it;
}

std::vector<TRGBQuad> MedianCut(std::vector<TColorItem>& items, int maxColors) {
    std::vector<TBox> done;
    std::priority_queue<TBox> open;
    if (!items.empty()) open.push(Measure(items, 0, items.size()));
    while (!open.empty() && int(open.size() + done.size()) < maxColors) {
        const TBox box = open.top();
        open.pop();
        const size_t cut = box.end - box.begin > 1 && box.sse > 0 ? Split(items, box) : box.begin;
        if (cut == box.begin) {
            done.push_back(box);
            continue;
        }
        open.push(Measure(items, box.begin, cut));
        open.push(Measure(items, cut, box.end));
    }
    for (; !open.empty(); open.pop())
        done.push_back(open.top());
    std::sort(done.begin(), done.end(), [](const TBox& l, const TBox& r) { return l.begin < r.begin; });
    std::vector<TRGBQuad> palette;
    for (const TBox& box : done) {
        uint64_t n = 0, s[3] = {};
        for (size_t i = box.begin; i < box.end; ++i) {
            n += items[i].n;
            for (int ch = 0; ch < 3; ++ch)
                s[ch] += items[i].sum[ch];
        }
        uint8_t c[3] = {};
        for (int ch = 0; ch < 3; ++ch)
            c[ch] = uint8_t(std::min<uint64_t>(255, n ? (2 * s[ch] + n) / (2 * n) : 0));
        palette.push_back(TRGBQuad{c[2], c[1], c[0], 0});
    }
    return palette;
}

void FillNearestTable(const std::vector<TRGBQuad>& palette, const std::vector<TColorItem>& items,
                      uint8_t* table) {
    static const TBinOffsets kOffsets;
    TPal pal(palette.size());
    std::vector<uint8_t> all(palette.size());
    for (size_t k = 0; k < palette.size(); ++k) {
        pal[k][0] = palette[k].rgbRed;
        pal[k][1] = palette[k].rgbGreen;
        pal[k][2] = palette[k].rgbBlue;
        all[k] = uint8_t(k);
    }
    // Candidates are found per cube of 4 x 4 x 4 bins first, then narrowed per bin.
    std::vector<int> cubeStart(size_t(1) << 12, -1), cubeCount(size_t(1) << 12, 0);
    std::vector<uint8_t> pool, cube, bin;
    pool.reserve(size_t(1) << 16);
    for (const TColorItem& it : items) {
        const int br = int(it.tag >> 12), bg = int(it.tag >> 6) & 63, bb = int(it.tag & 63);
        const size_t c = size_t((br >> 2) << 8 | (bg >> 2) << 4 | (bb >> 2));
        if (cubeStart[c] < 0) {
            const int lo[3] = {(br >> 2) << 4, (bg >> 2) << 4, (bb >> 2) << 4};
            Candidates(pal, all.data(), all.size(), lo, 16, cube);
            cubeStart[c] = int(pool.size());
            cubeCount[c] = int(cube.size());
            pool.insert(pool.end(), cube.begin(), cube.end());
        }
        const int lo[3] = {br << 2, bg << 2, bb << 2};
        Candidates(pal, pool.data() + cubeStart[c], size_t(cubeCount[c]), lo, 4, bin);
        // Written with masks instead of branches so that the compiler vectorises it.
        int32_t best[64], index[64];
        std::fill(best, best + 64, INT32_MAX);
        std::fill(index, index + 64, 0);
        for (const uint8_t k : bin) {
            const int32_t dr = lo[0] - pal[k][0], dg = lo[1] - pal[k][1], db = lo[2] - pal[k][2];
            for (int i = 0; i < 64; ++i) {
                const int32_t x = dr + kOffsets.r[i], y = dg + kOffsets.g[i], z = db + kOffsets.b[i];
                const int32_t d = x * x + y * y + z * z;
                const int32_t closer = -int32_t(d < best[i]);
                best[i] = (d & closer) | (best[i] & ~closer);
                index[i] = (int32_t(k) & closer) | (index[i] & ~closer);
            }
        }
        uint8_t* out = table + (size_t(it.tag) << 6);
        for (int i = 0; i < 64; ++i)
            out[i] = uint8_t(index[i]);
    }
}
