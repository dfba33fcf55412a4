#include "support/Pictures.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

TEST(OrvaneBitmap, AllocateSetsSizeDepthPaletteAndFiresOnChange) {
    TOrvaneBitmap b;
    int changes = 0;
    b.OnChange = [&] { ++changes; };
    TRGBQuad pal[256];
    pal[7] = TRGBQuad{1, 2, 3, 0};
    ASSERT_TRUE(b.Allocate(33, 5, pal, 8));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.Width, 33);
    EXPECT_EQ(b.Height, 5);
    EXPECT_EQ(b.BitsPerPixel, 8);
    EXPECT_EQ(b.BytesPerLine(), 36);
    TRGBQuad got;
    b.GetColors(7, 1, &got);
    EXPECT_EQ(got, pal[7]);

    b.Release();
    EXPECT_FALSE(b.Allocated());
    EXPECT_EQ(b.Width, 0);
    EXPECT_EQ(b.BitsPerPixel, 0);
}

TEST(OrvaneBitmap, AbsurdSizesAreRefusedWithoutAllocating) {
    TOrvaneBitmap b;
    EXPECT_FALSE(b.Allocate(0, 10, nullptr, 8));
    EXPECT_FALSE(b.Allocate(10, -1, nullptr, 8));
    EXPECT_FALSE(b.Allocate(100000, 10, nullptr, 8));
    EXPECT_FALSE(b.Allocate(60000, 60000, nullptr, 24)); // 10.8 GB
    EXPECT_FALSE(b.Allocate(10, 10, nullptr, 4));
    EXPECT_FALSE(b.Allocated());
}

TEST(OrvaneBitmap, RowPaddingFollowsDepthAndWidth) {
    struct Case {
        int width, bpp, bytes;
    };
    for (Case c : {Case{1, 1, 4}, Case{33, 1, 8}, Case{7, 8, 8}, Case{9, 8, 12}, Case{1, 24, 4},
                   Case{7, 24, 24}, Case{9, 24, 28}, Case{33, 24, 100}}) {
        TOrvaneBitmap b;
        ASSERT_TRUE(b.Allocate(c.width, 2, nullptr, c.bpp));
        EXPECT_EQ(b.BytesPerLine(), c.bytes) << c.width << "x" << c.bpp;
    }
}

TEST(OrvaneBitmap, PixelValuesAreIndicesColourValuesAndBits) {
    TOrvaneBitmap rgb;
    ASSERT_TRUE(rgb.Allocate(3, 2, nullptr, 24));
    uint8_t* p = rgb.ScanLine(1) + 3;
    p[0] = 0x11, p[1] = 0x22, p[2] = 0x33; // blue, green, red
    EXPECT_EQ(rgb.GetPixel(1, 1), 0x112233u);
    EXPECT_EQ(RedOf(rgb.GetPixel(1, 1)), 0x33);
    rgb.SetPixel(2, 0, 0x112233);
    EXPECT_EQ(rgb.ScanLine(0)[6], 0x11);
    EXPECT_EQ(rgb.ScanLine(0)[7], 0x22);
    EXPECT_EQ(rgb.ScanLine(0)[8], 0x33);

    TOrvaneBitmap mono;
    ASSERT_TRUE(mono.Allocate(10, 1, nullptr, 1));
    mono.SetPixel(0, 0, 1);
    mono.SetPixel(9, 0, 1);
    EXPECT_EQ(mono.ScanLine(0)[0], 0x80);
    EXPECT_EQ(mono.ScanLine(0)[1], 0x40);
    mono.SetPixel(0, 0, 0);
    EXPECT_EQ(mono.GetPixel(0, 0), 0u);
    EXPECT_EQ(mono.GetPixel(9, 0), 1u);

    // Outside the picture nothing is written and 0 is read.
    mono.SetPixel(10, 0, 1);
    mono.SetPixel(-1, 0, 1);
    EXPECT_EQ(mono.GetPixel(10, 0), 0u);
}

