#include "platform/Geometry.h"
#include "support/Handles.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace {

using TArt = std::vector<std::string>;

// An 8-bit picture whose pixel values are the characters of the art (grey palette).
TBitmapHandle MakeArt8(const TArt& art) {
    TBitmapHandle h;
    EXPECT_TRUE(CreateBitmapHandle(h, int(art[0].size()), int(art.size()), 8));
    SetGreyPalette(h);
    for (int y = 0; y < h.Height; ++y)
        for (int x = 0; x < h.Width; ++x)
            h.Row(y)[x] = uint8_t(art[size_t(y)][size_t(x)]);
    return h;
}

TArt Art8(const TBitmapHandle& h) {
    TArt art;
    for (int y = 0; y < h.Height; ++y)
        art.emplace_back(reinterpret_cast<const char*>(h.Row(y)), size_t(h.Width));
    return art;
}

uint32_t Pixel(const TBitmapHandle& h, int x, int y) {
    const uint8_t* p = h.Row(y);
    if (h.BitsPerPixel == 1) return (p[x >> 3] >> (7 - (x & 7))) & 1;
    if (h.BitsPerPixel == 8) return p[x];
    return MakeColorRef(p[3 * x + 2], p[3 * x + 1], p[3 * x]);
}

void SetPixel(TBitmapHandle& h, int x, int y, uint32_t v) {
    uint8_t* p = h.Row(y);
    if (h.BitsPerPixel == 1) {
        const uint8_t bit = uint8_t(0x80 >> (x & 7));
        p[x >> 3] = uint8_t(v ? p[x >> 3] | bit : p[x >> 3] & ~bit);
    } else if (h.BitsPerPixel == 8) {
        p[x] = uint8_t(v);
    } else {
        p[3 * x] = uint8_t(BlueOf(v)), p[3 * x + 1] = uint8_t(GreenOf(v)), p[3 * x + 2] = uint8_t(RedOf(v));
    }
}

// A picture of distinct-looking pixels (a hash of the position) at any depth.
TBitmapHandle MakeNoise(int w, int h, int bpp, uint32_t seed = 1) {
    TBitmapHandle b;
    EXPECT_TRUE(CreateBitmapHandle(b, w, h, bpp));
    SetGreyPalette(b);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixel(b, x, y, (uint32_t(x * 7919 + y * 104729) * 2654435761u + seed) >> 7);
    return b;
}

bool SamePixels(const TBitmapHandle& a, const TBitmapHandle& b) {
    if (a.Width != b.Width || a.Height != b.Height || a.BitsPerPixel != b.BitsPerPixel) return false;
    for (int y = 0; y < a.Height; ++y)
        for (int x = 0; x < a.Width; ++x)
            if (Pixel(a, x, y) != Pixel(b, x, y)) return false;
    return true;
}

// Straightforward per-pixel rotation in double, sine and cosine exact at quarter turns.
// With snap they are rounded to 32 fractional bits, as the rotation holds them; then every
// term is exact in double. nearEdge, when given, marks the pixels whose source point lies
// within 1e-9 of a pixel edge, where rounding of the plain sine and cosine may decide.
TBitmapHandle ReferenceRotate(const TBitmapHandle& h, int angle, bool resize, uint32_t fill, bool snap,
                              std::vector<bool>* nearEdge = nullptr) {
    const int a = ((angle % 36000) + 36000) % 36000;
    const double rad = a * std::numbers::pi / 18000.0;
    double c = std::cos(rad), s = std::sin(rad);
    if (a % 9000 == 0) c = a == 0 ? 1 : a == 18000 ? -1 : 0, s = a == 9000 ? 1 : a == 27000 ? -1 : 0;
    if (snap)
        c = std::round(std::ldexp(c, 32)) / std::ldexp(1.0, 32),
        s = std::round(std::ldexp(s, 32)) / std::ldexp(1.0, 32);
    const double slack = 1.0 / 1024;
    const int w2 = resize
                       ? std::max(1, int(std::ceil(std::abs(c) * h.Width + std::abs(s) * h.Height - slack)))
                       : h.Width;
    const int h2 = resize
                       ? std::max(1, int(std::ceil(std::abs(s) * h.Width + std::abs(c) * h.Height - slack)))
                       : h.Height;
    TBitmapHandle out;
    EXPECT_TRUE(CreateBitmapHandle(out, w2, h2, h.BitsPerPixel));
    if (nearEdge) nearEdge->assign(size_t(w2) * size_t(h2), false);
    for (int dy = 0; dy < h2; ++dy) {
        for (int dx = 0; dx < w2; ++dx) {
            const double px = dx + 0.5 - w2 / 2.0, py = dy + 0.5 - h2 / 2.0;
            const double sx = c * px + s * py + h.Width / 2.0, sy = -s * px + c * py + h.Height / 2.0;
            const bool inside = sx >= 0 && sx < h.Width && sy >= 0 && sy < h.Height;
            SetPixel(out, dx, dy, inside ? Pixel(h, int(std::floor(sx)), int(std::floor(sy))) : fill);
            if (nearEdge && (std::abs(sx - std::round(sx)) < 1e-9 || std::abs(sy - std::round(sy)) < 1e-9))
                (*nearEdge)[size_t(dy) * size_t(w2) + size_t(dx)] = true;
        }
    }
    return out;
}

