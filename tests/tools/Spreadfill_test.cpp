// The Spread Fill tool's gradations and clicks, driven without any window.
#include "platform/Inifile.h"
#include "raster/Undo.h"
#include "shell/Exception.h"
#include "shell/Mainmenu.h"
#include "support/Draw.h"
#include "support/Pictures.h"
#include "support/Toolscene.h"
#include "tools/Spreadfill.h"
#include "tools/Spreadtool.h"
#include "tools/Tooldispatch.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SpreadFill : public ToolTest {
  protected:
    // A design drawn as ASCII art whose palette is in use up to '@', so the gradation
    // starts at B = 'A'. In full colour each character is its palette entry's colour.
    void Open(const Strings& rows, int bits = 8) {
        OpenArt(doc, rows, bits, 'A' - 1);
        auto engine = std::make_unique<TSpreadTool>();
        tool = engine.get();
        tool->SetSeed(7);
        dispatch.Activate(ToolSpreadFill, std::move(engine));
        dispatch.SetCurrent(&doc, &view);
    }
    // Two or more grade slots with these gaps; the area's colours (none: P0's).
    void Use(int shape, const std::vector<int>& gaps, const std::string& list = {}) {
        TSpreadSettings s;
        s.Shape = shape;
        s.SetSlotCount(int(gaps.size()));
        for (size_t k = 0; k < gaps.size(); ++k)
            s.Slots[k].Gap = gaps[k];
        for (char c : list)
            s.Colours.Add(uint8_t(c), doc.Palette());
        tool->SetSettings(s);
    }
    uint32_t Run(QPoint from, QPoint to) { return tool->Spread(dispatch.Context(), from, to); }
    TSpreadTool* tool = nullptr;
};

} // namespace

// With fewer pixels along the spread than colours every step is 1: pixel p of the
// spread takes B + p + 1 whatever the dither draws.
TEST_F(SpreadFill, LinearAndCircularSpreadsPaintTheirExpectedPictures) {
    struct Case {
        const char* name;
        int shape;
        std::vector<int> gaps;
        std::string list;
        QPoint from, to;
        Strings before, after;
    } cases[] = {
        {"along x", SpreadLinear, {3}, "", {1, 0}, {4, 0}, {"#....#", "#....#"}, {"#BCDE#", "#BCDE#"}},
        {"down", SpreadLinear, {3}, "", {0, 0}, {0, 5}, {"....", "....", "...."}, {"BBBB", "CCCC", "DDDD"}},
        {"diagonal", SpreadLinear, {3}, "", {0, 0}, {2, 2}, {"...", "...", "..."}, {"BCC", "CCD", "CDE"}},
        {"coinciding projections", SpreadLinear, {0}, "", {1, 0}, {2, 0}, {"#.#", "#.#"}, {"#B#", "#B#"}},
        {"a point for a line", SpreadLinear, {0}, "", {1, 1}, {1, 1}, {"#.#", "#.#"}, {"#B#", "#B#"}},
        {"the listed colours, 4-connected",
         SpreadLinear,
         {3},
         "ab",
         {0, 0},
         {1, 0},
         {"ab.ba", "#a.#b"},
         {"BC.ba", "#C.#b"}},
        {"P0's colour not listed", SpreadLinear, {3}, "ab", {2, 0}, {3, 0}, {"ab.ba"}, {"ab.ba"}},
        {"circular",
         SpreadCircular,
         {3},
         "",
         {2, 2},
         {4, 2},
         {".....", ".....", ".....", ".....", "....."},
         {"DDDDD", "DCCCD", "DCBCD", "DCCCD", "DDDDD"}},
    };
    for (const Case& c : cases) {
        Open(c.before);
        Use(c.shape, {c.gaps[0], 0}, c.list);
        EXPECT_EQ(Run(c.from, c.to), 0u) << c.name;
        EXPECT_EQ(Picture(), c.after) << c.name;
    }
}

