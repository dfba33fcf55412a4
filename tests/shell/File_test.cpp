// Design files written and read back: pixels, palette records, exact layout.
#include "Filebytes.h"
#include "raster/Compress.h"
#include "shell/Exception.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr int kPaletteBytes = 256 * 9;
constexpr int kFront8 = 32 + 2 + kPaletteBytes + 2 + 8000; // without user-colour names

// A palette with library colours, user colours (with names and with empty
// names), protected entries and a used-colour count.
TPalette TestPalette() {
    TPalette p;
    for (int i = 0; i < 256; ++i)
        p[i].SetRGB(i, 255 - i, (i * 7) & 0xFF);
    p[2].SetLibrary(KindPantoneTextile, 12, 34, 10, 20, 30);
    p[3].SetUser(KindVMStandard, 5, 6, 40, 50, 60, "lib/user.clb", "Sea green");
    p[4].SetUser(KindNormal, 0, 0, 70, 80, 90, "", "");
    p[5].SetProtected(true);
    p[3].SetProtected(true);
    p.UseColor = 77;
    return p;
}

TDocumentHeader HeaderFor(int w, int h, int bpp, int compression) {
    TDocumentHeader hd;
    hd.paper.type = 5, hd.paper.orientation = 1, hd.paper.dpi = 254;
    hd.paper.width = w, hd.paper.height = h;
    hd.bitsPerPixel = uint16_t(bpp);
    hd.compression = uint8_t(compression);
    return hd;
}

// A picture whose every byte depends on its place, so shifted rows show.
void Pattern(TOrvaneBitmap& b, int w, int h, int bpp, const TPalette& palette) {
    TRGBQuad quads[256];
    palette.GetQuads(quads);
    ASSERT_TRUE(b.Allocate(w, h, quads, bpp));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * bpp / 8; ++x)
            b.ScanLine(y)[x] = uint8_t(x * 13 + y * 7 + 1);
}

QByteArray Written(const TPalette& p, const TDocumentHeader& hd, const TOrvaneBitmap* image,
                   const QRect* rect = nullptr) {
    TOrvaneBitmap thumb;
    if (image) {
        EXPECT_EQ(MakeThumbnail(thumb, *image, 0, QRect(0, 0, image->Width, image->Height)), 0u);
    } else {
        thumb.Allocate(80, 100, nullptr, 8);
    }
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteDocument(&out, p, hd, rect, image, thumb));
    return bytes;
}

uint32_t U32At(const QByteArray& b, qsizetype at) {
    const auto* p = reinterpret_cast<const uint8_t*>(b.constData() + at);
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
int U16At(const QByteArray& b, qsizetype at) {
    return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8;
}

} // namespace

TEST(DesignFile, RoundTripKeepsPixelsPaletteAndHeaderForEveryRowPadding) {
    const TPalette p = TestPalette();
    const int names = 2 + 12 + 2 + 9 + 2 + 2; // entry 3's names, entry 4's empty ones
    for (int bpp : {8, 24})
        for (int w : {1, 7, 8, 9, 33})
            for (int compression : {0, 2}) {
                SCOPED_TRACE(testing::Message()
                             << bpp << " bits, width " << w << ", compression " << compression);
                TOrvaneBitmap image;
                Pattern(image, w, 5, bpp, p);
                const TDocumentHeader hd = HeaderFor(w, 5, bpp, compression);
                const QByteArray bytes = Written(p, hd, &image);
                if (compression == 0) {
                    const int thumb = bpp == 8 ? 8000 : 24000;
                    EXPECT_EQ(bytes.size(),
                              32 + 2 + kPaletteBytes + names + 2 + thumb + image.BytesPerLine() * 5);
                }

                TPalette back;
                TDocumentHeader hb;
                TOrvaneBitmap read;
                ASSERT_EQ(ReadFrom(bytes, back, hb, &read), 0u);
                EXPECT_EQ(0, memcmp(&hb, &hd, sizeof hd));
                EXPECT_EQ(back.UseColor, 77);
                for (int i = 0; i < 256; ++i)
                    EXPECT_TRUE(back[i] == p[i]) << "entry " << i;
                EXPECT_EQ(back[3].ColorName, QByteArray("Sea green"));
                EXPECT_TRUE(back[3].Protected() && back[5].Protected() && !back[6].Protected());
                ASSERT_EQ(read.BitsPerPixel, bpp);
                EXPECT_EQ(PackedRows(read), PackedRows(image));
                if (bpp == 8) {
                    TRGBQuad q[256];
                    read.GetColors(0, 256, q);
                    EXPECT_EQ(q[200], (TRGBQuad{uint8_t((200 * 7) & 0xFF), 55, 200, 0}));
                }
            }
}

