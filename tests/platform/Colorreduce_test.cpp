#include "platform/Colorreduce.h"
#include "support/Handles.h"
#include "support/Noise.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

TBitmapHandle Make24(int w, int h) {
    TBitmapHandle b;
    EXPECT_TRUE(CreateBitmapHandle(b, w, h, 24));
    return b;
}

void Put24(TBitmapHandle& h, int x, int y, int r, int g, int b) {
    uint8_t* p = h.Row(y) + 3 * x;
    p[0] = uint8_t(b), p[1] = uint8_t(g), p[2] = uint8_t(r);
}

TRGBQuad At24(const TBitmapHandle& h, int x, int y) {
    const uint8_t* p = h.Row(y) + 3 * x;
    return TRGBQuad{p[0], p[1], p[2], 0};
}

int Distance(const TRGBQuad& a, const TRGBQuad& b) {
    const int dr = a.rgbRed - b.rgbRed, dg = a.rgbGreen - b.rgbGreen, db = a.rgbBlue - b.rgbBlue;
    return dr * dr + dg * dg + db * db;
}

// Checks that every pixel of the reduced picture shows the palette colour nearest to the
// original pixel's colour (of the n entries) and returns the mean squared error.
double CheckNearest(const TBitmapHandle& before, const TBitmapHandle& after, int n) {
    double total = 0;
    for (int y = 0; y < before.Height; ++y) {
        for (int x = 0; x < before.Width; ++x) {
            const TRGBQuad c =
                before.BitsPerPixel == 24 ? At24(before, x, y) : before.Palette[before.Row(y)[x]];
            const int index = after.Row(y)[x];
            EXPECT_LT(index, n);
            int best = INT_MAX;
            for (int k = 0; k < n; ++k)
                best = std::min(best, Distance(c, after.Palette[k]));
            const int d = Distance(c, after.Palette[index]);
            EXPECT_EQ(d, best) << "pixel " << x << "," << y;
            total += d;
        }
    }
    return total / (double(before.Width) * before.Height);
}

void ExpectPaletteTailZero(const TBitmapHandle& h, int n) {
    for (int k = n; k < 256; ++k)
        EXPECT_EQ(h.Palette[k], TRGBQuad{}) << k;
}

} // namespace

TEST(ReduceColors, EightBitKeepsFewColoursInOrderOfOldIndices) {
    TBitmapHandle h;
    ASSERT_TRUE(CreateBitmapHandle(h, 9, 2, 8));
    const uint8_t rows[2][9] = {{200, 7, 7, 9, 200, 9, 7, 7, 7}, {9, 9, 9, 200, 200, 200, 7, 9, 13}};
    for (int y = 0; y < 2; ++y)
        std::memcpy(h.Row(y), rows[y], 9);
    h.Palette[7] = TRGBQuad{70, 71, 72, 0};
    h.Palette[9] = TRGBQuad{90, 91, 92, 0};
    h.Palette[13] = TRGBQuad{90, 91, 92, 0}; // same colour as 9: the two merge
    h.Palette[200] = TRGBQuad{20, 21, 22, 0};
    h.HasRegion = true;
    ASSERT_EQ(ReduceColors(h, 3), 3);
    EXPECT_EQ(h.Palette[0], (TRGBQuad{70, 71, 72, 0}));
    EXPECT_EQ(h.Palette[1], (TRGBQuad{90, 91, 92, 0}));
    EXPECT_EQ(h.Palette[2], (TRGBQuad{20, 21, 22, 0}));
    ExpectPaletteTailZero(h, 3);
    const uint8_t expected[2][9] = {{2, 0, 0, 1, 2, 1, 0, 0, 0}, {1, 1, 1, 2, 2, 2, 0, 1, 1}};
    for (int y = 0; y < 2; ++y)
        EXPECT_EQ(std::memcmp(h.Row(y), expected[y], 9), 0) << y;
    EXPECT_TRUE(h.HasRegion);
    FreeBitmapHandle(h);
}

TEST(ReduceColors, EightBitWithTooManyColoursMapsThroughItsPalette) {
    TBitmapHandle h;
    ASSERT_TRUE(CreateBitmapHandle(h, 256, 3, 8));
    SetGreyPalette(h);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 256; ++x)
            h.Row(y)[x] = uint8_t(x);
    const TBitmapHandle before = Copy(h);
    const int n = ReduceColors(h, 16);
    ASSERT_GT(n, 0);
    ASSERT_LE(n, 16);
    const double error = CheckNearest(before, h, n);
    EXPECT_LT(error, 3 * 8 * 8); // grey steps of 16 leave at most 8 levels per channel
    ExpectPaletteTailZero(h, n);
    TBitmapHandle b = before;
    FreeBitmapHandle(b);

    ASSERT_EQ(ReduceColors(h, 1), 1); // one colour: every pixel takes it
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(h.Row(1)[x], 0);
    FreeBitmapHandle(h);
}

