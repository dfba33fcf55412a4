// The Move/Copy window driven through the real tool palette and document windows.
#include "app/Mainwindow.h"
#include "colour/Colorref.h"
#include "platform/Inifile.h"
#include "raster/Tptextileimage_f.h"
#include "raster/Undo.h"
#include "shell/Common.h"
#include "shell/Mainmenu.h"
#include "shell/Mainmenu_f.h"
#include "tools/Movecopy_f.h"
#include "tools/Window_f.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

namespace {

class MoveCopyWindow : public MainWindowTest {
  protected:
    // A design shown 1:1 from its corner with a selected 6 x 4 block of distinct pixels at (2, 2).
    TMainImageForm* Canvas(int bits) {
        TMainImageForm* doc = Document(bits);
        if (!doc) return nullptr;
        doc->iMainImage->SetZoom(1, 1);
        doc->iMainImage->SetPosition(0, 0);
        Draw(doc->Document(), [bits](TOrvaneBitmap& p) {
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 6; ++x)
                    p.SetPixel(2 + x, 2 + y,
                               bits == 8 ? uint32_t(20 + x + 6 * y) : MakeColorRef(30 * x, 50 * y, 99));
        });
        doc->Document().SetSelection(QRegion(2, 2, 6, 4));
        return doc;
    }
    void Hover(TMainImageForm* doc, QPoint at) {
        QMouseEvent hover(QEvent::MouseMove, QPointF(at), doc->iMainImage->mapToGlobal(QPointF(at)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(doc->iMainImage, &hover);
        doc->ProcessPendingMove();
    }
    uint32_t Shown(TMainImageForm* doc, QPoint at) {
        return doc->iMainImage->grab().toImage().pixel(at) & 0xFFFFFF;
    }
};

} // namespace

TEST_F(MoveCopyWindow, CopyFlipRotateBendAndMoveOnBothDepthsEachUndone) {
    for (int bits : {8, 24}) {
        TMainImageForm* doc = Canvas(bits);
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(main->MainMenu()->Button(ToolMoveCopy)->isEnabled());
        QTest::mouseClick(main->MainMenu()->Button(ToolMoveCopy), Qt::LeftButton);
        auto* form = qobject_cast<TMoveCopyForm*>(main->MainMenu()->ToolWindow());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), "Move / Copy");
        const TDocument& design = doc->Document();
        const TOrvaneBitmap& picture = design.Picture();
        const uint32_t corner = picture.GetPixel(2, 2), ground = picture.GetPixel(40, 30);
        auto colour = [&](uint32_t v) {
            return ToQColor(bits == 8 ? design.Palette()[int(v)].ColorRef() : v).rgb() & 0xFFFFFF;
        };
        QTest::mouseClick(form->sbCopy, Qt::LeftButton);
        // Where the source's top-left pixel lands for the pointer at (30, 20).
        struct Step {
            int type;
            QPoint lands;
        } steps[] = {
            {FloatNormal, {30, 20}},   // the pointer holds the top-left
            {FloatUpDown, {30, 19}},   // the bottom edge
            {FloatMirror, {29, 20}},   // the right edge
            {FloatUDMirror, {29, 19}}, // the bottom-right corner
            {FloatRotate, {28, 22}},   // a quarter turn, centred: 4 x 6 from (28, 17)
        };
        for (const Step& s : steps) {
            if (s.type == FloatRotate) {
                form->cbRotate->setEditText("90");
                QTest::mouseClick(form->btnRotateRun, Qt::LeftButton);
                EXPECT_TRUE(form->sbType[FloatRotate]->isChecked());
            } else {
                QTest::mouseClick(form->sbType[s.type], Qt::LeftButton);
            }
            Hover(doc, QPoint(30, 20));
            EXPECT_EQ(Shown(doc, s.lands), colour(corner)) << bits << " " << s.type << ": the piece shows";
            EXPECT_EQ(picture.GetPixel(s.lands.x(), s.lands.y()), ground) << "but is not yet written";
            const int records = UndoStore().Count();
            QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(30, 20));
            EXPECT_EQ(picture.GetPixel(s.lands.x(), s.lands.y()), corner) << bits << " " << s.type;
            EXPECT_EQ(UndoStore().Count(), records + 1);
            main->EUndoItem->trigger();
            EXPECT_EQ(picture.GetPixel(s.lands.x(), s.lands.y()), ground) << bits << " " << s.type;
        }
        // Bent into a tube: the design changes around the pointer, and undo takes it back.
        QTest::mouseClick(form->sbType[FloatBend], Qt::LeftButton);
        QTest::mouseClick(form->rgBendType[BendTube], Qt::LeftButton);
        QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(30, 20));
        int bent = 0;
        for (int y = 10; y < 30; ++y)
            for (int x = 20; x < 40; ++x)
                bent += picture.GetPixel(x, y) != ground;
        EXPECT_GT(bent, 12) << bits;
        main->EUndoItem->trigger();
        EXPECT_EQ(picture.GetPixel(30, 20), ground);
        // MOVE leaves the background behind and takes the selection along.
        QTest::mouseClick(form->sbType[FloatNormal], Qt::LeftButton);
        QTest::mouseClick(form->sbMove, Qt::LeftButton);
        QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(40, 30));
        EXPECT_EQ(picture.GetPixel(40, 30), corner);
        EXPECT_EQ(picture.GetPixel(2, 2), bits == 8 ? 1u : MakeColorRef(255, 255, 255));
        EXPECT_EQ(design.Selection(), QRegion(40, 30, 6, 4));
        main->EUndoItem->trigger();
        EXPECT_EQ(picture.GetPixel(2, 2), corner);
        EXPECT_EQ(picture.GetPixel(40, 30), ground);
        EXPECT_EQ(design.Selection(), QRegion(2, 2, 6, 4));
        main->MainMenu()->CloseTool();
        const TIniFile ini(SettingsFile("MoveCopy.ini"));
        EXPECT_EQ(ini.ReadInteger("MoveCopy", "State", -1), MoveCopyMove);
        EXPECT_EQ(ini.ReadInteger("MoveCopy", "Type", -1), FloatNormal);
        EXPECT_EQ(ini.ReadInteger("MoveCopy", "BendType", -1), BendTube);
    }
}

