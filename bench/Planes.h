#pragma once
// Test planes for the benchmarks: an A0 design at 160 dpi (4992 x 7040).
#include <cstdint>
#include <random>
#include <vector>

constexpr int kA0Width = 4992;
constexpr int kA0Height = 7040;

// A textile-like 8-bit plane: a flat ground, border stripes, repeated motifs,
// a dithered medallion and a little noise; about 50 colours.
inline std::vector<uint8_t> TextilePlane8(int w = kA0Width, int h = kA0Height) {
    std::vector<uint8_t> p(size_t(w) * size_t(h));
    std::mt19937 rng(42);
    const int cx = w / 2, cy = h / 2, r = std::min(w, h) / 4;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = p.data() + size_t(y) * size_t(w);
        for (int x = 0; x < w; ++x) {
            uint8_t v = 2;
            const int border = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
            if (border < 300)
                v = uint8_t(3 + (border / 20) % 8);
            else if ((x / 208 + y / 220) % 2 == 0 && (x % 208) > 40 && (x % 208) < 170 && (y % 220) > 30 &&
                     (y % 220) < 190)
                v = uint8_t(12 + ((x % 208) / 26 + (y % 220) / 32) % 10);
            const long dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy < long(r) * r)
                v = uint8_t(24 + ((x + y) & 1) * 5 + (dx * dx + dy * dy) / (r * r / 20 + 1));
            row[x] = v;
        }
        for (int k = 0; k < w / 200; ++k)
            row[rng() % unsigned(w)] = uint8_t(2 + rng() % 48);
    }
    return p;
}

// The same design expanded to 24 bits (blue, green, red), rows packed.
inline std::vector<uint8_t> TextilePlane24(int w = kA0Width, int h = kA0Height) {
    const std::vector<uint8_t> idx = TextilePlane8(w, h);
    std::vector<uint8_t> p(idx.size() * 3);
    for (size_t i = 0; i < idx.size(); ++i) {
        const unsigned v = idx[i];
        p[3 * i] = uint8_t(v * 37), p[3 * i + 1] = uint8_t(v * 91), p[3 * i + 2] = uint8_t(v * 151);
    }
    return p;
}

// The A0 plane of a depth (8 or 24), made once per run.
inline const std::vector<uint8_t>& Plane(int bits) {
    static const std::vector<uint8_t> p8 = TextilePlane8();
    static const std::vector<uint8_t> p24 = TextilePlane24();
    return bits == 8 ? p8 : p24;
}
