// "Repeat.ini" read back with values out of range, and the match record kept across it.
#include "platform/Inifile.h"
#include "tools/Repeatsettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(RepeatSettings, StoredValuesAreClampedAndTheMatchRecordSurvives) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Repeat.ini"));
    struct Case {
        QRect tile;
        int type, dropVer, count;
        QRect wantTile;
        int wantType, wantDrop, wantCount;
    } cases[] = {
        {QRect(5, 3, 6, 4), RepeatMatchVer, 2, 3, QRect(5, 3, 6, 4), RepeatMatchVer, 2, 3},
        {QRect(5, 3, 6, 4), RepeatMatchVer, 9, 1, QRect(5, 3, 6, 4), RepeatMatchVer, 4,
         1}, // drop past the tile
        {QRect(5, 3, 6, 4), 17, 0, -2, QRect(5, 3, 6, 4), RepeatMatchHor, 0, 0},
        {QRect(5, 3, -6, 4), RepeatMatchNormal, 0, 2, QRect(), RepeatMatchNormal, 0, 0}, // no tile: no match
    };
    for (const Case& c : cases) {
        {
            TIniFile ini(file);
            ini.WriteInteger("WorkArea", "Left", c.tile.left());
            ini.WriteInteger("WorkArea", "Top", c.tile.top());
            ini.WriteInteger("WorkArea", "Width", c.tile.width());
            ini.WriteInteger("WorkArea", "Height", c.tile.height());
            ini.WriteInteger("Match", "Type", c.type);
            ini.WriteInteger("Match", "Height", c.dropVer);
            ini.WriteInteger("Match", "Count", c.count);
            ini.UpdateFile();
        }
        TRepeatState s = ReadRepeatState(TIniFile(file));
        EXPECT_EQ(s.Settings.Tile, c.wantTile) << c.type;
        EXPECT_EQ(s.Match.Function, c.wantType) << c.type;
        EXPECT_EQ(s.DropVer, c.wantDrop) << c.type;
        EXPECT_EQ(s.Match.Count, c.wantCount) << c.type;
        // Written and read again it stays as it is.
        s.Settings.Tile = QRect(); // the window's tile may differ; the match's tile is stored
        {
            TIniFile ini(file);
            WriteRepeatState(ini, s);
            ini.UpdateFile();
        }
        const TRepeatState back = ReadRepeatState(TIniFile(file));
        EXPECT_EQ(back.Match.Count, c.wantCount) << c.type;
        if (c.wantCount) {
            EXPECT_EQ(back.Match.Tile, c.wantTile) << c.type;
        }
    }
}
