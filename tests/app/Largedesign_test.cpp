// A large design (12000 x 16000) in its window: repaints read only what is shown,
// a stroke records only its box, and long operations show a window with Cancel.
#include "app/Mainwindow.h"
#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"
#include "raster/Tptextileimage_f.h"
#include "raster/Viewscale.h"
#include "shell/Exception.h"
#include "shell/Filetypes.h"
#include "shell/Fullview_f.h"
#include "shell/Progress_f.h"
#include "tools/Repeat.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 12000, kHeight = 16000;

class LargeDesign : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetErrorPresenter([this](TSeverity, const QString& text, int) {
            shown << text;
            return ID_OK;
        });
        main->resize(1000, 800);
    }
    void TearDown() override {
        SetErrorPresenter(StderrPresenter);
        MainWindowTest::TearDown();
    }
    TMainImageForm* Large() {
        TPaper p;
        p.dpi = 1000;
        SetPaper(p, kPaperCustom, kWidth, kHeight);
        TMainImageForm* doc = main->NewDocument(p, 8);
        if (doc) doc->parentWidget()->showMaximized();
        QApplication::processEvents();
        return doc;
    }
    // Pixels converted by one synchronous repaint of the view.
    static int64_t RepaintCost(TMainImageForm* doc) {
        const int64_t before = ConvertedPixels();
        doc->iMainImage->repaint();
        return ConvertedPixels() - before;
    }
    QStringList shown;
};

// A fake operation of steps reports, each lasting stepMs, run through the window.
struct TFakeRun {
    int Steps, StepMs;
    bool SawWindow = false;
    int Answered = 0; // reports answered true
    uint32_t Run(QWidget* parent, const std::function<void(TProgressForm&)>& whenShown = {}) {
        return RunWithProgress(parent, "Working", [&](const TProgressFn& progress) -> uint32_t {
            EXPECT_TRUE(LongRunBusy()); // the timers leave the designs alone meanwhile
            for (int i = 0; i <= Steps; ++i) {
                if (i) QThread::msleep(StepMs);
                if (auto* form = parent->findChild<TProgressForm*>("Progress"); form && form->isVisible()) {
                    if (!SawWindow && whenShown) whenShown(*form);
                    SawWindow = true;
                }
                if (!progress(i, Steps)) return ErrorCode::Cancelled;
                ++Answered;
            }
            return 0;
        });
    }
};

} // namespace

TEST_F(LargeDesign, EveryZoomAndScrollRepaintsOnlyWhatTheViewShows) {
    TMainImageForm* doc = Large();
    ASSERT_NE(doc, nullptr);
    const QSize view = doc->iMainImage->size();
    ASSERT_GT(view.width() * view.height(), 10000);
    const int64_t shownPixels = int64_t(view.width()) * view.height();
    for (int display : {int(RepeatOff), int(RepeatDropVertical)}) {
        doc->SetRepeatDisplay(display);
        for (int step = 0; step < 9; ++step) {
            doc->SetZoomStep(step);
            const int64_t cost = RepaintCost(doc);
            EXPECT_GT(cost, 0) << "display " << display << " zoom step " << step;
            EXPECT_LE(cost, shownPixels) << "display " << display << " zoom step " << step;
            // From the corner a page down and right moves the view and costs no more.
            doc->sbHorizontal->setValue(0);
            doc->sbVertical->setValue(0);
            doc->sbHorizontal->setValue(doc->sbHorizontal->pageStep());
            doc->sbVertical->setValue(doc->sbVertical->pageStep());
            EXPECT_NE(QPoint(doc->iMainImage->PositionX(), doc->iMainImage->PositionY()), QPoint(0, 0));
            EXPECT_LE(RepaintCost(doc), shownPixels) << "scrolled, zoom step " << step;
        }
    }
}

