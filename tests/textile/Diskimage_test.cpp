// The carpet diskette image: layout, knot code, cutting and refusals.
#include "textile/Diskimage.h"

#include "colour/Colorset.h"
#include "shell/Exception.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

using namespace CarpetDisk;

namespace {

// An 8-bit picture width x height filled with value.
void Plain(TOrvaneBitmap& b, int width, int height, uint8_t value) {
    ASSERT_TRUE(
        MakeIndexed(b, std::vector<std::string>(size_t(height), std::string(size_t(width), char(value)))));
}

const uint8_t* Record(const std::vector<uint8_t>& image, int n) {
    return &image[size_t(kRowsAt + (n - 1) * kRowBytes)];
}

// (A, B) of knot x of record n.
std::pair<int, int> Knot(const std::vector<uint8_t>& image, int n, int x) {
    const uint8_t* r = Record(image, n);
    return {r[x / 8] >> (7 - x % 8) & 1, r[kPlaneBAt + x / 4] >> (6 - 2 * (x % 4)) & 3};
}

} // namespace

TEST(DiskImage, TinyDesignGivesHeaderAndRowRecordsByteForByte) {
    // Bottom row first: record 1 is "\2\3\4\5\6", record 2 "\7\1\2\2\2".
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {"\x07\x01\x02\x02\x02", "\x02\x03\x04\x05\x06"}));
    std::vector<uint8_t> image;
    ASSERT_EQ(EncodeCarpetDiskette(b, 5, 2, image), 0u);
    ASSERT_EQ(image.size(), size_t(kImageBytes));
    const std::vector<uint8_t> header = {0x59, 0x30, 0x00, 0x01, 0x00, 0x01, 0x05, 0x4C,
                                         0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x02};
    EXPECT_EQ(std::vector<uint8_t>(&image[kHeaderAt], &image[kHeaderAt + 16]), header);
    // Values 2..6 are A = 0,0,0,1,1 and B = 0,2,1,0,2; 7 = (1, 1); 1 and knots 5.. are (0, 3).
    const auto bytes = [&](int n, int at, int count) {
        return std::vector<uint8_t>(Record(image, n) + at, Record(image, n) + at + count);
    };
    EXPECT_EQ(bytes(1, 0, 2), (std::vector<uint8_t>{0x18, 0x00}));
    EXPECT_EQ(bytes(1, kPlaneBAt, 3), (std::vector<uint8_t>{0x24, 0xBF, 0xFF})); // 00100100 10111111
    EXPECT_EQ(bytes(2, 0, 1), (std::vector<uint8_t>{0x80}));
    EXPECT_EQ(bytes(2, kPlaneBAt, 1), (std::vector<uint8_t>{0x70})); // 01110000
    EXPECT_EQ(bytes(1, kRowNumberAt, 6), (std::vector<uint8_t>{0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(bytes(2, kRowNumberAt, 6), (std::vector<uint8_t>{0, 2, 0, 2, 0, 2}));
    // Filler before the header, between header and rows and after the last record.
    for (size_t at : {size_t(0), size_t(kHeaderAt - 1), size_t(kRowCountAt + 2), size_t(kRowsAt - 1),
                      size_t(kRowsAt + 2 * kRowBytes), size_t(kImageBytes - 1)})
        EXPECT_EQ(image[at], kFiller) << at;
}

TEST(DiskImage, WideCarpetIsCutAndNarrowOneEndsInZeroThree) {
    const struct {
        int Width;
        int CodedKnots;
    } cases[] = {{1800, kKnots}, {kKnots, kKnots}, {9, 9}, {1, 1}};
    for (const auto& c : cases) {
        TOrvaneBitmap b;
        Plain(b, c.Width, 3, 7);
        std::vector<uint8_t> image;
        ASSERT_EQ(EncodeCarpetDiskette(b, c.Width, 3, image), 0u);
        for (int n = 1; n <= 3; ++n)
            for (int x : {0, c.CodedKnots - 1, std::min(c.CodedKnots, kKnots - 1), kKnots - 1}) {
                EXPECT_EQ(Knot(image, n, x), x < c.CodedKnots ? std::make_pair(1, 1) : std::make_pair(0, 3))
                    << c.Width << " " << x;
            }
        // The plane bytes of the unused bits past 1700 stay in their cleared state.
        EXPECT_EQ(Record(image, 1)[kPlaneBAt - 1] & 0x0F, 0);
    }
}

TEST(DiskImage, AreaIsClippedToThePictureAndTallCarpetsRefused) {
    TOrvaneBitmap small, tall;
    Plain(small, 4, 3, 2);
    std::vector<uint8_t> image;
    ASSERT_EQ(EncodeCarpetDiskette(small, 10, 50, image), 0u);
    EXPECT_EQ(image[kRowCountAt + 1], 3);
    EXPECT_EQ(Knot(image, 1, 4), std::make_pair(0, 3));

    Plain(tall, 2, kMaxRows + 1, 2);
    EXPECT_EQ(EncodeCarpetDiskette(tall, 2, kMaxRows + 1, image), ErrorCode::CarpetTooTall);
    ASSERT_EQ(EncodeCarpetDiskette(tall, 2, kMaxRows, image), 0u);
    EXPECT_EQ(CarpetDisketteRows(image), kMaxRows);
    EXPECT_EQ(Record(image, kMaxRows)[kRowNumberAt + 1], kMaxRows & 0xFF);

    TOrvaneBitmap full;
    ASSERT_TRUE(full.Allocate(4, 4, nullptr, 24));
    EXPECT_EQ(EncodeCarpetDiskette(full, 4, 4, image), ErrorCode::DepthOfType);
}

TEST(DiskImage, ImagesThatAreNoCarpetDisketteAreRecognised) {
    TOrvaneBitmap b;
    Plain(b, 2, 2, 3);
    std::vector<uint8_t> image;
    ASSERT_EQ(EncodeCarpetDiskette(b, 2, 2, image), 0u);
    EXPECT_EQ(CarpetDisketteRows(image), 2);
    std::vector<uint8_t> noY0 = image, tooMany = image, shortImage = image;
    noY0[kHeaderAt + 1] = 'O';
    tooMany[kRowCountAt] = 0xFF; // a count that would read past the image
    shortImage.pop_back();
    for (const auto* bad : {&noY0, &tooMany, &shortImage})
        EXPECT_EQ(CarpetDisketteRows(*bad), -1);
}

TEST(DiskImage, DecodingRestoresValuesAndKeepsThePreviousKnotForOneThree) {
    TOrvaneBitmap b;
    ASSERT_TRUE(MakeIndexed(b, {std::string(kKnots, '\x09'), std::string(kKnots, '\x02')}));
    for (int x = 0; x < 8; ++x)
        b.SetPixel(x, 1, uint32_t(x)); // bottom row 0 .. 7
    std::vector<uint8_t> image;
    ASSERT_EQ(EncodeCarpetDiskette(b, kKnots, 2, image), 0u);
    // The bottom row's knots 0 and 2 and the top row's first become (1, 3): each keeps
    // the knot before it (the very first starts from 1), across the row boundary too.
    uint8_t* r1 = &image[size_t(kRowsAt)];
    r1[0] |= 0xA0;
    r1[kPlaneBAt] |= 0x0C;
    image[size_t(kRowsAt + kRowBytes)] |= 0x80;
    image[size_t(kRowsAt + kRowBytes + kPlaneBAt)] |= 0xC0;

    TOrvaneBitmap out;
    Plain(out, kKnots, 3, 200);
    DecodeCarpetDiskette(image, CarpetDisketteRows(image), out, TWriteGuard());
    const std::vector<uint32_t> bottom = {1, 8, 8, 3, 4, 5, 6, 7, 2};
    for (int x = 0; x < int(bottom.size()); ++x)
        EXPECT_EQ(out.GetPixel(x, 2), bottom[size_t(x)]) << x;
    EXPECT_EQ(out.GetPixel(0, 1), 2u); // the bottom row's last knot
    EXPECT_EQ(out.GetPixel(1, 1), 8u);
    EXPECT_EQ(out.GetPixel(0, 0), 200u); // above the carpet untouched
}