const int kWidths[] = {1, 7, 8, 9, 33};
const int kDepths[] = {1, 8, 24};

} // namespace

TEST(RotateHandle, QuarterTurnsOfSmallArtAreExact) {
    const TArt art{"abc", "def"};
    const std::pair<int, TArt> cases[] = {{9000, {"da", "eb", "fc"}},
                                          {18000, {"fed", "cba"}},
                                          {27000, {"cf", "be", "ad"}},
                                          {-9000, {"cf", "be", "ad"}},
                                          {36000, {"abc", "def"}}};
    for (const auto& [angle, expected] : cases) {
        TBitmapHandle h = MakeArt8(art);
        ASSERT_TRUE(RotateHandle(h, angle, true, '.'));
        EXPECT_EQ(Art8(h), expected) << angle;
        FreeBitmapHandle(h);
    }
    // Without growth the turned 4 x 2 picture is cut to its old frame, centred.
    TBitmapHandle h = MakeArt8({"abcd", "efgh"});
    ASSERT_TRUE(RotateHandle(h, 9000, false, '.'));
    EXPECT_EQ(Art8(h), (TArt{".fb.", ".gc."}));
    FreeBitmapHandle(h);
}

TEST(RotateHandle, QuarterTurnsComposeToIdentityAtEveryDepthAndWidth) {
    for (const int bpp : kDepths) {
        for (const int w : kWidths) {
            TBitmapHandle h = MakeNoise(w, 5, bpp);
            TBitmapHandle original = Copy(h);
            ASSERT_TRUE(RotateHandle(h, 9000, true, 0));
            EXPECT_EQ(h.Width, 5);
            EXPECT_EQ(h.Height, w);
            ASSERT_TRUE(RotateHandle(h, 27000, true, 0));
            EXPECT_TRUE(SamePixels(h, original)) << bpp << " bpp, width " << w;
            for (int i = 0; i < 4; ++i)
                ASSERT_TRUE(RotateHandle(h, 9000, true, 0));
            EXPECT_TRUE(SamePixels(h, original)) << bpp << " bpp, width " << w;
            TBitmapHandle half = Copy(original);
            ASSERT_TRUE(RotateHandle(half, 18000, false, 0));
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(Pixel(half, x, y), Pixel(original, w - 1 - x, 4 - y));
            FreeBitmapHandle(h);
            FreeBitmapHandle(half);
            FreeBitmapHandle(original);
        }
    }
}

TEST(RotateHandle, MatchesPerPixelFormulaAtAnyAngle) {
    const int angles[] = {0, 9000, 18000, 27000, 3300, -4500, 1, 35999, 12345, 4500, -27001};
    const std::pair<int, int> sizes[] = {{1, 1}, {7, 5}, {9, 8}, {33, 7}, {8, 9}, {1, 7}, {31, 1}, {17, 23}};
    for (const int bpp : kDepths) {
        for (const auto& [w, ht] : sizes) {
            TBitmapHandle src = MakeNoise(w, ht, bpp, 7);
            for (const int angle : angles) {
                for (const bool resize : {false, true}) {
                    const uint32_t fill = bpp == 1 ? 1 : bpp == 8 ? 0xEE : MakeColorRef(1, 2, 3);
                    TBitmapHandle h = Copy(src);
                    TBitmapHandle ref = ReferenceRotate(src, angle, resize, fill, true);
                    std::vector<bool> nearEdge;
                    TBitmapHandle plain = ReferenceRotate(src, angle, resize, fill, false, &nearEdge);
                    ASSERT_TRUE(RotateHandle(h, angle, resize, fill));
                    const std::string what = std::to_string(bpp) + " bpp " + std::to_string(w) + "x" +
                                             std::to_string(ht) + " angle " + std::to_string(angle) +
                                             (resize ? " grown" : " cut");
                    EXPECT_TRUE(SamePixels(h, ref)) << what;
                    ASSERT_EQ(h.Width, plain.Width) << what;
                    ASSERT_EQ(h.Height, plain.Height) << what;
                    for (int y = 0; y < h.Height; ++y) {
                        for (int x = 0; x < h.Width; ++x) {
                            if (nearEdge[size_t(y) * size_t(h.Width) + size_t(x)]) continue;
                            ASSERT_EQ(Pixel(h, x, y), Pixel(plain, x, y)) << what << " at " << x << "," << y;
                        }
                    }
                    FreeBitmapHandle(h);
                    FreeBitmapHandle(ref);
                    FreeBitmapHandle(plain);
                }
            }
            FreeBitmapHandle(src);
        }
    }
}

