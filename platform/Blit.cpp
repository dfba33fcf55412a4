#include "platform/Blit.h"

#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

bool KnownRop(uint32_t rop) {
    switch (rop) {
    case SRCCOPY:
    case SRCPAINT:
    case SRCAND:
    case SRCINVERT:
    case SRCERASE:
    case NOTSRCCOPY:
    case NOTSRCERASE:
    case MERGEPAINT:
    case DSTINVERT:
    case BLACKNESS:
    case WHITENESS:
        return true;
    default:
        return false;
    }
}

inline uint8_t ApplyRop(uint32_t rop, uint8_t s, uint8_t d) {
    switch (rop) {
    case SRCPAINT:
        return s | d;
    case SRCAND:
        return s & d;
    case SRCINVERT:
        return s ^ d;
    case SRCERASE:
        return uint8_t(s & ~d);
    case NOTSRCCOPY:
        return uint8_t(~s);
    case NOTSRCERASE:
        return uint8_t(~(s | d));
    case MERGEPAINT:
        return uint8_t(~s | d);
    case DSTINVERT:
        return uint8_t(~d);
    case BLACKNESS:
        return 0;
    case WHITENESS:
        return 0xFF;
    default:
        return s;
    }
}

void RopBytes(uint32_t rop, uint8_t* d, const uint8_t* s, size_t n) {
    if (rop == SRCCOPY) {
        std::memmove(d, s, n);
        return;
    }
    for (size_t i = 0; i < n; ++i)
        d[i] = ApplyRop(rop, s[i], d[i]);
}

inline int BitAt(const uint8_t* row, int x) {
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}
inline void PutBit(uint8_t* row, int x, int v) {
    const uint8_t bit = uint8_t(0x80 >> (x & 7));
    row[x >> 3] = v ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
}

// Colour of one source pixel as blue, green, red.
void SourceColour(const TBitmapHandle& src, const uint8_t* row, int x, uint8_t bgr[3]) {
    switch (src.BitsPerPixel) {
    case 1:
    case 8: {
        const TRGBQuad& q = src.Palette[src.BitsPerPixel == 1 ? BitAt(row, x) : row[x]];
        bgr[0] = q.rgbBlue, bgr[1] = q.rgbGreen, bgr[2] = q.rgbRed;
        break;
    }
    case 16: {
        const unsigned v = unsigned(row[2 * x]) | unsigned(row[2 * x + 1]) << 8;
        bgr[0] = uint8_t((v & 31) * 255 / 31), bgr[1] = uint8_t(((v >> 5) & 31) * 255 / 31);
        bgr[2] = uint8_t(((v >> 10) & 31) * 255 / 31);
        break;
    }
    default:
        std::memcpy(bgr, row + 3 * x, 3);
    }
}

// Converts a run of source pixels into destination elements: bytes for 8/24/16
// bits, one 0/1 byte per pixel for 1 bit.
class RowConverter {
  public:
    RowConverter(const TBitmapHandle& src, const TBitmapHandle& dst) : src_(src), dst_(dst) {}

    void Convert(const uint8_t* srow, int sx, int w, uint8_t* out) {
        const int sb = src_.BitsPerPixel, db = dst_.BitsPerPixel;
        if (sb == db && sb != 1) {
            std::memcpy(out, srow + size_t(sx) * size_t(sb / 8), size_t(w) * size_t(sb / 8));
            return;
        }
        if (sb == 1 && db == 1) {
            for (int i = 0; i < w; ++i)
                out[i] = uint8_t(BitAt(srow, sx + i));
            return;
        }
        uint8_t bgr[3];
        for (int i = 0; i < w; ++i) {
            SourceColour(src_, srow, sx + i, bgr);
            switch (db) {
            case 24:
                std::memcpy(out + 3 * i, bgr, 3);
                break;
            case 16: {
                const unsigned v =
                    unsigned(bgr[0] >> 3) | unsigned(bgr[1] >> 3) << 5 | unsigned(bgr[2] >> 3) << 10;
                out[2 * i] = uint8_t(v), out[2 * i + 1] = uint8_t(v >> 8);
                break;
            }
            default:
                out[i] = uint8_t(Nearest(bgr));
                break;
            }
        }
    }