TEST(DesignFile, OnePixelCanvasHasTheExactLayout) {
    TPalette p;
    p.UseColor = 9;
    TOrvaneBitmap image;
    ASSERT_TRUE(image.Allocate(1, 1, nullptr, 8));
    image.SetPixel(0, 0, 0xAB);
    const QByteArray bytes = Written(p, HeaderFor(1, 1, 8, 0), &image);
    ASSERT_EQ(bytes.size(), 32 + 2 + kPaletteBytes + 2 + 8000 + 4);
    // Header fields at their offsets, reserved bytes zero.
    EXPECT_EQ(bytes.left(4), QByteArray("PT\xDE\x00", 4));
    EXPECT_EQ(bytes.mid(4, 12), QByteArray("\x05\x01\xFE\x00\x01\x00\x00\x00\x01\x00\x00\x00", 12));
    EXPECT_EQ(U16At(bytes, 16), 8);
    EXPECT_EQ(bytes[18], '\0');
    EXPECT_EQ(bytes.mid(19, 13), QByteArray(13, '\0'));
    EXPECT_EQ(U16At(bytes, 32), 9);
    EXPECT_EQ(U16At(bytes, 34 + kPaletteBytes), 8);
    // One row padded to four bytes.
    EXPECT_EQ(bytes.right(4), QByteArray("\xAB\x00\x00\x00", 4));
}

TEST(DesignFile, PaletteRecordsStoreFlagsPageNumberColourAndNames) {
    const QByteArray bytes = Written(TestPalette(), HeaderFor(1, 1, 8, 0), nullptr);
    const qsizetype at = 34;
    EXPECT_EQ(bytes.mid(at + 2 * 9, 9), CurrentRecord(KindPantoneTextile, 12, 34, 10, 20, 30));
    EXPECT_EQ(bytes.mid(at + 3 * 9, 9 + 2 + 12 + 2 + 9),
              CurrentRecord(0x93, 5, 6, 40, 50, 60, "lib/user.clb", "Sea green"));
    // A user colour with empty names: two zero length words.
    const qsizetype four = at + 4 * 9 + 2 + 12 + 2 + 9;
    EXPECT_EQ(bytes.mid(four, 13), CurrentRecord(0x10, 0, 0, 70, 80, 90));
    EXPECT_EQ(bytes.mid(four + 9, 4), QByteArray(4, '\0'));
    EXPECT_EQ(bytes.mid(four + 13, 9), CurrentRecord(0x80, 0, 0, 5, 250, 35));
}

TEST(DesignFile, FullColourThumbnailIsTwentyFourBitsUnpadded) {
    TPalette p;
    TOrvaneBitmap image;
    ASSERT_TRUE(image.Allocate(2, 1, nullptr, 24));
    image.SetPixel(0, 0, MakeColorRef(1, 2, 3));
    image.SetPixel(1, 0, MakeColorRef(4, 5, 6));
    const QByteArray bytes = Written(p, HeaderFor(2, 1, 24, 0), &image);
    const qsizetype depth = 34 + kPaletteBytes;
    EXPECT_EQ(U16At(bytes, depth), 24);
    ASSERT_EQ(bytes.size(), depth + 2 + 24000 + 8);
    // 2 x 1 scales to 80 x 40: left half blue 3, green 2, red 1; rows 40 .. 99 white.
    const QByteArray thumb = bytes.mid(depth + 2, 24000);
    EXPECT_EQ(thumb.mid(0, 3), QByteArray("\x03\x02\x01"));
    EXPECT_EQ(thumb.mid(39 * 3, 6), QByteArray("\x03\x02\x01\x06\x05\x04"));
    EXPECT_EQ(thumb.mid(39 * 240 + 237, 3), QByteArray("\x06\x05\x04"));
    EXPECT_EQ(thumb.mid(40 * 240), QByteArray(60 * 240, '\xFF'));
}

