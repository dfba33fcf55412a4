// The document's guarded step, its notices and its whole-design operations.
#include "shell/Tdocument.h"
#include "support/Draw.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TPaper Small(int w = 16, int h = 8) {
    TPaper p;
    p.dpi = 160;
    SetPaper(p, kPaperCustom, w, h);
    return p;
}

// Everything a document told its windows.
struct TNotices {
    std::vector<QRect> Changed;
    int Reshaped = 0, Palette = 0, State = 0;
    explicit TNotices(TDocument& d) {
        QObject::connect(&d, &TDocument::Changed, [this](const QRect& r) { Changed.push_back(r); });
        QObject::connect(&d, &TDocument::Reshaped, [this] { ++Reshaped; });
        QObject::connect(&d, &TDocument::PaletteChanged, [this] { ++Palette; });
        QObject::connect(&d, &TDocument::StateChanged, [this] { ++State; });
    }
    bool None() const { return Changed.empty() && !Reshaped && !Palette && !State; }
};

class GuardedChange : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        ASSERT_EQ(doc.NewCanvas(Small(), GetParam(), TCurrentColour::OfIndex(5)), 0u);
        doc.AttachUndo();
    }
    uint32_t Value() const { return GetParam() == 8 ? 9u : MakeColorRef(9, 8, 7); }
    TDocument doc;
};

} // namespace

TEST_P(GuardedChange, CommitKeepsTheRecordAndNotifiesExactlyItsRectangle) {
    const std::vector<uint32_t> before = DocumentPixels(doc);
    const int records = UndoStore().Count();
    TNotices heard(doc);
    {
        TChange change(doc, QRect(2, 1, 3, 2));
        change.Fill(QRect(2, 1, 3, 2), Value());
        change.Commit();
    }
    EXPECT_EQ(heard.Changed, std::vector<QRect>{QRect(2, 1, 3, 2)});
    EXPECT_EQ(heard.Reshaped, 0);
    { // a whole-picture record names only what was drawn (a stroke)
        TChange stroke(doc);
        stroke.Show(QRect(0, 0, 2, 2)); // shown while it lasts
        stroke.Fill(QRect(0, 0, 2, 2), Value());
        stroke.Commit();
    }
    EXPECT_EQ(heard.Changed, (std::vector<QRect>{QRect(2, 1, 3, 2), QRect(0, 0, 2, 2), QRect(0, 0, 2, 2)}));
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(UndoStore().Count(), records + 1);
    EXPECT_EQ(doc.Picture().GetPixel(4, 2), Value());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DocumentPixels(doc), before);
    EXPECT_EQ(UndoStore().Count(), records);
}

TEST_P(GuardedChange, AStepThatFailsLeavesPixelsAndUndoListAsTheyWere) {
    // Dropped without Commit, failed on purpose, a whole-picture step that grew
    // the picture, and operations refused for bad sizes.
    const std::vector<uint32_t> before = DocumentPixels(doc);
    const int records = UndoStore().Count();
    TNotices heard(doc);
    {
        TChange change(doc, QRect(0, 0, 4, 4));
        change.Fill(QRect(0, 0, 4, 4), Value());
    }
    {
        TChange change(doc, QRect(3, 3, 5, 5));
        change.Fill(QRect(3, 3, 5, 5), Value());
        change.Fail();
        change.Commit(); // too late: the step has ended
    }
    {
        TChange change(doc);
        ASSERT_TRUE(change.Picture().ResizeCanvas(40, 30, Value()));
    }
    EXPECT_NE(doc.Resize(0, 8, 160), 0u);
    EXPECT_NE(doc.Enlarge(16, 1 << 30, TCurrentColour()), 0u);
    EXPECT_EQ(doc.Bounds(), QRect(0, 0, 16, 8));
    EXPECT_EQ(DocumentPixels(doc), before);
    EXPECT_EQ(UndoStore().Count(), records);
    EXPECT_TRUE(heard.None());
    EXPECT_FALSE(doc.Modified());
}

