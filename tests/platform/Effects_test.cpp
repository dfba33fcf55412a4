#include "platform/Effects.h"

#include <gtest/gtest.h>

namespace {

// A w x h picture of one grey level, with an optional different pixel.
TBitmapHandle Grey(int w, int h, int level) {
    TBitmapHandle p;
    EXPECT_TRUE(CreateBitmapHandle(p, w, h, 24));
    for (int y = 0; y < h; ++y)
        std::memset(p.Row(y), level, size_t(w) * 3);
    return p;
}

int At(const TBitmapHandle& p, int x, int y, int c = 0) {
    return p.Row(y)[3 * x + c];
}
void Put(TBitmapHandle& p, int x, int y, int v) {
    std::memset(p.Row(y) + 3 * x, v, 3);
}

struct Freed {
    TBitmapHandle& h;
    ~Freed() { FreeBitmapHandle(h); }
};

} // namespace

TEST(Effects, PointOperationsFollowTheirThresholds) {
    TBitmapHandle p = Grey(4, 1, 100);
    Freed f{p};
    Put(p, 1, 0, 200);
    Put(p, 2, 0, 20);
    ASSERT_TRUE(ApplyEffect(p, EffectSolarize, {128, 0}));
    EXPECT_EQ(At(p, 0, 0), 100);
    EXPECT_EQ(At(p, 1, 0), 55);
    ASSERT_TRUE(ApplyEffect(p, EffectIntensityDetect, {50, 150}));
    EXPECT_EQ(At(p, 0, 0), 255);
    EXPECT_EQ(At(p, 1, 0), 255); // 55 is inside
    EXPECT_EQ(At(p, 2, 0), 0);

    TBitmapHandle q = Grey(2, 1, 100);
    Freed g{q};
    Put(q, 1, 0, 200);
    ASSERT_TRUE(ApplyEffect(q, EffectPosterize, {2, 0}));
    EXPECT_EQ(At(q, 0, 0), 0);
    EXPECT_EQ(At(q, 1, 0), 255);
}

TEST(Effects, MosaicAveragesTilesAndNoiseIsRepeatableAndBounded) {
    TBitmapHandle p = Grey(3, 2, 0);
    Freed f{p};
    Put(p, 0, 0, 40);
    Put(p, 1, 1, 80);
    ASSERT_TRUE(ApplyEffect(p, EffectMosaic, {2, 0}));
    EXPECT_EQ(At(p, 0, 0), 30);
    EXPECT_EQ(At(p, 1, 1), 30);
    EXPECT_EQ(At(p, 2, 0), 0); // the last, narrower tile

    TBitmapHandle a = Grey(16, 16, 128), b = Grey(16, 16, 128);
    Freed fa{a}, fb{b};
    ASSERT_TRUE(ApplyEffect(a, EffectAddNoise, {10, 7}));
    ASSERT_TRUE(ApplyEffect(b, EffectAddNoise, {10, 7}));
    EXPECT_EQ(0, std::memcmp(a.Bits, b.Bits, a.ByteSize()));
    bool changed = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            EXPECT_NEAR(At(a, x, y), 128, 10);
            changed |= At(a, x, y) != 128;
        }
    EXPECT_TRUE(changed);
}

TEST(Effects, NeighbourhoodFiltersThroughImageMagick) {
    TBitmapHandle speck = Grey(9, 9, 50);
    Freed f{speck};
    Put(speck, 4, 4, 250);
    ASSERT_TRUE(ApplyEffect(speck, EffectMedian, {3, 0}));
    EXPECT_EQ(At(speck, 4, 4), 50); // a lone speck goes

    for (TEffect edge : {EffectSobel, EffectLaplacian, EffectPrewitt, EffectLineSegment, EffectGradient}) {
        TBitmapHandle flat = Grey(8, 8, 90);
        Freed g{flat};
        ASSERT_TRUE(ApplyEffect(flat, edge, {}));
        EXPECT_EQ(At(flat, 4, 4), 0) << edge; // no edges on a flat picture
    }
    TBitmapHandle flat = Grey(8, 8, 90);
    Freed g{flat};
    ASSERT_TRUE(ApplyEffect(flat, EffectAverage, {3, 0}));
    EXPECT_EQ(At(flat, 4, 4), 90);
    ASSERT_TRUE(ApplyEffect(flat, EffectEdgeEnhance, {}));
    EXPECT_EQ(At(flat, 4, 4), 90);

    TBitmapHandle step = Grey(10, 10, 40);
    Freed s{step};
    for (int y = 0; y < 10; ++y)
        for (int x = 5; x < 10; ++x)
            Put(step, x, y, 200);
    ASSERT_TRUE(ApplyEffect(step, EffectSharpen, {40, 0}));
    EXPECT_LE(At(step, 4, 5), 40); // the dark side of the edge gets darker or stays
    ASSERT_TRUE(ApplyEffect(step, EffectEmboss, {20, 0}));
}

TEST(Effects, BadParametersAndDepthsChangeNothing) {
    TBitmapHandle p = Grey(4, 4, 77);
    Freed f{p};
    EXPECT_FALSE(ApplyEffect(p, EffectPosterize, {1, 0}));
    EXPECT_FALSE(ApplyEffect(p, EffectMedian, {4, 0}));
    EXPECT_FALSE(ApplyEffect(p, EffectIntensityDetect, {200, 100}));
    EXPECT_FALSE(ApplyEffect(p, EffectSolarize, {300, 0}));
    EXPECT_EQ(At(p, 2, 2), 77);
    TBitmapHandle idx;
    Freed g{idx};
    ASSERT_TRUE(CreateBitmapHandle(idx, 4, 4, 8));
    EXPECT_FALSE(ApplyEffect(idx, EffectSolarize, {10, 0}));
}
