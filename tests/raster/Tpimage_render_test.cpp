// Frames of the picture view: golden pixels at several zooms, grid, mask and partial repaints.
#include "Viewpictures.h"
#include "raster/Tpimage.h"

#include <gtest/gtest.h>

namespace {

using Art = std::vector<std::string>;

// The same grey picture at 8 bits (grey palette) or 24 bits: both must show alike.
bool MakePicture(TOrvaneBitmap& b, int depth, const Art& rows) {
    return depth == 8 ? MakeIndexed(b, rows) : MakeGrey24(b, rows);
}

void Place(TImageView& view, TOrvaneBitmap& b, int w, int h, int zoomIn, int zoomOut) {
    view.Bitmap = &b;
    view.SetSize(w, h);
    view.Color = kRed;
    view.SetZoom(zoomIn, zoomOut, QPoint(0, 0));
}

class RenderDepth : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(RenderDepth, SixteenToOneReplicatesEachPixelIntoABlock) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakePicture(b, GetParam(), {"ab", "cd"}));
    TImageView view;
    Place(view, b, 40, 40, 16, 1);
    const Art frame = FrameRows(view.Render(b));
    ASSERT_EQ(frame.size(), 40u);
    EXPECT_EQ(frame[0], Span(16, 'a') + Span(16, 'b') + Span(8, 'R'));
    EXPECT_EQ(frame[15], frame[0]);
    EXPECT_EQ(frame[16], Span(16, 'c') + Span(16, 'd') + Span(8, 'R'));
    EXPECT_EQ(frame[31], frame[16]);
    EXPECT_EQ(frame[32], Span(40, 'R'));
}

TEST_P(RenderDepth, OneToOneShowsThePictureAndColourAroundIt) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakePicture(b, GetParam(), {"abc", "def"}));
    TImageView view;
    Place(view, b, 5, 4, 1, 1);
    EXPECT_EQ(FrameRows(view.Render(b)), (Art{"abcRR", "defRR", "RRRRR", "RRRRR"}));
}

TEST_P(RenderDepth, OneToSixteenTakesEverySixteenthPixel) {
    Art rows(32, Span(64, '.'));
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 4; ++i)
            rows[size_t(16 * j)][size_t(16 * i)] = char('a' + i + 4 * j);
    TOrvaneBitmap b;
    ASSERT_TRUE(MakePicture(b, GetParam(), rows));
    TImageView view;
    Place(view, b, 6, 3, 1, 16);
    EXPECT_EQ(FrameRows(view.Render(b)), (Art{"abcdRR", "efghRR", "RRRRRR"}));
}

INSTANTIATE_TEST_SUITE_P(Depths, RenderDepth, ::testing::Values(8, 24));

TEST(ImageViewRender, ZoomedOutViewStartsAtThePosition) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"abcdefgh", "ABCDEFGH"}));
    TImageView view;
    Place(view, b, 2, 1, 1, 2);
    view.SetPositionX(3); // aligned down to 2
    EXPECT_EQ(FrameRows(view.Render(b)), (Art{"ce"}));
}

TEST(ImageViewRender, OddRatioShowsWhatTheMouseReports) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"abcd", "efgh"}));
    TImageView view;
    Place(view, b, 6, 3, 3, 2);
    const Art frame = FrameRows(view.Render(b));
    EXPECT_EQ(frame, (Art{"aabccd", "aabccd", "eefggh"}));
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(frame[0][size_t(x)], char(b.GetPixel(view.CanvasToBitmapX(x), 0)));
}

TEST(ImageViewRender, OneBitPicturesUseTheirTwoColours) {
    TOrvaneBitmap b;
    ASSERT_TRUE(b.Allocate(9, 1, nullptr, 1));
    SetGreyPalette(b.Handle);
    b.SetPixel(8, 0, 1);
    TImageView view;
    Place(view, b, 18, 2, 2, 1);
    const QImage frame = view.Render(b);
    EXPECT_EQ(frame.pixel(15, 0), qRgb(0, 0, 0));
    EXPECT_EQ(frame.pixel(16, 0), qRgb(255, 255, 255));
    EXPECT_EQ(frame.pixel(17, 0), qRgb(255, 255, 255));
}

TEST(ImageViewRender, FollowerLeftOfThePictureShowsColour) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"abc"}));
    TImageView parent, view;
    Place(view, b, 5, 1, 1, 1);
    ASSERT_TRUE(view.SetParent(&parent));
    view.SetPositionX(-2);
    EXPECT_EQ(FrameRows(view.Render(b)), (Art{"RRabc"}));
}

TEST(ImageViewRender, GridAppearsFromFiveToOne) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, Art(20, Span(20, '.'))));
    TImageView view;
    Place(view, b, 20, 20, 5, 1);
    view.GridSettings.Grid = true;
    view.GridSettings.GridColor = kBlue;
    Art frame = FrameRows(view.Render(b));
    EXPECT_EQ(frame[0], Span(20, 'B'));
    EXPECT_EQ(frame[2], "B....B....B....B....");
    EXPECT_EQ(frame[5], Span(20, 'B'));
    view.SetZoom(4, 1, QPoint(0, 0));
    for (const std::string& row : FrameRows(view.Render(b)))
        EXPECT_EQ(row.find('B'), std::string::npos);
}

