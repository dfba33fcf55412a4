// The floating piece: its matrix, lifting with the four layouts, turning and bending.
#include "bench/Rotateref.h"
#include "shell/Exception.h"
#include "support/Pictures.h"
#include "tools/Floating.h"
#include "tools/Rotation.h"

#include <gtest/gtest.h>
#include <numbers>
#include <random>

namespace {

using Strings = std::vector<std::string>;

// The piece as rows of characters, '-' where it is transparent (8-bit pieces).
Strings Shown(const TFloating& piece) {
    Strings out;
    for (int y = 0; y < piece.Height(); ++y) {
        std::string row;
        for (int x = 0; x < piece.Width(); ++x)
            row.push_back(piece.Mask.GetPixel(x, y) ? char(piece.Image.GetPixel(x, y)) : '-');
        out.push_back(row);
    }
    return out;
}

// A w x h piece of distinct-enough pixels at a depth; every fifth pixel is outside the
// mask unless whole.
void RandomPiece(TFloating& piece, int w, int h, int bpp, bool whole, unsigned seed) {
    ASSERT_TRUE(piece.Allocate(w, h, bpp));
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool in = whole || rng() % 5;
            piece.Mask.SetPixel(x, y, in ? 255 : 0);
            piece.Image.SetPixel(x, y, in ? (bpp == 8 ? 2 + rng() % 250 : rng() & 0xFFFFFF) : 0);
        }
}

bool SamePiece(const TFloating& a, const TFloating& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Image.GetPixel(x, y) != b.Image.GetPixel(x, y) ||
                a.Mask.GetPixel(x, y) != b.Mask.GetPixel(x, y))
                return false;
    return true;
}

} // namespace

TEST(Rotation, SnapsQuarterTurnsAndAppliesStepsInTheOrderNamed) {
    const long double pi = std::numbers::pi_v<long double>;
    struct Case {
        long double radians;
        long double x, y, wantX, wantY;
    } cases[] = {
        {pi / 2, 3, 1, -1 + 10, 3 + 20}, {pi, 3, 1, -3 + 10, -1 + 20}, {3 * pi / 2, 3, 1, 1 + 10, -3 + 20},
        {2 * pi, 3, 1, 3 + 10, 1 + 20},  {0, -4, 7, -4 + 10, 7 + 20},
    };
    for (const Case& c : cases) {
        TRotation m;
        m.Rotate(c.radians);
        m.Translate(10, 20); // turned first, then moved
        const TRotation::TPoint p = m.Transformed(c.x, c.y);
        EXPECT_EQ(p.X, c.wantX) << double(c.radians); // exact: the sine and cosine snapped
        EXPECT_EQ(p.Y, c.wantY) << double(c.radians);
    }
    TRotation moved; // moved first, then turned by a quarter
    moved.Translate(10, 20);
    moved.Rotate(pi / 2);
    EXPECT_EQ(moved.Transformed(0, 0).X, -20);
    EXPECT_EQ(moved.Transformed(0, 0).Y, 10);
}

TEST(LiftFloating, EachLayoutFlipsPixelsAndMaskTogether) {
    TOrvaneBitmap picture;
    ASSERT_TRUE(MakeIndexed(picture, {"......", ".abc..", ".def..", ".ghi.."}));
    // An L: the top row of the box and its left column.
    const QRegion selection = QRegion(1, 1, 3, 1) + QRegion(1, 2, 1, 2);
    const Strings want[] = {
        {"abc", "d--", "g--"}, // NORMAL
        {"g--", "d--", "abc"}, // UP/DOWN
        {"cba", "--d", "--g"}, // MIRROR
        {"--g", "--d", "cba"}, // UP/DOWN MIRROR
    };
    for (int type = FloatNormal; type <= FloatUDMirror; ++type) {
        TFloating piece;
        ASSERT_EQ(LiftFloating(picture, selection, type, piece), 0u);
        EXPECT_EQ(Shown(piece), want[type]) << type;
        EXPECT_EQ(piece.Image.GetPixel(type >= FloatMirror ? 0 : 2, 1), 0u) << "transparent pixels hold 0";
    }
    TFloating piece;
    EXPECT_EQ(LiftFloating(picture, QRegion(), FloatNormal, piece), ErrorCode::NoWorkArea);
    EXPECT_EQ(LiftFloating(picture, QRegion(10, 10, 3, 3), FloatNormal, piece), ErrorCode::NoWorkArea);
    EXPECT_TRUE(piece.Empty());
    ASSERT_EQ(LiftFloating(picture, QRegion(4, 2, 5, 5), FloatNormal, piece), 0u); // cut to the picture
    EXPECT_EQ(Shown(piece), Strings({"..", ".."}));
}

