// The Grouping tool's operations and the median cut, without windows.
#include "colour/Grouping.h"
#include "colour/Majority.h"
#include "colour/Mediancut.h"
#include "colour/Separate.h"
#include "support/Draw.h"
#include "support/Pictures.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace {

using Strings = std::vector<std::string>;

TColorData Rgb(int r, int g, int b) {
    TColorData c;
    c.SetRGB(r, g, b);
    return c;
}

TChoiceColor SetOf(const std::string& members, const TPalette& palette) {
    TChoiceColor set;
    for (char c : members)
        set.Add(uint8_t(c), palette);
    return set;
}

struct TBoxCase {
    const char* name;
    std::vector<std::pair<TCell6, uint32_t>> cells;
    int n;
    std::vector<int> reds; // the box colours' red, darkest first
};

} // namespace

TEST(MedianCut, BoxesSplitShrinkAndSortAsTheRuleSays) {
    const TBoxCase cases[] = {
        {"one colour is one box whatever n", {{{20, 5, 5}, 9}}, 7, {20}},
        {"n = 1 is the weighted mean", {{{0, 0, 0}, 1}, {{40, 0, 0}, 3}}, 1, {30}},
        // Half of 4 is passed only in the upper slice: the cut moves one slice down.
        {"two slices split between them", {{{10, 0, 0}, 1}, {{11, 0, 0}, 3}}, 2, {10, 11}},
        {"the cut passes half the count", {{{0, 0, 0}, 5}, {{30, 0, 0}, 5}, {{60, 0, 0}, 1}}, 2, {15, 60}},
        {"the fuller box splits next", {{{0, 0, 0}, 5}, {{30, 0, 0}, 5}, {{60, 0, 0}, 1}}, 3, {0, 30, 60}},
        {"nothing counted gives no box", {}, 3, {}},
    };
    for (const TBoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        TMedianCut cut;
        for (const auto& [cell, count] : c.cells)
            cut.Count(TMedianCut::CellOf(cell.Red * 4, cell.Green * 4, cell.Blue * 4), count);
        ASSERT_EQ(cut.Cut(c.n), int(c.reds.size()));
        std::vector<int> reds;
        for (const TCell6& colour : cut.Colours())
            reds.push_back(colour.Red);
        EXPECT_EQ(reds, c.reds);
    }
    TMedianCut cut; // an uncounted cell takes the nearest box
    cut.Count(TMedianCut::CellOf(0, 0, 0), 1);
    cut.Count(TMedianCut::CellOf(200, 200, 200), 1);
    ASSERT_EQ(cut.Cut(2), 2);
    EXPECT_EQ(cut.Lookup(TMedianCut::CellOf(180, 190, 170)), 1);
    EXPECT_EQ(cut.Lookup(TMedianCut::CellOf(20, 0, 0)), 0);
}

TEST(Grouping, ReduceWritesTheBoxColoursFromEntryTwoAndKeepsWhatItMayNotChange) {
    TDocument doc;
    OpenArt(doc, {"abab", "abcc"}, 8, 'c');
    doc.EditPalette([](TPalette& p) {
        p['a'] = Rgb(0, 0, 0), p['b'] = Rgb(160, 0, 0), p['c'] = Rgb(200, 200, 200);
        return true;
    });
    ASSERT_EQ(GroupReduce(doc, 1), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"\2\2\2\2", "\2\2\2\2"}));
    EXPECT_EQ(doc.Palette()[2].ColorRef(), Rgb(108, 48, 48).ColorRef()); // 6-bit means times 4
    EXPECT_EQ(doc.Palette().UseColor, 2);
    ASSERT_TRUE(doc.Undo()); // one undo: pixels and palette
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"abab", "abcc"}));
    EXPECT_EQ(doc.Palette()['b'].ColorRef(), Rgb(160, 0, 0).ColorRef());
    EXPECT_EQ(doc.Palette().UseColor, 'c');

    // With a selection only its pixels change; kept pixels of an index whose entry
    // the new colours take move to an entry after them, their colour unchanged.
    OpenArt(doc, {"\3\4\5", "\3\4\5"}, 8, 5);
    doc.EditPalette([](TPalette& p) {
        p[3] = Rgb(0, 0, 0), p[4] = Rgb(100, 100, 100), p[5] = Rgb(252, 252, 252);
        return true;
    });
    doc.SetSelection(QRegion(1, 0, 2, 2));
    ASSERT_EQ(GroupReduce(doc, 2), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"\4\2\3", "\4\2\3"}));
    EXPECT_EQ(doc.Palette()[4].ColorRef(), Rgb(0, 0, 0).ColorRef());
    EXPECT_EQ(doc.Palette()[3].ColorRef(), Rgb(252, 252, 252).ColorRef());
    EXPECT_EQ(doc.Palette().UseColor, 4);
    EXPECT_EQ(GroupReduceBound(doc), 2);
}

