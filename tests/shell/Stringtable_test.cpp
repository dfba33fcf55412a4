#include "shell/Stringtable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const char* text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

class StringTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(dir.path() + "/English.tdw",
                  "[Draw]\nLength=4\n0=Line\n1=Curve\n2=Two\\nlines\\nthree\n3=Circle\n"
                  "[Empty]\n0=Orphan\n");
        WriteFile(dir.path() + "/Deutsch.tdw", "[Draw]\nLength=9\n0=Linie\n1=\n3=Kreis\n4=Beyond\n");
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(StringTableTest, ReferenceLengthFixesCountAndLanguageFileFallsBackPerEntry) {
    TStringTable t;
    ASSERT_TRUE(t.Load(dir.path(), "Deutsch", "Draw"));
    EXPECT_EQ(t.Count(), 4); // the language file's own Length is ignored
    EXPECT_EQ(t.Get(0), "Linie");
    EXPECT_EQ(t.Get(1), "Curve"); // present but empty
    EXPECT_EQ(t.Get(3), "Kreis");
    EXPECT_EQ(t.Get(4), ""); // beyond the reference length
    EXPECT_EQ(t.Get(1000), "");
}

TEST_F(StringTableTest, BackslashNBecomesLineBreakKeepingLength) {
    TStringTable t;
    ASSERT_TRUE(t.Load(dir.path(), "English", "Draw"));
    const QString s = t.Get(2);
    EXPECT_EQ(s, "Two\r\nlines\r\nthree");
    EXPECT_EQ(s.size(), QString("Two\\nlines\\nthree").size());
    EXPECT_EQ(s.split("\r\n").size(), 3);
}

TEST_F(StringTableTest, MissingLanguageGivesEnglishAndMissingReferenceGivesEmptyTable) {
    TStringTable t;
    ASSERT_TRUE(t.Load(dir.path(), "Klingon", "Draw"));
    EXPECT_EQ(t.Get(0), "Line");

    EXPECT_FALSE(t.Load(dir.path(), "English", "Empty")); // no Length
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.Get(0), "");

    QTemporaryDir bare;
    WriteFile(bare.path() + "/Deutsch.tdw", "[Draw]\nLength=3\n0=Linie\n");
    EXPECT_FALSE(t.Load(bare.path(), "Deutsch", "Draw"));
    EXPECT_EQ(t.Get(0), "");
    EXPECT_FALSE(t.Load(dir.path() + "/missing", "English", "Draw"));
}

TEST_F(StringTableTest, AbsurdLengthGivesEmptyTable) {
    WriteFile(dir.path() + "/English.tdw", "[Big]\nLength=2000000000\n0=x\n");
    TStringTable t;
    EXPECT_FALSE(t.Load(dir.path(), "English", "Big"));
    EXPECT_EQ(t.Count(), 0);
}

TEST(FillPlaces, FillsPlacesInOrderAndLeavesTheRestAlone) {
    EXPECT_EQ(FillPlaces("%d -> %d", {"240", "250"}), "240 -> 250");
    EXPECT_EQ(FillPlaces("(PT 1000) %s", {"12-3"}), "(PT 1000) 12-3");
    EXPECT_EQ(FillPlaces("Size : %d x %d", {"7"}), "Size : 7 x %d"); // missing values keep their place
    EXPECT_EQ(FillPlaces("100%", {"x"}), "100%");                    // a lone % is text
    EXPECT_EQ(FillPlaces("%d", {"%d"}), "%d");                       // values are not filled again
    EXPECT_EQ(FillPlaces("%f %d", {"1"}), "%f 1");                   // only %d and %s are places
}