TEST_P(GuardedChange, ResizeAndEnlargeAreUndoneWithTheirSize) {
    TNotices heard(doc);
    ASSERT_EQ(doc.Enlarge(20, 10, TCurrentColour::OfIndex(7).WithRgb(Value())), 0u);
    EXPECT_EQ(doc.Picture().GetPixel(19, 9), GetParam() == 8 ? 7u : Value());
    ASSERT_EQ(doc.Resize(40, 20, 320), 0u);
    EXPECT_EQ(doc.Paper().dpi, 320);
    EXPECT_EQ(heard.Reshaped, 2);
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Bounds(), QRect(0, 0, 16, 8));
    EXPECT_EQ(heard.Reshaped, 4);
    EXPECT_EQ(doc.Paper().dpi, 160); // the paper comes back with the size
    EXPECT_EQ(QSize(doc.Paper().width, doc.Paper().height), QSize(16, 8));
}

INSTANTIATE_TEST_SUITE_P(Depths, GuardedChange, ::testing::Values(8, 24));

TEST(DocumentNotices, TwoDocumentsNeverSeeEachOthersNotices) {
    TDocument a, b;
    ASSERT_EQ(a.NewCanvas(Small(), 8, TCurrentColour()), 0u);
    ASSERT_EQ(b.NewCanvas(Small(), 8, TCurrentColour()), 0u);
    EXPECT_NE(a.Number(), b.Number());
    TNotices heardA(a), heardB(b);
    a.SetSelection(QRegion(1, 1, 2, 2));
    ASSERT_TRUE(a.FillSelection(TCurrentColour::OfIndex(30)));
    EXPECT_EQ(heardA.Changed, std::vector<QRect>{QRect(1, 1, 2, 2)});
    b.EditPalette([](TPalette& p) {
        p[40].SetRGB(1, 2, 3);
        return true;
    });
    EXPECT_EQ(heardB.Palette, 1);
    ASSERT_TRUE(a.Undo());
    EXPECT_EQ(heardA.Palette, 1); // an 8-bit record carries the palette
    EXPECT_TRUE(heardB.Changed.empty());
    EXPECT_EQ(heardB.Reshaped, 0);
    EXPECT_EQ(heardA.Changed.size(), 2u);
    EXPECT_EQ(a.Picture().GetPixel(1, 1), b.Picture().GetPixel(1, 1));
}

TEST(DocumentPalette, EditsReachThePictureAndRefusedEditsChangeNothing) {
    TDocument d;
    ASSERT_EQ(d.NewCanvas(Small(), 8, TCurrentColour()), 0u);
    TNotices heard(d);
    EXPECT_FALSE(d.EditPalette([](TPalette& p) {
        p[12].SetRGB(1, 1, 1);
        return false;
    }));
    EXPECT_TRUE(heard.None());
    EXPECT_FALSE(d.Modified());
    ASSERT_TRUE(d.EditPalette([](TPalette& p) {
        p[12].SetRGB(10, 20, 30);
        return true;
    }));
    TRGBQuad q;
    d.Picture().GetColors(12, 1, &q);
    EXPECT_EQ(MakeColorRef(q.rgbRed, q.rgbGreen, q.rgbBlue), MakeColorRef(10, 20, 30));
    EXPECT_TRUE(d.Modified());
    EXPECT_EQ(heard.Palette, 1);
}

TEST(DocumentGuard, ProtectedColoursAndTheSelectionBoundEveryFill) {
    TDocument d;
    ASSERT_EQ(d.NewCanvas(Small(), 8, TCurrentColour::OfIndex(6)), 0u);
    d.EditPalette([](TPalette& p) {
        p[6].SetProtected(true);
        return true;
    });
    d.SetSelection(QRegion(0, 0, 4, 4));
    d.SetProtection(true);
    ASSERT_TRUE(d.FillSelection(TCurrentColour::OfIndex(3)));
    EXPECT_EQ(d.Picture().GetPixel(1, 1), 6u); // protected
    d.SetProtection(false);
    ASSERT_TRUE(d.FillSelection(TCurrentColour::OfIndex(3)));
    EXPECT_EQ(d.Picture().GetPixel(1, 1), 3u);
    EXPECT_EQ(d.Picture().GetPixel(4, 4), 6u); // outside the selection
    d.ClearSelection();
    EXPECT_FALSE(d.FillSelection(TCurrentColour::OfIndex(3)));
}

