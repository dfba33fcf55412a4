// The stripe sequence, the thickness rule, Whole at an angle and One Repeat's piece.
#include "shell/Tdocument.h"
#include "support/Pictures.h"
#include "textile/Stripe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TStripe S(char colour, int method, int repeat, int length) {
    return TStripe{uint8_t(colour), uint8_t(method), int16_t(repeat), int16_t(length), false};
}

std::string Sequence(const TStripeList& list) {
    const std::vector<uint8_t> s = BuildSequence(list);
    return std::string(s.begin(), s.end());
}

// A document of w x h holding index '.' (or its colour at 24 bits) with palette
// entries 'A' .. 'D' set to distinct colours.
class StripeDoc : public ::testing::Test {
  protected:
    void Make(int w, int h, int bits) {
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, w, h);
        ASSERT_EQ(doc.NewCanvas(paper, bits, TCurrentColour::OfIndex(1)), 0u);
        ASSERT_TRUE(doc.EditPalette([](TPalette& p) {
            for (int c = 'A'; c <= 'D'; ++c)
                p[c].SetRGB(c, 255 - c, c * 2 - 100);
            p.UseColor = 10;
            return true;
        }));
        if (bits == 8) {
            TChange change(doc, 0);
            change.Fill(doc.Bounds(), '.');
            change.Commit();
        }
        doc.SetModified(false);
        doc.AttachUndo();
    }
    TDocument doc;
};

} // namespace

