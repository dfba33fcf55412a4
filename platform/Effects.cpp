#include "platform/Effects.h"

#include "platform/Magickinit.h"

#include <Magick++.h>
#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

template <class F> void EachPixel(TBitmapHandle& h, F f) {
    for (int y = 0; y < h.Height; ++y) {
        uint8_t* p = h.Row(y);
        for (int x = 0; x < h.Width; ++x, p += 3)
            f(p);
    }
}

void Mosaic(TBitmapHandle& h, int size) {
    for (int by = 0; by < h.Height; by += size)
        for (int bx = 0; bx < h.Width; bx += size) {
            const int ey = std::min(by + size, h.Height), ex = std::min(bx + size, h.Width);
            long sum[3] = {};
            for (int y = by; y < ey; ++y)
                for (int x = bx; x < ex; ++x)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += h.Row(y)[3 * x + c];
            const long n = long(ey - by) * (ex - bx);
            for (int y = by; y < ey; ++y)
                for (int x = bx; x < ex; ++x)
                    for (int c = 0; c < 3; ++c)
                        h.Row(y)[3 * x + c] = uint8_t(sum[c] / n);
        }
}

// The 3 x 3 kernels of the spatial filters (north-facing where they have a direction).
const double* KernelOf(TEffect effect) {
    static const double gradient[9] = {-1, -1, -1, 0, 0, 0, 1, 1, 1};
    static const double laplacian[9] = {-1, -1, -1, -1, 8, -1, -1, -1, -1};
    static const double sobel[9] = {-1, -2, -1, 0, 0, 0, 1, 2, 1};
    static const double prewitt[9] = {-1, -1, -1, 1, -2, 1, 1, 1, 1};
    static const double shift[9] = {0, 0, 0, 0, 1, 0, 0, -1, 0};
    static const double line[9] = {-1, -1, -1, 2, 2, 2, -1, -1, -1};
    switch (effect) {
    case EffectGradient:
        return gradient;
    case EffectLaplacian:
    case EffectEdgeEnhance:
        return laplacian;
    case EffectSobel:
        return sobel;
    case EffectPrewitt:
        return prewitt;
    case EffectShiftDifference:
        return shift;
    case EffectLineSegment:
        return line;
    default:
        return nullptr;
    }
}

// Runs an ImageMagick operation on the picture's pixels.
template <class F> bool ThroughMagick(TBitmapHandle& h, F op) {
    InitImaging();
    const size_t row = size_t(h.Width) * 3;
    std::vector<uint8_t> packed(row * size_t(h.Height));
    for (int y = 0; y < h.Height; ++y)
        std::memcpy(packed.data() + row * size_t(y), h.Row(y), row);
    try {
        Magick::Image img(size_t(h.Width), size_t(h.Height), "BGR", Magick::CharPixel, packed.data());
        op(img);
        img.write(0, 0, size_t(h.Width), size_t(h.Height), "BGR", Magick::CharPixel, packed.data());
    } catch (...) {
        return false;
    }
    for (int y = 0; y < h.Height; ++y)
        std::memcpy(h.Row(y), packed.data() + row * size_t(y), row);
    return true;
}

// A second picture with h's pixels; false when memory is short.
bool Duplicate(const TBitmapHandle& h, TBitmapHandle& copy) {
    if (!CreateBitmapHandle(copy, h.Width, h.Height, 24)) return false;
    std::memcpy(copy.Bits, h.Bits, h.ByteSize());
    return true;
}

bool InRange(const TEffectParams& p, int lo, int hi) {
    return p.Low >= lo && p.Low <= hi;
}

