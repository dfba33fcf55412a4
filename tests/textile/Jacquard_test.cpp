// The jacquard tiling rule, the three modes, effect colours and the refusals.
#include "colour/Colorset.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "support/Pictures.h"
#include "textile/Jacquard.h"

#include <gtest/gtest.h>

namespace {

TTexBitData Weave(const std::vector<std::string>& rows) {
    TTexBitData w;
    w.Height = int(rows.size());
    w.Width = int(rows[0].size());
    for (const std::string& r : rows)
        for (const char c : r)
            w.Bits.push_back(c == '#');
    return w;
}

TJacquardEntry Entry(const std::vector<std::string>& rows, int zoom, int rot = 0) {
    TJacquardEntry e;
    e.Weave = Weave(rows);
    e.Zoom = zoom;
    e.Rot = rot;
    return e;
}

// A 256-colour document holding art, palette entries '.' .. 'Z' distinct greys
// and 'Z' the highest used index.
class JacquardDoc : public ::testing::Test {
  protected:
    void Make(const std::vector<std::string>& art, int used = 'Z') {
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, int(art[0].size()), int(art.size()));
        ASSERT_EQ(doc.NewCanvas(paper, 8, TCurrentColour::OfIndex(1)), 0u);
        ASSERT_TRUE(doc.EditPalette([used](TPalette& p) {
            for (int c = 2; c <= used; ++c)
                p[c].SetRGB(c, c, c);
            p.UseColor = uint16_t(used);
            return true;
        }));
        TChange change(doc, 0);
        PutArt(change.Picture(), art);
        change.Commit();
        doc.SetModified(false);
        doc.AttachUndo();
    }
    std::vector<std::string> Art() const { return Rows(doc.Picture()); }
    TDocument doc;
};

} // namespace

TEST_F(JacquardDoc, TilesStandOnTheBottomEdgeWithACutLastTileAndRotMirrors) {
    // A 2 x 2 weave "#." over ".#" at z = 3 across 10 columns: a whole tile of 6
    // columns, then 4 of the next; rows count up from the bottom.
    struct TCase {
        int Rot;
        std::vector<std::string> Want;
    };
    const std::vector<TCase> cases = {
        {0, {"...###...#", "...###...#", "###...###.", "###...###.", "###...###."}},
        {1, {"#...###...", "#...###...", ".###...###", ".###...###", ".###...###"}},
        {3, {"###...###.", "###...###.", "###...###.", "...###...#", "...###...#"}},
        {2, {".###...###", ".###...###", ".###...###", "#...###...", "#...###..."}},
    };
    for (const TCase& c : cases) {
        Make(std::vector<std::string>(5, std::string(10, '.')));
        const TJacquardApply apply{JacquardInArea, '#'};
        ASSERT_EQ(ApplyJacquard(doc, {0, 0}, Entry({"#.", ".#"}, 3, c.Rot), apply), 0u);
        EXPECT_EQ(Art(), c.Want) << "rot " << c.Rot;
    }
}

TEST_F(JacquardDoc, ModesTargetTheRightPixelsAndApplyingTwiceEqualsOnceInOneUndoStep) {
    const std::vector<std::string> art = {"..AA..", "..AA..", "AAAAAA", "..A..B", "..A.BB"};
    struct TCase {
        const char* What;
        int Mode;
        QPoint At;
        QRect Selection;
        std::vector<std::string> Want;
    };
    // A solid weave: every target pixel becomes '#'.
    const std::vector<TCase> cases = {
        {"select color: the connected dots only",
         JacquardSelectColor,
         {0, 0},
         {},
         {"##AA..", "##AA..", "AAAAAA", "..A..B", "..A.BB"}},
        {"in area: every dot",
         JacquardInArea,
         {0, 0},
         {},
         {"##AA##", "##AA##", "AAAAAA", "##A##B", "##A#BB"}},
        {"in area inside the selection",
         JacquardInArea,
         {0, 0},
         {1, 0, 4, 2},
         {".#AA#.", ".#AA#.", "AAAAAA", "..A..B", "..A.BB"}},
        {"select color inside the selection",
         JacquardSelectColor,
         {1, 1},
         {0, 3, 2, 2},
         {"..AA..", "..AA..", "AAAAAA", "##A..B", "##A.BB"}},
    };
    for (const TCase& c : cases) {
        Make(art);
        if (!c.Selection.isEmpty()) doc.SetSelection(QRegion(c.Selection));
        const QPoint at = c.Selection.isEmpty() ? c.At : c.Selection.topLeft();
        const TJacquardEntry e = Entry({"#"}, 2);
        for (int pass = 0; pass < 2; ++pass) {
            ASSERT_EQ(ApplyJacquard(doc, at, e, {c.Mode, '#'}), 0u) << c.What;
            EXPECT_EQ(Art(), c.Want) << c.What << " pass " << pass;
        }
        EXPECT_EQ(doc.Palette().UseColor, 'Z') << c.What;
        ASSERT_TRUE(doc.Undo()) << c.What;
        EXPECT_EQ(Art(), art) << c.What << ": one undo takes the apply back";
    }
}

