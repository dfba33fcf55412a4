#include "platform/Effects.h"
#include "platform/Magickinit.h"

#include <Magick++.h>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

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

// ImageMagick's picture as a handle (blue, green, red rows).
TBitmapHandle FromMagick(Magick::Image img) {
    TBitmapHandle p;
    const size_t w = img.columns(), h = img.rows();
    EXPECT_TRUE(CreateBitmapHandle(p, int(w), int(h), 24));
    std::vector<uint8_t> bgr(w * h * 3);
    img.write(0, 0, w, h, "BGR", Magick::CharPixel, bgr.data());
    for (size_t y = 0; y < h; ++y)
        std::memcpy(p.Row(int(y)), bgr.data() + y * w * 3, w * 3);
    return p;
}

void Statistic(Magick::Image& img, MagickCore::StatisticType type, size_t size) {
    MagickCore::ExceptionInfo* e = MagickCore::AcquireExceptionInfo();
    img.replaceImage(MagickCore::StatisticImage(img.constImage(), type, size, size, e));
    MagickCore::DestroyExceptionInfo(e);
}

// Every effect with the parameters the Image menu offers first and, for the filters,
// ImageMagick's own operation as "convert -emboss 0x1" or "-statistic Median 3x3" runs it.
const struct {
    TEffect Effect;
    TEffectParams Params;
    std::function<void(Magick::Image&)> Own;
} kEveryEffect[] = {
    {EffectIntensityDetect, {64, 192}, nullptr},
    {EffectSolarize, {128, 0}, nullptr},
    {EffectPosterize, {4, 0}, nullptr},
    {EffectMosaic, {8, 0}, nullptr},
    {EffectAverage, {3, 0}, [](Magick::Image& img) { Statistic(img, MagickCore::MeanStatistic, 3); }},
    {EffectMedian, {5, 0}, [](Magick::Image& img) { Statistic(img, MagickCore::MedianStatistic, 5); }},
    {EffectSharpen, {40, 0}, [](Magick::Image& img) { img.sharpen(0, 2.0); }},
    {EffectAddNoise, {20, 1}, nullptr},
    {EffectEmboss, {20, 0}, [](Magick::Image& img) { img.emboss(0, 1.0); }},
    {EffectGradient, {}, nullptr},
    {EffectLaplacian, {}, nullptr},
    {EffectSobel, {}, nullptr},
    {EffectPrewitt, {}, nullptr},
    {EffectShiftDifference, {}, nullptr},
    {EffectLineSegment, {}, nullptr},
    {EffectEdgeEnhance, {}, nullptr},
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

TEST(Effects, EdgeFiltersFindNoEdgesOnAFlatPicture) {
    for (TEffect edge : {EffectSobel, EffectLaplacian, EffectPrewitt, EffectLineSegment, EffectGradient,
                         EffectEdgeEnhance}) {
        TBitmapHandle flat = Grey(8, 8, 90);
        Freed g{flat};
        ASSERT_TRUE(ApplyEffect(flat, edge, {}));
        EXPECT_EQ(At(flat, 4, 4), edge == EffectEdgeEnhance ? 90 : 0) << edge; // enhancing adds no edge
    }
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

TEST(Effects, EveryEffectStaysInsideASelectionAndFiltersGiveImageMagicksResult) {
    InitImaging();
    const QRegion selection = QRegion(9, 5, 30, 21, QRegion::Ellipse) + QRect(50, 30, 7, 9);
    for (const auto& e : kEveryEffect) {
        TBitmapHandle original = FromMagick(Magick::Image("rose:"));
        TBitmapHandle whole = FromMagick(Magick::Image("rose:"));
        TBitmapHandle part = FromMagick(Magick::Image("rose:"));
        Freed f1{original}, f2{whole}, f3{part};
        ASSERT_TRUE(ApplyEffect(whole, e.Effect, e.Params)) << e.Effect;
        part.HasRegion = true;
        part.Region = selection;
        ASSERT_TRUE(ApplyEffect(part, e.Effect, e.Params)) << e.Effect;
        int wrong = 0, changed = 0; // outside as it was, inside as on the whole picture
        for (int y = 0; y < part.Height; ++y)
            for (int x = 0; x < part.Width; ++x) {
                const bool selected = selection.contains(QPoint(x, y));
                const uint8_t* got = part.Row(y) + 3 * x;
                wrong += std::memcmp(got, (selected ? whole : original).Row(y) + 3 * x, 3) != 0;
                changed += selected && std::memcmp(got, original.Row(y) + 3 * x, 3) != 0;
            }
        EXPECT_EQ(wrong, 0) << "effect " << e.Effect;
        EXPECT_GT(changed, 0) << "effect " << e.Effect << " changed nothing";
        if (!e.Own) continue;
        Magick::Image own("rose:");
        e.Own(own);
        TBitmapHandle theirs = FromMagick(own);
        Freed f4{theirs};
        int worst = 0;
        for (int y = 0; y < whole.Height; ++y)
            for (int i = 0; i < whole.Width * 3; ++i)
                worst = std::max(worst, std::abs(whole.Row(y)[i] - theirs.Row(y)[i]));
        EXPECT_LE(worst, 1) << "effect " << e.Effect << " differs from ImageMagick's";
    }
}
