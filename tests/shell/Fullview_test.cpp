#include "platform/Inifile.h"
#include "shell/Fullview.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(FullViewRules, SuperModeCyclesAndShowsOverlapOnlyInLastMode) {
    int mode = 0;
    const int expected[] = {1, 2, 3, 0};
    for (int step : expected) {
        mode = NextSuperMode(mode);
        EXPECT_EQ(mode, step);
        EXPECT_EQ(OverlapShown(mode), step == 3);
    }
    EXPECT_EQ(NextSuperMode(7), 1); // a stray value restarts the cycle
    EXPECT_EQ(SuperCaptionIndex(0), 5);
    EXPECT_EQ(SuperCaptionIndex(3), 8);
}

TEST(FullViewRules, TapelineRunsZeroThreeOneTwo) {
    int state = 0;
    const int expected[] = {3, 1, 2, 0};
    for (int step : expected)
        EXPECT_EQ(state = NextTapeline(state), step);
    EXPECT_EQ(NextTapeline(-4), 0);
    EXPECT_EQ(TapelineCaptionIndex(3), 12);
}

TEST(FullViewRules, OverlapEntryIsClampedAndTruncated) {
    EXPECT_EQ(ClampOverlap("150"), 100);
    EXPECT_EQ(ClampOverlap("-3"), 0);
    EXPECT_EQ(ClampOverlap("42.9"), 42);
    EXPECT_EQ(ClampOverlap(" 7 "), 7);
    EXPECT_EQ(ClampOverlap("abc"), 0);
    EXPECT_EQ(ClampOverlap(""), 0);
    EXPECT_EQ(ClampOverlap("1e300"), 100);
}

TEST(FullViewRules, TrackBarPositionsMapToTheZoomTable) {
    struct Row {
        const char* Label;
        int In, Out;
    };
    const Row table[] = {{"1/16", 1, 16}, {"1/8", 1, 8}, {"1/4", 1, 4}, {"1/2", 1, 2}, {"1", 1, 1},
                         {"2", 2, 1},     {"4", 4, 1},   {"8", 8, 1},   {"16", 16, 1}};
    for (int p = 0; p < 9; ++p) {
        EXPECT_EQ(TrackZoomLabel(p), table[p].Label) << p;
        EXPECT_EQ(TrackZoom(p), (TZoom{table[p].In, table[p].Out})) << p;
        EXPECT_EQ(TrackPositionOf(TrackZoom(p)), p);
    }
    EXPECT_EQ(TrackZoom(-1), (TZoom{1, 16}));
    EXPECT_EQ(TrackZoom(99), (TZoom{16, 1}));
    EXPECT_EQ(TrackPositionOf(TZoom{3, 1}), 4);
}

namespace {
// A 200 x 150 preview of a 2000 x 1500 picture seen through a 400 x 300 view at 1:1.
TPreviewGeometry Preview() {
    TPreviewGeometry g;
    g.PreviewW = 200;
    g.PreviewH = 150;
    g.ImageW = 2000;
    g.ImageH = 1500;
    g.ViewW = 400;
    g.ViewH = 300;
    return g;
}
} // namespace

TEST(PreviewScroll, EdgesSnapAndTheMiddleIsProportional) {
    const TPreviewGeometry g = Preview();
    EXPECT_EQ(PreviewToScroll(g, {9, 9}), QPoint(0, 0));
    EXPECT_EQ(PreviewToScroll(g, {-50, -1}), QPoint(0, 0));
    EXPECT_EQ(PreviewToScroll(g, {10, 10}), QPoint(0, 0));
    EXPECT_EQ(PreviewToScroll(g, {191, 141}), QPoint(1600, 1200)); // W - VW, H - VH
    EXPECT_EQ(PreviewToScroll(g, {500, 900}), QPoint(1600, 1200));
    EXPECT_EQ(PreviewToScroll(g, {190, 140}), QPoint(1600, 1200));
    EXPECT_EQ(PreviewToScroll(g, {100, 20}), QPoint(800, 92)); // 1200 * 10 / 130 truncated
    EXPECT_EQ(PreviewToScroll(g, {11, 11}), QPoint(8, 9));
}

TEST(PreviewScroll, BottomUpPicturesCountFromTheBottom) {
    TPreviewGeometry g = Preview();
    g.BottomUp = true;
    EXPECT_EQ(PreviewToScroll(g, {100, 20}), QPoint(800, 1200 - 92));
    EXPECT_EQ(PreviewToScroll(g, {100, 0}).y(), 1200);
    EXPECT_EQ(PreviewToScroll(g, {100, 150}).y(), 0);
    // The frame is drawn where the pointer was.
    const QRect frame = VisibleFrame(g, QPoint(0, 1200));
    EXPECT_EQ(frame, QRect(0, 0, 40, 30));
}

TEST(PreviewScroll, ZoomDecidesTheVisibleSize) {
    TPreviewGeometry g = Preview();
    g.ZoomOut = 16; // the whole picture fits: nothing to scroll
    EXPECT_EQ(g.VisibleW(), 2000);
    EXPECT_EQ(PreviewToScroll(g, {195, 145}), QPoint(0, 0));
    g.ZoomOut = 1;
    g.ZoomIn = 2;
    EXPECT_EQ(g.VisibleW(), 200);
    EXPECT_EQ(PreviewToScroll(g, {195, 145}), QPoint(1800, 1350));
    g.ZoomIn = 0; // a broken zoom never divides by zero
    EXPECT_EQ(g.VisibleW(), 0);
}

