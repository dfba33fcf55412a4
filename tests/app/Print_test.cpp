// The printing window along the user's path: File > Printing..., a layout, PDF...
#include "Mainwindow.h"
#include "shell/Exception.h"
#include "shell/Print_f.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPdfDocument>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

class PrintWindow : public MainWindowTest {
  protected:
    // A 256-colour design of nested frames, like a rug's borders and field.
    TMainImageForm* Rug(int width, int height) {
        TPaper p;
        p.dpi = 160;
        SetPaper(p, kPaperCustom, width, height);
        TMainImageForm* doc = main->NewDocument(p, 8);
        if (!doc) return nullptr;
        Draw(doc->Document(), [&](TOrvaneBitmap& b) {
            const int step = std::max(4, std::min(width, height) / 24);
            for (int i = 0; 2 * i * step < std::min(width, height); ++i)
                b.FillRect(uint32_t(12 + (i * 7) % 40),
                           QRect(i * step, i * step, width - 2 * i * step, height - 2 * i * step));
        });
        return doc;
    }
    TPrintForm* OpenFromMenu() {
        QAction* item = main->FPrintingItem;
        EXPECT_TRUE(main->FileItem()->actions().contains(item));
        item->trigger();
        return main->PrintWindow();
    }
};

} // namespace

TEST_F(PrintWindow, FileMenuPrintingWritesTiledSheetsToAPdf) {
    TMainImageForm* doc = Rug(2400, 600);
    ASSERT_NE(doc, nullptr);
    const bool modified = doc->Document().Modified();
    TPrintForm* form = OpenFromMenu();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    form->cbLayout->setCurrentIndex(int(TPrintLayout::Tile));
    EXPECT_TRUE(form->lbPlan->text().contains(QStringLiteral("column")));
    const QString pdf = config.filePath(QStringLiteral("tiles.pdf"));
    int asked = 0;
    form->AskPdfPath = [&] { return ++asked == 1 ? QString() : pdf; }; // cancelled first
    QTest::mouseClick(form->btPdf, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(pdf));
    QTest::mouseClick(form->btPdf, Qt::LeftButton);
    QPdfDocument read;
    ASSERT_EQ(read.load(pdf), QPdfDocument::Error::None);
    EXPECT_GE(read.pageCount(), 2);
    EXPECT_TRUE(read.getAllText(1).text().contains(QStringLiteral("row 1 / column 2")));
    QStringList shown; // an unwritable path and a machine without printers are reported
    SetErrorPresenter([&](TSeverity, const QString& text, int) { return shown << text, ID_OK; });
    form->AskPdfPath = [&] { return config.filePath(QStringLiteral("no/such/folder/x.pdf")); };
    QTest::mouseClick(form->btPdf, Qt::LeftButton);
    const bool noPrinter = QPrinterInfo::availablePrinters().isEmpty(); // else Print opens its dialog
    if (noPrinter) QTest::mouseClick(form->btPrint, Qt::LeftButton);
    SetErrorPresenter(StderrPresenter);
    EXPECT_EQ(shown.value(0).section('\n', 0, 0), ErrorText(ErrorCode::PdfNotWritten).section('\n', 0, 0));
    EXPECT_EQ(shown.value(1), noPrinter ? ErrorText(ErrorCode::NoPrinter) : QString());
    EXPECT_EQ(doc->Document().Modified(), modified); // printing never changes the design
}

// A screenshot for looking at, not a check: the print preview of an A0 rug tiled
// over sheets with marks and labels.
TEST_F(PrintWindow, ScreenshotOfATiledA0Preview) {
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT_PRINT");
    if (out.isEmpty()) GTEST_SKIP() << "set VELMORA_SCREENSHOT_PRINT to take the screenshot";
    main->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    TMainImageForm* doc = Rug(4992, 7040);
    ASSERT_NE(doc, nullptr);
    TPrintForm* form = OpenFromMenu();
    ASSERT_NE(form, nullptr);
    form->cbLayout->setCurrentIndex(int(TPrintLayout::Tile));
    form->cbKey->setChecked(true);
    bool shot = false;
    QTimer::singleShot(2500, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (preview) {
            preview->setGeometry(
                QGuiApplication::primaryScreen()->availableGeometry().adjusted(40, 20, -40, -20));
            if (auto* pages = preview->findChild<QPrintPreviewWidget*>()) {
                pages->setViewMode(QPrintPreviewWidget::AllPagesView);
                pages->fitInView();
            }
            QTest::qWait(1500);
            shot = QGuiApplication::primaryScreen()->grabWindow(0).save(out);
            preview->reject();
        }
    });
    form->btPreviewClick();
    EXPECT_TRUE(shot);
}