TEST_F(SpreadFill, TwoColoursWithGapZeroSplitTheAreaInADither) {
    Open(Strings(16, std::string(64, '.')));
    Use(SpreadLinear, {0, 0});
    ASSERT_EQ(Run({0, 0}, {63, 0}), 0u);
    int left = 0, right = 0, others = 0; // pixels of B in each half
    for (const std::string& row : Picture())
        for (int x = 0; x < 64; ++x) {
            others += row[size_t(x)] != 'A' && row[size_t(x)] != 'B';
            (x < 32 ? left : right) += row[size_t(x)] == 'A';
        }
    EXPECT_EQ(others, 0);
    EXPECT_EQ(Picture()[0][63], 'B');      // the far end is all B + 1
    EXPECT_NEAR(left, 16 * 32 * 0.74, 40); // B's share falls from 63/64 to 0 across
    EXPECT_NEAR(right, 16 * 32 * 0.24, 40);
    EXPECT_EQ(doc.Palette().UseColor, 'B');
}

TEST_F(SpreadFill, AGradationIsOneUndoStepOfPixelsAndPaletteColours) {
    Open({"......"});
    doc.EditPalette([](TPalette& p) {
        p[2].SetRGB(0, 0, 0);
        p[3].SetLibrary(KindVMStandard, 4, 9, 90, 180, 30);
        return true;
    });
    TSpreadSettings s = tool->Settings();
    s.SetSlotCount(3);
    s.Slots[0] = {doc.Palette()[2], 2};
    s.Slots[1] = {doc.Palette()[3], 0};
    s.Slots[2].Colour.SetRGB(90, 0, 30);
    tool->SetSettings(s);
    const TPalette before = doc.Palette();
    const int steps = UndoStore().Count();
    ASSERT_EQ(Run({0, 0}, {5, 0}), 0u);
    EXPECT_EQ(UndoStore().Count(), steps + 1);
    // Slot 0, two colours mixed towards slot 1, slot 1 with its library, slot 2.
    const TColorRef want[] = {MakeColorRef(0, 0, 0), MakeColorRef(30, 60, 10), MakeColorRef(60, 120, 20),
                              MakeColorRef(90, 180, 30), MakeColorRef(90, 0, 30)};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(doc.Palette()['A' + k].ColorRef(), want[k]) << k;
    EXPECT_TRUE(doc.Palette()['A' + 3] == before[3]);
    EXPECT_EQ(doc.Palette().UseColor, 'A' + 4);
    TRGBQuad quads[256];
    doc.Picture().GetColors(0, 256, quads); // the picture shows the new colours
    EXPECT_EQ(quads['B'].rgbGreen, 60);

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Picture(), Strings{"......"});
    for (int i = 0; i < 256; ++i)
        EXPECT_TRUE(doc.Palette()[i] == before[i]) << i;
    EXPECT_EQ(doc.Palette().UseColor, before.UseColor);
}

TEST_F(SpreadFill, AGradationThatWouldReach252EntriesIsRefusedWithNothingChanged) {
    struct Case {
        int used, gap; // N = gap + 2 colours from B = used + 1
        uint32_t code;
    } cases[] = {{200, 47, 0u}, {200, 48, ErrorCode::PaletteFull}, {249, 0, ErrorCode::PaletteFull}};
    for (const Case& c : cases) {
        Open({"....", "...."});
        doc.EditPalette([&](TPalette& p) {
            p.UseColor = uint16_t(c.used);
            return true;
        });
        Use(SpreadLinear, {c.gap, 0});
        const TPalette before = doc.Palette();
        const int steps = UndoStore().Count();
        EXPECT_EQ(Run({0, 0}, {3, 0}), c.code) << c.gap;
        EXPECT_EQ(UndoStore().Count(), steps + (c.code ? 0 : 1)) << c.gap;
        EXPECT_EQ(Picture() == Strings({"....", "...."}), c.code != 0) << c.gap;
        EXPECT_EQ(doc.Palette().UseColor, c.code ? c.used : 249) << c.gap;
        EXPECT_EQ(doc.Palette()[c.used + 1] == before[c.used + 1], c.code != 0) << c.gap;
    }
}

