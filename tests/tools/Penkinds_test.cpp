// The Water, Scrape and Mask pens, colour picking and strokes across a repeat's seams,
// driven through the tool dispatch without any window.
#include "raster/Undo.h"
#include "support/Penscene.h"
#include "tools/Penmask.h"
#include "tools/Penpick.h"

#include <gtest/gtest.h>

namespace {

const std::map<char, TColorRef> kColours = {{'r', MakeColorRef(200, 0, 0)},
                                            {'p', MakeColorRef(230, 130, 130)}, // a mixture of the two
                                            {'w', MakeColorRef(255, 255, 255)},
                                            {'#', MakeColorRef(0, 0, 200)}};

// Red on the left, white on the right.
Strings Halves() {
    return Strings(11, std::string(12, 'r') + std::string(12, 'w'));
}

TColorRef ColourAt(const TPenScene& t, int x, int y) {
    const uint32_t v = t.doc.Picture().GetPixel(x, y);
    return t.doc.BitsPerPixel() == 8 ? t.doc.Palette()[int(v)].ColorRef() : v;
}

} // namespace

TEST(WaterPen, EachFunctionWorksOnlyInsideTheStrokesFootprint) {
    struct Case {
        const char* Name;
        int Function, Colour, Effect;
        std::function<void(const TPenScene&)> Check;
    };
    const Case cases[] = {
        {"simple pulls the red into the white", WaterSimple, 0, 50,
         [](const TPenScene& t) {
             const TColorRef near = ColourAt(t, 13, 5), far = ColourAt(t, 21, 5);
             EXPECT_GT(RedOf(near), GreenOf(near));
             EXPECT_GT(GreenOf(far), GreenOf(near)); // fading out
         }},
        {"spatter only moves pixels", WaterSpatter, 0, 100,
         [](const TPenScene& t) {
             if (t.doc.BitsPerPixel() != 8) return;
             EXPECT_EQ(t.Count('r'), 11 * 12);
             EXPECT_NE(Rows(t.doc.Picture()), Halves());
         }},
        {"pure washes the colour in", WaterPure, 100, 0,
         [](const TPenScene& t) {
             for (const QPoint p : {QPoint(5, 5), QPoint(10, 3), QPoint(15, 7), QPoint(22, 5)})
                 EXPECT_EQ(ColourAt(t, p.x(), p.y()), kColours.at('#')) << p.x() << "," << p.y();
         }},
        {"diffuse blurs the edge and leaves even colour", WaterDiffuse, 0, 100,
         [](const TPenScene& t) {
             EXPECT_EQ(ColourAt(t, 5, 5), kColours.at('r'));
             const TColorRef edge = ColourAt(t, 12, 5);
             EXPECT_NE(edge, kColours.at('r'));
             EXPECT_NE(edge, kColours.at('w'));
         }},
    };
    for (const int bits : {8, 24})
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.Name) + (bits == 8 ? " (256 colours)" : " (full colour)"));
            TPenScene t;
            t.Open(Halves(), bits, kColours);
            t.doc.EditPalette([](TPalette& p) { return p.UseColor = 'w', true; });
            t.Pen(5, PenWater);
            t.pen.Settings.WaterFunction = c.Function;
            t.pen.Settings.Water[size_t(c.Function)] = TWaterAmounts{c.Colour, c.Effect};
            t.pen.Settings.WaterDensity = 5;
            std::vector<QRect> notices;
            QObject::connect(&t.doc, &TDocument::Changed, [&](const QRect& r) { notices.push_back(r); });
            t.Stroke({{3, 5}, {10, 5}, {17, 5}, {20, 5}}); // the last move is too short to be taken alone
            c.Check(t);
            const Strings rows = Rows(t.doc.Picture());
            for (int y = 0; y < 11; ++y)
                for (int x = 0; x < 24; ++x) {
                    const bool inside = QRect(1, 3, 22, 5).contains(x, y); // 2 around the stroke
                    if (!inside) {
                        EXPECT_EQ(ColourAt(t, x, y), kColours.at(Halves()[size_t(y)][size_t(x)]));
                    }
                    const uint8_t index = uint8_t(rows[size_t(y)][size_t(x)]);
                    if (bits == 8) {
                        EXPECT_TRUE(index > 0 && index < 252); // never black nor a reserved index
                    }
                }
            for (const QRect& r : notices)
                EXPECT_TRUE(QRect(1, 3, 22, 5).contains(r));
            ASSERT_TRUE(t.doc.Undo()); // one step
            EXPECT_EQ(ColourAt(t, 12, 5), kColours.at('w'));
        }
}

