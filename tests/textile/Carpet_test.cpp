// Texture Fill, Area Fill and Regauge on a document, one undo step each.
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "support/Pictures.h"
#include "textile/Carpet.h"

#include <gtest/gtest.h>

namespace {

TCarpetTexture Texture(int w, int h, const std::string& pixels) {
    return TCarpetTexture{QStringLiteral("t.ctx"), w, h, std::vector<uint8_t>(pixels.begin(), pixels.end())};
}

// A 256-colour document holding art, with no undo record and unmodified.
class CarpetDoc : public ::testing::Test {
  protected:
    void Load(const std::vector<std::string>& art) {
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, int(art[0].size()), int(art.size()));
        ASSERT_EQ(doc.NewCanvas(paper, 8, TCurrentColour::OfIndex(1)), 0u);
        {
            TChange change(doc, 0);
            PutArt(change.Picture(), art);
            change.Commit();
        }
        doc.SetModified(false);
        doc.AttachUndo();
    }
    TDocument doc;
};

struct TFillCase {
    const char* What;
    std::vector<std::string> Art;
    QPoint At;
    std::vector<std::string> Want;
};

} // namespace

TEST_F(CarpetDoc, TextureFillTilesFromTheEvenAnchorAndTakes255InsideTheBox) {
    const TCarpetTexture t = Texture(2, 2, "ABCD");
    const std::vector<TFillCase> cases = {
        {"odd left column starts at the texture's last column",
         {".xxxx...", ".x\xff.x.\xff.", "........"},
         {1, 0},
         {".BABA...", ".DC.C.\xff.", "........"}},
        {"odd top row starts at the texture's last row",
         {"........", "xx......", "xx......"},
         {0, 1},
         {"........", "CD......", "AB......"}},
        {"a region of 255 is textured like any other", {"\xff\xff..", "...."}, {1, 0}, {"AB..", "...."}},
    };
    for (const TFillCase& c : cases) {
        SCOPED_TRACE(c.What);
        Load(c.Art);
        ASSERT_EQ(CarpetTextureFill(doc, c.At, t), 0u);
        EXPECT_EQ(Rows(doc.Picture()), c.Want);
        EXPECT_TRUE(doc.Modified());
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(Rows(doc.Picture()), c.Art);
    }
}

TEST_F(CarpetDoc, TextureFillKeepsProtectedColoursOutside) {
    Load({"xx..", "...."});
    doc.SetProtection(true);
    doc.EditPalette([](TPalette& p) {
        p['.'].SetProtected(true);
        return true;
    });
    // The protected colour is clicked: the guard keeps every pixel, and no step is left.
    const int records = UndoStore().Count();
    ASSERT_EQ(CarpetTextureFill(doc, {3, 1}, Texture(1, 1, "A")), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (std::vector<std::string>{"xx..", "...."}));
    EXPECT_EQ(UndoStore().Count(), records);
}

TEST_F(CarpetDoc, AreaFillChangesTheClickedColourInsideTheCarpetAreaOnly) {
    Load({"xxxxxx", "xx.xxx", "x.xxxx", "xxxxxx"});
    doc.SetCarpetWindow(TCarpetWindow{true, 4, 3}); // rows 1..3, columns 0..3
    ASSERT_EQ(CarpetAreaFill(doc, {5, 0}, Texture(3, 2, "ABCDEF")), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (std::vector<std::string>{"xxxxxx", "AB.Axx", "D.FDxx", "ABCAxx"}));
}

TEST_F(CarpetDoc, AreaFillWithAnAbsentColourChangesNothingAndLeavesNoStep) {
    Load({"xxxx", "yyyy"});
    doc.SetCarpetWindow(TCarpetWindow{true, 4, 1}); // the bottom row only
    const int records = UndoStore().Count();
    ASSERT_EQ(CarpetAreaFill(doc, {0, 0}, Texture(1, 1, "A")), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (std::vector<std::string>{"xxxx", "yyyy"}));
    EXPECT_EQ(UndoStore().Count(), records);
    EXPECT_FALSE(doc.Modified());
}

TEST_F(CarpetDoc, TexturesWithoutPixelsAreRefusedBeforeAnyChange) {
    const std::vector<TCarpetTexture> bad = {Texture(0, 1, ""), Texture(1, 0, ""), Texture(-1, -1, "A"),
                                             Texture(2, 2, "ABC")};
    Load({"xx", "xx"});
    for (const TCarpetTexture& t : bad) {
        EXPECT_EQ(CarpetTextureFill(doc, {0, 0}, t), ErrorCode::BadCarpetSize);
        EXPECT_EQ(CarpetAreaFill(doc, {0, 0}, t), ErrorCode::BadCarpetSize);
    }
    EXPECT_EQ(Rows(doc.Picture()), (std::vector<std::string>{"xx", "xx"}));
    EXPECT_FALSE(doc.Modified());
}

TEST_F(CarpetDoc, RegaugeToTheSameSizeCopiesAndSmallerLeavesTheCurrentColour) {
    const std::vector<std::string> art = {"......", "abcd..", "efgh..", "ijkl.."};
    Load(art);
    doc.SetCarpetWindow(TCarpetWindow{true, 4, 3});
    ASSERT_EQ(CarpetRegauge(doc, 4, 3, TCurrentColour::OfIndex('*')), 0u);
    EXPECT_EQ(Rows(doc.Picture()), art);
    ASSERT_EQ(CarpetRegauge(doc, 2, 2, TCurrentColour::OfIndex('*')), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (std::vector<std::string>{"......", "****..", "ac**..", "eg**.."}));
    EXPECT_EQ(doc.CarpetWindow().Width, 2);
    EXPECT_EQ(doc.CarpetWindow().Height, 2);
    // Larger again: each knot is repeated; undo takes pixels and window back step by step.
    ASSERT_EQ(CarpetRegauge(doc, 4, 4, TCurrentColour::OfIndex('*')), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (std::vector<std::string>{"aacc..", "aacc..", "eegg..", "eegg.."}));
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.CarpetWindow().Width, 2);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Rows(doc.Picture()), art);
    EXPECT_EQ(doc.CarpetWindow().Width, 4);
    EXPECT_EQ(doc.CarpetWindow().Height, 3);
}

TEST_F(CarpetDoc, RegaugeRefusesAnEmptySizeAndHoldsTheRestToThePicture) {
    Load({"ab", "cd"});
    const int records = UndoStore().Count();
    for (const QSize s : {QSize(0, 2), QSize(2, 0), QSize(-3, 1)})
        EXPECT_EQ(CarpetRegauge(doc, s.width(), s.height(), TCurrentColour::OfIndex('*')),
                  ErrorCode::BadCarpetSize);
    doc.SetCarpetWindow(TCarpetWindow{true, 0, 0});
    EXPECT_EQ(CarpetRegauge(doc, 1, 1, TCurrentColour::OfIndex('*')), ErrorCode::BadCarpetSize);
    EXPECT_EQ(UndoStore().Count(), records);
    doc.SetCarpetWindow(TCarpetWindow{true, 2, 2});
    ASSERT_EQ(CarpetRegauge(doc, 9999, 9999, TCurrentColour::OfIndex('*')), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (std::vector<std::string>{"ab", "cd"}));
    EXPECT_EQ(doc.CarpetWindow().Width, 2);
}