TEST(DesignFile, IncompressiblePixelsAreStoredRawWithLengthEqualToSize) {
    TPalette p;
    TOrvaneBitmap image;
    ASSERT_TRUE(image.Allocate(33, 40, nullptr, 8));
    std::mt19937 rng(5);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < image.BytesPerLine(); ++x)
            image.ScanLine(y)[x] = uint8_t(rng());
    const QByteArray bytes = Written(p, HeaderFor(33, 40, 8, 2), &image);
    const int raw = image.BytesPerLine() * 40;
    ASSERT_EQ(bytes.size(), kFront8 + 4 + raw);
    EXPECT_EQ(U32At(bytes, kFront8), uint32_t(raw));
    EXPECT_EQ(0, memcmp(bytes.constData() + kFront8 + 4, image.ScanLine(0), size_t(raw)));
    TPalette back;
    TDocumentHeader hb;
    TOrvaneBitmap read;
    ASSERT_EQ(ReadFrom(bytes, back, hb, &read), 0u);
    EXPECT_EQ(PackedRows(read), PackedRows(image));
}

TEST(DesignFile, SelectionRectangleSavesOnlyItsRows) {
    TPalette p;
    for (int bpp : {8, 24}) {
        TOrvaneBitmap image;
        Pattern(image, 20, 10, bpp, p);
        const QRect rect(3, 2, 9, 5);
        const QByteArray bytes = Written(p, HeaderFor(9, 5, bpp, 0), &image, &rect);
        const int row = (9 * bpp / 8 + 3) & ~3;
        EXPECT_EQ(bytes.size(), (bpp == 8 ? kFront8 : kFront8 + 16000) + row * 5);
        TPalette back;
        TDocumentHeader hb;
        TOrvaneBitmap read;
        ASSERT_EQ(ReadFrom(bytes, back, hb, &read), 0u);
        ASSERT_EQ(read.Width, 9);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 9; ++x)
                EXPECT_EQ(read.GetPixel(x, y), image.GetPixel(x + 3, y + 2)) << x << "," << y;
    }
}

TEST(DesignFile, WriterStoresThePixelsSizeAndRefusesWhatCouldNotBeReadBack) {
    TPalette p;
    TOrvaneBitmap image, thumb;
    Pattern(image, 4, 3, 8, p);
    ASSERT_EQ(MakeThumbnail(thumb, image, 0, QRect(0, 0, 4, 3)), 0u);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    EXPECT_FALSE(WriteDocument(&out, p, HeaderFor(4, 3, 8, 1), nullptr, &image, thumb)); // LZW code
    const QRect outside(2, 2, 4, 4);
    EXPECT_FALSE(WriteDocument(&out, p, HeaderFor(4, 4, 8, 0), &outside, &image, thumb));
    TOrvaneBitmap noThumb, empty;
    EXPECT_FALSE(WriteDocument(&out, p, HeaderFor(4, 3, 8, 0), nullptr, &image, noThumb));
    EXPECT_FALSE(WriteDocument(&out, p, HeaderFor(4, 3, 8, 0), nullptr, &empty, thumb));
    EXPECT_TRUE(bytes.isEmpty()); // refused before anything is written
    QBuffer readOnly(&bytes);
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(WriteDocument(&readOnly, p, HeaderFor(4, 3, 8, 0), nullptr, &image, thumb));

    // A header describing another size or depth is given the picture's own.
    const QByteArray fixed = Written(p, HeaderFor(1248, 1760, 24, 0), &image);
    TPalette back;
    TDocumentHeader hb;
    TOrvaneBitmap read;
    ASSERT_EQ(ReadFrom(fixed, back, hb, &read), 0u);
    EXPECT_EQ(hb.paper.width, 4);
    EXPECT_EQ(hb.paper.height, 3);
    EXPECT_EQ(hb.bitsPerPixel, 8);
    EXPECT_EQ(hb.paper.dpi, 254);
    EXPECT_EQ(PackedRows(read), PackedRows(image));
}

