#include "app/Mainwindow.h"
#include "colour/Palette_f.h"
#include "platform/Effects.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Environment.h"
#include "shell/History_f.h"
#include "tools/Undolist_f.h"

#include <QFileInfo>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace {
class Changes : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        UndoStore().SetSingle(false);
        UndoStore().SetMaxUndo(3);
    }
    static std::vector<uint32_t> Pixels(TMainImageForm* doc) {
        std::vector<uint32_t> out;
        for (int y = 0; y < doc->Document().Picture().Height; ++y)
            for (int x = 0; x < doc->Document().Picture().Width; ++x)
                out.push_back(doc->Document().Picture().GetPixel(x, y));
        return out;
    }
    // Fills rect with the current colour as the Cut command does.
    static void Cut(TMainImageForm* doc, const QRect& rect) {
        doc->Document().SetSelection(rect);
        ASSERT_EQ(doc->CutToClipboard(), 0u);
    }
};
} // namespace

TEST_F(Changes, EachDocumentUndoesItsOwnChangesExactly) {
    TMainImageForm* a = Document(8);
    Draw(a->Document(), [&](TOrvaneBitmap& p) { p.FillRect(5, QRect(0, 0, 64, 48)); });
    TMainImageForm* b = Document(24);
    ASSERT_TRUE(a && b);
    const std::vector<uint32_t> aBefore = Pixels(a), bBefore = Pixels(b);
    a->Document().AttachUndo();
    main->MainMenu()->Dispatch().SetColour(TCurrentColour::OfIndex(9));
    Cut(a, QRect(4, 4, 10, 10));
    b->Document().AttachUndo();
    main->MainMenu()->Dispatch().SetColour(
        main->MainMenu()->Dispatch().Colour().WithRgb(MakeColorRef(1, 2, 3)));
    Cut(b, QRect(0, 0, 64, 48));
    // a's record waits on disk while b is the one worked on.
    const auto& records = UndoStore().AllRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[0]->OnDisk);
    EXPECT_FALSE(records[0]->InMemory);

    EXPECT_TRUE(a->Undo());
    EXPECT_EQ(Pixels(a), aBefore);
    EXPECT_NE(Pixels(b), bBefore);
    EXPECT_EQ(a->Document().Picture().Handle.Region,
              QRegion(4, 4, 10, 10)); // the selection of the cut is back
    EXPECT_FALSE(a->Undo());          // nothing more of a's
    main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(b->parentWidget()));
    ASSERT_EQ(CurrentDocument(), b);
    main->EUndoItem->trigger(); // Edit > Undo works on the current document
    EXPECT_EQ(Pixels(b), bBefore);
}

TEST_F(Changes, ResizeEnlargeAndEffectsAreUndone) {
    TMainImageForm* doc = Document(24);
    ASSERT_NE(doc, nullptr);
    Draw(doc->Document(),
         [&](TOrvaneBitmap& p) { p.FillRect(MakeColorRef(200, 100, 20), QRect(0, 0, 64, 48)); });
    const std::vector<uint32_t> before = Pixels(doc);
    doc->Document().AttachUndo();
    ASSERT_EQ(doc->EnlargeCanvas(80, 60), 0u);
    EXPECT_TRUE(doc->Document().Modified()); // an enlarged design is a changed design
    ASSERT_TRUE(main->ApplyImageEffect(EffectSolarize, 150, 0));
    EXPECT_NE(doc->Document().Picture().GetPixel(5, 5), MakeColorRef(200, 100, 20));
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->Document().Picture().Width, 80);
    EXPECT_EQ(doc->Document().Picture().GetPixel(5, 5), MakeColorRef(200, 100, 20));
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->Document().Picture().Width, 64);
    EXPECT_EQ(Pixels(doc), before);
}