TEST(RotateFloating, QuarterTurnsMoveEveryPixelExactly) {
    // Positive angles turn counter-clockwise on the screen: source (x, y) of a w x h box
    // lands at (y, w-1-x) after a quarter turn.
    struct Turn {
        double degrees;
        int quarters;
    } turns[] = {{90, 1}, {180, 2}, {270, 3}, {-90, 3}, {450, 1}, {360, 0}};
    for (int bpp : {8, 24})
        for (QSize size : {QSize(1, 1), QSize(7, 3), QSize(8, 5), QSize(33, 9), QSize(6, 6)})
            for (const Turn& t : turns) {
                TFloating source, turned;
                RandomPiece(source, size.width(), size.height(), bpp, true, 7);
                ASSERT_EQ(RotateFloating(source, t.degrees, turned), 0u);
                const bool swap = t.quarters % 2;
                ASSERT_EQ(turned.Width(), swap ? size.height() : size.width());
                ASSERT_EQ(turned.Height(), swap ? size.width() : size.height());
                const int w = size.width(), h = size.height();
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const QPoint to = t.quarters == 0   ? QPoint(x, y)
                                          : t.quarters == 1 ? QPoint(y, w - 1 - x)
                                          : t.quarters == 2 ? QPoint(w - 1 - x, h - 1 - y)
                                                            : QPoint(h - 1 - y, x);
                        ASSERT_EQ(turned.Image.GetPixel(to.x(), to.y()), source.Image.GetPixel(x, y))
                            << bpp << " " << w << "x" << h << " " << t.degrees;
                        ASSERT_EQ(turned.Mask.GetPixel(to.x(), to.y()), 255u);
                    }
            }
}

TEST(RotateFloating, FortyFiveDegreesLeavesNoHolesAndTransparentCorners) {
    TFloating source, turned;
    RandomPiece(source, 40, 24, 8, true, 3);
    ASSERT_EQ(RotateFloating(source, 45, turned), 0u);
    const int w = turned.Width(), h = turned.Height();
    for (QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        EXPECT_EQ(turned.Mask.GetPixel(corner.x(), corner.y()), 0u);
    // Every row and every column holds one unbroken run of pieces pixels.
    int opaque = 0;
    auto runs = [&](int n, auto at) {
        int count = 0;
        for (int i = 0; i < n; ++i)
            count += at(i) && (i == 0 || !at(i - 1));
        return count;
    };
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(runs(w, [&](int x) { return turned.Mask.GetPixel(x, y) != 0; }), 1) << y;
        for (int x = 0; x < w; ++x)
            opaque += turned.Mask.GetPixel(x, y) != 0;
    }
    for (int x = 0; x < w; ++x)
        EXPECT_EQ(runs(h, [&](int y) { return turned.Mask.GetPixel(x, y) != 0; }), 1) << x;
    EXPECT_NEAR(opaque, 40 * 24, 40 * 24 / 10); // about the source's area
}

