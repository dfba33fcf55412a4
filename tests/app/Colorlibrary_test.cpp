// The Library panel and the "Color Library" window of the main window's palette
// window, with the shipped VM libraries.
#include "Mainwindow.h"
#include "colour/Colorlibrary_f.h"
#include "colour/Librarypages_f.h"
#include "colour/Librarypanel_f.h"
#include "colour/Palette_f.h"
#include "colour/Palfilemanager_f.h"
#include "colour/Pcolorgrid_f.h"
#include "colour/Usercolor_f.h"
#include "colour/Usercolordata_f.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
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

// A colour found by its VM Textile code in the "User Color Data" window goes into
// a user library; the Library panel's "User Color" search finds it there by code
// (in a sub-folder only with "SubDirectory Search"), "Finder" finds the nearest
// user colour, and "O.K" writes either into the palette as a user colour.
TEST_F(MainWindowTest, UserColoursSearchedFoundAndWrittenIntoThePalette) {
    TMainImageForm* form = Document(8);
    ASSERT_TRUE(form);
    TDocument& doc = form->Document();
    TPaletteForm* palette = main->PaletteWindow();
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/rugs");

    palette->SetMode(ModeFile);
    QTest::mouseClick(palette->PaletteFiles->sbUserColor, Qt::LeftButton);
    TUserColorLibForm* lib = palette->PaletteFiles->UserColors;
    ASSERT_TRUE(lib);
    TUserColorDataForm* data = lib->DataForm;
    data->cbColorBook->setCurrentIndex(TUserColorDataForm::BookVMTextile);
    QTest::keyClicks(data->edCode, "210015");
    ASSERT_TRUE(data->sbSearchClick());
    TUserColor found = data->Color();
    found.Name = "Madder";
    ASSERT_EQ(WriteUserColors(dir.path() + "/rugs/red.ucl",
                              {TUserColor{"Indigo", KindNormal, 0, 0, 20, 30, 90}, found}),
              0u);
    palette->SetMode(ModeNone);

    palette->DIB256Palette->SetChoiceIndex(7);
    palette->SetMode(ModeLibrary);
    TLibraryPanel* panel = palette->pnLibrary;
    panel->cbLibrary->setCurrentIndex(TLibraryPanel::ChoiceUser);
    ASSERT_TRUE(panel->pnUser->isVisibleTo(panel));
    panel->edLocation->setText(dir.path());
    QTest::keyClicks(panel->edCode, "21-0015");
    EXPECT_EQ(panel->lbFound->text(), "Not found");
    panel->cbSubDirectory->setChecked(true);
    ASSERT_TRUE(panel->ButtonLibrarySearchOK->isEnabled());
    QTest::mouseClick(panel->ButtonLibrarySearchOK, Qt::LeftButton);
    const TColorData& e = doc.Palette()[7];
    EXPECT_TRUE(e.IsUser());
    EXPECT_EQ(e.Kind(), KindVMTextile);
    EXPECT_EQ(e.Page, 1017);
    EXPECT_EQ(e.ColorName, "Madder");
    EXPECT_TRUE(e.FileName.endsWith("rugs/red.ucl"));

    // Finder: the entry nearest to a dark blue is "Indigo".
    doc.EditPalette([](TPalette& p) {
        p[8].SetRGB(22, 28, 95);
        return true;
    });
    panel->tbUser->setCurrentIndex(1);
    palette->DIB256Palette->SetChoiceIndex(8);
    EXPECT_TRUE(panel->lbNearest->text().startsWith("Indigo"));
    QTest::mouseClick(panel->ButtonLibrarySearchOK, Qt::LeftButton);
    EXPECT_EQ(doc.Palette()[8].ColorName, "Indigo");
    EXPECT_EQ(doc.Palette()[8].ColorRef(), MakeColorRef(20, 30, 90));
}
