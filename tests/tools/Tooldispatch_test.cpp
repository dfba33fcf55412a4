// The tool dispatch driven without any window: the path every tool engine takes.
#include "shell/Mainmenu.h"
#include "support/Draw.h"
#include "support/Setpixeltool.h"
#include "tools/Tooldispatch.h"

#include <gtest/gtest.h>

namespace {

struct TFakeView : TToolView {
    QPoint Scrolled;
    QRect Band;
    void ScrollBy(int dx, int dy) override { Scrolled += QPoint(dx, dy); }
    void ShowRubberBand(const QRect& rect) override { Band = rect; }
};

TToolPointer At(int x, int y, int button = ButtonLeft, bool shift = false, bool ctrl = false) {
    TToolPointer p;
    p.X = x;
    p.Y = y;
    p.Button = button;
    p.Buttons = button;
    p.Shift = shift;
    p.Ctrl = ctrl;
    return p;
}

class Dispatch : public ::testing::Test {
  protected:
    void Open(int bits) {
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, 12, 10);
        ASSERT_EQ(doc.NewCanvas(paper, bits, TCurrentColour::OfIndex(2)), 0u);
        auto engine = std::make_unique<TSetPixelTool>();
        tool = engine.get();
        dispatch.Activate(ToolDraw, std::move(engine));
    }
    TDocument doc;
    TToolDispatch dispatch;
    TSetPixelTool* tool = nullptr;
};

} // namespace

TEST_F(Dispatch, AToolEngineDrawsOnADocumentWithoutAnyWindow) {
    Open(8);
    std::vector<QRect> changed;
    QObject::connect(&doc, &TDocument::Changed, [&](const QRect& r) { changed.push_back(r); });
    dispatch.SetColour(TCurrentColour::OfIndex(9));
    EXPECT_EQ(tool->Colours, 1);
    const int records = UndoStore().Count();
    doc.SetUnit(0); // Dot
    dispatch.MouseDown(doc, nullptr, At(3, 2));
    EXPECT_EQ(dispatch.Context().Unit, 0);
    dispatch.MouseMove(doc, nullptr, At(4, 2));
    dispatch.MouseUp(doc, nullptr, At(4, 2));
    EXPECT_EQ(doc.Picture().GetPixel(3, 2), 9u);
    EXPECT_EQ(changed, std::vector<QRect>{QRect(3, 2, 1, 1)});
    EXPECT_EQ(UndoStore().Count(), records + 1);
    EXPECT_EQ(dispatch.Context().Document, &doc);
    EXPECT_TRUE(dispatch.KeyPress('A', 0));
    dispatch.Deactivate();
    EXPECT_EQ(dispatch.ActiveNumber(), 0);
    dispatch.Forget(&doc);
    EXPECT_EQ(dispatch.Context().Document, nullptr);
}

TEST_F(Dispatch, PicksTheColourUnderThePointerForEveryToolButColourChange) {
    struct Case {
        int Bits, Tool, Button;
        bool Shift;
        uint32_t Pixel;
        TCurrentColour Expected;
        QPoint Where = QPoint(1, 1);
        TRepeatWrap Repeat = {};
    };
    const TCurrentColour start = TCurrentColour::OfIndex(2);
    const Case cases[] = {
        {8, ToolDraw, ButtonMiddle, false, 40, TCurrentColour::OfIndex(40)},
        {8, ToolDraw, ButtonLeft, true, 251, TCurrentColour::OfIndex(251)},
        {8, ToolDraw, ButtonLeft, false, 40, start},              // a plain press draws
        {8, ToolDraw, ButtonMiddle, false, 252, start},           // reserved entries are no colour
        {8, ToolColorChange, ButtonMiddle, false, 40, start},     // that tool picks for itself
        {24, ToolDraw, ButtonMiddle, false, 0, start.WithRgb(0)}, // black is a colour
        {24, ToolColorChange, ButtonLeft, true, MakeColorRef(1, 2, 3), start.WithRgb(MakeColorRef(1, 2, 3))},
        {8,
         ToolDraw,
         ButtonMiddle,
         false,
         40,
         TCurrentColour::OfIndex(40),
         {5, -3},
         {RepeatStraight, 4, 4, 0}},
        {8, ToolDraw, ButtonMiddle, false, 40, start, {5, -3}}, // outside the picture: nothing
    };
    for (const Case& c : cases) {
        TDocument d;
        TPaper paper;
        SetPaper(paper, kPaperCustom, 4, 4);
        ASSERT_EQ(d.NewCanvas(paper, c.Bits, start), 0u);
        Draw(d, [&](TOrvaneBitmap& p) { p.SetPixel(1, 1, c.Pixel); });
        TToolDispatch pick;
        pick.Activate(c.Tool, std::make_unique<TSetPixelTool>());
        pick.SetColour(start);
        pick.Context().Repeat = c.Repeat;
        pick.MouseDown(d, nullptr, At(c.Where.x(), c.Where.y(), c.Button, c.Shift));
        EXPECT_EQ(pick.Colour(), c.Expected) << c.Bits << " " << c.Tool << " " << c.Pixel;
    }
}

TEST_F(Dispatch, AModalToolHoldsTheInputAndCtrlDragPans) {
    Open(8);
    TSetPixelTool modal;
    TFakeView view;
    dispatch.SetModal(&modal);
    dispatch.MouseDown(doc, &view, At(1, 1));
    dispatch.MouseDown(doc, &view, At(1, 1, ButtonMiddle)); // no pick while the mode holds
    dispatch.MouseMove(doc, &view, At(2, 2));
    EXPECT_EQ(modal.Downs, 1);
    EXPECT_EQ(modal.Moves, 1);
    EXPECT_EQ(tool->Downs + tool->Moves, 0);
    EXPECT_EQ(dispatch.Colour(), TCurrentColour::OfIndex(2));
    dispatch.SetModal(nullptr);
    EXPECT_EQ(modal.Finished, 1);

    dispatch.MouseDown(doc, &view, At(10, 9, ButtonLeft, false, true));
    dispatch.MouseMove(doc, &view, At(7, 8));
    dispatch.MouseUp(doc, &view, At(4, 6));
    EXPECT_EQ(view.Scrolled, QPoint(6, 3));
    EXPECT_EQ(tool->Downs + tool->Moves + tool->Ups, 0);
}

TEST_F(Dispatch, TheWindowsRepeatReachesEveryEventAndAPickWrapsIntoThePicture) {
    Open(8); // 12 x 10
    Draw(doc, [](TOrvaneBitmap& p) { p.SetPixel(7, 3, 40); });
    struct TRepeatView : TFakeView {
        TRepeatWrap Wrap{RepeatDropVertical, 12, 10, 5};
        TRepeatWrap Repeat() const override { return Wrap; }
    } view;
    // The second column of tiles lies 5 lower: plane point (19, 8) is picture pixel (7, 3).
    dispatch.MouseDown(doc, &view, At(19, 8, ButtonMiddle));
    EXPECT_EQ(dispatch.Colour(), TCurrentColour::OfIndex(40));
    EXPECT_EQ(dispatch.Context().Repeat.Drop, 5);
    view.Wrap.Kind = RepeatOff; // turned off: a point off the picture has no colour to pick
    dispatch.MouseDown(doc, &view, At(19, 8, ButtonLeft, true));
    EXPECT_FALSE(dispatch.Context().Repeat.On());
    EXPECT_EQ(dispatch.Colour(), TCurrentColour::OfIndex(40));
}
