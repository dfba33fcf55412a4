// The Repeat tool's engine driven without a window: the apply rectangle under the
// size limit, presses per function, and matches recovered with the values they had.
#include "raster/Bitmapimage.h"
#include "raster/Undo.h"
#include "shell/Mainmenu.h"
#include "support/Draw.h"
#include "support/Pictures.h"
#include "support/Toolscene.h"
#include "tools/Repeattool.h"

namespace {

class RepeatTool : public ToolTest {
  protected:
    void Open() {
        OpenArt(doc, {"ab......", "cd......", "........"}, 8, 'z');
        doc.AttachUndo();
        auto engine = std::make_unique<TRepeatTool>();
        tool = engine.get();
        dispatch.Activate(ToolRepeat, std::move(engine));
        dispatch.SetCurrent(&doc, &view);
    }
    void Use(int function, bool limit, int drop = 0) {
        TRepeatState s;
        s.Settings.Tile = QRect(0, 0, 2, 2), s.Settings.Function = function, s.Settings.SizeLimit = limit;
        s.Settings.CountX = 2, s.DropVer = drop;
        tool->SetState(s);
    }
    TRepeatTool* tool = nullptr;
};

} // namespace

TEST_F(RepeatTool, PressesWriteTheFunctionIntoTheRectangleTheMouseSet) {
    Open();
    struct Case {
        int function;
        bool limit;
        int drop;
        Strings want;
    } cases[] = {
        {RepeatNormal, true, 0, {"abab....", "cdcd....", "........"}}, // two tiles across, one down
        {RepeatNormal, false, 0, {"abababab", "cdcdcdcd", "abababab"}},
        {RepeatHalfDropVer, false, 1, {"abcdabcd", "cdabcdab", "abcdabcd"}},
        {RepeatMatchNormal, false, 0, {"ab......", "cd......", "........"}}, // matches act from the window
    };
    for (const Case& c : cases) {
        Use(c.function, c.limit, c.drop);
        dispatch.MouseMove(doc, &view, PointerAt(1, 1, ButtonNone));
        EXPECT_EQ(view.Band, c.limit ? QRect(0, 0, 4, 2) : QRect()) << c.function;
        Click({1, 1});
        EXPECT_EQ(Picture(), c.want) << c.function;
        if (Picture() != Strings{"ab......", "cd......", "........"}) {
            ASSERT_TRUE(doc.Undo());
        }
    }
}

TEST_F(RepeatTool, RecoverUndoesTheLastMatchWithItsOwnValuesOnly) {
    Open();
    const Strings before = Picture();
    TToolContext& context = dispatch.Context();
    EXPECT_EQ(tool->Recover(context), 0u); // nothing to recover: nothing changes
    EXPECT_EQ(Picture(), before);
    Use(RepeatHalfDropVer, false, 1);
    ASSERT_EQ(tool->Match(context, RepeatMatchVer), 0u);
    ASSERT_EQ(tool->Match(context, RepeatMatchVer), 0u);
    EXPECT_EQ(tool->State().Match.Count, 2);
    Use(RepeatNormal, false); // the window moves on; the record stays
    EXPECT_EQ(tool->State().Match.Count, 2);
    ASSERT_EQ(tool->Recover(context), 0u);
    ASSERT_EQ(tool->Recover(context), 0u);
    EXPECT_EQ(Picture(), before);
    EXPECT_EQ(tool->Recover(context), 0u);
    EXPECT_EQ(Picture(), before);
}

TEST_F(RepeatTool, PreviewShowsWhatThePressWritesAndLeavesTheDesignUntilThen) {
    Open();
    const Strings before = Picture();
    struct Case {
        int function;
        bool limit;
        int drop;
        int super; // 2: the design keeps every other pixel, the preview is clear there
    } cases[] = {{RepeatNormal, true, 0, 0},
                 {RepeatNormal, false, 0, 0},
                 {RepeatHalfDropVer, false, 1, 2},
                 {RepeatHalfDropHor, false, 1, 0}};
    const QImage original = BitmapImage(doc.Picture(), &doc.Palette());
    for (const Case& c : cases) {
        Use(c.function, c.limit, c.drop);
        dispatch.Context().Super = c.super;
        TRepeatState s = tool->State();
        s.DropHor = c.drop;
        tool->SetState(s);
        dispatch.MouseMove(doc, &view, PointerAt(1, 1, ButtonNone));
        ASSERT_FALSE(view.Floating.isNull()) << c.function;
        EXPECT_EQ(Picture(), before) << c.function << ": a preview writes nothing";
        EXPECT_EQ(view.Floating.hasAlphaChannel(), c.super == 2) << c.function;
        const QImage shown = view.Floating.convertToFormat(QImage::Format_ARGB32);
        const QPoint at = view.FloatingAt;
        Click({1, 1});
        const QImage written = BitmapImage(doc.Picture(), &doc.Palette());
        EXPECT_EQ(QRect(at, shown.size()), tool->Area(doc.Bounds().size())) << c.function;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                ASSERT_EQ(qAlpha(shown.pixel(x, y)) ? shown.pixel(x, y) : original.pixel(at + QPoint(x, y)),
                          written.pixel(at + QPoint(x, y)))
                    << c.function << " " << x << "," << y;
        if (Picture() != before) {
            ASSERT_TRUE(doc.Undo());
        }
    }
    Use(RepeatMatchNormal, false); // the matches have no preview
    dispatch.MouseMove(doc, &view, PointerAt(1, 1, ButtonNone));
    EXPECT_TRUE(view.Floating.isNull());
    Use(RepeatNormal, false);
    dispatch.MouseMove(doc, &view, PointerAt(1, 1, ButtonNone));
    tool->Finish(dispatch.Context());
    EXPECT_TRUE(view.Floating.isNull()) << "the preview goes with the tool";
}
