// The repeat display: every frame pixel shows the picture pixel its plane point wraps
// to, whatever the kind, scroll position and zoom; mask and tile edges follow the tiles.
#include "Viewpictures.h"
#include "colour/Colorref.h"
#include "raster/Tpimage.h"

#include <array>
#include <gtest/gtest.h>

using Art = std::vector<std::string>;

TEST(RepeatView, EveryPixelShowsWhatItsPlanePointWrapsToAtAnyPositionAndZoom) {
    TOrvaneBitmap b; // every pixel its own colour, so one from the wrong place shows
    ASSERT_TRUE(b.Allocate(40, 26, nullptr, 24));
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x)
            b.SetPixel(x, y, MakeColorRef(x * 6, y * 9, 77));
    // Zoomed out the frame shows picture rows again (1:2), or samples every third
    // pixel across the seams (1:3).
    const std::array<int, 4> cases[] = {{1, 1, 0, 0},   {1, 1, 7, 5}, {3, 1, 21, 13}, {3, 2, 14, 10},
                                        {2, 1, 33, 25}, {1, 2, 0, 0}, {1, 3, 0, 0}};
    for (const int kind : {RepeatStraight, RepeatDropVertical, RepeatDropHorizontal})
        for (const auto& [in, out, x, y] : cases) {
            TImageView view;
            view.Bitmap = &b;
            view.SetSize(30, 20);
            view.SetZoom(in, out, QPoint(0, 0));
            view.SetRepeat(kind);
            view.SetPosition(x, y);
            ASSERT_EQ(QPoint(view.PositionX(), view.PositionY()), QPoint(x, y));
            const QImage frame = view.Render(b);
            for (int j = 0; j < frame.height(); ++j)
                for (int i = 0; i < frame.width(); ++i) {
                    const QPoint at = view.CanvasToBitmap(QPoint(i, j));
                    ASSERT_EQ(frame.pixel(i, j), ColorRefToRgb32(b.GetPixel(at.x(), at.y())))
                        << "kind " << kind << " zoom " << in << ":" << out << " at " << i << "," << j;
                }
        }
}

TEST(RepeatView, HalfDropColumnsAreLowerAndTheMaskFollowsThem) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"ab", "cd", "ef", "gh"}));
    TImageView view;
    view.Bitmap = &b;
    view.SetSize(6, 4);
    view.SetRepeat(RepeatDropVertical);
    EXPECT_EQ(FrameRows(view.Render(b)), (Art{"abefab", "cdghcd", "efabef", "ghcdgh"}));
    auto mask = std::make_unique<TOrvaneBitmap>();
    ASSERT_TRUE(mask->Allocate(2, 4, nullptr, 1));
    SetGreyPalette(mask->Handle);
    mask->SetPixel(0, 0, 1); // over 'a' wherever it shows
    view.SetMask(std::move(mask));
    view.SetMaskEnabled(true);
    const QImage frame = view.Render(b);
    for (const QPoint a : {QPoint(0, 0), QPoint(2, 2), QPoint(4, 0)})
        EXPECT_EQ(frame.pixel(a), Grey(255 - 'a'));
}

TEST(RepeatView, TileEdgesFollowTheDropWhereTheGridShows) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, Art(4, Span(4, '.'))));
    TImageView view;
    view.Bitmap = &b;
    view.SetSize(40, 40);
    view.SetZoom(5, 1, QPoint(0, 0));
    view.SetRepeat(RepeatDropVertical); // the second column of tiles lies 2 pixels (10 canvas) lower
    view.BorderColor = kBlue;
    view.GridSettings = {true, kRed, 1.0, 1.0, 0, 0};
    const Art frame = FrameRows(view.Render(b));
    for (const int y : {0, 20})
        EXPECT_EQ(frame[size_t(y)].substr(0, 20) + frame[size_t(y + 10)].substr(20), Span(40, 'B')) << y;
    EXPECT_EQ(frame[0].substr(20), "BRRRRRRRRRRRRRRRRRRR");
    EXPECT_EQ(frame[1], "B....R....R....R....B....R....R....R....");
}
