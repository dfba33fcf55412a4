// The carpet tool chosen on the real tool palette: textures picked from the table,
// texture and area fills clicked on the design, a regauge, and the carpet saved
// and opened again with its window and textures.
#include "app/Mainwindow.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Common.h"
#include "shell/Filetypes.h"
#include "shell/Mainmenu.h"
#include "textile/Carpet_f.h"
#include "textile/Carpetfile.h"
#include "textile/Carpettable_f.h"

#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
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

    // Leaving the tool keeps the names; a new design entering it gets the list back.
    main->MainMenu()->CloseTool();
    EXPECT_EQ(ReadCarpetIni(SettingsFile("Carpet.ini")), (QStringList{"ramp.ctx", "check1.ctx"}));
    TMainImageForm* fresh = Document(8);
    QTest::mouseClick(main->MainMenu()->Button(ToolCarpet), Qt::LeftButton);
    EXPECT_EQ(fresh->Document().CarpetTextures().size(), 2u);
    carpet = qobject_cast<TCarpetForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(carpet, nullptr);
    QTest::mouseClick(carpet->sbTextureFill, Qt::LeftButton);
    QTest::mouseClick(carpet->sbDelete, Qt::LeftButton);
    QTest::mouseClick(carpet->sbDelete, Qt::LeftButton);
    EXPECT_EQ(carpet->stName->text(), "NONE");
    EXPECT_FALSE(carpet->ScrollBar->isEnabled());

    // Window: the switch and a new size; Run does nothing while the window is off.
    QTest::mouseClick(carpet->sbWindow, Qt::LeftButton);
    EXPECT_EQ(carpet->stWindow->text(), "OFF");
    carpet->spEditW->setValue(10);
    QTest::mouseClick(carpet->sbWindowRun, Qt::LeftButton);
    EXPECT_EQ(fresh->Document().CarpetWindow().Width, 64);
    QTest::mouseClick(carpet->stWindow, Qt::LeftButton);
    EXPECT_EQ(carpet->stWindow->text(), "ON");
    carpet->spEditW->setValue(10);
    carpet->spEditH->setValue(99); // held to the canvas
    QTest::mouseClick(carpet->sbWindowRun, Qt::LeftButton);
    EXPECT_EQ(fresh->Document().CarpetWindow().Width, 10);
    EXPECT_EQ(fresh->Document().CarpetWindow().Height, 48);
    main->MainMenu()->CloseTool();
}

// The table's Save, Save As and Delete on a library of its own, with a selection of pile values.
TEST_F(CarpetWindow, TableSavesAndDeletesTexturesFromTheSelection) {
    TMainImageForm* doc = Document(8);
    TDocument& design = doc->Document();
    Draw(design, [](TOrvaneBitmap& p) { p.FillRect(5, QRect(0, 0, 12, 2)); });
    TCarpetTableForm table(nullptr, config.path() + "/carpet", config.path() + "/user");
    table.SetDocument(&design);
    QString answer = "rug";
    table.AskName = [&] { return answer; };
    design.SetSelection(QRegion(0, 0, 11, 2)); // too wide: nothing is asked or written
    QTest::mouseClick(table.sbSaveAs, Qt::LeftButton);
    EXPECT_TRUE(table.Library().Textures().empty());
    design.SetSelection(QRegion(0, 0, 3, 2));
    QTest::mouseClick(table.sbSaveAs, Qt::LeftButton);
    ASSERT_EQ(table.Library().Textures().size(), 1u);
    EXPECT_EQ(table.Library().Textures()[0].Name, "rug.ctx");
    EXPECT_TRUE(QFile::exists(config.path() + "/user/rug.ctx")); // the shipped folder does not exist

    design.SetSelection(QRegion(0, 0, 1, 1));
    QTest::mouseClick(table.sbSave, Qt::LeftButton);
    table.Activate(0);
    EXPECT_EQ(table.Library().Textures()[0].Width, 1);
    QTest::mouseClick(table.sbDelete, Qt::LeftButton);
    EXPECT_EQ(table.Mode(), 2);
    table.Activate(0);
    EXPECT_TRUE(table.Library().Textures().empty());
    EXPECT_FALSE(QFile::exists(config.path() + "/user/rug.ctx"));
    EXPECT_EQ(table.Mode(), 0); // back to Read
}

// Run by scripts/screenshot-carpet.sh: a rug of three fields, each texture-filled,
// with the carpet tool and its texture table beside it.
TEST_F(CarpetWindow, ScreenshotOfATexturedCarpet) {
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT_CARPET");
    if (out.isEmpty()) GTEST_SKIP() << "set VELMORA_SCREENSHOT_CARPET to take the screenshot";
    main->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    TPaper paper;
    paper.dpi = 160;
    SetPaper(paper, kPaperCustom, 240, 160);
    TMainImageForm* doc = main->NewDocument(paper, 8);
    ASSERT_NE(doc, nullptr);
    doc->parentWidget()->setGeometry(0, 0, 520, 380);
    main->ArrangeTools();
    doc->iMainImage->SetZoom(2, 1);
    doc->iMainImage->SetPosition(0, 0);
    TDocument& design = doc->Document();
    design.EditPalette([](TPalette& p) { // pile states as yarn colours
        const int rgb[][3] = {{236, 222, 190}, {196, 160, 110}, {170, 80, 50}, {200, 120, 70},
                              {30, 45, 100},   {140, 20, 35},   {220, 170, 50}};
        for (int k = 0; k < 7; ++k)
            p[2 + k].SetRGB(rgb[k][0], rgb[k][1], rgb[k][2]);
        return true;
    });
    Draw(design, [](TOrvaneBitmap& p) {
        p.FillRect(30, QRect(0, 0, 240, 160));   // border
        p.FillRect(31, QRect(16, 16, 208, 128)); // field
        for (int y = 0; y < 160; ++y)            // medallion
            for (int x = 0; x < 240; ++x)
                if (std::abs(x - 120) * 2 / 3 + std::abs(y - 80) < 44) p.SetPixel(x, y, 32);
    });
    QTest::mouseClick(main->MainMenu()->Button(ToolCarpet), Qt::LeftButton);
    auto* carpet = qobject_cast<TCarpetForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(carpet, nullptr);
    TCarpetTableForm* table = carpet->Table();
    QTest::mouseClick(carpet->sbTextureFill, Qt::LeftButton);
    const std::pair<const char*, QPoint> fills[] = {
        {"check3", {4, 4}}, {"twill", {30, 30}}, {"diamond", {120, 80}}};
    for (const auto& [stem, at] : fills) {
        table->Activate(LibraryIndex(*table, stem));
        QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, at * 2);
    }
    QTest::mouseClick(carpet->sbTableView, Qt::LeftButton);
    table->move(540, 0);
    table->resize(360, 420);
    QTest::qWait(800);
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(out));
    main->MainMenu()->CloseTool();
}