TEST(PreviewScroll, DegenerateSizesGiveZero) {
    TPreviewGeometry g = Preview();
    g.PreviewW = 20;
    EXPECT_EQ(PreviewToScroll(g, {10, 0}).x(), 0);
    g.PreviewW = 0;
    EXPECT_EQ(PreviewToScroll(g, {5, 0}).x(), 0);
    g = Preview();
    g.ImageW = g.ImageH = 0;
    EXPECT_EQ(PreviewToScroll(g, {100, 100}), QPoint(0, 0));
    EXPECT_TRUE(VisibleFrame(g, {0, 0}).isEmpty());
}

TEST(PreviewScroll, FrameScalesTheVisibleArea) {
    const TPreviewGeometry g = Preview();
    EXPECT_EQ(VisibleFrame(g, {800, 600}), QRect(80, 60, 40, 30));
    EXPECT_EQ(VisibleFrame(g, {1600, 1200}), QRect(160, 120, 40, 30));
}

TEST(GridSetup, SectionRoundTripsAndBadValuesFallBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Environment.ini");
    TGridSetup s{2, 0.5, 1.25, 0x0000FF, 5, 0x00FF00};
    {
        TIniFile ini(path);
        EXPECT_EQ(ReadGridSetup(ini), TGridSetup{}); // missing section: defaults
        WriteGridSetup(ini, s);
    }
    TIniFile ini(path);
    EXPECT_EQ(ReadGridSetup(ini), s);
    ini.WriteInteger("Grid", "Unit", 7);
    ini.WriteString("Grid", "GapX", "-2");
    ini.WriteString("Grid", "GapY", "nonsense");
    ini.WriteInteger("Grid", "LinesPerSection", -1);
    const TGridSetup bad = ReadGridSetup(ini);
    EXPECT_EQ(bad.Unit, 0);
    EXPECT_EQ(bad.GapX, 1.0);
    EXPECT_EQ(bad.GapY, 1.0);
    EXPECT_EQ(bad.LinesPerSection, 0);
    EXPECT_EQ(bad.Color, 0x0000FFu); // the good keys survive
}

TEST(GridSetup, CatalogShrinksAndIgnoresBadCounts) {
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("Environment.ini"));
    WriteGridCatalog(ini, {"a", "b", "c"});
    EXPECT_EQ(ReadGridCatalog(ini), QStringList({"a", "b", "c"}));
    WriteGridCatalog(ini, {"z"});
    EXPECT_EQ(ReadGridCatalog(ini), QStringList({"z"}));
    EXPECT_FALSE(ini.ValueExists("Grid", "Catalog-2"));
    ini.WriteInteger("Grid", "Catalog-Count", -5);
    EXPECT_TRUE(ReadGridCatalog(ini).isEmpty());
    ini.WriteInteger("Grid", "Catalog-Count", 2000000000);
    EXPECT_LE(ReadGridCatalog(ini).size(), 1000);
}

TEST(GridSetup, PresetTextRoundTripsAndRejectsGarbage) {
    const TGridSetup s{1, 0.25, 2, 0x123456, 4, 0xABCDEF};
    EXPECT_EQ(GridPresetText(s), "Inch) 0.250000 x 2.000000");
    TGridSetup back{0, 1, 1, 0x123456, 4, 0xABCDEF}; // colours and sections are not in a preset
    ASSERT_TRUE(ParseGridPreset(GridPresetText(s), back));
    EXPECT_EQ(back, s);
    ASSERT_TRUE(ParseGridPreset("Cm)  0.5 x 0.25", back));
    EXPECT_EQ(back.Unit, 2);
    EXPECT_EQ(back.GapY, 0.25);
    ASSERT_TRUE(ParseGridPreset("Weird) 3 x 4", back)); // any other unit name means dots
    EXPECT_EQ(back.Unit, 0);
    ASSERT_TRUE(ParseGridPreset("1;0.25;2;1193046;4;11259375", back)); // the older long form
    EXPECT_EQ(back, s);
    TGridSetup untouched = s;
    for (const char* bad : {"", "1;2;3", "3;1;1;0;0;0", "0;0;1;0;0;0", "0;1;1;0;-1;0", "0;x;1;0;0;0",
                            "0;1;1;16777216;0;0", "Dot) 1", "Dot 1 x 1", "Dot) 0 x 1", "Dot) a x 1"})
        EXPECT_FALSE(ParseGridPreset(bad, untouched)) << bad;
    EXPECT_EQ(untouched, s);
    EXPECT_EQ(GridPresetCaption(s, "Inch"), "0.25 x 2 Inch, 4");
}

TEST(GridSetup, GapsConvertThroughPixels) {
    EXPECT_EQ(GapToPixels(3, 0, 160), 3.0);
    EXPECT_EQ(GapToPixels(0.5, 1, 160), 80.0);
    EXPECT_DOUBLE_EQ(GapToPixels(2.54, 2, 160), 160.0);
    EXPECT_EQ(GapToPixels(1, 3, 160), 0.0);
    EXPECT_EQ(GapToPixels(1, 1, 0), 0.0);
    EXPECT_EQ(ConvertGap(160, 0, 1, 160), 1.0);
    EXPECT_DOUBLE_EQ(ConvertGap(1, 1, 2, 160), 2.54);
    EXPECT_EQ(ConvertGap(1, 2, 0, 160), 63.0);
    EXPECT_EQ(ConvertGap(1, 0, 1, 160), 0.01); // never rounds to nothing
    EXPECT_EQ(ConvertGap(5, 9, 1, 160), 5.0);
    EXPECT_EQ(GapLabel(1.0), "1");
    EXPECT_EQ(GapLabel(0.5), "0.5");
}
