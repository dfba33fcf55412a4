#include "app/Mainwindow.h"
#include "colour/Colorchart_f.h"
#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"
#include "colour/Protect_f.h"
#include "platform/Inifile.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Common.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

// A 64 x 48 design of index 40 with three 10 x 10 blocks of indices 5, 6 and 7 along the top.
class Protection : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        doc = Document(8);
        ASSERT_NE(doc, nullptr);
        Draw(doc->Document(), [&](TOrvaneBitmap& p) { p.FillRect(40, QRect(0, 0, 64, 48)); });
        for (int k = 0; k < 3; ++k)
            Draw(doc->Document(),
                 [&](TOrvaneBitmap& p) { p.FillRect(uint32_t(5 + k), QRect(10 * k, 0, 10, 10)); });
        doc->iMainImage->SetZoom(1, 1);
        doc->iMainImage->SetPosition(0, 0);
        doc->iMainImage->Paint();
        pal = main->PaletteWindow();
        pal->AttachDocument(&doc->Document());
    }
    void Click(int x, int y) { QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(x, y)); }
    void Move(int x, int y) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), doc->iMainImage->mapToGlobal(QPointF(x, y)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(doc->iMainImage, &move);
        doc->ProcessPendingMove();
    }
    const TChoiceColor& Set() { return pal->pnProtect->csProtect->Colors(); }
    TMainImageForm* doc = nullptr;
    TPaletteForm* pal = nullptr;
};

} // namespace

TEST_F(Protection, ImageClicksBuildTheSetAndOKProtectsExactlyThose) {
    QTest::mouseClick(pal->SpeedButtonProtect, Qt::LeftButton);
    ASSERT_EQ(pal->Mode(), ModeProtection);
    EXPECT_NE(main->MainMenu()->Dispatch().Modal(), nullptr); // the mode holds the design's input
    TProtectPanel* panel = pal->pnProtect;

    panel->SpeedButtonProtectOne->setChecked(true); // one click takes one colour
    Click(2, 2);
    EXPECT_EQ(Set().Count(), 1);
    EXPECT_TRUE(Set().Contains(5));

    panel->SpeedButtonProtectOne->setChecked(false); // two clicks span a rectangle
    Click(12, 2);
    Move(25, 5);
    const QImage band = doc->iMainImage->grab().toImage();
    const QRgb corner = band.pixel(25, 5) & 0xFFFFFF;
    EXPECT_TRUE(corner == 0xFFFFFF || corner == 0) << std::hex << corner;
    Click(25, 5);
    EXPECT_TRUE(Set().Contains(6));
    EXPECT_TRUE(Set().Contains(7));
    EXPECT_FALSE(Set().Contains(40));

    panel->SpeedButtonProtectOne->setChecked(true);
    panel->SpeedButtonProtectDelete->setChecked(true); // "Insert Color" takes colours out
    Click(2, 2);
    EXPECT_FALSE(Set().Contains(5));
    pal->DIB256Palette->SetChoiceIndex(9); // a palette choice is removed too while it is down
    panel->SpeedButtonProtectDelete->setChecked(false);
    pal->DIB256Palette->SetChoiceIndex(12); // and added when it is up
    EXPECT_TRUE(Set().Contains(12));
    EXPECT_EQ(Set().Count(), 3);

    QTest::mouseClick(panel->ButtonProtect, Qt::LeftButton);
    EXPECT_EQ(pal->Mode(), ModeNone);
    EXPECT_EQ(main->MainMenu()->Dispatch().Modal(), nullptr);
    EXPECT_TRUE(doc->sbProtect->isChecked());
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(doc->Document().Palette()[i].Protected(), i == 6 || i == 7 || i == 12) << i;
    const TIniFile saved(SettingsFile(QStringLiteral("Main.ini")));
    EXPECT_EQ(saved.ReadInteger(QStringLiteral("ProtectColor"), QStringLiteral("Count"), 0), 3);
}

