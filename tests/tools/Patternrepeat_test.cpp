// The Pattern Repeat tool's engine driven without a window: the stamps along a path,
// the spacing and handle rules, and placements as single undo steps.
#include "platform/Inifile.h"
#include "shell/Capture.h"
#include "shell/Mainmenu.h"
#include "support/Draw.h"
#include "support/Toolscene.h"
#include "tools/Patternrepeat.h"

#include <QTemporaryDir>
#include <cmath>

namespace {

TEST(PatternStamps, SpacingAndEndStampAlongThePath) {
    struct Case {
        std::vector<QPoint> path;
        int spacing;
        std::vector<QPoint> at;
        std::vector<int> angles;
    } cases[] = {
        {{}, 10, {}, {}},                                                         // empty: nothing
        {{{5, 5}, {8, 5}}, 100, {{8, 5}}, {0}},                                   // shorter: end stamp only
        {{{5, 5}, {5, 5}}, 1, {{5, 5}}, {0}},                                     // no length, no turn
        {{{0, 0}, {0, 25}}, 10, {{0, 10}, {0, 20}, {0, 25}}, {9000, 9000, 9000}}, // down
        {{{0, 0}, {6, 0}, {6, -6}}, 4, {{4, 0}, {6, -2}, {6, -6}}, {0, 27000, 27000}}, // owed across a corner
        {{{0, 0}, {-8, 0}}, 4, {{-4, 0}, {-8, 0}}, {18000, 18000}}, // exactly at the end: no double stamp
    };
    for (const Case& c : cases) {
        const auto stamps = SprayStamps(c.path, c.spacing);
        ASSERT_EQ(stamps.size(), c.at.size()) << c.spacing;
        for (size_t i = 0; i < stamps.size(); ++i) {
            EXPECT_EQ(stamps[i].At, c.at[i]) << i;
            EXPECT_EQ(stamps[i].Angle, c.angles[i]) << i;
        }
    }
}

TEST(PatternStamps, SpacingUnitsAndHandleDirections) {
    EXPECT_EQ(SpacingPixels(1.59, 2), 100);
    EXPECT_EQ(SpacingPixels(1.0, 1), 160);
    EXPECT_EQ(SpacingPixels(37.9, 0), 37);
    EXPECT_EQ(SpacingPixels(0, 2), 1); // never zero: the stamps would not end
    EXPECT_EQ(SpacingPixels(-5, 0), 1);
    EXPECT_EQ(SpacingPixels(std::nan(""), 0), 1);
    EXPECT_EQ(SpacingPixels(1e9, 1), kPatternSpacingMax);
    const QRect box(10, 20, 5, 4); // right 14, bottom 23
    EXPECT_EQ(HandleFromClick({14, 21}, box, PatternNormal), QPoint(4, 1));
    EXPECT_EQ(HandleFromClick({14, 21}, box, PatternMirror), QPoint(0, 1)); // the right edge comes left
    EXPECT_EQ(HandleFromClick({14, 21}, box, PatternUpDown), QPoint(4, 2));
    EXPECT_EQ(HandleFromClick({14, 21}, box, PatternBoth), QPoint(0, 2));
}

TEST(PatternStamps, IniKeepsFunctionAndValueClamped) {
    QTemporaryDir dir;
    TIniFile ini(dir.filePath(QStringLiteral("Pattern.ini")));
    EXPECT_EQ(ReadPatternSettings(ini).Value, 80);
    TPatternSettings s;
    s.Function = PatternIrregular, s.Value = 33;
    WritePatternSettings(ini, s);
    EXPECT_EQ(ReadPatternSettings(ini).Function, PatternIrregular);
    EXPECT_EQ(ReadPatternSettings(ini).Value, 33);
    ini.WriteInteger(QStringLiteral("Menu"), QStringLiteral("Item"), 9);
    ini.WriteInteger(QStringLiteral("Irregular"), QStringLiteral("Value"), -4);
    EXPECT_EQ(ReadPatternSettings(ini).Function, PatternSpray);
    EXPECT_EQ(ReadPatternSettings(ini).Value, 1);
}

class PatternTool : public ToolTest {
  protected:
    void TearDown() override { CapturedImages().Clear(); }
    // The design, with motif drawn at its top-left, captured and then cleared again.
    void Open(const Strings& rows, const Strings& motif) {
        OpenArt(doc, rows, 8, '~');
        DrawArt(doc, motif);
        ASSERT_TRUE(
            CapturedImages().Insert(doc.Picture(), QRegion(0, 0, int(motif[0].size()), int(motif.size()))));
        DrawArt(doc, rows);
        doc.AttachUndo();
        auto engine = std::make_unique<TPatternRepeatTool>();
        tool = engine.get();
        dispatch.Activate(ToolPatternRepeat, std::move(engine));
        dispatch.SetCurrent(&doc, &view);
    }
    void Use(int function, int spacing = 100, int direction = PatternNormal, QPoint handle = {}) {
        TPatternSettings s;
        s.Function = function, s.Spacing = spacing, s.Direction = direction, s.Handle = handle;
        tool->SetSettings(s);
    }
    void Drag(const std::vector<QPoint>& path) {
        dispatch.MouseDown(doc, &view, PointerAt(path[0].x(), path[0].y()));
        for (size_t i = 1; i < path.size(); ++i)
            dispatch.MouseMove(doc, &view, PointerAt(path[i].x(), path[i].y()));
        dispatch.MouseUp(doc, &view, PointerAt(path.back().x(), path.back().y()));
    }
    TPatternRepeatTool* tool = nullptr;
};

TEST_F(PatternTool, SprayStampsTurnedAndCentredAsOneUndoStep) {
    const Strings blank{"........", "........", "........", "........", "........"};
    Open(blank, {"abc"});
    Use(PatternSpray, 3);
    Drag({{0, 0}, {2, 0}, {4, 0}, {6, 0}}); // across: stamps centred at x 3 and 6
    EXPECT_EQ(Picture(), (Strings{"..abcabc", "........", "........", "........", "........"}));
    EXPECT_TRUE(view.Lines.empty()); // the rubber path is gone
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Picture(), blank);
    Use(PatternSpray, 100);
    Drag({{3, 1}, {3, 3}}); // down, shorter than the spacing: the end stamp, turned
    EXPECT_EQ(Picture(), (Strings{"........", "........", "...a....", "...b....", "...c...."}));
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Picture(), blank);
    EXPECT_FALSE(doc.Undo()); // each path was one step
}

