#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Newcanvas_f.h"

#include "support/Settingsdir.h"
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class NewCanvasTest : public SettingsTest {};

} // namespace

TEST_F(NewCanvasTest, DefaultMakesA4PortraitAt160Dpi) {
    TNewCanvasForm form;
    EXPECT_EQ(form.windowTitle(), "New Canvas");
    QTest::mouseClick(form.btDefault, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Paper().type, 0);
    EXPECT_EQ(form.Paper().dpi, 160);
    EXPECT_EQ(form.Paper().width, 1248);
    EXPECT_EQ(form.Paper().height, 1760);
}

TEST_F(NewCanvasTest, ListFollowsUnitAndResolutionAndUserSizesUseTheEdits) {
    {
        TIniFile env(SettingsFile("Environment.ini"));
        env.WriteInteger("CanvasInfor", "DPI", 100);
        env.WriteInteger("MainImage", "Size", 5);
    }
    TNewCanvasForm form;
    EXPECT_EQ(form.seDPI->value(), 100);
    EXPECT_EQ(form.cbSizeType->currentIndex(), 5);
    EXPECT_EQ(form.cbSizeType->itemText(0), "A4 Size (19.812 Cm * 27.94 Cm)");
    EXPECT_FALSE(form.edWidth->isEnabled());
    form.rbDot->setChecked(true);
    EXPECT_EQ(form.cbSizeType->itemText(0), "A4 Size ( 780 Dot * 1100 Dot)");
    form.seDPI->setValue(200);
    EXPECT_EQ(form.cbSizeType->itemText(4), "A0 Size (6240 Dot * 8800 Dot)");
    EXPECT_EQ(form.cbSizeType->currentIndex(), 5);

    form.rbLandscape->setChecked(true);
    QTest::mouseClick(form.btOK, Qt::LeftButton);
    EXPECT_EQ(form.Paper().type, 6); // Letter
    EXPECT_EQ(form.Paper().width, 2060);
    EXPECT_EQ(form.Paper().height, 1600);

    form.cbSizeType->setCurrentIndex(kUserDefinesIndex);
    EXPECT_TRUE(form.edWidth->isEnabled());
    EXPECT_FALSE(form.gbOrientation->isEnabled());
    form.rbCm->setChecked(true);
    form.edWidth->setText("2.54");
    form.edHeight->setText("x");
    form.setResult(QDialog::Rejected);
    QTest::mouseClick(form.btOK, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Rejected); // not a size: the dialog stays
    form.edHeight->setText("10");
    QTest::mouseClick(form.btOK, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Paper().type, kPaperCustom);
    EXPECT_EQ(form.Paper().width, 200);
    EXPECT_EQ(form.Paper().height, 787); // 10 x 200 / 2.54 + 0.5
}

TEST_F(NewCanvasTest, SheetsShowTheirSizeTheLastChoiceComesBackAndBadSizesAreExplained) {
    QStringList shown;
    SetErrorPresenter([&](TSeverity, const QString& text, int) {
        shown << text;
        return int(ID_OK);
    });
    {
        TNewCanvasForm form(24, MakeColorRef(255, 0, 0));
        form.rbDot->setChecked(true);
        form.cbSizeType->setCurrentIndex(0); // A4 at 160 dpi
        EXPECT_EQ(form.edWidth->text(), "1248");
        EXPECT_EQ(form.edHeight->text(), "1760");
        form.rbLandscape->setChecked(true);
        EXPECT_EQ(form.edWidth->text(), "1760");
        EXPECT_TRUE(form.stFillColor->styleSheet().contains("#ff0000"));
        form.cbSizeType->setCurrentIndex(kUserDefinesIndex);
        form.edWidth->setText("");
        form.edHeight->setText("20");
        QTest::mouseClick(form.btOK, Qt::LeftButton);
        EXPECT_NE(form.result(), QDialog::Accepted);
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].contains("numbers above 0"));
        form.edWidth->setText("70000");
        QTest::mouseClick(form.btOK, Qt::LeftButton);
        ASSERT_EQ(shown.size(), 2);
        EXPECT_TRUE(shown[1].startsWith("The canvas would be 70000 x 20 dots")) << shown[1].toStdString();
        form.edWidth->setText("300");
        QTest::mouseClick(form.btOK, Qt::LeftButton);
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
    TNewCanvasForm again;
    EXPECT_EQ(again.cbSizeType->currentIndex(), kUserDefinesIndex);
    EXPECT_TRUE(again.rbDot->isChecked());
    EXPECT_EQ(again.edWidth->text(), "300");
    EXPECT_EQ(again.edHeight->text(), "20");
    SetErrorPresenter(StderrPresenter);
}

TEST(NewCanvasRules, TypedSizesConvertByUnit) {
    EXPECT_EQ(TextToDots("7.8", UnitInch, 160), 1248);
    EXPECT_EQ(TextToDots("1.99", UnitInch, 100), 199);
    EXPECT_EQ(TextToDots("1", UnitCm, 160), 63);
    EXPECT_EQ(TextToDots("321", UnitDot, 160), 321);
    bool ok = true;
    EXPECT_EQ(TextToDots("abc", UnitDot, 160, &ok), 0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(PaperTypeOfSizeIndex(5), 6);
    EXPECT_EQ(PaperTypeOfSizeIndex(8), kPaperCustom);
    EXPECT_EQ(SizeIndexOfPaperType(8), 7);
    struct Case {
        const char *Width, *Height;
        int Dpi, Bits;
        TNewCanvasProblem Problem;
    };
    const Case cases[] = {
        {"0", "10", 160, 8, TNewCanvasProblem::NoSize},
        {"", "10", 160, 8, TNewCanvasProblem::NoSize},
        {"70000", "10", 160, 8, TNewCanvasProblem::TooLarge},
        {"60000", "60000", 160, 24, TNewCanvasProblem::TooLarge},
        {"10", "10", 1001, 8, TNewCanvasProblem::BadDpi},
        {"10", "12", 160, 24, TNewCanvasProblem::None},
    };
    for (const Case& c : cases) {
        TNewCanvasSettings s;
        s.SizeIndex = kUserDefinesIndex;
        s.Unit = UnitDot;
        s.WidthText = c.Width;
        s.HeightText = c.Height;
        s.Dpi = c.Dpi;
        TPaper p;
        EXPECT_EQ(NewCanvasPaper(s, c.Bits, p), c.Problem) << c.Width << " " << c.Height;
    }
}
