// A change whose extent grows as it goes (a stroke) records only the tiles written.
#include "shell/Tdocument.h"
#include "support/Draw.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Writes, and the record they must leave: whole 256-pixel tiles, cut at the picture's edge.
struct Case {
    const char* Name;
    std::vector<QRect> Writes;
    QRect Record;
};
const Case kCases[] = {
    {"one pixel", {QRect(5, 5, 1, 1)}, QRect(0, 0, 256, 256)},
    {"a run over a tile seam", {QRect(250, 300, 11, 1)}, QRect(0, 256, 512, 256)},
    {"opposite corners", {QRect(10, 10, 1, 1), QRect(590, 515, 10, 5)}, QRect(0, 0, 600, 520)},
    {"a run partly outside", {QRect(590, 519, 40, 3)}, QRect(512, 512, 88, 8)},
};

class GrowingChange : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        TPaper p;
        p.dpi = 160;
        SetPaper(p, kPaperCustom, 600, 520);
        ASSERT_EQ(doc.NewCanvas(p, GetParam(), TCurrentColour::OfIndex(5)), 0u);
        Draw(doc, [](TOrvaneBitmap& b) { // every pixel differs from its neighbours
            for (int y = 0; y < b.Height; ++y)
                for (int x = 0; x < b.Width; ++x)
                    b.SetPixel(x, y, uint32_t((x * 7 + y * 13) % 200 + 2));
        });
        doc.SetModified(false);
        doc.AttachUndo();
    }
    // Writes each rectangle as a stroke does: widened first, then the pixels.
    void Write(TChange& change, const Case& c) {
        for (const QRect& w : c.Writes) {
            ASSERT_TRUE(change.Widen(w));
            const QRect r = w.intersected(doc.Bounds());
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    change.Picture().SetPixel(x, y, 1);
            change.Touch(r);
        }
    }
    TDocument doc;
};

} // namespace

// Each case is first dropped (every pixel comes back, no record), then committed
// (the record is the tiles written, and undo gives them back).
TEST_P(GrowingChange, RecordsOnlyTheTilesWrittenAndGivesThemBackOnDropOrUndo) {
    for (const Case& c : kCases) {
        const std::vector<uint32_t> before = DocumentPixels(doc);
        const size_t records = UndoStore().AllRecords().size();
        {
            TChange dropped(doc, TChange::TGrowing{}, UndoPicture | UndoRegion);
            Write(dropped, c);
        }
        EXPECT_EQ(DocumentPixels(doc), before) << c.Name;
        EXPECT_EQ(UndoStore().AllRecords().size(), records) << c.Name;
        EXPECT_FALSE(doc.Modified()) << c.Name;
        {
            TChange change(doc, TChange::TGrowing{}, UndoPicture | UndoRegion);
            Write(change, c);
            change.Commit();
            EXPECT_TRUE(change.Recorded()) << c.Name;
        }
        ASSERT_FALSE(UndoStore().AllRecords().empty());
        EXPECT_EQ(UndoStore().AllRecords().back()->Rect, c.Record) << c.Name;
        EXPECT_NE(DocumentPixels(doc), before) << c.Name;
        ASSERT_TRUE(doc.Undo()) << c.Name;
        EXPECT_EQ(DocumentPixels(doc), before) << c.Name;
        doc.SetModified(false);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, GrowingChange, ::testing::Values(8, 24));
