// The Fill window chosen on the real tool palette, its fills clicked on 256-colour
// and full-colour designs within a selection and around a protected colour, and undone.
#include "app/Mainwindow.h"
#include "platform/Inifile.h"
#include "raster/Tptextileimage_f.h"
#include "raster/Undo.h"
#include "shell/Capture.h"
#include "shell/Common.h"
#include "shell/Mainmenu.h"
#include "tools/Fill_f.h"

#include <QComboBox>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

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
