// The Move/Copy tool driven through the tool dispatch, without any window.
#include "raster/Undo.h"
#include "shell/Exception.h"
#include "shell/Mainmenu.h"
#include "support/Draw.h"
#include "support/Pictures.h"
#include "tools/Movecopy.h"
#include "tools/Tooldispatch.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

struct TFloatView : TToolView {
    QImage Picture;
    QPoint At;
    void ScrollBy(int, int) override {}
    void ShowRubberBand(const QRect&) override {}
    void ShowFloating(const QImage& picture, QPoint at) override { Picture = picture, At = at; }
    TRepeatWrap Repeat() const override { return Wrap; }
    TRepeatWrap Wrap;
};

const Strings kSmall = {"........", ".ab.....", ".cd.....", "........", "........"};

class MoveCopy : public ::testing::Test {
  protected:
    // A 256-colour design drawn as ASCII art, with a selection.
    void Open(const Strings& rows, const QRegion& selection) {
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, int(rows[0].size()), int(rows.size()));
        ASSERT_EQ(doc.NewCanvas(paper, 8, TCurrentColour::OfIndex('.')), 0u);
        Draw(doc, [&](TOrvaneBitmap& b) { PutArt(b, rows); });
        doc.SetSelection(selection);
    }
    void Start(int type, int function = MoveCopyCopy) {
        auto engine = std::make_unique<TMoveCopyTool>();
        tool = engine.get();
        dispatch.Activate(ToolMoveCopy, std::move(engine));
        dispatch.SetCurrent(&doc, &view);
        TMoveCopySettings s;
        s.Type = type, s.Function = function;
        tool->SetSettings(dispatch.Context(), s);
    }
    void Move(QPoint p) {
        TToolPointer e;
        e.X = p.x(), e.Y = p.y();
        dispatch.MouseMove(doc, &view, e);
    }
    void Click(QPoint p, int button = ButtonLeft) {
        TToolPointer e;
        e.X = p.x(), e.Y = p.y(), e.Button = e.Buttons = button;
        dispatch.MouseDown(doc, &view, e);
        e.Buttons = ButtonNone;
        dispatch.MouseUp(doc, &view, e);
    }
    // The picture with the background index 1 shown as ' '.
    Strings Picture() const {
        Strings rows = Rows(doc.Picture());
        for (std::string& row : rows)
            std::replace(row.begin(), row.end(), '\x01', ' ');
        return rows;
    }

    TDocument doc;
    TToolDispatch dispatch;
    TFloatView view;
    TMoveCopyTool* tool = nullptr;
};

} // namespace

TEST_F(MoveCopy, EachLayoutDropsWhereItsAnchorHoldsThePointerAsOneUndoStep) {
    struct Case {
        int type;
        QPoint pointer;
        Strings after;
    } cases[] = {
        {FloatNormal, {4, 2}, {"........", ".ab.....", ".cd.ab..", "....cd..", "........"}},
        {FloatUpDown, {4, 3}, {"........", ".ab.cd..", ".cd.ab..", "........", "........"}},
        {FloatMirror, {6, 2}, {"........", ".ab.....", ".cd.ba..", "....dc..", "........"}},
        {FloatUDMirror, {6, 4}, {"........", ".ab.....", ".cd.dc..", "....ba..", "........"}},
    };
    for (const Case& c : cases) {
        Open(kSmall, QRegion(1, 1, 2, 2));
        Start(c.type);
        EXPECT_EQ(view.At, QPoint(1, 1)) << "the piece first shows over its source";
        EXPECT_EQ(view.Picture.size(), QSize(2, 2));
        Move(c.pointer);
        const int records = UndoStore().Count();
        Click(c.pointer);
        EXPECT_EQ(Picture(), c.after) << c.type;
        EXPECT_EQ(UndoStore().Count(), records + 1) << c.type;
        EXPECT_TRUE(tool->Floating()) << "a copy keeps floating";
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(Picture(), kSmall) << c.type;
    }
}

TEST_F(MoveCopy, MoveLeavesTheBackgroundAndTheSelectionFollowsARectangle) {
    Open(kSmall, QRegion(1, 1, 2, 2));
    Start(FloatNormal, MoveCopyMove);
    Move({4, 2});
    Click({4, 2});
    EXPECT_EQ(Picture(), Strings({"........", ".  .....", ".  .ab..", "....cd..", "........"}));
    EXPECT_EQ(doc.Selection(), QRegion(4, 2, 2, 2));
    EXPECT_FALSE(tool->Floating());
    EXPECT_TRUE(view.Picture.isNull()) << "nothing shows until the next press";
    Click({5, 0}); // picks the moved selection up again; nothing is written
    EXPECT_TRUE(tool->Floating());
    EXPECT_EQ(tool->Position(), QPoint(5, 0));
    Click({6, 0}); // and moves it on
    EXPECT_EQ(Picture(), Strings({"......ab", ".  ...cd", ".  .  ..", "....  ..", "........"}));
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Picture(), kSmall);
    EXPECT_EQ(doc.Selection(), QRegion(1, 1, 2, 2));

    // Any other selection goes after a move; only its own pixels are cleared.
    Open(kSmall, QRegion(1, 1, 2, 1) + QRegion(1, 2, 1, 1));
    Start(FloatNormal, MoveCopyMove);
    Click({4, 3}, ButtonRight); // put down: the next left press lifts again
    Click({4, 3});
    Click({4, 3});
    EXPECT_EQ(Picture(), Strings({"........", ".  .....", ". d.....", "....ab..", "....c..."}));
    EXPECT_FALSE(doc.HasSelection());
}

