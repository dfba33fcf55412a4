#include "platform/Inifile.h"
#include "shell/Autosave_f.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/History_f.h"

#include "support/Settingsdir.h"
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TOpened {
    QString Directory, Path;
    int BitsPerPixel = 0, Type = 0;
};

class FileHistoryTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        LoadAppTables();
        SetErrorPresenter([this](TSeverity, const QString& text, int) {
            messages << text;
            return int(ID_OK);
        });
        mainIni = config.filePath("Textile/Main.ini");
    }
    void TearDown() override {
        SetErrorPresenter(StderrPresenter);
        FreeAppTables();
        SettingsTest::TearDown();
    }
    // A design file that exists in the temporary folder.
    QString MakeFile(const QString& name) {
        QFile f(designs.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        return f.fileName();
    }
    TFileHistory::TOpenCallback Recorder() {
        return [this](const QString& dir, const QString& path, int bpp, int type) {
            opened.push_back({dir, path, bpp, type});
        };
    }
    QTemporaryDir designs;
    QString mainIni;
    QStringList messages;
    std::vector<TOpened> opened;
};

} // namespace

TEST_F(FileHistoryTest, ClickingAnExistingFileOpensItWithItsRecordedKind) {
    QMenu reopen;
    {
        TFileHistory history(mainIni, kMaxHistory, Recorder(), &reopen);
        EXPECT_FALSE(reopen.isEnabled());
        MakeFile("a.tex");
        MakeFile("b.tfc");
        history.Add(designs.path(), "a.tex", 8);
        history.Add(designs.path(), "b.tfc", 24);
        ASSERT_EQ(reopen.actions().size(), 2);
        EXPECT_TRUE(reopen.isEnabled());
        EXPECT_EQ(reopen.actions()[0]->text(), "&1 " + designs.filePath("b.tfc"));
        reopen.actions()[1]->trigger();
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0].Directory, designs.path());
        EXPECT_EQ(opened[0].Path, designs.filePath("a.tex"));
        EXPECT_EQ(opened[0].BitsPerPixel, 8);
        EXPECT_EQ(opened[0].Type, 1);
        EXPECT_TRUE(messages.isEmpty());
    } // saved on destruction
    EXPECT_EQ(TIniFile(mainIni).ReadInteger("History", "Count", 0), 2);

    QMenu again;
    TFileHistory reloaded(mainIni, kMaxHistory, Recorder(), &again);
    ASSERT_EQ(again.actions().size(), 2);
    again.actions()[0]->trigger();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].Path, designs.filePath("b.tfc"));
    EXPECT_EQ(opened[1].BitsPerPixel, 24);
}

TEST_F(FileHistoryTest, DeletedFileIsReportedAndLeavesTheMenu) {
    QMenu reopen;
    TFileHistory history(mainIni, kMaxHistory, Recorder(), &reopen);
    const QString kept = MakeFile("kept.tex");
    const QString gone = MakeFile("gone.tex");
    history.Add(designs.path(), "kept.tex", 8);
    history.Add(designs.path(), "gone.tex", 8);
    ASSERT_TRUE(QFile::remove(gone));
    reopen.actions()[0]->trigger();
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "This file has been deleted by the user.");
    ASSERT_EQ(reopen.actions().size(), 1);
    EXPECT_EQ(reopen.actions()[0]->text(), "&1 " + kept);

    ASSERT_TRUE(QFile::remove(kept));
    reopen.actions()[0]->trigger();
    EXPECT_TRUE(reopen.actions().isEmpty());
    EXPECT_FALSE(reopen.isEnabled());
    ASSERT_TRUE(history.Save());
    EXPECT_EQ(TIniFile(mainIni).ReadInteger("History", "Count", -1), 0);
    EXPECT_FALSE(TIniFile(mainIni).SectionExists("History0"));
}

// The notice needs the same configured tables; it has no test file of its own.
class AutoSaveNoticeTest : public FileHistoryTest {};

TEST_F(AutoSaveNoticeTest, ShowsTheMessageTextAndBothPictures) {
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    TAutoSaveForm notice(&owner);
    notice.ShowNow();
    EXPECT_TRUE(notice.isVisible());
    EXPECT_EQ(notice.lbCaption->text(), "Saving the design automatically. Please wait...");
    const QImage disk = notice.imDisk->pixmap().toImage();
    ASSERT_EQ(disk.size(), QSize(32, 32));
    EXPECT_EQ(disk.pixelColor(0, 0).alpha(), 0);   // transparent corner
    EXPECT_GT(disk.pixelColor(16, 28).alpha(), 0); // painted body
    EXPECT_NE(notice.imClock->pixmap().toImage(), disk);
}
