// The carpet tool chosen on the real tool palette: textures picked from the table,
// texture and area fills clicked on the design, a regauge, and the carpet saved
// and opened again with its window and textures.
#include "app/Mainwindow.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Filetypes.h"
#include "shell/Mainmenu.h"
#include "textile/Carpet_f.h"
#include "textile/Carpettable_f.h"

#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

namespace {

class CarpetWindow : public MainWindowTest {
  protected:
    // The index of the library texture named stem.
    static int LibraryIndex(const TCarpetTableForm& table, const char* stem) {
        const auto& list = table.Library().Textures();
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].Name == QString::fromLatin1(stem) + ".ctx") return int(i);
        return -1;
    }
};

} // namespace

TEST_F(CarpetWindow, PicksTexturesFillsRegaugesSavesAndReopensACarpet) {
    TMainImageForm* doc = Document(8); // 64 x 48, one colour
    ASSERT_NE(doc, nullptr);
    doc->iMainImage->SetZoom(1, 1);
    doc->iMainImage->SetPosition(0, 0);
    TDocument& design = doc->Document();
    // A frame of colour 9 around the box (4, 4) .. (9, 9) of colour 10.
    Draw(design, [](TOrvaneBitmap& p) {
        p.FillRect(9, QRect(3, 3, 8, 8));
        p.FillRect(10, QRect(4, 4, 6, 6));
    });
    QTest::mouseClick(main->MainMenu()->Button(ToolCarpet), Qt::LeftButton);
    auto* carpet = qobject_cast<TCarpetForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(carpet, nullptr);
    EXPECT_EQ(carpet->windowTitle(), "Carpet Menu");
    EXPECT_EQ(carpet->stName->text(), "NONE");
    EXPECT_FALSE(carpet->ScrollBar->isEnabled());

    // Table View: double clicks in Read mode put "ramp" and "check1" in the working list.
    QTest::mouseClick(carpet->sbTableView, Qt::LeftButton);
    TCarpetTableForm* table = carpet->Table();
    ASSERT_TRUE(table->isVisible());
    const int ramp = LibraryIndex(*table, "ramp"), check = LibraryIndex(*table, "check1");
    ASSERT_GE(ramp, 0);
    ASSERT_GE(check, 0);
    table->Activate(ramp);
    table->Activate(check);
    ASSERT_EQ(design.CarpetTextures().size(), 2u);
    EXPECT_EQ(carpet->stName->text(), "check1");
    carpet->ScrollBar->setValue(0);
    EXPECT_EQ(carpet->stName->text(), "ramp");

    // Texture Fill inside the box: it starts at an even column, so ramp's column 0 (value 2) is at x 4.
    QTest::mouseClick(carpet->sbTextureFill, Qt::LeftButton);
    EXPECT_FALSE(table->isVisible());
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(6, 6));
    for (int x = 4; x < 10; ++x)
        EXPECT_EQ(design.Picture().GetPixel(x, 6), uint32_t(2 + (x - 4))) << x;
    EXPECT_EQ(design.Picture().GetPixel(3, 6), 9u); // the frame stays

    // Area Fill with check1 on the frame's colour, carpet area the whole canvas.
    carpet->ScrollBar->setValue(1);
    QTest::mouseClick(carpet->sbAreaFill, Qt::LeftButton);
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(design.Picture().GetPixel(3, 3), (3 + 3) % 2 ? 7u : 3u);
    EXPECT_EQ(design.Picture().GetPixel(4, 3), 7u);

    // Regauge the carpet to 32 x 24: the top-left quarter of the knots, at the bottom left.
    QTest::mouseClick(carpet->sbRegauge, Qt::LeftButton);
    EXPECT_EQ(carpet->spReEditW->value(), 64);
    carpet->spReEditW->setValue(32);
    carpet->spReEditH->setValue(24);
    QTest::mouseClick(carpet->sbRegaugeRun, Qt::LeftButton);
    EXPECT_EQ(design.CarpetWindow().Width, 32);
    EXPECT_EQ(design.CarpetWindow().Height, 24);
    EXPECT_EQ(design.Picture().GetPixel(2, 24 + 3), 2u); // from (4, 6)

    // Saved as a carpet file and opened again: the area, the window and the textures come back.
    const QString folder = config.path();
    ASSERT_EQ(doc->SaveDocument(folder, "rug.cpt", 2, TypeCpt), 0u);
    TMainImageForm* again = main->OpenFile(folder + "/rug.cpt", 0);
    ASSERT_NE(again, nullptr);
    const TDocument& reopened = again->Document();
    EXPECT_EQ(reopened.Picture().Width, 32);
    EXPECT_EQ(reopened.Picture().Height, 24);
    EXPECT_EQ(reopened.Picture().GetPixel(2, 3), 2u);
    ASSERT_EQ(reopened.CarpetTextures().size(), 2u);
    EXPECT_EQ(reopened.CarpetTextures()[1].Name, "check1.ctx");
    main->MainMenu()->CloseTool();
}
