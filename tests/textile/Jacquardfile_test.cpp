// Jacquard entries from the library, "Jacquard.ini", ".jqd" files and WIF export.
#include "shell/Exception.h"
#include "textile/Jacquardfile.h"
#include "textile/Wif.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TTexBitData Weave(const char* name, int w, int h, const char* cells) {
    TTexBitData t;
    t.Name = name;
    t.Named = true;
    t.Width = w, t.Height = h;
    for (const char* c = cells; *c; ++c)
        t.Bits.push_back(*c == '#');
    return t;
}

TTexture Library() {
    TTexture lib;
    lib.Foundation[1].push_back(
        {3, {Weave("twill 2/1", 3, 3, "##.#.##.#"), Weave("twill 1/2", 3, 3, "#...#...#")}});
    lib.Derivation[0].push_back({"basket", {Weave("basket 2", 2, 2, "#..#")}});
    lib.Derivation[0].push_back({"rib", {Weave("warp rib", 2, 1, "#.")}});
    lib.Special.push_back({"honeycomb", {Weave("honey", 2, 2, "##.#")}});
    return lib;
}

class JacquardFile : public ::testing::Test {
  protected:
    QString Path(const char* name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    TTexture lib = Library();
};

} // namespace

TEST_F(JacquardFile, EntriesComeFromTheLibraryWithTheirLabelsAndSurviveTheIni) {
    struct TCase {
        int Part, Type, Group, Weave;
        QString Label;
    };
    const std::vector<TCase> cases = {
        {JacquardFoundation, 1, 0, 1, "F: <<3>>   3  x  3"},
        {JacquardDerivation, 0, 1, 0, "D: <<2>>   warp rib"},
        {JacquardSpecial, 2, 0, 0, "S: <<1>>   honey"},
    };
    std::vector<TJacquardEntry> entries;
    for (const TCase& c : cases) {
        TJacquardEntry e;
        ASSERT_TRUE(MakeJacquardEntry(lib, c.Part, c.Type, c.Group, c.Weave, 4, e)) << c.Label.toStdString();
        EXPECT_EQ(JacquardLabel(e), c.Label);
        e.Rot = 2;
        entries.push_back(e);
    }
    TJacquardEntry none;
    EXPECT_FALSE(MakeJacquardEntry(lib, JacquardFoundation, 1, 0, 2, 4, none));
    EXPECT_FALSE(MakeJacquardEntry(lib, JacquardDerivation, 5, 0, 0, 4, none));

    ASSERT_TRUE(WriteJacquardIni(Path("Jacquard.ini"), entries));
    EXPECT_EQ(ReadJacquardIni(Path("Jacquard.ini"), lib), entries);
    // A weave gone from the library drops its entry.
    lib.Derivation[0].pop_back();
    EXPECT_EQ(ReadJacquardIni(Path("Jacquard.ini"), lib).size(), 2u);
}

TEST_F(JacquardFile, RoundTripsAndRefusesEveryTruncationAndBadValue) {
    TJacquardList list;
    list.EffectColour = 77;
    for (int part = 0; part < 3; ++part) {
        TJacquardEntry e;
        ASSERT_TRUE(MakeJacquardEntry(lib, part, part == 0 ? 1 : 0, 0, 0, part + 1, e));
        e.Rot = part, e.Use = part == 1;
        list.Entries.push_back(e);
    }
    ASSERT_EQ(WriteJacquardFile(Path("a.jqd"), list), 0u);
    TJacquardList back;
    ASSERT_EQ(ReadJacquardFile(Path("a.jqd"), back), 0u);
    EXPECT_EQ(back, list);

    QFile file(Path("a.jqd"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        QByteArray cut = bytes.left(n);
        QBuffer buffer(&cut);
        buffer.open(QIODevice::ReadOnly);
        TJacquardList out = list;
        EXPECT_EQ(ReadJacquard(&buffer, out), ErrorCode::BadFile) << n;
        EXPECT_EQ(out, list) << n;
    }
    // Offsets: 6 the effect colour, 8 the count; of the first entry 10 part,
    // 11 type, 12 zoom, 13 Rot, 14 Use, 20 group, 66 width, 70 the first cell.
    const std::vector<std::pair<int, uint8_t>> bad = {{0, 'X'}, {4, 2},  {6, 0},  {6, 252},   {8, 200},
                                                      {10, 3},  {11, 3}, {12, 0}, {12, 65},   {13, 4},
                                                      {14, 2},  {20, 0}, {66, 0}, {67, 0x80}, {70, 2}};
    for (const auto& [at, value] : bad) {
        QByteArray changed = bytes;
        changed[at] = char(value);
        QBuffer buffer(&changed);
        buffer.open(QIODevice::ReadOnly);
        TJacquardList out;
        EXPECT_EQ(ReadJacquard(&buffer, out), ErrorCode::BadFile) << at;
    }
    EXPECT_EQ(ReadJacquardFile(Path("missing.jqd"), back), ErrorCode::CannotOpenFile);
}

TEST_F(JacquardFile, WifExportGivesTheWeaveAsItsRotTurnsIt) {
    TJacquardEntry e;
    ASSERT_TRUE(MakeJacquardEntry(lib, JacquardSpecial, 0, 0, 0, 1, e)); // "##" over ".#"
    const std::vector<std::pair<int, const char*>> cases = {
        {0, "##.#"}, {1, "###."}, {3, ".###"}, {2, "#.##"}};
    for (const auto& [rot, cells] : cases) {
        e.Rot = rot;
        ASSERT_EQ(WriteJacquardWif(Path("e.wif"), e), 0u);
        TTexBitData back;
        ASSERT_EQ(ReadWif(Path("e.wif"), back), 0u);
        EXPECT_EQ(back.Bits, Weave("", 2, 2, cells).Bits) << rot;
    }
}
