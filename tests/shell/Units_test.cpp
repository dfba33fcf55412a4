#include "shell/Units.h"

#include <gtest/gtest.h>

TEST(Units, LengthsAndDotsConvertBothWays) {
    struct Case {
        double length;
        int unit, dpi;
        double dots;
    } cases[] = {
        {320, UnitDot, 160, 320}, {2.5, UnitInch, 160, 400},
        {2.54, UnitCm, 160, 160}, {1, UnitCm, 100, 100 / 2.54},
        {3, UnitDot, 0, 0},       {1, UnitInch, -100, 0}, // no resolution, no size
        {1, 3, 160, 0},                                   // no such unit
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(LengthToDots(c.length, c.unit, c.dpi), c.dots) << c.length << " " << c.unit;
        if (c.dots != 0)
            EXPECT_DOUBLE_EQ(DotsToLength(c.dots, c.unit, c.dpi), c.length) << c.length << " " << c.unit;
        else
            EXPECT_EQ(DotsToLength(10, c.unit, c.dpi), 0.0) << c.length << " " << c.unit;
    }
    EXPECT_EQ(UnitName(UnitCm), "Cm");
    EXPECT_EQ(UnitName(7), "Cm");
}

TEST(Units, WholeDotsFollowTheirRoundingRule) {
    struct Case {
        double length;
        int unit, dpi;
        int rounded, typed; // RoundedDots, TypedSizeToDots
    } cases[] = {
        {2.5, UnitInch, 160, 400, 400},
        {0.003, UnitInch, 160, 0, 0}, // 0.48
        {1.99, UnitInch, 100, 199, 199},
        {1.996, UnitInch, 100, 200, 199}, // typed inches are cut, not rounded
        {1, UnitCm, 160, 63, 63},         // 62.99
        {2.54, UnitCm, 100, 100, 100},
        {1.27, UnitCm, 1, 1, 0}, // exactly half a dot: 2.54 rounds up, the typed 0.3937007874 down
        {321.7, UnitDot, 160, 322, 321},
        {321.7, UnitDot, 0, 0, 321}, // typed dots need no resolution
        {1, UnitCm, 0, 0, 0},
        {1, UnitInch, -160, 0, 0},
        {0, UnitCm, 160, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundedDots(c.length, c.unit, c.dpi), c.rounded)
            << c.length << " " << c.unit << " " << c.dpi;
        EXPECT_EQ(TypedSizeToDots(c.length, c.unit, c.dpi), c.typed)
            << c.length << " " << c.unit << " " << c.dpi;
    }
}
