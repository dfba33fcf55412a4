#include "shell/Common.h"
#include "shell/Filetypes.h"
#include "shell/Mainimage.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(DocumentRules, ZoomStepsStopAtBothEnds) {
    TZoom z = ZoomStep(4);
    EXPECT_EQ(ZoomText(z), "Zoom : 1");
    for (int i = 0; i < 10; ++i)
        z = ZoomIn(z);
    EXPECT_EQ(z, (TZoom{16, 1}));
    EXPECT_EQ(ZoomText(z), "Zoom : 16");
    EXPECT_EQ(ZoomIn(z), z);
    for (int i = 0; i < 10; ++i)
        z = ZoomOut(z);
    EXPECT_EQ(z, (TZoom{1, 16}));
    EXPECT_EQ(ZoomText(z), "Zoom : 1/16");
    EXPECT_EQ(ZoomOut(z), z);
    EXPECT_EQ(ZoomText(ZoomStep(3)), "Zoom : 1/2");
    EXPECT_EQ(ZoomIn(TZoom{3, 1}), (TZoom{3, 1})); // not a step: left alone
}

TEST(DocumentRules, StatusTextsAndUnits) {
    TPaper a4;
    SetPaper(a4, 0);
    EXPECT_EQ(SizePanelText(a4, UnitDot), "Size : 1248 x 1760");
    EXPECT_EQ(DpiPanelText(a4), "DPI : 160");
    EXPECT_EQ(PointerText(0, 0, 100, UnitDot, 160), "1 : 100");
    EXPECT_EQ(PointerText(159, 99, 100, UnitInch, 160), "1.000000 : 0.006250");
    EXPECT_EQ(PointerText(99, 0, 100, UnitCm, 100), "2.540000 : 2.540000");
    EXPECT_EQ(NextUnit(UnitDot), UnitInch);
    EXPECT_EQ(NextUnit(UnitInch), UnitCm);
    EXPECT_EQ(NextUnit(UnitCm), UnitDot);
    EXPECT_EQ(UnitCaption("Unit", UnitCm), "Unit : Cm");
    EXPECT_EQ(ClockPanelText(QDateTime(QDate(2026, 12, 6), QTime(21, 5, 9))), "2026-12-06 PM 09-05-09");
    EXPECT_EQ(ClockPanelText(QDateTime(QDate(2027, 1, 2), QTime(0, 30, 0))), "2027-01-02 AM 12-30-00");
}

TEST(DocumentRules, CaptionsAndNames) {
    EXPECT_EQ(DocumentCaption("", "Noname0.tex", 8), "Noname0.tex - 256 Colors");
    EXPECT_EQ(DocumentCaption("/d", "a.tfc", 24), "/d/a.tfc - Full Colors");
    EXPECT_EQ(NonameFileName(3, 24), "Noname3.tfc");
    EXPECT_EQ(OpenedFileName("design.bmp", TypeBmp, 8), "design.tex");
    EXPECT_EQ(OpenedFileName("design.bmp", TypeBmp, 24), "design.tfc");
    EXPECT_EQ(OpenedFileName("rug.cpt", TypeCpt, 8), "rug.cpt");
    EXPECT_EQ(OpenedFileName("x.tfc", TypeT3d, 24), "x.t3d");
    const int first = NextDocumentNumber();
    EXPECT_EQ(NextDocumentNumber(), first + 1);
}

TEST(DocumentRules, NewCanvasFillsThePaperWithTheCurrentColour) {
    qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
    LoadConfiguration();
    TDesign d;
    TPaper p;
    p.dpi = 50;
    p.type = 0;
    ASSERT_EQ(NewCanvasDesign(d, p, 8, TCurrentColour::OfIndex(7)), 0u);
    EXPECT_EQ(d.Image.Width, 390);
    EXPECT_EQ(d.Image.Height, 550);
    EXPECT_EQ(d.Paper.width, 390);
    EXPECT_EQ(d.Image.GetPixel(389, 549), 7u);
    TRGBQuad q;
    d.Image.GetColors(7, 1, &q);
    EXPECT_EQ(MakeColorRef(q.rgbRed, q.rgbGreen, q.rgbBlue), d.Palette[7].ColorRef());

    TDesign full;
    TPaper custom;
    SetPaper(custom, kPaperCustom, 3, 2);
    ASSERT_EQ(NewCanvasDesign(full, custom, 24, TCurrentColour().WithRgb(MakeColorRef(1, 2, 3))), 0u);
    EXPECT_EQ(full.Image.GetPixel(2, 1), MakeColorRef(1, 2, 3));
    TPaper huge;
    SetPaper(huge, kPaperCustom, 70000, 10);
    EXPECT_EQ(NewCanvasDesign(full, huge, 8, TCurrentColour()), 0x40000010u);
    qunsetenv("VELMORA_HOME");
}

TEST(DocumentRules, RulerMarksFollowUnitZoomAndPosition) {
    // Dots at 1:1: long marks every 100 dots (60 px or more), short ones every 10.
    auto ticks = RulerTicks(0, 300, 1, 1, UnitDot, 160);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks[0].Pos, 0);
    EXPECT_TRUE(ticks[0].Major);
    EXPECT_EQ(ticks[0].Label, "0");
    EXPECT_EQ(ticks[1].Pos, 10);
    EXPECT_FALSE(ticks[1].Major);
    EXPECT_EQ(ticks[10].Label, "100");
    EXPECT_EQ(ticks[10].Pos, 100);

    // Inches at 160 dpi, 1:1, scrolled by 80 dots: the 1-inch mark at canvas 80.
    ticks = RulerTicks(80, 400, 1, 1, UnitInch, 160);
    auto one = std::find_if(ticks.begin(), ticks.end(), [](const TRulerTick& t) { return t.Label == "1"; });
    ASSERT_NE(one, ticks.end());
    EXPECT_EQ(one->Pos, 80);

    // Zoomed out 1:16 in centimetres: marks stay at least 60 px apart.
    ticks = RulerTicks(0, 1000, 1, 16, UnitCm, 160);
    int lastMajor = -1000;
    for (const TRulerTick& t : ticks)
        if (t.Major) {
            EXPECT_GE(t.Pos - lastMajor, 59);
            lastMajor = t.Pos;
        }
    // Counting from the bottom: picture row 99 of 100 is 1 dot from the end.
    ticks = RulerTicks(0, 100, 1, 1, UnitDot, 160, true, 100);
    auto zero = std::find_if(ticks.begin(), ticks.end(), [](const TRulerTick& t) { return t.Label == "0"; });
    EXPECT_EQ(zero, ticks.end()); // the end itself is just past the last row
    EXPECT_TRUE(RulerTicks(0, 0, 1, 1, UnitDot, 160).empty());
}
