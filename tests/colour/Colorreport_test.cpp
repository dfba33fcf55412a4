#include "colour/Colorreport.h"
#include "colour/Gimppalette.h"
#include "support/Files.h"
#include "support/Pictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(GimpPalette, RoundTripAndRefusals) {
    QTemporaryDir dir;
    TPalette p;
    p.SetDefault();
    p[7].SetRGB(1, 2, 255);
    const QString path = dir.path() + "/p.gpl";
    ASSERT_EQ(WriteGimpPalette(path, p, "Rug"), 0u);
    TPalette q;
    int count = 0;
    ASSERT_EQ(ReadGimpPalette(path, q, &count), 0u);
    EXPECT_EQ(count, 256);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(q[i].ColorRef(), p[i].ColorRef()) << i;

    // Short palettes fill the first entries; the rest stays.
    TPalette r;
    r.SetDefault();
    r.UseColor = 40;
    ASSERT_EQ(
        ReadGimpPalette(WriteBytes(dir.path() + "/s.gpl", "GIMP Palette\nName: x\n# c\n  9 8 7 moss\n\n"), r),
        0u);
    EXPECT_EQ(r[0].ColorRef(), MakeColorRef(9, 8, 7));
    EXPECT_EQ(r[1].ColorRef(), p[1].ColorRef());
    EXPECT_EQ(r.UseColor, 40);

    const char* const bad[] = {"",
                               "JASC-PAL\n0 0 0\n",
                               "GIMP Palette\n256 0 0\n",
                               "GIMP Palette\n1 2\n",
                               "GIMP Palette\n-1 2 3\n",
                               "GIMP Palette\nred green blue\n"};
    for (const char* text : bad) {
        TPalette s = p;
        EXPECT_EQ(ReadGimpPalette(WriteBytes(dir.path() + "/b.gpl", text), s), 0x40000104u) << text;
        for (int i = 0; i < 256; ++i)
            ASSERT_TRUE(s[i] == p[i]);
    }
    EXPECT_EQ(ReadGimpPalette(dir.path() + "/none.gpl", q), 0x40000101u);
    EXPECT_EQ(WriteGimpPalette(dir.path() + "/no/x.gpl", p, "x"), 0x40000100u);
}

TEST(ColorReport, CountsShareAndAreaAtTheDesignResolution) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"AAAB", "AAAC", "AAAC", "AAAC"}));
    TPalette p;
    p.SetDefault();
    p['A'].SetLibrary(KindVMTextile, 1005, 3, 10, 20, 30);
    p['B'].SetUser(KindNormal, 0, 0, 1, 2, 3, "u.ucl", "=Moss");
    p['C'].SetLibrary(KindNormal, 541, 5, 4, 5, 6); // printer guide line 541: page 37 row 1
    const auto rows = BuildColorReport(b, p, 2);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Index, 'A');
    EXPECT_EQ(rows[0].Pixels, 12);
    EXPECT_DOUBLE_EQ(rows[0].Share, 0.75);
    EXPECT_DOUBLE_EQ(rows[0].SquareInch, 3.0); // 12 dots at 2 x 2 dots per square inch
    EXPECT_DOUBLE_EQ(rows[0].SquareCm, 3.0 * 6.4516);
    EXPECT_EQ(rows[0].Library, "VM Textile Color");
    EXPECT_EQ(rows[0].Code, "1005:3");
    EXPECT_EQ(rows[1].Library, "User (Normal Color)");
    EXPECT_EQ(rows[2].Library, "Printer Color");
    EXPECT_EQ(rows[2].Code, "37-01:05");

    const QList<QByteArray> lines = ColorReportCsv(rows).split('\n');
    EXPECT_EQ(lines[0], "index,red,green,blue,pixels,share_percent,area_cm2,area_in2,library,code");
    EXPECT_EQ(lines[1], "65,10,20,30,12,75.000,19.3548,3.0000,\"VM Textile Color\",\"1005:3\"");
    // A name a spreadsheet would run as a formula is kept as text.
    EXPECT_EQ(lines[2], "66,1,2,3,1,6.250,1.6129,0.2500,\"User (Normal Color)\",\"'=Moss\"");

    struct Line {
        int line;
        const char* code;
    } const printer[] = {{1, "01-01:05"},   {540, "36-15:05"},  {547, "37-07:05"},
                         {548, "38-01:05"}, {1087, "73-15:05"}, {1088, ""}};
    for (const Line& l : printer)
        EXPECT_EQ(PrinterCode(l.line, 5), l.code) << l.line;
}