TEST(OrvaneBitmap, RowAccessReadsCopiesAndWritesBack) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"abc", "def"}));
    EXPECT_EQ(b.ReadRow(0), nullptr); // not open
    EXPECT_FALSE(b.BeginRows(12));
    ASSERT_TRUE(b.BeginRows(11));
    uint8_t* r = b.ReadRow(1, 10);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r[0], 'd');
    r[1] = 'x';
    EXPECT_EQ(b.GetPixel(1, 1), uint32_t('e')); // a copy until written
    ASSERT_TRUE(b.WriteRow(0, 10));
    EXPECT_FALSE(b.WriteRow(2, 10));
    EXPECT_EQ(b.ReadRow(-1), nullptr);
    b.EndRows();
    b.EndRows(); // harmless twice
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"dxf", "def"}));

    TOrvaneBitmap empty;
    EXPECT_FALSE(empty.BeginRows());
}

TEST(OrvaneBitmap, PackedRowsRunTopDownOrBottomUp) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"ab", "cd", "ef"}));
    uint8_t buf[6];
    ASSERT_TRUE(b.GetRows(buf, 2, true));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 6), "efcdab");
    const uint8_t src[] = {'1', '2', '3', '4', '5', '6'};
    ASSERT_TRUE(b.PutRows(src, 2, false));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"12", "34", "56"}));
}

TEST(OrvaneBitmap, RectCopiesAreByteAlignedAndRectBitsRepack) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"abcde", "fghij", "klmno"}));
    uint8_t out[6] = {};
    ASSERT_TRUE(b.GetRect(out, 3, QRect(1, 1, 3, 2)));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 6), "ghilmn");
    EXPECT_FALSE(b.GetRect(out, 3, QRect(3, 0, 3, 1))); // leaves the picture
    const uint8_t in[2] = {'X', 'Y'};
    ASSERT_TRUE(b.PutRect(in, 1, QRect(4, 1, 1, 2)));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"abcde", "fghiX", "klmnY"}));

    // 1 bit: columns 3..12 of 10110011 10001111 -> 10011100 01
    TOrvaneBitmap mono;
    ASSERT_TRUE(mono.Allocate(16, 1, nullptr, 1));
    mono.ScanLine(0)[0] = 0b10110011;
    mono.ScanLine(0)[1] = 0b10001111;
    uint8_t bits[2] = {0xFF, 0xFF};
    ASSERT_TRUE(mono.GetRectBits(bits, 2, QRect(3, 0, 10, 1)));
    EXPECT_EQ(bits[0], 0b10011100);
    EXPECT_EQ(bits[1], 0b01000000);
    uint8_t whole[2] = {};
    ASSERT_TRUE(mono.GetRect(whole, 2, QRect(3, 0, 10, 1)));
    EXPECT_EQ(whole[0], 0b10110011); // whole bytes, not re-packed
}

TEST(OrvaneBitmap, RegionsCombineByMode) {
    TOrvaneBitmap b;
    ASSERT_TRUE(b.Allocate(20, 20, nullptr, 8));
    QRegion r;
    EXPECT_FALSE(b.GetRegion(r, false));
    ASSERT_TRUE(b.SetRegionRect(L_RGN_SET, QRect(0, 0, 10, 10)));
    ASSERT_TRUE(b.SetRegionRect(L_RGN_OR, QRect(5, 5, 10, 10)));
    ASSERT_TRUE(b.GetRegion(r, false));
    EXPECT_TRUE(r.contains(QPoint(14, 14)));
    ASSERT_TRUE(b.SetRegionRect(L_RGN_ANDNOTRGN, QRect(0, 0, 6, 6)));
    ASSERT_TRUE(b.GetRegion(r, true));
    EXPECT_FALSE(r.contains(QPoint(2, 2)));
    EXPECT_TRUE(r.contains(QPoint(8, 2)));
    EXPECT_FALSE(b.HasRegion());
    // A region never reaches past the picture.
    ASSERT_TRUE(b.SetRegionRect(L_RGN_SETNOT, QRect(0, 0, 10, 20)));
    ASSERT_TRUE(b.GetRegion(r, false));
    EXPECT_EQ(r.boundingRect(), QRect(10, 0, 10, 20));
    EXPECT_FALSE(b.SetRegionRect(99, QRect(0, 0, 1, 1)));
}

