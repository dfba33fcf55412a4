// Damaged and impossible design files: all refused (BadFile, DamagedFile or
// PictureTooLarge), nothing crashes, no absurd allocation, and the caller's image
// ends up empty.
#include "Filebytes.h"
#include "shell/Exception.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

QByteArray Front(int version, int w, int h, int bpp, int compression) {
    return PtHeader(version, w, h, bpp, compression) + GreyPaletteAndThumbnail(4, bpp == 24 ? 24 : 8);
}

QByteArray LegacyT200(int w, int h, const QByteArray& data) {
    TBytes t;
    t.U8('x').U8('T').U16(200).Fill(8000, 1).U16(3);
    for (int k = 0; k < 256; ++k)
        t.U16(0).U16(0).U8(0).U8(0).U8(k).U8(k).U8(k).U8(0);
    return t.U32(1).U16(160).U32(w).U32(h).Raw(data).b;
}

std::vector<uint8_t> Bytes(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = uint8_t(i * 7 % 13);
    return v;
}

QByteArray Counted(const QByteArray& blocks, int64_t extra = 0) {
    return TBytes().U32(blocks.size() + extra).Raw(blocks).b;
}

// Reads bytes over an allocated picture and a filled-in palette and header.
// With expected 0 any refusal will do.
::testing::AssertionResult Refused(const QByteArray& bytes, uint32_t expected = 0) {
    TPalette p;
    p.UseColor = 1234;
    TDocumentHeader h;
    h.version = 4321;
    TOrvaneBitmap image;
    image.Allocate(3, 3, nullptr, 8);
    const uint32_t result = ReadFrom(bytes, p, h, &image);
    const bool refusal = result == ErrorCode::BadFile || result == ErrorCode::DamagedFile ||
                         result == ErrorCode::PictureTooLarge;
    if (expected ? result != expected : !refusal)
        return ::testing::AssertionFailure()
               << "result " << std::hex << result << " for " << bytes.size() << " bytes";
    if (image.Allocated()) return ::testing::AssertionFailure() << "image left allocated";
    if (p.UseColor != 1234 || h.version != 4321) return ::testing::AssertionFailure() << "results touched";
    return ::testing::AssertionSuccess();
}

QByteArray Written(int bpp, int compression) {
    TPalette p;
    p[6].SetUser(0, 1, 2, 3, 4, 5, "file", "name");
    TOrvaneBitmap image, thumb;
    image.Allocate(5, 3, nullptr, bpp);
    for (int y = 0; y < 3; ++y)
        image.SetPixel(y, y, 0x10203 * uint32_t(y + 1));
    MakeThumbnail(thumb, image, 0, QRect(0, 0, 5, 3));
    TDocumentHeader hd;
    hd.paper.width = 5, hd.paper.height = 3, hd.bitsPerPixel = uint16_t(bpp),
    hd.compression = uint8_t(compression);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    WriteDocument(&out, p, hd, nullptr, &image, thumb);
    return bytes;
}

long PeakKilobytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

} // namespace

TEST(DamagedDesignFile, TruncatedAtEveryOffsetIsRefused) {
    const QByteArray files[] = {
        Written(8, 2),
        Written(24, 0),
        Front(221, 5, 3, 8, 0) + QByteArray(15, '\x05'),
        Front(215, 5, 3, 24, 0) + QByteArray(48, '\x05'),
        LegacyT200(7, 5, Counted(SubBlocks(LzwEncode(Bytes(35))))),
        TBytes().U8('x').U8('C').U16(3).Fill(8000, 0).U16(3).Fill(225 * 8, 4).U16(4).U16(2).b +
            SubBlocks(LzwEncode(Bytes(8))),
    };
    for (const QByteArray& file : files) {
        TPalette p;
        TDocumentHeader h;
        TOrvaneBitmap image;
        ASSERT_EQ(ReadFrom(file, p, h, &image), 0u) << "complete file of " << file.size() << " bytes";
        const bool current = file.startsWith("PT") && file.size() > 32 + 2 + 256 * 9; // with its palette
        for (qsizetype n = 0; n < file.size(); ++n)
            ASSERT_TRUE(Refused(file.left(n), current && n >= 32 ? ErrorCode::DamagedFile : 0))
                << "cut at " << n << " of " << file.size();
    }
}

TEST(DamagedDesignFile, CorruptZlibStreamIsRefused) {
    TOrvaneBitmap image, thumb;
    ASSERT_TRUE(image.Allocate(64, 64, nullptr, 8));
    for (int y = 0; y < 64; ++y)
        image.SetPixel(y, y, 9);
    ASSERT_EQ(MakeThumbnail(thumb, image, 0, QRect(0, 0, 64, 64)), 0u);
    TDocumentHeader hd;
    hd.paper.width = 64, hd.paper.height = 64;
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteDocument(&out, TPalette(), hd, nullptr, &image, thumb));
    const qsizetype block = 32 + 2 + 256 * 9 + 2 + 8000;
    const int length = uint8_t(bytes[block]) | uint8_t(bytes[block + 1]) << 8;
    ASSERT_LT(length, 64 * 64);

    QByteArray flipped = bytes;
    flipped[block + 4 + length / 2] = char(flipped[block + 4 + length / 2] ^ 0x5A);
    EXPECT_TRUE(Refused(flipped));
    QByteArray checksum = bytes;
    checksum[bytes.size() - 1] = char(checksum[bytes.size() - 1] ^ 1);
    EXPECT_TRUE(Refused(checksum));
    QByteArray shorter = bytes;
    shorter[block] = char((length - 3) & 0xFF);
    shorter[block + 1] = char((length - 3) >> 8);
    EXPECT_TRUE(Refused(shorter.left(shorter.size() - 3)));
    QByteArray lzwCode = bytes;
    lzwCode[18] = 1;
    EXPECT_TRUE(Refused(lzwCode));
}

