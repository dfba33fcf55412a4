// The pen tool driven through the tool dispatch, without any window.
#include "raster/Undo.h"
#include "shell/Mainmenu.h"
#include "support/Penscene.h"
#include "support/Pictures.h"
#include "tools/Penpaint.h"
#include "tools/Pentool.h"
#include "tools/Tooldispatch.h"

#include <gtest/gtest.h>

namespace {

class PenTool : public ::testing::Test, public TPenScene {};

const Strings kBlank = {"..........", "..........", "..........", "..........", ".........."};

} // namespace

TEST_F(PenTool, AStrokeIsOneUndoStepAndReachesItsEndPoint) {
    Open(kBlank);
    Pen(1);
    const int records = UndoStore().Count();
    Stroke({{1, 1}, {5, 1}, {7, 3}});
    EXPECT_EQ(Rows(doc.Picture()),
              (Strings{"..........", ".#####....", "......#...", ".......#..", ".........."}));
    EXPECT_EQ(UndoStore().Count(), records + 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Rows(doc.Picture()), kBlank);
}

TEST_F(PenTool, ShiftRightAndCancelLeaveTheDesign) {
    Open(kBlank);
    Pen(3);
    dispatch.MouseDown(doc, nullptr, At(4, 2, 1.0, true));
    dispatch.MouseUp(doc, nullptr, At(4, 2));
    TToolPointer right = At(4, 2);
    right.Button = right.Buttons = ButtonRight;
    dispatch.MouseDown(doc, nullptr, right);
    dispatch.MouseUp(doc, nullptr, right);
    dispatch.MouseDown(doc, nullptr, At(4, 2));
    dispatch.MouseMove(doc, nullptr, At(6, 2));
    dispatch.CancelOperation();
    dispatch.MouseUp(doc, nullptr, At(6, 2));
    EXPECT_EQ(Rows(doc.Picture()), kBlank);
    EXPECT_FALSE(doc.Modified());
}

TEST_F(PenTool, KeepsProtectedColoursAndNothingLandsOutsideThePicture) {
    Open({"..........", "...PP.....", "..........", "..........", ".........."});
    doc.EditPalette([](TPalette& p) {
        p['P'].SetProtected(true);
        return true;
    });
    doc.SetProtection(true);
    Pen(4);
    Stroke({{-30, 1}, {40, 1}}); // in from the left, out at the right
    Stroke({{9, -20}, {9, 30}}); // down across the top and bottom edges
    EXPECT_EQ(Rows(doc.Picture()),
              (Strings{"##########", "###PP#####", "##########", ".......###", ".......###"}));
}

TEST_F(PenTool, PressureZeroStampsOnePixelAndFullPressureTheWholePen) {
    Open(kBlank);
    Pen(3);
    pen.PressureOn = true;
    Stroke({{2, 2}}, 0.0);
    Stroke({{7, 2}}, 1.0);
    EXPECT_EQ(Rows(doc.Picture()),
              (Strings{"..........", "......###.", "..#...###.", "......###.", ".........."}));
}

TEST_F(PenTool, FullColourStrokesWriteTheColourValue) {
    Open(kBlank, 24);
    Pen(2);
    dispatch.SetColour(TCurrentColour::OfIndex(2).WithRgb(0x123456));
    Stroke({{3, 3}});
    EXPECT_EQ(doc.Picture().GetPixel(2, 2), 0x123456u);
    EXPECT_EQ(doc.Picture().GetPixel(3, 3), 0x123456u);
    EXPECT_NE(doc.Picture().GetPixel(4, 3), 0x123456u);
}

