// Tiling and stretching: the repeat display, the stretched display and their building blocks.
#include "Viewpictures.h"
#include "raster/Tpimage.h"
#include "raster/Viewscale.h"

#include <gtest/gtest.h>

namespace {

using Art = std::vector<std::string>;

// A 32-bit image from rows of grey characters.
QImage GreyImage(const Art& rows) {
    QImage image(int(rows[0].size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, Grey(uint8_t(rows[size_t(y)][size_t(x)])));
    return image;
}

} // namespace

TEST(RepeatBitBlt, FirstPieceStartsAtTheSourcePointThenWholeTiles) {
    const QImage src = GreyImage({"0123456789", "abcdefghij", "ABCDEFGHIJ", "klmnopqrst"});
    QImage dest(27, 8, QImage::Format_RGB32);
    dest.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(RepeatBitBlt(dest, 1, 1, 25, 7, src, 10, 4, 3, 2));
    const Art rows = FrameRows(dest);
    EXPECT_EQ(rows[0], Span(27, 'R'));
    EXPECT_EQ(rows[1], "RDEFGHIJABCDEFGHIJABCDEFGHR");
    EXPECT_EQ(rows[2], "RnopqrstklmnopqrstklmnopqrR");
    EXPECT_EQ(rows[3], "R3456789012345678901234567R");
    EXPECT_EQ(rows[6], rows[2]);
    EXPECT_EQ(rows[7], rows[3]);
}

TEST(RepeatBitBlt, ClipsToTheDestinationAndRefusesBadSources) {
    const QImage src = GreyImage({"ab", "cd"});
    QImage dest(3, 3, QImage::Format_RGB32);
    dest.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(RepeatBitBlt(dest, -1, -1, 10, 10, src, 2, 2, 0, 0));
    EXPECT_EQ(FrameRows(dest), (Art{"dcd", "bab", "dcd"}));
    EXPECT_FALSE(RepeatBitBlt(dest, 0, 0, 3, 3, src, 0, 2, 0, 0));
    EXPECT_FALSE(RepeatBitBlt(dest, 0, 0, 3, 3, src, 3, 2, 0, 0)); // wider than the source
    EXPECT_FALSE(RepeatBitBlt(dest, 0, 0, 3, 3, src, 2, 2, 2, 0));
    EXPECT_FALSE(RepeatBitBlt(dest, 0, 0, 3, 3, src.convertToFormat(QImage::Format_RGB888), 2, 2, 0, 0));
}

TEST(ScalePicture, RefusesBadInputAndLeavesOutsidePixelsAlone) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"ab"}));
    QImage dest(4, 1, QImage::Format_RGB32);
    dest.fill(qRgb(255, 0, 0));
    EXPECT_FALSE(ScalePicture(dest, dest.rect(), b, QPoint(0, 0), {0, 1}, {1, 1}));
    QImage grey(4, 1, QImage::Format_Grayscale8);
    EXPECT_FALSE(ScalePicture(grey, grey.rect(), b, QPoint(0, 0), {1, 1}, {1, 1}));
    TOrvaneBitmap empty;
    EXPECT_FALSE(ScalePicture(dest, dest.rect(), empty, QPoint(0, 0), {1, 1}, {1, 1}));
    // Source columns -1 and 2 do not exist: their pixels stay red.
    ASSERT_TRUE(ScalePicture(dest, dest.rect(), b, QPoint(-1, 0), {1, 1}, {1, 1}));
    EXPECT_EQ(FrameRows(dest), (Art{"RabR"}));
    ASSERT_TRUE(ScalePicture(dest, QRect(-3, 0, 8, 1), b, QPoint(0, 0), {4, 1}, {1, 1}));
    EXPECT_EQ(FrameRows(dest), (Art{"abbb"}));
}

