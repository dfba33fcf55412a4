#include "colour/Palette.h"
#include "colour/Pcmy.h"
#include "colour/Phls.h"
#include "colour/Searchcolor.h"

#include <gtest/gtest.h>

TEST(ColorData, SettersKeepReservedAndProtectedBitsAndDropNames) {
    TColorData c;
    c.Flags = 0x60 | kColorProtectedFlag;
    c.SetUser(KindVMTextile, 12, 3, 10, 20, 30, "My.ucl", "Rose");
    EXPECT_EQ(c.Flags, 0x60 | kColorProtectedFlag | kColorUserFlag | KindVMTextile);
    EXPECT_EQ(c.ColorRef(), MakeColorRef(10, 20, 30));
    EXPECT_EQ(c.Color.rgbBlue, 30);
    c.SetRGB(1, 2, 3);
    EXPECT_EQ(c.Flags, 0x60 | kColorProtectedFlag);
    EXPECT_EQ(c.Page, 0);
    EXPECT_TRUE(c.FileName.isEmpty());
    c.SetProtected(false);
    EXPECT_FALSE(c.Protected());
}

TEST(ColorData, EqualityComparesNamesOnlyForUserColours) {
    TColorData a, b;
    a.SetLibrary(KindVMStandard, 4, 5, 1, 2, 3);
    b = a;
    b.ColorName = "ignored"; // not a user colour: names do not count
    EXPECT_TRUE(a == b);
    a.SetUser(KindNormal, 0, 0, 1, 2, 3, "f.ucl", "x");
    b.SetUser(KindNormal, 0, 0, 1, 2, 3, "f.ucl", "y");
    EXPECT_FALSE(a == b);
    b.ColorName = "x";
    EXPECT_TRUE(a == b);
    b.Number = 1;
    EXPECT_FALSE(a == b);
}

TEST(Palette, DefaultHasBlackWhiteAndSystemColours) {
    TPalette p;
    p.SetDefault();
    EXPECT_EQ(p[0].ColorRef(), MakeColorRef(0, 0, 0));
    EXPECT_EQ(p[1].ColorRef(), MakeColorRef(255, 255, 255));
    EXPECT_EQ(p[2].ColorRef(), MakeColorRef(0, 0, 0));
    EXPECT_EQ(p[255].ColorRef(), MakeColorRef(255, 255, 255));
    EXPECT_EQ(p[3].ColorRef(), MakeColorRef(128, 128, 0));
    EXPECT_EQ(p[249].ColorRef(), MakeColorRef(255, 0, 0));
    EXPECT_EQ(p.UseColor, 2);
}

TEST(Palette, GradationAppendsKeysAndTruncatedSteps) {
    TPalette p;
    p[2].SetRGB(0, 0, 0);
    p[3].SetRGB(10, 100, 255);
    p[4].SetLibrary(KindVMStandard, 7, 1, 30, 30, 30);
    p.UseColor = 4;
    ASSERT_EQ(p.Gradation({2, 3, 4}, {3, 2}), 6);
    EXPECT_EQ(p.UseColor, 10);
    EXPECT_EQ(p[5].ColorRef(), MakeColorRef(0, 0, 0));
    EXPECT_EQ(p[6].ColorRef(), MakeColorRef(3, 33, 85)); // 10*1/3, 100*1/3, 255*1/3
    EXPECT_EQ(p[7].ColorRef(), MakeColorRef(6, 66, 170));
    EXPECT_EQ(p[8].ColorRef(), MakeColorRef(10, 100, 255));
    EXPECT_EQ(p[9].ColorRef(), MakeColorRef(20, 65, 143)); // 10+20/2, 100-70/2, 255-225/2 toward zero
    EXPECT_TRUE(p[10] == p[4]);                            // the last key copied with its library
    EXPECT_EQ(p.Gradation({2, 3}, {300}), -1);
    EXPECT_EQ(p.Gradation({2}, {}), -1);
    EXPECT_EQ(p.UseColor, 10);
}