TEST(StripeSequence, RunsOfEqualRepeatsRepeatTogetherAndCenterMirrorsTheReverseStripes) {
    struct TCase {
        const char* What;
        TStripeList List;
        std::string Want;
    };
    TStripe pending = S('Z', StripeNormal, 1, 5);
    pending.Pending = true;
    const std::vector<TCase> cases = {
        {"empty list", {}, ""},
        {"repeats 3 and 3", {S('A', 0, 3, 1), S('B', 0, 3, 1)}, "ABABAB"},
        {"repeats 3 and 2", {S('A', 0, 3, 1), S('B', 0, 2, 1)}, "AAABB"},
        {"length is dots of one stripe", {S('A', 0, 2, 2), S('B', 0, 1, 3)}, "AAAABBB"},
        {"center without reverse mirrors nothing", {S('A', 0, 1, 2), S('C', StripeCenter, 2, 1)}, "AACC"},
        {"center mirrors the reverse run backwards",
         {S('A', StripeReverse, 1, 1), S('B', StripeReverse, 1, 2), S('C', StripeCenter, 1, 1)},
         "ABBCBBA"},
        {"normal stripes between are not mirrored",
         {S('A', StripeReverse, 1, 1), S('N', 0, 1, 1), S('C', StripeCenter, 1, 1)},
         "ANCA"},
        {"a reverse run of another repeat mirrors on its own",
         {S('A', StripeReverse, 2, 1), S('B', StripeReverse, 1, 1), S('C', StripeCenter, 1, 1)},
         "AABCBAA"},
        {"a second center mirrors only what follows the first",
         {S('A', StripeReverse, 1, 1), S('C', StripeCenter, 1, 1), S('B', StripeReverse, 1, 1),
          S('D', StripeCenter, 1, 1)},
         "ACABDB"},
        {"pending rows count nothing", {S('A', 0, 1, 1), pending, S('B', 0, 1, 1)}, "AB"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(Sequence(c.List), c.Want);
        EXPECT_EQ(SequenceLength(c.List), int64_t(c.Want.size()));
    }
}

TEST(StripeSequence, MethodCyclesAndCenterFollowsOnlyAReverseStripe) {
    struct TCase {
        TStripeList List;
        int Row;
        int Want;
    };
    const std::vector<TCase> cases = {
        {{S('A', 0, 1, 1)}, 0, StripeReverse},
        {{S('A', StripeReverse, 1, 1)}, 0, StripeNormal},
        {{S('A', 0, 1, 1), S('B', StripeReverse, 1, 1)}, 1, StripeNormal},
        {{S('A', StripeReverse, 1, 1), S('B', StripeReverse, 1, 1)}, 1, StripeCenter},
        {{S('A', StripeReverse, 1, 1), S('B', StripeCenter, 1, 1)}, 1, StripeReverse},
        {{S('A', StripeReverse, 1, 1), S('B', 0, 1, 1)}, 1, StripeReverse},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(NextMethod(c.List, c.Row), c.Want);
}

TEST(StripeEditor, AddInsertsAPendingRowThatTheNextColourFillsAndDeleteRemovesOneRow) {
    TStripeEditor e;
    EXPECT_FALSE(e.Click(0, ColumnMethod, 'A')); // the empty row has no method
    EXPECT_TRUE(e.Click(0, ColumnColor, 'A'));   // the first empty row appends
    EXPECT_TRUE(e.Click(1, ColumnColor, 'B'));
    EXPECT_EQ(Sequence(e.List), std::string(63, 'A') + std::string(63, 'B'));
    ASSERT_TRUE(e.ArmAdd());
    EXPECT_TRUE(e.Click(1, ColumnRepeat, 'Z'));
    EXPECT_TRUE(e.Busy());
    EXPECT_FALSE(e.ArmAdd()); // refused while a row is pending
    EXPECT_FALSE(e.Click(1, ColumnMethod, 'C'));
    EXPECT_TRUE(e.Click(1, ColumnColor, 'C'));
    EXPECT_FALSE(e.Busy());
    EXPECT_TRUE(e.Click(1, ColumnMethod, 'Z'));
    EXPECT_EQ(e.List[1].Method, StripeReverse);
    e.ArmDelete();
    EXPECT_TRUE(e.Click(0, ColumnLength, 'Z'));
    ASSERT_EQ(e.List.size(), 2u);
    EXPECT_EQ(e.List[0].Color, 'C');
    e.ArmDelete();
    EXPECT_FALSE(e.Click(2, ColumnColor, 'Z')); // the empty row: the mode ends, nothing goes
    EXPECT_FALSE(e.DeleteMode);
    EXPECT_EQ(e.List.size(), 2u);
}

TEST(StripeThickness, UnitsConvertAndTheCanvasHeightLimits) {
    EXPECT_EQ(ThicknessDots(-5, StripeDot, 160, 500), 0);
    EXPECT_EQ(ThicknessDots(160, StripeDot, 160, 500), 160);
    EXPECT_EQ(ThicknessDots(1, StripeInch, 160, 500), 160);
    EXPECT_EQ(ThicknessDots(2.54, StripeCm, 160, 500), 159); // 159.99 truncated
    EXPECT_EQ(ThicknessDots(10, StripeInch, 160, 500), 500);
    EXPECT_DOUBLE_EQ(ClampThickness(-1, StripeInch, 160, 500), 0);
    EXPECT_DOUBLE_EQ(ClampThickness(10, StripeInch, 160, 480), 3);
    EXPECT_DOUBLE_EQ(ClampThickness(100, StripeDot, 160, 480), 100);
}

TEST_F(StripeDoc, WholeAtZeroIsVerticalAndAtNinetyHorizontalAsOneUndoStep) {
    const std::vector<uint8_t> seq = BuildSequence({S('A', 0, 1, 1), S('B', 0, 1, 1), S('C', 0, 1, 1)});
    struct TCase {
        int Angle;
        std::vector<std::string> Want;
    };
    const std::vector<TCase> cases = {
        {0, {"ABCABC", "ABCABC", "ABCABC"}},
        {90, {"AAAAAA", "BBBBBB", "CCCCCC"}},
        {180, {"ACBACB", "ACBACB", "ACBACB"}}, // negative t still indexes the sequence
        {-90, {"AAAAAA", "CCCCCC", "BBBBBB"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Angle);
        Make(6, 3, 8);
        ASSERT_EQ(StripeWhole(doc, seq, c.Angle, 'C'), 0u);
        EXPECT_EQ(Rows(doc.Picture()), c.Want);
        EXPECT_EQ(doc.Palette().UseColor, 'C');
        EXPECT_TRUE(doc.Modified());
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(Rows(doc.Picture()), std::vector<std::string>(3, "......"));
        EXPECT_EQ(doc.Palette().UseColor, 10);
        EXPECT_FALSE(doc.Undo());
    }
}

TEST_F(StripeDoc, WholeMatchesThePixelFormulaAtAnyAngleAndDepth) {
    const std::vector<uint8_t> seq =
        BuildSequence({S('A', 0, 1, 3), S('B', StripeReverse, 1, 2), S('C', StripeCenter, 2, 1)});
    const int64_t length = int64_t(seq.size());
    for (const int bits : {8, 24})
        for (const int angle : {30, -45, 135, 200, 359}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, " << angle << " degrees");
            Make(37, 23, bits);
            ASSERT_EQ(StripeWhole(doc, seq, angle, 'C'), 0u);
            const double r = angle * std::numbers::pi / 180.0;
            const int64_t k = (int64_t(std::sqrt(37.0 * 37 + 23 * 23)) / length + 1) * length;
            int wrong = 0;
            for (int y = 0; y < 23; ++y)
                for (int x = 0; x < 37; ++x) {
                    const int64_t t = int64_t(x * std::cos(r) + y * std::sin(r));
                    const uint8_t want = seq[size_t((t + k) % length)];
                    const uint32_t got = doc.Picture().GetPixel(x, y);
                    wrong += bits == 8 ? got != want : got != doc.Palette()[want].ColorRef();
                }
            EXPECT_EQ(wrong, 0);
        }
}

TEST_F(StripeDoc, AnEmptySequenceWritesNothing) {
    Make(4, 2, 8);
    EXPECT_EQ(StripeWhole(doc, {}, 30, 0), 0u);
    TStripePiece piece;
    EXPECT_EQ(MakeStripePiece({}, doc.Palette(), 8, 4, 2, 0, piece), 0u);
    EXPECT_TRUE(PlaceStripePiece(doc, piece, {0, 0}).isEmpty());
    EXPECT_FALSE(doc.Modified());
    EXPECT_FALSE(doc.Undo());
}

TEST(StripePiece, KeyColourIsTheFirstAbsentRedThenGreenThenBlue) {
    std::vector<uint32_t> reds, redsGreens, all;
    for (uint32_t v = 0; v < 256; ++v) {
        reds.push_back(v);
        redsGreens.push_back(v | v << 8);
        all.push_back(v | v << 8 | v << 16);
    }
    EXPECT_EQ(StripeKeyColour({}), 0u);
    EXPECT_EQ(StripeKeyColour({0, 1, 3}), 2u);
    EXPECT_EQ(StripeKeyColour(reds), 1u << 8); // every red taken, green 0 too
    EXPECT_EQ(StripeKeyColour(redsGreens), 1u << 16);
    EXPECT_EQ(StripeKeyColour(all), 0u);
}

TEST_F(StripeDoc, OneRepeatPieceIsCutToTheCanvasTurnedAndPlacedWithTransparentCorners) {
    Make(12, 12, 8);
    const std::vector<uint8_t> seq = BuildSequence({S('A', 0, 1, 3), S('B', 0, 1, 3)});
    TStripePiece piece;
    ASSERT_EQ(MakeStripePiece(seq, doc.Palette(), 8, 4, 2, 0, piece), 0u);
    EXPECT_EQ(Rows(piece.Picture), std::vector<std::string>(2, "AAAB"));
    ASSERT_EQ(MakeStripePiece(seq, doc.Palette(), 8, 12, 6, 45, piece), 0u);
    ASSERT_GT(piece.Picture.Width, 6);
    ASSERT_GT(piece.Picture.Height, 6);
    EXPECT_EQ(piece.Picture.GetPixel(0, 0), 0u);
    const QRect put = PlaceStripePiece(doc, piece, {2, 1});
    EXPECT_EQ(put, QRect(QPoint(2, 1), QSize(piece.Picture.Width, piece.Picture.Height)) & doc.Bounds());
    EXPECT_EQ(doc.Picture().GetPixel(2, 1), uint32_t('.')); // the uncovered corner lets the design show
    int written = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            written += doc.Picture().GetPixel(x, y) != uint32_t('.');
    EXPECT_GT(written, 20);
    EXPECT_EQ(doc.Palette().UseColor, 'B');
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Rows(doc.Picture()), std::vector<std::string>(12, std::string(12, '.')));
}