TEST(Grouping, FilterTakesTheFirstMajorityFromTheRowsAsTheyWere) {
    struct Case {
        const char* name;
        int size, shape;
        std::string protect;
        std::function<void(TDocument&)> setUp;
        Strings before, after;
    } cases[] = {
        {"isolated pixels go, the border stays",
         9,
         0,
         "",
         {},
         {"cbbb", "bacb", "bbbd"},
         {"cbbb", "bbbb", "bbbd"}},
        {"protected pixels stay", 9, 0, "a", {}, {"cbbb", "bacb", "bbbd"}, {"cbbb", "babb", "bbbd"}},
        {"a protected winner is not taken",
         9,
         0,
         "b",
         {},
         {"cbbb", "bacb", "bbbd"},
         {"cbbb", "bacb", "bbbd"}},
        {"no repeated index keeps the pixel",
         3,
         0,
         "",
         {},
         {"aaaaa", "abcda", "aaaaa"},
         {"aaaaa", "abcda", "aaaaa"}},
        {"the rows as they were",
         3,
         2,
         "",
         {},
         {"ccc", "aaa", "ccc", "aaa", "ccc"},
         {"ccc", "aca", "cac", "aca", "ccc"}},
        {"first to reach the count wins", 9, 0, "", {}, {"bba", "aXb", "aba"}, {"bba", "abb", "aba"}},
        {"the cross skips the plus", 5, 1, "", {}, {"aba", "bcb", "aba"}, {"aba", "bab", "aba"}},
        {"only the selection",
         9,
         0,
         "",
         [](TDocument& d) { d.SetSelection(QRegion(0, 0, 3, 3)); },
         {"bbbb", "bacb", "bbbb"},
         {"bbbb", "bbcb", "bbbb"}},
        {"protection",
         9,
         0,
         "",
         [](TDocument& d) {
             d.EditPalette([](TPalette& p) {
                 p['a'].SetProtected(true);
                 return true;
             });
             d.SetProtection(true);
         },
         {"bbbb", "bacb", "bbbb"},
         {"bbbb", "babb", "bbbb"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDocument doc;
        OpenArt(doc, c.before, 8, '~');
        if (c.setUp) c.setUp(doc);
        ASSERT_EQ(GroupFilter(doc, c.size, c.shape, SetOf(c.protect, doc.Palette())), 0u);
        EXPECT_EQ(Rows(doc.Picture()), c.after);
    }
    EXPECT_EQ(FilterCells(3, 9), FilterCells(3, 3)); // shapes clamp
    EXPECT_EQ(FilterCells(9, 1), 0777);
}

// The sixteen-at-once vote agrees with counting cell by cell, ties included, on
// rows of few indices whose lengths leave tails.
TEST(Grouping, MajorityRowAgreesWithCountingCellByCell) {
    std::mt19937 random(7);
    for (const int n : {3, 5, 9})
        for (const int count : {1, 16, 37, 200}) {
            std::vector<std::vector<uint8_t>> cells(static_cast<size_t>(n),
                                                    std::vector<uint8_t>(static_cast<size_t>(count)));
            std::vector<const uint8_t*> at;
            for (auto& c : cells) {
                for (uint8_t& v : c)
                    v = uint8_t(2 + random() % 4);
                at.push_back(c.data());
            }
            const uint8_t* here = cells[size_t(n / 2)].data();
            std::vector<uint8_t> winner(static_cast<size_t>(count)), change(static_cast<size_t>(count));
            MajorityRow(at.data(), n, here, count, winner.data(), change.data());
            for (int x = 0; x < count; ++x) {
                int counts[256] = {}, best = 0, win = -1;
                for (int c = 0; c < n; ++c) {
                    const int v = cells[size_t(c)][size_t(x)];
                    if (++counts[v] > best) best = counts[v], win = v;
                }
                SCOPED_TRACE(testing::Message() << "n " << n << " count " << count << " x " << x);
                EXPECT_EQ(winner[size_t(x)], win);
                EXPECT_EQ(change[size_t(x)] != 0, best >= 2 && win != here[x]);
            }
        }
}

TEST(Grouping, RearrangeNumbersByCountThenIndex) {
    TDocument doc;
    OpenArt(doc, {std::string(10, '\5') + std::string(10, '\3') + std::string(40, '\7')}, 8, 7);
    const TPalette before = doc.Palette();
    ASSERT_EQ(GroupRearrange(doc), 0u);
    const Strings after = {std::string(10, '\4') + std::string(10, '\3') + std::string(40, '\2')};
    EXPECT_EQ(Rows(doc.Picture()), after);
    EXPECT_TRUE(doc.Palette()[2] == before[7]);
    EXPECT_TRUE(doc.Palette()[3] == before[3]);
    EXPECT_TRUE(doc.Palette()[4] == before[5]);
    EXPECT_EQ(doc.Palette().UseColor, 4);

    OpenArt(doc, {"\1\2\1"}, 8, 2); // fewer than two drawing entries: nothing moves
    ASSERT_EQ(GroupRearrange(doc), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"\1\2\1"}));
}