TEST(OrvaneBitmap, OneDeviceContextAtATimeAndBlitsWaitForIt) {
    TOrvaneBitmap a, c;
    ASSERT_TRUE(MakeIndexed(a, {"ab", "cd"}));
    ASSERT_TRUE(MakeIndexed(c, {"..", ".."}));
    TBitmapDC* dc = a.GetDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(a.GetDC(), nullptr);
    EXPECT_FALSE(c.CopyFrom(a, 0, 0, SRCCOPY));
    EXPECT_FALSE(c.Assign(a));
    a.ReleaseDC(dc);
    EXPECT_FALSE(a.HasDC);
    EXPECT_TRUE(c.CopyFrom(a, 0, 0, SRCCOPY));
    EXPECT_EQ(Rows(c), (std::vector<std::string>{"ab", "cd"}));
}

TEST(OrvaneBitmap, CanvasPaintsIndicesAndColoursIntoThePixels) {
    TOrvaneBitmap idx;
    ASSERT_TRUE(idx.Allocate(9, 4, nullptr, 8));
    QPainter* p = idx.GetCanvas();
    ASSERT_NE(p, nullptr);
    p->fillRect(QRect(2, 1, 3, 2), QColor(77, 77, 77));
    idx.ReleaseCanvas(p);
    EXPECT_FALSE(idx.HasDC);
    EXPECT_EQ(idx.GetPixel(2, 1), 77u);
    EXPECT_EQ(idx.GetPixel(4, 2), 77u);
    EXPECT_EQ(idx.GetPixel(5, 2), 0u);

    TOrvaneBitmap rgb;
    ASSERT_TRUE(rgb.Allocate(5, 3, nullptr, 24));
    p = rgb.GetCanvas();
    ASSERT_NE(p, nullptr);
    p->fillRect(QRect(1, 1, 1, 1), QColor(0x33, 0x22, 0x11));
    rgb.ReleaseCanvas(p);
    EXPECT_EQ(rgb.GetPixel(1, 1), MakeColorRef(0x33, 0x22, 0x11));
    EXPECT_EQ(rgb.GetPixel(0, 0), 0u);
}

TEST(OrvaneBitmap, BlitsClipToPicturesAndRegionAndApplyRops) {
    TOrvaneBitmap src, dst;
    ASSERT_TRUE(MakeIndexed(src, {"12", "34"}));
    ASSERT_TRUE(MakeIndexed(dst, {"....", "....", "...."}));
    ASSERT_TRUE(dst.DrawFrom(3, 2, src));
    EXPECT_EQ(Rows(dst), (std::vector<std::string>{"....", "....", "...1"}));
    ASSERT_TRUE(dst.SetRegionRect(L_RGN_SET, QRect(0, 0, 1, 3)));
    ASSERT_TRUE(dst.DrawFrom(0, 0, src));
    EXPECT_EQ(Rows(dst), (std::vector<std::string>{"1...", "3...", "...1"}));
    dst.FreeRegion();
    ASSERT_TRUE(dst.CopyRectFrom(1, 0, 1, 1, src, 1, 1, SRCINVERT));
    EXPECT_EQ(dst.GetPixel(1, 0), uint32_t('.' ^ '4'));
    EXPECT_FALSE(dst.CopyRectFrom(0, 0, 1, 1, src, 0, 0, 0x12345678));
}