TEST_F(SpreadFill, ProtectedColoursMaskAndSelectionKeepTheirPixels) {
    struct Case {
        const char* name;
        std::function<void(TDocument&)> setUp;
        QPoint from;
        uint32_t code;
        Strings after;
    } cases[] = {
        {"protected colour",
         [](TDocument& d) {
             d.EditPalette([](TPalette& p) {
                 p['b'].SetProtected(true);
                 return true;
             });
             d.SetProtection(true);
         },
         {0, 0},
         0,
         {"BCDb", "BbDE"}},
        {"mask",
         [](TDocument& d) {
             TChange mask(d, UndoMask);
             mask.Mask()->SetPixel(0, 0, 255);
             mask.Commit();
             d.SetMaskOn(true);
         },
         {0, 0},
         0,
         {"aCDE", "BCDE"}},
        {"selection", [](TDocument& d) { d.SetSelection(QRegion(1, 0, 2, 2)); }, {1, 0}, 0, {"aBCb", "aBCa"}},
        {"P0 outside the selection",
         [](TDocument& d) { d.SetSelection(QRegion(1, 0, 2, 2)); },
         {0, 0},
         ErrorCode::OutsideWorkArea,
         {"aaab", "abaa"}},
    };
    for (const Case& c : cases) {
        Open({"aaab", "abaa"});
        c.setUp(doc);
        Use(SpreadLinear, {3, 0}, "ab");
        EXPECT_EQ(Run(c.from, c.from + QPoint(3, 0)), c.code) << c.name;
        EXPECT_EQ(Picture(), c.after) << c.name;
    }
}

TEST_F(SpreadFill, FullColourDesignsTakeTheMixedColoursThemselves) {
    Open({"...."}, 24);
    TSpreadSettings s;
    s.Slots[0].Colour.SetRGB(0, 0, 0);
    s.Slots[0].Gap = 3;
    s.Slots[1].Colour.SetRGB(200, 100, 40);
    tool->SetSettings(s);
    const uint16_t used = doc.Palette().UseColor;
    ASSERT_EQ(Run({0, 0}, {3, 0}), 0u);
    // Five colours over four pixels: step 1, pixel x takes colour x + 1 (the last stays).
    const TColorRef want[] = {MakeColorRef(50, 25, 10), MakeColorRef(100, 50, 20), MakeColorRef(150, 75, 30),
                              MakeColorRef(200, 100, 40)};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(doc.Picture().GetPixel(x, 0), want[x]) << x;
    EXPECT_EQ(doc.Palette().UseColor, used);
}

TEST_F(SpreadFill, SingleGradeThinsTheCurrentColourFromP0ToP1AlongAWave) {
    struct Case {
        int shape, height;
        QPoint from, to;
        std::function<void(const Strings&)> check;
    } cases[] = {
        {SpreadLinear,
         0,
         {8, 0},
         {24, 0},
         [](const Strings& rows) {
             for (const std::string& row : rows) {
                 EXPECT_EQ(row.substr(0, 8), std::string(8, '#')); // behind P0: all
                 EXPECT_EQ(row.substr(24), std::string(8, '.'));   // beyond P1: none
             }
         }},
        {SpreadLinear,
         100,
         {8, 0},
         {24, 0},
         [](const Strings& rows) {
             // One wave over the 16 rows: the band lies half its length further out in
             // row 4, half its length further in in row 12.
             EXPECT_EQ(rows[4].substr(0, 17), std::string(17, '#'));
             EXPECT_EQ(rows[12].substr(16), std::string(16, '.'));
         }},
        {SpreadCircular,
         0,
         {16, 8},
         {16, 2},
         [](const Strings& rows) {
             EXPECT_EQ(rows[8][16], '#');
             EXPECT_EQ(rows[8].substr(0, 11), std::string(11, '.')); // 6 and more from P0
             EXPECT_EQ(rows[0].substr(0, 4), "....");
         }},
    };
    for (const Case& c : cases) {
        Open(Strings(16, std::string(32, '.')));
        TSpreadSettings s;
        s.Single = true;
        s.SingleShape = c.shape;
        s.WaveHeight = c.height;
        s.WaveFrequency = 1;
        tool->SetSettings(s);
        dispatch.SetColour(TCurrentColour::OfIndex('#'));
        ASSERT_EQ(Run(c.from, c.to), 0u);
        c.check(Picture());
        EXPECT_EQ(doc.Palette().UseColor, 'A' - 1); // no colours added
    }
}