TEST_F(PenTool, EachKindChangesThePixelsItShould) {
    const Strings ground = {"............", "............", "...aaaaaa...", "............",
                            "............", "............", "............", "............"};
    struct Case {
        const char* Name;
        int Kind, Mode, Size;
        std::function<void(TPenSettings&)> Set;
        std::function<void(TPenScene&)> Check;
    };
    const auto count = [](TPenScene& t, char c) { return t.Count(c); };
    const Case cases[] = {
        {"crayon leaves gaps", PenCrayon, 0, 6, [](TPenSettings& s) { s.Density = 2; },
         [&](TPenScene& t) {
             EXPECT_GT(count(t, '#'), 3);
             EXPECT_LT(count(t, '#'), 40); // a size-6 stroke over 8 pixels covers more than 40
         }},
        {"restricted paints only listed colours", PenNormal, 0, 6,
         [](TPenSettings& s) {
             s.Restricted = true;
             s.Colours.Add('a', TPalette());
         },
         [&](TPenScene& t) {
             EXPECT_EQ(count(t, '#'), 6);
             EXPECT_EQ(count(t, 'a'), 0);
         }},
        {"spread steps through colours", PenNormal, 0, 1,
         [](TPenSettings& s) { s.Spread = true, s.First = 'A', s.Second = 'C', s.Grade = 3; },
         [&](TPenScene& t) { EXPECT_EQ(Rows(t.doc.Picture())[3].substr(2, 5), "ABCBA"); }},
        {"air single sprays the colour", PenAirBrush, AirSingle, 6,
         [](TPenSettings& s) {
             s.Air[AirSingle] = TAirSetting{5, 5};
         },
         [&](TPenScene& t) {
             EXPECT_GE(count(t, '#'), 9);
             EXPECT_EQ(count(t, '#') + count(t, '.') + count(t, 'a'), 96);
         }},
        {"air multi sprays only weighted colours", PenAirBrush, AirMulti, 6,
         [](TPenSettings& s) {
             s.Air[AirMulti] = TAirSetting{5, 1};
             s.AirColours[0] = 'x', s.AirNumbers[0] = 1, s.AirColours[1] = 'y', s.AirNumbers[1] = 1;
             s.AirColours[2] = 'z';
         },
         [&](TPenScene& t) {
             EXPECT_GT(count(t, 'x'), 0);
             EXPECT_GT(count(t, 'y'), 0);
             EXPECT_EQ(count(t, 'z') + count(t, '#'), 0);
         }},
        {"air pattern takes the pattern's colours", PenAirBrush, AirPattern, 6,
         [](TPenSettings& s) {
             s.Air[AirPattern] = TAirSetting{5, 3};
             s.Pattern = std::make_shared<TAirPattern>(TAirPattern{1, 1, {'p'}});
         },
         [&](TPenScene& t) {
             EXPECT_GE(count(t, 'p'), 4);
             EXPECT_EQ(count(t, '#'), 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TPenScene t;
        t.Open(ground);
        t.Pen(c.Size, c.Kind);
        t.pen.Settings.AirMode = c.Mode;
        c.Set(t.pen.Settings);
        t.Stroke({{2, 3}, {4, 3}, {6, 3}, {7, 3}});
        c.Check(t);
    }
}

TEST(PenPainter, AirDropsAtTheCornerStayInsideThePicture) {
    TDocument doc;
    TPaper paper;
    SetPaper(paper, kPaperCustom, 4, 3);
    ASSERT_EQ(doc.NewCanvas(paper, 8, TCurrentColour::OfIndex('.')), 0u);
    TPenObject pen;
    pen.Settings.Kind = PenAirBrush;
    pen.Settings.Air[AirSingle] = TAirSetting{5, 5};
    TOrvaneRandom random;
    random.Reseed(3);
    TChange change(doc);
    TPenPainter painter(change, pen, '#', &random);
    for (int i = 0; i < 40; ++i)
        painter.Spray(0, 0, 28);
    EXPECT_TRUE(QRect(0, 0, 4, 3).contains(painter.Touched()));
    EXPECT_EQ(doc.Picture().GetPixel(0, 0), uint32_t('#'));
    change.Commit();
}