TEST(OrvaneBitmap, BlitsBetweenDepthsGoThroughColours) {
    TOrvaneBitmap idx, rgb;
    TRGBQuad pal[256];
    pal[5] = TRGBQuad{10, 20, 30, 0};
    pal[9] = TRGBQuad{200, 100, 50, 0};
    ASSERT_TRUE(idx.Allocate(2, 1, pal, 8));
    idx.SetPixel(0, 0, 5);
    idx.SetPixel(1, 0, 9);
    ASSERT_TRUE(rgb.Allocate(2, 1, nullptr, 24));
    ASSERT_TRUE(rgb.CopyFrom(idx, 0, 0));
    EXPECT_EQ(rgb.GetPixel(0, 0), MakeColorRef(30, 20, 10));
    EXPECT_EQ(rgb.GetPixel(1, 0), MakeColorRef(50, 100, 200));
    rgb.SetPixel(0, 0, MakeColorRef(48, 99, 201)); // nearest to entry 9
    TOrvaneBitmap back;
    ASSERT_TRUE(back.Allocate(2, 1, pal, 8));
    ASSERT_TRUE(back.CopyFrom(rgb, 0, 0));
    EXPECT_EQ(back.GetPixel(0, 0), 9u);
    EXPECT_EQ(back.GetPixel(1, 0), 9u);
}

TEST(OrvaneBitmap, AssignAllocatesFromSourceOrKeepsItsSizeAndRegion) {
    TOrvaneBitmap src, dst;
    ASSERT_TRUE(MakeIndexed(src, {"abc", "def"}));
    src.ColorSpace = 1;
    ASSERT_TRUE(dst.Assign(src));
    EXPECT_EQ(Rows(dst), Rows(src));
    EXPECT_EQ(dst.ColorSpace, 1);

    TOrvaneBitmap small;
    ASSERT_TRUE(MakeIndexed(small, {"..", ".."}));
    ASSERT_TRUE(small.SetRegionRect(L_RGN_SET, QRect(0, 0, 1, 1)));
    ASSERT_TRUE(small.Assign(src));
    EXPECT_EQ(Rows(small), (std::vector<std::string>{"ab", "de"})); // whole picture despite the region
    QRegion r;
    ASSERT_TRUE(small.GetRegion(r, false));
    EXPECT_EQ(r, QRegion(0, 0, 1, 1));
}

TEST(OrvaneBitmap, ResizeCanvasKeepsTopLeftFillsAndCrops) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"ab", "cd"}));
    int changes = 0;
    b.OnChange = [&] { ++changes; };
    ASSERT_TRUE(b.ResizeCanvas(3, 3, '+'));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"ab+", "cd+", "+++"}));
    ASSERT_TRUE(b.ResizeCanvas(1, 2, '-'));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"a", "c"}));
    ASSERT_TRUE(b.ResizeCanvas(1, 2, '-'));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(changes, 3); // the unchanged size fires too

    EXPECT_FALSE(b.ResizeCanvas(0, 2, 0));
    EXPECT_FALSE(b.ResizeCanvas(2, -1, 0));
    EXPECT_FALSE(b.Stretch(-3, 2, false));
    EXPECT_FALSE(b.ResizeCanvas(70000, 2, 0));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(changes, 3);
}

TEST(OrvaneBitmap, ResizeKeepsPaletteAndRegionAndFillsColourValues) {
    TOrvaneBitmap b;
    TRGBQuad pal[256];
    pal[3] = TRGBQuad{9, 8, 7, 0};
    ASSERT_TRUE(b.Allocate(2, 2, pal, 8));
    ASSERT_TRUE(b.SetRegionRect(L_RGN_SET, QRect(0, 0, 1, 1)));
    ASSERT_TRUE(b.ResizeCanvas(4, 4, 3));
    TRGBQuad got;
    b.GetColors(3, 1, &got);
    EXPECT_EQ(got, pal[3]);
    EXPECT_TRUE(b.HasRegion());

    TOrvaneBitmap rgb;
    ASSERT_TRUE(rgb.Allocate(1, 1, nullptr, 24));
    ASSERT_TRUE(rgb.ResizeCanvas(2, 1, MakeColorRef(1, 2, 3)));
    EXPECT_EQ(rgb.GetPixel(1, 0), MakeColorRef(1, 2, 3));
    EXPECT_EQ(rgb.GetPixel(0, 0), 0u);
}