TEST_F(Changes, UndoListWindowShowsTheRecordsAndSetsTheLimit) {
    TMainImageForm* doc = Document(8);
    ASSERT_NE(doc, nullptr);
    doc->Document().AttachUndo();
    const std::vector<uint32_t> before = Pixels(doc);
    main->MainMenu()->Dispatch().SetColour(TCurrentColour::OfIndex(30));
    Cut(doc, QRect(0, 0, 5, 5));
    main->MainMenu()->Dispatch().SetColour(TCurrentColour::OfIndex(31));
    Cut(doc, QRect(10, 10, 5, 5));
    main->MainMenu()->SelectTool(ToolUndo);
    auto* list = qobject_cast<TUndoForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->lbRecords->count(), 2);
    EXPECT_TRUE(list->lbRecords->item(0)->text().startsWith("5 x 5 at 10, 10"));
    list->seMaxUndo->setValue(7);
    EXPECT_EQ(UndoStore().MaxUndo(), 7);
    list->lbRecords->setCurrentRow(1);
    QTest::mouseClick(list->btUndoTo, Qt::LeftButton); // both undone, newest first
    EXPECT_EQ(Pixels(doc), before);
    EXPECT_EQ(list->lbRecords->count(), 0);
    EXPECT_FALSE(list->btUndoLast->isEnabled());
    list->seMaxUndo->setValue(1);
    main->MainMenu()->Dispatch().SetColour(TCurrentColour::OfIndex(32));
    Cut(doc, QRect(0, 0, 2, 2));
    Cut(doc, QRect(0, 0, 3, 3));
    EXPECT_EQ(UndoStore().CountAll(), 1);
}

TEST_F(Changes, EnvironmentAutosaveAndHistoryWorkThroughTheMainWindow) {
    TMainImageForm* doc = Document(8);
    ASSERT_NE(doc, nullptr);
    const QString dir = config.path();
    ASSERT_EQ(doc->SaveDocument(dir, QStringLiteral("rug.tex"), 2, 0), 0u);
    TEnvironmentSettings settings;
    settings.MainImageUnit = 2; // Dot
    settings.MaxUndo = 9;
    settings.AutoSave = true;
    settings.AutoSaveMinutes = 3;
    main->ApplyEnvironment(settings);
    EXPECT_EQ(doc->Document().Unit(), UnitDot);
    EXPECT_EQ(doc->Document().WorkArea().Depth(), 9);
    EXPECT_TRUE(main->AutosaveTimer()->isActive());
    EXPECT_EQ(main->AutosaveTimer()->interval(), 180000);

    const QDateTime saved = QFileInfo(QDir(dir).filePath("rug.tex")).lastModified();
    Draw(doc->Document(), [&](TOrvaneBitmap& p) { p.FillRect(7, QRect(0, 0, 64, 48)); });
    main->AutosaveTimer()->setInterval(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !doc->Document().Modified(); }, 5000));
    main->AutosaveTimer()->stop();
    TMainImageForm reread;
    ASSERT_EQ(reread.OpenDocument(dir, QStringLiteral("rug.tex"), 0, 0), 0u);
    EXPECT_EQ(reread.Document().Picture().GetPixel(3, 3), 7u);
    (void)saved;

    main->MdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    ASSERT_EQ(main->History()->List().Count(), 1);
    EXPECT_EQ(main->History()->List().Entry(0).Path, QDir(dir).filePath("rug.tex"));
    QMenu* reopen = main->FileItem()->findChild<QMenu*>();
    ASSERT_NE(reopen, nullptr);
    ASSERT_FALSE(reopen->actions().isEmpty());
    EXPECT_EQ(reopen->actions()[0]->text(), "&1 " + QDir(dir).filePath("rug.tex"));
    reopen->actions()[0]->trigger();
    ASSERT_EQ(main->MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(CurrentDocument()->Document().FileName(), "rug.tex");
}

TEST_F(Changes, PasteRecordsOnlyWhereItLandsAndIsUndone) {
    TMainImageForm* doc = Document(8);
    ASSERT_NE(doc, nullptr);
    Draw(doc->Document(), [&](TOrvaneBitmap& p) { p.FillRect(5, QRect(0, 0, 64, 48)); });
    Draw(doc->Document(), [&](TOrvaneBitmap& p) { p.FillRect(6, QRect(0, 0, 8, 8)); });
    doc->Document().SetSelection(QRect(0, 0, 8, 8));
    ASSERT_EQ(doc->CopyToClipboard(), 0u);
    Draw(doc->Document(), [&](TOrvaneBitmap& p) { p.FillRect(5, QRect(0, 0, 8, 8)); });
    doc->Document().ClearSelection();
    const std::vector<uint32_t> before = Pixels(doc);
    doc->Document().AttachUndo();
    doc->iMainImage->SetPosition(0, 0);
    ASSERT_EQ(doc->PasteFromClipboard(), 0u);
    EXPECT_EQ(doc->Document().Picture().GetPixel(3, 3), 6u);
    ASSERT_EQ(UndoStore().Entries().size(), 1u);
    EXPECT_EQ(UndoStore().Entries()[0].Rect, QRect(0, 0, 8, 8));
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(Pixels(doc), before);
    EXPECT_FALSE(doc->Document().Picture().HasRegion());
}