TEST(Grouping, UserChooseMapsToTheNearestMemberThenRearranges) {
    TDocument doc;
    OpenArt(doc, {"\2\3\4\5", "\5\5\1\374"}, 8, 5);
    doc.EditPalette([](TPalette& p) {
        p[2] = Rgb(10, 10, 10), p[3] = Rgb(12, 10, 10), p[4] = Rgb(200, 0, 0), p[5] = Rgb(190, 0, 0);
        return true;
    });
    ASSERT_EQ(GroupUserChoose(doc, SetOf("\2\5", doc.Palette())), 0u);
    // 2, 3 -> 2 and 4, 5 -> 5; the background (1) is nearer to 2; then 5 (4 pixels) comes first.
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"\3\3\2\2", "\2\2\3\374"}));
    EXPECT_EQ(doc.Palette()[2].ColorRef(), Rgb(190, 0, 0).ColorRef());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"\2\3\4\5", "\5\5\1\374"}));

    doc.SetSelection(QRegion(0, 0, 2, 1)); // an empty set: the background, in the selection only
    ASSERT_EQ(GroupUserChoose(doc, TChoiceColor()), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"\1\1\3\2", "\2\2\1\374"}));
}

TEST(Separate, OverlapGrowsSquaresLaterColoursWinWithinTheRegion) {
    struct Case {
        const char* name;
        std::string set;
        int overlap;
        std::function<void(TDocument&)> setUp;
        Strings before, after;
    } cases[] = {
        {"an empty set clears", "", 0, {}, {"ab", "ba"}, {"\1\1", "\1\1"}},
        {"overlap 0 keeps the set", "a", 0, {}, {"ab", "ba"}, {"a\1", "\1a"}},
        {"overlap 1 grows, clipped at the edge",
         "a",
         1,
         {},
         {"....", "....", "...a"},
         {"\1\1\1\1", "\1\1aa", "\1\1aa"}},
        {"the lower right colour wins", "ab", 1, {}, {"a.b.."}, {"abbb\1"}},
        {"overlap clamps to 5", "a", 9, {}, {"a.......", "........"}, {"aaaaaa\1\1", "aaaaaa\1\1"}},
        {"only the selection",
         "a",
         1,
         [](TDocument& d) { d.SetSelection(QRegion(0, 0, 2, 2)); },
         {"a..", "..."},
         {"aa.", "aa."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDocument doc;
        OpenArt(doc, c.before, 8, '~');
        if (c.setUp) c.setUp(doc);
        ASSERT_EQ(SeparateColours(doc, SetOf(c.set, doc.Palette()), c.overlap), 0u);
        EXPECT_EQ(Rows(doc.Picture()), c.after);
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(Rows(doc.Picture()), c.before);
    }
}
