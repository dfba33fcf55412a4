#include "raster/Floodfill.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <random>

namespace {

// Each case is one picture: '.' passes the test and '#' fails; 'o' passes and is
// expected to be taken, 'S' is a passing seed and 'X' a failing one (both taken).
struct FillCase {
    const char* name;
    std::vector<std::string> art;
    std::optional<QRect> bounds;
    QRect filled;
};

// clang-format off
const FillCase kCases[] = {
    {"a failing seed is taken alone when its neighbours fail; diagonals are not neighbours",
     {".#.",
      "#X#",
      ".#."}, {}, QRect(1, 1, 1, 1)},
    {"a failing seed still grows into passing neighbours",
     {"#ooo#",
      "#oXo#",
      "#####"}, {}, QRect(1, 0, 3, 2)},
    {"two runs below one row: both arms of a ring, not the pocket inside",
     {"oooSoooo",
      "o######o",
      "o#....#o",
      "o######o",
      "oooooooo"}, {}, QRect(0, 0, 8, 5)},
    {"inverted T: the stem spreads both ways beyond its own column",
     {"###S###",
      "###o###",
      "ooooooo"}, {}, QRect(0, 0, 7, 3)},
    {"comb: the fill climbs back up beside the column it came down",
     {"S#o#o#o",
      "o#o#o#o",
      "ooooooo"}, {}, QRect(0, 0, 7, 3)},
    {"bounds stop the fill before their right and bottom edges",
     {"......",
      ".oSo..",
      ".ooo..",
      "......"}, QRect(1, 1, 3, 2), QRect(1, 1, 3, 2)},
    {"bounds beyond the picture are clipped to it",
     {"Soo",
      "o#o"}, QRect(-5, -5, 100, 100), QRect(0, 0, 3, 2)},
};
// clang-format on

// The picture before the fill (as '.' and '#') or after it ('o', 'S', 'X' as '*').
std::vector<std::string> Drawn(std::vector<std::string> art, bool after) {
    for (std::string& row : art)
        for (char& c : row)
            c = (c == 'o' || c == 'S') ? (after ? '*' : '.') : c == 'X' ? (after ? '*' : '#') : c;
    return art;
}

QPoint SeedOf(const std::vector<std::string>& art) {
    for (size_t y = 0; y < art.size(); ++y)
        if (const size_t x = art[y].find_first_of("SX"); x != std::string::npos)
            return QPoint(int(x), int(y));
    return {};
}

int Stars(const std::vector<std::string>& rows) {
    int n = 0;
    for (const std::string& row : rows)
        n += int(std::count(row.begin(), row.end(), '*'));
    return n;
}

// The mask's set bits drawn over the picture as '*'.
std::vector<std::string> MaskOver(std::vector<std::string> rows, TPBitmap& mask) {
    mask.Lock();
    for (int y = 0; y < mask.Height; ++y)
        for (int x = 0; x < mask.Width; ++x)
            if (mask.TestBit(x, y)) rows[size_t(y)][size_t(x)] = '*';
    mask.Unlock();
    return rows;
}

const auto kIsDot = [](const uint8_t* row, int x) { return row[x] == '.'; };
const auto kStar = [](uint8_t* row, int x) { row[x] = '*'; };

} // namespace

TEST(FloodFill, PicturesAtBothDepthsAndIntoAMask) {
    for (const FillCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> before = Drawn(c.art, false), after = Drawn(c.art, true);
        const QRect* bounds = c.bounds ? &*c.bounds : nullptr;
        for (const int bits : {8, 24}) {
            SCOPED_TRACE(testing::Message() << bits << " bits");
            // 24 bits: the grey colours of the same indices, which Rows reads back alike.
            TOrvaneBitmap b;
            ASSERT_TRUE(MakeIndexed(b, before));
            if (bits == 24) {
                ASSERT_TRUE(b.ColorRes(24, 4, nullptr, 0));
            }
            const int n = bits / 8; // bytes per pixel
            int sets = 0;
            QRect filled;
            EXPECT_TRUE(FloodFill(
                b, &filled, bounds, SeedOf(c.art),
                [n](uint8_t* row, int x) { return row[n * x] == '.' && row[n * x + n - 1] == '.'; },
                [&](uint8_t* row, int x) { std::fill_n(row + n * x, n, '*'), ++sets; }));
            EXPECT_EQ(Rows(b), after);
            EXPECT_EQ(filled, c.filled);
            EXPECT_EQ(sets, Stars(after));
        }
        // Into a mask the picture stays as it was: set writes into a row copy.
        TOrvaneBitmap b;
        ASSERT_TRUE(MakeIndexed(b, before));
        TPBitmap mask;
        ASSERT_TRUE(mask.Allocate(3, 3, 8)); // the wrong shape: made anew
        QRect filled;
        int sets = 0;
        const auto set = [&](uint8_t* row, int x) { row[x] = '.', ++sets; };
        ASSERT_TRUE(FloodFillMask(b, &filled, &mask, SeedOf(c.art), kIsDot, set, bounds));
        EXPECT_EQ(Rows(b), before);
        EXPECT_EQ(MaskOver(before, mask), after);
        EXPECT_EQ(filled, c.filled);
        EXPECT_EQ(mask.Bits, nullptr); // unlocked again
        EXPECT_EQ(sets, Stars(after));
    }
}

