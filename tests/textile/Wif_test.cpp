// WIF files: a weave out and back, the tie-up and treadling read when there is
// no lift plan, and files refused by the section they lack.
#include "shell/Exception.h"
#include "textile/Wif.h"

#include <gtest/gtest.h>

namespace {

TTexBitData Weave(int width, int height, const char* cells) {
    TTexBitData w;
    w.Name = "test", w.Named = true, w.Width = width, w.Height = height;
    for (int i = 0; i < width * height; ++i)
        w.Bits.push_back(cells[i] == '#');
    return w;
}

// A 4-end straight draft woven as a 2/2 twill through tie-up and treadling.
const char* const kTreadled = "[WIF]\nVersion=1.1\n[WEAVING]\nShafts=4\nTreadles=4\nRising Shed=true\n"
                              "[WARP]\nThreads=4\n[WEFT]\nThreads=4\n[THREADING]\n1=1\n2=2\n3=3\n4=4\n"
                              "[TIEUP]\n1=1,2\n2=2,3\n3=3,4\n4=4,1\n[TREADLING]\n1=1\n2=2\n3=3\n4=4\n";

} // namespace

TEST(Wif, ExportThenImportGivesTheSameWeave) {
    TTexBitData w = Weave(5, 3,
                          "#..#."
                          ".##.."
                          "#..#.");
    TTexBitData back;
    ASSERT_EQ(ParseWif(WifBytes(w), back), 0u);
    EXPECT_EQ(back.Bits, w.Bits);
    MakeDraft(w);
    EXPECT_EQ(back, w); // a weave without a draft goes out with its own
}

TEST(Wif, TieUpAndTreadlingWeaveWhenThereIsNoLiftPlan) {
    TTexBitData w;
    ASSERT_EQ(ParseWif(kTreadled, w), 0u);
    EXPECT_EQ(w.Bits, Weave(4, 4,
                            "##.."
                            ".##."
                            "..##"
                            "#..#")
                          .Bits);
    EXPECT_TRUE(DraftReproduces(w));
    TTexBitData sunk;
    ASSERT_EQ(ParseWif(QByteArray(kTreadled).replace("Rising Shed=true", "Rising Shed=false"), sunk), 0u);
    EXPECT_FALSE(sunk.At(0, 0));
    EXPECT_TRUE(sunk.At(2, 0));
}

TEST(Wif, RefusedFilesNameWhatIsWrongAndLeaveTheWeave) {
    const struct {
        const char* From;
        const char* To;
        const char* Named;
    } cases[] = {
        {"[THREADING]", "[X]", "[THREADING]"},
        {"[WARP]", "[X]", "[WARP]"},
        {"[TIEUP]", "[X]", "[TIEUP]"},
        {"[TREADLING]", "[X]", "[TREADLING]"},
        {"Threads=4\n[THREADING]", "Threads=-4\n[THREADING]", "[WEFT] Threads"},
        {"4=4,1", "4=4,9", "[TIEUP]"},
        {"3=3\n4=4\n[TIEUP]", "3=3\n5=4\n[TIEUP]", "[THREADING]"},
        {"Shafts=4", "Shafts=99999", "[WEAVING] Shafts"},
    };
    for (const auto& c : cases) {
        const QByteArray text = QByteArray(kTreadled).replace(c.From, c.To);
        ASSERT_NE(text, QByteArray(kTreadled)) << c.From;
        TTexBitData w = Weave(1, 1, "#");
        QString detail;
        EXPECT_EQ(ParseWif(text, w, &detail), ErrorCode::BadFile) << c.From;
        EXPECT_TRUE(detail.contains(c.Named)) << c.From << ": " << detail.toStdString();
        EXPECT_EQ(w.Width, 1);
    }
}