  private:
    int Nearest(const uint8_t bgr[3]) {
        const uint32_t key = uint32_t(bgr[0]) | uint32_t(bgr[1]) << 8 | uint32_t(bgr[2]) << 16;
        auto it = cache_.find(key);
        if (it != cache_.end()) return it->second;
        const int n = dst_.BitsPerPixel == 1 ? 2 : 256;
        const int index = NearestPaletteIndex(dst_.Palette, n, bgr[2], bgr[1], bgr[0]);
        cache_.emplace(key, index);
        return index;
    }

    const TBitmapHandle& src_;
    const TBitmapHandle& dst_;
    std::unordered_map<uint32_t, int> cache_;
};

void BlitRect(TBitmapHandle& dst, const QRect& r, const TBitmapHandle& src, QPoint srcPos, uint32_t rop) {
    RowConverter conv(src, dst);
    const int w = r.width();
    const int bytes = dst.BitsPerPixel == 1 ? 1 : dst.BitsPerPixel / 8;
    std::vector<uint8_t> line(size_t(w) * size_t(bytes));
    const bool direct = rop == SRCCOPY && src.BitsPerPixel == dst.BitsPerPixel && dst.BitsPerPixel != 1;
    // Overlapping blits within one picture run bottom-up when moving down.
    const bool reverse = &src == &dst && srcPos.y() < r.top();
    for (int k = 0; k < r.height(); ++k) {
        const int i = reverse ? r.height() - 1 - k : k;
        const uint8_t* srow = src.Row(srcPos.y() + i);
        uint8_t* drow = dst.Row(r.top() + i);
        if (direct) {
            std::memmove(drow + size_t(r.left()) * size_t(bytes), srow + size_t(srcPos.x()) * size_t(bytes),
                         line.size());
            continue;
        }
        conv.Convert(srow, srcPos.x(), w, line.data());
        if (dst.BitsPerPixel == 1) {
            for (int x = 0; x < w; ++x) {
                const int d = BitAt(drow, r.left() + x);
                PutBit(drow, r.left() + x, ApplyRop(rop, line[size_t(x)], uint8_t(d)) & 1);
            }
        } else {
            RopBytes(rop, drow + size_t(r.left()) * size_t(bytes), line.data(), line.size());
        }
    }
}

} // namespace

int NearestPaletteIndex(const TRGBQuad* palette, int count, int red, int green, int blue) {
    int best = 0;
    long bestDist = -1;
    for (int i = 0; i < count; ++i) {
        const long dr = red - palette[i].rgbRed, dg = green - palette[i].rgbGreen,
                   db = blue - palette[i].rgbBlue;
        const long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) best = i, bestDist = d;
        if (d == 0) break;
    }
    return best;
}

bool BlitHandle(TBitmapHandle& dst, const QRect& rect, const TBitmapHandle& src, QPoint srcPos, uint32_t rop,
                const QRegion* clip) {
    if (!dst.Allocated || !src.Allocated || !KnownRop(rop)) return false;
    // Clip the destination to both pictures, moving the source origin along.
    QRect r = rect.intersected(QRect(0, 0, dst.Width, dst.Height));
    const QPoint shift = srcPos - rect.topLeft();
    r = r.intersected(QRect(0, 0, src.Width, src.Height).translated(-shift));
    if (r.isEmpty()) return true;
    if (!clip) {
        BlitRect(dst, r, src, r.topLeft() + shift, rop);
        return true;
    }
    for (const QRect& part : clip->intersected(r))
        BlitRect(dst, part, src, part.topLeft() + shift, rop);
    return true;
}

void FillHandleRect(TBitmapHandle& h, const QRect& rect, uint32_t value) {
    if (!h.Allocated) return;
    const QRect r = rect.intersected(QRect(0, 0, h.Width, h.Height));
    if (r.isEmpty()) return;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        uint8_t* row = h.Row(y);
        switch (h.BitsPerPixel) {
        case 1:
            for (int x = r.left(); x <= r.right(); ++x)
                PutBit(row, x, int(value & 1));
            break;
        case 8:
            std::memset(row + r.left(), int(value & 0xFF), size_t(r.width()));
            break;
        case 16:
            for (int x = r.left(); x <= r.right(); ++x)
                row[2 * x] = uint8_t(value), row[2 * x + 1] = uint8_t(value >> 8);
            break;
        default: {
            const uint8_t b = uint8_t(BlueOf(value)), g = uint8_t(GreenOf(value)), rd = uint8_t(RedOf(value));
            uint8_t* p = row + 3 * r.left();
            for (int x = 0; x < r.width(); ++x, p += 3)
                p[0] = b, p[1] = g, p[2] = rd;
        }
        }
    }
}
