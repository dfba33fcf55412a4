#include "shell/Clipboard.h"

#include <gtest/gtest.h>

namespace {

void Design8(TOrvaneBitmap& b, TPalette& p) {
    p.SetDefault();
    p[2].SetRGB(200, 0, 0);
    p[3].SetUser(KindVMStandard, 4, 5, 0, 0, 200, "mine.ucl", "Blue");
    p.UseColor = 3;
    TRGBQuad q[256];
    p.GetQuads(q);
    ASSERT_TRUE(b.Allocate(4, 3, q, 8));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            b.SetPixel(x, y, 2 + (x + y) % 2);
}

int MaskAt(const QImage& mask, int x, int y) {
    return mask.constScanLine(y)[x];
}

} // namespace

TEST(ClipboardFormat, EightBitSelectionRoundTripsWithPaletteAndMask) {
    TOrvaneBitmap b;
    TPalette p;
    Design8(b, p);
    QRegion sel(1, 0, 2, 2);
    sel -= QRegion(2, 1, 1, 1);
    const QByteArray data = EncodeClipboard(b, p, QRect(1, 0, 2, 2), sel, 1234);
    // 28-byte header, records 1..3 (9 + 9 + 9 + 4 + 8 + 4 name bytes), 2 x 2 pixels.
    ASSERT_EQ(data.size(), 28 + 27 + 16 + 4);
    TClipPicture clip;
    ASSERT_TRUE(DecodeClipboard(data, clip));
    EXPECT_EQ(clip.Image.Width, 2);
    EXPECT_EQ(clip.Image.BitsPerPixel, 8);
    EXPECT_EQ(clip.Image.GetPixel(0, 0), 3u);
    EXPECT_EQ(clip.Image.GetPixel(1, 1), 0u); // outside the selection
    EXPECT_EQ(MaskAt(clip.Mask, 1, 1), 0);
    EXPECT_EQ(MaskAt(clip.Mask, 0, 1), 255);
    EXPECT_TRUE(clip.Palette[3] == p[3]);
    EXPECT_EQ(clip.Palette.UseColor, 3);
}

TEST(ClipboardFormat, FullColourKeepsColoursAndInvertedMask) {
    TOrvaneBitmap b;
    ASSERT_TRUE(b.Allocate(3, 2, nullptr, 24));
    b.SetPixel(0, 0, MakeColorRef(1, 2, 3));
    b.SetPixel(2, 1, MakeColorRef(9, 8, 7));
    TPalette p;
    const QByteArray data = EncodeClipboard(b, p, QRect(0, 0, 3, 2), QRegion(), 0);
    ASSERT_EQ(data.size(), 28 + 4 + 18 + 6);
    EXPECT_EQ(uint8_t(data[28 + 4 + 18]), 0); // inverted: 0 inside
    TClipPicture clip;
    ASSERT_TRUE(DecodeClipboard(data, clip));
    EXPECT_EQ(clip.Image.GetPixel(2, 1), MakeColorRef(9, 8, 7));
    EXPECT_EQ(MaskAt(clip.Mask, 0, 0), 255);
}

TEST(ClipboardFormat, MalformedDataIsRefused) {
    TOrvaneBitmap b;
    TPalette p;
    Design8(b, p);
    const QByteArray good = EncodeClipboard(b, p, QRect(0, 0, 4, 3), QRegion(), 1);
    TClipPicture clip;
    for (int cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(DecodeClipboard(good.left(cut), clip)) << cut;
    QByteArray huge = good;
    huge[12] = char(0xFF), huge[13] = char(0xFF), huge[14] = char(0), huge[16] = char(0xFF),
    huge[17] = char(0xFF);
    EXPECT_FALSE(DecodeClipboard(huge, clip));
    QByteArray depth = good;
    depth[8] = 16;
    EXPECT_FALSE(DecodeClipboard(depth, clip));
    EXPECT_TRUE(EncodeClipboard(b, p, QRect(10, 10, 2, 2), QRegion(), 0).isEmpty());
}

TEST(ClipboardPaste, ColoursTakeTheNearestDrawingColourAndMaskedPixelsStay) {
    TOrvaneBitmap design;
    TPalette p;
    Design8(design, p);
    TClipPicture clip;
    ASSERT_TRUE(ClipFromImage(
        [] {
            QImage img(2, 1, QImage::Format_RGB32);
            img.setPixel(0, 0, qRgb(190, 10, 10));
            img.setPixel(1, 0, qRgb(10, 10, 190));
            return img;
        }(),
        clip));
    clip.Mask.scanLine(0)[1] = 0;
    const QRect written = PasteIntoDesign(design, p, clip, 3, 2);
    EXPECT_EQ(written, QRect(3, 2, 1, 1)); // clipped at the right edge
    EXPECT_EQ(design.GetPixel(3, 2), 2u);
    clip.Mask.scanLine(0)[1] = 255;
    PasteIntoDesign(design, p, clip, 0, 0);
    EXPECT_EQ(design.GetPixel(1, 0), 3u);

    const QImage picture = ClipboardPicture(design, p, QRect(0, 0, 2, 1), QRegion(0, 0, 1, 1));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(200, 0, 0));
    EXPECT_EQ(picture.pixel(1, 0), qRgb(255, 255, 255));
}