TEST(DamagedDesignFile, LzwDataOfTheWrongLengthOrWithBadCodesIsRefused) {
    EXPECT_TRUE(Refused(LegacyT200(7, 5, Counted(SubBlocks(LzwEncode(Bytes(34))))))) << "one byte short";
    EXPECT_TRUE(Refused(LegacyT200(7, 5, Counted(SubBlocks(LzwEncode(Bytes(36))))))) << "one byte over";
    EXPECT_TRUE(Refused(LegacyT200(2, 2, Counted(SubBlocks(PackCodes({256, 65, 400, 257})))))) << "code 400";
    const QByteArray blocks = SubBlocks(LzwEncode(Bytes(35)));
    EXPECT_TRUE(Refused(LegacyT200(7, 5, Counted(blocks, 1) + QByteArray(1, '\0'))))
        << "count past the blocks";
    EXPECT_TRUE(Refused(LegacyT200(7, 5, Counted(blocks, -1)))) << "count short of the blocks";
    EXPECT_TRUE(Refused(LegacyT200(7, 5, Counted(blocks, 1000)))) << "count past the file";
    EXPECT_TRUE(Refused(LegacyT200(7, 5, Counted(blocks.left(blocks.size() - 1) + QByteArray(1, '\x05')))))
        << "no empty block";
}

TEST(DamagedDesignFile, ImpossibleSizesAreRefusedWithoutAllocating) {
    const long before = PeakKilobytes();
    EXPECT_TRUE(Refused(PtHeader(222, 60000, 60000, 24, 2), ErrorCode::PictureTooLarge)); // 10.8 GB
    // Complete fronts whose pixels cannot be in the file: 40000 x 40000 x 24 is 4.8 GB.
    EXPECT_TRUE(Refused(Front(222, 40000, 40000, 24, 0) + QByteArray(100, '\x01'), ErrorCode::DamagedFile));
    EXPECT_TRUE(Refused(Front(219, 40000, 40000, 24, 0) + QByteArray(100, '\x01')));
    EXPECT_TRUE(
        Refused(Front(221, 40000, 40000, 24, 2) + TBytes().U32(0xFFFFFF00).b + QByteArray(100, '\x01')));
    // A 100-byte stream cannot inflate to 1.6 GB.
    EXPECT_TRUE(Refused(Front(222, 40000, 40000, 8, 2) + TBytes().U32(100).b + QByteArray(100, '\x01')));
    EXPECT_TRUE(
        Refused(Front(222, 40000, 40000, 8, 2) + TBytes().U32(2000000000).b + QByteArray(100, '\x01')));
    // Nor can 200 bytes of LZW codes make 65535 x 65535 pixels.
    EXPECT_TRUE(Refused(LegacyT200(65535, 65535, Counted(SubBlocks(QByteArray(180, '\x01'))))));
    EXPECT_TRUE(Refused(LegacyT200(65535, 65535, QByteArray(7, '\x01')), ErrorCode::DamagedFile));
    EXPECT_TRUE(Refused(LegacyT200(70000, 70000, QByteArray(7, '\x01')), ErrorCode::PictureTooLarge));
    EXPECT_LT(PeakKilobytes() - before, 200 * 1024);
}

TEST(DamagedDesignFile, ImpossibleHeadersAreRefused) {
    const QByteArray pixels(4096, '\x01');
    for (auto [w, h, bpp] : {std::tuple{0, 3, 8},
                             {3, 0, 8},
                             {-5, 3, 8},
                             {3, -1, 24},
                             {3, 3, 16},
                             {3, 3, 7},
                             {3, 3, 0},
                             {70000, 1, 8}})
        EXPECT_TRUE(Refused(Front(222, w, h, bpp, 0) + pixels,
                            w > 65535 ? ErrorCode::PictureTooLarge : ErrorCode::BadFile))
            << w << " x " << h << " x " << bpp;
    EXPECT_TRUE(Refused(LegacyT200(-5, 3, pixels)));
    EXPECT_TRUE(Refused(LegacyT200(5, 0, pixels)));
    EXPECT_TRUE(Refused(
        TBytes().U8('x').U8('X').U16(3).Fill(8000, 0).U16(3).Fill(225 * 8, 4).U16(0).U16(2).b + pixels));
    EXPECT_TRUE(Refused(QByteArray())) << "empty file";
}

TEST(DamagedDesignFile, PaletteNamesLongerThanTheFileAreRefused) {
    TBytes t;
    t.Raw(PtHeader(222, 1, 1, 8, 0)).U16(3);
    t.U16(0x10).U16(0).U8(0).U32(0).U16(0xFFFF).Fill(200, 'a');
    EXPECT_TRUE(Refused(t.b));
    TBytes second;
    second.Raw(PtHeader(222, 1, 1, 8, 0)).U16(3);
    second.U16(0x10).U16(0).U8(0).U32(0).U16(2).Raw("ab").U16(40000).Fill(20000, 'a');
    EXPECT_TRUE(Refused(second.b));
}
