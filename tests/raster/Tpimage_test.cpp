// Coordinates, zoom and position of the picture view.
#include "Viewpictures.h"
#include "raster/Tpimage.h"

#include <gtest/gtest.h>

namespace {

// A view of size w x h over a blank 8-bit picture of bw x bh.
struct ViewFixture {
    ViewFixture(int bw, int bh, int w = 105, int h = 105) {
        bitmap.Allocate(bw, bh, nullptr, 8);
        view.Bitmap = &bitmap;
        view.SetSize(w, h);
    }
    TOrvaneBitmap bitmap;
    TImageView view;
};

} // namespace

TEST(ImageView, ConversionsAtOneToOneAreIdentity) {
    ViewFixture f(100, 100);
    EXPECT_EQ(f.view.BitmapToCanvasX(5), 5);
    EXPECT_EQ(f.view.CanvasToBitmapX(5), 5);
    EXPECT_EQ(f.view.CanvasToBitmapY(7), 7);
}

TEST(ImageView, ConversionsAtFourToOneCountFromThePosition) {
    ViewFixture f(1000, 1000);
    ASSERT_TRUE(f.view.SetZoom(4, 1, QPoint(0, 0)));
    ASSERT_TRUE(f.view.SetPosition(10, 20));
    EXPECT_EQ(f.view.CanvasToBitmapX(7), 11);
    EXPECT_EQ(f.view.BitmapToCanvasX(11), 4);
    EXPECT_EQ(f.view.CanvasToBitmapY(3), 20);
    EXPECT_EQ(f.view.BitmapToCanvasY(19), -4);
    // A rectangle starting left of the view is placed from the view's edge.
    EXPECT_EQ(f.view.RectBitmapToRectCanvasX(15, 2), 20);
    EXPECT_EQ(f.view.RectBitmapToRectCanvasX(15, 12), 12);
    EXPECT_EQ(f.view.RectBitmapToRectCanvasY(25, 0), 20);
}

TEST(ImageView, ConversionsAtOneToThreeTruncate) {
    ViewFixture f(1000, 1000);
    ASSERT_TRUE(f.view.SetZoom(1, 3, QPoint(0, 0)));
    EXPECT_EQ(f.view.CanvasToBitmapX(5), 15);
    EXPECT_EQ(f.view.BitmapToCanvasX(8), 2);
    EXPECT_EQ(f.view.ViewW(), 315);
}

TEST(ImageView, RepeatGivesPlanePointsAndTheWrappedPictureUnderThem) {
    ViewFixture f(100, 40);
    f.view.SetPosition(0, 0);
    ASSERT_TRUE(f.view.SetRepeat(RepeatDropVertical));
    EXPECT_EQ(f.view.CanvasToBitmapX(250), 250);                      // the plane, not wrapped
    EXPECT_EQ(f.view.CanvasToBitmap(QPoint(-50, 0)), QPoint(50, 20)); // left of the picture too
    EXPECT_FALSE(f.view.SetRepeat(7));                                // an unknown kind changes nothing
    EXPECT_EQ(f.view.RepeatKind(), RepeatDropVertical);
    EXPECT_TRUE(f.view.SetPosition(150, 30)); // any seam can be scrolled into view
    EXPECT_EQ(f.view.PositionX(), 99);
    ASSERT_TRUE(f.view.SetRepeat(RepeatOff));
    f.view.SetPosition(); // back inside the normal range
    EXPECT_EQ(f.view.PositionX(), 0);
    ASSERT_TRUE(f.view.SetZoom(4, 1, QPoint(0, 0)));
    EXPECT_EQ(f.view.CanvasToBitmapX(-1), -1); // rounded down, not toward zero
    EXPECT_EQ(f.view.CanvasToBitmap(QPoint(-1, 0)), QPoint(-1, 0));
}

TEST(ImageView, PositionIsClampedAndAlignedToZoomOut) {
    ViewFixture f(1000, 1000);
    ASSERT_TRUE(f.view.SetZoom(1, 3, QPoint(0, 0)));
    EXPECT_TRUE(f.view.SetPositionX(10));
    EXPECT_EQ(f.view.PositionX(), 9);
    EXPECT_FALSE(f.view.SetPositionX(11)); // rounds to the stored 9
    f.view.SetPositionX(-5);
    EXPECT_EQ(f.view.PositionX(), 0);
    f.view.SetPositionX(5000); // limit 1000 - 315 = 685, aligned down to 684
    EXPECT_EQ(f.view.PositionX(), 684);
    f.view.SetPositionY(5000);
    EXPECT_EQ(f.view.PositionY(), 684);
}

TEST(ImageView, PictureNarrowerThanTheViewStaysAtZero) {
    ViewFixture f(50, 50);
    EXPECT_FALSE(f.view.SetPosition(20, 20));
    EXPECT_EQ(f.view.PositionX(), 0);
    EXPECT_EQ(f.view.PositionY(), 0);
}

TEST(ImageView, ReclampAfterThePictureShrinks) {
    ViewFixture f(1000, 1000);
    f.view.SetPosition(800, 500);
    ASSERT_EQ(f.view.PositionX(), 800);
    f.bitmap.Allocate(300, 80, nullptr, 8);
    f.view.SetPosition();
    EXPECT_EQ(f.view.PositionX(), 300 - 105);
    EXPECT_EQ(f.view.PositionY(), 0); // 80 rows fit in the view
}