TEST(RepeatView, SmallPictureIsTiledThreeByThree) {
    TOrvaneBitmap b;
    Art rows(10, Span(10, '.'));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            rows[size_t(y)][size_t(x)] = char('0' + (x + 3 * y) % 40);
    ASSERT_TRUE(MakeIndexed(b, rows));
    TImageView view;
    view.Bitmap = &b;
    view.SetSize(25, 25);
    view.SetRepeat(RepeatStraight);
    const Art frame = FrameRows(view.Render(b));
    for (int y = 0; y < 25; ++y) {
        std::string expect;
        for (int x = 0; x < 25; ++x)
            expect.push_back(rows[size_t(y % 10)][size_t(x % 10)]);
        EXPECT_EQ(frame[size_t(y)], expect) << "row " << y;
    }
}

TEST(RepeatView, TileEdgesUseTheBorderColourWhenTheGridShows) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, Art(4, Span(4, '.'))));
    TImageView view;
    view.Bitmap = &b;
    view.SetSize(45, 45);
    view.SetZoom(5, 1, QPoint(0, 0));
    view.SetRepeat(RepeatStraight);
    view.BorderColor = kBlue;
    view.GridSettings = {true, kRed, 1.0, 1.0, 0, 0};
    const Art frame = FrameRows(view.Render(b));
    EXPECT_EQ(frame[0], Span(45, 'B'));
    EXPECT_EQ(frame[1], "B....R....R....R....B....R....R....R....B....");
    EXPECT_EQ(frame[5], "BRRRRRRRRRRRRRRRRRRRBRRRRRRRRRRRRRRRRRRRBRRRR");
    EXPECT_EQ(frame[20], Span(45, 'B'));
    // Without the grid there are no tile lines either.
    view.GridSettings.Grid = false;
    for (const std::string& row : FrameRows(view.Render(b)))
        EXPECT_EQ(row.find('B'), std::string::npos);
}

TEST(RepeatView, HookDrawsOnceOnTheFrameInPlaneCoordinates) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"ab", "cd"}));
    TImageView view;
    view.Bitmap = &b;
    view.SetSize(5, 3);
    view.SetRepeat(RepeatStraight);
    QPoint seenOrigin(-1, -1);
    const QImage frame = view.Render(b, [&](QImage& whole, QPoint origin) {
        whole.setPixel(1, 1, qRgb(0, 255, 0));
        seenOrigin = origin;
    });
    EXPECT_EQ(FrameRows(frame), (Art{"ababa", "cGcdc", "ababa"}));
    EXPECT_EQ(seenOrigin, QPoint(0, 0));
}

TEST(StretchView, WholePictureFillsTheControlAndWinsOverRepeat) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"ab", "cd"}));
    TImageView view;
    view.Bitmap = &b;
    view.SetSize(4, 6);
    view.SetZoom(3, 1, QPoint(0, 0)); // stretching ignores the zoom
    view.SetRepeat(RepeatStraight);
    view.GridSettings = {true, kRed, 1.0, 1.0, 0, 0};
    const Art repeated = FrameRows(view.Render(b));
    view.Stretch = true;
    EXPECT_EQ(FrameRows(view.Render(b)), (Art{"aabb", "aabb", "aabb", "ccdd", "ccdd", "ccdd"}));
    view.Stretch = false;
    EXPECT_EQ(FrameRows(view.Render(b)), repeated);
}

TEST(StretchView, MaskIsStretchedWithThePicture) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"ab", "cd"}));
    TImageView view;
    view.Bitmap = &b;
    view.SetSize(4, 4);
    view.Stretch = true;
    auto mask = std::make_unique<TOrvaneBitmap>();
    ASSERT_TRUE(mask->Allocate(2, 2, nullptr, 1));
    SetGreyPalette(mask->Handle);
    mask->SetPixel(1, 1, 1);
    view.SetMask(std::move(mask));
    view.SetMaskEnabled(true);
    const QImage frame = view.Render(b);
    EXPECT_EQ(frame.pixel(1, 1), Grey('a'));
    EXPECT_EQ(frame.pixel(2, 2), Grey(255 - 'd'));
    EXPECT_EQ(frame.pixel(3, 3), Grey(255 - 'd'));
}
