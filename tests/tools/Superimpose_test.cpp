// How a piece's pixels combine with the design under them, by superimpose mode.
#include "raster/Undo.h"
#include "shell/Exception.h"
#include "support/Draw.h"
#include "tools/Superimpose.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace {

// Colours of the letters: W white, K black, A and B two colours; M is B over A at 30 %,
// N is B over K and L is K over A.
const std::map<char, TColorRef> kColours = {
    {'W', MakeColorRef(255, 255, 255)}, {'K', 0},
    {'A', MakeColorRef(201, 3, 7)},     {'B', MakeColorRef(1, 5, 99)},
    {'M', MakeColorRef(141, 4, 35)},    {'N', MakeColorRef(0, 2, 30)},
    {'L', MakeColorRef(141, 2, 5)},
};

class Superimposing : public ::testing::Test {
  protected:
    // A one-row design: 8-bit pixels are the letters' codes ('0' and '1' the background
    // indices), 24-bit ones their colours.
    void Open(int bits, const std::string& design) {
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, int(design.size()), 1);
        ASSERT_EQ(doc.NewCanvas(paper, bits, TCurrentColour()), 0u);
        doc.AttachUndo();
        doc.EditPalette([](TPalette& p) {
            p['A'].SetRGB(201, 3, 7);
            p['B'].SetRGB(1, 5, 99);
            p.UseColor = 'B';
            return true;
        });
        Draw(doc, [&](TOrvaneBitmap& b) {
            for (size_t x = 0; x < design.size(); ++x)
                b.SetPixel(int(x), 0, Value(design[x]));
        });
    }
    uint32_t Value(char c) const {
        if (doc.BitsPerPixel() == 24) return kColours.at(c);
        return c == '0' ? 0u : c == '1' ? 1u : uint32_t(uint8_t(c));
    }
    // Writes the piece (letters, '.' outside its mask) over the row with a rule.
    uint32_t Put(const std::string& piece, int mode, QRect* touched = nullptr) {
        std::vector<uint8_t> pixels, mask;
        for (char c : piece) {
            const uint32_t v = c == '.' ? 0 : Value(c);
            for (int i = 0; i < doc.BitsPerPixel() / 8; ++i) // blue, green, red
                pixels.push_back(uint8_t(doc.BitsPerPixel() == 8 ? v : v >> (8 * (2 - i))));
            mask.push_back(c == '.' ? 0 : 255);
        }
        TChange change(doc, doc.Bounds());
        const int bytes = doc.BitsPerPixel() / 8;
        const uint32_t code = Superimpose(
            change, QRect(0, 0, int(piece.size()), 1),
            [&](int x, int) {
                return TPieceRow{pixels.data() + x * bytes, mask.data() + x};
            },
            TSuperimposeRule{mode, 30}, touched);
        if (!code) change.Commit();
        return code;
    }
    // The row as letters ('?' for a colour without one).
    std::string Row() const {
        std::string out;
        for (int x = 0; x < doc.Picture().Width; ++x) {
            const uint32_t v = doc.Picture().GetPixel(x, 0);
            char c = '?';
            if (doc.BitsPerPixel() == 8) {
                c = v == 0 ? '0' : v == 1 ? '1' : char(v);
            } else {
                for (const auto& [letter, colour] : kColours)
                    if (colour == v) c = letter;
            }
            out.push_back(c);
        }
        return out;
    }
    TDocument doc;
};

} // namespace

