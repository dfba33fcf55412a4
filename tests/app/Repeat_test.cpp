// The Repeat window chosen on the real tool palette: repeats clicked on the design
// land where the tile lookup says and undo; a match is recovered after a restart.
#include "app/Mainwindow.h"
#include "platform/Inifile.h"
#include "raster/Repeatwrap.h"
#include "raster/Tptextileimage_f.h"
#include "raster/Undo.h"
#include "shell/Common.h"
#include "shell/Mainmenu.h"
#include "shell/Mainmenu_f.h"
#include "support/Draw.h"
#include "tools/Repeat_f.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {
class RepeatWindow : public MainWindowTest {
  protected:
    // A 64 x 48 256-colour design of distinct pixels with the tile (5, 3, 6 x 4) selected.
    TDocument& Design() {
        TMainImageForm* doc = Document(8);
        doc->iMainImage->SetZoom(1, 1);
        doc->iMainImage->SetPosition(0, 0);
        canvas = doc->iMainImage;
        TDocument& design = doc->Document();
        Draw(design, [](TOrvaneBitmap& p) {
            for (int y = 0; y < p.Height; ++y)
                for (int x = 0; x < p.Width; ++x)
                    p.SetPixel(x, y, uint32_t(2 + (x * 7 + y * 13) % 200));
        });
        EXPECT_TRUE(design.SetSelection(QRegion(kTile)));
        return design;
    }
    TRepeatForm* Open() {
        QTest::mouseClick(main->MainMenu()->Button(ToolRepeat), Qt::LeftButton);
        return qobject_cast<TRepeatForm*>(main->MainMenu()->ToolWindow());
    }
    static std::vector<uint32_t> Pixels(const TDocument& d) {
        std::vector<uint32_t> all;
        for (int y = 0; y < d.Bounds().height(); ++y)
            for (int x = 0; x < d.Bounds().width(); ++x)
                all.push_back(d.Picture().GetPixel(x, y));
        return all;
    }
    static constexpr QRect kTile{5, 3, 6, 4};
    QWidget* canvas = nullptr;
};
} // namespace

TEST_F(RepeatWindow, ClickedRepeatsLandByTheTileLookupAndUndo) {
    TDocument& design = Design();
    const std::vector<uint32_t> before = Pixels(design);
    TRepeatForm* form = Open();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Repeat");
    struct Case {
        QToolButton* button;
        TRepeatWrap wrap; // the lookup with the tile's corner as origin
        QString max;
    } cases[] = {{form->sbNormal, {RepeatStraight, 6, 4, 0}, ""},
                 {form->sbHDVer, {RepeatDropVertical, 6, 4, 2}, "Max : 4"},
                 {form->sbHDHor, {RepeatDropHorizontal, 6, 4, 3}, "Max : 6"}};
    for (const Case& c : cases) {
        c.button->click();
        if (!c.max.isEmpty()) {
            emit form->ComboBoxWH->textActivated("1/2");
            EXPECT_EQ(form->LabelMax->text(), c.max);
        }
        const int steps = UndoStore().Count();
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(40, 30));
        ASSERT_EQ(UndoStore().Count(), steps + 1) << c.wrap.Kind;
        int wrong = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                const QPoint t = c.wrap.Wrap(x - kTile.left(), y - kTile.top()) + kTile.topLeft();
                wrong += design.Picture().GetPixel(x, y) != before[size_t(t.y() * 64 + t.x())];
            }
        EXPECT_EQ(wrong, 0) << c.wrap.Kind;
        main->EUndoItem->trigger();
        EXPECT_TRUE(Pixels(design) == before) << c.wrap.Kind;
    }
    EXPECT_EQ(form->spEditH->value(), 2);
    EXPECT_EQ(form->spEditW->value(), 3);
    // With the size limit on and one tile each way only the tile's own area is written.
    form->LabelSize->click();
    EXPECT_EQ(form->LabelSize->text(), "Size Limit : On");
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(9, 5));
    EXPECT_TRUE(Pixels(design) == before); // the tile onto itself
    main->MainMenu()->CloseTool();
}

TEST_F(RepeatWindow, PreviewShowsOnTheCanvasBeforeTheClickAndGoesWithTheTool) {
    TDocument& design = Design();
    const std::vector<uint32_t> before = Pixels(design);
    const auto shown = [this] { return canvas->grab().toImage().pixel(40, 30) & 0xFFFFFF; };
    const uint32_t plain = shown();
    TRepeatForm* form = Open();
    ASSERT_NE(form, nullptr);
    form->sbHDVer->click();
    emit form->ComboBoxWH->textActivated("1/2");
    const uint32_t previewed = shown();
    EXPECT_NE(previewed, plain) << "the repeat shows before the click";
    EXPECT_TRUE(Pixels(design) == before);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(40, 30));
    EXPECT_EQ(shown(), previewed) << "the click writes what was shown";
    main->EUndoItem->trigger();
    main->MainMenu()->CloseTool();
    EXPECT_EQ(shown(), plain) << "the preview goes with the tool";
}

TEST_F(RepeatWindow, MatchIsRecoveredAfterARestartWhateverTheWindowShows) {
    TDocument& design = Design();
    const std::vector<uint32_t> before = Pixels(design);
    TRepeatForm* form = Open();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->sbRecover->isEnabled());
    form->sbHDVer->click();
    form->spEditH->setValue(1);
    const int steps = UndoStore().Count();
    form->sbMatchVer->click();
    EXPECT_EQ(UndoStore().Count(), steps + 1);
    EXPECT_FALSE(Pixels(design) == before);
    EXPECT_EQ(form->LabelMax->text(), "(0 - 4)");
    form->spEditH->setValue(3); // recover still takes back the roll by 1
    main->MainMenu()->CloseTool();
    const TIniFile ini(SettingsFile("Repeat.ini"));
    EXPECT_EQ(ini.ReadInteger("Match", "Type", -1), 4);
    EXPECT_EQ(ini.ReadInteger("Match", "Count", -1), 1);
    ASSERT_TRUE(design.SetSelection(QRegion(20, 20, 8, 8))); // recover keeps to the rolled tile
    form = Open();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(form->sbRecover->isEnabled());
    form->sbRecover->click();
    EXPECT_TRUE(Pixels(design) == before);
    EXPECT_FALSE(form->sbRecover->isEnabled()); // nothing left to recover
    main->MainMenu()->CloseTool();
}

// A screenshot for looking at, not a check: a vertical half drop of a tile cut from the
// splash picture, applied over the whole design.
TEST_F(RepeatWindow, ScreenshotOfAHalfDropRepeat) {
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT_REPEAT");
    if (out.isEmpty()) GTEST_SKIP() << "set VELMORA_SCREENSHOT_REPEAT to take the screenshot";
    main->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    TMainImageForm* doc =
        main->OpenFile(QStringLiteral(VELMORA_SOURCE_DATA_DIR "/Bin/Carpet/splash.bmp"), 0, 8);
    ASSERT_NE(doc, nullptr);
    doc->parentWidget()->setGeometry(260, 0, 820, 560); // beside the tool window
    doc->iMainImage->SetZoom(1, 1);
    doc->iMainImage->SetPosition(0, 0);
    ASSERT_TRUE(doc->Document().SetSelection(QRegion(150, 60, 160, 150)));
    TRepeatForm* form = Open();
    ASSERT_NE(form, nullptr);
    main->ArrangeTools();
    form->sbHDVer->click();
    emit form->ComboBoxWH->textActivated("1/2");
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(200, 100));
    doc->Document().ClearSelection();
    QTest::qWait(800);
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(out));
}
