#include "raster/Compress.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <random>
#include <vector>
#include <zlib.h>

namespace {

std::vector<uint8_t> Stripes(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = uint8_t((i / 37) % 5 + 2);
    return v;
}

std::vector<uint8_t> Noise(size_t n, unsigned seed = 7) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = uint8_t(rng());
    return v;
}

uint32_t LengthPrefix(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.constData());
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

struct CompressorOff {
    CompressorOff() { SetCompressorAvailable(false); }
    ~CompressorOff() { SetCompressorAvailable(true); }
};

QByteArray Written(const std::vector<uint8_t>& data, int mode) {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteBlock(&out, data.data(), data.size(), mode));
    return bytes;
}

bool ReadBack(const QByteArray& bytes, std::vector<uint8_t>& data, int mode) {
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    return ReadBlock(&in, data.data(), data.size(), mode);
}

} // namespace

TEST(BlockCodec, CompressibleBlockIsShorterAndReadsBack) {
    const auto data = Stripes(100000);
    const QByteArray bytes = Written(data, kBlockCompressed);
    ASSERT_LT(bytes.size(), 5000);
    EXPECT_EQ(LengthPrefix(bytes), uint32_t(bytes.size() - 4));
    // A zlib stream: deflate method, window within range, header checksum.
    EXPECT_EQ(uint8_t(bytes[4]) & 0x0F, 8);
    EXPECT_EQ((uint8_t(bytes[4]) * 256 + uint8_t(bytes[5])) % 31, 0);
    std::vector<uint8_t> back(data.size());
    ASSERT_TRUE(ReadBack(bytes, back, kBlockCompressed));
    EXPECT_EQ(back, data);
    // Plain zlib reads the stream too, so files stay readable by other tools.
    std::vector<uint8_t> viaZlib(data.size());
    uLongf len = uLongf(viaZlib.size());
    ASSERT_EQ(uncompress(viaZlib.data(), &len, reinterpret_cast<const Bytef*>(bytes.constData() + 4),
                         uLong(bytes.size() - 4)),
              Z_OK);
    EXPECT_EQ(viaZlib, data);
}

TEST(BlockCodec, IncompressibleBlockIsStoredRawWithItsSizeAsLength) {
    for (size_t n : {size_t(1), size_t(3), size_t(4096)}) {
        const auto data = Noise(n);
        const QByteArray bytes = Written(data, kBlockCompressed);
        ASSERT_EQ(bytes.size(), qsizetype(n + 4));
        EXPECT_EQ(LengthPrefix(bytes), uint32_t(n));
        EXPECT_EQ(0, memcmp(bytes.constData() + 4, data.data(), n));
        std::vector<uint8_t> back(n);
        ASSERT_TRUE(ReadBack(bytes, back, kBlockCompressed));
        EXPECT_EQ(back, data);
    }
}

TEST(BlockCodec, RawModeHasNoPrefixAndModeOneIsRefused) {
    const auto data = Stripes(64);
    EXPECT_EQ(Written(data, kBlockRaw), QByteArray(reinterpret_cast<const char*>(data.data()), 64));

    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    EXPECT_FALSE(WriteBlock(&out, data.data(), data.size(), kBlockRefused));
    EXPECT_TRUE(bytes.isEmpty());

    const QByteArray stored = Written(data, kBlockCompressed);
    QBuffer in;
    in.setData(stored);
    in.open(QIODevice::ReadOnly);
    std::vector<uint8_t> back(64, 0xAA);
    EXPECT_FALSE(ReadBlock(&in, back.data(), back.size(), kBlockRefused));
    EXPECT_EQ(in.pos(), 0);
    EXPECT_EQ(back, std::vector<uint8_t>(64, 0xAA));
}

TEST(BlockCodec, WithoutCompressorBlocksAreRawAndReadableWithoutIt) {
    const auto data = Stripes(10000);
    QByteArray bytes;
    {
        CompressorOff off;
        bytes = Written(data, kBlockCompressed);
        EXPECT_EQ(bytes.size(), 10004);
        std::vector<uint8_t> back(data.size());
        ASSERT_TRUE(ReadBack(bytes, back, kBlockCompressed));
        EXPECT_EQ(back, data);
        // A compressed block cannot be read while the compressor is missing.
        SetCompressorAvailable(true);
        const QByteArray packed = Written(data, kBlockCompressed);
        SetCompressorAvailable(false);
        EXPECT_FALSE(ReadBack(packed, back, kBlockCompressed));
    }
    std::vector<uint8_t> back(data.size());
    ASSERT_TRUE(ReadBack(bytes, back, kBlockCompressed));
    EXPECT_EQ(back, data);
}

TEST(BlockCodec, DamagedOrShortStreamsFail) {
    const auto data = Stripes(50000);
    const QByteArray good = Written(data, kBlockCompressed);
    std::vector<uint8_t> back(data.size());

    QByteArray corrupt = good;
    for (int i = 8; i < corrupt.size(); i += 3)
        corrupt[i] = char(corrupt[i] ^ 0x5A);
    EXPECT_FALSE(ReadBack(corrupt, back, kBlockCompressed));

    // Truncated anywhere: in the prefix, in the stream, one byte short.
    for (int cut : {0, 2, 4, 10, int(good.size()) - 1})
        EXPECT_FALSE(ReadBack(good.left(cut), back, kBlockCompressed)) << "cut at " << cut;

    // A sound stream of the wrong size: it must inflate to exactly the block size.
    std::vector<uint8_t> bigger(data.size() + 100);
    EXPECT_FALSE(ReadBack(good, bigger, kBlockCompressed));

    // A length far beyond the file is refused before anything is allocated for it.
    QByteArray huge = good;
    huge[0] = char(0xF0), huge[1] = char(0xFF), huge[2] = char(0xFF), huge[3] = char(0x7F);
    std::vector<uint8_t> large(size_t(0x7FFFFFFF) / 1024);
    EXPECT_FALSE(ReadBack(huge.left(64), large, kBlockCompressed));
}

TEST(BlockCodec, ConsecutiveBlocksShareOneFile) {
    const auto a = Stripes(3000), b = Noise(300), c = Stripes(10);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteBlock(&out, a.data(), a.size(), kBlockCompressed));
    ASSERT_TRUE(WriteBlock(&out, b.data(), b.size(), kBlockCompressed));
    ASSERT_TRUE(WriteBlock(&out, c.data(), c.size(), kBlockRaw));
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    std::vector<uint8_t> ra(a.size()), rb(b.size()), rc(c.size());
    ASSERT_TRUE(ReadBlock(&in, ra.data(), ra.size(), kBlockCompressed));
    ASSERT_TRUE(ReadBlock(&in, rb.data(), rb.size(), kBlockCompressed));
    ASSERT_TRUE(ReadBlock(&in, rc.data(), rc.size(), kBlockRaw));
    EXPECT_EQ(ra, a);
    EXPECT_EQ(rb, b);
    EXPECT_EQ(rc, c);
    EXPECT_TRUE(in.atEnd());
}
