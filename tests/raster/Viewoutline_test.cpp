// The marching outline: the region as shown, its edge and the stripe pattern.
#include "Viewpictures.h"
#include "raster/Tpimage.h"
#include "raster/Viewoutline.h"

#include <gtest/gtest.h>

namespace {

// The region's pixels of rows 0 .. h-1 and columns 0 .. w-1 as '#' and '.'.
std::vector<std::string> Draw(const QRegion& r, int w, int h) {
    std::vector<std::string> out(size_t(h), std::string(size_t(w), '.'));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (r.contains(QPoint(x, y))) out[size_t(y)][size_t(x)] = '#';
    return out;
}

} // namespace

TEST(ViewOutline, RegionIsScaledLikeThePicture) {
    const QRegion region(QRect(1, 1, 2, 1));
    const QRect clip(0, 0, 100, 100);
    EXPECT_EQ(CanvasRegion(region, 4, 1, QPoint(0, 0), 0, clip), QRegion(4, 4, 8, 4));
    EXPECT_EQ(CanvasRegion(region, 4, 1, QPoint(1, 0), 3, clip), QRegion(0, 7, 8, 4));
    // Zoomed out, canvas pixel i shows bitmap pixel 4i: only regions holding one show.
    EXPECT_EQ(CanvasRegion(QRegion(4, 8, 1, 1), 1, 4, QPoint(0, 0), 0, clip), QRegion(1, 2, 1, 1));
    EXPECT_TRUE(CanvasRegion(QRegion(5, 5, 3, 2), 1, 4, QPoint(0, 0), 0, clip).isEmpty());
    EXPECT_TRUE(CanvasRegion(region, 0, 1, QPoint(0, 0), 0, clip).isEmpty());
}

TEST(ViewOutline, EdgeIsTheInnerBorderAndTheClipIsNotAnEdge) {
    QRegion l(0, 0, 4, 4);
    l -= QRegion(2, 0, 2, 2);
    EXPECT_EQ(Draw(RegionEdge(l, QRect(0, 0, 6, 6)), 5, 5),
              (std::vector<std::string>{"##...", "##...", "#.##.", "####.", "....."}));
    const QRegion big = CanvasRegion(QRegion(0, 0, 100, 100), 1, 1, QPoint(10, 10), 0, QRect(0, 0, 5, 5));
    EXPECT_TRUE(RegionEdge(big, QRect(0, 0, 5, 5)).isEmpty());
}

TEST(ViewOutline, PhasesShiftTheStripesOnePixel) {
    const QImage p0 = FramePattern(0), p3 = FramePattern(3);
    int black = 0;
    for (int x = 0; x < 8; ++x) {
        black += p0.pixel(x, 0) == qRgb(0, 0, 0);
        EXPECT_EQ(p0.pixel(x, 1), p0.pixel((x + 1) % 8, 0)); // diagonal
        EXPECT_EQ(p3.pixel(x, 5), p0.pixel((x + 5) % 8, 5));
    }
    EXPECT_EQ(black, 4);
    EXPECT_EQ(FramePattern(11), p3);
    EXPECT_EQ(FramePatternBrush(3).textureImage(), p3);
}

TEST(ViewOutline, ViewOutlinesItsPicturesRegion) {
    TOrvaneBitmap b;
    ASSERT_TRUE(b.Allocate(8, 8, nullptr, 8));
    TImageView view;
    view.Bitmap = &b;
    view.SetSize(64, 64);
    view.SetZoom(16, 1, QPoint(0, 0));
    EXPECT_TRUE(view.RegionOutline(b).isEmpty());
    ASSERT_TRUE(b.SetRegionRect(L_RGN_SET, QRect(1, 1, 2, 2)));
    const QRegion edge = view.RegionOutline(b);
    EXPECT_EQ(edge.boundingRect(), QRect(16, 16, 32, 32));
    EXPECT_TRUE(edge.contains(QPoint(16, 30)));
    EXPECT_FALSE(edge.contains(QPoint(17, 30)));
    QImage frame = view.Render(b);
    DrawFramePattern(frame, edge, 2);
    const QImage pattern = FramePattern(2);
    EXPECT_EQ(frame.pixel(16, 30), pattern.pixel(16 % 8, 30 % 8));
    EXPECT_EQ(frame.pixel(47, 47), pattern.pixel(47 % 8, 47 % 8));
}
