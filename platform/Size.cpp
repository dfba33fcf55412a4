#include "platform/Geometry.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

bool Usable(const TBitmapHandle& h) {
    const int bpl = BitmapBytesPerLine(h.Width, h.BitsPerPixel);
    return h.Bits && h.Height > 0 && bpl > 0 && h.BytesPerLine >= bpl;
}

// Source index of each destination index: d * src / dst.
std::vector<int> NearestMap(int src, int dst) {
    std::vector<int> map(static_cast<size_t>(dst));
    for (int d = 0; d < dst; ++d)
        map[size_t(d)] = int(int64_t(d) * src / dst);
    return map;
}

void Replicate(const TBitmapHandle& h, TBitmapHandle& out) {
    const std::vector<int> xs = NearestMap(h.Width, out.Width);
    const int bpp = h.BitsPerPixel;
    int prev = -1;
    for (int dy = 0; dy < out.Height; ++dy) {
        const int sy = int(int64_t(dy) * h.Height / out.Height);
        uint8_t* q = out.Row(dy);
        if (sy == prev) {
            std::memcpy(q, out.Row(dy - 1), size_t(out.BytesPerLine));
            continue;
        }
        prev = sy;
        const uint8_t* p = h.Row(sy);
        if (bpp == 8) {
            for (int x = 0; x < out.Width; ++x)
                q[x] = p[xs[size_t(x)]];
        } else if (bpp == 1) {
            for (int x = 0; x < out.Width; ++x) {
                const int sx = xs[size_t(x)];
                if ((p[sx >> 3] << (sx & 7)) & 0x80) q[x >> 3] |= uint8_t(0x80 >> (x & 7));
            }
        } else {
            const size_t n = size_t(bpp / 8);
            for (int x = 0; x < out.Width; ++x, q += n)
                std::memcpy(q, p + n * size_t(xs[size_t(x)]), n);
        }
    }
}

// Overlap weights of an axis scaled from src to dst pixels: destination d covers the
// source interval [d * src, (d + 1) * src) / dst; its weights sum to src.
struct TAreaWeights {
    std::vector<size_t> start; // dst + 1 offsets into index / weight
    std::vector<int> index;
    std::vector<uint32_t> weight;
    TAreaWeights(int src, int dst) {
        start.reserve(size_t(dst) + 1);
        for (int64_t d = 0; d < dst; ++d) {
            start.push_back(index.size());
            const int64_t a = d * src, b = a + src;
            for (int64_t i = a / dst; i * dst < b; ++i) {
                index.push_back(int(i));
                weight.push_back(uint32_t(std::min(b, (i + 1) * dst) - std::max(a, i * dst)));
            }
        }
        start.push_back(index.size());
    }
};

// Box filter for 24 bits: rows are summed into acc with the vertical weights, then each
// destination pixel sums its columns of acc; the total weight is srcWidth * srcHeight.
void AreaAverage(const TBitmapHandle& h, TBitmapHandle& out) {
    const TAreaWeights wx(h.Width, out.Width), wy(h.Height, out.Height);
    const uint64_t total = uint64_t(h.Width) * uint64_t(h.Height);
    // Sums stay below 2^41, and a quotient that is not whole is at least 1 / total away from
    // the next integer, so a double division truncates exactly like the integer one.
    const double divisor = double(total);
    const size_t n = 3 * size_t(h.Width);
    std::vector<uint32_t> acc(n); // at most 65535 * 255 per entry
    for (int dy = 0; dy < out.Height; ++dy) {
        std::fill(acc.begin(), acc.end(), 0u);
        for (size_t k = wy.start[size_t(dy)]; k < wy.start[size_t(dy) + 1]; ++k) {
            const uint8_t* p = h.Row(wy.index[k]);
            const uint32_t w = wy.weight[k];
            for (size_t i = 0; i < n; ++i)
                acc[i] += w * p[i];
        }
        uint8_t* q = out.Row(dy);
        for (int dx = 0; dx < out.Width; ++dx, q += 3) {
            uint64_t s[3] = {};
            for (size_t k = wx.start[size_t(dx)]; k < wx.start[size_t(dx) + 1]; ++k) {
                const uint32_t* a = acc.data() + 3 * size_t(wx.index[k]);
                const uint64_t w = wx.weight[k];
                s[0] += w * a[0], s[1] += w * a[1], s[2] += w * a[2];
            }
            for (int c = 0; c < 3; ++c)
                q[c] = uint8_t(double(s[c] + total / 2) / divisor);
        }
    }
}

} // namespace

bool SizeHandle(TBitmapHandle& h, int width, int height, bool resample) {
    const int bpp = h.BitsPerPixel;
    if (!Usable(h) || (bpp != 1 && bpp != 8 && bpp != 16 && bpp != 24)) return false;
    if (!BitmapSizeAllowed(width, height, bpp)) return false;
    if (width == h.Width && height == h.Height) return true;
    TBitmapHandle out;
    if (!CreateBitmapHandle(out, width, height, bpp)) return false;
    std::memcpy(out.Palette, h.Palette, sizeof h.Palette);
    try {
        if (resample && bpp == 24)
            AreaAverage(h, out);
        else
            Replicate(h, out);
    } catch (const std::bad_alloc&) {
        FreeBitmapHandle(out);
        return false;
    }
    MoveBitmapHandle(h, out); // the region no longer fits the picture and is dropped
    return true;
}
