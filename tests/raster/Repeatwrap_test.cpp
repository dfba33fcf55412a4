// The endless repeat folded into the one picture: every kind, negative and far points,
// the pieces of a run and the tiles over a rectangle.
#include "raster/Repeatwrap.h"

#include <array>
#include <climits>
#include <gtest/gtest.h>
#include <vector>

namespace {

const TRepeatWrap kStraight{RepeatStraight, 10, 6, 3};
const TRepeatWrap kDropV{RepeatDropVertical, 10, 6, 3};
const TRepeatWrap kDropH{RepeatDropHorizontal, 10, 6, 5};

} // namespace

TEST(RepeatWrap, EveryKindFoldsPlanePointsIntoThePicture) {
    struct Case {
        TRepeatWrap Wrap;
        QPoint Plane, Picture;
    };
    const Case cases[] = {
        {{RepeatOff, 10, 6, 3}, {-3, 17}, {-3, 17}},
        {{RepeatStraight, 0, 6, 0}, {-3, 17}, {-3, 17}}, // no picture: left alone
        {kStraight, {23, 13}, {3, 1}},
        {kStraight, {-1, -1}, {9, 5}},
        {kStraight, {-10, -6}, {0, 0}},
        {kDropV, {4, 2}, {4, 2}},  // the picture's own tile
        {kDropV, {14, 2}, {4, 5}}, // one column right lies 3 lower
        {kDropV, {14, 5}, {4, 2}},
        {kDropV, {-6, 2}, {4, 5}},  // one column left lies 3 higher
        {kDropV, {-16, 2}, {4, 2}}, // two columns: 6, a whole tile
        {kDropH, {3, 7}, {8, 1}},   // one row down lies 5 further right
        {kDropH, {3, -1}, {8, 5}},
        {kDropH, {-7, 13}, {3, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Wrap.Wrap(c.Plane), c.Picture)
            << "kind " << c.Wrap.Kind << " at " << c.Plane.x() << "," << c.Plane.y();
}

TEST(RepeatWrap, ADropOfNoneOrOfAWholeTileIsTheStraightRepeat) {
    for (const int kind : {RepeatDropVertical, RepeatDropHorizontal})
        for (const int drop : {0, kind == RepeatDropVertical ? 6 : 10, -60}) {
            const TRepeatWrap wrap{kind, 10, 6, drop};
            for (int y = -13; y <= 13; ++y)
                for (int x = -21; x <= 21; ++x)
                    ASSERT_EQ(wrap.Wrap(x, y), kStraight.Wrap(x, y))
                        << kind << " " << drop << " " << x << "," << y;
        }
}

TEST(RepeatWrap, FarPointsAndLongDropsStayInsideThePicture) {
    const TRepeatWrap wraps[] = {{RepeatDropVertical, 1, 65535, 32767},
                                 {RepeatDropHorizontal, 65535, 1, 32767},
                                 {RepeatStraight, 7, 3, 0}};
    for (const TRepeatWrap& w : wraps)
        for (const QPoint p :
             {QPoint(INT_MIN, INT_MAX), QPoint(INT_MAX, INT_MIN), QPoint(INT_MIN, INT_MIN)}) {
            const QPoint q = w.Wrap(p);
            EXPECT_TRUE(q.x() >= 0 && q.x() < w.Width && q.y() >= 0 && q.y() < w.Height) << w.Kind;
        }
    // Column 40000 of a one-pixel-wide tile has dropped 40000 * 32767 rows.
    EXPECT_EQ(wraps[0].Wrap(40000, 0).y(), int(FloorMod(-int64_t(40000) * 32767, 65535)));
}

TEST(RepeatWrap, PiecesSplitARunAtEverySeam) {
    using Piece = std::array<int, 3>; // picture row, first and last column
    struct Case {
        TRepeatWrap Wrap;
        int Y, X0, X1;
        std::vector<Piece> Expected;
    };
    const Case cases[] = {
        {kStraight, 7, -3, 12, {{1, 7, 9}, {1, 0, 9}, {1, 0, 2}}},
        {kDropV, 1, 8, 21, {{1, 8, 9}, {4, 0, 9}, {1, 0, 1}}}, // each column its own row
        {kDropH, 7, 0, 12, {{1, 5, 9}, {1, 0, 7}}},            // the second row starts 5 in
        {kDropH, 2, 3, 5, {{2, 3, 5}}},
        {{RepeatOff, 10, 6, 0}, 40, -5, 50, {{40, -5, 50}}},
    };
    for (const Case& c : cases) {
        std::vector<Piece> got;
        c.Wrap.Pieces(c.Y, c.X0, c.X1, [&](int y, int x0, int x1) { got.push_back({y, x0, x1}); });
        EXPECT_EQ(got, c.Expected) << "kind " << c.Wrap.Kind << " row " << c.Y;
    }
}

TEST(RepeatWrap, TilesCoverARectangleOnceWithTheirCornersOnThePicturesCorner) {
    const QRect rect(-13, -8, 37, 21);
    for (const TRepeatWrap& w : {kStraight, kDropV, kDropH}) {
        std::vector<int> cover(size_t(rect.width() * rect.height()), 0);
        w.Tiles(rect, [&](const QRect& tile) {
            EXPECT_EQ(w.Wrap(tile.topLeft()), QPoint(0, 0)) << w.Kind;
            EXPECT_EQ(tile.size(), QSize(w.Width, w.Height));
            EXPECT_TRUE(tile.intersects(rect));
            const QRect in = tile.intersected(rect);
            for (int y = in.top(); y <= in.bottom(); ++y)
                for (int x = in.left(); x <= in.right(); ++x)
                    ++cover[size_t((y - rect.top()) * rect.width() + x - rect.left())];
        });
        EXPECT_EQ(std::count(cover.begin(), cover.end(), 1), int(cover.size())) << w.Kind;
    }
}
