// The pen's footprints, segment walk, pressure and random source.
#include "platform/Inifile.h"
#include "tools/Penobject.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <set>

namespace {

// The footprint of a size as ASCII art over its bounding box, '#' covered.
std::vector<std::string> Art(const TPenObject& pen, int size) {
    const TFootprint& f = pen.Footprint(size);
    int left = 99, right = -99;
    for (const TFootprintSpan& s : f.Spans)
        left = std::min(left, s.X0), right = std::max(right, s.X1);
    std::vector<std::string> rows;
    for (const TFootprintSpan& s : f.Spans) {
        std::string row(size_t(right - left + 1), '.');
        for (int x = s.X0; x <= s.X1; ++x)
            row[size_t(x - left)] = '#';
        rows.push_back(row);
    }
    return rows;
}

// Stamps of a segment, as "x,y:size".
std::vector<std::string> Walk(const TPenObject& pen, TPenStroke& stroke, int x, int y, int size1 = 0) {
    std::vector<std::string> out;
    pen.LineTo(
        stroke, x, y,
        [&](const TPenStroke& s) {
            out.push_back(std::to_string(s.X) + "," + std::to_string(s.Y) + ":" + std::to_string(s.Size));
        },
        size1);
    return out;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(PenFootprint, SmallSizesInBothShapes) {
    struct Case {
        int Shape, Size;
        Strings Art;
        TFootprintSpan Top; // the first span: offsets from the stamp point
    };
    const Case cases[] = {
        {PenCircular, 1, {"#"}, {0, 0, 0}},
        {PenCircular, 2, {"##", "##"}, {-1, -1, 0}},
        {PenCircular, 3, {"###", "###", "###"}, {-1, -1, 1}},
        {PenCircular, 4, {".##.", "####", "####", ".##."}, {-2, -1, 0}},
        {PenSquare, 1, {"#"}, {0, 0, 0}},
        {PenSquare, 2, {"##", "##"}, {-1, -1, 0}},
        {PenSquare, 3, {"###", "###", "###"}, {-1, -1, 1}},
        {PenSquare, 4, {"####", "####", "####", "####"}, {-2, -2, 1}},
    };
    for (const Case& c : cases) {
        TPenObject pen;
        pen.SetShape(c.Shape);
        SCOPED_TRACE(testing::Message() << "shape " << c.Shape << " size " << c.Size);
        EXPECT_EQ(Art(pen, c.Size), c.Art);
        const TFootprintSpan top = pen.Footprint(c.Size).Spans.front();
        EXPECT_EQ(top.Y, c.Top.Y);
        EXPECT_EQ(top.X0, c.Top.X0);
        EXPECT_EQ(top.X1, c.Top.X1);
        EXPECT_EQ(int(pen.Entries(c.Size).size()), pen.Footprint(c.Size).Count);
    }
}

TEST(PenFootprint, SizeTwentyEightCoversTheDiscOrTheBlock) {
    TPenObject pen;
    const TFootprint& disc = pen.Footprint(28);
    EXPECT_EQ(disc.Count, 616); // pixel centres within 14 of the pen's point
    EXPECT_EQ(disc.Spans.size(), 28u);
    EXPECT_EQ(disc.Spans.front().Y, -14);
    EXPECT_EQ(disc.Spans[13].X0, -14);
    EXPECT_EQ(disc.Spans[13].X1, 13);
    pen.SetShape(7); // not a shape: the pen stays round
    EXPECT_EQ(pen.Footprint(28).Count, 616);
    pen.SetShape(PenSquare);
    EXPECT_EQ(pen.Footprint(28).Count, 28 * 28);
    EXPECT_EQ(pen.Footprint(28).Spans.back().Y, 13);
}

TEST(PenSegment, StampsFromTheStartButNeverItsEnd) {
    struct Case {
        int Size, X, Y;
        Strings Stamps;
    };
    const Case cases[] = {
        {1, 13, 10, {"10,10:1", "11,10:1", "12,10:1"}},
        {1, 10, 7, {"10,10:1", "10,9:1", "10,8:1"}},
        {1, 10, 10, {"10,10:1"}},                       // no way to go: one stamp
        {1, 13, 12, {"10,10:1", "11,11:1", "12,11:1"}}, // y rounded half up
        {1, 11, 14, {"10,10:1", "10,11:1", "11,12:1", "11,13:1"}},
        {17, 30, 10, {"10,10:17", "13,10:17", "16,10:17", "19,10:17", "22,10:17", "25,10:17", "28,10:17"}},
        {1,
         -3,
         10,
         {"10,10:1", "9,10:1", "8,10:1", "7,10:1", "6,10:1", "5,10:1", "4,10:1", "3,10:1", "2,10:1", "1,10:1",
          "0,10:1", "-1,10:1", "-2,10:1"}},
    };
    for (const Case& c : cases) {
        TPenObject pen;
        pen.SetSize(c.Size);
        TPenStroke stroke;
        pen.BeginStroke(stroke, 10, 10);
        SCOPED_TRACE(testing::Message() << "to " << c.X << "," << c.Y);
        EXPECT_EQ(Walk(pen, stroke, c.X, c.Y), c.Stamps);
        EXPECT_EQ(stroke.X0, c.X);
        EXPECT_EQ(stroke.Y0, c.Y);
    }
}

TEST(PenSegment, RoundsTheMinorAxisTheSameWayLeftOfThePicture) {
    TPenObject pen;
    pen.SetSize(1);
    TPenStroke stroke;
    pen.BeginStroke(stroke, -10, -3);
    EXPECT_EQ(Walk(pen, stroke, -13, -3), (Strings{"-10,-3:1", "-11,-3:1", "-12,-3:1"}));
}

TEST(PenPressure, ScalesTheSizeFromOneToTheEffectiveSize) {
    struct Case {
        bool On;
        int Mode, Current, Maximum, Size;
    };
    const Case cases[] = {
        {true, 1, 0, 1023, 1},    {true, 1, 1023, 1023, 20}, {true, 1, 5000, 1023, 20},
        {true, 1, 512, 1023, 10}, {true, 1, -4, 1023, 1},    {true, 1, 300, 0, 20}, // no tablet
        {false, 1, 0, 1023, 20},  {true, 0, 0, 1023, 20},
    };
    for (const Case& c : cases) {
        TPenObject pen;
        pen.SetSize(20);
        pen.PressureOn = c.On;
        pen.PressureMode = c.Mode;
        EXPECT_EQ(pen.SizeAt(c.Current, c.Maximum), c.Size) << c.Current << "/" << c.Maximum;
    }
}

TEST(PenPressure, StampsGrowAlongTheSegmentAndTheEndSizeCarriesOn) {
    TPenObject pen;
    pen.SetSize(28);
    pen.PressureOn = true;
    TPenStroke stroke;
    pen.BeginStroke(stroke, 0, 0, 1);
    // Size 1 .. 17 over 16 pixels; the step grows with the size (spacing 8).
    EXPECT_EQ(Walk(pen, stroke, 16, 0, 17),
              (Strings{"0,0:1", "1,0:2", "2,0:3", "3,0:4", "4,0:5", "5,0:6", "6,0:7", "7,0:8", "8,0:9",
                       "10,0:11", "12,0:13", "14,0:15"}));
    EXPECT_EQ(stroke.Size0, 17);
    EXPECT_EQ(Walk(pen, stroke, 16, 0, 3), (Strings{"16,0:17"})); // the same point: the size before
}

TEST(PenSettings, ClampsSizesSpacingAndNozzlesFromTheIni) {
    QTemporaryDir dir;
    {
        TIniFile ini(dir.filePath("Pen.Ini"));
        ini.WriteInteger("Pen", "Size", 99);
        ini.WriteInteger("Pen", "Spacing", 0);
        ini.WriteInteger("Pen", "SNozzle", 9);
        ini.WriteInteger("Pen", "MDotNum", -2);
        ini.WriteInteger("Pen", "Kind", 2);
        ini.WriteInteger("Pen", "Grade", 1);
        ini.WriteInteger("Pen", "WaterColor3", 101);
        ini.WriteInteger("Pen", "WaterEffect1", -1);
    }
    TIniFile ini(dir.filePath("Pen.Ini"));
    TPenSettings s = ReadPenSettings(ini);
    EXPECT_EQ(s.Size, 28);
    EXPECT_EQ(s.Spacing, 1);
    EXPECT_EQ(s.Air[AirSingle].Nozzle, 5);
    EXPECT_EQ(s.Air[AirMulti].DotNum, 1);
    EXPECT_EQ(s.Kind, PenCrayon);
    EXPECT_EQ(s.Grade, 2);
    EXPECT_EQ(s.Water[WaterPure].Colour, 100);
    EXPECT_EQ(s.Water[WaterSimple].Effect, 0);
    s.AirNumbers[3] = 7;
    s.Colours.Add(9, TPalette());
    WritePenSettings(ini, s);
    EXPECT_EQ(ReadPenSettings(ini).AirNumbers[3], 7);
    EXPECT_EQ(ReadPenSettings(ini).Colours.Count(), 1);
    s.Colours.Clear(); // an emptied list stays empty
    WritePenSettings(ini, s);
    EXPECT_EQ(ReadPenSettings(ini).Colours.Count(), 0);
    TPenObject pen;
    ApplyPenSettings(pen, s);
    EXPECT_EQ(pen.BaseSize(), 28);
    EXPECT_EQ(pen.StepOf(28), 28);
}

TEST(OrvaneRandom, AFixedSeedRepeatsAndTwoInstancesShareTheTables) {
    TOrvaneRandom a, b;
    a.Reseed(7);
    std::vector<int> first;
    for (int i = 0; i < 50; ++i)
        first.push_back(a.Random(360));
    EXPECT_GT(std::set<int>(first.begin(), first.end()).size(), 20u);
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](int v) { return v >= 0 && v < 360; }));
    a.Reseed(7);
    EXPECT_EQ(a.Random(360), first[0]);
    EXPECT_EQ(a.Random(0), 0); // nothing to choose from
    b.Reseed(7);               // refills the shared tables; each keeps its own cursors
    a.Reseed(7);
    EXPECT_EQ(a.Random(360), b.Random(360));
}
