#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Environment_f.h"

#include "support/Settingsdir.h"
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class EnvironmentFormTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        path = SettingsFile("Environment.ini");
    }
    void Seed(auto edit) {
        TIniFile ini(path);
        edit(ini);
    }
    // Clicks near the left edge, where a radio button's indicator is.
    static void Click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {},
                          QPoint(std::min(8, button->width() / 2), button->height() / 2));
    }
    // Brings a page to the front and lets it lay out, as a user's click on the tab would.
    static void ShowPage(TEnvironmentForm& form, int page) {
        form.pcPages->setCurrentIndex(page);
        QApplication::processEvents();
    }
    QString path;
};

} // namespace

TEST_F(EnvironmentFormTest, OkWritesEveryKeyFromTheControls) {
    TEnvironmentForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Environment");
    ASSERT_EQ(form.pcPages->count(), 4);
    EXPECT_EQ(form.pcPages->tabText(3), "SizeType");
    EXPECT_EQ(form.seDPI->value(), 160);
    EXPECT_EQ(form.spEditUndo->value(), 5);
    EXPECT_EQ(form.rgUnit->ItemIndex(), 0);

    form.PickColor = [](TColorRef& c) {
        c = c == 0 ? MakeColorRef(0, 0, 255) : c;
        return true;
    };
    Click(form.btGridColor);
    form.PickColor = [](TColorRef& c) {
        c = MakeColorRef(255, 0, 0);
        return true;
    };
    Click(form.btSectionColor);
    form.seDPI->setValue(300);
    Click(form.rgUnit->Button(2)); // 1 dot -> 2.54 / 300 cm at 300 dpi
    form.rceGapX->setValue(0.5);
    form.seSectionNumber->setValue(4);
    ShowPage(form, 1);
    form.spEditUndo->setValue(12);
    Click(form.RadioGroup1->Button(2));
    ShowPage(form, 2);
    form.CheckBox1->setChecked(true);
    form.spMinute->setValue(17);
    ShowPage(form, 3);
    Click(form.RadioGroup2->Button(5)); // Letter
    EXPECT_EQ(form.GridPreview->Shown().SectionColor, MakeColorRef(255, 0, 0));
    EXPECT_EQ(form.GridPreview->Shown().LinesPerSection, 4);
    Click(form.btOK);
    ASSERT_EQ(form.result(), QDialog::Accepted);

    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("CanvasInfor", "DPI", 0), 300);
    EXPECT_EQ(ini.ReadInteger("Grid", "Unit", 0), 2);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Grid", "GapX", 0), 0.5);
    EXPECT_NEAR(ini.ReadFloat("Grid", "GapY", 0), 2.54 / 300, 1e-6); // six decimals kept, not rounded
    EXPECT_EQ(ini.ReadInteger("Grid", "Color", -1), int(MakeColorRef(0, 0, 255)));
    EXPECT_EQ(ini.ReadInteger("Grid", "LinesPerSection", 0), 4);
    EXPECT_EQ(ini.ReadInteger("Grid", "SectionColor", -1), int(MakeColorRef(255, 0, 0)));
    EXPECT_EQ(ini.ReadInteger("Grid", "Catalog-Count", -1), 0);
    EXPECT_EQ(ini.ReadInteger("Window", "MaxUndo", 0), 12);
    EXPECT_EQ(ini.ReadInteger("MainImage", "Unit", 0), 2);
    EXPECT_EQ(ini.ReadInteger("MainImage", "Size", 0), 5);
    EXPECT_TRUE(ini.ReadBool("AutoSave", "Check", false));
    EXPECT_EQ(ini.ReadInteger("AutoSave", "Min", 0), 17);
    EXPECT_EQ(TIniFile(ConfigStoreFile()).ReadString("Common", "TREG_Size", ""), "cstLetter");
}

