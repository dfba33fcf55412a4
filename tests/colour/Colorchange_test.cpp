// The Color Change engines and tool: swap, the pending preview through index 254,
// the HLS shift of a group and the full-colour offset, each one undo step, kept to
// the selection, and the tool's choices, page changes and recolouring pen.
#include "colour/Colorchange.h"
#include "colour/Colorchangetool.h"
#include "platform/Inifile.h"
#include "raster/Undo.h"
#include "shell/Exception.h"
#include "support/Penscene.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const Strings kArt = {"aabb", "abcd",
                      "cc\xfe"
                      "a"};

// A design of kArt (palette in use up to used) with no undo record yet.
void OpenChange(TDocument& doc, const Strings& art = kArt, int used = 'd') {
    OpenArt(doc, art, 8, used);
    doc.SetModified(false);
}

TColorRef EntryColour(const TDocument& doc, int index) {
    return doc.Palette()[index].ColorRef();
}

} // namespace

TEST(ColorChange, SwapChangesBothColoursInTheRegionOnlyAndIsOneUndoStep) {
    struct TCase {
        const char* name;
        int source, target;
        QRegion selection;
        bool protectTarget;
        Strings expected;
    };
    const TCase cases[] = {
        {"whole picture",
         'a',
         'b',
         {},
         false,
         {"bbaa", "bacd",
          "cc\xfe"
          "b"}},
        {"source = target changes nothing", 'a', 'a', {}, false, kArt},
        {"only the selection",
         'a',
         'c',
         QRegion(0, 1, 2, 2),
         false,
         {"aabb", "cbcd",
          "aa\xfe"
          "a"}},
        {"a protected target stays",
         'a',
         'b',
         {},
         true,
         {"bbbb", "bbcd",
          "cc\xfe"
          "b"}},
        {"out-of-range indices are clamped", -5, 0, {}, false, kArt},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TDocument doc;
        OpenChange(doc);
        if (!c.selection.isEmpty()) doc.SetSelection(c.selection);
        if (c.protectTarget) {
            doc.EditPalette([&](TPalette& p) {
                p[c.target].SetProtected(true);
                return true;
            });
            doc.SetProtection(true);
        }
        const int records = UndoStore().Count();
        ASSERT_EQ(SwapColours(doc, c.source, c.target), 0u);
        EXPECT_EQ(Rows(doc.Picture()), c.expected);
        const bool changed = c.expected != kArt;
        EXPECT_EQ(UndoStore().Count(), records + (changed ? 1 : 0));
        if (changed) {
            ASSERT_TRUE(doc.Undo());
            EXPECT_EQ(Rows(doc.Picture()), kArt);
        }
    }
}

TEST(ColorChange, PendingChangePreviewsThroughEntry254AndCommitsOrCancels) {
    TDocument doc;
    OpenChange(doc);
    const TColorData entry254 = doc.Palette()[kPreviewIndex];
    SwapColours(doc, 'c', 'd'), SwapColours(doc, 'c', 'd'); // steps an undo could take
    doc.SetModified(false);
    const int records = UndoStore().Count();
    TPendingChange pending;
    TIndexSet sources{};
    sources['a'] = true;
    ASSERT_EQ(pending.Begin(doc, sources, 'a'), 0u);
    // The 254 that was there is no source: it stays out of the change.
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"\xfe\xfe"
                                            "bb",
                                            "\xfe"
                                            "bcd",
                                            "cc\xfe\xfe"}));
    EXPECT_EQ(EntryColour(doc, kPreviewIndex), EntryColour(doc, 'a'));
    pending.Preview('c');
    EXPECT_EQ(EntryColour(doc, kPreviewIndex), EntryColour(doc, 'c'));
    pending.Preview(kPreviewIndex); // 254 itself shows the source
    EXPECT_EQ(EntryColour(doc, kPreviewIndex), EntryColour(doc, 'a'));
    EXPECT_FALSE(doc.Undo()); // the open change owns the newest record
    pending.Cancel();
    EXPECT_EQ(Rows(doc.Picture()), kArt);
    EXPECT_TRUE(doc.Palette()[kPreviewIndex] == entry254);
    EXPECT_EQ(UndoStore().Count(), records);
    EXPECT_FALSE(doc.Modified());

    // Multi To Single inside a selection: one step, the old 254 pixel and entry kept.
    doc.SetSelection(QRegion(0, 1, 4, 2));
    sources['c'] = true;
    ASSERT_EQ(pending.Begin(doc, sources, 'c'), 0u);
    pending.Preview('d');
    ASSERT_EQ(pending.Commit('d'), 0u);
    EXPECT_FALSE(pending.Pending());
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"aabb", "dbdd",
                                            "dd\xfe"
                                            "d"}));
    EXPECT_TRUE(doc.Palette()[kPreviewIndex] == entry254);
    EXPECT_EQ(UndoStore().Count(), records + 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Rows(doc.Picture()), kArt);
}