TEST(DesignFile, ReadingWithoutImageTakesHeaderAndPaletteOnly) {
    const TPalette p = TestPalette();
    TOrvaneBitmap image;
    Pattern(image, 9, 3, 8, p);
    const QByteArray bytes = Written(p, HeaderFor(9, 3, 8, 2), &image);
    TPalette back;
    TDocumentHeader hb;
    ASSERT_EQ(ReadFrom(bytes, back, hb, nullptr), 0u);
    EXPECT_EQ(hb.paper.width, 9);
    EXPECT_TRUE(back[3] == p[3]);
    // The writer puts the current magic and version on any header.
    TDocumentHeader old = HeaderFor(9, 3, 8, 0);
    old.magic[0] = 'x', old.version = 150;
    const QByteArray rewritten = Written(p, old, &image);
    EXPECT_EQ(rewritten.left(4), QByteArray("PT\xDE\x00", 4));
}

TEST(Thumbnail, ModeZeroScalesKeepingAspectAtTopLeft) {
    // 3 x 3 fills 80 x 80: column x takes source x * 3 / 80; rows 80 .. 99 stay white.
    TOrvaneBitmap image, thumb;
    ASSERT_TRUE(MakeIndexed(image, {"abc", "def", "ghi", "zzz"}));
    ASSERT_EQ(MakeThumbnail(thumb, image, 0, QRect(0, 0, 3, 3)), 0u);
    ASSERT_EQ(thumb.Width, 80);
    ASSERT_EQ(thumb.BitsPerPixel, 8);
    EXPECT_EQ(char(thumb.GetPixel(26, 0)), 'a');
    EXPECT_EQ(char(thumb.GetPixel(27, 0)), 'b');
    EXPECT_EQ(char(thumb.GetPixel(53, 26)), 'b');
    EXPECT_EQ(char(thumb.GetPixel(54, 27)), 'f');
    EXPECT_EQ(char(thumb.GetPixel(79, 79)), 'i');
    EXPECT_EQ(thumb.GetPixel(0, 80), 255u); // grey ramp: white is index 255
    // A tall rectangle inside the picture: 2 x 4 at (1, 0) becomes 50 x 100.
    ASSERT_EQ(MakeThumbnail(thumb, image, 0, QRect(1, 0, 2, 4)), 0u);
    EXPECT_EQ(char(thumb.GetPixel(0, 0)), 'b');
    EXPECT_EQ(char(thumb.GetPixel(49, 99)), 'z');
    EXPECT_EQ(thumb.GetPixel(50, 0), 255u);
    // White is the palette entry nearest to it, here index 7.
    TRGBQuad q[256] = {};
    q[7] = TRGBQuad{250, 255, 250, 0};
    q[9] = TRGBQuad{255, 240, 255, 0};
    image.PutColors(0, 256, q);
    ASSERT_EQ(MakeThumbnail(thumb, image, 0, QRect(0, 0, 3, 1)), 0u);
    EXPECT_EQ(thumb.GetPixel(0, 99), 7u);
}

