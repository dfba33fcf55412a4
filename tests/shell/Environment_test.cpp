#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Environment.h"
#include "shell/Paper.h"

#include "support/Settingsdir.h"
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class EnvironmentSettingsTest : public SettingsTest {
  protected:
    QString Path() const { return config.filePath("Environment.ini"); }
};

} // namespace

TEST_F(EnvironmentSettingsTest, MissingFileGivesDefaults) {
    const TEnvironmentSettings s = ReadEnvironmentSettings(TIniFile(Path()));
    EXPECT_EQ(s, TEnvironmentSettings{});
    EXPECT_EQ(s.Dpi, 160);
    EXPECT_EQ(s.Grid.Unit, 0);
    EXPECT_DOUBLE_EQ(s.Grid.GapX, 1.0);
    EXPECT_DOUBLE_EQ(s.Grid.GapY, 1.0);
    EXPECT_TRUE(s.Presets.isEmpty());
    EXPECT_EQ(s.MaxUndo, 5);
    EXPECT_FALSE(s.AutoSave);
    EXPECT_EQ(s.AutoSaveMinutes, 5);
    EXPECT_EQ(s.SizeChoice, 0);
}

TEST_F(EnvironmentSettingsTest, HandEditedValuesAreClampedIntoTheirRanges) {
    const auto read = [this](auto edit) {
        {
            TIniFile ini(Path());
            edit(ini);
        }
        return ReadEnvironmentSettings(TIniFile(Path()));
    };
    TEnvironmentSettings s = read([](TIniFile& ini) {
        ini.WriteInteger("CanvasInfor", "DPI", 50);
        ini.WriteInteger("Window", "MaxUndo", 1);
        ini.WriteInteger("AutoSave", "Min", 0);
        ini.WriteInteger("MainImage", "Size", -3);
        ini.WriteInteger("MainImage", "Unit", -1);
        ini.WriteInteger("Grid", "Unit", 7);
        ini.WriteString("Grid", "GapX", "abc");
        ini.WriteString("Grid", "GapY", "-2");
        ini.WriteInteger("Grid", "Catalog-Count", 3);
        ini.WriteString("Grid", "Catalog-0", "Dot) 2.000000 x 3.000000");
        ini.WriteString("Grid", "Catalog-2", "1;0.5;0.5;0;0;0"); // Catalog-1 missing
    });
    EXPECT_EQ(s.Dpi, 100);
    EXPECT_EQ(s.MaxUndo, 2);
    EXPECT_EQ(s.AutoSaveMinutes, 1);
    EXPECT_EQ(s.SizeChoice, 0);
    EXPECT_EQ(s.MainImageUnit, 0);
    EXPECT_EQ(s.Grid.Unit, 0);
    EXPECT_DOUBLE_EQ(s.Grid.GapX, 1.0);
    EXPECT_DOUBLE_EQ(s.Grid.GapY, 1.0);
    EXPECT_EQ(s.Presets, QStringList({"Dot) 2.000000 x 3.000000", "1;0.5;0.5;0;0;0"}));

    s = read([](TIniFile& ini) {
        ini.WriteInteger("CanvasInfor", "DPI", 5000);
        ini.WriteInteger("Window", "MaxUndo", 99);
        ini.WriteInteger("AutoSave", "Min", 100);
        ini.WriteInteger("MainImage", "Size", 12);
        ini.WriteInteger("MainImage", "Unit", 9);
        ini.WriteInteger("Grid", "LinesPerSection", 5000);
        ini.WriteInteger("Grid", "Catalog-Count", 2000000000);
    });
    EXPECT_EQ(s.Dpi, 1000);
    EXPECT_EQ(s.MaxUndo, 20);
    EXPECT_EQ(s.AutoSaveMinutes, 60);
    EXPECT_EQ(s.SizeChoice, 7);
    EXPECT_EQ(s.MainImageUnit, 2);
    EXPECT_EQ(s.Grid.LinesPerSection, 1000);
    EXPECT_EQ(s.Presets.size(), 2); // the two stored entries, not two billion blanks
}

TEST_F(EnvironmentSettingsTest, ShrinkingPresetsRemovesTheStaleKeys) {
    {
        TIniFile ini(Path());
        TEnvironmentSettings five;
        for (int i = 1; i <= 5; ++i)
            five.Presets << QStringLiteral("Dot) %1 x %1").arg(i);
        WriteEnvironmentSettings(ini, five);
    }
    TIniFile ini(Path());
    TEnvironmentSettings three = ReadEnvironmentSettings(ini);
    ASSERT_EQ(three.Presets.size(), 5);
    three.Presets.removeAt(1);
    three.Presets.removeAt(1);
    WriteEnvironmentSettings(ini, three);
    EXPECT_EQ(ini.ReadInteger("Grid", "Catalog-Count", 0), 3);
    EXPECT_EQ(ini.ReadString("Grid", "Catalog-1", ""), "Dot) 4 x 4");
    EXPECT_EQ(ini.ReadString("Grid", "Catalog-2", ""), "Dot) 5 x 5");
    EXPECT_FALSE(ini.ValueExists("Grid", "Catalog-3"));
    EXPECT_FALSE(ini.ValueExists("Grid", "Catalog-4"));
}

TEST_F(EnvironmentSettingsTest, SaveWritesEveryKeyAndTheSizeCodeToTheStore) {
    TEnvironmentSettings s;
    s.Dpi = 300;
    s.Grid = {UnitCm, 0.5, 0.25, MakeColorRef(1, 2, 3), 4, MakeColorRef(255, 0, 0)};
    s.Presets = {"Cm) 0.500000 x 0.250000"};
    s.MaxUndo = 12;
    s.MainImageUnit = 1;
    s.AutoSave = true;
    s.AutoSaveMinutes = 17;
    s.SizeChoice = 5; // Letter
    ASSERT_TRUE(SaveEnvironmentSettings(Path(), s));

    const TIniFile ini(Path());
    EXPECT_EQ(ReadEnvironmentSettings(ini), s);
    EXPECT_EQ(ini.ReadInteger("MainImage", "Size", 0), 5);
    EXPECT_EQ(ini.ReadInteger("CanvasInfor", "DPI", 0), 300);
    EXPECT_EQ(ini.ReadString("AutoSave", "Check", ""), "1");
    EXPECT_EQ(Configuration.TREG_Size, "cstLetter");
    LoadConfiguration();
    EXPECT_EQ(Configuration.TREG_Size, "cstLetter");
    EXPECT_EQ(MainImageUnitOfChoice(s.MainImageUnit), UnitInch);
    EXPECT_EQ(MainImageUnitOfChoice(0), UnitCm);
    EXPECT_EQ(MainImageUnitOfChoice(2), UnitDot);
}
