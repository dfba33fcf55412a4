// Document windows driven as a user drives them, on the offscreen platform.
#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"
#include "platform/Imagefile.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Filetypes.h"
#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu_f.h"
#include "shell/Ruler_f.h"

#include "support/Draw.h"
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class DocumentWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("VELMORA_CONFIG_DIR", config.path().toUtf8());
        qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
        SetErrorPresenter([this](TSeverity, const QString& text, int) {
            shown << text;
            return answer;
        });
        main = std::make_unique<TMainForm>();
        main->resize(1200, 900);
        main->show();
    }
    void TearDown() override {
        for (QMdiSubWindow* sub : main->MdiArea()->subWindowList())
            if (auto* doc = qobject_cast<TMainImageForm*>(sub->widget())) doc->Document().SetModified(false);
        main.reset();
        SetErrorPresenter(StderrPresenter);
        qunsetenv("VELMORA_CONFIG_DIR");
        qunsetenv("VELMORA_HOME");
    }
    TPaper Paper(int type, int w = 0, int h = 0) {
        TPaper p;
        p.dpi = 160;
        SetPaper(p, type, w, h);
        return p;
    }
    // Clicks the view at a canvas point with the middle button: picks that pixel's colour.
    static void MiddleClick(TMainImageForm* doc, QPoint at) {
        QTest::mouseClick(doc->iMainImage, Qt::MiddleButton, Qt::NoModifier, at);
    }
    QTemporaryDir config, files;
    std::unique_ptr<TMainForm> main;
    QStringList shown;
    int answer = ID_OK;
};

} // namespace

TEST_F(DocumentWindows, NewCanvasIsA4AndNamedByItsNumber) {
    main->FirstActivation(QString());
    TMainImageForm* doc = CurrentDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Document().Picture().Width, 1248);
    EXPECT_EQ(doc->Document().Picture().Height, 1760);
    EXPECT_EQ(doc->Document().Picture().BitsPerPixel, 8);
    EXPECT_EQ(doc->Document().FileName(), QString("Noname%1.tex").arg(doc->Document().Number()));
    EXPECT_EQ(doc->windowTitle(), doc->Document().FileName() + " - 256 Colors");
    EXPECT_EQ(main->StatusPanel(0)->text(), "Size : 19.812000 x 27.940000");
    EXPECT_EQ(main->StatusPanel(1)->text(), "DPI : 160");
    EXPECT_EQ(main->StatusPanel(2)->text(), "Zoom : 1");
    EXPECT_EQ(doc->Document().Picture().GetPixel(600, 900), 2u); // filled with the current colour
}

TEST_F(DocumentWindows, ClicksLandOnThePixelsAtEveryZoom) {
    TMainImageForm* doc = main->NewDocument(Paper(kPaperCustom, 400, 300), 8);
    ASSERT_NE(doc, nullptr);
    Draw(doc->Document(), [&](TOrvaneBitmap& p) { p.SetPixel(5, 3, 77); });
    Draw(doc->Document(), [&](TOrvaneBitmap& p) { p.SetPixel(32, 48, 78); });
    Draw(doc->Document(), [&](TOrvaneBitmap& p) { p.SetPixel(320, 160, 79); });
    for (int i = 0; i < 4; ++i)
        doc->ZoomInClick(); // 16:1
    EXPECT_EQ(doc->PanelText(2), "Zoom : 16");
    doc->iMainImage->SetPosition(0, 0);
    MiddleClick(doc, QPoint(5 * 16 + 7, 3 * 16 + 15));
    EXPECT_EQ(main->MainMenu()->Dispatch().Colour().Index, 77);
    doc->iMainImage->SetZoom(1, 1);
    doc->iMainImage->SetPosition(0, 0);
    MiddleClick(doc, QPoint(32, 48));
    EXPECT_EQ(main->MainMenu()->Dispatch().Colour().Index, 78);
    for (int i = 0; i < 8; ++i)
        doc->ZoomOutClick(); // 1:16, stops there
    EXPECT_EQ(doc->PanelText(2), "Zoom : 1/16");
    MiddleClick(doc, QPoint(20, 10)); // canvas 20,10 is picture 320,160
    EXPECT_EQ(main->MainMenu()->Dispatch().Colour().Index, 79);
}

TEST_F(DocumentWindows, PointerIsCountedFromTheBottomLeft) {
    TMainImageForm* doc = main->NewDocument(Paper(kPaperCustom, 50, 100), 8);
    ASSERT_NE(doc, nullptr);
    doc->SetUnit(UnitDot);
    QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), doc->iMainImage->mapToGlobal(QPointF(0, 0)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(doc->iMainImage, &move);
    QTest::qWait(120); // the 50 ms timer processes the move
    EXPECT_EQ(doc->PanelText(3), "1 : 100");
    EXPECT_EQ(main->StatusPanel(3)->text(), "1 : 100");
    QTest::mouseClick(doc->sbUnit, Qt::LeftButton);
    EXPECT_EQ(doc->Document().Unit(), UnitInch);
    EXPECT_EQ(doc->sbUnit->text(), "Unit : Inch");
}

