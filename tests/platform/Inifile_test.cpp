#include "platform/Inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString WriteText(const QTemporaryDir& dir, const char* text) {
    const QString path = dir.path() + "/t.ini";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}
} // namespace

TEST(IniFile, ReadsWindowsStyleFilesWithoutRegardToCase) {
    QTemporaryDir dir;
    const QString path =
        WriteText(dir, "; comment\r\n[AutoSave]\r\nCheck = 1\r\nMin=7\r\n[Grid]\r\n"
                       "GapX=2.5\r\nColor=$FF\r\nName=a,b;c\r\nmin=8\r\nbad=x12\r\nPad=\" Off \"\r\n");
    const TIniFile ini(path);
    EXPECT_TRUE(ini.Loaded());
    EXPECT_TRUE(ini.ReadBool("autosave", "CHECK", false));
    EXPECT_EQ(ini.ReadInteger("AutoSave", "Min", 5), 7);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Grid", "GapX", 1.0), 2.5);
    EXPECT_EQ(ini.ReadInteger("Grid", "Color", 0), 255);
    EXPECT_EQ(ini.ReadString("Grid", "Name", ""), "a,b;c"); // commas are not lists
    EXPECT_EQ(ini.ReadInteger("Grid", "bad", 3), 3);
    EXPECT_EQ(ini.ReadInteger("Grid", "missing", 4), 4);
    EXPECT_EQ(ini.ReadString("Grid", "Pad", ""), " Off ");
    EXPECT_EQ(ini.ReadSection("grid").size(), 6);
    EXPECT_FALSE(ini.SectionExists("Nope"));
}

TEST(IniFile, WritesOnUpdateOrDestructionAndErases) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/sub/new.ini";
    {
        TIniFile ini(path);
        EXPECT_FALSE(ini.Loaded());
        ini.WriteInteger("Grid", "Catalog-Count", 3);
        ini.WriteString("Grid", "Catalog-0", "fine");
        ini.WriteString("Grid", "Catalog-1", "two\nlines");
        ini.WriteBool("AutoSave", "Check", true);
        ini.WriteFloat("Grid", "GapX", 0.25);
    }
    {
        TIniFile ini(path);
        EXPECT_EQ(ini.ReadInteger("grid", "catalog-count", 0), 3);
        EXPECT_EQ(ini.ReadString("Grid", "Catalog-1", ""), "two\\nlines");
        EXPECT_TRUE(ini.ReadBool("AutoSave", "Check", false));
        EXPECT_DOUBLE_EQ(ini.ReadFloat("Grid", "GapX", 0), 0.25);
        ini.DeleteKey("Grid", "Catalog-0");
        ini.EraseSection("AutoSave");
        EXPECT_TRUE(ini.UpdateFile());
    }
    const TIniFile ini(path);
    EXPECT_FALSE(ini.ValueExists("Grid", "Catalog-0"));
    EXPECT_TRUE(ini.ValueExists("Grid", "Catalog-1"));
    EXPECT_FALSE(ini.SectionExists("AutoSave"));
}

TEST(IniFile, UnwritableFolderFailsAndKeepsNothingHalfWritten) {
    TIniFile ini("/proc/velmora-no-such-dir/x.ini");
    ini.WriteInteger("A", "B", 1);
    EXPECT_FALSE(ini.UpdateFile());
}