TEST_F(LargeDesign, AStrokeRecordsOnlyItsBoxAndUndoGivesItBack) {
    TMainImageForm* doc = Large();
    ASSERT_NE(doc, nullptr);
    doc->SetZoomStep(4); // 1:1
    doc->iMainImage->SetPosition(6000, 8000);
    main->PaletteWindow()->DIB256Palette->SetChoiceIndex(12);
    const uint32_t before = doc->Document().Picture().GetPixel(6040, 8025);
    QTest::mousePress(doc->iMainImage, Qt::LeftButton, {}, QPoint(20, 20));
    for (const QPoint q : {QPoint(40, 25), QPoint(60, 30), QPoint(80, 40)}) {
        QTest::mouseMove(doc->iMainImage, q);
        doc->ProcessPendingMove();
    }
    QTest::mouseRelease(doc->iMainImage, Qt::LeftButton, {}, QPoint(80, 40));
    ASSERT_FALSE(UndoStore().AllRecords().empty());
    const QRect record = UndoStore().AllRecords().back()->Rect;
    EXPECT_TRUE(record.contains(QRect(6020, 8020, 60, 20))) << record.x() << "," << record.y();
    EXPECT_LE(record.width(), 512);
    EXPECT_LE(record.height(), 512);
    EXPECT_NE(doc->Document().Picture().GetPixel(6040, 8025), before); // on the stroke
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->Document().Picture().GetPixel(6040, 8025), before);
    doc->Document().SetModified(false);
}

TEST_F(LargeDesign, TheProgressWindowShowsOnlyForLongWorkAndCancelStopsIt) {
    struct Case {
        const char* Name;
        int Steps, StepMs;
        bool Cancel;
        bool ExpectWindow;
        uint32_t ExpectCode;
    };
    const Case cases[] = {
        {"short", 8, 10, false, false, 0}, // 80 ms: nothing shows
        {"long", 20, 50, false, true, 0},  // a second: the window shows
        {"cancelled", 40, 50, true, true, ErrorCode::Cancelled},
    };
    for (const Case& c : cases) {
        TFakeRun run{c.Steps, c.StepMs};
        const uint32_t code = run.Run(main.get(), [&](TProgressForm& form) {
            if (c.Cancel) QTest::mouseClick(form.CancelButton, Qt::LeftButton);
        });
        EXPECT_EQ(code, c.ExpectCode) << c.Name;
        EXPECT_EQ(run.SawWindow, c.ExpectWindow) << c.Name;
        if (c.Cancel)
            EXPECT_LT(run.Answered, c.Steps) << c.Name;
        else
            EXPECT_EQ(run.Answered, c.Steps + 1) << c.Name;
        EXPECT_EQ(main->findChild<TProgressForm*>("Progress"), nullptr) << c.Name; // gone with the run
        EXPECT_FALSE(LongRunBusy()) << c.Name;
    }
}

TEST_F(LargeDesign, OpeningALargeFileThroughTheFileMenuShowsProgressAndCancelOpensNothing) {
    QTemporaryDir files;
    {
        TDocument source; // a full-colour picture of bands
        TPaper p;
        p.dpi = 1000;
        SetPaper(p, kPaperCustom, kWidth, kHeight);
        ASSERT_EQ(source.NewCanvas(p, 24, TCurrentColour::OfIndex(3)), 0u);
        Draw(source, [](TOrvaneBitmap& b) {
            std::vector<uint8_t> row(size_t(b.Width) * 3);
            for (int y = 0; y < b.Height; ++y) {
                if (y % 97 == 0)
                    for (size_t i = 0; i < row.size(); ++i)
                        row[i] = uint8_t(i % 3 == 0 ? y / 97 : i % 3 == 1 ? 255 - y / 97 : 90);
                std::memcpy(b.ScanLine(y), row.data(), row.size());
            }
        });
        ASSERT_EQ(source.Save(files.path(), "big.tfc", 0, 0), 0u);
    }
    // Opened as 256 colours, so there is work to stop after the reading.
    main->OpenDialog = [&](const QString&) { return TFileChoice{files.filePath("big.tfc"), TypeTfc, 8}; };
    QAction* open = nullptr;
    for (QAction* a : main->FileItem()->actions())
        if (a->text() == "&File Manager...") open = a;
    ASSERT_NE(open, nullptr);
    for (bool cancel : {true, false}) {
        // The window shows at once, however fast this machine reads and reduces.
        const QString caption = WatchProgress([&] { open->trigger(); }, cancel);
        EXPECT_TRUE(caption.contains("big.tfc")) << caption.toStdString();
        EXPECT_EQ(main->MdiArea()->subWindowList().size(), cancel ? 0 : 1) << "cancel " << cancel;
    }
    ASSERT_NE(CurrentDocument(), nullptr);
    EXPECT_EQ(CurrentDocument()->Document().BitsPerPixel(), 8);
    EXPECT_TRUE(shown.isEmpty()) << shown.join("\n").toStdString(); // a cancel is no error
}

