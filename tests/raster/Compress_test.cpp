#include "raster/Compress.h"
#include "raster/Runpack.h"

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

TEST(RunPacking, RoundTripsAndGivesUpOnTexture) {
    auto runs = [](std::vector<std::pair<int, uint8_t>> parts) {
        std::vector<uint8_t> v;
        for (auto [n, b] : parts)
            v.insert(v.end(), size_t(n), b);
        return v;
    };
    struct Case {
        const char* Name;
        std::vector<uint8_t> Data;
        bool Packs;
    };
    std::vector<uint8_t> mixed = runs({{5000, 2}, {3, 9}, {11, 4}, {12, 5}, {4000, 7}});
    const std::vector<uint8_t> noise = Noise(4096);
    mixed.insert(mixed.begin() + 100, noise.begin(), noise.begin() + 300);
    const Case cases[] = {
        {"one byte", {42}, false},
        {"flat", runs({{100000, 2}}), true},
        {"runs either side of the shortest kept", runs({{11, 1}, {12, 2}, {13, 3}, {20000, 0}}), true},
        {"literals between and at both ends", mixed, true},
        {"stripes", Stripes(50000), true},
        {"noise", noise, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<uint8_t> packed(c.Data.size() / 2 + 1), back(c.Data.size(), 0xEE);
        const size_t length = PackRuns(c.Data.data(), c.Data.size(), packed.data(), packed.size());
        EXPECT_EQ(length != 0, c.Packs);
        if (!length) continue;
        EXPECT_TRUE(UnpackRuns(packed.data(), length, back.data(), back.size()));
        EXPECT_EQ(back, c.Data);
        // Too little room is a refusal, not a short stream.
        EXPECT_EQ(PackRuns(c.Data.data(), c.Data.size(), packed.data(), length - 1), 0u);
    }
}

TEST(RunPacking, DamagedStreamsAreRefused) {
    const std::vector<uint8_t> data = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 5, 6, 7};
    std::vector<uint8_t> packed(64), back(data.size());
    const size_t length = PackRuns(data.data(), data.size(), packed.data(), packed.size());
    ASSERT_EQ(length, 5u + 4u + 3u);
    packed.resize(length);
    auto damaged = [&](auto change) {
        std::vector<uint8_t> s = packed;
        change(s);
        return s;
    };
    const std::vector<uint8_t> streams[] = {
        damaged([](auto& s) { s.resize(s.size() - 1); }),                    // a literal cut short
        damaged([](auto& s) { s.push_back(0); }),                            // half a header after the end
        damaged([](auto& s) { s[0] = 0, s[1] = 0, s[2] = 0, s[3] = 0x80; }), // a run of nothing
        damaged([](auto& s) { s[0] = 17; }),                                 // a run past the end
        damaged([](auto& s) { s[5] = 4; }),    // a literal longer than what is left
        damaged([](auto& s) { s.resize(4); }), // a run without its byte
        {},                                    // nothing at all
    };
    for (const auto& s : streams)
        EXPECT_FALSE(UnpackRuns(s.data(), s.size(), back.data(), back.size()));
    EXPECT_FALSE(UnpackRuns(packed.data(), packed.size(), back.data(), back.size() + 1)); // too few bytes
}
