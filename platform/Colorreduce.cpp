#include "platform/Colorreduce.h"

#include "platform/Blit.h"
#include "platform/Mediancut.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

// Reduction of a 24-bit picture runs in up to three passes over the pixels:
//  1. the exact pass writes indices while it meets no more than maxColors colours and
//     gives up at the first colour too many (a photograph fails within a few pixels);
//  2. otherwise a histogram on 6-bit-per-channel bins collects counts and channel sums;
//  3. median cut on the histogram picks the palette, a table gives the nearest palette
//     index of every colour in the occupied bins, and the pixels are mapped through it.
// An 8-bit picture only needs the histogram of its 256 indices and a 256-entry remap.

namespace {

bool Usable(const TBitmapHandle& h) {
    const int bpl = BitmapBytesPerLine(h.Width, h.BitsPerPixel);
    return h.Bits && h.Height > 0 && bpl > 0 && h.BytesPerLine >= bpl;
}

// Gives h the pixels of out, keeping h's region; out becomes empty.
void TakePixels(TBitmapHandle& h, TBitmapHandle& out) {
    out.HasRegion = h.HasRegion;
    out.Region = h.Region;
    MoveBitmapHandle(h, out);
}

void SetPalette(TBitmapHandle& h, const std::vector<TRGBQuad>& colors) {
    for (int i = 0; i < 256; ++i)
        h.Palette[i] = size_t(i) < colors.size() ? colors[size_t(i)] : TRGBQuad{};
}

int Reduce8(TBitmapHandle& h, int maxColors) {
    uint64_t counts[4][256] = {}; // four tables so runs of one index do not stall on one counter
    for (int y = 0; y < h.Height; ++y) {
        const uint8_t* p = h.Row(y);
        int x = 0;
        for (; x + 4 <= h.Width; x += 4) {
            ++counts[0][p[x]];
            ++counts[1][p[x + 1]];
            ++counts[2][p[x + 2]];
            ++counts[3][p[x + 3]];
        }
        for (; x < h.Width; ++x)
            ++counts[0][p[x]];
    }
    // Distinct colours in the order of their first index; indices of one colour merge.
    std::vector<TRGBQuad> colors;
    std::vector<uint64_t> pixels;
    uint8_t remap[256] = {};
    for (int i = 0; i < 256; ++i) {
        const uint64_t n = counts[0][i] + counts[1][i] + counts[2][i] + counts[3][i];
        if (n == 0) continue;
        const TRGBQuad c{h.Palette[i].rgbBlue, h.Palette[i].rgbGreen, h.Palette[i].rgbRed, 0};
        size_t k = 0;
        while (k < colors.size() && !(colors[k] == c))
            ++k;
        if (k == colors.size()) {
            colors.push_back(c);
            pixels.push_back(0);
        }
        pixels[k] += n;
        remap[i] = uint8_t(k);
    }
    if (colors.size() > size_t(maxColors)) {
        std::vector<TColorItem> items;
        for (size_t k = 0; k < colors.size(); ++k)
            items.push_back(
                MakeColorItem(colors[k].rgbRed, colors[k].rgbGreen, colors[k].rgbBlue, pixels[k]));
        colors = MedianCut(items, maxColors);
        // Unused indices are mapped too, so the remap is one table lookup per pixel.
        for (int i = 0; i < 256; ++i) {
            const TRGBQuad& c = h.Palette[i];
            remap[i] = uint8_t(
                NearestPaletteIndex(colors.data(), int(colors.size()), c.rgbRed, c.rgbGreen, c.rgbBlue));
        }
    }
    for (int y = 0; y < h.Height; ++y) {
        uint8_t* p = h.Row(y);
        for (int x = 0; x < h.Width; ++x)
            p[x] = remap[p[x]];
    }
    SetPalette(h, colors);
    return int(colors.size());
}

// Writes the index of each pixel into out while the picture shows at most maxColors
// colours, collecting them in order of first appearance; false at the first colour too many.
bool MapExactColors(const TBitmapHandle& h, int maxColors, TBitmapHandle& out,
                    std::vector<TRGBQuad>& colors) {
    constexpr uint32_t kSlots = 1024; // open addressing, at most a quarter full
    uint32_t keys[kSlots] = {};       // colour | 1 << 24; 0 marks a free slot
    uint8_t values[kSlots] = {};
    uint32_t last = 0;
    uint8_t lastIndex = 0;
    for (int y = 0; y < h.Height; ++y) {
        const uint8_t* p = h.Row(y);
        uint8_t* q = out.Row(y);
        for (int x = 0; x < h.Width; ++x, p += 3) {
            const uint32_t key = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | 1u << 24;
            if (key != last) {
                uint32_t slot = (key * 2654435761u) >> 22;
                while (keys[slot] != 0 && keys[slot] != key)
                    slot = (slot + 1) & (kSlots - 1);
                if (keys[slot] == 0) {
                    if (colors.size() == size_t(maxColors)) return false;
                    keys[slot] = key;
                    values[slot] = uint8_t(colors.size());
                    colors.push_back(TRGBQuad{p[0], p[1], p[2], 0});
                }
                last = key;
                lastIndex = values[slot];
            }
            q[x] = lastIndex;
        }
    }
    return true;
}

// Index of a colour in the 24-bit nearest-colour table: the 6-bit bin, then the low two
// bits of each channel, so the 64 colours of one bin share a cache line.
inline uint32_t TableKey(uint32_t r, uint32_t g, uint32_t b) {
    return (r >> 2) << 18 | (g >> 2) << 12 | (b >> 2) << 6 | (r & 3) << 4 | (g & 3) << 2 | (b & 3);
}

// A large scratch block on 2 MiB boundaries with huge pages asked for: the histogram and
// the nearest-colour table are hit at random, and with 4 KiB pages most of those accesses
// would miss the TLB.
struct TScratch {
    uint8_t* bytes = nullptr;
    TScratch(size_t size, bool zero) : bytes(AllocatePixels(size, zero)) {
        if (!bytes) throw std::bad_alloc();
    }
    TScratch(const TScratch&) = delete;
    TScratch& operator=(const TScratch&) = delete;
    ~TScratch() { FreePixels(bytes); }
};

template <class T> struct TBin {
    T n = 0;
    T low[3] = {}; // sums of the low two bits of red, green, blue
};

// Histogram of a 24-bit picture on 6-bit bins, one item per occupied bin (tag = bin).
template <class T> std::vector<TColorItem> BinHistogram(const TBitmapHandle& h) {
    constexpr uint32_t kBins = uint32_t(1) << 18;
    TScratch scratch(kBins * sizeof(TBin<T>), true);
    TBin<T>* const bins = reinterpret_cast<TBin<T>*>(scratch.bytes);
    for (int y = 0; y < h.Height; ++y) {
        const uint8_t* p = h.Row(y);
        for (int x = 0; x < h.Width; ++x, p += 3) {
            TBin<T>& bin = bins[TableKey(p[2], p[1], p[0]) >> 6];
            ++bin.n;
            bin.low[0] += p[2] & 3;
            bin.low[1] += p[1] & 3;
            bin.low[2] += p[0] & 3;
        }
    }
    std::vector<TColorItem> items;
    for (uint32_t i = 0; i < kBins; ++i) {
        const TBin<T>& bin = bins[i];
        if (bin.n == 0) continue;
        TColorItem it;
        it.n = bin.n;
        it.tag = i;
        const uint32_t base[3] = {(i >> 12) << 2, ((i >> 6) & 63) << 2, (i & 63) << 2};
        for (int ch = 0; ch < 3; ++ch) {
            it.sum[ch] = uint64_t(base[ch]) * it.n + uint64_t(bin.low[ch]);
            it.mean[ch] = float(double(it.sum[ch]) / double(it.n));
        }
        items.push_back(it);
    }
    return items;
}

// Palette by median cut on the histogram; every pixel of out gets its nearest entry.
std::vector<TRGBQuad> MapByMedianCut(const TBitmapHandle& h, int maxColors, TBitmapHandle& out) {
    // The low-bit sums need 64 bits once one bin could hold more than 2^32 / 3 pixels.
    const bool huge = uint64_t(h.Width) * uint64_t(h.Height) > 0x50000000u;
    std::vector<TColorItem> items = huge ? BinHistogram<uint64_t>(h) : BinHistogram<uint32_t>(h);
    std::vector<TRGBQuad> colors = MedianCut(items, maxColors);
    TScratch scratch(size_t(1) << 24, false);
    FillNearestTable(colors, items, scratch.bytes); // only the occupied bins' entries
    const uint8_t* const table = scratch.bytes;
    for (int y = 0; y < h.Height; ++y) {
        const uint8_t* p = h.Row(y);
        uint8_t* q = out.Row(y);
        for (int x = 0; x < h.Width; ++x, p += 3)
            q[x] = table[TableKey(p[2], p[1], p[0])];
    }
    return colors;
}

int Reduce24(TBitmapHandle& h, int maxColors) {
    TBitmapHandle out;
    if (!CreateBitmapHandle(out, h.Width, h.Height, 8)) return -1;
    std::vector<TRGBQuad> colors;
    try {
        if (!MapExactColors(h, maxColors, out, colors)) colors = MapByMedianCut(h, maxColors, out);
    } catch (const std::bad_alloc&) {
        FreeBitmapHandle(out);
        return -1;
    }
    SetPalette(out, colors);
    TakePixels(h, out);
    return int(colors.size());
}

} // namespace

