#include "shell/Mainmenu.h"
#include "shell/Toolicons.h"

#include <QColor>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int> ButtonTools() {
    std::vector<int> tools;
    for (int tool = 1; tool <= kToolCount; ++tool)
        if (tool != kToolCanvas) tools.push_back(tool);
    return tools;
}

int OpaquePixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) >= 200;
    return n;
}

bool FullyTransparent(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) return false;
    return true;
}

} // namespace

TEST(ToolIcon, EveryButtonGetsADrawingOfTheAskedSizeOnATransparentGround) {
    for (int size : {16, 24, 33, 64})
        for (int tool : ButtonTools()) {
            SCOPED_TRACE(testing::Message() << "tool " << tool << " size " << size);
            const QImage icon = ToolIcon(tool, size);
            ASSERT_FALSE(icon.isNull());
            EXPECT_EQ(icon.size(), QSize(size, size));
            EXPECT_EQ(icon.format(), QImage::Format_ARGB32_Premultiplied);
            // Enough ink to be seen, and the top-left corner left for the button face.
            EXPECT_GT(OpaquePixels(icon), size * size / 20);
            EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        }
}

TEST(ToolIcon, NoTwoToolsShareAPicture) {
    const std::vector<int> tools = ButtonTools();
    for (size_t i = 0; i < tools.size(); ++i)
        for (size_t j = i + 1; j < tools.size(); ++j)
            EXPECT_NE(ToolIcon(tools[i], 24), ToolIcon(tools[j], 24))
                << "tools " << tools[i] << " and " << tools[j];
}

TEST(ToolIcon, DisabledIsAFainterGreyOfTheSameShape) {
    for (int tool : ButtonTools()) {
        SCOPED_TRACE(testing::Message() << "tool " << tool);
        const QImage on = ToolIcon(tool, 32), off = ToolIcon(tool, 32, false);
        ASSERT_EQ(off.size(), on.size());
        EXPECT_NE(off, on);
        int coloured = 0, coverageLost = 0, maxAlpha = 0;
        for (int y = 0; y < off.height(); ++y)
            for (int x = 0; x < off.width(); ++x) {
                const QRgb px = off.pixel(x, y);
                coloured += qRed(px) != qGreen(px) || qGreen(px) != qBlue(px);
                // Same coverage: the drawing is dimmed, not lost.
                coverageLost += (qAlpha(px) == 0) != (qAlpha(on.pixel(x, y)) == 0);
                maxAlpha = std::max(maxAlpha, qAlpha(px));
            }
        EXPECT_EQ(coloured, 0);
        EXPECT_EQ(coverageLost, 0);
        EXPECT_GT(maxAlpha, 64);
        EXPECT_LT(maxAlpha, 160);
    }
}

TEST(ToolIcon, NumbersWithoutAButtonAreBlankAndBadSizesGiveNoImage) {
    for (int tool : {-1, 0, kToolCanvas, 26, 99}) {
        SCOPED_TRACE(testing::Message() << "tool " << tool);
        const QImage icon = ToolIcon(tool, 24);
        ASSERT_EQ(icon.size(), QSize(24, 24));
        EXPECT_TRUE(FullyTransparent(icon));
        EXPECT_TRUE(FullyTransparent(ToolIcon(tool, 24, false)));
    }
    for (int size : {0, -5, kToolIconMaxSize + 1, 1 << 30})
        EXPECT_TRUE(ToolIcon(ToolDraw, size).isNull());
    EXPECT_EQ(ToolIcon(ToolDraw, 1).size(), QSize(1, 1));
}