// A screenshot for looking at, not a check: an irregular selection with curved sides,
// made with the Window tool, lifted by Move/Copy and dragged over the splash design.
TEST_F(MoveCopyWindow, ScreenshotOfACurvedSelectionDragged) {
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT_MOVECOPY");
    if (out.isEmpty()) GTEST_SKIP() << "set VELMORA_SCREENSHOT_MOVECOPY to take the screenshot";
    main->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    TMainImageForm* doc =
        main->OpenFile(QStringLiteral(VELMORA_SOURCE_DATA_DIR "/Bin/Carpet/splash.bmp"), 0, 8);
    ASSERT_NE(doc, nullptr);
    doc->parentWidget()->setGeometry(0, 0, 900, 600);
    main->ArrangeTools();
    doc->iMainImage->SetZoom(3, 2);
    doc->iMainImage->SetPosition(0, 0);
    QTest::mouseClick(main->MainMenu()->Button(ToolWindow), Qt::LeftButton);
    auto* window = qobject_cast<TWindowForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->sbIrregular, Qt::LeftButton);
    window->cbIrreCurve->setChecked(true);
    // Each point pressed, its control point dragged out, released.
    const QPoint points[][2] = {
        {{90, 60}, {160, 20}}, {{330, 70}, {380, 160}}, {{300, 260}, {200, 330}}, {{80, 230}, {30, 150}}};
    for (const auto& [at, control] : points) {
        QTest::mousePress(doc->iMainImage, Qt::LeftButton, {}, at);
        QTest::mouseMove(doc->iMainImage, control);
        doc->ProcessPendingMove();
        QTest::mouseRelease(doc->iMainImage, Qt::LeftButton, {}, control);
    }
    QTest::mouseClick(window->sbIrreClose, Qt::LeftButton);
    ASSERT_TRUE(doc->Document().HasSelection());
    QTest::mouseClick(main->MainMenu()->Button(ToolMoveCopy), Qt::LeftButton);
    auto* form = qobject_cast<TMoveCopyForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(form->sbCopy, Qt::LeftButton);
    Hover(doc, QPoint(520, 300));
    QTest::qWait(800);
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(out));
}