TEST_F(DocumentWindows, PicturesOpenAsDesignsAndEveryTypeSaves) {
    TOrvaneBitmap rgb;
    ASSERT_TRUE(rgb.Allocate(40, 30, nullptr, 24));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            rgb.SetPixel(x, y, MakeColorRef(x * 6, y * 8, (x * y) % 256));
    const QString bmp = files.path() + "/design.bmp";
    ASSERT_TRUE(rgb.SaveToFile(bmp, FILE_BMP));
    TMainImageForm* doc = main->OpenFile(bmp, TypeBmp, 8);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Document().FileName(), "design.tex");
    EXPECT_EQ(doc->Document().Picture().BitsPerPixel, 8);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const uint32_t v = doc->Document().Picture().GetPixel(x, y);
            ASSERT_GE(v, 2u);
            ASSERT_LE(v, 251u);
        }
    for (int type = 1; type <= kFileTypeCount; ++type) {
        if (type >= TypeT3d && type <= TypeCpt) continue; // not saved by document windows
        const QString name = QString("out%1%2").arg(type).arg(FileTypeInfo(type)->Extension);
        ASSERT_EQ(doc->SaveDocument(files.path(), name, 2, type), 0u) << type;
        TMainImageForm* again = main->OpenFile(files.path() + "/" + name, type, 8);
        ASSERT_NE(again, nullptr) << type;
        EXPECT_EQ(again->Document().Picture().Width, 40);
        const uint32_t v = again->Document().Picture().GetPixel(7, 9);
        EXPECT_EQ(again->Document().Palette()[int(v)].ColorRef(),
                  doc->Document().Palette()[int(doc->Document().Picture().GetPixel(7, 9))].ColorRef())
            << type;
        again->parentWidget()->close();
    }
    EXPECT_TRUE(shown.isEmpty()) << shown.join("\n").toStdString();
}

TEST_F(DocumentWindows, CancellingTheSaveDialogKeepsAModifiedDesignOpen) {
    TMainImageForm* doc = main->NewDocument(Paper(kPaperCustom, 20, 20), 8);
    ASSERT_NE(doc, nullptr);
    doc->Document().SetModified(true);
    answer = ID_YES;
    QString offered;
    doc->SaveDialog = [&](const QString& filter, const QString&) {
        offered = filter;
        return QString();
    };
    EXPECT_FALSE(doc->parentWidget()->close());
    EXPECT_EQ(offered, "Velmora Textile 256 Colors File (*.tex)");
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].endsWith(doc->Document().FileName()));

    // Choosing a name without an extension saves a .tex there and lets the window close.
    const QString chosen = files.path() + "/kept";
    doc->SaveDialog = [&](const QString&, const QString&) { return chosen; };
    EXPECT_TRUE(doc->FormCloseQuery());
    EXPECT_TRUE(QFile::exists(chosen + ".tex"));
    answer = ID_NO;
    doc->Document().SetModified(true);
    EXPECT_TRUE(doc->FormCloseQuery());
}

TEST_F(DocumentWindows, ResizeEnlargeAndClipboardKeepTheDesignConsistent) {
    TMainImageForm* doc = main->NewDocument(Paper(kPaperCustom, 10, 10), 8);
    ASSERT_NE(doc, nullptr);
    Draw(doc->Document(), [&](TOrvaneBitmap& p) { p.SetPixel(1, 1, 9); });
    main->MainMenu()->Dispatch().SetColour(TCurrentColour::OfIndex(5));
    ASSERT_EQ(doc->EnlargeCanvas(12, 11), 0u);
    EXPECT_EQ(doc->Document().Picture().GetPixel(11, 10), 5u);
    EXPECT_EQ(doc->PanelText(0), "Size : 0.190500 x 0.174625");
    ASSERT_EQ(doc->ResizeCanvas(24, 22, 320), 0u);
    EXPECT_EQ(doc->Document().Picture().GetPixel(3, 3), 9u);
    EXPECT_EQ(doc->PanelText(1), "DPI : 320");

    doc->Document().SetSelection(QRect(2, 2, 2, 2));
    ASSERT_EQ(doc->CutToClipboard(), 0u);
    EXPECT_EQ(doc->Document().Picture().GetPixel(3, 3), 5u);
    EXPECT_TRUE(doc->Document().Modified());
    TMainImageForm* other = main->NewDocument(Paper(kPaperCustom, 8, 8), 8);
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(other->PasteFromClipboard(), 0u);
    EXPECT_EQ(other->Document().Picture().GetPixel(0, 0), 9u);
    EXPECT_TRUE(other->Document().Picture().HasRegion());
}

