// The Disk Manager writes a design's carpet to an image file and reads it back.
#include "textile/Disk_f.h"

#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "support/Carpetcanvas.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs the Disk Manager on document: picks the image line and the direction, clicks OK
// and answers the file dialog with path.
bool RunDiskManager(TDocument& document, bool write, const QString& path, QString* caption) {
    QTimer files; // the file dialog opens inside OK's click
    files.setInterval(10);
    QObject::connect(&files, &QTimer::timeout, [&] {
        // The name is typed rather than selected: a selection made while the dialog still
        // reads the folder can be lost. A refusal's message box is closed to try again.
        QWidget* active = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(active)) box->done(QMessageBox::Ok);
        if (auto* d = qobject_cast<QFileDialog*>(active)) {
            d->findChild<QLineEdit*>("fileNameEdit")->setText(path); // typed, as a user would
            static_cast<QDialog*>(d)->accept();                      // as the Open / Save button does
        }
    });
    QTimer dialog; // the form may not be the modal widget yet when the first event runs
    dialog.setInterval(10);
    QObject::connect(&dialog, &QTimer::timeout, [&] {
        auto* form = qobject_cast<TDiskForm*>(QApplication::activeModalWidget());
        if (!form) return;
        dialog.stop();
        *caption = form->windowTitle();
        form->lbDrive->setCurrentRow(form->lbDrive->count() - 1);
        (write ? form->sbWrite : form->sbRead)->click();
        files.start();
        form->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    dialog.start();
    return ShowDiskManager(nullptr, document, TCurrentColour::OfIndex(4));
}

} // namespace

TEST(DiskManager, WritesAnImageFileAndReadsItIntoAnotherDesign) {
    qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
    LoadConfiguration();
    QStringList shown;
    SetErrorPresenter([&](TSeverity, const QString& text, int) { return shown << text, ID_OK; });
    QTemporaryDir dir;
    const QString path = dir.filePath("carpet.img");
    TDocument source, target;
    ASSERT_EQ(NewCarpetCanvas(source, 1700, 3, 6), 0u);
    ASSERT_EQ(NewCarpetCanvas(target, 1700, 5, 9), 0u);
    source.AttachUndo();
    {
        TChange change(source);
        change.Picture().SetPixel(0, 2, 3);
        change.Commit();
    }
    QString caption;
    EXPECT_FALSE(RunDiskManager(source, true, path, &caption));
    EXPECT_EQ(caption, "Read / Write Diskette");
    ASSERT_EQ(QFileInfo(path).size(), 1228800);
    target.AttachUndo();
    EXPECT_TRUE(RunDiskManager(target, false, path, &caption));
    EXPECT_TRUE(shown.isEmpty()) << shown.join('\n').toStdString();
    EXPECT_EQ(target.Picture().GetPixel(0, 4), 3u);
    EXPECT_EQ(target.Picture().GetPixel(1, 4), 6u);
    EXPECT_EQ(target.Picture().GetPixel(0, 1), 4u); // above the carpet: the current colour
    EXPECT_EQ(target.CarpetWindow().Height, 3);
}
