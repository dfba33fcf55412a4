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
#include <QListWidget>
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
        if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            files.stop();
            d->selectFile(path);
            static_cast<QDialog*>(d)->accept(); // as the Open / Save button does
        }
    });
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TDiskForm*>(QApplication::activeModalWidget());
        if (!form) return;
        *caption = form->windowTitle();
        form->lbDrive->setCurrentRow(form->lbDrive->count() - 1);
        (write ? form->sbWrite : form->sbRead)->click();
        files.start();
        form->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    return ShowDiskManager(nullptr, document, TCurrentColour::OfIndex(4));
}

} // namespace

// TODO(disk): disabled: it hangs in about one run of three, waiting in the file dialog that
// OK opens (the answer timer does not close it); enable once the dialog is driven reliably.
TEST(DiskManager, DISABLED_WritesAnImageFileAndReadsItIntoAnotherDesign) {
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