TEST(OrvaneBitmap, FillRectIgnoresRegionAndClips) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"...", "..."}));
    ASSERT_TRUE(b.SetRegionRect(L_RGN_SET, QRect(0, 0, 1, 1)));
    ASSERT_TRUE(b.FillRect('x', QRect(1, 1, 5, 5)));
    EXPECT_EQ(Rows(b), (std::vector<std::string>{"...", ".xx"}));
    EXPECT_TRUE(b.HasRegion());
    TOrvaneBitmap empty;
    EXPECT_TRUE(empty.FillRect(1, QRect(0, 0, 1, 1)));
}

TEST(OrvaneBitmap, PixelBlocksRoundTripAndDamagedBlocksLeaveThePictureAlone) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"abcde", "fghij", "klmno"}));
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(b.SaveToHandle(&out, 2));
    ASSERT_TRUE(b.SaveRectToHandle(&out, 0, QRect(1, 1, 3, 2)));
    out.close();
    EXPECT_EQ(bytes.size(), 4 + 8 * 3 + 4 * 2); // raw fallback: 24 bytes do not shrink
    EXPECT_EQ(bytes.mid(28, 3), QByteArray("ghi"));
    EXPECT_EQ(bytes.mid(32, 3), QByteArray("lmn"));

    TOrvaneBitmap c;
    ASSERT_TRUE(c.Allocate(5, 3, nullptr, 8));
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(c.LoadFromHandle(&in, 2));
    EXPECT_EQ(Rows(c), Rows(b));

    TOrvaneBitmap d;
    ASSERT_TRUE(MakeIndexed(d, {"zzzzz", "zzzzz", "zzzzz"}));
    QBuffer shortIn;
    shortIn.setData(bytes.left(10));
    shortIn.open(QIODevice::ReadOnly);
    EXPECT_FALSE(d.LoadFromHandle(&shortIn, 2));
    EXPECT_EQ(Rows(d), (std::vector<std::string>{"zzzzz", "zzzzz", "zzzzz"}));
}

TEST(OrvaneBitmap, OneBitRectBlockIsRepackedAndPaddedToFourBytes) {
    TOrvaneBitmap mono;
    ASSERT_TRUE(mono.Allocate(40, 2, nullptr, 1));
    for (int x = 5; x < 40; x += 2)
        mono.SetPixel(x, 1, 1);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(mono.SaveRectToHandle(&out, 0, QRect(5, 0, 33, 2)));
    // (33 - 1) / 8 + 1 = 5 bytes, padded to 8, for two rows.
    ASSERT_EQ(bytes.size(), 16);
    EXPECT_EQ(uint8_t(bytes[0]), 0);
    EXPECT_EQ(uint8_t(bytes[8]), 0b10101010);
    EXPECT_EQ(uint8_t(bytes[12]), 0b10000000);
    EXPECT_EQ(uint8_t(bytes[13]), 0);
}

TEST(OrvaneBitmap, ColourSpaceConversionsAreReversible) {
    TOrvaneBitmap b;
    ASSERT_TRUE(b.Allocate(2, 1, nullptr, 24));
    b.SetPixel(0, 0, MakeColorRef(10, 20, 30));
    ASSERT_TRUE(b.ConvertColorSpace(4));
    EXPECT_EQ(b.ColorSpace, 4);
    EXPECT_EQ(b.ScanLine(0)[0], 255 - 30);
    ASSERT_TRUE(b.ConvertColorSpace(0));
    EXPECT_EQ(b.GetPixel(0, 0), MakeColorRef(10, 20, 30));
    EXPECT_FALSE(b.ConvertColorSpace(9));
    EXPECT_EQ(b.ColorSpace, 0);
}
