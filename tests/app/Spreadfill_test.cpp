// The Spread Fill window chosen on the real tool palette, its gradations clicked on
// 256-colour and full-colour designs and undone.
#include "app/Mainwindow.h"
#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"
#include "platform/Inifile.h"
#include "raster/Tptextileimage_f.h"
#include "raster/Undo.h"
#include "shell/Common.h"
#include "shell/Main_f.h"
#include "shell/Mainmenu.h"
#include "shell/Mainmenu_f.h"
#include "tools/Spreadfill_f.h"

#include <QPointer>
#include <QSlider>
#include <QTest>
#include <QToolButton>

namespace {
class SpreadFillWindow : public MainWindowTest {};
} // namespace

TEST_F(SpreadFillWindow, ClicksAGradationOn256AndFullColourDesignsAndUndoesIt) {
    for (const int bits : {8, 24}) {
        TMainImageForm* doc = Document(bits); // one colour all over, 64 x 48
        ASSERT_NE(doc, nullptr);
        doc->iMainImage->SetZoom(1, 1);
        doc->iMainImage->SetPosition(0, 0);
        const TDocument& design = doc->Document();
        Draw(doc->Document(), [](TOrvaneBitmap& p) { p.SetPixel(0, 47, 0); }); // black, 0 both ways
        const uint32_t ground = design.Picture().GetPixel(5, 5);
        const int used = design.Palette().UseColor;
        QTest::mouseClick(main->MainMenu()->Button(ToolSpreadFill), Qt::LeftButton);
        auto* spread = qobject_cast<TSpreadFillForm*>(main->MainMenu()->ToolWindow());
        ASSERT_NE(spread, nullptr);
        EXPECT_EQ(spread->windowTitle(), "Spread Fill");

        // "Color" on: a click stores the black pixel in slot 0 and moves to slot 1.
        spread->TrackBar->setValue(0);
        QTest::mouseClick(spread->StaticTextColor, Qt::LeftButton);
        EXPECT_EQ(spread->StaticTextColor->text(), "YES");
        QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(0, 47));
        EXPECT_EQ(spread->Settings().Slots[0].Colour.ColorRef(), 0u);
        EXPECT_EQ(spread->TrackBar->value(), 1);
        QTest::mouseClick(spread->StaticTextColor, Qt::LeftButton);

        // Position: P0 and P1 across the design run black to white (slot 1) over it.
        QTest::mouseClick(spread->SpeedButtonPosition, Qt::LeftButton);
        const int steps = UndoStore().Count();
        QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(0, 5));
        QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(63, 5));
        EXPECT_EQ(UndoStore().Count(), steps + 1) << bits;
        auto colour = [&](int x, int y) {
            const uint32_t v = design.Picture().GetPixel(x, y);
            return bits == 8 ? design.Palette()[int(v)].ColorRef() : v;
        };
        EXPECT_LT(RedOf(colour(1, 20)), 90) << bits;   // the dark end
        EXPECT_GT(RedOf(colour(62, 20)), 160) << bits; // the light end
        if (bits == 8) { // four colours after the ones in use, shown in the palette window
            EXPECT_EQ(design.Palette().UseColor, used + 4);
            EXPECT_EQ(main->PaletteWindow()->DIB256Palette->UseColor(), used + 4);
            EXPECT_GT(int(design.Picture().GetPixel(62, 20)), used);
        }

        main->EUndoItem->trigger();
        EXPECT_EQ(design.Picture().GetPixel(62, 20), ground) << bits;
        EXPECT_EQ(design.Palette().UseColor, used) << bits;
        main->MainMenu()->CloseTool();
    }
    TIniFile ini(SettingsFile("SpreadFill.ini"));
    EXPECT_EQ(ini.ReadInteger("UpDown", "Pos", -1), 2);
    EXPECT_EQ(ini.ReadInteger("Grade", "Color0", -1), 0);
}

// A tool window's colour list lets go of the palette of a design that closes, so it
// never draws from a palette that is gone.
TEST_F(SpreadFillWindow, ColourListsOfToolWindowsLetGoOfAClosedDesignsPalette) {
    for (const int tool : {ToolSpreadFill, ToolFill, ToolWindow}) {
        TMainImageForm* doc = Document(8);
        ASSERT_NE(doc, nullptr);
        QTest::mouseClick(main->MainMenu()->Button(tool), Qt::LeftButton);
        QPointer<QWidget> window = main->MainMenu()->ToolWindow();
        ASSERT_NE(window, nullptr) << tool;
        EXPECT_EQ(TMainForm::ToolPalette(window), &doc->Document().Palette()) << tool;
        ASSERT_TRUE(doc->parentWidget()->close());
        QCoreApplication::processEvents();
        EXPECT_EQ(window ? TMainForm::ToolPalette(window) : nullptr, nullptr) << tool;
        main->MainMenu()->CloseTool();
    }
}
