#include "shell/Paper.h"

#include <gtest/gtest.h>

TEST(Paper, EveryTypeMeasuresFromItsInchesAtTheResolution) {
    struct Case {
        int type;
        int w, h;
    };
    // 160 dpi portrait: integer part of dpi x inches + 0.5.
    for (Case c : {Case{0, 1248, 1760}, Case{1, 1760, 2496}, Case{2, 2496, 3520}, Case{3, 3520, 4992},
                   Case{4, 4992, 7040}, Case{6, 1280, 1648}, Case{7, 1280, 2112}, Case{8, 1648, 2560},
                   Case{9, 1248, 1760}, Case{-3, 1248, 1760}}) {
        TPaper p;
        p.dpi = 160;
        SetPaper(p, c.type);
        EXPECT_EQ(p.width, c.w) << "type " << c.type;
        EXPECT_EQ(p.height, c.h) << "type " << c.type;
        EXPECT_FALSE(PaperIsLandscape(p));
        p.orientation = 1;
        EXPECT_TRUE(PaperIsLandscape(p));
        EXPECT_EQ(PaperWidth(p), c.h) << "landscape type " << c.type;
        EXPECT_EQ(PaperHeight(p), c.w) << "landscape type " << c.type;
    }
}

TEST(Paper, RoundingAndCustomSize) {
    TPaper p;
    p.dpi = 75;
    SetPaper(p, 0); // 7.8 x 75 = 585, 11 x 75 = 825
    EXPECT_EQ(p.width, 585);
    p.dpi = 333;
    SetPaper(p, 6); // 8 x 333 = 2664, 10.3 x 333 = 3429.9 -> 3430
    EXPECT_EQ(p.height, 3430);

    SetPaper(p, kPaperCustom, 640, 480);
    p.orientation = 1; // custom sizes are taken as given
    EXPECT_EQ(PaperWidth(p), 640);
    EXPECT_EQ(PaperHeight(p), 480);
    EXPECT_TRUE(PaperIsLandscape(p)); // by its sides, whatever the flag says
    SetPaper(p, kPaperCustom, 480, 640);
    EXPECT_FALSE(PaperIsLandscape(p));
}

TEST(Paper, FormatInDotsInchesAndCentimetres) {
    TPaper p;
    p.dpi = 160;
    SetPaper(p, 0);
    QString name, size;
    FormatPaper(p, UnitDot, name, size);
    EXPECT_EQ(name, "A4");
    EXPECT_EQ(size, "1248 x 1760");
    FormatPaper(p, UnitInch, name, size);
    EXPECT_EQ(size, "7.800000 x 11.000000");
    FormatPaper(p, UnitCm, name, size);
    EXPECT_EQ(size, "19.812000 x 27.940000");
    SetPaper(p, kPaperCustom, 10, 20);
    FormatPaper(p, UnitDot, name, size);
    EXPECT_EQ(name, "");
    EXPECT_EQ(size, "10 x 20");
}

TEST(Paper, SizeChoicesSkipCustom) {
    EXPECT_EQ(PaperTypeOfSizeChoice(4), 4);
    EXPECT_EQ(PaperTypeOfSizeChoice(5), 6);
    EXPECT_EQ(PaperTypeOfSizeChoice(7), 8);
    EXPECT_EQ(SizeChoiceOfPaperType(6), 5);
    EXPECT_EQ(SizeChoiceCode(5), "cstLetter");
    EXPECT_EQ(SizeChoiceCode(8), "");
}
