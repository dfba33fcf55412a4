// The work area: the mask and bounds it keeps of the picture's region, and its history.
#include "raster/Workarea.h"
#include "support/Pictures.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

// The mask as rows: '#' for 255, '.' for 0, '?' for anything else.
Strings MaskArt(const TOrvaneBitmap* mask) {
    Strings out;
    for (int y = 0; mask && y < mask->Height; ++y) {
        std::string row;
        for (int x = 0; x < mask->Width; ++x) {
            const uint32_t v = mask->GetPixel(x, y);
            row.push_back(v == 255 ? '#' : v == 0 ? '.' : '?');
        }
        out.push_back(row);
    }
    return out;
}

class WorkArea : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(MakeIndexed(picture, Strings(4, std::string(6, '.')))); }
    Strings Selected() const { return RegionArt(area.Region(), 6, 4); }
    TOrvaneBitmap picture;
    TWorkArea area{picture};
};

} // namespace

TEST_F(WorkArea, MaskAndBoundsFollowTheRegionCutToThePicture) {
    struct Case {
        const char* name;
        QRegion region;
        QRect bounds;
        Strings mask;
        int rectangle;
    } cases[] = {
        {"none", QRegion(), QRect(), {}, -1},
        {"a rectangle", QRegion(1, 1, 3, 2), QRect(1, 1, 3, 2), {"###", "###"}, 1},
        {"an L", RegionOfArt({"......", ".#....", ".###..", "......"}), QRect(1, 1, 3, 2), {"#..", "###"}, 0},
        {"cut at the right edge", QRegion(4, 2, 10, 10), QRect(4, 2, 2, 2), {"##", "##"}, 1},
        {"wholly outside is none", QRegion(7, 0, 3, 3), QRect(), {}, -1},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(area.SetRegion(c.region)) << c.name;
        EXPECT_EQ(area.Bounds(), c.bounds) << c.name;
        EXPECT_EQ(MaskArt(area.Mask()), c.mask) << c.name;
        EXPECT_EQ(area.IsRectangle(), c.rectangle) << c.name;
        EXPECT_EQ(picture.HasRegion(), c.rectangle >= 0) << c.name;
    }
}

TEST(WorkAreaComplex, ARegionIsComplexPastFourThousandBytesOfRectangles) {
    TOrvaneBitmap picture;
    ASSERT_TRUE(MakeIndexed(picture, Strings(1, std::string(600, '.'))));
    TWorkArea area(picture);
    for (const auto& [rects, complex] : {std::pair{248, false}, std::pair{249, true}}) {
        QRegion comb; // separate one-pixel teeth: one rectangle each
        for (int i = 0; i < rects; ++i)
            comb += QRect(2 * i, 0, 1, 1);
        ASSERT_TRUE(area.SetRegion(comb));
        EXPECT_EQ(area.Complex(), complex) << rects;
    }
}

TEST_F(WorkArea, SwapUndoTwiceRestoresAndStepBackWalksBackWithinTheDepth) {
    const QRegion a(0, 0, 2, 2), b(2, 1, 3, 3), c(1, 0, 1, 4);
    area.SetDepth(2);
    for (const QRegion& r : {a, b, c})
        ASSERT_TRUE(area.SetRegion(r, true));
    EXPECT_EQ(area.HistoryCount(), 2); // none went first
    ASSERT_TRUE(area.SwapUndo());
    EXPECT_EQ(area.Region(), b);
    EXPECT_EQ(area.Bounds(), b.boundingRect());
    ASSERT_TRUE(area.SwapUndo());
    EXPECT_EQ(area.Region(), c);
    EXPECT_EQ(MaskArt(area.Mask()), Strings(4, "#"));
    ASSERT_TRUE(area.StepBack());
    EXPECT_EQ(area.Region(), b);
    ASSERT_TRUE(area.StepBack());
    EXPECT_EQ(area.Region(), a);
    EXPECT_FALSE(area.StepBack());
    EXPECT_EQ(area.Region(), a);
    // An unchanged region is no step; Off with the history drops it.
    ASSERT_TRUE(area.SetRegion(a, true));
    EXPECT_EQ(area.HistoryCount(), 0);
    area.SetRegion(b, true);
    area.Off(true);
    EXPECT_FALSE(area.On());
    EXPECT_EQ(area.Mask(), nullptr);
    EXPECT_FALSE(area.SwapUndo());
}

TEST_F(WorkArea, OffsetCutsAtTheEdgeAndScaleMapsEveryEdge) {
    const QRegion l = RegionOfArt({"##....", "#.....", "......", "......"});
    struct Case {
        const char* name;
        std::function<bool(TWorkArea&)> change;
        bool done;
        Strings selected;
    } cases[] = {
        // clang-format off
        {"offset", [](TWorkArea& a) { return a.Offset(3, 1); }, true, {"......", "...##.", "...#..", "......"}},
        {"offset past the edge", [](TWorkArea& a) { return a.Offset(5, 2); }, true,
         {"......", "......", ".....#", ".....#"}},
        {"scale up", [](TWorkArea& a) { return a.Scale(QRect(1, 0, 4, 4)); }, true,
         {".####.", ".####.", ".##...", ".##..."}},
        {"scale down", [](TWorkArea& a) { return a.Scale(QRect(5, 2, 1, 2)); }, true,
         {"......", "......", ".....#", "......"}},
        {"scale to a box where nothing is left", [](TWorkArea& a) { return a.Scale(QRect(5, 3, 1, 1)); }, false,
         {"##....", "#.....", "......", "......"}},
        // clang-format on
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(area.SetRegion(l));
        EXPECT_EQ(c.change(area), c.done) << c.name;
        EXPECT_EQ(Selected(), c.selected) << c.name;
        EXPECT_EQ(area.Bounds(), area.Region().boundingRect()) << c.name;
    }
}

TEST_F(WorkArea, SyncRebuildsAfterTheRegionChangedBehindIt) {
    ASSERT_TRUE(area.SetRegion(QRegion(0, 0, 2, 2)));
    EXPECT_FALSE(area.Sync());
    picture.SetRegion(QRegion(3, 1, 2, 3), L_RGN_SET); // as an undone change puts it back
    EXPECT_TRUE(area.Sync());
    EXPECT_EQ(area.Bounds(), QRect(3, 1, 2, 3));
    EXPECT_EQ(MaskArt(area.Mask()), Strings(3, "##"));
    picture.FreeRegion();
    EXPECT_TRUE(area.Sync());
    EXPECT_EQ(area.Mask(), nullptr);
}

TEST(RegionOfRects, TheUnionOfManyRectanglesInAnyOrder) {
    std::vector<QRect> rects;
    QRegion expected;
    for (int i = 0; i < 300; ++i) { // overlapping, out of order
        const QRect r((i * 37) % 50, (i * 11) % 40, 1 + i % 7, 1 + i % 3);
        rects.push_back(r);
        expected += r;
    }
    EXPECT_TRUE(RegionOfRects(rects).xored(expected).isEmpty()); // the same pixels
    EXPECT_TRUE(RegionOfRects({}).isEmpty());
}
