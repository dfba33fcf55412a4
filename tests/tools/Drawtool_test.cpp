// The Draw tool driven through the tool dispatch, without any window.
#include "platform/Inifile.h"
#include "raster/Undo.h"
#include "shell/Mainmenu.h"
#include "support/Draw.h"
#include "support/Pictures.h"
#include "support/Toolscene.h"
#include "tools/Drawtool.h"
#include "tools/Penobject.h"
#include "tools/Tooldispatch.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DrawTool : public ToolTest {
  protected:
    // A 256-colour design drawn as ASCII art, or a full-colour one of its size in '.'.
    void Open(const Strings& rows, int penSize = 1, int bits = 8) {
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, int(rows[0].size()), int(rows.size()));
        ASSERT_EQ(doc.NewCanvas(paper, bits, TCurrentColour::OfIndex('.')), 0u);
        if (bits == 8) Draw(doc, [&](TOrvaneBitmap& b) { PutArt(b, rows); });
        doc.SetUnit(UnitDot);
        pen.SetSize(penSize);
        auto engine = std::make_unique<TDrawTool>();
        tool = engine.get();
        dispatch.Activate(ToolDraw, std::move(engine));
        dispatch.Context().Pen = &pen;
        dispatch.SetCurrent(&doc, &view);
        dispatch.SetColour(TCurrentColour::OfIndex('#'));
    }
    void Use(int type, bool fill = false, bool chain = false) {
        TDrawSettings s = tool->Settings();
        ChooseDrawFunction(s, type);
        s.Fill = fill, s.LineChain = s.CurveChain = chain;
        tool->SetSettings(dispatch.Context(), s);
    }
    TPenObject pen;
    TDrawTool* tool = nullptr;
};

const Strings kBlank = {"..........", "..........", "..........", "..........", "..........", ".........."};

} // namespace

TEST_F(DrawTool, EachFunctionDrawsItsShapeAsOneUndoStep) {
    struct Case {
        int type;
        bool fill;
        std::vector<QPoint> clicks;
        Strings before, after;
    } cases[] = {
        {DrawLine,
         false,
         {{1, 1}, {6, 3}},
         kBlank,
         {"..........", ".##.......", "...##.....", ".....##...", "..........", ".........."}},
        {DrawRect,
         false,
         {{1, 1}, {5, 4}},
         kBlank,
         {"..........", ".#####....", ".#...#....", ".#...#....", ".#####....", ".........."}},
        {DrawSquare,
         true,
         {{1, 1}, {9, 3}},
         kBlank,
         {"..........", ".###......", ".###......", ".###......", "..........", ".........."}},
        {DrawCircle,
         true,
         {{5, 3}, {5, 7}},
         kBlank,
         {"..........", "....##....", "...####...", "...####...", "....##....", ".........."}},
        {DrawEllipse,
         false,
         {{0, 0}, {8, 4}},
         kBlank,
         {"..#####...", ".#.....#..", "#.......#.", ".#.....#..", "..#####...", ".........."}},
        {DrawCurve,
         false,
         {{0, 5}, {8, 5}, {4, 1}},
         kBlank,
         {"..........", "..####....", ".#....#...", "#......#..", "#.......#.", "#.......#."}},
        {DrawOutline,
         false,
         {{3, 2}},
         {"..........", ".xxxxx....", ".xxxxx....", ".xxxxx....", "..xxx.....", ".........."},
         {"..........", ".#####....", ".#xxx#....", ".#xxx#....", "..###.....", ".........."}},
    };
    for (const Case& c : cases) {
        Open(c.before);
        Use(c.type, c.fill);
        const int records = UndoStore().Count();
        for (const QPoint& p : c.clicks)
            Click(p);
        EXPECT_EQ(Picture(), c.after) << c.type;
        EXPECT_EQ(UndoStore().Count(), records + 1) << c.type;
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(Picture(), c.before) << c.type;
    }
}

TEST_F(DrawTool, AChainKeepsConnectingAndCarriesItsPointToTheCurve) {
    Open(kBlank);
    Use(DrawLine, false, true);
    const int records = UndoStore().Count();
    for (QPoint p : {QPoint(1, 1), QPoint(5, 1), QPoint(5, 4)})
        Click(p);
    EXPECT_EQ(Picture(),
              (Strings{"..........", ".#####....", ".....#....", ".....#....", ".....#....", ".........."}));
    EXPECT_EQ(UndoStore().Count(), records + 2); // a step per segment
    Use(DrawCurve, false, true);                 // the chain goes on as a curve from (5, 4)
    Click(QPoint(9, 4));
    Click(QPoint(7, 5));
    EXPECT_EQ(doc.Picture().GetPixel(9, 4), uint32_t('#'));
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Picture(),
              (Strings{"..........", ".#####....", "..........", "..........", "..........", ".........."}));
    Click(QPoint(2, 3), ButtonRight); // a right click ends the chain
    EXPECT_EQ(tool->Clicks(), 0);
}

