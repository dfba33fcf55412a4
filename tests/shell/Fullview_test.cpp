#include "shell/Fullview.h"

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
