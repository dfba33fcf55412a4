// The Repeat tool's engine: repeats of a tile over the canvas and the tile's rolls.
#include "support/Draw.h"
#include "tools/Repeat.h"

#include "shell/Exception.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

const std::vector<std::string> kArt = {"abcdef", "ghijkl", "mnopqr", "stuvwx"};

// A design of art ('.' is index 0, white in full colour, the background) at a depth.
class Repeating : public ::testing::TestWithParam<int> {
  protected:
    void Open(const std::vector<std::string>& art, int bits = 0) {
        OpenArt(doc, art, bits ? bits : GetParam(), 200);
        doc.EditPalette([](TPalette& p) {
            p[0].SetRGB(255, 255, 255);
            return true;
        });
        std::vector<std::string> mapped = art;
        for (std::string& row : mapped)
            for (char& c : row)
                if (c == '.') c = 0;
        DrawArt(doc, mapped);
        doc.AttachUndo();
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        const TOrvaneBitmap& b = doc.Picture();
        for (int y = 0; y < b.Height; ++y) {
            std::string row;
            for (int x = 0; x < b.Width; ++x) {
                int index = int(b.GetPixel(x, y));
                if (b.BitsPerPixel == 24)
                    for (int i = 0; i < 256; ++i)
                        if (doc.Palette()[i].ColorRef() == b.GetPixel(x, y)) index = i;
                row.push_back(index == 0 ? '.' : char(index));
            }
            rows.push_back(row);
        }
        return rows;
    }
    uint32_t Apply(const TRepeatSettings& s) {
        return ApplyRepeat(doc, s, ApplyRect(s, doc.Bounds().size(), {}));
    }
    TDocument doc;
};

TEST_P(Repeating, TilesLandByFunctionAndDrop) {
    struct Case {
        QRect tile;
        int function, drop;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {{0, 0, 2, 2}, RepeatNormal, 0, {"ababab", "ghghgh", "ababab", "ghghgh"}},
        {{0, 0, 2, 2}, RepeatHalfDropVer, 0, {"ababab", "ghghgh", "ababab", "ghghgh"}},
        {{0, 0, 2, 2}, RepeatHalfDropHor, 0, {"ababab", "ghghgh", "ababab", "ghghgh"}},
        {{0, 0, 2, 2}, RepeatHalfDropVer, 1, {"abghab", "ghabgh", "abghab", "ghabgh"}},
        {{0, 0, 2, 2}, RepeatHalfDropHor, 1, {"ababab", "ghghgh", "bababa", "hghghg"}},
        {{0, 0, 2, 2}, RepeatHalfDropHor, 3, {"ababab", "ghghgh", "bababa", "hghghg"}}, // drop taken mod W
        // At a multiple of its size and away from one: the tile stays in place.
        {{2, 2, 2, 2}, RepeatNormal, 0, {"opopop", "uvuvuv", "opopop", "uvuvuv"}},
        {{1, 1, 2, 2}, RepeatNormal, 0, {"ononon", "ihihih", "ononon", "ihihih"}},
        {{4, 0, 2, 4}, RepeatHalfDropVer, 1, {"qrklef", "wxqrkl", "efwxqr", "klefwx"}},
        {{0, 0, 6, 4}, RepeatHalfDropVer, 2, kArt},
    };
    for (const Case& c : cases) {
        Open(kArt);
        TRepeatSettings s;
        s.Tile = c.tile, s.Function = c.function, s.Drop = c.drop;
        EXPECT_EQ(Apply(s), 0u);
        EXPECT_EQ(Rows(), c.want) << c.function << " drop " << c.drop << " tile " << c.tile.x() << ","
                                  << c.tile.y();
        EXPECT_TRUE(doc.Undo());
        EXPECT_EQ(Rows(), kArt);
        doc.SetSelection(QRegion(c.tile)); // the whole tile opaque: through the combining path
        EXPECT_EQ(Apply(s), 0u);
        EXPECT_EQ(Rows(), c.want);
    }
}

TEST_P(Repeating, SuperimposeModesWithTileTransparencyAndGuard) {
    struct Case {
        int mode;
        QRect selection; // empty: none; else the tile's opaque part
        bool protectC;   // colour 'c' protected
        std::string want;
    };
    const Case cases[] = {
        {0, {}, false, "a.a.a.a."},
        {1, {}, false, "a.adafah"},
        {2, {}, false, "a.c.a.g."},
        {0, {1, 0, 1, 1}, false, "a.c...g."},
        {1, {0, 0, 1, 1}, false, "a.adafah"},
        {0, {}, true, "a.c.a.a."}, // the guard keeps 'c' (256 colours only)
    };
    for (const Case& c : cases) {
        Open({"a.cd.fgh"});
        if (!c.selection.isEmpty()) doc.SetSelection(QRegion(c.selection));
        if (c.protectC) {
            doc.EditPalette([](TPalette& p) {
                p['c'].SetProtected(true);
                return true;
            });
            doc.SetProtection(true);
        }
        TRepeatSettings s;
        s.Tile = QRect(0, 0, 2, 1), s.Rule.Mode = c.mode;
        EXPECT_EQ(Apply(s), 0u);
        std::string want = c.want;
        if (c.protectC && GetParam() == 24) want = "a.a.a.a.";
        EXPECT_EQ(Rows()[0], want) << "mode " << c.mode;
    }
}