TEST_F(Protection, CutAndPasteLeaveProtectedColoursUnchanged) {
    doc->Document().EditPalette([](TPalette& p) {
        p[6].SetProtected(true);
        return true;
    });
    doc->sbProtect->setChecked(true);
    doc->Document().SetSelection(QRect(0, 0, 64, 48));
    main->MainMenu()->Dispatch().SetColour(TCurrentColour::OfIndex(3));
    ASSERT_EQ(doc->CutToClipboard(), 0u);
    EXPECT_EQ(doc->Document().Picture().GetPixel(2, 2), 3u);  // index 5 was painted over
    EXPECT_EQ(doc->Document().Picture().GetPixel(12, 2), 6u); // index 6 is protected
    EXPECT_EQ(doc->Document().Picture().GetPixel(40, 40), 3u);
    doc->sbProtect->setChecked(false); // protection off: the same colour changes
    doc->Document().SetSelection(QRect(10, 0, 5, 5));
    ASSERT_EQ(doc->CutToClipboard(), 0u);
    EXPECT_EQ(doc->Document().Picture().GetPixel(12, 2), 3u);

    doc->Document().SetSelection(QRect(0, 40, 64, 8)); // a strip of index 3
    ASSERT_EQ(doc->CopyToClipboard(), 0u);
    Draw(doc->Document(), [&](TOrvaneBitmap& p) {
        p.FillRect(6, QRect(0, 0, 32, 8));
    }); // protected left half, plain right half
    Draw(doc->Document(), [&](TOrvaneBitmap& p) { p.FillRect(5, QRect(32, 0, 32, 8)); });
    doc->sbProtect->setChecked(true);
    doc->iMainImage->SetPosition(0, 0); // paste lands at the top-left of the view
    ASSERT_EQ(doc->PasteFromClipboard(), 0u);
    EXPECT_EQ(doc->Document().Picture().GetPixel(5, 3), 6u);
    EXPECT_EQ(doc->Document().Picture().GetPixel(40, 3), 3u);
}

TEST_F(Protection, AllNewAndBeforeColorWorkOnTheSavedSet) {
    QTest::mouseClick(pal->SpeedButtonProtect, Qt::LeftButton);
    TProtectPanel* panel = pal->pnProtect;
    QTest::mouseClick(panel->btAll, Qt::LeftButton);
    ASSERT_EQ(Set().Count(), 4);
    EXPECT_EQ(Set().IndexAt(0), 5); // in order of first appearance, row by row
    EXPECT_EQ(Set().IndexAt(3), 40);
    QTest::mouseClick(pal->SpeedButtonProtect, Qt::LeftButton); // leaving saves the set
    EXPECT_EQ(main->MainMenu()->Dispatch().Modal(), nullptr);
    for (int i = 0; i < 256; ++i)
        ASSERT_FALSE(doc->Document().Palette()[i].Protected()); // only O.K writes the flags

    QTest::mouseClick(pal->SpeedButtonProtect, Qt::LeftButton);
    EXPECT_EQ(Set().Count(), 0);
    QTest::mouseClick(panel->btBefore, Qt::LeftButton);
    EXPECT_EQ(Set().Count(), 4);
    QTest::mouseClick(panel->btNew, Qt::LeftButton);
    EXPECT_EQ(Set().Count(), 0);
    QTest::mouseClick(pal->SpeedButtonProtect, Qt::LeftButton); // an empty set keeps the saved one
    const TIniFile saved(SettingsFile(QStringLiteral("Main.ini")));
    EXPECT_EQ(saved.ReadInteger(QStringLiteral("ProtectColor"), QStringLiteral("Count"), 0), 4);
}

TEST_F(Protection, FullColourDesignsOfferNoProtectionAndLeaveTheMode) {
    QTest::mouseClick(pal->SpeedButtonProtect, Qt::LeftButton);
    TMainImageForm* full = Document(24);
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(pal->Mode(), ModeNone);
    EXPECT_FALSE(pal->SpeedButtonProtect->isEnabled());
    EXPECT_EQ(main->MainMenu()->Dispatch().Modal(), nullptr);
    EXPECT_FALSE(full->sbProtect->isEnabled());
}

TEST_F(Protection, ChartModeShowsAndChoosesColours) {
    QTest::mouseClick(pal->sbChart, Qt::LeftButton);
    TColorChartForm* chart = pal->ColorChart;
    ASSERT_TRUE(chart->isVisible());
    EXPECT_EQ(chart->windowTitle(), "Color Chart");
    pal->DIB256Palette->SetChoiceIndex(77);
    EXPECT_EQ(chart->ShownIndex(), 77);
    chart->resize(400, 360);
    QApplication::processEvents();
    const QRect area = chart->imChart->rect();
    QPoint at;
    for (int y = 0; y < area.height() && at.isNull(); y += 2)
        for (int x = 0; x < area.width(); x += 2)
            if (chart->IndexAt(QPoint(x, y)) == 251) {
                at = QPoint(x, y);
                break;
            }
    ASSERT_FALSE(at.isNull());
    QTest::mouseClick(chart->imChart, Qt::LeftButton, {}, at);
    EXPECT_EQ(pal->DIB256Palette->ChoiceIndex(), 251);
    EXPECT_TRUE(chart->StatusText->text().startsWith("Color 250"));
    QTest::mouseClick(pal->sbChart, Qt::LeftButton);
    EXPECT_FALSE(chart->isVisible());
}