TEST(ColorChange, MeanHueGoesAroundTheCircleAndGreysCountForLightnessOnly) {
    struct TCase {
        const char* name;
        std::vector<THLS> colours;
        THLS mean;
    };
    const TCase cases[] = {
        {"350 and 10 meet at 0", {{350, 0.4, 0.5}, {10, 0.6, 0.7}}, {0, 0.5, 0.6}},
        {"10 and 350 too", {{10, 0.5, 1}, {350, 0.5, 1}}, {0, 0.5, 1}},
        {"plain mean", {{100, 0.2, 0.2}, {140, 0.4, 0.4}, {120, 0.6, 0.6}}, {120, 0.4, 0.4}},
        {"200 and 20 go through 290", {{200, 0.5, 1}, {20, 0.5, 1}}, {290, 0.5, 1}},
        {"a grey adds lightness, its saturation 0, no hue",
         {{120, 0.2, 0.8}, {kUndefinedHue, 0.8, 0}},
         {120, 0.5, 0.4}},
        {"greys alone have no hue", {{kUndefinedHue, 0.3, 0}}, {kUndefinedHue, 0.3, 0}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const THLS m = MeanHls(c.colours);
        EXPECT_NEAR(m.H, c.mean.H, 1e-9);
        EXPECT_NEAR(m.L, c.mean.L, 1e-9);
        EXPECT_NEAR(m.S, c.mean.S, 1e-9);
    }
    const THLS grey = ShiftHls({kUndefinedHue, 0.5, 0}, {100, 0.5, 0.5}, {200, 0.9, 1});
    EXPECT_EQ(grey.H, kUndefinedHue);
    EXPECT_EQ(grey.S, 0);
    EXPECT_NEAR(grey.L, 0.9, 1e-9);
    const THLS hued = ShiftHls({300, 0.5, 0.5}, {100, 0.5, 0.5}, {200, 0.1, 0.8});
    EXPECT_NEAR(hued.H, 40, 1e-9); // 400 brought back into the circle
    EXPECT_NEAR(hued.L, 0.1, 1e-9);
    EXPECT_NEAR(hued.S, 0.8, 1e-9);
    EXPECT_NEAR(ShiftHls({300, 0.9, 0.9}, {100, 0.5, 0.5}, {100, 1, 1}).L, 1.0, 1e-9); // clamped
}

TEST(ColorChange, HlsShiftCopiesTheGroupAfterTheUsedColoursOrRefusesWithoutRoom) {
    struct TCase {
        int used;
        uint32_t code;
    };
    for (const TCase& c : {TCase{249, ErrorCode::PaletteFull}, TCase{248, 0}}) {
        SCOPED_TRACE(c.used);
        TDocument doc;
        OpenChange(doc, kArt, c.used);
        doc.EditPalette([](TPalette& p) {
            p['a'].SetRGB(200, 40, 40);
            p['b'].SetRGB(90, 90, 90); // a grey member
            return true;
        });
        const int records = UndoStore().Count();
        const TPalette before = doc.Palette();
        TChoiceColor set;
        set.Add('a', doc.Palette()), set.Add('b', doc.Palette());
        THlsShift shift;
        ASSERT_EQ(shift.Next(doc, set), c.code);
        if (c.code) {
            EXPECT_EQ(Rows(doc.Picture()), kArt);
            EXPECT_EQ(doc.Palette().UseColor, c.used);
            EXPECT_EQ(UndoStore().Count(), records);
            continue;
        }
        EXPECT_EQ(Rows(doc.Picture()), (Strings{"\xf9\xf9\xfa\xfa",
                                                "\xf9\xfa"
                                                "cd",
                                                "cc\xfe\xf9"}));
        EXPECT_EQ(doc.Palette().UseColor, 250);
        THLS target = shift.Reference();
        EXPECT_NEAR(target.H, 0, 1e-9);
        target.H = 240, target.L += 0.1;
        shift.Apply(target);
        const TColorData& red = doc.Palette()[249];
        EXPECT_GT(red.Blue(), red.Red()); // red moved to blue
        const TColorData& grey = doc.Palette()[250];
        EXPECT_TRUE(grey.Red() == grey.Green() && grey.Green() == grey.Blue());
        EXPECT_GT(grey.Red(), 90);
        shift.Back(); // as before Next, no step kept
        EXPECT_EQ(Rows(doc.Picture()), kArt);
        EXPECT_TRUE(doc.Palette()[249] == before[249]);
        EXPECT_EQ(doc.Palette().UseColor, c.used);
        EXPECT_EQ(UndoStore().Count(), records);
        ASSERT_EQ(shift.Next(doc, set), 0u);
        shift.Apply(target);
        shift.Keep();
        EXPECT_EQ(UndoStore().Count(), records + 1);
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(Rows(doc.Picture()), kArt);
        EXPECT_EQ(doc.Palette().UseColor, c.used);
    }
}

TEST(ColorChange, FullColourOffsetIsClampedAndKeptToTheSelection) {
    TDocument doc;
    OpenArt(doc, {"ab", "ab"}, 24, 'b');
    doc.SetSelection(QRegion(1, 0, 1, 2));
    const uint32_t a = EntryColour(doc, 'a'), b = EntryColour(doc, 'b');
    const int records = UndoStore().Count();
    // +100 red, -200 green, +0 blue.
    ASSERT_EQ(ShiftRgb(doc, MakeColorRef(0, 200, 50), MakeColorRef(100, 0, 50)), 0u);
    EXPECT_EQ(doc.Picture().GetPixel(0, 1), a);
    EXPECT_EQ(doc.Picture().GetPixel(1, 1), MakeColorRef(std::min(255, RedOf(b) + 100), 0, BlueOf(b)));
    EXPECT_EQ(UndoStore().Count(), records + 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Picture().GetPixel(1, 0), b);
    EXPECT_EQ(ShiftRgb(doc, 0, 0), 0u); // no offset, no step
    EXPECT_EQ(UndoStore().Count(), records);
    TDocument indexed;
    OpenChange(indexed);
    EXPECT_EQ(ShiftRgb(indexed, 0, 1), ErrorCode::DepthOfType);
}

namespace {

class ColorChangeTool : public ::testing::Test, public TPenScene {
  protected:
    TColorChangeTool& Change() {
        if (dispatch.ActiveNumber() != ToolColorChange) {
            dispatch.Activate(ToolColorChange, std::make_unique<TColorChangeTool>(&random));
            dispatch.Context().Pen = &pen;
            dispatch.SetCurrent(&doc, nullptr);
        }
        return *static_cast<TColorChangeTool*>(dispatch.ActiveTool());
    }
    void Choose(int index) { dispatch.SetColour(TCurrentColour::OfIndex(index)); }
    void Click(int x, int y) {
        dispatch.MouseDown(doc, nullptr, At(x, y));
        dispatch.MouseUp(doc, nullptr, At(x, y));
    }
};

} // namespace

TEST_F(ColorChangeTool, ChoicesAndClicksDriveEachModeAndPageChangesDropThePreview) {
    Open(kArt);
    TColorChangeTool& tool = Change();
    const int records = UndoStore().Count();
    Choose('a'), Click(3, 1); // Swap: a palette choice, then a click on d
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"ddbb", "dbca",
                                            "cc\xfe"
                                            "d"}));
    EXPECT_FALSE(tool.TargetChecked());
    ASSERT_TRUE(doc.Undo());

    tool.SetMode(dispatch.Context(), ChangeSingle);
    Click(0, 0); // source a, pending
    EXPECT_TRUE(tool.Pending() && tool.TargetChecked());
    dispatch.PaletteHover('b');
    EXPECT_EQ(EntryColour(doc, kPreviewIndex), EntryColour(doc, 'b'));
    tool.SetMode(dispatch.Context(), ChangeMulti); // a new mode drops the preview
    EXPECT_EQ(Rows(doc.Picture()), kArt);
    EXPECT_EQ(UndoStore().Count(), records);

    Choose('a'), Choose('b'); // the multi set
    ASSERT_EQ(tool.CheckTarget(dispatch.Context()), 0u);
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"\xfe\xfe\xfe\xfe",
                                            "\xfe\xfe"
                                            "cd",
                                            "cc\xfe\xfe"}));
    Choose('c');
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"cccc", "cccd",
                                            "cc\xfe"
                                            "c"}));
    EXPECT_EQ(UndoStore().Count(), records + 1);
}

