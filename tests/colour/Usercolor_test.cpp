#include "colour/Usercolor.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Put(QByteArray& b, uint32_t v, int bytes) {
    for (int k = 0; k < bytes; ++k)
        b.append(char((v >> (8 * k)) & 0xFF));
}

// One 33-byte record; name bytes as given (22 of them, zero padded).
QByteArray Record(const QByteArray& name, uint32_t kind, int page, int number, int r, int g, int b) {
    QByteArray out = name.left(22);
    out.append(22 - out.size(), '\0');
    Put(out, kind, 4);
    Put(out, uint32_t(page), 2);
    Put(out, uint32_t(number), 1);
    out.append(char(b)).append(char(g)).append(char(r)).append('\0');
    return out;
}

QByteArray Library(const std::vector<QByteArray>& records, uint32_t count) {
    QByteArray out;
    Put(out, count, 4);
    for (const QByteArray& r : records)
        out += r;
    return out;
}

} // namespace

TEST(UserColor, RecordsReadWithOldLibraryNumbersConverted) {
    QTemporaryDir dir;
    const QByteArray bytes =
        Library({Record("Moss", 0x10002, 5, 3, 10, 20, 30), Record("Sand", 1, 137, 4, 200, 190, 150),
                 Record("Sky", 1, 14, 9, 1, 2, 3), Record("", 7, 9, 9, 0, 0, 0)},
                4);
    TUserColorList list;
    ASSERT_EQ(ReadUserColors(WriteBytes(dir.path() + "/a.ucl", bytes), list), 0u);
    ASSERT_EQ(list.size(), 4u);
    // Only the low 16 bits of the kind count; kind 2 page 5 is VM Textile page 1005.
    EXPECT_EQ(list[0], (TUserColor{"Moss", KindVMTextile, 1005, 3, 10, 20, 30}));
    EXPECT_EQ(list[1], (TUserColor{"Sand", KindVMStandard, 42, 4, 200, 190, 150}));
    EXPECT_EQ(list[2], (TUserColor{"Sky", KindVMStandard, 14, 9, 1, 2, 3}));
    EXPECT_EQ(list[3].Kind, KindNormal); // unknown library kinds read as plain colours

    // Written back and read again, the converted numbers stay.
    const QString again = dir.path() + "/b";
    ASSERT_EQ(WriteUserColors(again, list), 0u);
    TUserColorList back;
    ASSERT_EQ(ReadUserColors(again, back), 0u);
    EXPECT_EQ(back, list);
    EXPECT_EQ(QFileInfo(again).size(), 4 + 4 * 33);
}

TEST(UserColor, DamagedFilesAreRefusedWholeWithTheirCode) {
    QTemporaryDir dir;
    const QByteArray good = Record("Moss", 3, 20, 1, 1, 2, 3);
    struct Case {
        const char* what;
        QByteArray bytes;
        uint32_t code;
    } const cases[] = {
        {"count cut short", QByteArray("\1\0", 2), 0x40000104u},
        {"record cut short", Library({good, good.left(32)}, 2), 0x40000010u},
        {"absurd count", Library({good}, 0xFFFFFFFFu), 0x40000010u},
        {"name without terminator", Library({good, Record(QByteArray(22, 'x'), 0, 0, 0, 0, 0, 0)}, 2),
         0x40000104u},
    };
    for (const Case& c : cases) {
        TUserColorList list{TUserColor{"old"}};
        EXPECT_EQ(ReadUserColors(WriteBytes(dir.path() + "/bad.ucl", c.bytes), list), c.code) << c.what;
        EXPECT_TRUE(list.empty()) << c.what;
    }
    TUserColorList list;
    EXPECT_EQ(ReadUserColors(dir.path() + "/missing.ucl", list), 0x40000010u);
    EXPECT_EQ(WriteUserColors(dir.path() + "/no/such/dir/x.ucl", list), 0x40000010u);
    // A name of 21 bytes is the longest a record holds.
    const TUserColorList longName{TUserColor{QByteArray(30, 'n')}};
    ASSERT_EQ(WriteUserColors(dir.path() + "/long.ucl", longName), 0u);
    ASSERT_EQ(ReadUserColors(dir.path() + "/long.ucl", list), 0u);
    EXPECT_EQ(list[0].Name, QByteArray(21, 'n'));
}

TEST(UserColor, NearestSearchesEveryLibraryUnderAFolder) {
    QTemporaryDir dir;
    WriteBytes(dir.path() + "/a.ucl", Library({Record("Far", 0, 0, 0, 200, 0, 0)}, 1));
    WriteBytes(dir.path() + "/broken.ucl", QByteArray("\5\0\0\0", 4));
    WriteBytes(dir.path() + "/sub/deep/b.ucl",
               Library({Record("Other", 0, 0, 0, 0, 0, 250), Record("Near", 0, 0, 0, 98, 101, 99)}, 2));
    const TUserColorHit flat = NearestUserColor(dir.path(), false, 100, 100, 100);
    ASSERT_TRUE(flat.Found);
    EXPECT_EQ(flat.Color.Name, "Far");
    const TUserColorHit deep = NearestUserColor(dir.path(), true, 100, 100, 100);
    ASSERT_TRUE(deep.Found);
    EXPECT_EQ(deep.Color.Name, "Near");
    EXPECT_EQ(deep.Position, 1);
    EXPECT_EQ(deep.Distance, 4);
    EXPECT_TRUE(deep.File.endsWith("sub/deep/b.ucl"));
    EXPECT_FALSE(NearestUserColor(dir.path() + "/none", true, 0, 0, 0).Found);
    // A search stops at the first file, in name order, that holds a match.
    WriteBytes(dir.path() + "/sub/a2.ucl", Library({Record("Near", 0, 0, 0, 1, 2, 3)}, 1));
    const auto named = [](const TUserColor& c) { return c.Name == "Near"; };
    EXPECT_EQ(FindUserColor(dir.path(), true, named).Color.Blue, 3);
    EXPECT_FALSE(FindUserColor(dir.path(), false, named).Found);

    const TColorData e = UserColorEntry(deep.Color, "lib/b.ucl");
    EXPECT_TRUE(e.IsUser());
    EXPECT_EQ(e.ColorName, "Near");
    EXPECT_EQ(e.FileName, "lib/b.ucl");
    EXPECT_EQ(e.ColorRef(), MakeColorRef(98, 101, 99));
}

TEST(UserColor, LoadAllOnPaletteStopsAtTheLastDrawingEntry) {
    const TUserColorList list(5, TUserColor{"c", KindVMStandard, 30, 2, 9, 8, 7});
    struct Case {
        int start, written;
    } const cases[] = {{2, 5}, {0, 5}, {248, 4}, {251, 1}, {252, 0}};
    for (const Case& c : cases) {
        TPalette p;
        p.SetDefault();
        const TPalette before = p;
        EXPECT_EQ(LoadUserColorsOnPalette(p, c.start, list, "f.ucl"), c.written) << c.start;
        const int first = std::max(c.start, 2);
        for (int i = 0; i < 256; ++i) {
            const bool written = i >= first && i < first + c.written;
            EXPECT_TRUE(written ? p[i] == UserColorEntry(list[0], "f.ucl") : p[i] == before[i]) << i;
        }
    }
}