TEST_F(MoveCopy, ADropKeepsProtectedColoursAndAFailedMixChangesNothing) {
    Open({"ab......", "cd..xx..", "....xx..", "........"}, QRegion(0, 0, 2, 2));
    doc.EditPalette([](TPalette& p) {
        p['x'].SetProtected(true);
        return true;
    });
    doc.SetProtection(true);
    Start(FloatNormal);
    Click({4, 1});
    EXPECT_EQ(Picture(), Strings({"ab......", "cd..xx..", "....xx..", "........"}));
    Click({3, 0});
    EXPECT_EQ(Picture(), Strings({"ab.ab...", "cd.cxx..", "....xx..", "........"}));

    // Mode 3 with every drawing entry in use: the mix has no entry, the design stays.
    doc.EditPalette([](TPalette& p) {
        p.UseColor = TPalette::kLastDrawing;
        return true;
    });
    dispatch.Context().Super = 3;
    dispatch.Context().Overlap = 37;
    const Strings before = Picture();
    const int records = UndoStore().Count();
    Click({0, 2});
    EXPECT_EQ(Picture(), before);
    EXPECT_EQ(UndoStore().Count(), records);
    EXPECT_EQ(doc.Palette().UseColor, TPalette::kLastDrawing);
}

TEST_F(MoveCopy, APieceThatFitsStaysInsideAndALargerOneFollowsThePointer) {
    Open(kSmall, QRegion(1, 1, 2, 2));
    Start(FloatNormal);
    Move({7, 4});
    EXPECT_EQ(tool->Position(), QPoint(6, 3));
    view.Wrap = TRepeatWrap{RepeatStraight, 8, 5, 0}; // a point of the repeat's plane wraps
    Move({-3, 1});
    EXPECT_EQ(tool->Position(), QPoint(5, 1));
    EXPECT_EQ(view.At, QPoint(-3, 1)) << "shown under the pointer";
    view.Wrap = TRepeatWrap();

    // The whole picture turned by 45 degrees is larger than the picture: no clamping.
    doc.SetSelection(QRegion(0, 0, 8, 5));
    ASSERT_EQ(tool->Rotate(dispatch.Context(), 45), 0u);
    const QSize size(tool->Piece().Width(), tool->Piece().Height());
    ASSERT_GT(size.height(), 5); // 8 x 8
    Move({1, 1});
    EXPECT_EQ(tool->Position(), QPoint(int(1 - size.width() * 0.5), int(1 - size.height() * 0.5)));
    const int records = UndoStore().Count();
    Click({1, 1});
    EXPECT_EQ(UndoStore().Count(), records + 1);
}

TEST_F(MoveCopy, RotateAndBendLayOutTheLiftedPieceAndTheAngleBeforeIsKept) {
    Open({"abc.....", "def.....", "........", "........"}, QRegion(0, 0, 3, 2));
    Start(FloatNormal);
    TToolContext& context = dispatch.Context();
    ASSERT_EQ(tool->Rotate(context, 90), 0u);
    EXPECT_EQ(tool->Settings().Type, FloatRotate);
    EXPECT_EQ(QSize(tool->Piece().Width(), tool->Piece().Height()), QSize(2, 3));
    ASSERT_EQ(tool->Rotate(context, 180), 0u); // from the lifted piece, not from the last turn
    EXPECT_EQ(QSize(tool->Piece().Width(), tool->Piece().Height()), QSize(3, 2));
    EXPECT_EQ(tool->Settings().BeforeDeg, 90);
    Click({6, 2}); // centred on the pointer
    EXPECT_EQ(Rows(doc.Picture())[1].substr(4, 3), "fed");
    EXPECT_EQ(Rows(doc.Picture())[2].substr(4, 3), "cba");

    TMoveCopySettings s = tool->Settings();
    s.Type = FloatBend, s.BendType = BendTube;
    tool->SetSettings(context, s);
    TFloating lifted, tube;
    ASSERT_EQ(LiftFloating(doc.Picture(), doc.Selection(), FloatNormal, lifted), 0u);
    ASSERT_EQ(BendFloating(lifted, BendTube, tube), 0u);
    EXPECT_EQ(QSize(tool->Piece().Width(), tool->Piece().Height()), QSize(tube.Width(), tube.Height()));
    s.Function = MoveCopyMove; // a new function sets the angle back
    tool->SetSettings(context, s);
    EXPECT_EQ(tool->Angle(), 0);
}