TEST_P(Repeating, SizeLimitSpansTowardsTheMouse) {
    Open({"abcdefgh", "ijklmnop", "qrstuvwx"});
    TRepeatSettings s;
    s.Tile = QRect(2, 1, 2, 1), s.SizeLimit = true;
    const QSize size = doc.Bounds().size();
    EXPECT_EQ(ApplyRect(s, size, {3, 1}), s.Tile);
    EXPECT_EQ(ApplyRect(s, size, {0, 0}), s.Tile);
    s.CountX = 3, s.CountY = 2;
    EXPECT_EQ(ApplyRect(s, size, {7, 2}), QRect(2, 1, 6, 2));
    EXPECT_EQ(ApplyRect(s, size, {-50, 0}), QRect(0, 0, 4, 2));
    s.CountX = s.CountY = 1;
    EXPECT_EQ(ApplyRepeat(doc, s, ApplyRect(s, size, {3, 1})), 0u);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"abcdefgh", "ijklmnop", "qrstuvwx"}));
    s.CountX = 2;
    EXPECT_EQ(ApplyRepeat(doc, s, ApplyRect(s, size, {3, 1})), 0u);
    EXPECT_EQ(Rows()[1], "ijklklop");
}

TEST_P(Repeating, MatchRollsAndRecoverUndoesIt) {
    Open({"abcd", "efgh", "ijkl", "mnop"});
    TRepeatSettings s;
    s.Tile = QRect(0, 0, 4, 4), s.Function = RepeatMatchNormal;
    ASSERT_EQ(MatchTile(doc, s, false), 0u);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"klij", "opmn", "cdab", "ghef"}));
    ASSERT_EQ(MatchTile(doc, s, false), 0u); // an even tile: twice is the whole way round
    EXPECT_EQ(Rows(), (std::vector<std::string>{"abcd", "efgh", "ijkl", "mnop"}));
    s.Function = RepeatMatchHor, s.Drop = 1;
    ASSERT_EQ(MatchTile(doc, s, false), 0u);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"klij", "opmn", "bcda", "fghe"}));
    ASSERT_EQ(MatchTile(doc, s, true), 0u);
    s.Function = RepeatMatchVer;
    ASSERT_EQ(MatchTile(doc, s, false), 0u);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"klef", "opij", "cdmn", "ghab"}));

    const std::vector<std::string> odd = {"abcde", "fghij", "klmno", "pqrst", "uvwxy"};
    for (int function : {RepeatMatchNormal, RepeatMatchVer, RepeatMatchHor})
        for (int drop : {0, 1, 2, 7, -3})
            for (QRect tile : {QRect(0, 0, 5, 5), QRect(1, 0, 3, 4), QRect(1, 1, 2, 3), QRect(4, 4, 1, 1)}) {
                Open(odd);
                s.Tile = tile, s.Function = function, s.Drop = drop;
                ASSERT_EQ(MatchTile(doc, s, false), 0u);
                if (tile.width() > 2 && tile.height() > 2) {
                    EXPECT_NE(Rows(), odd);
                }
                ASSERT_EQ(MatchTile(doc, s, true), 0u);
                EXPECT_EQ(Rows(), odd) << function << " drop " << drop;
            }
}

TEST_P(Repeating, BadTilesAndFunctionsChangeNothing) {
    Open(kArt);
    for (QRect tile : {QRect(0, 0, 0, 2), QRect(0, 0, 2, 0), QRect(-1, 0, 2, 2), QRect(5, 0, 2, 2),
                       QRect(0, 3, 2, 2), QRect(0, 0, 7, 4), QRect(0, 0, 6, 5)}) {
        TRepeatSettings s;
        s.Tile = tile;
        EXPECT_EQ(ApplyRepeat(doc, s, doc.Bounds()), ErrorCode::EmptyPiece);
        s.Function = RepeatMatchNormal;
        EXPECT_EQ(MatchTile(doc, s, false), ErrorCode::EmptyPiece);
    }
    TRepeatSettings s;
    s.Tile = QRect(0, 0, 2, 2), s.Function = RepeatMatchVer;
    EXPECT_EQ(ApplyRepeat(doc, s, doc.Bounds()), ErrorCode::EmptyPiece);
    s.Function = RepeatHalfDropVer;
    EXPECT_EQ(MatchTile(doc, s, false), ErrorCode::EmptyPiece);
    EXPECT_EQ(Rows(), kArt);
    EXPECT_FALSE(doc.Undo());
}

INSTANTIATE_TEST_SUITE_P(Depths, Repeating, ::testing::Values(8, 24));

TEST(RepeatDrop, FractionsOfTheTile) {
    const std::tuple<const char*, int, int> fine[] = {{"1/2", 7, 3},
                                                      {"1/8", 17, 2},
                                                      {"1/4", 10, 2},
                                                      {"3/4", 5, 3},
                                                      {"7/8", 9, 7},
                                                      {" 2 / 3 ", 9, 6},
                                                      {"1/1", 2000000000, 2000000000}};
    for (const auto& [text, size, want] : fine) {
        int drop = -1;
        EXPECT_EQ(DropOfFraction(text, size, drop), 0u) << text;
        EXPECT_EQ(drop, want) << text;
    }
    for (const char* bad : {"1/0", "-1/2", "1/-2", "half", "1/2/3", "3/2"}) { // 3/2 of 2e9 passes int
        int drop = -1;
        EXPECT_EQ(DropOfFraction(bad, 2000000000, drop), ErrorCode::NotANumber) << bad;
        EXPECT_EQ(drop, -1) << bad;
    }
}

} // namespace
