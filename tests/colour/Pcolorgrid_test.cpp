#include "colour/Hlswheel.h"
#include "colour/Pcolorgrid.h"

#include <gtest/gtest.h>

namespace {
// The palette window's grid: 7 x 4 cells of 20 x 20 pixels plus the scroll bar.
TPaletteGrid Grid7x4() {
    TPaletteGrid g;
    g.SetXSquares(7);
    g.SetYSquares(4);
    g.SetSize(7 * 20 + 16, 4 * 20);
    return g;
}
} // namespace

TEST(PaletteGrid, SquaresAndTabOutsideTheirRangesAreIgnored) {
    TPaletteGrid g;
    EXPECT_FALSE(g.SetXSquares(17));
    EXPECT_FALSE(g.SetXSquares(0));
    EXPECT_FALSE(g.SetYSquares(-1));
    EXPECT_FALSE(g.SetTab(7));
    EXPECT_FALSE(g.SetTab(0));
    EXPECT_EQ(g.XSquares(), 8);
    EXPECT_EQ(g.YSquares(), 6);
    EXPECT_EQ(g.Tab(), 2);
    EXPECT_TRUE(g.SetXSquares(16));
    EXPECT_TRUE(g.SetTab(6));
    EXPECT_EQ(g.XSquares(), 16);
}

TEST(PaletteGrid, SlotsAndCellRectanglesComeFromTheControlSize) {
    TPaletteGrid g = Grid7x4();
    g.SetSize(7 * 20 + 16 + 6, 4 * 20 + 3); // remainders are left over, not spread
    EXPECT_EQ(g.SlotWidth(), 20);
    EXPECT_EQ(g.SlotHeight(), 20);
    EXPECT_EQ(g.CellRect(0), QRect(2, 2, 16, 16));
    EXPECT_EQ(g.CellRect(8), QRect(22, 22, 16, 16));
    EXPECT_EQ(g.IndexRect(2), QRect(2, 2, 16, 16));
    EXPECT_EQ(g.IndexRect(2 + 28), QRect()); // the first row below the grid
    g.SetTab(6);
    EXPECT_EQ(g.CellRect(0), QRect(6, 6, 8, 8));
    g.SetSize(10, 10); // no room for a slot
    EXPECT_EQ(g.SlotWidth(), 0);
    EXPECT_TRUE(g.CellRect(0).isEmpty());
    EXPECT_EQ(g.HitTest(5, 5), 2);
}

TEST(PaletteGrid, ScrollRangeAndFirstIndexFollowTheColumns) {
    TPaletteGrid g = Grid7x4();
    EXPECT_EQ(g.ScrollMax(), 32);
    EXPECT_EQ(g.SetRow(40), 32);
    EXPECT_EQ(g.FirstIndex(), 32 * 7 + 2);
    EXPECT_EQ(g.SetRow(-3), 0);
    TPaletteGrid d; // 8 x 6: 250 / 8 + 1 - 6
    EXPECT_EQ(d.ScrollMax(), 26);
    d.SetXSquares(16);
    d.SetYSquares(16);
    EXPECT_EQ(d.ScrollMax(), 0); // the whole palette fits
}

TEST(PaletteGrid, ChoosingALateIndexScrollsClampedAndShowsReservedCells) {
    TPaletteGrid g = Grid7x4();
    TPalette pal;
    pal.UseColor = 10;
    const auto r = g.SetChoiceIndex(251, &pal);
    EXPECT_TRUE(r.Changed);
    EXPECT_TRUE(r.Scrolled);
    EXPECT_TRUE(r.UseColorRaised);
    EXPECT_EQ(r.OldIndex, 2);
    EXPECT_EQ(g.RowOffset(), 32); // wanted 250 / 7 - 2 = 33
    EXPECT_EQ(g.FirstIndex(), 226);
    EXPECT_TRUE(g.IsShown(251));
    EXPECT_TRUE(TPaletteGrid::IsReserved(g.FirstIndex() + 26));
    EXPECT_TRUE(TPaletteGrid::IsReserved(g.FirstIndex() + 27));
    EXPECT_FALSE(TPaletteGrid::IsReserved(251));
    EXPECT_EQ(g.HitTest(1000, 1000), 251); // the reserved corner cell is never hit
}