// The effect on every pixel of the picture.
bool ApplyToWhole(TBitmapHandle& h, TEffect effect, const TEffectParams& p) {
    switch (effect) {
    case EffectIntensityDetect:
        if (!InRange(p, 0, 255) || p.High < p.Low || p.High > 255) return false;
        EachPixel(h, [&](uint8_t* px) {
            const int v = (px[2] * 299 + px[1] * 587 + px[0] * 114) / 1000;
            std::memset(px, v >= p.Low && v <= p.High ? 255 : 0, 3);
        });
        return true;
    case EffectSolarize:
        if (!InRange(p, 0, 255)) return false;
        EachPixel(h, [&](uint8_t* px) {
            for (int c = 0; c < 3; ++c)
                if (px[c] > p.Low) px[c] = uint8_t(255 - px[c]);
        });
        return true;
    case EffectPosterize:
        if (!InRange(p, 2, 64)) return false;
        EachPixel(h, [&](uint8_t* px) {
            for (int c = 0; c < 3; ++c)
                px[c] = uint8_t((px[c] * (p.Low - 1) + 127) / 255 * 255 / (p.Low - 1));
        });
        return true;
    case EffectMosaic:
        if (!InRange(p, 2, 64)) return false;
        Mosaic(h, p.Low);
        return true;
    case EffectAddNoise: {
        if (!InRange(p, 1, 255)) return false;
        std::mt19937 rng(uint32_t(p.High));
        std::uniform_int_distribution<int> noise(-p.Low, p.Low);
        EachPixel(h, [&](uint8_t* px) {
            const int n = noise(rng);
            for (int c = 0; c < 3; ++c)
                px[c] = uint8_t(std::clamp(px[c] + n, 0, 255));
        });
        return true;
    }
    case EffectAverage:
    case EffectMedian:
        if (!InRange(p, 3, 15) || p.Low % 2 == 0) return false;
        if (effect == EffectMedian) // This ImageMagick takes the window size itself here.
            return ThroughMagick(h, [&](Magick::Image& img) { img.medianFilter(p.Low); });
        return ThroughMagick(h, [&](Magick::Image& img) {
            std::vector<double> box(size_t(p.Low * p.Low), 1.0 / (p.Low * p.Low));
            img.convolve(size_t(p.Low), box.data());
        });
    case EffectSharpen:
        if (!InRange(p, 1, 100)) return false;
        return ThroughMagick(h, [&](Magick::Image& img) { img.sharpen(0, p.Low / 20.0); });
    case EffectEmboss:
        if (!InRange(p, 1, 100)) return false;
        return ThroughMagick(h, [&](Magick::Image& img) { img.emboss(0, p.Low / 20.0); });
    case EffectEdgeEnhance: {
        // The edges of a filtered copy are added back onto the picture.
        TBitmapHandle edges;
        if (!Duplicate(h, edges)) return false;
        const bool ok = ThroughMagick(edges, [&](Magick::Image& img) { img.convolve(3, KernelOf(effect)); });
        if (ok)
            for (size_t i = 0; i < h.ByteSize(); ++i)
                h.Bits[i] = uint8_t(std::min(255, h.Bits[i] + edges.Bits[i]));
        FreeBitmapHandle(edges);
        return ok;
    }
    default:
        if (const double* kernel = KernelOf(effect))
            return ThroughMagick(h, [&](Magick::Image& img) { img.convolve(3, kernel); });
        return false;
    }
}

// Neighbourhood effects read pixels outside a selection, so the effect runs on a
// copy of the whole picture and only the selected pixels are taken from it.
bool ApplyToRegion(TBitmapHandle& h, TEffect effect, const TEffectParams& p) {
    TBitmapHandle copy;
    if (!Duplicate(h, copy)) return false;
    const bool ok = ApplyToWhole(copy, effect, p);
    if (ok)
        for (const QRect& r : h.Region.intersected(QRect(0, 0, h.Width, h.Height)))
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::memcpy(h.Row(y) + 3 * r.x(), copy.Row(y) + 3 * r.x(), size_t(r.width()) * 3);
    FreeBitmapHandle(copy);
    return ok;
}

} // namespace

bool EffectNeedsImageMagick(TEffect effect) {
    switch (effect) {
    case EffectIntensityDetect:
    case EffectSolarize:
    case EffectPosterize:
    case EffectMosaic:
    case EffectAddNoise:
        return false;
    default:
        return true;
    }
}

bool ApplyEffect(TBitmapHandle& h, TEffect effect, const TEffectParams& p) {
    if (!h.Allocated || h.BitsPerPixel != 24) return false;
    return h.HasRegion ? ApplyToRegion(h, effect, p) : ApplyToWhole(h, effect, p);
}