TEST(ImageViewRender, FirstGridLineFollowsThePositionAndFractionsTruncate) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, Art(40, Span(40, '.'))));
    TImageView view;
    Place(view, b, 60, 10, 5, 1);
    view.GridSettings = {true, kBlue, 2.0, 2.0, 0, 0};
    view.SetPosition(3, 0); // 1 pixel past a line: the first one is 1 pixel (5 canvas) in
    EXPECT_EQ(FrameRows(view.Render(b))[1], ".....B.........B.........B.........B.........B.........B....");
    view.SetZoom(4, 1, QPoint(0, 0));
    view.SetPosition(0, 0);
    view.SetSize(24, 6);
    view.GridSettings.GapX = view.GridSettings.GapY = 1.3; // every 5.2 canvas pixels
    EXPECT_EQ(FrameRows(view.Render(b))[1], "B....B....B....B....B...");
}

TEST(ImageViewRender, MarkLinesFollowTheGridAndLinesStopAtThePicture) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, Art(4, Span(4, '.'))));
    TImageView view;
    Place(view, b, 25, 25, 5, 1);
    view.Color = kGreen;
    view.GridSettings = {true, kRed, 1.0, 1.0, 2, kBlue};
    const Art frame = FrameRows(view.Render(b));
    EXPECT_EQ(frame[1], "B....R....B....R....GGGGG");
    EXPECT_EQ(frame[5], "BRRRRRRRRRBRRRRRRRRRGGGGG"); // mark lines cross over the grid
    EXPECT_EQ(frame[10], Span(20, 'B') + "GGGGG");
    EXPECT_EQ(frame[20], Span(25, 'G'));
    // No mark lines without the grid, however wide their own spacing.
    view.SetZoom(4, 1, QPoint(0, 0));
    view.GridSettings.Mark = 5;
    for (const std::string& row : FrameRows(view.Render(b)))
        EXPECT_EQ(row.find('B'), std::string::npos);
}

TEST(ImageViewRender, MaskInvertsTheCoveredPixels) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"ab", "cd"}));
    TImageView view;
    Place(view, b, 4, 4, 2, 1);
    auto mask = std::make_unique<TOrvaneBitmap>();
    ASSERT_TRUE(mask->Allocate(2, 1, nullptr, 1)); // one row only: the second is not covered
    SetGreyPalette(mask->Handle);
    mask->SetPixel(1, 0, 1);
    view.SetMask(std::move(mask));
    ASSERT_TRUE(view.SetMaskEnabled(true));
    const QImage frame = view.Render(b);
    EXPECT_EQ(frame.pixel(0, 0), Grey('a'));
    EXPECT_EQ(frame.pixel(2, 1), Grey(255 - 'b'));
    EXPECT_EQ(frame.pixel(3, 3), Grey('d'));
    // An empty mask stops the painting altogether.
    view.Mask()->Release();
    EXPECT_TRUE(view.Render(b).isNull());
    EXPECT_TRUE(view.RenderRect(b, QRect(0, 0, 1, 1)).Image.isNull());
}

TEST(ImageViewRender, PartialRepaintMatchesTheFullFrame) {
    Art rows(64, Span(64, '.'));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            rows[size_t(y)][size_t(x)] = char(33 + (x * 7 + y * 13) % 90);
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, rows));
    const QRect rects[] = {QRect(5, 5, 1, 1), QRect(0, 0, 64, 64), QRect(10, 3, 7, 20),
                           QRect(-5, -5, 12, 12)};
    const int zooms[][2] = {{16, 1}, {3, 1}, {1, 1}, {1, 3}, {1, 16}};
    for (const auto& z : zooms) {
        TImageView view;
        Place(view, b, 50, 40, z[0], z[1]);
        view.GridSettings = {true, kBlue, 2.0, 2.0, 3, kGreen};
        view.SetPosition(5, 7);
        const QImage full = view.Render(b);
        for (const QRect& r : rects) {
            SCOPED_TRACE(testing::Message() << z[0] << ":" << z[1] << " rect " << r.x() << "," << r.y());
            const TRectFrame part = view.RenderRect(b, r);
            if (part.Image.isNull()) continue;
            EXPECT_EQ(part.Origin.x(), view.CanvasToBitmapX(part.At.x()));
            EXPECT_EQ(part.Origin.y(), view.CanvasToBitmapY(part.At.y()));
            EXPECT_EQ(part.Image, full.copy(QRect(part.At, part.Image.size())));
        }
    }
}

TEST(ImageViewRender, PartialRepaintCoversTheChangedPixelOnly) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, Art(64, Span(64, '.'))));
    TImageView view;
    Place(view, b, 50, 40, 16, 1);
    view.SetPosition(2, 3);
    TRectFrame part = view.RenderRect(b, QRect(4, 4, 1, 1));
    EXPECT_EQ(part.At, QPoint(32, 16));
    EXPECT_EQ(part.Image.size(), QSize(16, 16));
    EXPECT_EQ(part.Origin, QPoint(4, 4));
    EXPECT_TRUE(view.RenderRect(b, QRect(0, 0, 2, 2)).Image.isNull()); // left of and above the view
    EXPECT_TRUE(view.RenderRect(b, QRect(64, 10, 5, 5)).Image.isNull());
    // Zoomed out, a changed pixel that is shown gets its one canvas pixel back.
    view.SetZoom(1, 4, QPoint(0, 0));
    view.SetPosition(0, 0);
    part = view.RenderRect(b, QRect(4, 8, 1, 1));
    EXPECT_EQ(part.At, QPoint(1, 2));
    EXPECT_EQ(part.Image.size(), QSize(1, 1));
    view.SetRepeat(RepeatStraight); // tiled: the caller repaints everything
    EXPECT_TRUE(view.RenderRect(b, QRect(4, 8, 1, 1)).Image.isNull());
}
