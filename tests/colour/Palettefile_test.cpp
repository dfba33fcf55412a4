#include "colour/Palettefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Put16(QByteArray& b, int v) {
    b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

QString WriteFile(const QTemporaryDir& dir, const QByteArray& bytes) {
    QFile f(dir.path() + "/p.fcr");
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
}

// A version-100 file: 10-byte records, every entry plain grey except the ones given.
QByteArray Version100(int kind, int page, int index) {
    QByteArray b("CP");
    Put16(b, 100);
    for (int i = 0; i < 256; ++i) {
        Put16(b, i == index ? kind : 0);
        Put16(b, i == index ? page : 0);
        b.append(char(7)).append(char(0x55)); // number, unused byte
        b.append(char(i)).append(char(i)).append(char(i)).append(char(0));
    }
    return b;
}

} // namespace

TEST(PaletteFile, RoundTripKeepsUserColoursAndNotTheUsedCount) {
    QTemporaryDir dir;
    TPalette p;
    p.SetDefault();
    p[5].SetUser(KindVMTextile, 1200, 9, 10, 20, 30, "lib/My.ucl", "Moss");
    p[6].SetUser(KindNormal, 0, 0, 1, 1, 1, "", "");
    p[7].SetProtected(true);
    p.UseColor = 77;
    const QString path = dir.path() + "/a.fcr";
    ASSERT_EQ(SavePaletteFile(path, p), 0u);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.left(4), QByteArray("CP\x6e\x00", 4));
    EXPECT_EQ(bytes.size(), 4 + 256 * 9 + (4 + 10 + 4) + 4); // names of 5, empty names of 6

    TPalette q;
    q.UseColor = 12;
    ASSERT_TRUE(LoadPaletteFile(path, q));
    EXPECT_EQ(q.UseColor, 12);
    for (int i = 0; i < 256; ++i)
        EXPECT_TRUE(q[i] == p[i]) << i;
    EXPECT_TRUE(q[7].Protected());
}

TEST(PaletteFile, OldLibraryNumbersAreConverted) {
    QTemporaryDir dir;
    TPalette q;
    ASSERT_TRUE(LoadPaletteFile(WriteFile(dir, Version100(KindPantone1000, 137, 3)), q));
    EXPECT_EQ(q[3].Kind(), KindVMStandard);
    EXPECT_EQ(q[3].Page, 42);
    EXPECT_EQ(q[3].Number, 7);
    EXPECT_EQ(q[3].ColorRef(), MakeColorRef(3, 3, 3));
    ASSERT_TRUE(LoadPaletteFile(WriteFile(dir, Version100(KindPantone1000, 14, 3)), q));
    EXPECT_EQ(q[3].Page, 14);
    EXPECT_EQ(q[3].Kind(), KindVMStandard);
    ASSERT_TRUE(LoadPaletteFile(WriteFile(dir, Version100(KindPantoneTextile, 5, 9)), q));
    EXPECT_EQ(q[9].Kind(), KindVMTextile);
    EXPECT_EQ(q[9].Page, 1005);
}

TEST(PaletteFile, OldestFormHas225SixBitRecords) {
    QTemporaryDir dir;
    QByteArray b;
    for (int i = 1; i <= 225; ++i) {
        b.append(char(i == 1 ? 2 : 3)).append(char(63)).append(char(32)).append(char(1));
        Put16(b, 5);
        b.append(char(4)).append(char(0));
    }
    TPalette q;
    ASSERT_TRUE(LoadPaletteFile(WriteFile(dir, b), q));
    EXPECT_EQ(q[0].ColorRef(), 0u);
    EXPECT_EQ(q[1].ColorRef(), MakeColorRef(255, 130, 4)); // 63*4|3, 32*4|2, 1*4|0
    EXPECT_EQ(q[1].Kind(), KindVMTextile);                 // old kind 2
    EXPECT_EQ(q[1].Page, 1005);
    EXPECT_EQ(q[2].Kind(), KindNormal);
    EXPECT_EQ(q[2].Page, 0);
    EXPECT_EQ(q[240].ColorRef(), MakeColorRef(240, 240, 240));
}

TEST(PaletteFile, DamagedOrMissingFilesLeaveThePaletteAlone) {
    QTemporaryDir dir;
    TPalette p;
    p.SetDefault();
    const TPalette before = p;
    EXPECT_FALSE(LoadPaletteFile(dir.path() + "/none.fcr", p));
    QByteArray cut = Version100(0, 0, 0);
    EXPECT_FALSE(LoadPaletteFile(WriteFile(dir, cut.left(cut.size() - 1)), p));
    EXPECT_FALSE(LoadPaletteFile(WriteFile(dir, QByteArray(1799, '\1')), p));
    QByteArray names("CP");
    Put16(names, 110);
    Put16(names, kColorUserFlag);
    names.append(7, '\0');
    Put16(names, 60000); // a name longer than the file
    EXPECT_FALSE(LoadPaletteFile(WriteFile(dir, names), p));
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(p[i] == before[i]);
    EXPECT_EQ(SavePaletteFile(dir.path() + "/no/dir/x.fcr", p), 0x40000100u);
}

TEST(PaletteFile, MergeCopiesAfterTheUsedColoursAndStopsAt250) {
    TPalette from;
    for (int i = 0; i < 256; ++i)
        from[i].SetRGB(i, 0, 1);
    struct Case {
        int used, copied;
    } const cases[] = {{2, 248}, {100, 150}, {249, 1}, {250, 0}, {251, 0}};
    for (const Case& c : cases) {
        TPalette into;
        into.SetDefault();
        into.UseColor = uint16_t(c.used);
        const TPalette before = into;
        EXPECT_EQ(MergePalette(into, from), c.copied) << c.used;
        EXPECT_EQ(into.UseColor, c.used);
        for (int i = 0; i < 256; ++i) {
            const bool written = i > c.used && i <= c.used + c.copied;
            // File entry k + 1 lands on used + k: the first copied is file entry 2.
            EXPECT_TRUE(written ? into[i] == from[i - c.used + 1] : into[i] == before[i])
                << c.used << " " << i;
        }
    }
}
