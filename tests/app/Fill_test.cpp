// The Fill window chosen on the real tool palette, its fills clicked on 256-colour
// and full-colour designs within a selection and around a protected colour, and undone.
#include "app/Mainwindow.h"
#include "platform/Inifile.h"
#include "raster/Tptextileimage_f.h"
#include "raster/Undo.h"
#include "shell/Capture.h"
#include "shell/Common.h"
#include "shell/Mainmenu.h"
#include "shell/Mainmenu_f.h"
#include "shell/Paper.h"
#include "tools/Fill_f.h"
#include "tools/Spreadfill_f.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>

namespace {
class FillWindow : public MainWindowTest {};
} // namespace

TEST_F(FillWindow, ClicksSingleAndPatternFillsWithinTheSelectionAndUndoesThem) {
    for (const int bits : {8, 24}) {
        TMainImageForm* doc = Document(bits); // one colour all over, 64 x 48
        ASSERT_NE(doc, nullptr);
        doc->iMainImage->SetZoom(1, 1);
        doc->iMainImage->SetPosition(0, 0);
        TDocument& design = doc->Document();
        design.EditPalette([](TPalette& p) {
            p[3].SetRGB(1, 2, 3); // a colour of its own for the pattern
            return true;
        });
        const uint32_t dot = bits == 8 ? 3u : MakeColorRef(1, 2, 3);
        Draw(design, [dot](TOrvaneBitmap& p) { p.SetPixel(0, 0, dot); }); // the pattern: dot, ground
        auto rgb = [&](int x, int y) {
            const uint32_t v = design.Picture().GetPixel(x, y);
            return bits == 8 ? design.Palette()[int(v)].ColorRef() : v;
        };
        ASSERT_TRUE(CapturedImages().Insert(design.Picture(), QRegion(0, 0, 2, 1)));
        const uint32_t ground = design.Picture().GetPixel(5, 5);
        ASSERT_TRUE(design.SetSelection(QRegion(0, 0, 32, 48)));
        QTest::mouseClick(main->MainMenu()->Button(ToolFill), Qt::LeftButton);
        auto* fill = qobject_cast<TFillForm*>(main->MainMenu()->ToolWindow());
        ASSERT_NE(fill, nullptr);
        EXPECT_EQ(fill->windowTitle(), "Fill");
        EXPECT_TRUE(fill->sbTSingle->isChecked());
        main->MainMenu()->Dispatch().SetColour(TCurrentColour::OfIndex(5).WithRgb(MakeColorRef(10, 20, 30)));
        const uint32_t colour = main->MainMenu()->Dispatch().Colour().Pixel(bits, design.Palette());

        const int steps = UndoStore().Count();
        QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(UndoStore().Count(), steps + 1) << bits;
        EXPECT_EQ(design.Picture().GetPixel(5, 5), colour) << bits;
        EXPECT_EQ(design.Picture().GetPixel(31, 40), colour) << bits;
        EXPECT_EQ(design.Picture().GetPixel(32, 40), ground) << bits; // outside the selection
        EXPECT_EQ(design.Picture().GetPixel(0, 0), dot) << bits;      // another colour

        // The pattern (dot, ground) tiled from the click, two pixels a tile.
        QTest::mouseClick(fill->sbTNPattern, Qt::LeftButton);
        EXPECT_FALSE(fill->sbTSingle->isChecked());
        EXPECT_EQ(fill->cbPattern->itemText(0), "Capture 1");
        QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(7, 5));
        EXPECT_EQ(UndoStore().Count(), steps + 2) << bits;
        const TColorRef groundColour = bits == 8 ? design.Palette()[int(ground)].ColorRef() : ground;
        EXPECT_EQ(rgb(7, 5), MakeColorRef(1, 2, 3)) << bits;
        EXPECT_EQ(rgb(8, 5), groundColour) << bits;
        EXPECT_EQ(rgb(5, 9), MakeColorRef(1, 2, 3)) << bits;

        main->EUndoItem->trigger();
        main->EUndoItem->trigger();
        EXPECT_EQ(design.Picture().GetPixel(5, 5), ground) << bits;
        EXPECT_EQ(design.Picture().GetPixel(7, 5), ground) << bits;
        // All to-buttons up: a click fills nothing.
        QTest::mouseClick(fill->sbTNPattern, Qt::LeftButton);
        QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(design.Picture().GetPixel(5, 5), ground) << bits;
        fill->spDeg->setValue(30);
        main->MainMenu()->CloseTool();
        CapturedImages().Clear();
    }
    EXPECT_EQ(TIniFile(SettingsFile("Fill.ini")).ReadInteger("Rotate", "BeforeDeg", -1), 30);
}

