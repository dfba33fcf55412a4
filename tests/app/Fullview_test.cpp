#include "platform/Inifile.h"
#include "raster/Tpstretchimage_f.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Common.h"
#include "shell/Fullview_f.h"
#include "shell/Grid_f.h"
#include "shell/Mainimage_f.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class FullViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("VELMORA_CONFIG_DIR", config.path().toUtf8());
        qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
        LoadConfiguration();
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, 2000, 1500);
        doc = new TMainImageForm;
        ASSERT_EQ(doc->NewCanvas(paper, 8), 0u);
        doc->iMainImage->resize(400, 300); // sees 400 x 300 picture pixels at 1:1
        form.show();
        form.ShowImage(doc);
    }
    void TearDown() override {
        delete doc;
        qunsetenv("VELMORA_CONFIG_DIR");
        qunsetenv("VELMORA_HOME");
    }
    QTemporaryDir config;
    // The window reads its texts when it is made, so the configuration comes first.
    bool configured = [this] {
        qputenv("VELMORA_CONFIG_DIR", config.path().toUtf8());
        qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
        LoadConfiguration();
        return true;
    }();
    TFullViewForm form;
    TMainImageForm* doc = nullptr;
};

} // namespace

TEST_F(FullViewTest, PointingIntoThePreviewScrollsTheDocument) {
    ASSERT_EQ(form.Image->size(), QSize(200, 150));
    EXPECT_EQ(form.windowTitle(), "Full View");
    QTest::mouseClick(form.Image, Qt::LeftButton, {}, QPoint(100, 75));
    EXPECT_EQ(doc->iMainImage->PositionX(), 800); // 1600 * 90 / 180
    EXPECT_EQ(doc->iMainImage->PositionY(), 600);
    QTest::mouseClick(form.Image, Qt::LeftButton, {}, QPoint(5, 75));
    EXPECT_EQ(doc->iMainImage->PositionX(), 0);
    QTest::mouseClick(form.Image, Qt::LeftButton, {}, QPoint(195, 145));
    EXPECT_EQ(doc->iMainImage->PositionX(), 1600);
    EXPECT_EQ(doc->iMainImage->PositionY(), 1200);
    // Dragging keeps scrolling until the button comes up.
    QTest::mousePress(form.Image, Qt::LeftButton, {}, QPoint(100, 75));
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(10, 10), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(form.Image, &move);
    EXPECT_EQ(doc->iMainImage->PositionX(), 0);
    QTest::mouseRelease(form.Image, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent idle(QEvent::MouseMove, QPointF(100, 75), QPointF(100, 75), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(form.Image, &idle);
    EXPECT_EQ(doc->iMainImage->PositionX(), 0);
}

TEST_F(FullViewTest, FrameInvertsTheVisibleAreaOutline) {
    doc->iMainImage->SetPosition(800, 600); // frame at (80, 60), 40 x 30
    const QImage shot = form.Image->grab().toImage();
    EXPECT_NE(shot.pixel(80, 60), shot.pixel(90, 70));
    EXPECT_NE(shot.pixel(119, 89), shot.pixel(90, 70));
    EXPECT_EQ(shot.pixel(90, 70), shot.pixel(10, 10));
}

TEST_F(FullViewTest, TrackBarSetsTheDocumentZoom) {
    form.TrackBar->setValue(2);
    EXPECT_EQ(form.LabelZoom->text(), "1/4");
    EXPECT_EQ(doc->iMainImage->GetZoomIn(), 1);
    EXPECT_EQ(doc->iMainImage->GetZoomOut(), 4);
    // Now 1600 picture pixels are visible: 400 remain to scroll, aligned to 4.
    QTest::mouseClick(form.Image, Qt::LeftButton, {}, QPoint(100, 75));
    EXPECT_EQ(doc->iMainImage->PositionX(), 200);
    form.TrackBar->setValue(8);
    EXPECT_EQ(doc->iMainImage->GetZoomIn(), 16);
    EXPECT_EQ(form.LabelZoom->text(), "16");
}

TEST_F(FullViewTest, SuperCyclesAndOverlapEntryIsClamped) {
    int changes = 0;
    form.OnSuperChange = [&changes] { ++changes; };
    const char* captions[] = {" On ", " Mix ", " Combine ", " Off "};
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(form.stSuper, Qt::LeftButton);
        EXPECT_EQ(form.stSuper->text(), captions[i]);
        EXPECT_EQ(form.eOverlap->isVisible(), i == 2);
        EXPECT_EQ(form.tbOverlap->isVisible(), i == 2);
        if (i != 2) continue;
        form.eOverlap->clear();
        QTest::keyClicks(form.eOverlap, "150");
        QTest::keyClick(form.eOverlap, Qt::Key_Return);
        EXPECT_EQ(form.eOverlap->text(), "100");
        EXPECT_EQ(form.tbOverlap->value(), 100);
        EXPECT_EQ(form.Overlap(), 100);
        form.eOverlap->clear();
        QTest::keyClicks(form.eOverlap, "-3");
        QTest::keyClick(form.eOverlap, Qt::Key_Return);
        EXPECT_EQ(form.eOverlap->text(), "0");
        EXPECT_EQ(form.Overlap(), 0);
        form.tbOverlap->setValue(37);
        EXPECT_EQ(form.eOverlap->text(), "37");
        EXPECT_EQ(form.Overlap(), 37);
    }
    EXPECT_EQ(form.Super(), 0);
    EXPECT_EQ(changes, 4);
    const char* tapes[] = {" Tape 3 ", " Tape 1 ", " Tape 2 ", " Off "};
    for (const char* caption : tapes) {
        QTest::mouseClick(form.stTapeline, Qt::LeftButton);
        EXPECT_EQ(form.stTapeline->text(), caption);
    }
    EXPECT_EQ(form.Tapeline(), 0);
}

TEST_F(FullViewTest, GridSettingsReachTheDocumentAndTheSettingsFile) {
    int askedDpi = 0;
    form.GridDialog = [&askedDpi](int dpi, TGridSetup& setup) {
        askedDpi = dpi;
        setup = TGridSetup{1, 0.5, 0.25, 0x0000FF, 4, 0x00FF00};
        return true;
    };
    QTest::mouseClick(form.sbGrid, Qt::LeftButton);
    EXPECT_EQ(askedDpi, 160);
    EXPECT_EQ(form.stGridX->text(), "0.5");
    EXPECT_EQ(form.stGridY->text(), "0.25");
    const TGridSettings& grid = doc->iMainImage->View().GridSettings;
    EXPECT_EQ(grid.GapX, 80.0);
    EXPECT_EQ(grid.GapY, 40.0);
    EXPECT_EQ(grid.Mark, 4);
    EXPECT_EQ(grid.MarkColor, 0x00FF00u);
    const TIniFile ini(SettingsFile("Environment.ini"));
    EXPECT_EQ(ReadGridSetup(ini).GapX, 0.5);
    // A cancelled dialog changes nothing.
    form.GridDialog = [](int, TGridSetup& setup) {
        setup.GapX = 9;
        return false;
    };
    QTest::mouseClick(form.sbGrid, Qt::LeftButton);
    EXPECT_EQ(form.GridSetup().GapX, 0.5);
}

TEST_F(FullViewTest, ClosingTheDocumentLetsGoOfItsPicture) {
    delete doc;
    doc = nullptr;
    EXPECT_EQ(form.Document(), nullptr);
    EXPECT_FALSE(form.Image->grab().isNull()); // paints without the gone picture
    QTest::mouseClick(form.Image, Qt::LeftButton, {}, QPoint(100, 75));
    form.TrackBar->setValue(1);
    EXPECT_EQ(form.LabelZoom->text(), "1/8");
}

TEST_F(FullViewTest, GridWindowConvertsUnitsAndKeepsPresets) {
    const QString ini = config.filePath("Grid.ini");
    TGridForm dialog(160, TGridSetup{0, 160, 80, 0, 0, 0}, nullptr, ini);
    dialog.PickColor = [](TColorRef& colour) {
        colour = 0x0000FF;
        return true;
    };
    dialog.cbUnit->setCurrentIndex(1); // dots to inches at 160 dpi
    EXPECT_EQ(dialog.eGapX->value(), 1.0);
    EXPECT_EQ(dialog.eGapY->value(), 0.5);
    QTest::mouseClick(dialog.btColor, Qt::LeftButton);
    dialog.seLines->setValue(3);
    QTest::mouseClick(dialog.btAdd, Qt::LeftButton);
    ASSERT_EQ(dialog.lbCatalog->count(), 1);
    EXPECT_EQ(dialog.lbCatalog->item(0)->text(), "1 x 0.5 Inch, 3");
    EXPECT_EQ(ReadGridCatalog(TIniFile(ini)).size(), 1);
    dialog.cbUnit->setCurrentIndex(0);
    dialog.lbCatalog->setCurrentRow(-1);
    dialog.lbCatalog->setCurrentRow(0); // picking the preset brings it back
    EXPECT_EQ(dialog.Settings(), (TGridSetup{1, 1.0, 0.5, 0x0000FF, 3, 0}));
    QTest::mouseClick(dialog.btDelete, Qt::LeftButton);
    EXPECT_EQ(dialog.lbCatalog->count(), 0);
    EXPECT_TRUE(ReadGridCatalog(TIniFile(ini)).isEmpty());
    QTest::mouseClick(dialog.btOK, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
