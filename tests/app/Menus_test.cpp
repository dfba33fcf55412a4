#include "app/Mainwindow.h"
#include "colour/Palette_f.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Capture.h"
#include "shell/Mainmenu.h"

#include <QFile>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>

namespace {
class Menus : public MainWindowTest {
  protected:
    void TearDown() override {
        CapturedImages().Clear();
        MainWindowTest::TearDown();
    }
    QAction* Item(QMenu* menu, int k) { return menu->actions().value(k); }
};
} // namespace

TEST_F(Menus, EnablingFollowsDocumentsDepthAndSelection) {
    EXPECT_FALSE(main->EditItem()->isEnabled());
    EXPECT_FALSE(main->ViewItem()->isEnabled());
    EXPECT_FALSE(main->ImageItem()->isEnabled());
    EXPECT_FALSE(main->CaptureItem()->isEnabled());
    EXPECT_FALSE(main->FPrintingItem->isEnabled());
    EXPECT_FALSE(main->WMinimizeItem->isEnabled());
    EXPECT_FALSE(main->MainMenu()->isEnabled());
    EXPECT_FALSE(main->PaletteWindow()->isEnabled());

    TMainImageForm* indexed = Document(8);
    EXPECT_TRUE(main->EditItem()->isEnabled());
    EXPECT_TRUE(main->ViewItem()->isEnabled());
    EXPECT_TRUE(main->FPrintingItem->isEnabled());
    EXPECT_TRUE(main->WArrangeItem->isEnabled());
    EXPECT_FALSE(main->ImageItem()->isEnabled()); // effects and captures are for full colour
    EXPECT_FALSE(main->CaptureItem()->isEnabled());
    EXPECT_TRUE(main->PaletteWindow()->isEnabled());

    TMainImageForm* full = Document(24);
    EXPECT_TRUE(main->ImageItem()->isEnabled());
    EXPECT_TRUE(main->CaptureItem()->isEnabled());
    EXPECT_FALSE(main->CInsertItem->isEnabled()); // no selection yet
    EXPECT_FALSE(main->CEditItem->isEnabled());   // nothing captured
    full->Document().SetSelection(QRect(2, 2, 8, 6));
    main->UpdateMenuItems();
    EXPECT_TRUE(main->COverwriteItem->isEnabled());
    main->CInsertItem->trigger();
    ASSERT_EQ(CapturedImages().Count(), 1);
    EXPECT_EQ(CapturedImages().At(0).Image.Width, 8);
    EXPECT_TRUE(main->CEditItem->isEnabled());
    EXPECT_TRUE(main->CDeleteAllItem->isEnabled());
    main->CDeleteAllItem->trigger();
    EXPECT_TRUE(CapturedImages().Empty());
    EXPECT_FALSE(main->CEditItem->isEnabled());

    main->MdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    (void)indexed;
    EXPECT_FALSE(main->EditItem()->isEnabled());
    EXPECT_FALSE(main->CaptureItem()->isEnabled());
}

TEST_F(Menus, OpeningTheCaptureMenuLeavesTheFillTool) {
    TMainImageForm* full = Document(24);
    ASSERT_NE(full, nullptr);
    main->MainMenu()->CreateToolWindow = [](int, QWidget* owner) { return new QWidget(owner, Qt::Tool); };
    main->MainMenu()->SelectTool(ToolFill);
    ASSERT_EQ(main->MainMenu()->ActiveTool(), ToolFill);
    emit main->CaptureItem()->aboutToShow();
    EXPECT_EQ(main->MainMenu()->ActiveTool(), 0);
}

TEST_F(Menus, KeysReachTheCurrentDocumentFromWhateverHasFocusInIt) {
    TMainImageForm* doc = Document(8);
    ASSERT_NE(doc, nullptr);
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    // The document window has focus as after activation; its frame's scroll area
    // would take the arrows if the main window did not preview them.
    doc->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), doc);
    doc->iMainImage->SetZoom(1, 1);
    QTest::keyClick(doc, Qt::Key_Plus);
    EXPECT_EQ(doc->iMainImage->GetZoomIn(), 2);
    QTest::keyClick(doc, Qt::Key_Minus);
    QTest::keyClick(doc, Qt::Key_Minus);
    EXPECT_EQ(doc->iMainImage->GetZoomOut(), 2);
    doc->iMainImage->SetZoom(16, 1); // the picture is larger than the view: arrows scroll
    doc->iMainImage->SetPosition(0, 0);
    QTest::keyClick(doc, Qt::Key_Right);
    EXPECT_EQ(doc->iMainImage->PositionX(), std::max(1, doc->iMainImage->View().ViewW() / 8));
    EXPECT_EQ(doc->sbHorizontal->value(), doc->iMainImage->PositionX());
    doc->sbVertical->setFocus(); // a scroll bar with focus hands the keys on too
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(doc->iMainImage->PositionX(), 0);
    // The Draw tool's window hears the keys too, once each.
    int heard = 0;
    struct Listener : QWidget {
        int* Count;
        explicit Listener(QWidget* owner, int* count) : QWidget(owner, Qt::Tool), Count(count) {}
        void keyPressEvent(QKeyEvent*) override { ++*Count; }
    };
    main->MainMenu()->CreateToolWindow = [&](int, QWidget* owner) { return new Listener(owner, &heard); };
    main->MainMenu()->SelectTool(ToolDraw);
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    doc->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    EXPECT_EQ(heard, 1);
}

TEST_F(Menus, PrintingPutsTheDesignOnAPage) {
    TMainImageForm* doc = Document(24);
    ASSERT_NE(doc, nullptr);
    Draw(doc->Document(),
         [&](TOrvaneBitmap& p) { p.FillRect(MakeColorRef(0, 0, 255), QRect(0, 0, 64, 48)); });
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = config.filePath(QStringLiteral("design.pdf"));
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(main->PrintDesign(printer));
    QFile out(pdf);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.read(5) == "%PDF-");
    EXPECT_GT(out.size(), 500);
}
