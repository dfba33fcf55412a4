// The shipped weave library: the rules of weaving hold for every weave, and the
// files in the data tree are what the generator makes.
#include "textile/Texture.h"
#include "textile/Weavelibrary.h"
#include "textile/Wif.h"

#include <gtest/gtest.h>

namespace {

template <typename F> void ForEachWeave(const TTexture& t, F f) {
    for (int type = 0; type < kWeaveTypes; ++type) {
        for (const TFoundGroup& g : t.Foundation[size_t(type)])
            for (const TTexBitData& w : g.Weaves)
                f(w);
        for (const TNamedGroup& g : t.Derivation[size_t(type)])
            for (const TTexBitData& w : g.Weaves)
                f(w);
    }
    for (const TNamedGroup& g : t.Special)
        for (const TTexBitData& w : g.Weaves)
            f(w);
}

const TTexture& Library() {
    static const TTexture t = MakeWeaveLibrary();
    return t;
}

} // namespace

TEST(WeaveLibrary, EveryDraftReproducesItsWeaveAndEveryEndAndPickInterlaces) {
    int count = 0;
    ForEachWeave(Library(), [&](const TTexBitData& w) {
        ++count;
        EXPECT_TRUE(DraftReproduces(w)) << w.Name.toStdString();
        // A float round the whole repeat would be a thread that never interlaces.
        EXPECT_LT(LongestWarpFloat(w), w.Height) << w.Name.toStdString();
        EXPECT_LT(LongestWeftFloat(w), w.Width) << w.Name.toStdString();
        for (int y = 0; y < w.Height; ++y) {
            int raised = 0;
            for (int x = 0; x < w.Width; ++x)
                raised += w.At(x, y);
            EXPECT_TRUE(raised > 0 && raised < w.Width) << w.Name.toStdString() << " pick " << y;
        }
    });
    EXPECT_GT(count, 250);
}

TEST(WeaveLibrary, TwillsOfEveryRepeatShiftByOnePerPick) {
    const auto& twills = Library().Foundation[1];
    ASSERT_EQ(twills.size(), 14u); // repeats 3 .. 16
    for (const TFoundGroup& g : twills) {
        ASSERT_EQ(int(g.Weaves.size()), 2 * (g.Repeat - 1)) << g.Repeat; // every n/m, Z and S
        for (size_t i = 0; i < g.Weaves.size(); ++i) {
            const TTexBitData& w = g.Weaves[i];
            // Z twills move one end right each pick, S twills one end left.
            const int step = i < g.Weaves.size() / 2 ? 1 : w.Width - 1;
            for (int y = 0; y < w.Height; ++y)
                for (int x = 0; x < w.Width; ++x)
                    ASSERT_EQ(w.At(x, y), w.At((x + step) % w.Width, (y + 1) % w.Height))
                        << w.Name.toStdString();
        }
    }
}

TEST(WeaveLibrary, SatinsHaveOneCellPerEndAndPickAndNoNeighboursTouch) {
    const auto& satins = Library().Foundation[2];
    ASSERT_FALSE(satins.empty());
    for (const TFoundGroup& g : satins)
        for (const TTexBitData& w : g.Weaves) {
            const int r = w.Width;
            std::vector<int> at(size_t(r), -1), perEnd(size_t(r), 0);
            for (int y = 0; y < r; ++y)
                for (int x = 0; x < r; ++x)
                    if (w.At(x, y)) {
                        ASSERT_EQ(at[size_t(y)], -1) << w.Name.toStdString();
                        at[size_t(y)] = x;
                        ++perEnd[size_t(x)];
                    }
            for (int y = 0; y < r; ++y) {
                ASSERT_NE(at[size_t(y)], -1);
                EXPECT_EQ(perEnd[size_t(y)], 1) << w.Name.toStdString();
                const int gap = std::abs(at[size_t(y)] - at[size_t((y + 1) % r)]);
                EXPECT_GT(std::min(gap, r - gap), 1) << w.Name.toStdString() << " pick " << y;
            }
        }
}

TEST(WeaveLibrary, ShippedFilesAreTheGeneratorsAndRoundTripThroughWif) {
    TTexture shipped;
    ASSERT_EQ(shipped.Load(VELMORA_SOURCE_DIR "/data/Texture"), 0u);
    EXPECT_EQ(shipped.Foundation, Library().Foundation);
    EXPECT_EQ(shipped.Special.size(), Library().Special.size());
    ForEachWeave(shipped, [](const TTexBitData& w) {
        TTexBitData back;
        ASSERT_EQ(ParseWif(WifBytes(w), back), 0u);
        EXPECT_EQ(back, w) << w.Name.toStdString();
    });
}
