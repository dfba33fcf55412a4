// The Window tool's engine driven through the tool dispatch, without any window.
#include "support/Windowscene.h"

namespace {
const Strings kBlank(6, std::string(12, '.'));
} // namespace

TEST_F(WindowTool, ADragSelectsItsShapeWithTheEndPointInside) {
    struct Case {
        const char* name;
        int shape;
        QPoint from, to;
        Strings selected;
    } cases[] = {
        // clang-format off
        {"a drag to the same point is one pixel", ShapeRectangle, {3, 2}, {3, 2},
         {"............", "............", "...#........", "............", "............", "............"}},
        {"square 10 right, 4 down: 5 x 5 ending at the drag's end", ShapeSquare, {1, 0}, {11, 4},
         {".......#####", ".......#####", ".......#####", ".......#####", ".......#####", "............"}},
        {"square dragged up and left", ShapeSquare, {11, 4}, {1, 0},
         {".#####......", ".#####......", ".#####......", ".#####......", ".#####......", "............"}},
        {"ellipse inscribed in its box", ShapeEllipse, {0, 1}, {4, 3},
         {"............", ".###........", "#####.......", ".###........", "............", "............"}},
        {"a one-pixel circle", ShapeCircle, {5, 5}, {5, 5},
         {"............", "............", "............", "............", "............", ".....#......"}},
        // clang-format on
    };
    Open(kBlank);
    for (const Case& c : cases) {
        Use([&](TWindowSettings& s) { s.Mode = WindowShape, s.Shape = c.shape; });
        dispatch.MouseDown(doc, &view, At(c.from));
        dispatch.MouseMove(doc, &view, At(c.to));
        EXPECT_FALSE(view.Band.isEmpty()) << c.name; // the rubber band follows the drag
        dispatch.MouseUp(doc, &view, At(c.to, ButtonNone));
        EXPECT_TRUE(view.Band.isEmpty()) << c.name;
        EXPECT_EQ(Selected(), c.selected) << c.name;
    }
}

TEST_F(WindowTool, PiecesSetAddOrSubtractAndSubtractionFromNothingSets) {
    struct Case {
        int combine;
        bool selected; // a selection of columns 0 .. 5 exists before
        Strings after;
    } cases[] = {
        {CombineSet, true, {"............", "....####....", "....####....", "............"}},
        {CombineAdd, true, {"######......", "########....", "########....", "######......"}},
        {CombineSubtract, true, {"######......", "####........", "####........", "######......"}},
        {CombineSubtract, false, {"............", "....####....", "....####....", "............"}},
    };
    Open(Strings(4, std::string(12, '.')));
    for (const Case& c : cases) {
        doc.SetSelection(c.selected ? QRegion(0, 0, 6, 4) : QRegion());
        Use([&](TWindowSettings& s) { s.Combine = c.combine; });
        Drag({4, 1}, {7, 2});
        EXPECT_EQ(Selected(), c.after) << c.combine << c.selected;
    }
    // Full, Off and Undo (SWAP) from the buttons.
    EXPECT_EQ(tool->Full(dispatch.Context()), 0u);
    EXPECT_EQ(doc.Selection(), QRegion(doc.Bounds()));
    EXPECT_EQ(tool->Off(dispatch.Context()), 0u);
    EXPECT_FALSE(doc.HasSelection());
    EXPECT_EQ(tool->Undo(dispatch.Context()), 0u);
    EXPECT_EQ(doc.Selection(), QRegion(doc.Bounds()));
}

TEST_F(WindowTool, IrregularPointsCloseIntoAPolygonOrCurveAndTooFewAreRefused) {
    Open(Strings(10, std::string(12, '.')));
    TToolContext& context = dispatch.Context();
    Use([](TWindowSettings& s) { s.Mode = WindowIrregular; });
    for (QPoint p : {QPoint(0, 0), QPoint(10, 0)})
        Click(p);
    const QRegion before(1, 1, 2, 2);
    doc.SetSelection(before);
    const int reports = Reports;
    EXPECT_EQ(tool->Close(context), ErrorCode::FewPoints);
    EXPECT_EQ(Reports, reports + 1);
    EXPECT_EQ(doc.Selection(), before); // nothing changed, the points wait for more
    EXPECT_EQ(tool->Points().size(), 2u);
    Click({5, 3});
    EXPECT_EQ(tool->DeletePoint(context), 0u);
    Click({0, 10});
    EXPECT_EQ(view.Lines.size(), 4u); // the line through the points and a mark on each
    ASSERT_EQ(tool->Close(context), 0u);
    const QRegion triangle = doc.Selection();
    EXPECT_TRUE(triangle.contains(QPoint(1, 1)));
    EXPECT_FALSE(triangle.contains(QPoint(8, 8)));
    EXPECT_TRUE(tool->Points().empty());
    // The same corner as a curve point whose control is dragged out to (12, 12) bulges.
    Use([](TWindowSettings& s) { s.Curve = true; });
    Click({0, 0});
    Click({10, 0});
    dispatch.MouseDown(doc, &view, At({0, 10}));
    dispatch.MouseMove(doc, &view, At({12, 12}));
    dispatch.MouseUp(doc, &view, At({12, 12}, ButtonNone));
    EXPECT_EQ(tool->Points().back().Control, QPoint(12, 12));
    ASSERT_EQ(tool->Close(context), 0u);
    EXPECT_TRUE(doc.Selection().contains(QPoint(7, 7)));
    EXPECT_FALSE(triangle.contains(QPoint(7, 7)));
}

TEST_F(WindowTool, InTheRepeatDisplayAPieceIsMadeWhereItsFirstPointLands) {
    Open(kBlank);
    view.Wrap = TRepeatWrap{RepeatStraight, 12, 6, 0};
    dispatch.SetCurrent(&doc, &view);
    Drag({13, 7}, {15, 8}); // tile (1, 1): picture pixels (1, 1) .. (3, 2)
    EXPECT_EQ(doc.Selection(), QRegion(1, 1, 3, 2));
    Drag({-2, 2}, {1, 3}); // across a seam: cut at the picture's right edge
    EXPECT_EQ(doc.Selection(), QRegion(10, 2, 2, 2));
}
