#include "colour/Colorlibraries.h"
#include "colour/Palette.h"
#include "colour/Searchcolor.h"
#include "shell/Exception.h"

#include "support/Noise.h"
#include "support/Pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

namespace {

void Put16(QByteArray& b, int v) {
    b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void PutColor(QByteArray& b, int r, int g, int bl) {
    b.append(char(0x77)).append(char(r)).append(char(g)).append(char(bl)); // reserved byte first
}

uint32_t ReadInto(TColorLibrary& lib, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return lib.Read(&buffer);
}

// A PT 1000 file of one page (number 7) with the given header: "0005" (6-bit
// 63, 32, 0) and a named colour, extra bytes where the layout puts them.
QByteArray Thousand(const QByteArray& head, int before, int after, bool sixBit) {
    QByteArray b = head;
    Put16(b, 1);
    Put16(b, 7);
    Put16(b, 2);
    Put16(b, 0x0101);
    Put16(b, 5);
    b.append(before, char(0xEE));
    if (sixBit)
        PutColor(b, 63, 32, 0);
    else
        PutColor(b, 255, 130, 0);
    b.append(after, char(0xEE));
    Put16(b, 0x0102);
    Put16(b, 0x8000 + 8);
    b.append(before, char(0xEE));
    PutColor(b, 1, 2, 3);
    b.append(after, char(0xEE));
    b.append("Warm Red");
    return b;
}

// One page of records; a ".ptc" of version 300 has the same layout.
QByteArray Vmc(bool twoPart, const std::vector<std::array<int, 6>>& records, int pageNumber = 1001,
               int version = 100) {
    QByteArray b("CL");
    Put16(b, version);
    Put16(b, 1);
    Put16(b, pageNumber);
    Put16(b, int(records.size()));
    for (const auto& r : records) { // slot, code, number, red, green, blue
        Put16(b, r[0]);
        Put16(b, r[1]);
        if (twoPart) Put16(b, r[2]);
        PutColor(b, r[3], r[4], r[5]);
    }
    return b;
}

} // namespace

TEST(ColorLibrary, PantoneLayoutsWidenSixBitsAndReadNames) {
    QByteArray noHeader("XYZW");
    const struct {
        const char* what;
        QByteArray file;
        int blue; // the named colour's blue, stored as 3
    } cases[] = {
        {"no CL: 4 bytes skipped, 12 per record before the colour", Thousand(noHeader, 12, 0, true), 12},
        {"CL 200: 20 bytes after the colour", Thousand(QByteArray("CL\xC8\x00", 4), 0, 20, true), 12},
        {"CL 250: 12 bytes after the colour", Thousand(QByteArray("CL\xFA\x00", 4), 0, 12, true), 12},
        {"CL 300: 8-bit", Thousand(QByteArray("CL\x2C\x01", 4), 0, 0, false), 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TPantone1000 lib;
        ASSERT_EQ(ReadInto(lib, c.file), 0u);
        ASSERT_EQ(lib.PageCount(), 1);
        EXPECT_EQ(lib.Page(0).Number, 7);
        EXPECT_EQ(lib.ColorOf(0, 0), 0xFF8200u); // 63 -> 255, 32 -> 130, 0 -> 0
        EXPECT_EQ(lib.CodeText(*lib.Record(0, 0)), "0005");
        EXPECT_EQ(lib.CodeText(*lib.Record(0, 1)), "Warm Red");
        EXPECT_EQ(lib.Record(0, 1)->Blue, c.blue);
        EXPECT_EQ(lib.CodeText(7, 2), "Warm Red");
        EXPECT_EQ(lib.CodeText(7, 9), "");
        EXPECT_EQ(lib.FindCode("warm red").Record, 1); // PT 1000 codes ignore case
    }
}

TEST(ColorLibrary, PantoneTextileWithoutHeaderSkipsEightBytes) {
    QByteArray b("????");
    Put16(b, 1);
    Put16(b, 3);
    Put16(b, 1);
    Put16(b, 4);
    Put16(b, 19);
    Put16(b, 1664);
    b.append(8, char(0xEE));
    PutColor(b, 63, 0, 32);
    TPantoneTextile lib;
    ASSERT_EQ(ReadInto(lib, b), 0u);
    EXPECT_EQ(lib.CodeText(*lib.Record(0, 0)), "19-1664");
    EXPECT_EQ(lib.ColorOf(0, 0), 0xFF0082u);
}

TEST(ColorLibrary, DamagedFilesAreRefusedAndLeaveTheLibraryEmpty) {
    QByteArray absurdPages("CL\x2C\x01", 4);
    Put16(absurdPages, 60000);
    QByteArray absurdRecords("CL\x2C\x01", 4);
    Put16(absurdRecords, 1);
    Put16(absurdRecords, 1);
    Put16(absurdRecords, 65535);
    QByteArray longName = Thousand(QByteArray("CL\x2C\x01", 4), 0, 0, false);
    longName.chop(3); // the name ends before its length
    const QByteArray good = Thousand(QByteArray("CL\x2C\x01", 4), 0, 0, false);
    for (const QByteArray& bad : {absurdPages, absurdRecords, longName, good.left(13), QByteArray("CL")}) {
        TPantone1000 lib;
        ASSERT_EQ(ReadInto(lib, good), 0u);
        EXPECT_EQ(ReadInto(lib, bad), ErrorCode::DamagedFile);
        EXPECT_EQ(lib.PageCount(), 0);
        EXPECT_FALSE(lib.FindNearest(1, 2, 3).Found());
    }
}

TEST(ColorLibrary, VmCodesCaseRulesAndNearest) {
    TStandardColor standard;
    ASSERT_EQ(ReadInto(standard, Vmc(false, {{1, 5, 0, 10, 10, 10}, {2, 421, 0, 200, 0, 0}}, 3)), 0u);
    EXPECT_EQ(standard.CodeText(*standard.Record(0, 1)), "0421");
    EXPECT_EQ(standard.FindCode("0421").Record, 1);
    EXPECT_FALSE(standard.FindCode("421").Found());

    TTextileColor textile;
    // Equal sums: the second wins only with every channel difference below the first's largest.
    ASSERT_EQ(ReadInto(textile, Vmc(true, {{1, 12, 340, 100, 100, 100},
                                           {2, 12, 341, 106, 106, 106},
                                           {3, 12, 342, 104, 104, 104},
                                           {4, 12, 343, 90, 100, 100}})),
              0u);
    EXPECT_EQ(textile.CodeText(*textile.Record(0, 0)), "12-0340");
    EXPECT_EQ(textile.FindCode("12-0342").Record, 2);
    int distance = -1;
    EXPECT_EQ(textile.FindNearest(102, 102, 102, &distance).Record, 0); // 6 vs 12 vs 6 (not below 2)
    EXPECT_EQ(distance, 6);
    EXPECT_EQ(textile.FindNearest(90, 100, 100).Record, 3);
    EXPECT_EQ(textile.FindNearest(103, 103, 103).Record, 2); // sums 9, 9 (a tie the first keeps), 3
    // A VM file without "CL" reads as empty, not as damaged.
    EXPECT_EQ(ReadInto(textile, QByteArray("XXXX\x01\x00", 6)), 0u);
    EXPECT_EQ(textile.PageCount(), 0);
}

TEST(ColorLibrary, PrinterGuideCodesLinesAndColours) {
    EXPECT_DOUBLE_EQ(TPrinterColor::Set(37, 1, 5).S, 0);
    EXPECT_EQ(TPrinterColor::Set(37, 1, 5).H, kUndefinedHue);
    TPrinterColor guide;
    const uint32_t grey = guide.ColorOf(37, 1, 5);
    EXPECT_EQ(grey >> 16, grey & 0xFF);
    const struct {
        const char* text;
        int page, row, column;
    } codes[] = {{"37-01:05", 37, 1, 5}, {"37-08:01", 0, 0, 0},    {"01-15:36", 1, 15, 36},
                 {"38-01:13", 0, 0, 0},  {"73-15:12", 73, 15, 12}, {"74-01:01", 0, 0, 0},
                 {"01-01: 1", 0, 0, 0},  {"1-01:01", 0, 0, 0}};
    for (const auto& c : codes) {
        const TPrinterPlace p = TPrinterColor::Parse(QString::fromLatin1(c.text));
        EXPECT_EQ(p.Page, c.page) << c.text;
        EXPECT_EQ(p.Row, c.row) << c.text;
        EXPECT_EQ(p.Column, c.column) << c.text;
    }
    const struct {
        int page, row, line;
    } lines[] = {{1, 1, 1}, {36, 15, 540}, {37, 1, 541}, {37, 7, 547}, {38, 1, 548}, {73, 15, 1087}};
    for (const auto& l : lines) {
        EXPECT_EQ(TPrinterColor::Line(l.page, l.row), l.line);
        const TPrinterPlace back = TPrinterColor::FromLine(l.line, 0);
        EXPECT_EQ(back.Page, l.page);
        EXPECT_EQ(back.Row, l.row);
    }
    EXPECT_EQ(TPrinterColor::CodeText(541, 4), "37-1:5");
    EXPECT_EQ(TPrinterColor::CodeText(548, 12), ""); // pages 38 .. 73 have 12 columns
    // Every guide colour is its own nearest colour or an equal one before it.
    const TPrinterPlace p = guide.FindNearest(int(grey >> 16), int(grey >> 8 & 0xFF), int(grey & 0xFF));
    EXPECT_EQ(guide.ColorOf(p.Page, p.Row, p.Column), grey);
}

TEST(ColorLibrary, LoadingTheSetAndTheNearerOfTwo) {
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("Standard.vmc", Vmc(false, {{3, 421, 0, 200, 0, 0}}, 42));
    write("Textile.vmc", Vmc(true, {{0x0105, 12, 340, 100, 100, 100}}, 1005));
    write("Thousand.ptc", QByteArray("CL\x2C\x01\x05\x00", 6)); // five pages announced, none there
    TColorLibraries libs;
    QStringList reported;
    EXPECT_EQ(libs.Load(dir.path(), [&](uint32_t, const QString& path) { reported << path; }),
              ErrorCode::DamagedFile);
    EXPECT_EQ(reported, QStringList{dir.filePath("Thousand.ptc")});
    EXPECT_EQ(libs.PTTextile.PageCount(), 0); // missing: empty, not reported

    TColorData found;
    ASSERT_TRUE(libs.NearestOfTwo(110, 100, 100, false, found));
    EXPECT_EQ(found.Kind(), KindVMTextile);
    EXPECT_EQ(found.Page, 1005);
    EXPECT_EQ(found.Number, 5); // the slot's low byte
    EXPECT_EQ(libs.CodeOf(found), "12-0340");
    ASSERT_TRUE(libs.NearestOfTwo(190, 0, 0, false, found));
    EXPECT_EQ(found.Kind(), KindVMStandard);
    EXPECT_EQ(libs.CodeOf(found), "0421");
    EXPECT_FALSE(libs.NearestOfTwo(1, 2, 3, true, found)); // no Pantone libraries
    found.SetLibrary(KindNormal, 541, 4, 0, 0, 0);
    EXPECT_EQ(libs.CodeOf(found), "37-1:5");
}

TEST(ColorLibrary, NearestIndexAnswersAsTheFullSearch) {
    // Candidates on a coarse lattice with repeats, so that ties are common.
    TNoise noise{7};
    const auto next = [&] { return int(noise.Next() >> 24); };
    std::vector<std::array<int, 3>> candidates;
    TNearestIndex index;
    for (int i = 0; i < 600; ++i) {
        const std::array<int, 3> c{next() & ~7, next() & ~15, next() & ~3};
        candidates.push_back(c);
        index.Add(c[0], c[1], c[2]);
    }
    for (int q = 0; q < 3000; ++q) {
        const int r = next(), g = next(), b = q % 2 ? next() : 255 - (q & 7);
        TSearchColor search(r, g, b);
        for (int i = 0; i < int(candidates.size()); ++i)
            if (search.Offer(i, candidates[size_t(i)][0], candidates[size_t(i)][1], candidates[size_t(i)][2]))
                break;
        int distance = -1;
        ASSERT_EQ(index.Find(r, g, b, &distance), search.Best()) << r << "," << g << "," << b;
        ASSERT_EQ(distance, search.BestDistance());
    }
    EXPECT_EQ(TNearestIndex().Find(1, 2, 3), -1);
}

TEST(ColorLibrary, CodeSearchOfThePanelAndTheShownPages) {
    TColorLibraries libs;
    TColorData found;
    int page = -1;
    ASSERT_TRUE(libs.FindCode(ChoicePrinter, "37-01:05", found, page));
    EXPECT_EQ(page, 36);
    EXPECT_EQ(found.Kind(), KindNormal);
    EXPECT_EQ(found.Page, 541);
    EXPECT_EQ(found.Number, 4);
    EXPECT_EQ(found.Red(), found.Blue());
    EXPECT_FALSE(libs.FindCode(ChoicePrinter, "37-08:01", found, page));
    EXPECT_FALSE(libs.FindCode(ChoiceStandard, "0001", found, page)); // empty libraries find nothing
    EXPECT_FALSE(libs.FindCode(ChoicePantone, "0001", found, page));
    EXPECT_FALSE(libs.Nearest(ChoiceTextile, 1, 2, 3, found, page));
    ASSERT_TRUE(libs.Nearest(ChoicePrinter, 255, 255, 255, found, page));
    EXPECT_EQ(libs.CodeOf(found), "1-1:36");

    ASSERT_EQ(ReadInto(libs.PTTextile, Vmc(true, {{4, 19, 1664, 1, 2, 3}}, 9, 300)), 0u);
    ASSERT_TRUE(libs.FindCode(ChoicePantone, "19-1664", found, page));
    EXPECT_EQ(found.Kind(), KindPantoneTextile);
    EXPECT_EQ(found.Page, 9);
    // The user colour data window's books: PT Textile alone, not PT 1000; printer codes parse.
    EXPECT_TRUE(libs.FindBookCode(5, "19-1664", found));
    EXPECT_FALSE(libs.FindBookCode(4, "19-1664", found));
    EXPECT_TRUE(libs.FindBookCode(1, "37-01:05", found));
    EXPECT_FALSE(libs.FindBookCode(0, "37-01:05", found)); // "Normal Color" has no codes

    const struct {
        int found, count, first;
    } shown[] = {{0, 168, 0}, {1, 168, 0}, {2, 168, 0}, {50, 168, 48}, {167, 168, 163}, {3, 4, 0}};
    for (const auto& s : shown)
        EXPECT_EQ(FirstShownPage(s.found, s.count), s.first) << s.found << " of " << s.count;
}

TEST(ColorLibrary, UnreadableFilesSharesAndSearchOrder) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Standard.vmc")); // there, but no file to read
    TColorLibraries libs;
    EXPECT_EQ(libs.Load(dir.path()), ErrorCode::CannotOpenFile);
    EXPECT_EQ(libs.Standard.PageCount(), 0);

    // Special Search: PT 1000 first, PT Textile only when PT 1000 has no such code.
    ASSERT_EQ(ReadInto(libs.Thousand, Vmc(false, {{1, 5, 0, 9, 9, 9}}, 2, 300)), 0u);
    ASSERT_EQ(ReadInto(libs.PTTextile, Vmc(true, {{1, 0, 5, 1, 1, 1}}, 3, 300)), 0u);
    TColorData found;
    int page = -1;
    ASSERT_TRUE(libs.FindCode(ChoicePantone, "0005", found, page));
    EXPECT_EQ(found.Kind(), KindPantone1000);
    ASSERT_TRUE(libs.FindCode(ChoicePantone, "0-0005", found, page));
    EXPECT_EQ(found.Kind(), KindPantoneTextile);
    ASSERT_TRUE(libs.NearestOfTwo(5, 5, 5, true, found)); // 12 against 12: the first library wins
    EXPECT_EQ(found.Kind(), KindPantone1000);

    TOrvaneBitmap picture;
    ASSERT_TRUE(MakeIndexed(picture, {"\x02\x02\x02\x05", "\x02\x02\x02\x02"}));
    const std::array<double, 256> shares = IndexShares(picture);
    EXPECT_DOUBLE_EQ(shares[2], 87.5);
    EXPECT_DOUBLE_EQ(shares[5], 12.5);
    EXPECT_DOUBLE_EQ(shares[1], 0);
}