TEST_F(ColorChangeTool, ByPenStrokesReplaceOnlyTheSourceWhileDrawIsOn) {
    Open({"abab", "abab", "cccc"});
    TColorChangeTool& tool = Change();
    Pen(3);
    tool.SetPage(dispatch.Context(), ChangeByPen);
    Stroke({{0, 1}, {3, 1}}); // no pair yet: the press chooses the source
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"abab", "abab", "cccc"}));
    EXPECT_EQ(tool.Source(), 'a');
    Choose('d');
    EXPECT_TRUE(tool.Draw());
    const int records = UndoStore().Count();
    Stroke({{0, 0}, {3, 0}}); // a 3-pixel pen over rows 0 and 1 only changes a
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"dbdb", "dbdb", "cccc"}));
    EXPECT_EQ(UndoStore().Count(), records + 1);
    tool.SetDraw(false);
    Click(2, 2); // without Draw a click is a choice again, and the source
    EXPECT_EQ(Rows(doc.Picture()), (Strings{"dbdb", "dbdb", "cccc"}));
    EXPECT_TRUE(tool.TargetChecked());
}

TEST_F(ColorChangeTool, SetsFollowThePageAndRoundTripThroughTheIni) {
    Open(kArt);
    TColorChangeTool& tool = Change();
    tool.SetMode(dispatch.Context(), ChangeMulti);
    Choose('a');
    tool.SetPage(dispatch.Context(), ChangeHls);
    Choose('b'), Choose('c');
    EXPECT_EQ(tool.Settings().MultiSet().Count(), 1);
    EXPECT_EQ(tool.Settings().HlsSet().Count(), 2);
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("ColorChange.Ini"));
    WriteColorChangeSettings(ini, tool.Settings());
    const TColorChangeSettings back = ReadColorChangeSettings(ini);
    EXPECT_EQ(back.Page, ChangeHls);
    EXPECT_EQ(back.WindowMode, ChangeMulti);
    EXPECT_EQ(back.HlsSet().IndexAt(1), 'c');
    EXPECT_EQ(back.MultiSet().IndexAt(0), 'a');
    EXPECT_EQ(back.Colours.Count(), 2); // the HLS page shows its own set
    const int records = UndoStore().Count(), first = doc.Palette().UseColor + 1;
    ASSERT_EQ(tool.HlsNext(dispatch.Context()), 0u);
    EXPECT_TRUE(tool.HlsRunning());
    dispatch.Deactivate(); // leaving the tool keeps the shift as one step
    EXPECT_EQ(UndoStore().Count(), records + 1);
    EXPECT_EQ(Rows(doc.Picture())[1], std::string("a") + char(first) + char(first + 1) + "d");
}
