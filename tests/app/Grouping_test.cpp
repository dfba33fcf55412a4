// The Grouping and Separate windows chosen on the real tool palette, run on a
// 256-colour design, shown on the palette window, undone and restored.
#include "app/Mainwindow.h"
#include "colour/Grouping_f.h"
#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"
#include "colour/Separate_f.h"
#include "raster/Tptextileimage_f.h"
#include "raster/Undo.h"
#include "shell/Mainmenu.h"

#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <set>

namespace {
class ColourWindows : public MainWindowTest {
  protected:
    // Stripes of eight colours a column each, over a 64 x 48 design.
    TDocument& Striped(TMainImageForm*& doc) {
        doc = Document(8);
        EXPECT_NE(doc, nullptr);
        doc->iMainImage->SetZoom(1, 1);
        doc->iMainImage->SetPosition(0, 0);
        TDocument& design = doc->Document();
        design.EditPalette([](TPalette& p) {
            for (int i = 0; i < 8; ++i)
                p[2 + i].SetRGB(i * 32, 255 - i * 32, i * 16);
            p.UseColor = 9;
            return true;
        });
        Draw(design, [](TOrvaneBitmap& b) {
            for (int y = 0; y < b.Height; ++y)
                for (int x = 0; x < b.Width; ++x)
                    b.SetPixel(x, y, uint32_t(2 + x % 8));
        });
        return design;
    }
    std::set<uint32_t> Used(const TDocument& d) {
        std::set<uint32_t> out;
        for (int y = 0; y < d.Picture().Height; ++y)
            for (int x = 0; x < d.Picture().Width; ++x)
                out.insert(d.Picture().GetPixel(x, y));
        return out;
    }
};
} // namespace

TEST_F(ColourWindows, GroupingTypeReducesToFourColoursAndOneUndoTakesItBack) {
    TMainImageForm* doc = nullptr;
    TDocument& design = Striped(doc);
    const TPalette before = design.Palette();
    QTest::mouseClick(main->MainMenu()->Button(ToolGrouping), Qt::LeftButton);
    auto* grouping = qobject_cast<TGroupingForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(grouping, nullptr);
    EXPECT_EQ(grouping->windowTitle(), "Grouping");
    QTest::mouseClick(grouping->sbType, Qt::LeftButton);
    EXPECT_EQ(grouping->lbBound->text(), "( 1 -> 8 )");
    grouping->TypeEdit->setValue(300); // above the bound: the bound
    EXPECT_EQ(grouping->TypeEdit->value(), 8);
    grouping->TypeEdit->setValue(4);
    // Cancel in the progress window stops the reduction and changes nothing.
    EXPECT_EQ(WatchProgress([&] { QTest::mouseClick(grouping->sbRun, Qt::LeftButton); }, true), "Grouping");
    EXPECT_EQ(Used(design).size(), 8u);
    EXPECT_EQ(design.Palette()[2].ColorRef(), before[2].ColorRef());
    QTest::mouseClick(grouping->sbRun, Qt::LeftButton);
    EXPECT_EQ(Used(design), (std::set<uint32_t>{2, 3, 4, 5}));
    EXPECT_EQ(design.Palette().UseColor, 5);
    EXPECT_NE(design.Palette()[2].ColorRef(), before[2].ColorRef());
    // The palette window shows the new colours.
    const TPalette* shown = main->PaletteWindow()->DIB256Palette->Palette();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ((*shown)[3].ColorRef(), design.Palette()[3].ColorRef());
    main->EUndoItem->trigger();
    EXPECT_EQ(design.Picture().GetPixel(9, 0), 3u);
    EXPECT_EQ(design.Palette()[2].ColorRef(), before[2].ColorRef());
    EXPECT_EQ(design.Palette().UseColor, 9);
}

TEST_F(ColourWindows, SeparateKeepsOneColourGrownByOneAndRestoreTakesItBack) {
    TMainImageForm* doc = nullptr;
    TDocument& design = Striped(doc);
    QTest::mouseClick(main->MainMenu()->Button(ToolSeparate), Qt::LeftButton);
    auto* separate = qobject_cast<TSeparateForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(separate, nullptr);
    EXPECT_EQ(separate->windowTitle(), "Separate");
    QTest::mouseClick(separate->sbNew, Qt::LeftButton);                   // empty the set, pick a pixel
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(4, 4)); // colour 6
    ASSERT_EQ(separate->SepSelector->Count(), 1);
    EXPECT_EQ(separate->SepSelector->IndexAt(0), 6);
    separate->spEditOverlap->setValue(1);
    QTest::mouseClick(separate->sbRun, Qt::LeftButton);
    EXPECT_FALSE(separate->sbRun->isEnabled());
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(design.Picture().GetPixel(x, 10), x >= 3 && x <= 5 ? 6u : 1u) << x;
    QTest::mouseClick(separate->sbRestore, Qt::LeftButton);
    EXPECT_EQ(design.Picture().GetPixel(3, 10), 5u);
    EXPECT_TRUE(separate->sbRun->isEnabled());
}

TEST_F(ColourWindows, GroupingFilterShapesFollowTheSizeAndRearrangeRunsAtOnce) {
    TMainImageForm* doc = nullptr;
    TDocument& design = Striped(doc);
    Draw(design, [](TOrvaneBitmap& b) { b.SetPixel(0, 0, 9); }); // 9 now leads by one pixel
    QTest::mouseClick(main->MainMenu()->Button(ToolGrouping), Qt::LeftButton);
    auto* grouping = qobject_cast<TGroupingForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(grouping, nullptr);
    QTest::mouseClick(grouping->sbFilter, Qt::LeftButton);
    EXPECT_TRUE(grouping->Selector->isVisible());
    EXPECT_FALSE(grouping->TypeEdit->isVisible());
    const std::pair<int, int> shapes[] = {{0, 3}, {1, 1}, {2, 0}};
    for (const auto& [size, most] : shapes) {
        grouping->rgFilterSize[size]->click();
        EXPECT_EQ(grouping->udShape->maximum(), most) << size;
    }
    const int steps = UndoStore().Count();
    QTest::mouseClick(grouping->sbRearrange, Qt::LeftButton);
    EXPECT_EQ(UndoStore().Count(), steps + 1);
    EXPECT_EQ(design.Picture().GetPixel(0, 0), 2u);
    EXPECT_TRUE(grouping->sbFilter->isChecked()); // the function shown stays
}
