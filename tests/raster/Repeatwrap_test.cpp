// The endless repeat folded into the one picture: every kind, negative and far points,
// the pieces of a run and the tiles over a rectangle.
#include "raster/Repeatwrap.h"

#include <QRegion>
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
        {kDropV, {4, 2}, {4, 2}},   // the picture's own tile
        {kDropV, {14, 2}, {4, 5}},  // one column right lies 3 lower
        {kDropV, {-6, 2}, {4, 5}},  // one column left lies 3 higher
        {kDropV, {-16, 2}, {4, 2}}, // two columns: a whole tile
        {kDropH, {3, 7}, {8, 1}},   // one row down lies 5 further right
        {kDropH, {3, -1}, {8, 5}},
        {kDropH, {-7, 13}, {3, 1}},
        {{RepeatDropVertical, 1, 65535, 32767},
         {40000, 0},
         {0, int(FloorMod(-int64_t(40000) * 32767, 65535))}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Wrap.Wrap(c.Plane), c.Picture)
            << c.Wrap.Kind << " at " << c.Plane.x() << "," << c.Plane.y();
    // The far corners of the int range land inside the picture too.
    for (const TRepeatWrap& w : {kDropV, kDropH, TRepeatWrap{RepeatDropHorizontal, 65535, 1, 32767}})
        for (const QPoint p : {QPoint(INT_MIN, INT_MAX), QPoint(INT_MAX, INT_MIN)})
            EXPECT_TRUE(QRect(0, 0, w.Width, w.Height).contains(w.Wrap(p))) << w.Kind;
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
        {{RepeatOff, 10, 6, 0}, 40, -5, 50, {{40, -5, 50}}},
    };
    for (const Case& c : cases) {
        std::vector<Piece> got;
        c.Wrap.Pieces(c.Y, c.X0, c.X1, [&](int y, int x0, int x1) { got.push_back({y, x0, x1}); });
        EXPECT_EQ(got, c.Expected) << "kind " << c.Wrap.Kind;
    }
}

TEST(RepeatWrap, TilesCoverARectangleOnceWithTheirCornersOnThePicturesCorner) {
    const QRect rect(-13, -8, 37, 21);
    for (const TRepeatWrap& w : {kStraight, kDropV, kDropH}) {
        QRegion covered;
        int area = 0;
        w.Tiles(rect, [&](const QRect& tile) {
            EXPECT_EQ(w.Wrap(tile.topLeft()), QPoint(0, 0)) << w.Kind;
            covered += tile.intersected(rect);
            area += tile.intersected(rect).width() * tile.intersected(rect).height();
        });
        EXPECT_EQ(covered, QRegion(rect)) << w.Kind;
        EXPECT_EQ(area, rect.width() * rect.height()) << w.Kind; // no overlaps
    }
}