TEST_F(EnvironmentFormTest, CancelWritesNothing) {
    Seed([](TIniFile& ini) {
        ini.WriteInteger("Window", "MaxUndo", 40); // hand-edited beyond the limit
        ini.WriteInteger("AutoSave", "Min", 9);
    });
    QFile before(path);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();

    TEnvironmentForm form;
    form.show();
    EXPECT_EQ(form.spEditUndo->value(), 20);
    EXPECT_EQ(form.spMinute->value(), 9);
    form.spMinute->setValue(30);
    ShowPage(form, 3);
    Click(form.RadioGroup2->Button(7));
    EXPECT_EQ(form.RadioGroup2->ItemIndex(), 7);
    Click(form.btAdd);
    Click(form.btCancel);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), bytes);
    EXPECT_FALSE(QFileInfo::exists(ConfigStoreFile()));
}

TEST_F(EnvironmentFormTest, ChangingTheUnitConvertsTheGaps) {
    Seed([](TIniFile& ini) {
        ini.WriteFloat("Grid", "GapX", 160);
        ini.WriteFloat("Grid", "GapY", 80);
    });
    TEnvironmentForm form;
    form.show();
    Click(form.rgUnit->Button(1));
    EXPECT_DOUBLE_EQ(form.rceGapX->value(), 1.0);
    EXPECT_DOUBLE_EQ(form.rceGapY->value(), 0.5);
    EXPECT_EQ(form.rceGapY->text(), "0.5");
    Click(form.rgUnit->Button(2));
    EXPECT_DOUBLE_EQ(form.rceGapX->value(), 2.54);
    EXPECT_EQ(form.GridPreview->Shown().Unit, 2);
    form.seDPI->setValue(320); // the resolution counts from here on
    Click(form.rgUnit->Button(0));
    EXPECT_DOUBLE_EQ(form.rceGapX->value(), 320.0);
    EXPECT_DOUBLE_EQ(form.rceGapY->value(), 160.0);
}

TEST_F(EnvironmentFormTest, PresetButtonsAddDeleteAndLoadAndOkRewritesTheCatalog) {
    Seed([](TIniFile& ini) {
        ini.WriteInteger("Grid", "Catalog-Count", 5);
        for (int i = 0; i < 5; ++i)
            ini.WriteString("Grid", QStringLiteral("Catalog-%1").arg(i),
                            QStringLiteral("Dot) %1 x 2").arg(i + 1));
    });
    TEnvironmentForm form;
    form.show();
    ASSERT_EQ(form.lbGrid->count(), 5);
    EXPECT_EQ(form.lbGrid->item(0)->text(), "Dot) 1.000000 x 2.000000");
    for (int i = 0; i < 3; ++i) {
        form.lbGrid->setCurrentRow(0);
        Click(form.btDelete);
    }
    ASSERT_EQ(form.lbGrid->count(), 2);
    EXPECT_EQ(form.lbGrid->item(0)->text(), "Dot) 4.000000 x 2.000000");

    Click(form.rgUnit->Button(1));
    form.rceGapX->setValue(0.25);
    Click(form.btAdd);
    ASSERT_EQ(form.lbGrid->count(), 3);
    EXPECT_EQ(form.lbGrid->item(2)->text(), "Inch) 0.250000 x 0.006250");

    QListWidgetItem* first = form.lbGrid->item(0);
    QApplication::processEvents(); // lays the list out
    QTest::mouseClick(form.lbGrid->viewport(), Qt::LeftButton, {},
                      form.lbGrid->visualItemRect(first).center());
    QTest::mouseDClick(form.lbGrid->viewport(), Qt::LeftButton, {},
                       form.lbGrid->visualItemRect(first).center());
    EXPECT_EQ(form.rgUnit->ItemIndex(), 0);
    EXPECT_DOUBLE_EQ(form.rceGapX->value(), 4.0);
    EXPECT_DOUBLE_EQ(form.rceGapY->value(), 2.0);

    Click(form.btOK);
    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Grid", "Catalog-Count", 0), 3);
    EXPECT_EQ(ini.ReadString("Grid", "Catalog-1", ""), "Dot) 5 x 2");
    EXPECT_TRUE(ini.ValueExists("Grid", "Catalog-2"));
    EXPECT_FALSE(ini.ValueExists("Grid", "Catalog-3"));
    EXPECT_FALSE(ini.ValueExists("Grid", "Catalog-4"));
}
