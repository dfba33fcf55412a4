// The Palette File Manager, the user colour library window and the colour report
// driven as a user drives them.
#include "colour/Colorreport_f.h"
#include "colour/Colorsquares_f.h"
#include "colour/Filebrowser_f.h"
#include "colour/Palette_f.h"
#include "colour/Palettefile.h"
#include "colour/Palfilemanager_f.h"
#include "colour/Pcolorgrid_f.h"
#include "colour/Usercolor_f.h"
#include "shell/Common.h"
#include "shell/Tdocument.h"

#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct PaletteFiles : ::testing::Test {
    void SetUp() override {
        qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
        LoadConfiguration();
        TPaper paper;
        SetPaper(paper, kPaperCustom, 4, 2);
        ASSERT_EQ(doc.NewCanvas(paper, 8, TCurrentColour()), 0u);
        doc.AttachUndo();
        doc.EditPalette([](TPalette& p) {
            for (int i = 0; i < 256; ++i)
                p[i].SetRGB(i, i, i);
            p.UseColor = 10;
            return true;
        });
    }
    void TearDown() override { qunsetenv("VELMORA_HOME"); }
    // A palette file whose entry i is (i, 0, 200) in the test folder.
    QString File(const QString& name) {
        TPalette p;
        for (int i = 0; i < 256; ++i)
            p[i].SetRGB(i, 0, 200);
        const QString path = dir.path() + "/" + name;
        EXPECT_EQ(SavePaletteFile(path, p), 0u);
        return path;
    }
    QTemporaryDir dir;
    TDocument doc;
};

} // namespace

TEST_F(PaletteFiles, FileModeReadsAndMergesPaletteFilesAsOneUndoStepEach) {
    TPaletteForm palette;
    palette.AttachDocument(&doc);
    palette.sbFile->click();
    ASSERT_TRUE(palette.PaletteFiles->isVisible());
    TPFMForm& pfm = *palette.PaletteFiles;
    File("a.fcr");
    pfm.SetFolder(dir.path());
    ASSERT_EQ(pfm.Files->lbFiles->count(), 1);

    // A click previews, a double click runs the chosen action (Merge).
    QListWidgetItem* item = pfm.Files->lbFiles->item(0);
    pfm.Files->lbFiles->setCurrentItem(item);
    emit pfm.Files->lbFiles->itemClicked(item);
    EXPECT_EQ(pfm.ReviewPalette->Layout().ColorAt(7), MakeColorRef(7, 0, 200));
    EXPECT_EQ(doc.Palette()[11].ColorRef(), MakeColorRef(11, 11, 11));
    pfm.sbMerge->click();
    emit pfm.Files->lbFiles->itemDoubleClicked(item);
    EXPECT_EQ(doc.Palette()[11].ColorRef(), MakeColorRef(2, 0, 200)); // file entry 2 after the used 10
    EXPECT_EQ(doc.Palette()[250].ColorRef(), MakeColorRef(241, 0, 200));
    EXPECT_EQ(doc.Palette()[251].ColorRef(), MakeColorRef(251, 251, 251));
    EXPECT_EQ(doc.Palette().UseColor, 10);

    pfm.sbRead->click();
    emit pfm.Files->lbFiles->itemDoubleClicked(item);
    EXPECT_EQ(doc.Palette()[3].ColorRef(), MakeColorRef(3, 0, 200));
    EXPECT_EQ(doc.Palette().UseColor, 10);

    // Save As writes the palette under the name asked for; Rename and Delete act on the chosen file.
    pfm.AskName = [](const QString&, const QString&) { return QStringLiteral("mine"); };
    pfm.AskYes = [](const QString&) { return true; };
    pfm.sbSaveAs->click();
    ASSERT_TRUE(QFile::exists(dir.path() + "/mine.fcr"));
    TPalette saved;
    ASSERT_TRUE(LoadPaletteFile(dir.path() + "/mine.fcr", saved));
    EXPECT_EQ(saved[3].ColorRef(), MakeColorRef(3, 0, 200));
    pfm.AskName = [](const QString&, const QString&) { return QStringLiteral("renamed"); };
    EXPECT_EQ(pfm.Run(TPFMForm::ActRename, dir.path() + "/mine.fcr"), 0u);
    EXPECT_TRUE(QFile::exists(dir.path() + "/renamed.fcr"));
    EXPECT_EQ(pfm.Run(TPFMForm::ActDelete, dir.path() + "/renamed.fcr"), 0u);
    EXPECT_FALSE(QFile::exists(dir.path() + "/renamed.fcr"));

    // A damaged file changes nothing.
    const TPalette before = doc.Palette();
    QFile::resize(dir.path() + "/a.fcr", 100);
    qputenv("VELMORA_BATCH", "1");
    EXPECT_NE(pfm.Run(TPFMForm::ActRead, dir.path() + "/a.fcr"), 0u);
    qunsetenv("VELMORA_BATCH");
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(doc.Palette()[i] == before[i]);
    palette.sbFile->click();
    EXPECT_FALSE(pfm.isVisible());
}