TEST(RotateHandle, GrowsToBoundingBoxFillsCornersAndKeepsPalette) {
    TBitmapHandle h = MakeNoise(100, 40, 8);
    h.Palette[9] = TRGBQuad{1, 2, 3, 0};
    h.HasRegion = true;
    h.Region = QRegion(0, 0, 10, 10);
    ASSERT_TRUE(RotateHandle(h, 3300, true, 9));
    const double c = std::cos(33 * std::numbers::pi / 180), s = std::sin(33 * std::numbers::pi / 180);
    EXPECT_EQ(h.Width, int(std::ceil(100 * c + 40 * s)));
    EXPECT_EQ(h.Height, int(std::ceil(100 * s + 40 * c)));
    EXPECT_EQ(Pixel(h, 0, 0), 9u);
    EXPECT_EQ(Pixel(h, h.Width - 1, h.Height - 1), 9u);
    EXPECT_EQ(h.Palette[9], (TRGBQuad{1, 2, 3, 0}));
    EXPECT_FALSE(h.HasRegion);
    FreeBitmapHandle(h);

    TBitmapHandle rgb = MakeNoise(9, 9, 24);
    ASSERT_TRUE(RotateHandle(rgb, 4500, false, MakeColorRef(10, 20, 30)));
    EXPECT_EQ(rgb.Row(0)[0], 30); // blue, green, red in memory
    EXPECT_EQ(rgb.Row(0)[2], 10);
    FreeBitmapHandle(rgb);
}

TEST(RotateHandle, RejectsBadInputAndLeavesPictureUnchanged) {
    TBitmapHandle empty;
    EXPECT_FALSE(RotateHandle(empty, 9000, true, 0));
    EXPECT_EQ(empty.Bits, nullptr);

    TBitmapHandle h16;
    ASSERT_TRUE(CreateBitmapHandle(h16, 4, 4, 16));
    EXPECT_FALSE(RotateHandle(h16, 9000, true, 0));
    EXPECT_EQ(h16.BitsPerPixel, 16);
    FreeBitmapHandle(h16);

    // A picture that turned by 45 degrees would exceed the side limit; its pixels are never read.
    std::vector<uint8_t> few(16);
    TBitmapHandle huge;
    huge.Bits = few.data();
    huge.Width = huge.Height = huge.BytesPerLine = 60000;
    huge.BitsPerPixel = 8;
    EXPECT_FALSE(RotateHandle(huge, 4500, true, 0));
    EXPECT_EQ(huge.Bits, few.data());
    EXPECT_EQ(huge.Width, 60000);
}

TEST(SizeHandle, ReplicatesPixelsByIntegerMapping) {
    TBitmapHandle h = MakeArt8({"ab", "cd"});
    ASSERT_TRUE(SizeHandle(h, 4, 4, false));
    EXPECT_EQ(Art8(h), (TArt{"aabb", "aabb", "ccdd", "ccdd"}));
    ASSERT_TRUE(SizeHandle(h, 3, 2, true)); // 8-bit replicates even when asked to resample
    EXPECT_EQ(Art8(h), (TArt{"aab", "ccd"}));
    FreeBitmapHandle(h);

    for (const int bpp : kDepths) {
        for (const int w : kWidths) {
            TBitmapHandle src = MakeNoise(w, 3, bpp);
            for (const int w2 : kWidths) {
                TBitmapHandle s = Copy(src);
                ASSERT_TRUE(SizeHandle(s, w2, 7, false));
                for (int y = 0; y < 7; ++y)
                    for (int x = 0; x < w2; ++x)
                        ASSERT_EQ(Pixel(s, x, y), Pixel(src, x * w / w2, y * 3 / 7))
                            << bpp << " " << w << ">" << w2;
                FreeBitmapHandle(s);
            }
            FreeBitmapHandle(src);
        }
    }
}