// Run under Xvfb with the xcb platform and VELMORA_SCREENSHOT=file.png to save a
// picture of two documents, zoomed and gridded (scripts/screenshot-documents.sh).
TEST_F(DocumentWindows, ScreenshotOfTwoDocuments) {
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT");
    if (out.isEmpty()) GTEST_SKIP() << "set VELMORA_SCREENSHOT to take the screenshot";
    main->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    TMainImageForm* a =
        main->OpenFile(QStringLiteral(VELMORA_SOURCE_DATA_DIR "/Bin/Carpet/splash.bmp"), 0, 8);
    TMainImageForm* b =
        main->OpenFile(QStringLiteral(VELMORA_SOURCE_DATA_DIR "/Bin/Carpet/splash.bmp"), 0, 24);
    ASSERT_TRUE(a && b);
    main->MdiArea()->tileSubWindows();
    for (TMainImageForm* d : {a, b}) {
        d->ZoomInClick();
        d->ZoomInClick();
        d->ZoomInClick();
        d->sbGrid->setChecked(true);
        d->sbRuler->setChecked(true);
        d->iMainImage->SetPosition(140, 75);
    }
    QTest::qWait(800);
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(out));
}

TEST_F(DocumentWindows, CtrlDragPansAndTheRulerFollowsTheButton) {
    TMainImageForm* doc = main->NewDocument(Paper(kPaperCustom, 2000, 1500), 8);
    ASSERT_NE(doc, nullptr);
    doc->iMainImage->SetPosition(100, 100);
    ASSERT_EQ(doc->iMainImage->PositionX(), 100);
    QTest::mousePress(doc->iMainImage, Qt::LeftButton, Qt::ControlModifier, QPoint(50, 40));
    QTest::mouseMove(doc->iMainImage, QPoint(20, 10));
    QTest::mouseRelease(doc->iMainImage, Qt::LeftButton, Qt::ControlModifier, QPoint(20, 10));
    EXPECT_EQ(doc->iMainImage->PositionX(), 130);
    EXPECT_EQ(doc->iMainImage->PositionY(), 130);
    EXPECT_EQ(doc->sbHorizontal->value(), 130);

    EXPECT_FALSE(doc->RulerTop->isVisibleTo(doc));
    doc->sbRuler->click();
    EXPECT_TRUE(doc->RulerTop->isVisibleTo(doc));
    EXPECT_TRUE(doc->RulerLeft->isVisibleTo(doc));
    const QImage ruler = doc->RulerTop->grab().toImage();
    EXPECT_FALSE(ruler.isNull());
}

TEST_F(DocumentWindows, ClosingTheProgramAsksAndCancelKeepsItRunning) {
    TMainImageForm* doc = main->NewDocument(Paper(kPaperCustom, 20, 20), 8);
    ASSERT_NE(doc, nullptr);
    doc->Document().SetModified(true);
    answer = ID_CANCEL;
    EXPECT_FALSE(main->close());
    EXPECT_EQ(main->MdiArea()->subWindowList().size(), 1);
    answer = ID_NO;
    EXPECT_TRUE(main->close());
    QApplication::processEvents();
    EXPECT_TRUE(main->MdiArea()->subWindowList().isEmpty());
}

// As above, the whole application: two documents with the tool palette, full
// view and palette windows along the right edge.
TEST_F(DocumentWindows, ScreenshotOfTheApplication) {
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT_APP");
    if (out.isEmpty()) GTEST_SKIP() << "set VELMORA_SCREENSHOT_APP to take the screenshot";
    main->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    main->FirstActivation(QStringLiteral(VELMORA_SOURCE_DATA_DIR "/Bin/Carpet/splash.bmp"));
    TMainImageForm* full = CurrentDocument(); // the picture opens as it is: full colour
    TMainImageForm* indexed =
        main->OpenFile(QStringLiteral(VELMORA_SOURCE_DATA_DIR "/Bin/Carpet/splash.bmp"), 0, 8);
    ASSERT_TRUE(full && indexed);
    main->MdiArea()->tileSubWindows();
    full->ZoomInClick();
    full->sbGrid->setChecked(true);
    // The 256-colour design is the current one: a middle click picks the gold of its
    // border, and the palette window, open on the CMY panel, follows.
    main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(indexed->parentWidget()));
    main->PaletteWindow()->SetMode(ModeCMY);
    QPoint gold(0, 0); // the first pixel of the border that is not the darker colour
    const TOrvaneBitmap& picture = indexed->Document().Picture();
    while (gold.x() < 60 && picture.GetPixel(gold.x(), 2) == picture.GetPixel(0, 2))
        gold.rx()++;
    QTest::mouseClick(indexed->iMainImage, Qt::MiddleButton, {}, QPoint(gold.x(), 2));
    main->ArrangeTools();
    QTest::qWait(800);
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(out));
}
