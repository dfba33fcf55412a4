#include "shell/Canvassize_f.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Mainimage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {
TPaper Paper160(int w, int h) {
    TPaper p;
    p.dpi = 160;
    SetPaper(p, kPaperCustom, w, h);
    return p;
}
} // namespace

TEST(CanvasSizeDialogs, ShowCurrentSizeAndTakeTheNewOneInAUnit) {
    qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
    LoadConfiguration();
    QStringList shown;
    int answer = ID_NO;
    SetErrorPresenter([&](TSeverity, const QString& text, int) {
        shown << text;
        return answer;
    });
    TResizeCanvasForm resize(Paper160(320, 160));
    EXPECT_EQ(resize.windowTitle(), "Resize Canvas");
    EXPECT_EQ(resize.lbCurrentWidth->text(), "Width : 320 Dots");
    resize.rbInch->setChecked(true);
    EXPECT_EQ(resize.lbCurrentWidth->text(), "Width : 2.000000 Inch");
    resize.edWidth->setText("1.5");
    resize.edHeight->setText("1");
    resize.seDPI->setValue(100);
    QTest::mouseClick(resize.btOK, Qt::LeftButton); // smaller: it asks, and No keeps the dialog
    EXPECT_NE(resize.result(), QDialog::Accepted);
    ASSERT_EQ(shown.size(), 1);
    answer = ID_YES;
    QTest::mouseClick(resize.btOK, Qt::LeftButton);
    EXPECT_EQ(resize.result(), QDialog::Accepted);
    EXPECT_EQ(resize.NewWidth(), 150);
    EXPECT_EQ(resize.NewHeight(), 100);
    EXPECT_EQ(resize.NewDpi(), 100);

    TEnlargeCanvasForm enlarge(Paper160(320, 160));
    EXPECT_EQ(enlarge.windowTitle(), "Enlarge Canvas");
    enlarge.rbCm->setChecked(true);
    EXPECT_EQ(enlarge.lbCurrentHeight->text(), "Height : 2.540000 Cm");
    enlarge.edWidth->setText("-3");
    enlarge.edHeight->setText("1");
    QTest::mouseClick(enlarge.btOK, Qt::LeftButton);
    EXPECT_NE(enlarge.result(), QDialog::Accepted);
    enlarge.rbDot->setChecked(true);
    enlarge.edWidth->setText("400");
    enlarge.edHeight->setText("100"); // smaller than 160: refused, with the reason
    QTest::mouseClick(enlarge.btOK, Qt::LeftButton);
    EXPECT_NE(enlarge.result(), QDialog::Accepted);
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown[2].startsWith("The new size is smaller than the design."));
    enlarge.edHeight->setText("160");
    QTest::mouseClick(enlarge.btOK, Qt::LeftButton);
    EXPECT_EQ(enlarge.result(), QDialog::Accepted);
    SetErrorPresenter(StderrPresenter);
    qunsetenv("VELMORA_HOME");
}

TEST(CanvasSizeRules, ResizeStretchesAndEnlargeKeepsTheTopLeft) {
    TDesign d;
    ASSERT_TRUE(d.Image.Allocate(2, 2, nullptr, 8));
    d.Image.SetPixel(1, 1, 9);
    SetPaper(d.Paper, 0);
    ASSERT_EQ(EnlargeDesign(d, 3, 3, 4), 0u);
    EXPECT_EQ(d.Image.GetPixel(1, 1), 9u);
    EXPECT_EQ(d.Image.GetPixel(2, 2), 4u);
    EXPECT_EQ(d.Paper.type, kPaperCustom);
    EXPECT_EQ(d.Paper.width, 3);
    ASSERT_EQ(ResizeDesign(d, 6, 6, 300), 0u);
    EXPECT_EQ(d.Image.GetPixel(3, 3), 9u);
    EXPECT_EQ(d.Paper.dpi, 300);
    EXPECT_NE(ResizeDesign(d, 0, 6, 300), 0u);
    EXPECT_NE(ResizeDesign(d, 6, 6, 20), 0u);
    EXPECT_NE(EnlargeDesign(d, 70000, 6, 0), 0u);
    EXPECT_EQ(d.Image.Width, 6);
    EXPECT_EQ(d.Paper.dpi, 300);
}
