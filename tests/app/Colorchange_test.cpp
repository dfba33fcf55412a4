// The Color Change window chosen on the real tool palette: colours chosen and
// hovered on the palette window preview and change a 256-colour design, each
// change one undo step.
#include "app/Mainwindow.h"
#include "colour/Colorchange_f.h"
#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Mainmenu.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {
class ColorChangeWindow : public MainWindowTest {
  protected:
    // Columns of indices 2 .. 5 over a 16 x 8 design.
    TDocument& Columns() {
        doc = Document(8);
        EXPECT_NE(doc, nullptr);
        TDocument& design = doc->Document();
        design.EditPalette([](TPalette& p) {
            for (int i = 0; i < 4; ++i)
                p[2 + i].SetRGB(i * 60, 255 - i * 60, 40);
            p.UseColor = 5;
            return true;
        });
        Draw(design, [](TOrvaneBitmap& b) {
            for (int y = 0; y < b.Height; ++y)
                for (int x = 0; x < b.Width; ++x)
                    b.SetPixel(x, y, uint32_t(2 + x % 4));
        });
        return design;
    }
    TMainImageForm* doc = nullptr;
    TDIB256Palette& Grid() { return *main->PaletteWindow()->DIB256Palette; }
    QPoint Cell(int index) { return Grid().Layout().CellRect(index - Grid().Layout().FirstIndex()).center(); }
    void Choose(int index) { QTest::mouseClick(&Grid(), Qt::LeftButton, {}, Cell(index)); }
    void Hover(int index) {
        const QPointF at = Cell(index);
        QMouseEvent move(QEvent::MouseMove, at, Grid().mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&Grid(), &move);
    }
    // The first row of the design (the columns repeat).
    std::vector<uint32_t> Row(const TDocument& d) {
        std::vector<uint32_t> out;
        for (int x = 0; x < 4; ++x)
            out.push_back(d.Picture().GetPixel(x, 3));
        return out;
    }
};
} // namespace

TEST_F(ColorChangeWindow, SingleToSinglePreviewsOnThePaletteAndSwapExchanges) {
    TDocument& design = Columns();
    QTest::mouseClick(main->MainMenu()->Button(ToolColorChange), Qt::LeftButton);
    auto* change = qobject_cast<TColorChangeForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(change->windowTitle(), "Color Change");
    QTest::mouseClick(change->sbSingle, Qt::LeftButton);
    Choose(3);
    EXPECT_TRUE(change->sbTarget->isChecked());
    EXPECT_EQ(Row(design), (std::vector<uint32_t>{2, 254, 4, 5}));
    Hover(5);
    EXPECT_EQ(design.Palette()[254].ColorRef(), design.Palette()[5].ColorRef());
    Choose(5);
    EXPECT_TRUE(change->sbSource->isChecked());
    EXPECT_EQ(Row(design), (std::vector<uint32_t>{2, 5, 4, 5}));
    main->EUndoItem->trigger(); // one step takes the whole change back
    EXPECT_EQ(Row(design), (std::vector<uint32_t>{2, 3, 4, 5}));

    Choose(4); // a pending preview, cancelled by "Source"
    QTest::mouseClick(change->sbSource, Qt::LeftButton);
    EXPECT_EQ(Row(design), (std::vector<uint32_t>{2, 3, 4, 5}));
    Choose(4); // a preview open when the design is saved ends first: no 254 is written
    QTemporaryDir dir;
    ASSERT_EQ(doc->SaveDocument(dir.path(), "Saved.tex", 2, 0), 0u);
    EXPECT_EQ(Row(design), (std::vector<uint32_t>{2, 3, 4, 5}));
    EXPECT_TRUE(change->sbSource->isChecked());

    QTest::mouseClick(change->sbSwap, Qt::LeftButton);
    Choose(2), Choose(4);
    EXPECT_EQ(Row(design), (std::vector<uint32_t>{4, 3, 2, 5}));
    main->EUndoItem->trigger();
    EXPECT_EQ(Row(design), (std::vector<uint32_t>{2, 3, 4, 5}));
}

TEST_F(ColorChangeWindow, HlsNextMovesTheSetOntoCopiesThatTheHueEditTurnsAndBackPutsItBack) {
    TDocument& design = Columns();
    const TPalette before = design.Palette();
    QTest::mouseClick(main->MainMenu()->Button(ToolColorChange), Qt::LeftButton);
    auto* change = qobject_cast<TColorChangeForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(change, nullptr);
    QTest::mouseClick(change->sbHLS, Qt::LeftButton);
    Choose(3), Choose(4);
    EXPECT_EQ(change->Settings().HlsSet().Count(), 2);
    QTest::mouseClick(change->sbNext, Qt::LeftButton);
    EXPECT_EQ(Row(design), (std::vector<uint32_t>{2, 6, 7, 5})); // copies after the used colours
    EXPECT_FALSE(change->sbNext->isEnabled());
    change->seHLSHue->setValue((change->seHLSHue->value() + 180) % 360);
    EXPECT_NE(design.Palette()[6].ColorRef(), before[3].ColorRef());
    QTest::mouseClick(change->sbBack, Qt::LeftButton);
    EXPECT_EQ(Row(design), (std::vector<uint32_t>{2, 3, 4, 5}));
    EXPECT_EQ(design.Palette().UseColor, 5);
    EXPECT_TRUE(change->sbNext->isEnabled());
}