int ReduceColors(TBitmapHandle& h, int maxColors) {
    if (maxColors < 1 || maxColors > 256 || !Usable(h)) return -1;
    try {
        if (h.BitsPerPixel == 8) return Reduce8(h, maxColors);
        if (h.BitsPerPixel == 24) return Reduce24(h, maxColors);
    } catch (const std::bad_alloc&) {
        // Every allocation happens before the picture is touched.
    }
    return -1;
}

bool ExpandTo24(TBitmapHandle& h) {
    if (!Usable(h)) return false;
    const int bpp = h.BitsPerPixel;
    if (bpp == 24) return true;
    if (bpp != 1 && bpp != 8 && bpp != 16) return false;
    TBitmapHandle out;
    if (!CreateBitmapHandle(out, h.Width, h.Height, 24)) return false;
    std::memcpy(out.Palette, h.Palette, sizeof h.Palette);
    for (int y = 0; y < h.Height; ++y) {
        const uint8_t* p = h.Row(y);
        uint8_t* q = out.Row(y);
        if (bpp == 16) {
            for (int x = 0; x < h.Width; ++x, q += 3) {
                const unsigned v = unsigned(p[2 * x]) | unsigned(p[2 * x + 1]) << 8;
                const unsigned b = v & 31, g = (v >> 5) & 31, r = (v >> 10) & 31;
                q[0] = uint8_t(b << 3 | b >> 2);
                q[1] = uint8_t(g << 3 | g >> 2);
                q[2] = uint8_t(r << 3 | r >> 2);
            }
            continue;
        }
        for (int x = 0; x < h.Width; ++x, q += 3) {
            const TRGBQuad& c = h.Palette[bpp == 8 ? p[x] : (p[x >> 3] >> (7 - (x & 7))) & 1];
            q[0] = c.rgbBlue;
            q[1] = c.rgbGreen;
            q[2] = c.rgbRed;
        }
    }
    TakePixels(h, out);
    return true;
}