TEST(FloodFill, SeedsOutsideAndEmptyPicturesFillNothing) {
    const std::vector<std::string> picture = {"...", "..."};
    const QRect bounds(1, 0, 2, 2);
    const std::pair<QPoint, const QRect*> seeds[] = {
        {{-1, 0}, nullptr}, {{3, 0}, nullptr}, {{0, -1}, nullptr}, {{0, 2}, nullptr}, {{0, 0}, &bounds}};
    for (const auto& [seed, box] : seeds) {
        SCOPED_TRACE(testing::Message() << seed.x() << "," << seed.y());
        TOrvaneBitmap b;
        ASSERT_TRUE(MakeIndexed(b, picture));
        QRect filled(1, 1, 1, 1);
        EXPECT_FALSE(FloodFill(b, &filled, box, seed, kIsDot, kStar));
        EXPECT_TRUE(filled.isEmpty());
        EXPECT_EQ(Rows(b), picture);
        TPBitmap mask; // a mask the caller already had stays as it was
        ASSERT_TRUE(mask.Allocate(2, 2, 1));
        mask.Memory[0] = 0x80;
        EXPECT_FALSE(FloodFillMask(b, nullptr, &mask, seed, kIsDot, TNoSet{}, box));
        EXPECT_EQ(mask.Memory[0], 0x80);
    }
    TOrvaneBitmap empty, b;
    TPBitmap mask;
    EXPECT_FALSE(FloodFill(empty, nullptr, nullptr, QPoint(0, 0), kIsDot, kStar));
    EXPECT_FALSE(FloodFillMask(empty, nullptr, &mask, QPoint(0, 0), kIsDot));
    ASSERT_TRUE(MakeIndexed(b, picture));
    EXPECT_FALSE(FloodFillMask(b, nullptr, nullptr, QPoint(0, 0), kIsDot));
}

// A test that still accepts what set wrote would walk forever; the fill stops
// once it has taken more pixels than the area holds. The mask variant needs no
// such care: marked pixels are never taken again.
TEST(FloodFill, TestAcceptingTakenPixelsStopsInsteadOfLooping) {
    const std::vector<std::string> picture = {"....", "..#.", "...."};
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, picture));
    const auto notWall = [](uint8_t* row, int x) { return row[x] != '#'; };
    int sets = 0;
    const auto set = [&](uint8_t* row, int x) { row[x] = '*', ++sets; };
    EXPECT_FALSE(FloodFill(b, nullptr, nullptr, QPoint(0, 1), notWall, set));
    EXPECT_LE(sets, 12 + 4); // the area and at most one row more

    ASSERT_TRUE(MakeIndexed(b, picture));
    TPBitmap mask;
    sets = 0;
    EXPECT_TRUE(FloodFillMask(b, nullptr, &mask, QPoint(0, 1), notWall, set));
    EXPECT_EQ(sets, 11);
    // An empty std::function is no set at all.
    EXPECT_TRUE(
        FloodFillMask(b, nullptr, &mask, QPoint(0, 1), notWall, std::function<void(uint8_t*, int)>()));
}

// Wide pictures, so runs cross whole mask bytes, against a plain breadth-first fill.
TEST(FloodFill, IntoAMaskTakesWhatAPlainFillTakes) {
    struct Case {
        int Width, Height, WallsInHundred, Block;
        std::optional<QRect> Bounds;
    };
    const Case cases[] = {{67, 41, 0, 1, {}},   {67, 41, 30, 1, {}},  {64, 40, 45, 1, {}},
                          {203, 37, 10, 9, {}}, {203, 37, 35, 5, {}}, {90, 50, 20, 3, QRect(5, 3, 70, 40)}};
    unsigned seed = 11;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << " walls " << c.WallsInHundred);
        std::mt19937 rng(seed++);
        std::vector<std::string> art(size_t(c.Height), std::string(size_t(c.Width), '.'));
        for (int y = 0; y < c.Height; y += c.Block)
            for (int x = 0; x < c.Width; x += c.Block)
                if (int(rng() % 100) < c.WallsInHundred)
                    for (int yy = y; yy < std::min(y + c.Block, c.Height); ++yy)
                        for (int xx = x; xx < std::min(x + c.Block, c.Width); ++xx)
                            art[size_t(yy)][size_t(xx)] = '#';
        const QRect area = c.Bounds ? *c.Bounds : QRect(0, 0, c.Width, c.Height);
        const QPoint start(area.x() + area.width() / 2, area.y() + area.height() / 2);
        art[size_t(start.y())][size_t(start.x())] = '.';
        // The plain fill: 4-connected, within the area.
        std::vector<std::string> expected = art;
        std::deque<QPoint> todo{start};
        expected[size_t(start.y())][size_t(start.x())] = '*';
        QRect box(start, start);
        while (!todo.empty()) {
            const QPoint p = todo.front();
            todo.pop_front();
            box |= QRect(p, p);
            for (const QPoint q : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)})
                if (area.contains(q) && expected[size_t(q.y())][size_t(q.x())] == '.') {
                    expected[size_t(q.y())][size_t(q.x())] = '*';
                    todo.push_back(q);
                }
        }
        TOrvaneBitmap b;
        ASSERT_TRUE(MakeIndexed(b, art));
        TPBitmap mask;
        QRect filled;
        ASSERT_TRUE(
            FloodFillMask(b, &filled, &mask, start, kIsDot, TNoSet{}, c.Bounds ? &*c.Bounds : nullptr));
        EXPECT_EQ(MaskOver(art, mask), expected);
        EXPECT_EQ(filled, box);
    }
}