TEST(SizeHandle, AreaAveragesTrueColourPictures) {
    TBitmapHandle board;
    ASSERT_TRUE(CreateBitmapHandle(board, 4, 4, 24));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            SetPixel(board, x, y, (x + y) % 2 ? 0xFFFFFFu : 0);
    ASSERT_TRUE(SizeHandle(board, 2, 2, true));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(Pixel(board, x, y), MakeColorRef(128, 128, 128));
    FreeBitmapHandle(board);

    // Enlarging 2 -> 3: the middle pixel straddles both sources equally.
    TBitmapHandle pair;
    ASSERT_TRUE(CreateBitmapHandle(pair, 2, 1, 24));
    SetPixel(pair, 0, 0, MakeColorRef(0, 90, 200));
    SetPixel(pair, 1, 0, MakeColorRef(255, 10, 100));
    ASSERT_TRUE(SizeHandle(pair, 3, 2, true));
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(Pixel(pair, 0, y), MakeColorRef(0, 90, 200));
        EXPECT_EQ(Pixel(pair, 1, y), MakeColorRef(128, 50, 150));
        EXPECT_EQ(Pixel(pair, 2, y), MakeColorRef(255, 10, 100));
    }
    FreeBitmapHandle(pair);

    // 3 -> 2 weighs the middle source pixel half to each side.
    TBitmapHandle row;
    ASSERT_TRUE(CreateBitmapHandle(row, 3, 1, 24));
    SetPixel(row, 0, 0, MakeColorRef(30, 30, 30));
    SetPixel(row, 1, 0, MakeColorRef(90, 90, 90));
    SetPixel(row, 2, 0, MakeColorRef(150, 150, 150));
    ASSERT_TRUE(SizeHandle(row, 2, 1, true));
    EXPECT_EQ(Pixel(row, 0, 0), MakeColorRef(50, 50, 50));
    EXPECT_EQ(Pixel(row, 1, 0), MakeColorRef(130, 130, 130));
    FreeBitmapHandle(row);
}

TEST(SizeHandle, AreaAverageIsTheOverlapWeightedMean) {
    // Overlap of destination d and source s on one axis, in units of 1 / (src * dst) pixel.
    const auto overlap = [](int64_t d, int64_t s, int64_t src, int64_t dst) {
        return std::max<int64_t>(0, std::min((d + 1) * src, (s + 1) * dst) - std::max(d * src, s * dst));
    };
    for (const auto& [w, ht, w2, h2] : {std::array{7, 5, 3, 4}, {5, 3, 13, 7}, {9, 8, 9, 3}, {33, 2, 8, 5}}) {
        TBitmapHandle src = MakeNoise(w, ht, 24, 3);
        TBitmapHandle h = Copy(src);
        ASSERT_TRUE(SizeHandle(h, w2, h2, true));
        const int64_t total = int64_t(w) * ht;
        for (int dy = 0; dy < h2; ++dy) {
            for (int dx = 0; dx < w2; ++dx) {
                int64_t sum[3] = {};
                for (int sy = 0; sy < ht; ++sy)
                    for (int sx = 0; sx < w; ++sx) {
                        const int64_t weight = overlap(dx, sx, w, w2) * overlap(dy, sy, ht, h2);
                        const uint32_t c = Pixel(src, sx, sy);
                        sum[0] += weight * RedOf(c), sum[1] += weight * GreenOf(c),
                            sum[2] += weight * BlueOf(c);
                    }
                const uint32_t expected =
                    MakeColorRef(int((sum[0] + total / 2) / total), int((sum[1] + total / 2) / total),
                                 int((sum[2] + total / 2) / total));
                ASSERT_EQ(Pixel(h, dx, dy), expected) << w << "x" << ht << " -> " << w2 << "x" << h2;
            }
        }
        FreeBitmapHandle(src);
        FreeBitmapHandle(h);
    }
}

TEST(SizeHandle, RejectsBadSizesAndLeavesPictureUnchanged) {
    TBitmapHandle h = MakeArt8({"ab", "cd"});
    h.HasRegion = true;
    uint8_t* const bits = h.Bits;
    for (const auto& [w, ht] :
         {std::pair{0, 2}, {2, 0}, {-1, 5}, {5, -3}, {kMaxBitmapSide + 1, 1}, {1, 70000}}) {
        EXPECT_FALSE(SizeHandle(h, w, ht, false)) << w << "x" << ht;
        EXPECT_EQ(h.Bits, bits);
    }
    EXPECT_TRUE(SizeHandle(h, 2, 2, true)); // same size: nothing to do, region stays
    EXPECT_TRUE(h.HasRegion);
    EXPECT_EQ(Art8(h), (TArt{"ab", "cd"}));
    FreeBitmapHandle(h);

    TBitmapHandle rgb = MakeNoise(3, 3, 24);
    EXPECT_FALSE(SizeHandle(rgb, kMaxBitmapSide, kMaxBitmapSide, true)); // beyond the byte limit
    EXPECT_EQ(rgb.Width, 3);
    FreeBitmapHandle(rgb);

    TBitmapHandle empty;
    EXPECT_FALSE(SizeHandle(empty, 4, 4, false));
}