TEST(ChoiceColor, KeepsOrderRefusesDuplicatesAndRenumbers) {
    TPalette p;
    p[9].SetRGB(9, 9, 9);
    TChoiceColor set;
    EXPECT_TRUE(set.Add(9, p));
    EXPECT_TRUE(set.Add(4, p));
    EXPECT_TRUE(set.Add(200, p));
    EXPECT_FALSE(set.Add(4, p));
    EXPECT_EQ(set.PositionOf(200), 2);
    EXPECT_EQ(set.PositionOf(5), 255);
    set.Remove(9);
    EXPECT_EQ(set.Count(), 2);
    EXPECT_EQ(set.IndexAt(0), 4);
    EXPECT_EQ(set.PositionOf(200), 1);
    EXPECT_EQ(set.PositionOf(9), 255);
    p[4].SetRGB(1, 2, 3);
    set.Bind(p);
    EXPECT_EQ(set.EntryAt(0).ColorRef(), MakeColorRef(1, 2, 3));

    set.Clear();
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(set.Add(i, p));
    EXPECT_FALSE(set.Add(0, p));
    EXPECT_TRUE(set.Contains(255));
    EXPECT_EQ(set.PositionOf(255), 255);
}

TEST(ColourSpaces, HlsFollowsTheTruncationRules) {
    THLS grey = RGBToHLS(77, 77, 77);
    EXPECT_EQ(grey.S, 0);
    EXPECT_EQ(grey.H, kUndefinedHue);
    int r, g, b;
    HLSToRGB(THLS{0, 0.5, 0}, r, g, b);
    EXPECT_EQ(r, 127);
    EXPECT_EQ(g, 127);
    EXPECT_EQ(b, 127);
    THLS red = RGBToHLS(255, 0, 0);
    EXPECT_DOUBLE_EQ(red.H, 0);
    EXPECT_DOUBLE_EQ(red.L, 0.5);
    EXPECT_DOUBLE_EQ(red.S, 1);
    EXPECT_DOUBLE_EQ(RGBToHLS(0, 0, 255).H, 240);
    EXPECT_DOUBLE_EQ(RGBToHLS(255, 0, 128).H, 360 - 60 * 128 / 255.0);
    // Round trips lose at most one step to truncation.
    for (int c : {0x102030, 0xFF8000, 0x00FFC0, 0x808081, 0xC8C8FF}) {
        const int cr = c >> 16, cg = (c >> 8) & 255, cb = c & 255;
        HLSToRGB(RGBToHLS(cr, cg, cb), r, g, b);
        EXPECT_NEAR(r, cr, 1) << std::hex << c;
        EXPECT_NEAR(g, cg, 1) << std::hex << c;
        EXPECT_NEAR(b, cb, 1) << std::hex << c;
    }
    const TCMY cmy = RGBToCMY(10, 20, 30);
    EXPECT_EQ(cmy.C, 245);
    CMYToRGB(cmy, r, g, b);
    EXPECT_EQ(b, 30);
}

TEST(SearchColor, SmallerSumWinsTiesGoToTheFlatterCandidateThenTheFirst) {
    TSearchColor s(100, 100, 100);
    EXPECT_FALSE(s.Found());
    s.Offer(0, 130, 100, 100); // sum 30, largest 30
    s.Offer(1, 110, 110, 110); // sum 30, every channel below 30: wins
    EXPECT_EQ(s.Best(), 1);
    s.Offer(2, 90, 90, 90); // sum 30, channels 10 not below 10: the earlier stays
    EXPECT_EQ(s.Best(), 1);
    s.Offer(3, 100, 100, 129); // sum 29
    EXPECT_EQ(s.Best(), 3);
    EXPECT_TRUE(s.Offer(4, 100, 100, 100));
    EXPECT_EQ(s.Best(), 4);
    EXPECT_TRUE(s.Offer(5, 100, 100, 100)); // the search has ended
    EXPECT_EQ(s.Best(), 4);
    EXPECT_EQ(s.BestDistance(), 0);
}