TEST_F(SpreadFill, ClicksPickSlotColoursAndListColoursAndDrawTheLine) {
    Open({"abc..", "de..."});
    tool->SetSlotPicking(true);
    Click({1, 0}); // into slot 0, and slot 1 becomes current
    Click({0, 1}, ButtonMiddle);
    EXPECT_TRUE(tool->Settings().Slots[0].Colour == doc.Palette()['b']);
    EXPECT_TRUE(tool->Settings().Slots[1].Colour == doc.Palette()['d']);
    EXPECT_EQ(tool->Settings().Current, 1);

    tool->SetPick(dispatch.Context(), PickBlock); // a block pick takes the rectangle's colours
    Click({0, 0});
    dispatch.MouseMove(doc, &view, PointerAt(2, 2, ButtonNone));
    EXPECT_EQ(view.Band, QRect(0, 0, 2, 2));
    Click({2, 2});
    EXPECT_EQ(tool->Settings().Colours.Count(), 4);
    EXPECT_EQ(tool->Pick(), PickNone);
    tool->PreviousColours();
    EXPECT_EQ(tool->Settings().Colours.Count(), 0);

    tool->SetPosition(dispatch.Context(), true); // P0, a rubber line, P1 runs the spread
    Click({3, 0});
    dispatch.MouseMove(doc, &view, PointerAt(4, 1, ButtonNone));
    ASSERT_EQ(view.Lines.size(), 1u);
    EXPECT_EQ(view.Lines[0], QPolygon({QPoint(3, 0), QPoint(4, 1)}));
    const int steps = UndoStore().Count();
    Click({4, 1});
    EXPECT_TRUE(view.Lines.empty());
    EXPECT_FALSE(tool->Started());
    EXPECT_EQ(UndoStore().Count(), steps + 1);
    EXPECT_NE(Picture()[0][3], '.');
}

TEST(SpreadSettings, IniKeepsTheSettingsAndClampsWhatIsOutOfRange) {
    QTemporaryDir dir;
    const QString path = dir.filePath("SpreadFill.ini");
    TSpreadSettings s;
    s.Single = true, s.Shape = SpreadCircular, s.WaveHeight = 0, s.WaveFrequency = 100;
    s.SetSlotCount(4);
    s.Current = 3;
    s.Slots[2] = {{}, 7};
    s.Slots[2].Colour.SetRGB(1, 2, 3);
    {
        TIniFile ini(path);
        WriteSpreadSettings(ini, s);
        ini.WriteInteger("Grade", "Gap1", 1000); // typed by hand
    }
    const TSpreadSettings r = ReadSpreadSettings(TIniFile(path));
    EXPECT_TRUE(r.Single);
    EXPECT_EQ(r.Shape, SpreadCircular);
    EXPECT_EQ(r.WaveHeight, 0);
    EXPECT_EQ(r.WaveFrequency, 100);
    ASSERT_EQ(r.Slots.size(), 4u);
    EXPECT_EQ(r.Current, 3);
    EXPECT_EQ(r.Slots[2].Gap, 7);
    EXPECT_EQ(r.Slots[2].Colour.ColorRef(), MakeColorRef(1, 2, 3));
    EXPECT_EQ(r.Slots[1].Gap, kMaxGradeGap);
    const TSpreadSettings fresh = ReadSpreadSettings(TIniFile(dir.filePath("none.ini")));
    EXPECT_EQ(fresh.Slots.size(), 2u);
    EXPECT_EQ(fresh.Slots[0].Gap, 2);
    EXPECT_FALSE(fresh.Single);
}