TEST(WaterPen, MovesWithinTheBaseSizeAreNotTakenAndEvenColourIsLeftUntouched) {
    TPenScene t;
    t.Open(Halves(), 8, kColours);
    t.Pen(5, PenWater);
    t.pen.Settings.WaterFunction = WaterDiffuse;
    int notices = 0;
    QObject::connect(&t.doc, &TDocument::Changed, [&] { ++notices; });
    t.dispatch.MouseDown(t.doc, nullptr, At(2, 5));
    t.dispatch.MouseMove(t.doc, nullptr, At(7, 10)); // 5 away: not yet
    t.dispatch.MouseMove(t.doc, nullptr, At(8, 5));
    t.dispatch.MouseUp(t.doc, nullptr, At(8, 5));
    EXPECT_EQ(Rows(t.doc.Picture()), Halves());
    EXPECT_EQ(notices, 0); // nothing changed, so nothing is repainted
}

TEST(ScrapePen, EachBristleDragsTheColourItPickedUpAtThePress) {
    TPenScene t;
    Strings rows(5, "ABCDEFGHIJKLMNOPQRST");
    rows.resize(16, std::string(20, '.'));
    t.Open(rows);
    t.Pen(8, PenScrape);
    t.pen.Settings.Bristles = 4, t.pen.Settings.Scale = 100; // teeth 2 apart, one pixel each
    t.dispatch.MouseDown(t.doc, nullptr, At(10, 2));
    t.dispatch.MouseMove(t.doc, nullptr, At(10, 7)); // inside the 5-pixel box: not taken
    EXPECT_EQ(Rows(t.doc.Picture()), rows);
    t.dispatch.MouseMove(t.doc, nullptr, At(10, 14));
    t.dispatch.MouseUp(t.doc, nullptr, At(10, 14));
    Strings want = rows;
    for (int y = 5; y <= 14; ++y)
        want[size_t(y)] = ".......H.J.L.N......";
    EXPECT_EQ(Rows(t.doc.Picture()), want);
    ASSERT_TRUE(t.doc.Undo());
    EXPECT_EQ(Rows(t.doc.Picture()), rows);
}

