// Pictures through files and through the colour and geometry operations.
#include "platform/Imagefile.h"
#include "support/Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Put16(QByteArray& b, int v) {
    b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}
void Put32(QByteArray& b, int v) {
    Put16(b, v & 0xFFFF), Put16(b, (v >> 16) & 0xFFFF);
}

// A BMP file written byte by byte: rows bottom-up, each padded to 4 bytes.
QByteArray Bmp(int w, int h, int bits, const std::vector<uint32_t>& palette,
               const std::vector<QByteArray>& rowsTopDown) {
    QByteArray pal, pixels;
    for (uint32_t c : palette)
        Put32(pal, int(c));
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row = rowsTopDown[size_t(y)];
        while (row.size() % 4)
            row.append('\0');
        pixels += row;
    }
    QByteArray b("BM");
    Put32(b, 54 + int(pal.size() + pixels.size()));
    Put32(b, 0);
    Put32(b, 54 + int(pal.size()));
    Put32(b, 40), Put32(b, w), Put32(b, h), Put16(b, 1), Put16(b, bits), Put32(b, 0);
    Put32(b, int(pixels.size())), Put32(b, 2835), Put32(b, 2835), Put32(b, int(palette.size())), Put32(b, 0);
    return b + pal + pixels;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile f(dir.path() + "/" + name);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
}

} // namespace

TEST(OrvaneBitmapFiles, FourBitFileArrivesAsEightBitsWithItsColours) {
    QTemporaryDir dir;
    // 3 x 2, colours 1 (red) and 2 (blue) and 15 (white): rows "12F", "21F".
    const QString path =
        WriteFile(dir, "four.bmp",
                  Bmp(3, 2, 4, {0, 0xFF0000, 0x0000FF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF},
                      {QByteArray("\x12\xF0", 2), QByteArray("\x21\xF0", 2)}));
    TOrvaneBitmap b;
    ASSERT_TRUE(b.LoadFromFile(path));
    EXPECT_EQ(b.BitsPerPixel, 8);
    EXPECT_EQ(b.Width, 3);
    EXPECT_EQ(b.Height, 2);
    auto colour = [&](int x, int y) {
        TRGBQuad q;
        b.GetColors(int(b.GetPixel(x, y)), 1, &q);
        return MakeColorRef(q.rgbRed, q.rgbGreen, q.rgbBlue);
    };
    EXPECT_EQ(colour(0, 0), MakeColorRef(255, 0, 0));
    EXPECT_EQ(colour(1, 0), MakeColorRef(0, 0, 255));
    EXPECT_EQ(colour(0, 1), MakeColorRef(0, 0, 255));
    EXPECT_EQ(colour(2, 1), MakeColorRef(255, 255, 255));
    // Only the three colours in use remain, at the first palette entries.
    EXPECT_LT(b.GetPixel(2, 0), 3u);
}

TEST(OrvaneBitmapFiles, SixteenBitFileArrivesAsTwentyFourBitsAndBottomUpFlips) {
    QTemporaryDir dir;
    // 5-5-5 pixels: pure red 0x7C00 over pure blue 0x001F.
    const QString path = WriteFile(dir, "sixteen.bmp",
                                   Bmp(1, 2, 16, {}, {QByteArray("\x00\x7C", 2), QByteArray("\x1F\x00", 2)}));
    TOrvaneBitmap b;
    ASSERT_TRUE(b.LoadFromFile(path));
    EXPECT_EQ(b.BitsPerPixel, 24);
    EXPECT_EQ(RedOf(b.GetPixel(0, 0)), 255);
    EXPECT_EQ(BlueOf(b.GetPixel(0, 1)), 255);

    TOrvaneBitmap flipped;
    flipped.BottomUp = true;
    ASSERT_TRUE(flipped.LoadFromFile(path));
    EXPECT_EQ(BlueOf(flipped.GetPixel(0, 0)), 255);
    EXPECT_EQ(RedOf(flipped.GetPixel(0, 1)), 255);
}

