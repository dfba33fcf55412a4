// The document's selection: its changes, their history and the work area kept in step.
#include "shell/Tdocument.h"
#include "support/Draw.h"

#include <gtest/gtest.h>

namespace {

class Selection : public ::testing::Test {
  protected:
    void SetUp() override {
        TPaper p;
        p.dpi = 160;
        SetPaper(p, kPaperCustom, 16, 8);
        ASSERT_EQ(doc.NewCanvas(p, 8, TCurrentColour::OfIndex(5)), 0u);
        doc.AttachUndo();
        QObject::connect(&doc, &TDocument::SelectionChanged, [this] { ++heard; });
    }
    TDocument doc;
    int heard = 0;
};

} // namespace

TEST_F(Selection, EachChangeIsHeardAndKeptSoThatSwapAndStackTakeItBack) {
    const QRegion a(1, 1, 3, 3), b(5, 2, 4, 4);
    ASSERT_TRUE(doc.SetSelection(a));
    ASSERT_EQ(doc.CombineSelection(b, L_RGN_OR), 0u);
    EXPECT_EQ(doc.Selection(), a.united(b));
    EXPECT_EQ(doc.WorkArea().Bounds(), QRect(1, 1, 8, 5));
    ASSERT_EQ(doc.CombineSelection(a, L_RGN_ANDNOTRGN), 0u);
    EXPECT_EQ(doc.Selection(), b);
    EXPECT_EQ(heard, 3);
    ASSERT_TRUE(doc.UndoSelection(true)); // SWAP, twice: back and forth
    EXPECT_EQ(doc.Selection(), a.united(b));
    ASSERT_TRUE(doc.UndoSelection(true));
    EXPECT_EQ(doc.Selection(), b);
    doc.SelectAll();
    doc.ClearSelection();
    EXPECT_FALSE(doc.HasSelection());
    for (const QRegion& back : {QRegion(doc.Bounds()), b, a.united(b), a}) { // STACK walks back
        ASSERT_TRUE(doc.UndoSelection(false));
        EXPECT_EQ(doc.Selection(), back);
    }
    EXPECT_TRUE(doc.UndoSelection(false)); // to before the first: none
    EXPECT_FALSE(doc.HasSelection());
    EXPECT_FALSE(doc.UndoSelection(false));
    EXPECT_EQ(heard, 12);
}

TEST_F(Selection, UndoingAChangeBringsItsSelectionBackWithTheMask) {
    ASSERT_TRUE(doc.SetSelection(QRegion(2, 2, 2, 2)));
    {
        TChange change(doc, QRect(0, 0, 8, 8)); // the record keeps the selection
        change.Fill(QRect(0, 0, 8, 8), 9);
        change.Commit();
    }
    ASSERT_TRUE(doc.SetSelection(QRegion(0, 0, 1, 8)));
    const int before = heard;
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Selection(), QRegion(2, 2, 2, 2));
    EXPECT_EQ(doc.WorkArea().Bounds(), QRect(2, 2, 2, 2));
    ASSERT_NE(doc.WorkArea().Mask(), nullptr);
    EXPECT_EQ(doc.WorkArea().Mask()->Width, 2);
    EXPECT_GT(heard, before);
    // A new picture starts without a selection or its history.
    TPaper p = doc.Paper();
    ASSERT_EQ(doc.NewCanvas(p, 24, TCurrentColour::OfIndex(5)), 0u);
    EXPECT_FALSE(doc.HasSelection());
    EXPECT_EQ(doc.WorkArea().Mask(), nullptr);
    EXPECT_FALSE(doc.UndoSelection(true));
}