// A screenshot for looking at, not a check: the A0 1000-dpi design that
// `velmora-cli new` made, opened through the app, with a motif repeated over it in
// half drop; fitted to the window, then at 16:1 beside the full view.
TEST_F(LargeDesign, ScreenshotOfAnA0DesignFittedAndAt16To1) {
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT_LARGE");
    const QString design = qEnvironmentVariable("VELMORA_SCREENSHOT_LARGE_DESIGN");
    if (out.isEmpty() || design.isEmpty())
        GTEST_SKIP() << "set VELMORA_SCREENSHOT_LARGE and VELMORA_SCREENSHOT_LARGE_DESIGN to take it";
    main->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    TMainImageForm* doc = main->OpenFile(design, 0, 0);
    ASSERT_NE(doc, nullptr);
    TDocument& d = doc->Document();
    d.EditPalette([](TPalette& p) {
        p[30].SetRGB(238, 228, 200); // ground
        p[31].SetRGB(150, 30, 40);   // diamond
        p[32].SetRGB(30, 50, 120);   // ring
        p[33].SetRGB(220, 170, 40);  // centre
        p[34].SetRGB(20, 90, 60);    // border
        return true;
    });
    constexpr int kTile = 1000;
    Draw(d, [](TOrvaneBitmap& b) {
        for (int y = 0; y < kTile; ++y)
            for (int x = 0; x < kTile; ++x) {
                const int dx = x - kTile / 2, dy = y - kTile / 2, r2 = dx * dx + dy * dy;
                int c = std::abs(dx) + std::abs(dy) <= 420 ? 31 : 30;
                if (r2 >= 200 * 200 && r2 <= 260 * 260) c = 32;
                if (r2 <= 90 * 90) c = 33;
                if (x < 14 || y < 14) c = 34;
                b.SetPixel(x, y, uint32_t(c));
            }
    });
    TRepeatSettings s;
    s.Tile = QRect(0, 0, kTile, kTile);
    s.Function = RepeatHalfDropVer;
    s.Drop = kTile / 2;
    {
        TChange change(d, 0); // made, not edited: no undo record
        ASSERT_EQ(PaintRepeat(change, d.WorkArea(), s, d.Bounds()), 0u);
        change.Commit();
    }
    doc->parentWidget()->showMaximized();
    doc->sbRuler->setChecked(true);
    QApplication::processEvents();
    const QSize view = doc->iMainImage->size();
    const int fit = std::max((d.Picture().Width + view.width() - 1) / view.width(),
                             (d.Picture().Height + view.height() - 1) / view.height());
    doc->iMainImage->SetZoom(1, fit);
    doc->iMainImage->SetPosition(0, 0);
    emit doc->StatusChanged();
    QTest::qWait(600);
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(out));

    doc->parentWidget()->showNormal();
    doc->parentWidget()->setGeometry(0, 0, 1100, 760);
    doc->SetZoomStep(8);                    // 16:1
    doc->iMainImage->SetPosition(730, 470); // the ring's edge and the diamond in the first tile
    if (auto* full = main->findChild<TFullViewForm*>()) {
        full->show();
        full->ShowImage(doc);
        full->move(main->geometry().right() - full->width() - 20, main->geometry().top() + 80);
    }
    QTest::qWait(600);
    QString second = out;
    second.replace(QRegularExpression("\\.png$"), "-16.png");
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(second));
    d.SetModified(false);
}
