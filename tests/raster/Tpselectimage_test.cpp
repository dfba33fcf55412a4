// The selection overlay's placement and frames, and the preview's picture ownership.
#include "Viewpictures.h"
#include "raster/Tpselectimage.h"
#include "raster/Tpstretchimage.h"

#include <gtest/gtest.h>

namespace {

using Art = std::vector<std::string>;

} // namespace

TEST(SelectView, BottomAnchoredPictureStandsOnTheBottomEdge) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, Art(20, Span(8, 'a'))));
    b.SetPixel(0, 0, 'b');
    b.BottomUp = true;
    TSelectView view;
    view.Bitmap = &b;
    view.SetSize(10, 100);
    EXPECT_TRUE(view.PositionChange());
    EXPECT_EQ(view.YOffset(), 80);
    EXPECT_EQ(view.YPos(), 0);
    EXPECT_EQ(view.CanvasToBitmapY(80), 0);
    EXPECT_EQ(view.BitmapToCanvasY(19), 99);
    const Art frame = FrameRows(view.Render(b));
    EXPECT_EQ(frame[79], Span(10, '_')); // unpainted: what lies below shows through
    EXPECT_EQ(frame[80], "baaaaaaa__");
    EXPECT_EQ(frame[99], "aaaaaaaa__");
    EXPECT_FALSE(view.PositionChange());
    view.ColorEnable = true;
    view.Color = kRed;
    const Art filled = FrameRows(view.Render(b));
    EXPECT_EQ(filled[0], Span(10, 'R'));
    EXPECT_EQ(filled[80], "baaaaaaaRR");
}

TEST(SelectView, TallBottomAnchoredPictureCountsRowsUpFromItsBottom) {
    TOrvaneBitmap b;
    Art rows(100, Span(4, '.'));
    for (int y = 0; y < 100; ++y)
        rows[size_t(y)][0] = char(33 + y % 90);
    ASSERT_TRUE(MakeIndexed(b, rows));
    b.BottomUp = true;
    TSelectView view;
    view.Bitmap = &b;
    view.SetSize(8, 105);
    view.SetZoom(2, 1, QPoint(0, 0));
    view.PositionChange();
    // 52 rows fit; the 1-pixel rest of the control stays above them.
    EXPECT_EQ(view.YOffset(), 1);
    EXPECT_EQ(view.YPos(), 48);
    EXPECT_EQ(view.CanvasToBitmapY(1), 48);
    EXPECT_EQ(view.CanvasToBitmapY(104), 99);
    const QImage frame = view.Render(b);
    EXPECT_EQ(qAlpha(frame.pixel(0, 0)), 0);
    EXPECT_EQ(frame.pixel(0, 1), Grey(rows[48][0]));
    EXPECT_EQ(frame.pixel(1, 104), Grey(rows[99][0]));
    // One row up from the bottom.
    view.SetPositionY(1);
    view.PositionChange();
    EXPECT_EQ(view.YPos(), 47);
}

TEST(SelectView, TopAnchoredConvertsLikeTheMainView) {
    TOrvaneBitmap b;
    ASSERT_TRUE(b.Allocate(500, 500, nullptr, 8));
    TImageView main;
    TSelectView view;
    main.Bitmap = view.Bitmap = &b;
    ASSERT_TRUE(view.SetParent(&main));
    main.SetZoom(3, 1, QPoint(0, 0));
    main.SetPosition(30, 40);
    view.SetPosition(30, 40);
    view.PositionChange();
    EXPECT_EQ(view.YOffset(), 0);
    for (int y : {0, 1, 2, 3, 50, 104})
        EXPECT_EQ(view.CanvasToBitmapY(y), main.CanvasToBitmapY(y));
    EXPECT_EQ(view.BitmapToCanvasY(45), main.BitmapToCanvasY(45));
}

TEST(SelectView, CrossHairInvertsAColumnAndARowOfThePicture) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, Art(3, "abc")));
    TSelectView view;
    view.Bitmap = &b;
    view.SetSize(5, 5);
    view.CrossLine = true;
    view.CrossPos = QPoint(1, 2);
    EXPECT_EQ(FrameRows(view.Render(b))[2], "abc__"); // not shown yet
    view.CrossShown = true;
    const QImage frame = view.Render(b);
    EXPECT_EQ(frame.pixel(1, 0), Grey(255 - 'b'));
    EXPECT_EQ(frame.pixel(0, 2), Grey(255 - 'a'));
    EXPECT_EQ(frame.pixel(1, 2), Grey('b')); // inverted twice
    EXPECT_EQ(qAlpha(frame.pixel(3, 2)), 0); // only over the picture
}

TEST(SelectView, EmptyPictureKeepsItsPlacement) {
    TOrvaneBitmap b;
    TSelectView view;
    view.Bitmap = &b;
    EXPECT_FALSE(view.PositionChange());
    EXPECT_TRUE(view.Render(b).isNull());
}

TEST(StretchPreview, CallersPictureIsShownButNotOwned) {
    auto mine = std::make_unique<TOrvaneBitmap>();
    ASSERT_TRUE(MakeIndexed(*mine, {"ab", "cd"}));
    {
        TStretchView view;
        EXPECT_TRUE(view.OwnsBitmap());
        EXPECT_TRUE(view.SetBitmap(mine.get()));
        EXPECT_FALSE(view.SetBitmap(mine.get()));
        EXPECT_FALSE(view.OwnsBitmap());
        view.SetSize(4, 2);
        EXPECT_EQ(FrameRows(view.Render()), (Art{"aabb", "ccdd"}));
    }
    EXPECT_TRUE(mine->Allocated());
    EXPECT_EQ(mine->GetPixel(1, 1), uint32_t('d'));
}

TEST(StretchPreview, NullGivesAFreshEmptyOwnedPicture) {
    TOrvaneBitmap mine;
    ASSERT_TRUE(MakeIndexed(mine, {"ab"}));
    TStretchView view;
    const TOrvaneBitmap* own = view.Bitmap();
    EXPECT_FALSE(view.SetBitmap(nullptr)); // already owned: kept
    EXPECT_EQ(view.Bitmap(), own);
    view.SetBitmap(&mine);
    EXPECT_TRUE(view.SetBitmap(nullptr));
    EXPECT_TRUE(view.OwnsBitmap());
    EXPECT_NE(view.Bitmap(), &mine);
    EXPECT_FALSE(view.Bitmap()->Allocated());
    view.SetSize(3, 2);
    const QImage frame = view.Render();
    EXPECT_EQ(frame.pixel(2, 1), QRgb(0xFF000000u | 0xF0F0F0));
    view.SetSize(0, 5);
    EXPECT_TRUE(view.Render().isNull());
    EXPECT_FALSE(view.SetZoom(0, 1));
    EXPECT_TRUE(view.SetZoom(2, 1));
}
