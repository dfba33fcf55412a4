// The GIF-style LZW decoder of the oldest design files.
#include "Filebytes.h"
#include "shell/Lzw.h"

#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>
#include <random>

namespace {

bool Decode(const QByteArray& codes, std::vector<uint8_t>& out, size_t& produced) {
    return LzwDecode(reinterpret_cast<const uint8_t*>(codes.constData()), size_t(codes.size()), out.data(),
                     out.size(), produced);
}

// Runs, a repeating motif and noise: enough distinct strings to fill the table several times.
std::vector<uint8_t> Mixed(size_t n) {
    std::mt19937 rng(11);
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = (i / 700) % 3 == 0   ? uint8_t(rng() % 7)
               : (i / 700) % 3 == 1 ? uint8_t((i / 5) % 40)
                                    : uint8_t(rng());
    return v;
}

} // namespace

TEST(Lzw, HandAssembledStreamDecodesBitByBit) {
    // Clear 256, symbol 7, 258 (one past the table: "7 7"), 258 again (now known), end 257,
    // nine bits each: 1 0000 0000 | 0 0000 0111 | 1 0000 0010 | 1 0000 0010 | 1 0000 0001.
    const QByteArray codes("\x00\x0F\x08\x14\x18\x10", 6);
    std::vector<uint8_t> out(8, 0xCC);
    size_t produced = 0;
    ASSERT_TRUE(LzwDecode(reinterpret_cast<const uint8_t*>(codes.constData()), 6, out.data(), 5, produced));
    EXPECT_EQ(produced, 5u);
    EXPECT_EQ(out, (std::vector<uint8_t>{7, 7, 7, 7, 7, 0xCC, 0xCC, 0xCC}));
    // The test encoder writes exactly these bits.
    EXPECT_EQ(LzwEncode({7, 7, 7, 7, 7}), codes);
    EXPECT_EQ(PackCodes({256, 7, 258, 258, 257}), codes);
}

TEST(Lzw, TestEncoderAgreesWithAnIndependentGifReader) {
    if (!QImageReader::supportedImageFormats().contains("gif")) GTEST_SKIP() << "no GIF reader";
    const int w = 256, h = 160;
    const std::vector<uint8_t> data = Mixed(size_t(w) * h);
    TBytes gif;
    gif.Raw("GIF89a").U16(w).U16(h).U8(0xF7).U8(0).U8(0);
    for (int i = 0; i < 256; ++i)
        gif.U8(i).U8(i).U8(i);
    gif.U8(0x2C).U16(0).U16(0).U16(w).U16(h).U8(0).U8(8).Raw(SubBlocks(LzwEncode(data))).U8(0x3B);
    QImage image;
    ASSERT_TRUE(image.loadFromData(gif.b, "GIF"));
    ASSERT_EQ(image.size(), QSize(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(qRed(image.pixel(x, y)), data[size_t(y) * w + size_t(x)]) << x << "," << y;
}

TEST(Lzw, RoundTripsThroughEveryCodeWidthWithAndWithoutClear) {
    for (bool clear : {true, false})
        for (size_t n : {size_t(0), size_t(1), size_t(2), size_t(300), size_t(100000)}) {
            const std::vector<uint8_t> data = Mixed(n);
            std::vector<uint8_t> out(n);
            size_t produced = 99;
            ASSERT_TRUE(Decode(LzwEncode(data, clear), out, produced)) << n << " " << clear;
            EXPECT_EQ(produced, n);
            EXPECT_EQ(out, data);
        }
}

TEST(Lzw, RejectsInconsistentStreamsWithoutWritingPastTheBuffer) {
    std::vector<uint8_t> out(16, 0xCC);
    size_t produced = 0;
    auto decode = [&](const QByteArray& codes, size_t room) {
        return LzwDecode(reinterpret_cast<const uint8_t*>(codes.constData()), size_t(codes.size()),
                         out.data(), room, produced);
    };
    EXPECT_FALSE(decode(PackCodes({256, 65, 300, 257}), 16)) << "code beyond the table";
    EXPECT_FALSE(decode(PackCodes({256, 65, 259, 257}), 16)) << "code two past the table";
    EXPECT_FALSE(decode(PackCodes({256, 258, 257}), 16)) << "first code not a symbol";
    EXPECT_FALSE(decode(PackCodes({256, 65, 66}), 16)) << "no end code";
    EXPECT_FALSE(decode(PackCodes({256, 65}).left(2), 16)) << "stops inside a code";
    EXPECT_FALSE(decode(QByteArray(), 16)) << "nothing at all";
    // Output that would not fit fails before writing beyond room.
    EXPECT_FALSE(decode(LzwEncode({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 9));
    EXPECT_EQ(out[9], 0xCC);
    out.assign(16, 0xCC);
    EXPECT_FALSE(decode(PackCodes({256, 65, 258, 257}), 2)); // "65 65 65" into 2 bytes
    EXPECT_EQ(out[2], 0xCC);
    // A lone end code, and a stream without a leading clear, are fine.
    EXPECT_TRUE(decode(PackCodes({257}), 16));
    EXPECT_EQ(produced, 0u);
    EXPECT_TRUE(decode(PackCodes({65, 66, 258, 257}), 16));
    EXPECT_EQ(produced, 4u);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 4), (std::vector<uint8_t>{65, 66, 65, 66}));
}
