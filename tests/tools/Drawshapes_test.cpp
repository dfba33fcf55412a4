// The Draw tool's geometry: curves, boxes, ellipse rows, the dash and the locks.
#include "tools/Drawshapes.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(DrawCurve, CollinearPointsGiveTheStraightLine) {
    for (QPoint q : {QPoint(5, 5), QPoint(-3, -3), QPoint(20, 20)})
        EXPECT_EQ(CurvePath(QPoint(0, 0), QPoint(10, 10), q, 1), QPolygon({QPoint(0, 0), QPoint(10, 10)}));
}

TEST(DrawCurve, ArcsRunFromStartThroughTheCurvePointToTheEndWithTheAxisTowardsTheChord) {
    struct Case {
        QPoint a, b, q;
    } cases[] = {
        {{0, 40}, {40, 40}, {20, 0}},   // level ends, q above their middle: the axis is vertical
        {{0, 1}, {33, 0}, {11, 2}},     // the axis point lies right above q: vertical as well
        {{10, 50}, {70, 20}, {30, 10}}, // any other: the axis is turned
    };
    for (const Case& c : cases) {
        const QPolygon path = CurvePath(c.a, c.b, c.q, 3);
        ASSERT_GE(path.size(), 5) << c.q.x();
        EXPECT_EQ(path.front(), c.a);
        EXPECT_EQ(path.back(), c.b);
        EXPECT_TRUE(path.contains(c.q));
        // q is the vertex: no point lies beyond it, away from the chord along the axis.
        const QPointF m = CurveAxisPoint(c.a, c.b, c.q), axis = m - QPointF(c.q);
        for (const QPoint& p : path)
            EXPECT_GE(QPointF::dotProduct(QPointF(p - c.q), axis), -std::hypot(axis.x(), axis.y()))
                << p.x() << "," << p.y();
    }
    // Level ends: the two arcs mirror each other about the vertical through q.
    const QPolygon arc = CurvePath(QPoint(0, 40), QPoint(40, 40), QPoint(20, 0), 3);
    for (const QPoint& p : arc)
        EXPECT_TRUE(std::any_of(
            arc.begin(), arc.end(),
            [&](QPoint o) { return o.y() == p.y() && std::abs((o.x() - 20) + (p.x() - 20)) <= 1; }))
            << p.x() << "," << p.y();
}

TEST(DrawCurve, AFarEndSoftensTheWeightsOfTheAxisPoint) {
    struct Case {
        QPoint a, b, q;
        double mx;
    } cases[] = {
        {{0, 0}, {10, 0}, {0, 3}, 10 * std::sqrt(3.0) / (std::sqrt(3.0) + std::sqrt(std::sqrt(109.0)))},
        {{0, 0},
         {10, 0},
         {1, 3},
         10 * std::sqrt(10.0) / (std::sqrt(10.0) + std::sqrt(90.0))}, // |AB| too long
        {{0, 0}, {10, 0}, {5, 4}, 5},
    };
    for (const Case& c : cases) {
        const QPointF m = CurveAxisPoint(c.a, c.b, c.q);
        EXPECT_NEAR(m.x(), c.mx, 1e-9);
        EXPECT_EQ(m.y(), 0);
    }
}

