// dump of palette files, user colour libraries and colour sets; palette; report.
#include "colour/Colorset.h"
#include "colour/Palettefile.h"
#include "colour/Usercolor.h"
#include "platform/Inifile.h"
#include "shell/Document.h"
#include "support/Clirun.h"
#include "textile/Stripefile.h"

#include <Magick++.h>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

TEST(CliColourFiles, PaletteDumpsAsDesignPalettesDumpAndGoesThroughGimp) {
    QTemporaryDir dir;
    TPalette p;
    p.SetDefault();
    p[4].SetUser(KindVMTextile, 1200, 9, 10, 20, 30, "lib/My.ucl", "Moss");
    p[5].SetLibrary(KindVMStandard, 42, 3, 1, 2, 3);
    p[6].SetProtected(true);
    const QString fcr = dir.path() + "/p.fcr", stp = dir.path() + "/s.stp";
    ASSERT_EQ(SavePaletteFile(fcr, p), 0u);
    ASSERT_EQ(WriteStripeFile(stp, p, {TStripe{2, 0, 1, 1, false}}), 0u);
    const QJsonObject palette = Dump(fcr);
    EXPECT_EQ(palette.keys(), QStringList{"palette"});
    EXPECT_EQ(palette["palette"].toArray(), Dump(stp)["palette"].toArray());
    EXPECT_EQ(palette["palette"].toArray()[4].toObject()["color_name"].toString(), "Moss");

    const QString gpl = dir.path() + "/p.gpl", back = dir.path() + "/back.fcr";
    ASSERT_EQ(Cli({"palette", fcr, gpl}).Status, 0);
    ASSERT_EQ(Cli({"palette", gpl, back}).Status, 0);
    TPalette q;
    ASSERT_TRUE(LoadPaletteFile(back, q));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(q[i].ColorRef(), p[i].ColorRef()) << i;
    EXPECT_EQ(Cli({"palette", fcr, dir.path() + "/x.png"}).Status, 2);
    EXPECT_EQ(Cli({"palette", dir.path() + "/none.gpl", back}).Status, 1);
    QFile junk(dir.path() + "/junk.gpl");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("GIMP Palette\n300 0 0\n");
    junk.close();
    EXPECT_EQ(Cli({"palette", junk.fileName(), dir.path() + "/j.fcr"}).Status, 1);
    EXPECT_FALSE(QFile::exists(dir.path() + "/j.fcr"));
}

TEST(CliColourFiles, UserLibrariesAndColourSetsDump) {
    QTemporaryDir dir;
    const QString ucl = dir.path() + "/u.ucl";
    ASSERT_EQ(WriteUserColors(ucl, {TUserColor{"Moss", KindVMTextile, 1005, 3, 10, 20, 30}}), 0u);
    EXPECT_EQ(Dump(ucl)["colors"].toArray(), (QJsonArray{QJsonObject{{"name", "Moss"},
                                                                     {"kind", 4},
                                                                     {"page", 1005},
                                                                     {"number", 3},
                                                                     {"red", 10},
                                                                     {"green", 20},
                                                                     {"blue", 30}}}));
    QFile::resize(ucl, 20);
    const TRun bad = Cli({"dump", ucl, "--json"});
    EXPECT_EQ(bad.Status, 1);
    EXPECT_EQ(bad.Out.trimmed(), "{\"error\": \"0x40000010\"}");

    TPalette p;
    p.SetDefault();
    p[7].SetUser(KindNormal, 0, 0, 1, 2, 3, "a.ucl", "Sand");
    TChoiceColor set;
    set.Add(7, p);
    const QString ini = dir.path() + "/Main.ini";
    {
        TIniFile file(ini);
        SaveColorSet(file, "ProtectColor", set);
    }
    const QJsonArray colors = Dump(ini, {"--section", "ProtectColor"})["colors"].toArray();
    ASSERT_EQ(colors.size(), 1);
    EXPECT_EQ(colors[0].toObject(), (QJsonObject{{"flags", 16},
                                                 {"page", 0},
                                                 {"number", 0},
                                                 {"red", 1},
                                                 {"green", 2},
                                                 {"blue", 3},
                                                 {"file_name", "a.ucl"},
                                                 {"color_name", "Sand"},
                                                 {"code", 7}}));
    EXPECT_TRUE(Dump(ini, {"--section", "Other"})["colors"].toArray().isEmpty());
    EXPECT_EQ(Cli({"dump", ini, "--json", "--section"}).Status, 2);
}

TEST(CliColourFiles, ReportListsEachUsedColourWithItsArea) {
    QTemporaryDir dir;
    Magick::InitializeMagick(nullptr);
    Magick::Image img(Magick::Geometry(4, 2), Magick::Color("white"));
    img.type(Magick::TrueColorType);
    img.pixelColor(0, 0, Magick::Color("red"));
    img.pixelColor(1, 0, Magick::Color("red"));
    const QString png = dir.path() + "/a.png", tex = dir.path() + "/a.tex";
    img.write(png.toStdString());
    ASSERT_EQ(Cli({"convert", png, tex}).Status, 0);
    const int dpi = Dump(tex)["paper"].toObject()["dpi"].toInt();
    ASSERT_GT(dpi, 0);
    const TRun r = Cli({"report", tex, "--csv"});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    const QList<QByteArray> lines = r.Out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("index,red,green,blue,pixels,share_percent"));
    int redLine = lines[1].contains(",255,0,0,") ? 1 : 2;
    const QList<QByteArray> red = lines[redLine].split(',');
    EXPECT_EQ(red[4], "2");
    EXPECT_EQ(red[5], "25.000");
    EXPECT_NEAR(red[7].toDouble(), 2.0 / (double(dpi) * dpi), 1e-4);
    // An entry taken from a shipped library reports that library's code.
    TDesign design;
    ASSERT_EQ(OpenDesign(tex, 0, 0, design), 0u);
    const int index = red[0].toInt();
    design.Palette[index].SetLibrary(4, 1017, 5, 255, 0, 0);
    ASSERT_EQ(SaveDesign(tex, 0, 2, design), 0u);
    EXPECT_TRUE(Cli({"report", tex, "--csv"}).Out.contains("21-0015"));
    EXPECT_EQ(Cli({"report", tex}).Status, 2);
    ASSERT_EQ(Cli({"convert", png, dir.path() + "/a.tfc"}).Status, 0);
    EXPECT_EQ(Cli({"report", dir.path() + "/a.tfc", "--csv"}).Status, 1);
}