TEST_F(JacquardDoc, EffectBuildsColoursOnceAndIsRefusedWhenThePaletteCannotHoldThem) {
    struct TCase {
        int Used;
        uint32_t Want;
    };
    for (const TCase c :
         std::vector<TCase>{{125, 0u}, {126, ErrorCode::PaletteFull}, {200, ErrorCode::PaletteFull}}) {
        Make({"AA", "AA"}, c.Used);
        const TJacquardEntry e = Entry({"#.", ".#"}, 1);
        EXPECT_EQ(ApplyJacquard(doc, {0, 0}, e, {JacquardEffect, 0}), c.Want) << c.Used;
        if (c.Want) {
            EXPECT_EQ(Art(), (std::vector<std::string>{"AA", "AA"}));
            EXPECT_EQ(doc.Palette().UseColor, c.Used);
            continue;
        }
        const char fx = char('A' + c.Used - 1);
        const std::vector<std::string> want = {std::string{'A', fx}, std::string{fx, 'A'}};
        EXPECT_EQ(Art(), want);
        EXPECT_EQ(doc.Palette().UseColor, 2 * c.Used - 1);
        EXPECT_TRUE(HasEffectColours(doc.Palette()));
        // Again, on a plain and on a woven pixel: the effect colours are reused,
        // nothing changes and the palette stays.
        EXPECT_EQ(ApplyJacquard(doc, {0, 0}, e, {JacquardEffect, 0}), 0u);
        EXPECT_EQ(ApplyJacquard(doc, {1, 0}, e, {JacquardEffect, 0}), 0u);
        EXPECT_EQ(Art(), want);
        EXPECT_EQ(doc.Palette().UseColor, 2 * c.Used - 1);
        EXPECT_NE(doc.Palette()[uint8_t(fx)].Red(), 'A') << "a raised cell shows";
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(doc.Palette().UseColor, c.Used);
    }
}

TEST(EffectColours, MoveLightnessTowardsTheMiddleOfTheUsedRange) {
    TPalette p;
    p.UseColor = 3;
    p[2].SetRGB(20, 20, 20);    // dark: lighter
    p[3].SetRGB(230, 230, 230); // light: darker
    ASSERT_TRUE(MakeEffectColours(p));
    EXPECT_EQ(p.UseColor, 5);
    EXPECT_GT(p[4].Red(), 20);
    EXPECT_LT(p[5].Red(), 230);
    EXPECT_TRUE(HasEffectColours(p));
    p[5].SetRGB(1, 2, 3);
    EXPECT_FALSE(HasEffectColours(p));
}

TEST_F(JacquardDoc, BadInputIsRefusedAndChangesNothing) {
    Make({"AB", "B~"});
    TJacquardEntry broken = Entry({"#"}, 1);
    broken.Weave.Bits.clear();
    struct TCase {
        const char* What;
        TJacquardEntry Entry;
        QPoint At;
        TJacquardApply Apply;
        uint32_t Want;
    };
    const std::vector<TCase> cases = {
        {"weave without cells", broken, {0, 0}, {JacquardInArea, '#'}, ErrorCode::BadFile},
        {"click outside", Entry({"#"}, 1), {5, 5}, {JacquardInArea, '#'}, 0u},
        {"effect on a colour without one", Entry({"#"}, 1), {1, 1}, {JacquardEffect, 0}, ErrorCode::NoColour},
        {"zoom out of range", Entry({"."}, 0), {0, 0}, {JacquardInArea, '#'}, 0u},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(ApplyJacquard(doc, c.At, c.Entry, c.Apply), c.Want) << c.What;
        EXPECT_EQ(Art(), (std::vector<std::string>{"AB", "B~"})) << c.What;
        EXPECT_FALSE(doc.Modified()) << c.What;
    }
    TPaper paper;
    SetPaper(paper, kPaperCustom, 2, 2);
    ASSERT_EQ(doc.NewCanvas(paper, 24, TCurrentColour::OfIndex(1)), 0u);
    EXPECT_EQ(ApplyJacquard(doc, {0, 0}, Entry({"#"}, 1), {JacquardInArea, '#'}),
              ErrorCode::JacquardNeeds256);
}