TEST(ImageView, ZoomKeepsTheAnchoredBitmapPointInPlace) {
    ViewFixture f(2000, 2000, 100, 100);
    f.view.SetPosition(1000, 1000);
    const QPoint anchor(40, 60);
    const int bx = f.view.CanvasToBitmapX(anchor.x()), by = f.view.CanvasToBitmapY(anchor.y());
    ASSERT_TRUE(f.view.SetZoom(4, 1, anchor));
    EXPECT_EQ(f.view.PositionX(), 1030);
    EXPECT_EQ(f.view.CanvasToBitmapX(anchor.x()), bx);
    EXPECT_EQ(f.view.CanvasToBitmapY(anchor.y()), by);
    ASSERT_TRUE(f.view.SetZoom(1, 1, anchor));
    EXPECT_EQ(f.view.PositionX(), 1000);
    EXPECT_EQ(f.view.CanvasToBitmapY(anchor.y()), by);
    // Zoomed out the position is aligned, so the point moves by less than ZoomOut.
    ASSERT_TRUE(f.view.SetZoom(1, 4, anchor));
    EXPECT_EQ(f.view.PositionX() % 4, 0);
    EXPECT_LT(std::abs(f.view.CanvasToBitmapX(anchor.x()) - bx), 4);
    EXPECT_LT(std::abs(f.view.CanvasToBitmapY(anchor.y()) - by), 4);
}

TEST(ImageView, ZoomWithoutAnchorUsesTheCentreAndClampsToThePicture) {
    ViewFixture f(1000, 1000, 200, 200);
    f.view.SetPosition(400, 400);
    const int centre = f.view.CanvasToBitmapX(100);
    ASSERT_TRUE(f.view.SetZoom(2, 1));
    EXPECT_EQ(f.view.CanvasToBitmapX(100), centre);
    f.view.SetPosition(900, 900); // right edge at 2:1: 1000 - 100
    ASSERT_TRUE(f.view.SetZoom(1, 2, QPoint(199, 199)));
    EXPECT_EQ(f.view.PositionX(), 1000 - 400);
}

TEST(ImageView, BadZoomFactorsAreRefused) {
    ViewFixture f(100, 100);
    EXPECT_FALSE(f.view.SetZoom(0, 1));
    EXPECT_FALSE(f.view.SetZoom(1, -2));
    EXPECT_FALSE(f.view.SetZoom(kMaxZoom + 1, 1));
    EXPECT_FALSE(f.view.SetZoom(1, 1)); // unchanged
    EXPECT_EQ(f.view.GetZoomIn(), 1);
    EXPECT_TRUE(f.view.SetZoom(kMaxZoom, 1, QPoint(104, 104)));
}

TEST(ImageView, FollowerTakesZoomAndGridFromItsParent) {
    ViewFixture parent(1000, 1000);
    ViewFixture child(1000, 1000);
    ASSERT_TRUE(child.view.SetParent(&parent.view));
    ASSERT_TRUE(parent.view.SetZoom(1, 4));
    parent.view.GridSettings.GapX = 3;
    EXPECT_EQ(child.view.GetZoomOut(), 4);
    EXPECT_EQ(child.view.ViewW(), 420);
    EXPECT_EQ(child.view.EffectiveGrid().GapX, 3);
    EXPECT_FALSE(child.view.SetZoom(2, 1)); // the parent decides
    // A follower's position is not clamped, only aligned.
    child.view.SetPositionX(-5);
    EXPECT_EQ(child.view.PositionX(), -8);
    child.view.SetPositionX(5000);
    EXPECT_EQ(child.view.PositionX(), 5000);
}

TEST(ImageView, ParentCyclesAreRefused) {
    TImageView a, b, c;
    EXPECT_FALSE(a.SetParent(&a));
    ASSERT_TRUE(b.SetParent(&a));
    ASSERT_TRUE(c.SetParent(&b));
    EXPECT_FALSE(a.SetParent(&c));
    EXPECT_EQ(a.Parent(), nullptr);
}

TEST(ImageView, MaskDisplayNeedsAMask) {
    TImageView view;
    EXPECT_FALSE(view.SetMaskEnabled(true));
    EXPECT_FALSE(view.MaskEnabled());
    view.SetMask(std::make_unique<TOrvaneBitmap>());
    EXPECT_TRUE(view.SetMaskEnabled(true));
    view.SetMask(nullptr);
    EXPECT_FALSE(view.MaskEnabled());
}

TEST(ImageView, ViewWithoutPictureOrSizeStaysSane) {
    TImageView view;
    EXPECT_FALSE(view.SetSize(-1, 10));
    EXPECT_TRUE(view.SetSize(0, 0));
    EXPECT_EQ(view.ViewW(), 0);
    EXPECT_FALSE(view.SetPositionX(10));
    EXPECT_TRUE(view.SetZoom(3, 1));
    EXPECT_EQ(view.PositionX(), 0);
    TOrvaneBitmap empty;
    EXPECT_TRUE(view.Render(empty).isNull());
    EXPECT_TRUE(view.RenderRect(empty, QRect(0, 0, 5, 5)).Image.isNull());
}