TEST(DrawShapes, SquaresTakeTheShorterSideTowardsThePointer) {
    struct Case {
        QPoint start, to;
        QRect box;
    } cases[] = {
        {{10, 10}, {15, 30}, QRect(10, 10, 6, 6)},
        {{10, 10}, {2, 14}, QRect(6, 10, 5, 5)},
        {{10, 10}, {0, 0}, QRect(0, 0, 11, 11)},
        {{10, 10}, {13, 10}, QRect(10, 10, 1, 1)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SquareBox(c.start, c.to), c.box) << c.to.x() << "," << c.to.y();
    EXPECT_EQ(CircleBox(QPoint(10, 10), 5), QRect(8, 8, 5, 5));
    EXPECT_EQ(CircleDiameter(QPoint(0, 0), QPoint(3, 4)), 5);
}

TEST(DrawShapes, FilledEllipsesCoverThePixelsWhoseCentresLieInside) {
    auto rows = [](const QRect& box) {
        std::vector<std::pair<int, int>> out;
        EllipseRows(box, [&](int, int x0, int x1) { out.emplace_back(x0, x1); });
        return out;
    };
    using Rows = std::vector<std::pair<int, int>>;
    EXPECT_EQ(rows(QRect(0, 0, 1, 1)), (Rows{{0, 0}}));
    EXPECT_EQ(rows(QRect(0, 0, 3, 3)), (Rows{{0, 2}, {0, 2}, {0, 2}}));
    EXPECT_EQ(rows(QRect(5, 0, 4, 4)), (Rows{{6, 7}, {5, 8}, {5, 8}, {6, 7}}));
    EXPECT_EQ(rows(QRect(0, 0, 8, 2)), (Rows{{1, 6}, {1, 6}}));
    // An outline pen wider than the box fills it.
    EXPECT_EQ(EllipseShape(QRect(0, 0, 6, 6), false, 8).Fill, QRect(0, 0, 6, 6));
    const QPolygon ring = EllipseShape(QRect(0, 0, 21, 21), false, 5).Lines.at(0);
    EXPECT_EQ(ring.boundingRect(), QRect(2, 2, 17, 17)); // the pen's centre runs 2 pixels in
}

TEST(DrawShapes, TheDashRunsOnAlongAChainAndEveryLineReachesItsEnd) {
    TDash dash{true, 3, 2, 0};
    std::string drawn(14, '.');
    auto mark = [&](int x, int) { drawn[size_t(x)] = '#'; };
    WalkPolyline(QPolygon({QPoint(0, 0), QPoint(6, 0)}), dash, mark);
    WalkPolyline(QPolygon({QPoint(6, 0), QPoint(13, 0)}), dash, mark);
    EXPECT_EQ(drawn, "###..###..###.");
    TDash solid;
    std::vector<QPoint> dots;
    WalkPolyline(QPolygon({QPoint(4, 4), QPoint(4, 4)}), solid,
                 [&](int x, int y) { dots.emplace_back(x, y); });
    EXPECT_EQ(dots, std::vector<QPoint>{QPoint(4, 4)});
}

TEST(DrawLocks, TheEndFollowsTheLocksAndStaysInsideThePicture) {
    const QRect picture(0, 0, 100, 80);
    struct Case {
        TDrawLocks locks;
        QPoint pointer, end;
    } cases[] = {
        {{true, 0, false, 0}, {60, 53}, {60, 50}},    // below right: the angle itself, the pointer's distance
        {{true, 30, true, 20}, {60, 40}, {60, 32}},   // above right: 30 + 270 degrees, the typed length
        {{true, 30, true, 20}, {40, 55}, {40, 67}},   // below left: 120 degrees
        {{false, 0, true, 10}, {50, 50}, {50, 60}},   // on the start: straight down
        {{false, 0, true, 10}, {53, 54}, {56, 58}},   // the pointer's direction
        {{true, 45, true, 200}, {90, 90}, {79, 79}},  // leaves at the right: back onto the edge
        {{false, 0, false, 0}, {120, -7}, {120, -7}}, // no lock: the pointer as it is
    };
    for (const Case& c : cases)
        EXPECT_EQ(LockedEnd(QPoint(50, 50), c.pointer, c.locks, &picture), c.end)
            << c.locks.Degrees << " " << c.pointer.x() << "," << c.pointer.y();
    EXPECT_EQ(LockDegrees(120), 30);
    EXPECT_EQ(LockDegrees(-30.7), 60);
    double pixels = -1;
    EXPECT_FALSE(LockPixels(11, 12, picture.size(), pixels)); // shorter than the pen
    EXPECT_TRUE(LockPixels(12, 12, picture.size(), pixels));
    EXPECT_EQ(pixels, 0);
    EXPECT_TRUE(LockPixels(1e9, 12, picture.size(), pixels));
    EXPECT_DOUBLE_EQ(pixels, std::hypot(100.0, 80.0));
}

TEST(DrawLocks, MeasuredAnglesTurnClockwiseAndLengthsHoldThePen) {
    struct Case {
        QPoint b;
        double degrees, length;
    } cases[] = {
        {{0, 0}, 0, 12}, {{10, 0}, 0, 22}, {{0, 10}, 90, 22}, {{-10, 0}, 180, 22}, {{3, -4}, 306.8698976, 17},
    };
    for (const Case& c : cases) {
        const TLineMeasure m = MeasureLine(QPoint(0, 0), c.b, 12);
        EXPECT_NEAR(m.Degrees, c.degrees, 1e-6);
        EXPECT_DOUBLE_EQ(m.Length, c.length);
    }
}
