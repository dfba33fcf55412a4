// Opening and saving through the File menu as a user does: the dialogs answer, the
// design on disk is checked by reading it back.
#include "app/Mainwindow.h"
#include "platform/Effects.h"
#include "shell/Exception.h"
#include "shell/Filebytes.h"
#include "shell/Filetypes.h"
#include "shell/History.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

namespace {

class Files : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetErrorPresenter([this](TSeverity, const QString& text, int) {
            shown << text;
            return answer;
        });
    }
    void TearDown() override {
        for (QMdiSubWindow* sub : main->MdiArea()->subWindowList())
            qobject_cast<TMainImageForm*>(sub->widget())->Document().SetModified(false);
        SetErrorPresenter(StderrPresenter);
        MainWindowTest::TearDown();
    }
    // A File menu item by its caption.
    QAction* FileCommand(const QString& caption) {
        for (QAction* a : main->FileItem()->actions())
            if (a->text() == caption) return a;
        return nullptr;
    }
    QString Path(const QString& name) const { return files.filePath(name); }
    QTemporaryDir files;
    QStringList shown;
    int answer = ID_OK;
};

} // namespace

TEST_F(Files, APastedSelectionNeverTakesTheWholeDesignsPlaceInItsFile) {
    TMainImageForm* doc = Document(8);
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->SaveDocument(files.path(), "rug.tex", 2, 0), 0u);
    doc->Document().SetSelection(QRegion(2, 2, 8, 8));
    ASSERT_EQ(doc->CopyToClipboard(), 0u);
    ASSERT_EQ(doc->PasteFromClipboard(), 0u);
    ASSERT_TRUE(doc->Document().HasSelection()); // the pasted part is selected
    answer = ID_YES;                             // "save the changes?" at closing
    ASSERT_TRUE(doc->parentWidget()->close());
    QApplication::processEvents();
    TMainImageForm* again = main->OpenFile(Path("rug.tex"), 0, 0);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Document().Bounds(), QRect(0, 0, 64, 48));

    // Save... with a selection asks: Yes writes the selection alone to its own file,
    // No the whole design, which is then no longer modified.
    again->Document().SetSelection(QRegion(1, 1, 5, 4));
    QString target = Path("part.tex");
    main->SaveAsDialog = [&](const QString&, int) { return TFileChoice{target, TypeTex, 0}; };
    FileCommand("&Save...")->trigger();
    TDocument part;
    ASSERT_EQ(part.Open(files.path(), "part.tex", 0, 0), 0u);
    EXPECT_EQ(part.Bounds(), QRect(0, 0, 5, 4));
    EXPECT_EQ(again->Document().FileName(), "rug.tex");
    again->Document().SetModified(true);
    answer = ID_NO;
    target = Path("whole.tex");
    FileCommand("&Save...")->trigger();
    ASSERT_EQ(part.Open(files.path(), "whole.tex", 0, 0), 0u);
    EXPECT_EQ(part.Bounds(), QRect(0, 0, 64, 48));
    EXPECT_FALSE(again->Document().Modified()); // closing now asks nothing
    EXPECT_EQ(LastFileFolder(), files.path());  // the next Save... starts here

    // Escape in the design's window drops the selection.
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    again->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(again->Document().HasSelection());
}

TEST_F(Files, TheFileManagerOpensADesignAtItsOwnDepthAndAPictureAsChosen) {
    // A full-colour design and a full-colour picture, written by the program.
    TMainImageForm* full = Document(24);
    ASSERT_NE(full, nullptr);
    ASSERT_EQ(full->SaveDocument(files.path(), "cloth.tfc", 2, 0), 0u);
    ASSERT_EQ(full->SaveDocument(files.path(), "photo.png", 0, 0), 0u);
    struct Case {
        QString Name;
        int Bits;
        int ExpectBits;
        QString ExpectName;
    };
    const Case cases[] = {
        {"cloth.tfc", 0, 24, "cloth.tfc"},
        {"photo.png", 0, 24, "photo.tfc"}, // a full-colour picture stays full colour by default
        {"photo.png", 8, 8, "photo.tex"},  // unless 256 colours were chosen
    };
    for (const Case& c : cases) {
        main->OpenDialog = [&](const QString&) {
            return TFileChoice{Path(c.Name), FileTypeOfName(c.Name), c.Bits};
        };
        FileCommand("&File Manager...")->trigger();
        ASSERT_NE(CurrentDocument(), full) << c.Name.toStdString();
        EXPECT_EQ(CurrentDocument()->Document().BitsPerPixel(), c.ExpectBits) << c.Name.toStdString();
        EXPECT_EQ(CurrentDocument()->Document().FileName(), c.ExpectName);
        CurrentDocument()->parentWidget()->close();
        QApplication::processEvents();
    }
    EXPECT_TRUE(shown.isEmpty()) << shown.join("\n").toStdString();
}

TEST_F(Files, ABadFileSaysWhyAndAnEffectStaysInTheSelection) {
    // A design whose header announces a million by a million dots.
    QFile huge(Path("huge.tex"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write(PtHeader(222, 1000000, 1000000, 8, 0));
    huge.close();
    main->OpenDialog = [&](const QString&) { return TFileChoice{Path("huge.tex"), TypeTex, 0}; };
    FileCommand("&File Manager...")->trigger();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("too large")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains("1000000 x 1000000")) << shown[0].toStdString();
    EXPECT_TRUE(main->MdiArea()->subWindowList().isEmpty());

    // Mosaic of a selected square leaves every pixel outside it alone.
    TMainImageForm* doc = Document(24);
    ASSERT_NE(doc, nullptr);
    Draw(doc->Document(), [](TOrvaneBitmap& p) {
        for (int y = 0; y < p.Height; ++y)
            for (int x = 0; x < p.Width; ++x)
                p.SetPixel(x, y, MakeColorRef(x * 4, y * 5, 90));
    });
    std::vector<uint32_t> before;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            before.push_back(doc->Document().Picture().GetPixel(x, y));
    doc->Document().SetSelection(QRegion(20, 20, 10, 10));
    ASSERT_TRUE(main->ApplyImageEffect(EffectMosaic, 6, 0));
    int changedInside = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool inside = QRect(20, 20, 10, 10).contains(x, y);
            const bool same = doc->Document().Picture().GetPixel(x, y) == before[size_t(y * 64 + x)];
            if (!inside) {
                EXPECT_TRUE(same) << x << "," << y;
            }
            changedInside += inside && !same;
        }
    EXPECT_GT(changedInside, 0);
}
