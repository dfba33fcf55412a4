// The Library panel and the "Color Library" window of the main window's palette
// window, with the shipped VM libraries.
#include "Mainwindow.h"
#include "colour/Colorlibrary_f.h"
#include "colour/Librarypages_f.h"
#include "colour/Librarypanel_f.h"
#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

TEST_F(MainWindowTest, LibraryCodesSearchedAndWrittenIntoThePalette) {
    TMainImageForm* form = Document(8);
    ASSERT_TRUE(form);
    TDocument& doc = form->Document();
    TPaletteForm* palette = main->PaletteWindow();
    palette->DIB256Palette->SetChoiceIndex(5);
    ASSERT_TRUE(palette->sbLibrary->isEnabled());
    palette->SetMode(ModeLibrary);
    TLibraryPanel* panel = palette->pnLibrary;
    TColorLibraryForm* window = palette->ColorLibrary;
    ASSERT_TRUE(window->isVisible());

    // VM Textile: typed as "00-0000"; the found page stands third of the five shown.
    panel->cbLibrary->setCurrentIndex(3);
    EXPECT_EQ(window->View(), TColorLibraryForm::ViewTextile);
    EXPECT_EQ(panel->lbFound->text(), ""); // nothing typed yet
    QTest::keyClicks(panel->edCode, "21001");
    EXPECT_FALSE(panel->ButtonLibrarySearchOK->isEnabled());
    EXPECT_EQ(panel->lbFound->text(), "Not found");
    QTest::keyClicks(panel->edCode, "5");
    ASSERT_TRUE(panel->ButtonLibrarySearchOK->isEnabled());
    EXPECT_EQ(window->FirstPage(), 16 - 2); // page 1017 is position 16
    const int undoBefore = palette->UndoCount();
    const TColorData before = doc.Palette()[5];
    QTest::mouseClick(panel->ButtonLibrarySearchOK, Qt::LeftButton);
    const TColorData& e = doc.Palette()[5];
    EXPECT_EQ(e.Kind(), KindVMTextile);
    EXPECT_EQ(e.Page, 1017);
    EXPECT_EQ(e.Number, 5);
    EXPECT_EQ(palette->UndoCount(), undoBefore + 1);
    QTest::mouseClick(palette->sbUndo, Qt::LeftButton); // one undo step of the palette window puts it back
    EXPECT_TRUE(doc.Palette()[5] == before);
    QTest::mouseClick(panel->ButtonLibrarySearchOK, Qt::LeftButton);
    EXPECT_EQ(doc.Palette()[5].Page, 1017);

    // The nearest VM Standard colour of the current entry shows with its code.
    panel->cbLibrary->setCurrentIndex(2);
    palette->DIB256Palette->SetChoiceIndex(6);
    palette->DIB256Palette->SetChoiceIndex(5);
    EXPECT_FALSE(panel->lbNearest->text().isEmpty());

    // A chip of the VM Standard view: End shows pages 164 .. 168, the last column's top chip.
    QTest::mouseClick(window->btEnd, Qt::LeftButton);
    EXPECT_EQ(window->FirstPage(), 163);
    TLibraryPagesView* pages = window->pbPages;
    QTest::mouseClick(pages, Qt::LeftButton, {}, pages->ChipCentre(4, 0));
    EXPECT_EQ(doc.Palette()[5].Kind(), KindVMStandard);
    EXPECT_EQ(doc.Palette()[5].Page, 168);
    EXPECT_EQ(doc.Palette()[5].Number, 1);
    QTest::mouseClick(window->btFirst, Qt::LeftButton);
    EXPECT_EQ(window->lbPage->text(), "Page 1");

    // The printer guide: a typed code shows its page; a double click writes line and column.
    panel->cbLibrary->setCurrentIndex(1);
    QTest::keyClicks(panel->edCode, "370105");
    ASSERT_TRUE(panel->ButtonLibrarySearchOK->isEnabled());
    EXPECT_EQ(window->FirstPage(), 36);
    emit window->sgPrinter->cellDoubleClicked(0, 4);
    EXPECT_EQ(doc.Palette()[5].Kind(), KindNormal);
    EXPECT_EQ(doc.Palette()[5].Page, 541);
    EXPECT_EQ(doc.Palette()[5].Number, 4);

    // Color Guide: the palette list names the entry's library and code.
    panel->cbLibrary->setCurrentIndex(0);
    window->RefreshPalette();
    EXPECT_EQ(window->sgPalette->item(4, 2)->text(), "Printer Color");
    EXPECT_EQ(window->sgPalette->item(4, 3)->text(), "37-1:5");
    EXPECT_TRUE(window->sgPalette->item(1, 6)->text().endsWith(" %"));
    palette->SetMode(ModeNone);
    EXPECT_FALSE(window->isVisible());
}

// A screenshot for looking at, not a check: the palette window in Library mode
// with a VM Textile code found, beside the "Color Library" window's pages.
TEST_F(MainWindowTest, ScreenshotOfTheColorLibraryWindow) {
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT_COLORLIBRARY");
    if (out.isEmpty()) GTEST_SKIP() << "set VELMORA_SCREENSHOT_COLORLIBRARY to take the screenshot";
    main->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(Document(8));
    TPaletteForm* palette = main->PaletteWindow();
    palette->show();
    palette->move(20, 80);
    palette->SetMode(ModeLibrary);
    palette->pnLibrary->cbLibrary->setCurrentIndex(3);
    QTest::keyClicks(palette->pnLibrary->edCode, "210015");
    palette->ColorLibrary->setGeometry(600, 80, 720, 420);
    QTest::qWait(800);
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(out));
}
