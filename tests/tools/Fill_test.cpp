// The Fill tool's fills, driven without any window.
#include "platform/Inifile.h"
#include "raster/Undo.h"
#include "shell/Capture.h"
#include "shell/Exception.h"
#include "shell/Mainmenu.h"
#include "support/Draw.h"
#include "support/Pictures.h"
#include "support/Toolscene.h"
#include "tools/Fillpaint.h"
#include "tools/Filltool.h"
#include "tools/Penobject.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

class Fill : public ToolTest {
  protected:
    void TearDown() override { CapturedImages().Clear(); }
    // A design drawn as ASCII art, its palette in use up to '~' with distinct colours;
    // in full colour each character is its entry's colour. The current colour is 'X'.
    void Open(const Strings& rows, int bits = 8) {
        OpenArt(doc, rows, bits, '~');
        auto engine = std::make_unique<TFillTool>();
        tool = engine.get();
        tool->SetSeed(3);
        dispatch.Activate(ToolFill, std::move(engine));
        dispatch.SetCurrent(&doc, &view);
        dispatch.SetColour(TCurrentColour::OfIndex('X'));
    }
    void Use(int from, int to, const std::string& list = {}, int repeat = FillRepeatNormal, int drop = 0) {
        TFillSettings s;
        s.From = from, s.To = to, s.Repeat = repeat, s.Drop = drop;
        for (char c : list)
            s.Colours.Add(uint8_t(c), doc.Palette());
        tool->SetSettings(s);
    }
    // Captures the art's '#'-free part of the design's top-left corner as the newest capture.
    void Capture(const Strings& art) {
        DrawArt(doc, art);
        ASSERT_TRUE(
            CapturedImages().Insert(doc.Picture(), QRegion(0, 0, int(art[0].size()), int(art.size()))));
    }
    uint32_t Run(QPoint at) { return tool->Fill(dispatch.Context(), at); }
    TFillTool* tool = nullptr;
};

} // namespace

TEST_F(Fill, AreasAreTheClickedOrListedColours4ConnectedWithinGuardAndSelection) {
    struct Case {
        const char* name;
        int from;
        std::string list;
        std::function<void(TDocument&)> setUp;
        QPoint at;
        uint32_t code;
        Strings before, after;
    } cases[] = {
        {"one pixel", FillFromSingle, "", {}, {1, 1}, 0, {"aaa", "aba", "aaa"}, {"aaa", "aXa", "aaa"}},
        {"no diagonals", FillFromSingle, "", {}, {0, 0}, 0, {"ab", "ba"}, {"Xb", "ba"}},
        {"a ring's inside stays",
         FillFromSingle,
         "",
         {},
         {0, 0},
         0,
         {"aaa", "aba", "aaa"},
         {"XXX", "XbX", "XXX"}},
        {"the listed colours", FillFromMulti, "ab", {}, {0, 0}, 0, {"abc", "cba"}, {"XXc", "cXX"}},
        {"the clicked pixel though unlisted",
         FillFromMulti,
         "ab",
         {},
         {2, 0},
         0,
         {"cabc", "cccc"},
         {"cXXc", "cccc"}},
        {"protected colour",
         FillFromMulti,
         "ab",
         [](TDocument& d) {
             d.EditPalette([](TPalette& p) {
                 p['b'].SetProtected(true);
                 return true;
             });
             d.SetProtection(true);
         },
         {0, 0},
         0,
         {"aaab", "abaa"},
         {"XXXb", "XbXX"}},
        {"mask",
         FillFromSingle,
         "",
         [](TDocument& d) {
             TChange mask(d, UndoMask);
             mask.Mask()->SetPixel(1, 0, 255);
             mask.Commit();
             d.SetMaskOn(true);
         },
         {0, 0},
         0,
         {"aaa"},
         {"XaX"}},
        {"selection",
         FillFromSingle,
         "",
         [](TDocument& d) { d.SetSelection(QRegion(1, 0, 2, 1)); },
         {1, 0},
         0,
         {"aaaa"},
         {"aXXa"}},
        {"outside the selection",
         FillFromSingle,
         "",
         [](TDocument& d) { d.SetSelection(QRegion(1, 0, 2, 1)); },
         {0, 0},
         ErrorCode::OutsideWorkArea,
         {"aaaa"},
         {"aaaa"}},
        {"outside the picture", FillFromSingle, "", {}, {5, 0}, 0, {"aaaa"}, {"aaaa"}},
    };
    for (const Case& c : cases) {
        Open(c.before);
        if (c.setUp) c.setUp(doc);
        Use(c.from, FillToSingle, c.list);
        EXPECT_EQ(Run(c.at), c.code) << c.name;
        EXPECT_EQ(Picture(), c.after) << c.name;
    }
}

