#include "platform/Inifile.h"
#include "shell/Gridsetup.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(GridSetup, SectionRoundTripsAndBadValuesFallBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Environment.ini");
    TGridSetup s{2, 0.5, 1.25, 0x0000FF, 5, 0x00FF00};
    {
        TIniFile ini(path);
        EXPECT_EQ(ReadGridSetup(ini), TGridSetup{}); // missing section: defaults
        WriteGridSetup(ini, s);
    }
    TIniFile ini(path);
    EXPECT_EQ(ReadGridSetup(ini), s);
    ini.WriteInteger("Grid", "Unit", 7);
    ini.WriteString("Grid", "GapX", "-2");
    ini.WriteString("Grid", "GapY", "nonsense");
    ini.WriteInteger("Grid", "LinesPerSection", -1);
    const TGridSetup bad = ReadGridSetup(ini);
    EXPECT_EQ(bad.Unit, 0);
    EXPECT_EQ(bad.GapX, 1.0);
    EXPECT_EQ(bad.GapY, 1.0);
    EXPECT_EQ(bad.LinesPerSection, 0);
    EXPECT_EQ(bad.Color, 0x0000FFu); // the good keys survive
}

TEST(GridSetup, CatalogShrinksAndIgnoresBadCounts) {
    QTemporaryDir dir;
    TIniFile ini(dir.filePath("Environment.ini"));
    WriteGridCatalog(ini, {"a", "b", "c"});
    EXPECT_EQ(ReadGridCatalog(ini), QStringList({"a", "b", "c"}));
    WriteGridCatalog(ini, {"z"});
    EXPECT_EQ(ReadGridCatalog(ini), QStringList({"z"}));
    EXPECT_FALSE(ini.ValueExists("Grid", "Catalog-2"));
    ini.WriteInteger("Grid", "Catalog-Count", -5);
    EXPECT_TRUE(ReadGridCatalog(ini).isEmpty());
    ini.WriteInteger("Grid", "Catalog-Count", 2000000000);
    EXPECT_LE(ReadGridCatalog(ini).size(), 1000);
}

TEST(GridSetup, PresetsParseInStoredAndOlderFormAndRejectGarbage) {
    const TGridSetup s{1, 0.25, 2, 0x123456, 4, 0xABCDEF};
    EXPECT_EQ(GridPresetText(s), "Inch) 0.250000 x 2.000000");
    struct Case {
        const char* text;
        TGridSetup parsed; // from a setup of unit 0, gaps 1 and s's colours and sections
    };
    for (const Case& c : {
             Case{"Inch) 0.250000 x 2.000000", s},
             Case{"Cm)  0.5 x 0.25", {2, 0.5, 0.25, 0x123456, 4, 0xABCDEF}},
             Case{"Inch)3x4", {1, 3, 4, 0x123456, 4, 0xABCDEF}},
             Case{"Pica) 3 x 4", {0, 3, 4, 0x123456, 4, 0xABCDEF}}, // any other unit name means dots
             Case{"2;0.5;0.75;255;7;0", {2, 0.5, 0.75, 255, 7, 0}}, // the older long form
         }) {
        TGridSetup g{0, 1, 1, 0x123456, 4, 0xABCDEF};
        ASSERT_TRUE(ParseGridPreset(c.text, g)) << c.text;
        EXPECT_EQ(g, c.parsed) << c.text;
    }
    TGridSetup untouched = s;
    for (const char* bad :
         {"", "1;2;3", "3;1;1;0;0;0", "0;0;1;0;0;0", "0;1;1;0;-1;0", "0;x;1;0;0;0", "0;1;1;16777216;0;0",
          "Dot)", "Dot) 1", "Dot 1 x 1", "Dot) 0 x 1", "Dot) -1 x 2", "Dot) a x 1"})
        EXPECT_FALSE(ParseGridPreset(bad, untouched)) << bad;
    EXPECT_EQ(untouched, s);
}

TEST(GridSetup, PresetCaptionsInBothListForms) {
    const QStringList names = {"Punkt", "Zoll", "Cm"};
    const TGridSetup base{0, 1, 1, 0, 3, 0};
    struct Case {
        const char* preset;
        TPresetCaption form;
        const char* caption;
    } cases[] = {
        {"Inch) 0.5 x 2", TPresetCaption::Stored, "Zoll) 0.500000 x 2.000000"},
        {"Dot) 1 x 1", TPresetCaption::Stored, "Punkt) 1.000000 x 1.000000"},
        {"Inch) 0.25 x 2", TPresetCaption::Short, "0.25 x 2 Zoll, 3"}, // sections from the base
        {"2;0.5;0.75;0;0;0", TPresetCaption::Short, "0.5 x 0.75 Cm"},
        {"rubbish", TPresetCaption::Short, "rubbish"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GridPresetCaption(c.preset, names, c.form, base), c.caption) << c.preset;
    EXPECT_EQ(GapLabel(1.0), "1");
}

TEST(GridSetup, GapsChangeUnitKeepingTheirSizeInPixels) {
    struct Case {
        double gap;
        int from, to, dpi;
        double rounded, exact; // ConvertGap, ChangeGridUnit
    } cases[] = {
        {160, UnitDot, UnitInch, 160, 1.0, 1.0},
        {1, UnitInch, UnitCm, 160, 2.54, 2.54},
        {1, UnitCm, UnitDot, 160, 63.0, 160 / 2.54},
        {2.54, UnitCm, UnitInch, 200, 1.0, 1.0},
        {1, UnitDot, UnitInch, 160, 0.01, 1.0 / 160}, // the rounded gap never becomes nothing
        {5, 9, UnitInch, 160, 5.0, 5.0},              // a bad unit or dpi leaves the gap as it is
        {5, UnitInch, UnitDot, 0, 5.0, 5.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ConvertGap(c.gap, c.from, c.to, c.dpi), c.rounded) << c.gap << " " << c.from;
        const TGridSetup g = ChangeGridUnit({c.from, c.gap, 2 * c.gap, 0, 0, 0}, c.to, c.dpi);
        EXPECT_DOUBLE_EQ(g.GapX, c.exact) << c.gap << " " << c.from;
        EXPECT_DOUBLE_EQ(g.GapY, 2 * c.exact) << c.gap << " " << c.from;
    }
}
