// Selections by colour: the outline kinds, the magic tests of full-colour designs
// and what "Window.Ini" keeps.
#include "colour/Phls.h"
#include "platform/Inifile.h"
#include "support/Windowscene.h"
#include "tools/Windowoutline.h"

#include <QTemporaryDir>

namespace {
// clang-format off
const Strings kArt = {
    "..#.....",
    ".#c#.xx.",
    "..#..xx.",
    "........"};
// clang-format on
} // namespace

TEST(Magic, ChannelRangesFollowTheToleranceAndItsEdgeRules) {
    struct Case {
        int c, tolerance;
        TChannelRange range;
    } cases[] = {
        {200, 100, {0, 255}}, // d = 127 runs past the top
        {100, 20, {75, 125}}, {250, 5, {242, 255}}, {3, 10, {0, 25}}, {128, 0, {122, 134}}, // clamped to 5
        {128, 400, {1, 255}},                                                               // clamped to 100
    };
    for (const Case& c : cases)
        EXPECT_EQ(MagicChannelRange(c.c, c.tolerance), c.range) << c.c << " " << c.tolerance;
}

TEST(Magic, HlsComparesHueAroundTheCircleAndGreysByLightnessAlone) {
    auto rgb = [](double h, double l, double s) {
        int r = 0, g = 0, b = 0;
        HLSToRGB(THLS{h, l, s}, r, g, b);
        return MakeColorRef(r, g, b);
    };
    struct Case {
        const char* name;
        TColorRef clicked, pixel;
        int tolerance;
        bool passes;
    } cases[] = {
        {"350 and 10 degrees are 20 apart", rgb(350, 0.5, 1), rgb(10, 0.5, 1), 20, true},
        {"but not within 9", rgb(350, 0.5, 1), rgb(10, 0.5, 1), 5, false},
        {"lightness 0.3 apart", rgb(120, 0.5, 1), rgb(120, 0.8, 1), 50, false},
        {"within 0.5", rgb(120, 0.5, 1), rgb(120, 0.8, 1), 100, true},
        {"a grey takes a faint tint", MakeColorRef(128, 128, 128), MakeColorRef(140, 128, 128), 20, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(THlsMagic(c.clicked, c.tolerance).Passes(RedOf(c.pixel), GreenOf(c.pixel), BlueOf(c.pixel)),
                  c.passes)
            << c.name;
}

TEST_F(WindowTool, EachOutlineKindTakesItsAreaAndBadClicksChangeNothing) {
    struct Case {
        const char* name;
        int kind;
        std::vector<int> set;
        QPoint click;
        Strings selected; // empty: refused, the selection stays as it was
    } cases[] = {
        // clang-format off
        {"single colour", OutlineSingle, {}, {5, 1}, {"........", ".....##.", ".....##.", "........"}},
        {"enclosed by the border colour", OutlineBorder, {}, {2, 1}, {"........", "..#.....", "........", "........"}},
        {"the colour set", OutlineMulti, {'.', 'x'}, {0, 0}, {"##.#####", "#...####", "##.#####", "########"}},
        // clang-format on
        {"a click on the border", OutlineBorder, {}, {2, 0}, {}},
        {"an empty colour set", OutlineMulti, {}, {0, 0}, {}},
    };
    Open(kArt);
    dispatch.SetColour(TCurrentColour::OfIndex('#'));
    const QRegion before(7, 3, 1, 1);
    for (const Case& c : cases) {
        doc.SetSelection(before);
        Use([&](TWindowSettings& s) {
            s.Mode = WindowOutline, s.Outline = c.kind;
            s.Colours.Clear();
            for (int i : c.set)
                s.Colours.Add(i, doc.Palette());
        });
        const int reports = Reports;
        Click(c.click);
        EXPECT_EQ(Selected(), c.selected.empty() ? RegionArt(before, 8, 4) : c.selected) << c.name;
        EXPECT_EQ(Reports, reports + int(c.selected.empty())) << c.name;
    }
    // With Position on a click gives its colour to the set instead.
    int picked = -1;
    tool->OnPicked = [&](int index) { picked = index; };
    Use([](TWindowSettings& s) { s.Position = true; });
    Click({5, 2});
    EXPECT_EQ(picked, 'x');
    EXPECT_EQ(doc.Selection(), before);
}

TEST_F(WindowTool, TheRgbMethodOnFullColourAndRunAgainWithAWiderTolerance) {
    Open(Strings(1, std::string(20, '.')), 24);
    Draw(doc, [](TOrvaneBitmap& b) { // red rises by 10 a pixel
        for (int x = 0; x < 20; ++x)
            b.SetPixel(x, 0, MakeColorRef(10 * x, 50, 50));
    });
    Use([](TWindowSettings& s) { s.Mode = WindowOutline, s.Outline = OutlineMulti, s.Tolerance = 10; });
    Click({10, 0}); // d = 12: red 88 .. 112
    EXPECT_EQ(doc.Selection(), QRegion(9, 0, 3, 1));
    EXPECT_EQ(tool->MagicPosition(), QPoint(10, 0));
    Use([](TWindowSettings& s) { s.Tolerance = 20; });
    ASSERT_EQ(tool->Run(dispatch.Context()), 0u); // d = 25: red 75 .. 125
    EXPECT_EQ(doc.Selection(), QRegion(8, 0, 5, 1));
}

TEST(WindowSettings, TheIniKeepsThemClampedAndAnEmptiedSetStaysEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Window.Ini");
    TPalette palette;
    TWindowSettings s;
    s.Mode = WindowIrregular, s.Swap = false, s.Tolerance = 64;
    s.Colours.Add(7, palette);
    {
        TIniFile ini(path);
        WriteWindowSettings(ini, s);
        ini.WriteInteger("Window", "Shape", 9); // edited by hand
    }
    TWindowSettings back = ReadWindowSettings(TIniFile(path));
    EXPECT_EQ(back.Mode, WindowIrregular);
    EXPECT_FALSE(back.Swap);
    EXPECT_EQ(back.Tolerance, 64);
    EXPECT_EQ(back.Shape, ShapeCircle);
    EXPECT_TRUE(back.Colours.Contains(7));
    back.Colours.Clear();
    {
        TIniFile ini(path);
        WriteWindowSettings(ini, back);
    }
    EXPECT_EQ(ReadWindowSettings(TIniFile(path)).Colours.Count(), 0);
}