TEST_F(PatternTool, RegularTilesWithTheHandleAndAMissingMotifChangesNothing) {
    const Strings blank{".......", "......."};
    Open(blank, {"ab"});
    Use(PatternRegular, 100, PatternMirror, {1, 0}); // "ba" with its 'a' on the click
    Click({4, 1});
    EXPECT_EQ(Picture(), (Strings{"abababa", "abababa"}));
    ASSERT_TRUE(doc.Undo());
    TPatternSettings s = tool->Settings();
    s.Motif = 3; // gone
    tool->SetSettings(s);
    Click({4, 1});
    Drag({{0, 0}, {5, 1}});
    EXPECT_EQ(Picture(), blank);
    EXPECT_TRUE(tool->Path().empty());
    EXPECT_FALSE(doc.Undo());
}

TEST_F(PatternTool, SelectPosTakesTheHandleFromAClickInsideTheBoxOnly) {
    const Strings blank{"....", "...."};
    Open(blank, {"ab"});
    Use(PatternSpray, 100, PatternMirror);
    tool->SelectHandle(QRect(0, 0, 2, 1));
    Click({3, 1}); // outside: ignored, still selecting, nothing written
    EXPECT_TRUE(tool->SelectingHandle());
    Click({1, 0}); // the right edge: the left edge once mirrored
    EXPECT_FALSE(tool->SelectingHandle());
    EXPECT_EQ(tool->Settings().Handle, QPoint(0, 0));
    EXPECT_EQ(Picture(), blank);
    EXPECT_FALSE(doc.Undo());
}

TEST_F(PatternTool, IrregularRepeatsItsScatterFromTheSeed) {
    const Strings blank(12, std::string(12, '.'));
    Open(blank, {"a"});
    Use(PatternIrregular);
    TPatternSettings s = tool->Settings();
    s.Value = 4, s.Seed = 7;
    tool->SetSettings(s);
    Click({5, 5});
    const Strings first = Picture();
    EXPECT_NE(first, blank);
    ASSERT_TRUE(doc.Undo());
    Click({5, 5});
    EXPECT_EQ(Picture(), first);
}

} // namespace
