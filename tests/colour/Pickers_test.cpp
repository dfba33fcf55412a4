#include "colour/Pcmy.h"
#include "colour/Pcolorgrid.h"
#include "colour/Phls.h"

#include <gtest/gtest.h>
#include <string>

TEST(CMYPicker, ColoursPercentagesAndBarDrags) {
    TPCMY cmy;
    std::string events;
    cmy.OnColorChange = [&] { events += 'c'; };
    cmy.OnBarChange = [&](int bar) { events += char('0' + bar); };
    cmy.SetColor(MakeColorRef(0, 0, 0));
    EXPECT_EQ(events, "c012");
    EXPECT_EQ(cmy.Cyan(), 255);
    EXPECT_EQ(cmy.Caption(2), "100%");
    events.clear();
    cmy.SetColor(MakeColorRef(0, 0, 0));
    EXPECT_EQ(events, "");
    cmy.SetColor(MakeColorRef(255, 255, 255));
    for (int bar = 0; bar < 3; ++bar)
        EXPECT_EQ(cmy.Caption(bar), "0%");

    struct Percent {
        int v, p;
    } const percents[] = {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {128, 50}, {254, 99}, {255, 100}};
    for (const Percent& c : percents)
        EXPECT_EQ(TPCMY::GetPercentage(c.v), c.p) << c.v;

    cmy.SetLength(200);
    EXPECT_EQ(cmy.GetLength(255), 205);
    EXPECT_EQ(cmy.GetLength(128), 105);
    events.clear();
    cmy.Move(1, 105, 0); // across: (105 - 5) * 255 / 200
    EXPECT_EQ(cmy.Magenta(), 127);
    EXPECT_EQ(events, "c1");
    EXPECT_EQ(cmy.Color(), MakeColorRef(255, 128, 255));
    cmy.Move(1, -40, 0);
    EXPECT_EQ(cmy.Magenta(), 0);
    cmy.SetCMYKind(TPCMY::Upright);
    cmy.Move(0, 0, 5); // the top of an upright bar is 255
    EXPECT_EQ(cmy.Cyan(), 255);
    cmy.Move(0, 0, 500);
    EXPECT_EQ(cmy.Cyan(), 0);
    cmy.SetLength(0); // a bar never gets shorter than a pixel
    cmy.Move(2, 0, 3);
    EXPECT_EQ(cmy.Yellow(), 255);
}

TEST(HLSPicker, ClampsConvertsAndReadsTheWheel) {
    TPHLS hls;
    struct Clamp {
        int in, hue, ligSat;
    } const clamps[] = {{-5, 0, 0}, {360, 360, 100}, {400, 359, 100}, {150, 150, 100}, {50, 50, 50}};
    for (const Clamp& c : clamps) {
        hls.SetHue(c.in);
        hls.SetLig(c.in);
        hls.SetSat(c.in);
        EXPECT_EQ(hls.Hue(), c.hue) << c.in;
        EXPECT_EQ(hls.Lig(), c.ligSat) << c.in;
        EXPECT_EQ(hls.Sat(), c.ligSat) << c.in;
    }
    std::string events;
    hls.OnColorChange = [&] { events += 'c'; };
    hls.OnHueChange = [&] { events += 'h'; };
    hls.OnLigChange = [&] { events += 'l'; };
    hls.OnSatChange = [&] { events += 's'; };
    hls.SetColor(MakeColorRef(255, 0, 0));
    EXPECT_EQ(events, "chls");
    EXPECT_EQ(hls.Hue(), 0);
    EXPECT_EQ(hls.Lig(), 50);
    EXPECT_EQ(hls.Sat(), 100);
    hls.SetColor(MakeColorRef(128, 128, 128)); // a grey keeps its hue
    EXPECT_EQ(hls.Hue(), 0);
    EXPECT_EQ(hls.Sat(), 0);
    EXPECT_EQ(hls.Lig(), 50);
    events.clear();
    hls.SetSat(100);
    hls.SetHue(120);
    EXPECT_EQ(events, "schc");
    EXPECT_EQ(hls.Color(), MakeColorRef(0, 255, 0));

    struct Wheel {
        int dx, dy, hue;
    } const wheel[] = {{10, 0, 360}, {0, -10, 90}, {-10, 0, 180}, {0, 10, 270}, {10, -10, 45}, {10, 10, 315}};
    for (const Wheel& w : wheel)
        EXPECT_EQ(TPHLS::WheelHue(w.dx, w.dy), w.hue) << w.dx << "," << w.dy;
    hls.Centre = 80;
    hls.Radius = 70;
    hls.Change_HS(81, 80);
    EXPECT_EQ(hls.Hue(), 360);
    hls.Change_LS(80, 10); // apex: full lightness
    EXPECT_EQ(hls.Lig(), 100);
    EXPECT_EQ(hls.Sat(), 0);
    hls.Change_LS(80 + 35, 150); // bottom, half way out
    EXPECT_EQ(hls.Lig(), 0);
    EXPECT_EQ(hls.Sat(), 50);
    hls.Change_LS(500, 80);
    EXPECT_EQ(hls.Lig(), 50);
    EXPECT_EQ(hls.Sat(), 100);
}

TEST(ColorSquares, CountLayoutHitsAndScrolling) {
    TPColorGrid g;
    g.SetColorCount(2);
    g.ReDrawCell(0, 0x123456);
    g.BackColor = 0x00FF00;
    g.SetColorCount(8);
    EXPECT_EQ(g.ColorAt(0), 0x123456u);
    EXPECT_EQ(g.ColorAt(5), 0x00FF00u);
    EXPECT_FALSE(g.ReDrawCell(8, 1));
    // 200 x 100 with 8 colours: sqrt(8 * 2) = 4 columns, 2 rows of 46 x 46 cells.
    EXPECT_EQ(g.Columns(), 4);
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.CellWidth(), 46);
    EXPECT_EQ(g.CellHeight(), 46);
    EXPECT_EQ(g.CalculatePosition(5), QPoint(52, 52));
    EXPECT_EQ(g.GetColorIndex(52, 52), 5);
    EXPECT_EQ(g.GetColorIndex(97, 52), 5);
    EXPECT_EQ(g.GetColorIndex(98, 52), -1); // the gap between cells
    EXPECT_EQ(g.GetColorIndex(1, 1), -1);
    g.SetSize(400, 20); // one row
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.CalculatePosition(3), QPoint((g.CellWidth() + 4) * 3 + 2, 2));

    g.SetPosMax(4);
    EXPECT_FALSE(g.SetPos(4)); // scrolling off
    g.Scrolling = true;
    EXPECT_TRUE(g.SetPos(4));
    EXPECT_FALSE(g.SetPos(5));
    EXPECT_EQ(g.Pos(), 4);
    EXPECT_EQ(g.GetColorIndex(2, 2), 4);
    g.Selected = 7;
    g.SetColorCount(3);
    EXPECT_EQ(g.Selected, -1);
    g.SetColorCount(-3);
    EXPECT_EQ(g.ColorCount(), 0);
}