TEST(OrvaneBitmapFiles, FailedLoadKeepsThePictureAndSaveRoundTrips) {
    QTemporaryDir dir;
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"ab", "cd"}));
    EXPECT_FALSE(b.LoadFromFile(dir.path() + "/missing.bmp"));
    EXPECT_FALSE(b.LoadFromFile(WriteFile(dir, "bad.bmp", QByteArray("BMxxxxxxxxxxxxxxxxxxxxxxxx"))));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"ab", "cd"}));

    ASSERT_TRUE(b.SaveToFile(dir.path() + "/out.png", FILE_PNG));
    TOrvaneBitmap c;
    ASSERT_TRUE(c.LoadFromFile(dir.path() + "/out.png"));
    EXPECT_EQ(c.BitsPerPixel, 8);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            TRGBQuad q;
            c.GetColors(int(c.GetPixel(x, y)), 1, &q);
            EXPECT_EQ(q.rgbRed, b.GetPixel(x, y)); // grey palette: level = original index
        }
    EXPECT_FALSE(b.SaveToFile(dir.path() + "/out.xyz", 999));
}

TEST(OrvaneBitmapColours, ColorResWidensAndReducesInPlace) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"ab", "ba"}));
    ASSERT_TRUE(b.ColorRes(24, 4, nullptr, 0));
    EXPECT_EQ(b.BitsPerPixel, 24);
    EXPECT_EQ(b.GetPixel(0, 0), MakeColorRef('a', 'a', 'a'));
    ASSERT_TRUE(b.ColorRes(8, 2, nullptr, 250));
    EXPECT_EQ(b.BitsPerPixel, 8);
    EXPECT_EQ(b.GetPixel(0, 0), 0u); // colours in order of first appearance
    EXPECT_EQ(b.GetPixel(1, 0), 1u);
    EXPECT_EQ(b.GetPixel(0, 1), 1u);

    // Onto a given palette: every colour takes its nearest entry.
    TRGBQuad pal[256] = {};
    pal[7] = TRGBQuad{'a', 'a', 'a', 0};
    pal[9] = TRGBQuad{'b', 'b', 'b', 0};
    ASSERT_TRUE(b.ColorRes(24, 4, nullptr, 0));
    ASSERT_TRUE(b.ColorRes(8, 0, pal, 0));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"\x07\x09", "\x09\x07"}));
}

TEST(OrvaneBitmapGeometry, RotateAndStretchReplaceThePictureAndReportSize) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"abc", "def"}));
    ASSERT_TRUE(b.Rotate(9000, true, '.'));
    EXPECT_EQ(b.Width, 2);
    EXPECT_EQ(b.Height, 3);
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"da", "eb", "fc"})); // clockwise
    ASSERT_TRUE(b.Rotate(-9000, true, '.'));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"abc", "def"}));
    ASSERT_TRUE(b.Rotate(18000, false, '.'));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"fed", "cba"}));

    int changes = 0;
    b.OnChange = [&] { ++changes; };
    ASSERT_TRUE(b.Stretch(6, 4, false));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"ffeedd", "ffeedd", "ccbbaa", "ccbbaa"}));
    EXPECT_EQ(changes, 1);
    TBitmapDC* dc = b.GetDC();
    EXPECT_FALSE(b.Rotate(100, true, 0)); // not while a drawing context is out
    EXPECT_FALSE(b.Stretch(2, 2, false));
    b.ReleaseDC(dc);
    EXPECT_EQ(b.Width, 6);
}

// Every depth and a spread of widths that hit the row padding.
class DepthWidth : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(DepthWidth, PixelsSurviveResizeBlocksAndRects) {
    const auto [bpp, width] = GetParam();
    TOrvaneBitmap b;
    ASSERT_TRUE(b.Allocate(width, 3, nullptr, bpp));
    const uint32_t mask = bpp == 1 ? 1 : bpp == 8 ? 0xFF : 0xFFFFFF;
    auto value = [&](int x, int y) { return uint32_t(x * 7919 + y * 104729 + 13) & mask; };
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, value(x, y));

    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(b.SaveToHandle(&out, 2));
    out.close();
    TOrvaneBitmap c;
    ASSERT_TRUE(c.Allocate(width, 3, nullptr, bpp));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(c.LoadFromHandle(&in, 2));

    ASSERT_TRUE(c.ResizeCanvas(width + 5, 4, 0));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(c.GetPixel(x, y), value(x, y)) << x << "," << y;
    for (int x = 0; x < width + 5; ++x)
        EXPECT_EQ(c.GetPixel(x, 3), 0u);

    TOrvaneBitmap d;
    ASSERT_TRUE(d.Allocate(width, 3, nullptr, bpp));
    ASSERT_TRUE(d.CopyFrom(b, 0, 0));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(d.GetPixel(x, y), value(x, y));
}

INSTANTIATE_TEST_SUITE_P(Depths, DepthWidth,
                         ::testing::Combine(::testing::Values(1, 8, 24), ::testing::Values(1, 7, 8, 9, 33)));