TEST_F(Superimposing, EachModeCombinesThePieceWithTheDesignAtBothDepths) {
    struct Case {
        int bits, mode;
        std::string design, piece, want;
    } cases[] = {
        // In 256 colours indices 0 and 1 are background.
        {8, 0, "10AAAAAA", "BBB10.BB", "BBB10ABB"},
        {8, 1, "10AAAAAA", "BBB10.BB", "BBBAAABB"},
        {8, 2, "10AAAAAA", "BBB10.BB", "BBA1AAAB"}, // the piece where x is odd
        {8, 3, "10AAAAAA", "BBB10.BB", "BBMAAAMM"},
        // In full colour only white is, and black mixes like any colour.
        {24, 0, "WKAAAAAA", "BBBWKKBB", "BBBWKKBB"},
        {24, 1, "WKAAAAAA", "BBBWK.BB", "BBBAKABB"},
        {24, 2, "WKAAAAAA", "BBBWK.BB", "BBAWAAAB"},
        {24, 3, "WKAAAAAA", "BBBWK.BB", "BNMALAMM"},
    };
    for (const Case& c : cases) {
        Open(c.bits, c.design);
        const int entries = doc.Palette().UseColor;
        QRect touched;
        ASSERT_EQ(Put(c.piece, c.mode, &touched), 0u);
        std::string want = c.want;
        if (c.bits == 8 && c.mode == 3) { // the mix became the next drawing entry
            EXPECT_EQ(doc.Palette().UseColor, entries + 1);
            EXPECT_EQ(doc.Palette()[entries + 1].ColorRef(), kColours.at('M'));
            std::replace(want.begin(), want.end(), 'M', char(entries + 1));
        }
        EXPECT_EQ(Row(), want) << c.bits << " mode " << c.mode;
        EXPECT_EQ(touched.left(), 0) << c.bits << " mode " << c.mode;
    }
}

TEST_F(Superimposing, AMixTakesAnEntryOfItsColourAndAFullPaletteChangesNothing) {
    Open(8, "AAAA");
    doc.EditPalette([](TPalette& p) {
        p[200].SetRGB(141, 4, 35); // the mix's colour, inside the used entries
        p.UseColor = 230;
        return true;
    });
    ASSERT_EQ(Put("B.BB", 3), 0u);
    EXPECT_EQ(Row(), std::string("\xC8"
                                 "A\xC8\xC8"));
    EXPECT_EQ(doc.Palette().UseColor, 230);

    // With every drawing entry in use a new colour has nowhere to go.
    Open(8, "AAAA");
    doc.EditPalette([](TPalette& p) {
        p.UseColor = TPalette::kLastDrawing;
        return true;
    });
    const TColorData last = doc.Palette()[TPalette::kLastDrawing];
    EXPECT_EQ(Put("BBBB", 3), ErrorCode::PaletteFull);
    EXPECT_EQ(Row(), "AAAA");
    EXPECT_TRUE(doc.Palette()[TPalette::kLastDrawing] == last);
    EXPECT_EQ(Put("B.00", 3), ErrorCode::PaletteFull) << "one mix is enough to need an entry";
}

TEST_F(Superimposing, ProtectedColoursAndMaskedPixelsStayAndTheEdgesAreHonoured) {
    Open(8, "AAAAAA");
    doc.EditPalette([](TPalette& p) {
        p['A'].SetProtected(true);
        return true;
    });
    Draw(doc, [](TOrvaneBitmap& b) { b.SetPixel(2, 0, 'B'); });
    doc.SetProtection(true);
    ASSERT_EQ(Put("111111", 0), 0u);
    EXPECT_EQ(Row(), "AA1AAA");
    // A piece reaching past the picture's edge writes what lands on it.
    doc.SetProtection(false);
    TChange change(doc, doc.Bounds());
    const uint8_t pixels[10] = {'B', 'B', 'B', 'B', 'B', 'B', 'B', 'B', 'B', 'B'};
    const uint8_t mask[10] = {255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
    QRect touched;
    ASSERT_EQ(Superimpose(
                  change, QRect(-2, -1, 10, 3),
                  [&](int x, int) {
                      return TPieceRow{pixels + x + 2, mask + x + 2};
                  },
                  TSuperimposeRule{}, &touched),
              0u);
    change.Commit();
    EXPECT_EQ(Row(), "BBBBBB");
    EXPECT_EQ(touched, QRect(0, 0, 6, 1));
}