TEST_F(PaletteFiles, UserLibraryLoadsOntoThePaletteAndDropsOneColour) {
    TUserColorLibForm lib;
    lib.SetDocument(&doc);
    lib.CurrentIndex = [] { return 249; };
    const QString path = dir.path() + "/u.ucl";
    ASSERT_EQ(WriteUserColors(path, {TUserColor{"Moss", KindVMTextile, 1005, 3, 10, 20, 30},
                                     TUserColor{"Sand", KindNormal, 0, 0, 200, 190, 150},
                                     TUserColor{"Sky", KindNormal, 0, 0, 90, 140, 220},
                                     TUserColor{"Ink", KindNormal, 0, 0, 5, 5, 40}}),
              0u);
    ASSERT_EQ(lib.ReadLibrary(path), 0u);
    EXPECT_TRUE(lib.windowTitle().endsWith("u.ucl"));
    EXPECT_EQ(lib.LoadAllOnPalette(), 3); // 249, 250, 251
    EXPECT_TRUE(doc.Palette()[249].IsUser());
    EXPECT_EQ(doc.Palette()[249].ColorName, "Moss");
    EXPECT_EQ(doc.Palette()[249].FileName, path.toLocal8Bit());
    EXPECT_EQ(doc.Palette()[251].ColorRef(), MakeColorRef(90, 140, 220));
    EXPECT_EQ(doc.Palette()[252].ColorRef(), MakeColorRef(252, 252, 252));

    // A square dragged onto the palette grid sets the entry under it.
    TDIB256Palette grid;
    grid.resize(7 * 22 + 16, 4 * 22);
    grid.SetXSquares(7);
    grid.SetYSquares(4);
    grid.SetPalette(&doc.Palette());
    grid.show();
    grid.OnEdit = [this](const std::function<bool(TPalette&)>& edit) { return doc.EditPalette(edit); };
    std::unique_ptr<QMimeData> data(lib.Grid->DragData(1));
    const QPoint at = grid.Layout().IndexRect(5).center();
    EXPECT_TRUE(grid.DropEntry(data.get(), at));
    EXPECT_EQ(doc.Palette()[5].ColorName, "Sand");
    EXPECT_EQ(doc.Palette()[5].ColorRef(), MakeColorRef(200, 190, 150));

    // Added colours are saved under a new name; a damaged file leaves an empty library.
    lib.EditColour = [](TUserColor& c) {
        c = TUserColor{"New", KindNormal, 0, 0, 1, 2, 3};
        return true;
    };
    lib.AddColor();
    lib.AskName = [](const QString&, const QString&) { return QStringLiteral("more"); };
    lib.Files->SetFolder(dir.path());
    ASSERT_EQ(lib.SaveLibraryAs(), 0u);
    TUserColorList back;
    ASSERT_EQ(ReadUserColors(dir.path() + "/more.ucl", back), 0u);
    EXPECT_EQ(back.size(), 5u);
    QFile::resize(path, 40);
    qputenv("VELMORA_BATCH", "1");
    EXPECT_EQ(lib.ReadLibrary(path), 0x40000010u);
    qunsetenv("VELMORA_BATCH");
    EXPECT_TRUE(lib.Colors().empty());
    EXPECT_TRUE(lib.windowTitle().endsWith("Noname-01"));
}

TEST_F(PaletteFiles, ColourReportListsTheDesignAndExportsCsv) {
    doc.EditPalette([](TPalette& p) {
        p[3].SetLibrary(KindVMStandard, 42, 3, 1, 2, 3);
        return true;
    });
    TChange change(doc, QRect(0, 0, 1, 2));
    change.Fill(QRect(0, 0, 1, 2), 3);
    change.Commit();
    TColorReportForm report;
    report.SetDocument(&doc);
    ASSERT_EQ(report.tbReport->rowCount(), 2);
    EXPECT_EQ(report.tbReport->item(1, 0)->text(), "2"); // index 3 is drawing colour 2
    EXPECT_EQ(report.tbReport->item(1, 3)->text(), "42:3");
    const QString csv = dir.path() + "/report";
    report.AskPath = [&] { return csv; };
    report.btExport->click();
    QFile f(csv + ".csv");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    const double inches = 2.0 / (doc.Paper().dpi * doc.Paper().dpi);
    EXPECT_EQ(lines[2], QStringLiteral("3,1,2,3,2,25.000,%1,%2,\"VM Standard Color\",\"42:3\"")
                            .arg(inches * 6.4516, 0, 'f', 4)
                            .arg(inches, 0, 'f', 4)
                            .toUtf8());
}

TEST_F(PaletteFiles, ScreenshotOfTheUserColourLibrary) {
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT_USERCOLOR");
    if (out.isEmpty()) GTEST_SKIP() << "set VELMORA_SCREENSHOT_USERCOLOR to take the screenshot";
    TUserColorLibForm lib;
    TUserColorList list;
    const char* names[] = {"Moss", "Sand", "Sky",  "Ink", "Rust",  "Wheat",
                           "Teal", "",     "Plum", "Ash", "Coral", "Pine"};
    for (int k = 0; k < 12; ++k)
        list.push_back(TUserColor{names[k], k % 5, uint16_t(20 + k), uint8_t(k), (k * 73) % 256,
                                  (k * 151) % 256, (k * 37 + 90) % 256});
    ASSERT_EQ(WriteUserColors(dir.path() + "/Rugs.ucl", list), 0u);
    WriteUserColors(dir.path() + "/Kilims.ucl", {});
    lib.Files->SetFolder(dir.path());
    lib.Files->ChooseFile("Rugs.ucl");
    ASSERT_EQ(lib.ReadLibrary(dir.path() + "/Rugs.ucl"), 0u);
    lib.setGeometry(40, 40, 900, 520);
    lib.show();
    lib.Grid->SetSelected(2);
    QTest::qWait(300);
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(out));
}