TEST(Thumbnail, ModeOneMarksEveryCellHoldingAValueAboveOne) {
    // 7 x 3: th = 3 * 80 / 7 = 34, cells of 1 x 1; values 0 and 1 leave the background.
    TOrvaneBitmap image, thumb;
    ASSERT_TRUE(MakeIndexed(image, {std::string("\x00\x01\x05\x00\x00\x00\x09", 7), std::string(7, '\0'),
                                    std::string("\x01\x00\x00\x00\x00\x02\x00", 7)}));
    ASSERT_EQ(MakeThumbnail(thumb, image, 1, QRect(0, 0, 7, 3)), 0u);
    EXPECT_EQ(thumb.GetPixel(0, 0), 255u);
    EXPECT_EQ(thumb.GetPixel(1, 0), 255u);
    EXPECT_EQ(thumb.GetPixel(2, 0), 5u);
    EXPECT_EQ(thumb.GetPixel(6, 0), 9u);
    EXPECT_EQ(thumb.GetPixel(5, 2), 2u);
    EXPECT_EQ(thumb.GetPixel(7, 0), 255u);
    // 160 x 200 maps 2 x 2 cells; the last marked pixel of a cell wins.
    TOrvaneBitmap big;
    ASSERT_TRUE(big.Allocate(160, 200, nullptr, 8));
    big.SetPixel(3, 7, 5);
    big.SetPixel(10, 10, 1);
    big.SetPixel(158, 198, 4);
    big.SetPixel(159, 199, 6);
    big.SetPixel(21, 20, 8); // top right of cell (10, 10) ...
    big.SetPixel(20, 21, 3); // ... comes before its bottom left in row order
    ASSERT_EQ(MakeThumbnail(thumb, big, 1, QRect(0, 0, 160, 200)), 0u);
    EXPECT_EQ(thumb.GetPixel(1, 3), 5u);
    EXPECT_EQ(thumb.GetPixel(5, 5), 0u); // nearest to white in an all-black palette is index 0
    EXPECT_EQ(thumb.GetPixel(79, 99), 6u);
    EXPECT_EQ(thumb.GetPixel(10, 10), 3u);
    TOrvaneBitmap empty;
    EXPECT_EQ(MakeThumbnail(thumb, empty, 0, QRect(0, 0, 1, 1)), ErrorCode::NoDeviceContext);
}

TEST(Thumbnail, ReadBackFromAWrittenFile) {
    const TPalette p = TestPalette();
    for (int bpp : {8, 24}) {
        TOrvaneBitmap image;
        Pattern(image, 12, 15, bpp, p);
        const QByteArray bytes = Written(p, HeaderFor(12, 15, bpp, 2), &image);
        TOrvaneBitmap made;
        ASSERT_EQ(MakeThumbnail(made, image, 0, QRect(0, 0, 12, 15)), 0u);
        QBuffer in;
        in.setData(bytes);
        in.open(QIODevice::ReadOnly);
        QImage thumb;
        TPalette back;
        ASSERT_EQ(ReadThumbnail(&in, thumb, back), 0u);
        ASSERT_EQ(thumb.size(), QSize(80, 100));
        EXPECT_TRUE(back[3] == p[3]);
        for (int y : {0, 50, 99})
            for (int x : {0, 41, 79}) {
                const TColorRef c = made.GetPixel(x, y);
                if (bpp == 8) {
                    EXPECT_EQ(thumb.format(), QImage::Format_Indexed8);
                    EXPECT_EQ(uint32_t(thumb.pixelIndex(x, y)), c);
                    EXPECT_EQ(thumb.color(int(c)),
                              qRgb(p[int(c)].Red(), p[int(c)].Green(), p[int(c)].Blue()));
                } else {
                    EXPECT_EQ(thumb.pixel(x, y), qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
                }
            }
    }
}

TEST(Thumbnail, OlderFilesStoreTheRowsBottomUp) {
    // Version 221 built byte by byte: thumbnail byte i holds i % 256.
    const QByteArray bytes = PtHeader(221, 1, 1, 8, 0) + GreyPaletteAndThumbnail(3) + QByteArray(1, '\x07');
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    QImage thumb;
    TPalette back;
    ASSERT_EQ(ReadThumbnail(&in, thumb, back), 0u);
    EXPECT_EQ(thumb.pixelIndex(5, 99), 5);                  // file row 0
    EXPECT_EQ(thumb.pixelIndex(5, 0), (99 * 80 + 5) % 256); // file row 99
    EXPECT_EQ(thumb.color(200), qRgb(200, 200, 200));
    // Legacy and cut files have no thumbnail to give.
    for (const QByteArray& bad : {QByteArray(9000, 'T'), bytes.left(34 + 2304 + 2 + 7999)}) {
        QBuffer b;
        b.setData(bad);
        b.open(QIODevice::ReadOnly);
        EXPECT_EQ(ReadThumbnail(&b, thumb, back), ErrorCode::BadFile);
    }
}
