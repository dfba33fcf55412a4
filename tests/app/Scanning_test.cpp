// File > Scanning along the user's path, with SANE's test backend as the only scanner.
#include "Mainwindow.h"
#include "platform/Inifile.h"
#include "shell/Scannersetup_f.h"
#include "shell/Scansettings.h"
#include "support/Sanetest.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// Before any window probes: every main window of this program finds the test device.
const bool kTestScanner = (UseSaneTestBackend(), true);

QAction* FileAction(TMainForm& main, const QString& caption) {
    for (QAction* a : main.FileItem()->actions())
        if (a->text() == caption) return a;
    return nullptr;
}

} // namespace

TEST_F(MainWindowTest, ScanningFromTheFileMenuShowsProgressAndFillsTheDesign) {
    ASSERT_TRUE(kTestScanner);
    QAction* scanning = FileAction(*main, QStringLiteral("&Scanning..."));
    QAction* setup = FileAction(*main, QStringLiteral("Scanner Setup..."));
    ASSERT_TRUE(scanning && setup);
    QTRY_VERIFY(setup->isEnabled());     // the probe's answer arrives after start-up
    EXPECT_FALSE(scanning->isEnabled()); // no design yet
    TMainImageForm* form = Document(8);  // 64 x 48, all of it under the 157 x 196 scan
    EXPECT_TRUE(scanning->isEnabled());
    EXPECT_TRUE(main->MainMenu()->sbScan->isEnabled());
    bool progressShown = false;
    QTimer::singleShot(0, main.get(), [&] {
        auto* bar = main->findChild<QProgressDialog*>(QStringLiteral("ScanProgress"));
        progressShown = bar && bar->isVisible();
    });
    scanning->trigger();
    EXPECT_TRUE(progressShown);
    const TDocument& doc = form->Document();
    for (QPoint p : {QPoint(0, 0), QPoint(63, 47), QPoint(30, 20)})
        EXPECT_EQ(doc.Palette()[int(doc.Picture().GetPixel(p.x(), p.y()))].ColorRef(),
                  MakeColorRef(255, 255, 255));
    EXPECT_EQ(doc.Selection(), QRegion(0, 0, 64, 48));
    EXPECT_TRUE(doc.Modified());
}

TEST_F(MainWindowTest, ScannerSetupOffersTheDevicesResolutionsAndKeepsTheChoice) {
    const QString ini = config.filePath("Scanner.ini");
    TScannerSetupForm form(ScanDevices(), nullptr, ini);
    ASSERT_EQ(form.cbDevice->count(), 1);
    EXPECT_EQ(form.cbResolution->currentData().toInt(), 50); // the device's present one
    const int at = form.cbResolution->findData(300);
    ASSERT_GE(at, 0);
    form.cbResolution->setCurrentIndex(at);
    form.btOK->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const TScanSettings kept = ReadScanSettings(TIniFile(ini));
    EXPECT_EQ(kept.Device, QStringLiteral("test:0"));
    EXPECT_EQ(kept.Resolution, 300);
}