TEST(PaletteGrid, ChoosingAHiddenIndexPutsItsRowHalfTheGridDown) {
    TPaletteGrid g = Grid7x4();
    TPalette pal;
    pal.UseColor = 200;
    const auto r = g.SetChoiceIndex(100, &pal); // row 99 / 7 = 14, minus 4 / 2
    EXPECT_EQ(g.RowOffset(), 12);
    EXPECT_FALSE(r.UseColorRaised);
    EXPECT_EQ(pal.UseColor, 200);
    EXPECT_FALSE(g.SetChoiceIndex(90, &pal).Scrolled); // 86 .. 113 are shown
    EXPECT_EQ(g.SetChoiceIndex(3, &pal).Scrolled, true);
    EXPECT_EQ(g.RowOffset(), 0); // clamped at the top
    EXPECT_FALSE(g.SetChoiceIndex(3, &pal).Changed);
    EXPECT_FALSE(g.SetChoiceIndex(256, &pal).Changed);
    EXPECT_FALSE(g.SetChoiceIndex(-1, nullptr).Changed);
    EXPECT_TRUE(g.SetChoiceIndex(254, nullptr).Changed); // a program may pick a reserved index
}

TEST(PaletteGrid, HitTestsAreClampedToTheGrid) {
    TPaletteGrid g = Grid7x4();
    EXPECT_EQ(g.HitTest(0, 0), 2);
    EXPECT_EQ(g.HitTest(-50, -50), 2);
    EXPECT_EQ(g.HitTest(25, 45), 2 + 2 * 7 + 1);
    EXPECT_EQ(g.HitTest(139, 79), 2 + 27);
    EXPECT_EQ(g.HitTest(140, 79), 2 + 27); // on the gap before the scroll bar
    EXPECT_EQ(g.HitTest(5000, 10), 2 + 6); // past the right edge: last column, same row
    EXPECT_EQ(g.HitTest(5, 5000), 2 + 21);
    g.SetRow(g.ScrollMax());
    for (int y : {-1, 0, 79, 80, 500})
        for (int x : {-1, 0, 139, 155, 900})
            EXPECT_LE(g.HitTest(x, y), 251) << x << "," << y;
}

TEST(PaletteGrid, CursorIndexChangesOnlyWithinTheByteRange) {
    TPaletteGrid g;
    EXPECT_TRUE(g.SetCursorIndex(40));
    EXPECT_FALSE(g.SetCursorIndex(40));
    EXPECT_FALSE(g.SetCursorIndex(300));
    EXPECT_EQ(g.CursorIndex(), 40);
}

TEST(SelectorGrid, ScrollsOnlyOnceTheSetFillsTheGrid) {
    TSelectorGrid g;
    g.SetXSquares(7);
    g.SetYSquares(5);
    g.SetSize(7 * 10 + 16, 50);
    EXPECT_EQ(g.ScrollMax(0), 0);
    EXPECT_EQ(g.ScrollMax(35), 0);
    EXPECT_EQ(g.ScrollMax(36), 1);
    EXPECT_EQ(g.ScrollMax(256), 255 / 7 + 1 - 5);
    EXPECT_EQ(g.MemberAt(15, 5, 3), 1);
    EXPECT_EQ(g.MemberAt(35, 5, 3), -1); // empty cell after the last member
    g.SetRowOffset(1, g.ScrollMax(36));
    EXPECT_EQ(g.MemberAt(5, 5, 36), 7);
    EXPECT_EQ(g.MemberAt(5, 45, 36), 35); // the last member, alone on its row
    EXPECT_EQ(g.MemberAt(15, 45, 36), -1);
}

TEST(HLSWheel, RingSetsHueAndInnerFieldSetsSaturation) {
    EXPECT_EQ(WheelHit(139, 70).Part, 1);
    EXPECT_EQ(WheelHit(139, 70).Hue, 0);
    EXPECT_EQ(WheelHit(70, 5).Hue, 90);  // straight up
    EXPECT_EQ(WheelHit(139, 69).Hue, 1); // 0.83 degrees rounds as the picker rounds
    const TWheelHit inner = WheelHit(70 - 28, 70);
    EXPECT_EQ(inner.Part, 2);
    EXPECT_EQ(inner.Hue, 180);
    EXPECT_DOUBLE_EQ(inner.Saturation, 0.5);
    EXPECT_EQ(WheelHit(0, 0).Part, 0);
    const QImage img = HLSWheelImage(0.5);
    EXPECT_EQ(img.size(), QSize(140, 140));
    EXPECT_EQ(img.pixel(135, 70), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(70, 70), qRgb(127, 127, 127)); // centre: saturation 0
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
}
