// The palette window's own undo list: one entry per run of edits of one colour.
#include "colour/Paletteedits.h"

#include <gtest/gtest.h>

TEST(PaletteEdits, ARunOfEditsSavesTheEntryOnceAndUndoGivesItBack) {
    TPalette palette;
    palette[5].SetRGB(1, 2, 3);
    palette[6].SetRGB(4, 5, 6);
    TPaletteEdits edits;
    edits.BeforeEdit(palette, 5); // the first slider move of entry 5
    palette[5].SetRGB(10, 2, 3);
    edits.BeforeEdit(palette, 5); // later moves of the same run save nothing
    palette[5].SetRGB(20, 2, 3);
    edits.EndRun(); // another colour chosen
    edits.BeforeEdit(palette, 6);
    edits.Save(palette, 6); // a library colour replaces it at once
    EXPECT_EQ(edits.Count(), 3);
    int index = 0;
    TColorData entry;
    ASSERT_TRUE(edits.TakeLast(index, entry));
    ASSERT_TRUE(edits.TakeLast(index, entry));
    EXPECT_EQ(index, 6);
    EXPECT_EQ(entry.ColorRef(), MakeColorRef(4, 5, 6));
    edits.BeforeEdit(palette, 6); // after an undo the next edit is a new run
    EXPECT_EQ(edits.Count(), 2);
    edits.Clear();
    EXPECT_TRUE(edits.Empty());
    EXPECT_FALSE(edits.TakeLast(index, entry));
}
