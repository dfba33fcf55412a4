#include "raster/Viewscale.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

std::atomic<int64_t> g_converted{0};

int64_t CeilDiv(int64_t a, int64_t b) { // b > 0
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

// The destination indices [first, last) of a count-long line whose source index
// start + i * Out / In lies inside [0, limit).
void InsideRange(int64_t start, TScaleRatio r, int64_t limit, int count, int& first, int& last) {
    const int64_t f = start >= 0 ? 0 : CeilDiv(-start * r.In, r.Out);
    const int64_t room = limit - start; // source pixels available from start on
    const int64_t l = room <= 0 ? 0 : CeilDiv(room * r.In, r.Out);
    first = int(std::clamp<int64_t>(f, 0, count));
    last = int(std::clamp<int64_t>(l, first, count));
}

struct Fetch8 {
    const uint8_t* Row;
    const uint32_t* Lut;
    uint32_t operator()(int64_t x) const { return Lut[Row[x]]; }
};

struct Fetch24 {
    const uint8_t* Row;
    uint32_t operator()(int64_t x) const {
        const uint8_t* p = Row + 3 * x;
        return 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }
};

struct Fetch1 {
    const uint8_t* Row;
    const uint32_t* Lut;
    uint32_t operator()(int64_t x) const { return Lut[(Row[x >> 3] >> (7 - (x & 7))) & 1]; }
};

// Writes out[first .. last) from one source row: runs of In equal pixels when
// zooming in, every Out-th pixel when zooming out, stepped quotients otherwise.
template <class F>
void ConvertSpan(uint32_t* out, int first, int last, int64_t start, TScaleRatio r, const F& fetch) {
    if (r.In == 1) {
        for (int i = first; i < last; ++i)
            out[i] = fetch(start + int64_t(i) * r.Out);
    } else if (r.Out == 1) {
        for (int i = first; i < last;) {
            const int64_t q = i / r.In;
            const int end = int(std::min<int64_t>(last, (q + 1) * r.In));
            std::fill(out + i, out + end, fetch(start + q));
            i = end;
        }
    } else {
        const int64_t stepQ = r.Out / r.In, stepR = r.Out % r.In;
        int64_t q = int64_t(first) * r.Out / r.In, rem = int64_t(first) * r.Out % r.In;
        for (int i = first; i < last; ++i) {
            out[i] = fetch(start + q);
            q += stepQ;
            rem += stepR;
            if (rem >= r.In) rem -= r.In, ++q;
        }
    }
}

TScaleRatio Reduced(TScaleRatio r) {
    const int64_t g = std::gcd(r.In, r.Out);
    return {r.In / g, r.Out / g};
}

bool Is32(const QImage& image) {
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

TRowScaler::TRowScaler(const TOrvaneBitmap& bitmap, TScaleRatio x) : Bitmap(bitmap) {
    const int bpp = bitmap.BitsPerPixel;
    Valid = bitmap.Allocated() && (bpp == 1 || bpp == 8 || bpp == 24) && x.In >= 1 && x.Out >= 1;
    if (!Valid) return;
    X = Reduced(x);
    if (bpp == 24) return;
    for (int i = 0; i < (bpp == 8 ? 256 : 2); ++i) {
        const TRGBQuad& q = bitmap.Handle.Palette[i];
        Lut[i] = 0xFF000000u | (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
    }
}

void TRowScaler::Inside(int64_t start, int count, int& first, int& last) const {
    InsideRange(start, X, Bitmap.Width, count, first, last);
}

int64_t ConvertedPixels() {
    return g_converted.load(std::memory_order_relaxed);
}

void TRowScaler::Convert(uint32_t* out, int first, int last, int sy, int64_t start) const {
    g_converted.fetch_add(last - first, std::memory_order_relaxed);
    const uint8_t* row = Bitmap.ScanLine(sy);
    switch (Bitmap.BitsPerPixel) {
    case 8:
        ConvertSpan(out, first, last, start, X, Fetch8{row, Lut});
        break;
    case 24:
        ConvertSpan(out, first, last, start, X, Fetch24{row});
        break;
    default:
        ConvertSpan(out, first, last, start, X, Fetch1{row, Lut});
        break;
    }
}

bool ScalePicture(QImage& dest, const QRect& rect, const TOrvaneBitmap& bitmap, QPoint src, TScaleRatio x,
                  TScaleRatio y, TScaleOp op) {
    const TRowScaler scaler(bitmap, x);
    if (!scaler.Ok() || !Is32(dest) || y.In < 1 || y.Out < 1) return false;
    y = Reduced(y);
    int fx, lx, fy, ly;
    scaler.Inside(src.x(), rect.width(), fx, lx);
    InsideRange(src.y(), y, bitmap.Height, rect.height(), fy, ly);
    // Clip to the destination image as well.
    fx = std::max(fx, -rect.left()), lx = std::min(lx, dest.width() - rect.left());
    fy = std::max(fy, -rect.top()), ly = std::min(ly, dest.height() - rect.top());
    if (fx >= lx || fy >= ly) return true;

    uint8_t* bits = dest.bits();
    const qsizetype stride = dest.bytesPerLine();
    std::vector<uint32_t> scratch(op == TScaleOp::Xor ? size_t(lx) : 0);
    int64_t prevSy = -1;
    const uint32_t* prevRow = nullptr;
    for (int j = fy; j < ly; ++j) {
        const int64_t sy = src.y() + int64_t(j) * y.Out / y.In;
        auto* d = reinterpret_cast<uint32_t*>(bits + (rect.top() + j) * stride) + rect.left();
        if (op == TScaleOp::Copy) {
            if (sy == prevSy)
                std::memcpy(d + fx, prevRow + fx, size_t(lx - fx) * 4);
            else
                scaler.Convert(d, fx, lx, int(sy), src.x());
            prevRow = d;
        } else {
            if (sy != prevSy) scaler.Convert(scratch.data(), fx, lx, int(sy), src.x());
            for (int i = fx; i < lx; ++i)
                d[i] ^= scratch[size_t(i)] & 0x00FFFFFFu;
        }
        prevSy = sy;
    }
    return true;
}

bool RepeatBitBlt(QImage& dest, int x, int y, int w, int h, const QImage& src, int srcW, int srcH, int srcX,
                  int srcY) {
    if (!Is32(dest) || src.format() != dest.format() || w < 0 || h < 0) return false;
    if (srcW < 1 || srcH < 1 || srcW > src.width() || srcH > src.height()) return false;
    if (srcX < 0 || srcX >= srcW || srcY < 0 || srcY >= srcH) return false;
    const QRect block = QRect(x, y, w, h).intersected(dest.rect());
    if (block.isEmpty()) return true;
    // Block row r shows source row (srcY + r) mod srcH and column c source column
    // (srcX + c) mod srcW: the bands and pieces of the tiling. Rows further than one
    // tile down repeat the row one tile up, so they are copied whole.
    const int c0 = block.left() - x, c1 = block.right() + 1 - x;
    uint8_t* bits = dest.bits();
    const qsizetype stride = dest.bytesPerLine();
    for (int r = block.top() - y; r <= block.bottom() - y; ++r) {
        auto* d = reinterpret_cast<uint32_t*>(bits + (y + r) * stride) + x;
        if (r - srcH >= block.top() - y) {
            const auto* above = reinterpret_cast<const uint32_t*>(bits + (y + r - srcH) * stride) + x;
            std::memcpy(d + c0, above + c0, size_t(c1 - c0) * 4);
            continue;
        }
        const auto* s = reinterpret_cast<const uint32_t*>(src.constScanLine(int((int64_t(srcY) + r) % srcH)));
        for (int c = c0; c < c1;) {
            const int sx = int((int64_t(srcX) + c) % srcW);
            const int piece = std::min(c1 - c, srcW - sx);
            std::memcpy(d + c, s + sx, size_t(piece) * 4);
            c += piece;
        }
    }
    return true;
}

void FillPixels(QImage& image, const QRect& rect, uint32_t pixel) {
    const QRect r = rect.intersected(image.rect());
    if (r.isEmpty() || image.depth() != 32) return;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* d = reinterpret_cast<uint32_t*>(image.scanLine(y)) + r.left();
        std::fill(d, d + r.width(), pixel);
    }
}

void InvertPixels(QImage& image, const QRect& rect) {
    const QRect r = rect.intersected(image.rect());
    if (r.isEmpty() || image.depth() != 32) return;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* d = reinterpret_cast<uint32_t*>(image.scanLine(y)) + r.left();
        for (int i = 0; i < r.width(); ++i)
            d[i] ^= 0x00FFFFFFu;
    }
}

void FillAround(QImage& image, const QRect& inner, uint32_t pixel) {
    const QRect in = inner.intersected(image.rect());
    if (in.isEmpty()) {
        FillPixels(image, image.rect(), pixel);
        return;
    }
    FillPixels(image, QRect(0, 0, image.width(), in.top()), pixel);
    FillPixels(image, QRect(0, in.bottom() + 1, image.width(), image.height() - in.bottom() - 1), pixel);
    FillPixels(image, QRect(0, in.top(), in.left(), in.height()), pixel);
    FillPixels(image, QRect(in.right() + 1, in.top(), image.width() - in.right() - 1, in.height()), pixel);
}
