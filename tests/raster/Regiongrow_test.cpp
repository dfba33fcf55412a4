// Region growing against the scan-line flood fill, and how its runs join into rectangles.
#include "raster/Floodfill.h"
#include "raster/Regiongrow.h"
#include "raster/Workarea.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using Strings = std::vector<std::string>;

// Pixels of the seed's colour pass.
std::vector<QRect> Grow(const TOrvaneBitmap& picture, QPoint seed, bool* ok = nullptr) {
    const uint8_t colour = uint8_t(picture.GetPixel(seed.x(), seed.y()));
    std::vector<QRect> rects;
    const bool grown = GrowRegion(
        picture, seed, [colour](const uint8_t* row, int x) { return row[x] == colour; }, rects);
    if (ok) *ok = grown;
    return rects;
}

} // namespace

TEST(RegionGrow, TakesExactlyWhatTheFloodFillTakesInDisjointRectangles) {
    std::mt19937 random(7);
    for (int picture = 0; picture < 12; ++picture) {
        const int width = 1 + int(random() % 60), height = 1 + int(random() % 40);
        const int colours = 2 + picture % 3; // few colours make large winding areas
        Strings art(size_t(height), std::string(size_t(width), 'a'));
        for (std::string& row : art)
            for (char& c : row)
                c = char('a' + random() % uint32_t(colours));
        TOrvaneBitmap b;
        ASSERT_TRUE(MakeIndexed(b, art));
        for (int k = 0; k < 5; ++k) {
            const QPoint seed(int(random() % uint32_t(width)), int(random() % uint32_t(height)));
            const char colour = art[size_t(seed.y())][size_t(seed.x())];
            TPBitmap mask;
            ASSERT_TRUE(FloodFillMask(b, nullptr, &mask, seed,
                                      [colour](uint8_t* row, int x) { return row[x] == uint8_t(colour); }));
            mask.Lock();
            QRegion filled;
            int64_t pixels = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    if (mask.TestBit(x, y)) filled += QRect(x, y, 1, 1), ++pixels;
            const std::vector<QRect> rects = Grow(b, seed);
            int64_t area = 0;
            for (const QRect& r : rects)
                area += int64_t(r.width()) * r.height();
            EXPECT_TRUE(RegionOfRuns(rects).xored(filled).isEmpty()) << picture << " " << k;
            EXPECT_EQ(RegionOfRuns(rects), RegionOfRects(rects)) << "not in Qt's own form";
            EXPECT_EQ(area, pixels) << "rectangles overlap: " << picture << " " << k;
        }
    }
}

TEST(RegionGrow, RunsWithTheSameEdgesJoinIntoOneRectangle) {
    struct Case {
        const char* name;
        Strings art;
        QPoint seed;
        size_t rects;
    } cases[] = {
        {"a block grown from its middle row", {"#####", "#...#", "#...#", "#...#", "#####"}, {2, 2}, 1},
        {"a ring: top, sides and bottom", {".....", ".###.", ".....", "#####"}, {0, 0}, 4},
        {"a lone pixel", {"#."}, {0, 0}, 1},
    };
    for (const Case& c : cases) {
        TOrvaneBitmap b;
        ASSERT_TRUE(MakeIndexed(b, c.art));
        EXPECT_EQ(Grow(b, c.seed).size(), c.rects) << c.name;
    }
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"..", ".."}));
    bool ok = true;
    EXPECT_TRUE(Grow(b, QPoint(2, 0), &ok).empty());
    EXPECT_FALSE(ok); // a seed outside the picture
    std::vector<QRect> rects{QRect(0, 0, 1, 1)};
    EXPECT_TRUE(GrowRegion(
        b, QPoint(1, 1), [](const uint8_t*, int) { return false; }, rects));
    EXPECT_TRUE(rects.empty()); // a seed that does not pass
}