TEST(MaskPen, WritesTheMaskThatThenGuardsThePicture) {
    const Strings ground = {"..........", "...PP.....", "..........", "..aaaa....", ".........."};
    struct Case {
        const char* Name;
        std::function<void(TPenScene&)> Act;
        Strings Mask;
    };
    const auto stroke = [](TPenScene& t) { t.Stroke({{1, 1}, {8, 1}}); };
    const Case cases[] = {
        {"a stroke", stroke, {"..........", ".########.", "..........", "..........", ".........."}},
        {"delete erases",
         [&](TPenScene& t) {
             stroke(t);
             t.pen.Settings.MaskDelete = true;
             t.Stroke({{4, 1}, {6, 1}});
         },
         {"..........", ".###...##.", "..........", "..........", ".........."}},
        {"only over listed colours",
         [&](TPenScene& t) {
             t.pen.Settings.Restricted = true;
             t.pen.Settings.Colours.Add('P', t.doc.Palette());
             stroke(t);
         },
         {"..........", "...##.....", "..........", "..........", ".........."}},
        {"fill takes the connected colour",
         [](TPenScene& t) {
             t.pen.Settings.MaskFill = true;
             t.Stroke({{3, 3}});
         },
         {"..........", "..........", "..........", "..####....", ".........."}},
        {"reversal inverts, clear clears",
         [&](TPenScene& t) {
             stroke(t);
             EXPECT_TRUE(ApplyMaskAction(t.doc, MaskReverse));
             EXPECT_TRUE(ApplyMaskAction(t.doc, MaskClear));
             EXPECT_FALSE(ApplyMaskAction(t.doc, MaskClear)); // nothing left: no step
             EXPECT_TRUE(ApplyMaskAction(t.doc, MaskReverse));
             EXPECT_TRUE(t.doc.Undo()); // back to clear
             EXPECT_TRUE(t.doc.Undo()); // back to the first reversal
         },
         {"##########", "#........#", "##########", "##########", "##########"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TPenScene t;
        t.Open(ground);
        t.Pen(1, PenMask);
        UndoStore().SetMaxUndo(10);
        const int records = UndoStore().Count();
        c.Act(t);
        EXPECT_EQ(t.MaskRows(), c.Mask);
        EXPECT_EQ(Rows(t.doc.Picture()), ground);
        EXPECT_FALSE(t.doc.Modified());
        // With the mask on, the picture keeps what the mask covers.
        t.doc.SetMaskOn(true);
        t.pen.Settings = TPenSettings();
        t.Pen(20, PenNormal); // covers the whole picture
        t.Stroke({{5, 2}});
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 10; ++x)
                EXPECT_EQ(t.doc.Picture().GetPixel(x, y) == uint32_t('#'),
                          c.Mask[size_t(y)][size_t(x)] == '.');
        ASSERT_TRUE(t.doc.Undo());
        while (UndoStore().Count() > records)
            ASSERT_TRUE(t.doc.Undo());
        EXPECT_EQ(t.MaskRows(), Strings(5, ".........."));
        UndoStore().SetMaxUndo(3);
    }
}

TEST(PenSeams, AStrokeAcrossATileEdgeGoesOnWhereTheTileRepeats) {
    struct Case {
        const char* Name;
        TRepeatWrap Repeat;
        int Kind;
        std::vector<QPoint> Points;
        Strings Want; // '#' painted (or masked)
    };
    const Case cases[] = {
        {"vertical half drop",
         {RepeatDropVertical, 10, 8, 4},
         PenNormal,
         {{7, 2}, {13, 2}},
         {"..........", "..........", ".......###", "..........", "..........", "..........", "####......",
          ".........."}},
        {"mask across the half drop",
         {RepeatDropVertical, 10, 8, 4},
         PenMask,
         {{7, 2}, {13, 2}},
         {"..........", "..........", ".......###", "..........", "..........", "..........", "####......",
          ".........."}},
        {"horizontal drop, upwards from the left",
         {RepeatDropHorizontal, 10, 8, 5},
         PenNormal,
         {{2, 1}, {2, -2}},
         {"..#.......", "..#.......", "..........", "..........", "..........", "..........", ".......#..",
          ".......#.."}},
        {"off: the plane's points outside are dropped",
         {},
         PenNormal,
         {{7, 2}, {13, 2}},
         {"..........", "..........", ".......###", "..........", "..........", "..........", "..........",
          ".........."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TPenScene t;
        t.Open(Strings(8, ".........."));
        t.Pen(1, c.Kind);
        t.dispatch.Context().Repeat = c.Repeat;
        t.Stroke(c.Points);
        EXPECT_EQ(c.Kind == PenMask ? t.MaskRows() : Rows(t.doc.Picture()), c.Want);
    }
}

TEST(PenPick, ClicksTakeTheColoursUnderThemWrappedThroughTheRepeat) {
    const Strings rows = {"abcdef", "ghijkl", "mnopqr", "stuvwx"};
    struct Case {
        const char* Name;
        int Mode;
        std::vector<QPoint> Clicks;
        TRepeatWrap Repeat;
        std::vector<int> Want;
    };
    const Case cases[] = {
        {"one pixel", PickPixel, {{2, 1}}, {}, {'i'}},
        {"a block, half open", PickBlock, {{1, 1}, {3, 3}}, {}, {'h', 'i', 'n', 'o'}},
        {"a block from its far corner", PickBlock, {{3, 3}, {1, 1}}, {}, {'h', 'i', 'n', 'o'}},
        {"a pixel of the next tile", PickPixel, {{8, 5}}, {RepeatStraight, 6, 4, 0}, {'i'}},
        {"a block over the seam", PickBlock, {{5, 0}, {7, 1}}, {RepeatStraight, 6, 4, 0}, {'f', 'a'}},
        {"outside without a repeat", PickPixel, {{8, 5}}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TPenScene t;
        t.Open(rows);
        t.dispatch.Context().Repeat = c.Repeat;
        std::vector<std::vector<int>> heard;
        t.Tool().OnPicked = [&](const std::vector<int>& colours) { heard.push_back(colours); };
        t.Tool().SetPick(t.dispatch.Context(), c.Mode);
        for (const QPoint& p : c.Clicks) {
            t.dispatch.MouseDown(t.doc, nullptr, At(p.x(), p.y()));
            t.dispatch.MouseUp(t.doc, nullptr, At(p.x(), p.y()));
        }
        EXPECT_EQ(heard, std::vector<std::vector<int>>{c.Want});
        EXPECT_EQ(t.Tool().Pick(), PickNone);
        EXPECT_EQ(Rows(t.doc.Picture()), rows); // picking paints nothing
    }
}

TEST(PenPick, FullColourPixelsBecomeTheirPaletteEntriesAndInsertGoesInFront) {
    TPenScene t;
    t.Open({"ab", "ba"}, 24, {{'a', MakeColorRef(1, 2, 3)}, {'b', MakeColorRef(3, 2, 1)}});
    EXPECT_EQ(PickColourIndices(t.doc.Picture(), t.doc.Palette(), {}, {0, 0}, {2, 2}),
              (std::vector<int>{'a', 'b'}));
    TChoiceColor list;
    list.Add('z', t.doc.Palette());
    EXPECT_TRUE(JoinColours(list, {'b', 'z', 0, 252, 'a'}, t.doc.Palette(), true));
    EXPECT_EQ((std::vector<int>{list.IndexAt(0), list.IndexAt(1), list.IndexAt(2)}),
              (std::vector<int>{'b', 'a', 'z'}));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_FALSE(JoinColours(list, {'a'}, t.doc.Palette(), false));
}