namespace {
// Sets (x, y) of the mask through a change of the mask; commit or drop.
void MaskPixel(TDocument& d, int x, int y, bool commit = true) {
    TChange change(d, UndoMask);
    ASSERT_NE(change.Mask(), nullptr);
    change.Mask()->SetPixel(x, y, 255);
    if (commit) change.Commit();
}
int MaskAt(const TDocument& d, int x, int y) {
    return d.Mask() ? int(d.Mask()->GetPixel(x, y)) : -1;
}
} // namespace

TEST(DocumentMask, IsMadeByItsFirstChangeUndoneAloneAndGuardsOnlyWhileOn) {
    TDocument d;
    ASSERT_EQ(d.NewCanvas(Small(), 8, TCurrentColour::OfIndex(6)), 0u);
    int maskNotices = 0;
    QObject::connect(&d, &TDocument::MaskChanged, [&] { ++maskNotices; });
    d.SetMaskOn(true); // no mask yet: stays off
    EXPECT_FALSE(d.MaskOn());
    MaskPixel(d, 3, 2, false); // dropped: the mask it made goes with it
    EXPECT_EQ(d.Mask(), nullptr);
    MaskPixel(d, 3, 2);
    EXPECT_EQ(MaskAt(d, 3, 2), 255);
    EXPECT_EQ(MaskAt(d, 4, 2), 0);
    EXPECT_FALSE(d.Modified()); // the mask is not saved with the design
    EXPECT_EQ(d.Picture().GetPixel(3, 2), 6u);
    const auto fill = [&] {
        TChange change(d, d.Bounds());
        change.Fill(QRect(2, 2, 3, 1), 9);
        change.Commit();
    };
    fill(); // the mask is off: everything takes the colour
    EXPECT_EQ(d.Picture().GetPixel(3, 2), 9u);
    ASSERT_TRUE(d.Undo());
    d.SetMaskOn(true);
    fill();
    EXPECT_EQ(d.Picture().GetPixel(3, 2), 6u);
    EXPECT_EQ(d.Picture().GetPixel(4, 2), 9u);
    ASSERT_TRUE(d.Undo()); // the fill
    ASSERT_TRUE(d.Undo()); // the mask pixel, alone
    EXPECT_EQ(MaskAt(d, 3, 2), 0);
    EXPECT_EQ(d.Picture().GetPixel(3, 2), 6u);
    ASSERT_EQ(d.NewCanvas(Small(), 8, TCurrentColour()), 0u); // a new picture drops the mask
    EXPECT_EQ(d.Mask(), nullptr);
    EXPECT_FALSE(d.MaskOn());
    EXPECT_EQ(maskNotices, 5); // made, dropped, made, on, dropped
}

TEST(DocumentMask, FollowsResizeAndEnlargeAndComesBackWithTheirUndo) {
    TDocument d;
    ASSERT_EQ(d.NewCanvas(Small(8, 4), 8, TCurrentColour()), 0u);
    d.AttachUndo();
    MaskPixel(d, 7, 3);                  // the bottom-right corner
    ASSERT_EQ(d.Resize(16, 8, 160), 0u); // stretched: the corner becomes 2 x 2
    EXPECT_EQ(MaskAt(d, 14, 6), 255);
    EXPECT_EQ(MaskAt(d, 13, 6), 0);
    ASSERT_EQ(d.Enlarge(20, 10, TCurrentColour()), 0u); // extended with 0
    EXPECT_EQ(QSize(d.Mask()->Width, d.Mask()->Height), QSize(20, 10));
    EXPECT_EQ(MaskAt(d, 15, 7), 255);
    EXPECT_EQ(MaskAt(d, 19, 9), 0);
    ASSERT_TRUE(d.Undo());
    ASSERT_TRUE(d.Undo());
    EXPECT_EQ(QSize(d.Mask()->Width, d.Mask()->Height), QSize(8, 4));
    EXPECT_EQ(MaskAt(d, 7, 3), 255);
    EXPECT_EQ(MaskAt(d, 6, 3), 0);
}