TEST_F(DrawTool, BetweenClicksOnlyThePreviewFollowsThePointer) {
    Open(kBlank, 3);
    Use(DrawRect);
    Click(QPoint(1, 1));
    dispatch.MouseMove(doc, &view, PointerAt(6, 4));
    ASSERT_EQ(view.Lines.size(), 1u);
    EXPECT_EQ(view.Lines[0].boundingRect(), QRect(1, 1, 6, 4));
    EXPECT_EQ(Picture(), kBlank);
    dispatch.CancelOperation(); // another design became current
    EXPECT_TRUE(view.Lines.empty());
    EXPECT_EQ(tool->Clicks(), 0);
}

TEST_F(DrawTool, ProtectedColoursStayAndWrappedLinesLandInsideThePicture) {
    Open({"..........", "..........", "...PP.....", "..........", "..........", ".........."});
    doc.EditPalette([](TPalette& p) {
        p['P'].SetProtected(true);
        return true;
    });
    doc.SetProtection(true);
    Use(DrawLine);
    Click(QPoint(0, 2));
    Click(QPoint(9, 2));
    EXPECT_EQ(Picture()[2], "###PP#####");
    view.Wrap = TRepeatWrap{RepeatStraight, 10, 6, 0}; // the window shows the repeat
    Click(QPoint(8, 4));                               // on across the right edge of the tile
    Click(QPoint(12, 4));
    EXPECT_EQ(Picture()[4], "###.....##");
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Picture()[4], "..........");
}

TEST_F(DrawTool, LocksMeasureAndKeepTheEndInsideThePicture) {
    Open(kBlank, 3);
    std::vector<TDrawMeasure> heard;
    tool->OnMeasure = [&](const TDrawMeasure& m) { heard.push_back(m); };
    Use(DrawLine);
    Click(QPoint(4, 2));
    Click(QPoint(4, 2)); // start on end: a dot of the pen
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].HasAngle);
    EXPECT_EQ(heard[0].Degrees, 0);
    EXPECT_EQ(heard[0].Length, 3);
    EXPECT_FALSE(tool->LockLength(dispatch.Context(), 2.5)); // shorter than the pen: no lock
    EXPECT_FALSE(tool->Locks().Length);
    EXPECT_TRUE(tool->LockLength(dispatch.Context(), 50)); // far beyond the picture
    tool->LockAngle(0);
    Click(QPoint(6, 3));
    Click(QPoint(8, 4));
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[1].Length, 3 + 3); // from x 6 to the last column 9, plus the pen
    EXPECT_EQ(doc.Picture().GetPixel(9, 3), uint32_t('#'));
}

TEST_F(DrawTool, DotsAndGapsKeepTheirLengthsWithAWidePen) {
    Open({".............", ".............", ".............", "............."}, 3);
    Use(DrawLine);
    TDrawSettings s = tool->Settings();
    s.Style() = TLineStyle{true, 4, 2};
    tool->SetSettings(dispatch.Context(), s);
    Click(QPoint(1, 1));
    Click(QPoint(11, 1));
    EXPECT_EQ(Picture(), (Strings{"####..####...", "####..####...", "####..####...", "............."}));
}

TEST_F(DrawTool, FullColourDesignsTakeTheColourValueAndOutlineTheirAreas) {
    Open(kBlank, 1, 24);
    auto value = [&](char index) { return doc.Palette()[index].ColorRef(); };
    Use(DrawRect, true);
    Click(QPoint(1, 1));
    Click(QPoint(6, 4));
    dispatch.SetColour(TCurrentColour::OfIndex('o'));
    Use(DrawOutline);
    Click(QPoint(3, 2));
    for (auto [x, y, index] :
         {std::tuple{1, 1, 'o'}, {6, 3, 'o'}, {3, 2, '#'}, {5, 3, '#'}, {8, 2, '.'}, {0, 0, '.'}})
        EXPECT_EQ(doc.Picture().GetPixel(x, y), value(index)) << x << "," << y;
}

TEST(DrawSettings, DrawIniKeepsTheCurrentStyleAndClampsBadValues) {
    QTemporaryDir dir;
    TIniFile ini(dir.filePath(QStringLiteral("Draw.ini")));
    for (auto [section, key, value] : {std::tuple{"Draw", "Type", 99},
                                       {"LineType", "DS", 5},
                                       {"LineType", "Dot", 0},
                                       {"LineType", "Gap", 100000},
                                       {"Line", "Type", -3},
                                       {"Fill", "Ok", 7}})
        ini.WriteInteger(section, key, value);
    TDrawSettings s = ReadDrawSettings(ini);
    EXPECT_EQ(s.Type, DrawOutline);
    EXPECT_TRUE(s.Style().Dotted);
    EXPECT_EQ(s.Style().Dot, 1);
    EXPECT_EQ(s.Style().Gap, kMaxDash);
    EXPECT_FALSE(s.LineChain);
    EXPECT_TRUE(s.CurveChain);
    EXPECT_TRUE(s.Fill);
    ChooseDrawFunction(s, DrawCurve);
    s.Style() = TLineStyle{true, 7, 2};
    s.CurveChain = false;
    WriteDrawSettings(ini, s);
    const TDrawSettings back = ReadDrawSettings(ini);
    EXPECT_EQ(back.Type, DrawCurve);
    EXPECT_EQ(back.Style().Dot, 7);
    EXPECT_EQ(back.Style().Gap, 2);
    EXPECT_FALSE(back.CurveChain);
    EXPECT_TRUE(back.LineChain);
}