TEST(RotateFloating, UpDownMirrorEqualsAHalfTurnForEvenBoxes) {
    TOrvaneBitmap picture;
    ASSERT_TRUE(MakeIndexed(picture, {"abcdef", "ghijkl", "mnopqr", "stuvwx"}));
    for (const QRegion& selection : {QRegion(0, 0, 6, 4), QRegion(0, 0, 4, 2) + QRegion(2, 2, 2, 2)}) {
        TFloating flipped, normal, turned;
        ASSERT_EQ(LiftFloating(picture, selection, FloatUDMirror, flipped), 0u);
        ASSERT_EQ(LiftFloating(picture, selection, FloatNormal, normal), 0u);
        ASSERT_EQ(RotateFloating(normal, 180, turned), 0u);
        EXPECT_EQ(Shown(turned), Shown(flipped));
    }
}

TEST(RotateFloating, MatchesThePlainLoopAtAnyAngle) {
    for (int bpp : {8, 24})
        for (QSize size : {QSize(1, 1), QSize(2, 3), QSize(17, 9), QSize(64, 40)})
            for (double degrees : {1.0, 33.0, 45.0, 89.9, 137.0, 200.0, -33.0, 359.5}) {
                TFloating source, fast, plain;
                RandomPiece(source, size.width(), size.height(), bpp, false, unsigned(int(degrees * 10)));
                ASSERT_EQ(RotateFloating(source, degrees, fast), 0u);
                ASSERT_TRUE(RotateReference(source, degrees, plain));
                EXPECT_TRUE(SamePiece(fast, plain))
                    << bpp << " " << size.width() << "x" << size.height() << " " << degrees;
            }
}

TEST(RotateFloating, RefusesATurnBeyondThePictureLimits) {
    // 65535 x 200 at 24 bits turned by 45 degrees would need about 6.5 GB.
    TFloating source, turned;
    ASSERT_TRUE(source.Allocate(65535, 200, 24));
    EXPECT_EQ(RotateFloating(source, 45, turned), ErrorCode::TooLargeForOperation);
    EXPECT_TRUE(turned.Empty());
    EXPECT_EQ(RotateFloating(source, 90, turned), 0u); // a quarter turn fits
    EXPECT_EQ(turned.Width(), 200);
}

TEST(BendFloating, FanAndTubeKeepThePiecesColumnsInOrder) {
    TFloating source;
    ASSERT_TRUE(source.Allocate(40, 10, 8));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 40; ++x) {
            source.Image.SetPixel(x, y, uint32_t(10 + x));
            source.Mask.SetPixel(x, y, 255);
        }
    for (auto [type, size] : {std::pair{BendFan, QSize(44, 16)}, {BendTube, QSize(26, 14)}}) {
        TFloating bent;
        ASSERT_EQ(BendFloating(source, type, bent), 0u);
        EXPECT_EQ(QSize(bent.Width(), bent.Height()), size) << type;
        int opaque = 0;
        for (int y = 0; y < bent.Height(); ++y) // along each row the columns come in their order
            for (int x = 0, last = -1; x < bent.Width(); ++x)
                if (bent.Mask.GetPixel(x, y)) {
                    ++opaque;
                    EXPECT_GE(int(bent.Image.GetPixel(x, y)), last) << type << " row " << y;
                    last = int(bent.Image.GetPixel(x, y));
                }
        EXPECT_GT(opaque, 40 * 10 / 2) << type;
    }
    // The tube's middle bows lower than its sides; the fan's top row is its widest.
    TFloating tube, fan;
    ASSERT_EQ(BendFloating(source, BendTube, tube), 0u);
    auto firstRow = [](const TFloating& p, int x) {
        for (int y = 0; y < p.Height(); ++y)
            if (p.Mask.GetPixel(x, y)) return y;
        return -1;
    };
    EXPECT_GT(firstRow(tube, tube.Width() / 2), firstRow(tube, 0));
    ASSERT_EQ(BendFloating(source, BendFan, fan), 0u);
    EXPECT_EQ(firstRow(fan, fan.Width() / 2), 0);
    EXPECT_GT(firstRow(fan, 0), 0);
}
