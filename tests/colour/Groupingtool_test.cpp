// The Grouping and Separate engines behind their windows: the kept sets and
// values, the guard on the document's mask and protection, refusals, and
// Separate's restore.
#include "colour/Grouping.h"
#include "colour/Groupingtool.h"
#include "colour/Separatetool.h"
#include "platform/Inifile.h"
#include "shell/Exception.h"
#include "support/Draw.h"
#include "support/Pictures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

TChoiceColor SetOf(const std::string& members, const TPalette& palette) {
    TChoiceColor set;
    for (char c : members)
        set.Add(uint8_t(c), palette);
    return set;
}

std::string Members(const TChoiceColor& set) {
    std::string out;
    for (int k = 0; k < set.Count(); ++k)
        out.push_back(char(set.IndexAt(k)));
    return out;
}

void MaskPixel(TDocument& d, int x, int y) {
    TChange mask(d, UndoMask);
    mask.Mask()->SetPixel(x, y, 255);
    mask.Commit();
    d.SetMaskOn(true);
}

} // namespace

TEST(GroupingTool, SetsFollowTheFunctionShownAndRoundTripThroughTheIni) {
    TPalette palette;
    TGroupingSettings s;
    s.Show(GroupUser);
    s.Colours = SetOf("ab", palette);
    s.Show(GroupFilterRun); // the filter's own set comes up, the user's waits
    EXPECT_EQ(Members(s.Colours), "");
    s.Colours = SetOf("c", palette);
    s.Show(GroupType); // Type keeps the set last shown
    EXPECT_EQ(Members(s.FilterSet()), "c");
    EXPECT_EQ(Members(s.UserSet()), "ab");
    s.Count = 999, s.FilterSize = 4, s.FilterShape = 3;
    s.Clamp();
    EXPECT_EQ(s.Count, 250);
    EXPECT_EQ(s.FilterSize, 5);
    EXPECT_EQ(s.FilterShape, 1);

    QTemporaryDir dir;
    TIniFile ini(dir.filePath("Grouping.Ini"));
    WriteGroupingSettings(ini, s);
    const TGroupingSettings back = ReadGroupingSettings(ini);
    EXPECT_EQ(Members(back.UserSet()), "ab");
    EXPECT_EQ(Members(back.FilterSet()), "c");
    EXPECT_EQ(back.Count, 250);
    EXPECT_EQ(back.FilterSize, 5);

    TSeparateSettings sep;
    sep.Colours = SetOf("x", palette);
    sep.Overlap = 7;
    WriteSeparateSettings(ini, sep);
    const TSeparateSettings sepBack = ReadSeparateSettings(ini);
    EXPECT_EQ(Members(sepBack.Colours), "x");
    EXPECT_EQ(sepBack.Overlap, 5);
}

TEST(GroupingTool, RunsKeepMaskedAndProtectedPixelsAndRefuseWhatCannotBeDone) {
    TDocument doc;
    OpenArt(doc, {"bbbb", "bacb", "bbbb"}, 8, '~');
    MaskPixel(doc, 1, 1);
    ASSERT_EQ(GroupFilter(doc, 9, 0, TChoiceColor()), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"bbbb", "babb", "bbbb"}));
    doc.SetMaskOn(false);

    // A protected colour keeps its colour through a reduction: its entry moves.
    OpenArt(doc, {"\2\3\4"}, 8, 4);
    doc.EditPalette([](TPalette& p) {
        p[2].SetRGB(0, 0, 0), p[3].SetRGB(100, 0, 0), p[4].SetRGB(200, 0, 0);
        p[2].SetProtected(true);
        return true;
    });
    doc.SetProtection(true);
    const TColorData kept = doc.Palette()[2];
    ASSERT_EQ(GroupReduce(doc, 1), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"\3\2\2"}));
    EXPECT_TRUE(doc.Palette()[3] == kept);
    EXPECT_EQ(doc.Palette()[2].Red(), 148); // (25 + 50) / 2 * 4
    doc.SetProtection(false);

    // Kept colours that cannot move (every entry after the new ones in use) refuse the run.
    std::string row;
    for (int i = 2; i <= 251; ++i)
        row.push_back(char(i));
    OpenArt(doc, {row, row}, 8, 251);
    doc.SetSelection(QRegion(0, 0, 250, 1));
    SetErrorPresenter([](TSeverity, const QString&, int) { return 0; });
    EXPECT_EQ(GroupReduce(doc, 250), ErrorCode::PaletteFull);
    EXPECT_EQ(Rows(doc.Picture()), (Strings{row, row}));

    OpenArt(doc, {"ab"}, 24, '~');
    for (const uint32_t code : {GroupReduce(doc, 4), GroupFilter(doc, 3, 0, TChoiceColor()),
                                GroupUserChoose(doc, TChoiceColor()), GroupRearrange(doc)})
        EXPECT_EQ(code, ErrorCode::DepthOfType);
    SetErrorPresenter(StderrPresenter);
}

TEST(SeparateTool, RestoreTakesBackOnlyItsOwnRunOnTheSameDesign) {
    TDocument doc, other;
    OpenArt(doc, {"ab"}, 8, '~');
    OpenArt(other, {"ab"}, 8, '~');
    TSeparateTool tool;
    TSeparateSettings s;
    s.Colours = SetOf("a", doc.Palette());
    tool.SetSettings(s);
    TToolContext context;
    context.Document = &doc;
    EXPECT_FALSE(tool.Restore(context));
    ASSERT_EQ(tool.Run(context), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"a\1"}));
    context.Document = &other;
    EXPECT_FALSE(tool.Restore(context)); // not the design it ran on
    context.Document = &doc;
    EXPECT_TRUE(tool.Restore(context));
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"ab"}));
    EXPECT_FALSE(tool.CanRestore());
}