// The pattern "ab/cd" clicked at (cx, cy): its top-left pixel lands there and the
// tiles run on left and up, shifted by the drop per tile step.
TEST_F(Fill, PatternsTileFromTheClickedPixelWithTheirDrop) {
    struct Case {
        const char* name;
        int repeat, drop, bits;
        QPoint at;
        Strings after;
    } cases[] = {
        {"normal", FillRepeatNormal, 0, 8, {3, 3}, {"dcdcd", "babab", "dcdcd", "babab", "dcdcd"}},
        {"full colour", FillRepeatNormal, 0, 24, {3, 3}, {"dcdcd", "babab", "dcdcd", "babab", "dcdcd"}},
        {"normal at the middle",
         FillRepeatNormal,
         0,
         8,
         {2, 2},
         {"ababa", "cdcdc", "ababa", "cdcdc", "ababa"}},
        {"drop horizontal",
         FillRepeatDropHorizontal,
         1,
         8,
         {2, 2},
         {"babab", "dcdcd", "ababa", "cdcdc", "babab"}},
        {"drop vertical",
         FillRepeatDropVertical,
         1,
         8,
         {2, 2},
         {"cdabc", "abcda", "cdabc", "abcda", "cdabc"}},
        {"drop beyond the side is clamped",
         FillRepeatDropVertical,
         9,
         8,
         {2, 2},
         {"ababa", "cdcdc", "ababa", "cdcdc", "ababa"}},
    };
    for (const Case& c : cases) {
        Open(Strings(5, "....."), c.bits);
        Capture({"ab", "cd"});
        DrawArt(doc, Strings(5, "....."));
        Use(FillFromSingle, FillToNormalPattern, "", c.repeat, c.drop);
        ASSERT_EQ(Run(c.at), 0u) << c.name;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(doc.Picture().GetPixel(x, y), c.bits == 8 ? uint32_t(uint8_t(c.after[y][x]))
                                                                    : doc.Palette()[c.after[y][x]].ColorRef())
                    << c.name << " " << x << "," << y;
    }
}

TEST_F(Fill, ARotatedPatternTurnsFirstAndLeavesPixelsOutsideItAsTheyWere) {
    Open(Strings(3, "...."));
    Capture({"abc"});
    DrawArt(doc, Strings(3, "...."));
    TFillSettings s;
    s.To = FillToRotatePattern;
    s.Degree = 90; // as Move/Copy turns: counter-clockwise, the row's right end goes up
    tool->SetSettings(s);
    ASSERT_EQ(Run({0, 0}), 0u);
    EXPECT_EQ(Picture(), Strings({"cccc", "bbbb", "aaaa"}));
    Open(Strings(8, "........"));
    Capture({"aaa", "aaa", "aaa"});
    DrawArt(doc, Strings(8, "........"));
    s.Degree = 45; // the turned square's corners are no pattern pixels
    tool->SetSettings(s);
    ASSERT_EQ(Run({0, 0}), 0u);
    int kept = 0, painted = 0;
    for (const std::string& row : Picture())
        for (const char c : row)
            kept += c == '.', painted += c == 'a';
    EXPECT_GT(kept, 0);
    EXPECT_EQ(kept + painted, 64);
}

TEST_F(Fill, PatternsThatAreMissingAreRefusedWithNothingChanged) {
    Open({"...."});
    Use(FillFromSingle, FillToNormalPattern);
    EXPECT_EQ(Run({0, 0}), ErrorCode::NoCaptures);
    Capture({"a"});
    DrawArt(doc, {"...."});
    TFillSettings s;
    s.To = FillToNormalPattern;
    s.Pattern = 1; // a capture that is gone
    tool->SetSettings(s);
    const int steps = UndoStore().Count();
    EXPECT_EQ(Run({0, 0}), ErrorCode::BadPattern);
    EXPECT_EQ(Picture(), Strings({"...."}));
    EXPECT_EQ(UndoStore().Count(), steps);
}

TEST_F(Fill, AirPaintsAboutDensityInTwentyAndNozzlesStayInTheArea) {
    for (const int density : {1, 5}) {
        Open(Strings(100, std::string(100, '.')));
        TFillSettings s;
        s.Air = true, s.Density = density;
        tool->SetSettings(s);
        ASSERT_EQ(Run({0, 0}), 0u);
        int painted = 0, others = 0;
        for (const std::string& row : Picture())
            for (const char c : row)
                painted += c == 'X', others += c != 'X' && c != '.';
        EXPECT_EQ(others, 0);
        EXPECT_NEAR(painted, 10000 * density / 20, 150) << density;
    }
    Open({"........", "########", "........"});
    TFillSettings s;
    s.Air = true, s.Density = 5, s.Nozzle = 5;
    tool->SetSettings(s);
    ASSERT_EQ(Run({0, 1}), 0u);
    EXPECT_EQ(Picture()[0], "........");
    EXPECT_EQ(Picture()[2], "........");
    EXPECT_NE(Picture()[1], "########");
}