TEST(ReduceColors, TrueColourWithFewColoursRoundTripsExactly) {
    for (const int w : {1, 7, 8, 9, 33}) {
        TBitmapHandle h = Make24(w, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < w; ++x)
                Put24(h, x, y, (x * 37) % 5 * 60, y * 50, (x + y) % 3 * 100);
        const TBitmapHandle before = Copy(h);
        // First appearance, rows top-down: the first two pixels' colours get 0 and (if any) 1.
        const TRGBQuad first = At24(h, 0, 0);
        const int n = ReduceColors(h, 256);
        ASSERT_GT(n, 0);
        EXPECT_EQ(h.BitsPerPixel, 8);
        EXPECT_EQ(h.Palette[0], first);
        EXPECT_EQ(h.Row(0)[0], 0);
        if (w > 1) {
            EXPECT_EQ(h.Row(0)[1], At24(before, 1, 0) == first ? 0 : 1);
        }
        ExpectPaletteTailZero(h, n);
        ASSERT_TRUE(ExpandTo24(h));
        ASSERT_EQ(h.BitsPerPixel, 24);
        for (int y = 0; y < 5; ++y)
            EXPECT_EQ(std::memcmp(h.Row(y), before.Row(y), size_t(3 * w)), 0) << w;
        TBitmapHandle b = before;
        FreeBitmapHandle(b);
        FreeBitmapHandle(h);
    }
}

TEST(ReduceColors, ThousandColoursGoToNearestOfAtMost250) {
    TBitmapHandle h = Make24(40, 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 40; ++x) {
            const int i = (y * 40 + x) % 1000; // each colour twice
            Put24(h, x, y, i % 10 * 28, i / 10 % 10 * 28, i / 100 * 28);
        }
    const TBitmapHandle before = Copy(h);
    const int n = ReduceColors(h, 250);
    ASSERT_GT(n, 200);
    ASSERT_LE(n, 250);
    ExpectPaletteTailZero(h, n);
    const double error = CheckNearest(before, h, n);
    EXPECT_LT(error, 3 * 14 * 14); // less than half a grid step per channel on average
    TBitmapHandle b = before;
    FreeBitmapHandle(b);
    FreeBitmapHandle(h);
}

TEST(ReduceColors, RandomColoursGoToTheirNearestPaletteColour) {
    TBitmapHandle h = Make24(61, 67);
    TNoise noise{99};
    for (int y = 0; y < 67; ++y)
        for (int x = 0; x < 61; ++x) {
            const uint32_t seed = noise.Next();
            Put24(h, x, y, int(seed >> 24), int(seed >> 16) & 255, int(seed >> 8) & 255);
        }
    for (const int colors : {2, 37, 256}) {
        TBitmapHandle work = Copy(h);
        const int n = ReduceColors(work, colors);
        ASSERT_EQ(n, colors);
        CheckNearest(h, work, n);
        FreeBitmapHandle(work);
    }
    FreeBitmapHandle(h);
}

TEST(ReduceColors, RejectsBadArgumentsAndLeavesPictureUnchanged) {
    TBitmapHandle h = Make24(3, 3);
    for (const int bad : {0, 257, -1}) {
        EXPECT_EQ(ReduceColors(h, bad), -1);
        EXPECT_EQ(h.BitsPerPixel, 24);
    }
    FreeBitmapHandle(h);
    TBitmapHandle mono;
    ASSERT_TRUE(CreateBitmapHandle(mono, 9, 2, 1));
    EXPECT_EQ(ReduceColors(mono, 2), -1);
    EXPECT_EQ(mono.BitsPerPixel, 1);
    FreeBitmapHandle(mono);
    TBitmapHandle empty;
    EXPECT_EQ(ReduceColors(empty, 10), -1);
    EXPECT_FALSE(ExpandTo24(empty));
}

TEST(ExpandTo24, WidensThroughThePaletteAtEveryWidth) {
    for (const int w : {1, 7, 8, 9, 33}) {
        TBitmapHandle mono;
        ASSERT_TRUE(CreateBitmapHandle(mono, w, 2, 1));
        mono.Palette[0] = TRGBQuad{1, 2, 3, 0};
        mono.Palette[1] = TRGBQuad{200, 100, 50, 0};
        for (int x = 0; x < w; x += 3)
            mono.Row(1)[x >> 3] |= uint8_t(0x80 >> (x & 7));
        mono.HasRegion = true;
        ASSERT_TRUE(ExpandTo24(mono));
        EXPECT_EQ(mono.BitsPerPixel, 24);
        EXPECT_TRUE(mono.HasRegion);
        for (int x = 0; x < w; ++x) {
            EXPECT_EQ(At24(mono, x, 0), (TRGBQuad{1, 2, 3, 0}));
            EXPECT_EQ(At24(mono, x, 1), x % 3 ? (TRGBQuad{1, 2, 3, 0}) : (TRGBQuad{200, 100, 50, 0})) << w;
        }
        FreeBitmapHandle(mono);

        TBitmapHandle grey;
        ASSERT_TRUE(CreateBitmapHandle(grey, w, 1, 8));
        grey.Palette[5] = TRGBQuad{10, 20, 30, 0};
        std::memset(grey.Row(0), 5, size_t(w));
        ASSERT_TRUE(ExpandTo24(grey));
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(At24(grey, x, 0), (TRGBQuad{10, 20, 30, 0}));
        ASSERT_TRUE(ExpandTo24(grey)); // already 24 bits
        FreeBitmapHandle(grey);
    }
    TBitmapHandle hi;
    ASSERT_TRUE(CreateBitmapHandle(hi, 2, 1, 16));
    hi.Row(0)[0] = 0x1F, hi.Row(0)[1] = 0x7C; // red 31, green 0, blue 31
    hi.Row(0)[2] = 0xE0, hi.Row(0)[3] = 0x03; // green 31
    ASSERT_TRUE(ExpandTo24(hi));
    EXPECT_EQ(At24(hi, 0, 0), (TRGBQuad{255, 0, 255, 0}));
    EXPECT_EQ(At24(hi, 1, 0), (TRGBQuad{0, 255, 0, 0}));
    FreeBitmapHandle(hi);
}
