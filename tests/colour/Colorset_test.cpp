#include "colour/Colorchart.h"
#include "colour/Colorset.h"
#include "platform/Inifile.h"
#include "shell/Stringtable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void Picture8(TOrvaneBitmap& b, int w, int h, uint8_t fill) {
    b.Allocate(w, h, nullptr, 8);
    b.FillRect(fill, QRect(0, 0, w, h));
}
} // namespace

TEST(ColorSet, PictureScansKeepFirstAppearanceAndSkipReservedIndices) {
    TOrvaneBitmap b;
    Picture8(b, 8, 4, 9);
    b.SetPixel(5, 0, 3);
    b.SetPixel(1, 1, 254);
    b.SetPixel(2, 3, 0);
    EXPECT_EQ(IndicesIn(b), (std::vector<int>{9, 3, 254, 0}));
    EXPECT_EQ(IndicesIn(b, QRect(QPoint(6, 3), QPoint(0, 1))),
              (std::vector<int>{9, 254, 0})); // reversed corners
    EXPECT_EQ(IndexAt(b, 8, 0), -1);
    TPalette pal;
    TChoiceColor set;
    EXPECT_TRUE(TakeIndices(set, IndicesIn(b), pal, false));
    EXPECT_EQ(set.Count(), 2); // 0 and 254 are never members
    EXPECT_FALSE(TakeIndices(set, {3, 3}, pal, false));
    EXPECT_TRUE(TakeIndices(set, {3}, pal, true));
    EXPECT_FALSE(set.Contains(3));
}

TEST(ColorSet, IniSectionsRoundTripAndAnEmptySetKeepsTheSavedOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Main.ini");
    TPalette pal;
    pal[12].SetUser(3, 42, 7, 10, 20, 30, "lib.ucl", "Rose");
    pal[200].SetLibrary(2, 1005, 9, 1, 2, 3);
    TChoiceColor set;
    set.Add(200, pal);
    set.Add(12, pal);
    {
        TIniFile ini(path);
        ini.WriteString("ProtectColor", "Stale(9)", "x");
        SaveColorSet(ini, "ProtectColor", set);
        SaveColorSet(ini, "Other", TChoiceColor());
        ini.UpdateFile();
    }
    TIniFile ini(path);
    EXPECT_FALSE(ini.ValueExists("ProtectColor", "Stale(9)"));
    EXPECT_FALSE(ini.SectionExists("Other"));
    EXPECT_EQ(ini.ReadInteger("ProtectColor", "RGB(1)", 0), 10 * 65536 + 20 * 256 + 30);
    TChoiceColor back;
    LoadColorSet(ini, "ProtectColor", back);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.IndexAt(0), 200);
    EXPECT_TRUE(back.EntryAt(0) == pal[200]);
    EXPECT_TRUE(back.EntryAt(1) == pal[12]);
    SaveColorSet(ini, "ProtectColor", TChoiceColor()); // empty: the saved set stays
    ini.WriteInteger("Bad", "Count", 3);
    ini.WriteInteger("Bad", "Code(0)", 999);
    ini.WriteInteger("Bad", "Code(1)", 5);
    ini.WriteInteger("Bad", "Code(2)", 5);
    LoadColorSet(ini, "ProtectColor", back);
    EXPECT_EQ(back.Count(), 2);
    LoadColorSet(ini, "Bad", back);
    EXPECT_EQ(back.Count(), 1); // out-of-range and repeated codes are skipped
}

TEST(WriteGuard, ProtectedColoursAndMaskedPixelsStay) {
    TPalette pal;
    TChoiceColor set;
    set.Add(7, pal);
    EXPECT_TRUE(ProtectColors(pal, set));
    EXPECT_TRUE(pal[7].Protected());
    TOrvaneBitmap before, mask, picture;
    Picture8(before, 4, 2, 7);
    before.SetPixel(0, 0, 8);
    Picture8(mask, 4, 2, 0);
    mask.SetPixel(3, 1, 1);
    Picture8(picture, 4, 2, 7);
    picture.SetPixel(0, 0, 8);
    const TWriteGuard guard(&pal, &mask);
    EXPECT_FALSE(guard.Open());
    EXPECT_TRUE(guard.Allows(picture, 0, 0));
    EXPECT_FALSE(guard.Allows(picture, 1, 0));
    picture.FillRect(2, QRect(0, 0, 4, 2)); // a careless tool paints everything
    guard.Restore(picture, before, QRect(0, 0, 4, 2));
    EXPECT_EQ(picture.GetPixel(0, 0), 2u);
    EXPECT_EQ(picture.GetPixel(1, 1), 7u);
    before.SetPixel(3, 1, 8); // masked, though its colour is free
    picture.FillRect(2, QRect(0, 0, 4, 2));
    guard.Restore(picture, before, QRect(0, 0, 4, 2));
    EXPECT_EQ(picture.GetPixel(3, 1), 8u);
    EXPECT_EQ(picture.GetPixel(0, 0), 2u);
    guard.Fill(picture, QRect(-1, 0, 9, 9), 5); // clipped; protected and masked pixels stay
    EXPECT_EQ(picture.GetPixel(0, 0), 5u);
    EXPECT_EQ(picture.GetPixel(1, 1), 7u);
    EXPECT_EQ(picture.GetPixel(3, 1), 8u);
    TOrvaneBitmap full;
    full.Allocate(2, 2, nullptr, 24);
    EXPECT_TRUE(TWriteGuard(&pal, nullptr).Allows(full, 0, 0)); // protection is for 256 colours
    EXPECT_TRUE(TWriteGuard(nullptr, nullptr).Open());
}

TEST(ColorChart, SixteenRowsEndWithElevenCells) {
    const TChartLayout layout(QRect(0, 0, 16 * 10 + 40, 160), 40);
    EXPECT_EQ(layout.IndexAt(QPoint(45, 5)), 1);
    EXPECT_EQ(layout.IndexAt(QPoint(40 + 10 * 10 + 5, 155)), 251);
    EXPECT_EQ(layout.IndexAt(QPoint(40 + 11 * 10 + 5, 155)), -1);
    EXPECT_EQ(layout.IndexAt(QPoint(5, 5)), -1);
    EXPECT_EQ(layout.CellRect(17), QRect(40, 10, 10, 10));
    EXPECT_TRUE(layout.CellRect(252).isEmpty());
    EXPECT_EQ(ChartRowLabel(0, "%d-%d"), "0-15");
    EXPECT_EQ(ChartRowLabel(15, "%d -> %d"), "240 -> 250");
}

TEST(ColorChart, EntryLabelsNameTheColoursOrigin) {
    TStringTable t;
    t.Load(VELMORA_SOURCE_DATA_DIR "/Bin", "English", "Palette");
    TColorData e;
    e.SetRGB(1, 2, 3);
    EXPECT_EQ(EntryLabel(e, t), "(Normal) 1 - 2 - 3");
    e.SetLibrary(4, 12, 3, 0, 0, 0);
    EXPECT_EQ(EntryLabel(e, t), "(VM Textile) 12-3");
    e.SetUser(1, 1, 1, 0, 0, 0, "a.ucl", "Sky");
    EXPECT_EQ(EntryLabel(e, t), "[a.ucl]  Sky");
}
