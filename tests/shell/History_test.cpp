#include "platform/Inifile.h"
#include "shell/History.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString Design(int i) {
    return QStringLiteral("design%1.tex").arg(i);
}

} // namespace

TEST(HistoryList, SameDesignTwiceKeepsOneEntryAtTheFront) {
    THistoryList h;
    h.Add("/d", "a.tex", 8, 1);
    h.Add("/d", "b.tfc", 24, 1);
    h.Add("/d/", "a.tex", 24, 1); // same full path, spelled with a trailing separator
    ASSERT_EQ(h.Count(), 2);
    EXPECT_EQ(h.Entry(0), (THistoryEntry{"/d/", "/d/a.tex", 1, 24}));
    EXPECT_EQ(h.Entry(1).Path, "/d/b.tfc");
    EXPECT_EQ(h.Caption(0), "&1 /d/a.tex");
    EXPECT_EQ(h.Caption(1), "&2 /d/b.tfc");
    h.Add("/d", "", 8, 1); // no name: nothing to record
    EXPECT_EQ(h.Count(), 2);
}

TEST(HistoryList, NinthDesignPushesTheOldestOut) {
    THistoryList h;
    for (int i = 1; i <= 9; ++i)
        h.Add("/w", Design(i), 8, 1);
    ASSERT_EQ(h.Count(), kMaxHistory);
    EXPECT_EQ(h.Entry(0).Path, "/w/" + Design(9));
    EXPECT_EQ(h.Entry(7).Path, "/w/" + Design(2));

    THistoryList small(3);
    for (int i = 1; i <= 5; ++i)
        small.Add("/w", Design(i), 8, 1);
    ASSERT_EQ(small.Count(), 3);
    EXPECT_EQ(small.Entry(2).Path, "/w/" + Design(3));
    EXPECT_EQ(THistoryList(50).MaxEntries(), kMaxHistory);
    EXPECT_EQ(THistoryList(0).MaxEntries(), 1);
}

TEST(HistoryList, RemoveAndCaptionsFollowPositions) {
    THistoryList h;
    h.Add("/x", "R&D.tex", 8, 1);
    h.Add("/x", "b.tex", 8, 1);
    EXPECT_EQ(h.Caption(1), "&2 /x/R&&D.tex");
    h.Remove(5);
    h.Remove(-1);
    EXPECT_EQ(h.Count(), 2);
    h.Remove(0);
    ASSERT_EQ(h.Count(), 1);
    EXPECT_EQ(h.Caption(0), "&1 /x/R&&D.tex");
    EXPECT_EQ(h.Caption(1), "");
}

TEST(HistoryList, SaveAndLoadRoundTripAndStaleSectionsGo) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Main.ini");
    THistoryList missing;
    missing.Load(path);
    EXPECT_EQ(missing.Count(), 0);

    THistoryList h;
    for (int i = 1; i <= 5; ++i)
        h.Add("/w", Design(i), i % 2 ? 8 : 24, 1);
    {
        TIniFile ini(path);
        ini.WriteString("FileManager", "DirectoryName", "/keep");
    }
    ASSERT_TRUE(h.Save(path));
    THistoryList loaded;
    loaded.Load(path);
    ASSERT_EQ(loaded.Count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(loaded.Entry(i), h.Entry(i));

    h.Remove(0);
    h.Remove(0);
    h.Remove(0);
    ASSERT_TRUE(h.Save(path));
    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("History", "Count", 0), 2);
    EXPECT_EQ(ini.ReadString("History1", "FileName", ""), "/w/" + Design(1));
    EXPECT_EQ(ini.ReadInteger("History1", "BytesPerPixel", 0), 8);
    EXPECT_EQ(ini.ReadInteger("History1", "Index", 0), 1);
    EXPECT_FALSE(ini.SectionExists("History2"));
    EXPECT_FALSE(ini.SectionExists("History4"));
    EXPECT_EQ(ini.ReadString("FileManager", "DirectoryName", ""), "/keep");
}

TEST(HistoryList, LoadSkipsNamelessEntriesAndHoldsTheCountToEight) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Main.ini");
    {
        TIniFile ini(path);
        ini.WriteInteger("History", "Count", 40);
        for (int i = 0; i < 12; ++i) {
            const QString section = QStringLiteral("History%1").arg(i);
            ini.WriteString(section, "DirectoryName", "/w");
            if (i != 1) ini.WriteString(section, "FileName", "/w/" + Design(i));
        }
    }
    THistoryList h;
    h.Load(path);
    ASSERT_EQ(h.Count(), 7); // sections 0 .. 7, without the nameless 1
    EXPECT_EQ(h.Entry(1).Path, "/w/" + Design(2));
    EXPECT_EQ(h.Entry(6).Path, "/w/" + Design(7));
    EXPECT_EQ(h.Entry(0).Type, 0);
    EXPECT_EQ(h.Entry(0).BitsPerPixel, 0);

    ASSERT_TRUE(h.Save(path));
    const TIniFile ini(path);
    EXPECT_FALSE(ini.SectionExists("History7"));
    EXPECT_FALSE(ini.SectionExists("History11")); // stale sections past the old list go too
}