TEST_F(Fill, ToMultiTintsEachColourInOneUndoStep) {
    Open({"abc", "c.."});
    doc.EditPalette([](TPalette& p) {
        p['a'].SetRGB(100, 100, 100);
        p['b'].SetRGB(150, 150, 150);
        p['X'].SetRGB(200, 0, 0);
        return true;
    });
    Use(FillFromMulti, FillToMulti, "ab");
    const int steps = UndoStore().Count();
    ASSERT_EQ(Run({0, 0}), 0u);
    // 'a' (clicked) takes 'X'; 'b' a new entry, lighter red by b's step over a.
    const std::string row = Picture()[0];
    EXPECT_EQ(row[0], 'X');
    EXPECT_EQ(uint8_t(row[1]), '~' + 1);
    EXPECT_EQ(row[2], 'c');
    const TColorData& tint = doc.Palette()['~' + 1];
    EXPECT_GT(tint.Red(), 200);
    EXPECT_EQ(tint.Green(), tint.Blue());
    EXPECT_EQ(doc.Palette().UseColor, '~' + 1);
    EXPECT_EQ(UndoStore().Count(), steps + 1);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Picture(), Strings({"abc", "c.."}));
    EXPECT_EQ(doc.Palette().UseColor, '~');
    // Again after the undo: the tint is appended once more; a fill whose area holds
    // the clicked colour alone adds nothing.
    ASSERT_EQ(Run({0, 0}), 0u);
    ASSERT_EQ(Run({0, 1}), 0u);
    EXPECT_EQ(Picture()[1][0], 'X');
    EXPECT_EQ(doc.Palette().UseColor, '~' + 1);
}

TEST_F(Fill, ToMultiThatWouldPassTheLastDrawingEntryIsRefused) {
    Open({"ab"});
    doc.EditPalette([](TPalette& p) {
        p.UseColor = TPalette::kLastDrawing;
        p['a'].SetRGB(100, 100, 100); // b's tint, a lighter red, is in no entry
        p['b'].SetRGB(150, 150, 150);
        p['X'].SetRGB(200, 0, 0);
        return true;
    });
    Use(FillFromMulti, FillToMulti, "ab");
    EXPECT_EQ(Run({0, 0}), ErrorCode::PaletteFull);
    EXPECT_EQ(Picture(), Strings({"ab"}));
    EXPECT_EQ(doc.Palette().UseColor, TPalette::kLastDrawing);
}

TEST_F(Fill, ToMultiOnFullColourWritesTheTintsThemselves) {
    Open({"ab"}, 24);
    doc.EditPalette([](TPalette& p) {
        p['a'].SetRGB(100, 100, 100);
        p['b'].SetRGB(100, 100, 100 + 50);
        return true;
    });
    DrawArt(doc, {"ab"});
    dispatch.SetColour(TCurrentColour::OfIndex('X').WithRgb(MakeColorRef(200, 0, 0)));
    Use(FillFromMulti, FillToMulti, "ab");
    const uint16_t used = doc.Palette().UseColor;
    ASSERT_EQ(Run({0, 0}), 0u);
    EXPECT_EQ(doc.Picture().GetPixel(0, 0), MakeColorRef(200, 0, 0));
    EXPECT_EQ(doc.Picture().GetPixel(1, 0),
              TintColour(MakeColorRef(100, 100, 150), MakeColorRef(100, 100, 100), MakeColorRef(200, 0, 0)));
    EXPECT_EQ(doc.Palette().UseColor, used);
}

TEST_F(Fill, WithTheMaskPenTheFillSetsTheMaskAndKeepsTheColours) {
    Open({"aab"});
    TPenObject pen;
    pen.Settings.Kind = PenMask;
    dispatch.Context().Pen = &pen;
    TFillSettings s;
    s.Air = true; // no spray: the whole area
    tool->SetSettings(s);
    ASSERT_EQ(Run({0, 0}), 0u);
    EXPECT_EQ(Picture(), Strings({"aab"}));
    ASSERT_NE(doc.Mask(), nullptr);
    EXPECT_EQ(doc.Mask()->GetPixel(0, 0), 255u);
    EXPECT_EQ(doc.Mask()->GetPixel(1, 0), 255u);
    EXPECT_EQ(doc.Mask()->GetPixel(2, 0), 0u);
    dispatch.Context().Pen = nullptr;
}

TEST_F(Fill, SettingsKeepTheAngleAndTheListAndClampTheRest) {
    Open({"ab"});
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Fill.ini"));
    TFillSettings s;
    s.Degree = 45;
    s.Colours.Add('a', doc.Palette());
    s.Colours.Add('b', doc.Palette());
    {
        TIniFile ini(file);
        WriteFillSettings(ini, s);
        ini.UpdateFile();
    }
    const TFillSettings back = ReadFillSettings(TIniFile(file));
    EXPECT_EQ(back.BeforeDegree, 45);
    EXPECT_EQ(back.Colours.Count(), 2);
    TFillSettings wild;
    wild.Density = 9, wild.Nozzle = 0, wild.Degree = 400, wild.To = 7, wild.Drop = -3;
    tool->SetSettings(wild);
    EXPECT_EQ(tool->Settings().Density, kMaxFillDensity);
    EXPECT_EQ(tool->Settings().Nozzle, kMinFillNozzle);
    EXPECT_EQ(tool->Settings().Degree, 360);
    EXPECT_EQ(tool->Settings().To, FillToMulti);
    EXPECT_EQ(tool->Settings().Drop, 0);
}