TEST_F(FillWindow, AProtectedColourKeepsItsPixels) {
    TMainImageForm* doc = Document(8);
    ASSERT_NE(doc, nullptr);
    doc->iMainImage->SetZoom(1, 1);
    doc->iMainImage->SetPosition(0, 0);
    TDocument& design = doc->Document();
    const uint32_t ground = design.Picture().GetPixel(5, 5);
    design.EditPalette([ground](TPalette& p) {
        p[int(ground)].SetProtected(true);
        return true;
    });
    design.SetProtection(true);
    QTest::mouseClick(main->MainMenu()->Button(ToolFill), Qt::LeftButton);
    const int steps = UndoStore().Count();
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(design.Picture().GetPixel(5, 5), ground);
    EXPECT_EQ(UndoStore().Count(), steps); // nothing written: no step
    main->MainMenu()->CloseTool();
}

// A screenshot for looking at, not a check: a linear and a circular gradation made with
// the Spread Fill tool and a half-drop pattern fill made with the Fill tool.
TEST_F(FillWindow, ScreenshotOfGradationsAndAPatternFill) {
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT_FILLS");
    if (out.isEmpty()) GTEST_SKIP() << "set VELMORA_SCREENSHOT_FILLS to take the screenshot";
    main->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    TPaper paper;
    paper.dpi = 160;
    SetPaper(paper, kPaperCustom, 480, 300);
    TMainImageForm* doc = main->NewDocument(paper, 8);
    ASSERT_NE(doc, nullptr);
    doc->parentWidget()->setGeometry(0, 0, 560, 400);
    main->ArrangeTools();
    doc->iMainImage->SetZoom(1, 1);
    doc->iMainImage->SetPosition(0, 0);
    TDocument& design = doc->Document();
    design.EditPalette([](TPalette& p) {
        const int rgb[][3] = {{235, 235, 225}, {225, 230, 240}, {240, 228, 210}, {20, 40, 120},
                              {250, 210, 40},  {170, 30, 40},   {30, 120, 70}};
        for (int k = 0; k < 7; ++k)
            p[20 + k].SetRGB(rgb[k][0], rgb[k][1], rgb[k][2]);
        p.UseColor = std::max<uint16_t>(p.UseColor, 27); // drawing colours in use
        return true;
    });
    Draw(design, [](TOrvaneBitmap& p) {
        p.FillRect(20, QRect(0, 0, 240, 200));          // the linear spread's area
        p.FillRect(21, QRect(240, 0, 240, 200));        // the circular one's
        p.FillRect(22, QRect(0, 200, 480, 100));        // the pattern fill's
        p.SetPixel(2, 298, 23), p.SetPixel(4, 298, 24); // the gradation's two colours
        p.FillRect(25, QRect(440, 210, 12, 12));        // the motif: a red diamond on green
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                if (std::abs(x - 6) + std::abs(y - 6) > 5) p.SetPixel(440 + x, 210 + y, 26);
    });
    ASSERT_TRUE(CapturedImages().Insert(design.Picture(), QRegion(440, 210, 12, 12)));

    QTest::mouseClick(main->MainMenu()->Button(ToolSpreadFill), Qt::LeftButton);
    auto* spread = qobject_cast<TSpreadFillForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(spread, nullptr);
    spread->TrackBar->setValue(0);
    QTest::mouseClick(spread->StaticTextColor, Qt::LeftButton); // clicks pick the slots' colours
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(2, 298));
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(4, 298));
    QTest::mouseClick(spread->StaticTextColor, Qt::LeftButton);
    spread->seGap->setValue(12);
    QTest::mouseClick(spread->SpeedButtonPosition, Qt::LeftButton);
    ASSERT_EQ(spread->Settings().Shape, SpreadLinear);
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(10, 100));
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(230, 100));
    QTest::mouseClick(spread->ImageView, Qt::LeftButton); // linear becomes circular
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(360, 100));
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(470, 100));

    QTest::mouseClick(main->MainMenu()->Button(ToolFill), Qt::LeftButton);
    auto* fill = qobject_cast<TFillForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(fill, nullptr);
    QTest::mouseClick(fill->sbTNPattern, Qt::LeftButton);
    fill->cbRepeatType->setCurrentIndex(2); // half drop
    fill->spRange->setValue(6);
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(200, 250));
    QTest::qWait(800);
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(out));
    main->MainMenu()->CloseTool();
    CapturedImages().Clear();
}
