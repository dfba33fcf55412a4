#include "textile/Diskimage.h"

#include "colour/Colorset.h"
#include "shell/Exception.h"

#include <algorithm>
#include <cstring>

using namespace CarpetDisk;

namespace {

constexpr uint8_t kHeader[14] = {0x59, 0x30, 0x00, 0x01, 0x00, 0x01, 0x05,
                                 0x4C, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01};

// (A, B) of the values 2 ... 7.
constexpr int kCodes[6][2] = {{0, 0}, {0, 2}, {0, 1}, {1, 0}, {1, 2}, {1, 1}};

void PutBigEndian(uint8_t* at, int value) {
    at[0] = uint8_t(value >> 8);
    at[1] = uint8_t(value);
}

} // namespace

void KnotCode(uint32_t value, int& a, int& b) {
    if (value >= 2 && value <= 7) {
        a = kCodes[value - 2][0], b = kCodes[value - 2][1];
    } else {
        a = 0, b = 3;
    }
}

uint8_t KnotValue(int a, int b, uint8_t previous) {
    // [A][B] back to the value; 0 marks (1, 3), which keeps the previous knot.
    static constexpr uint8_t kValues[2][4] = {{2, 4, 3, 8}, {5, 7, 6, 0}};
    const uint8_t v = kValues[a & 1][b & 3];
    return v ? v : previous;
}

uint32_t EncodeCarpetDiskette(const TOrvaneBitmap& picture, int width, int height,
                              std::vector<uint8_t>& image) {
    if (picture.BitsPerPixel != 8) return ErrorCode::DepthOfType;
    width = std::clamp(width, 0, std::min(picture.Width, kKnots));
    height = std::clamp(height, 0, picture.Height);
    if (height > kMaxRows) return ErrorCode::CarpetTooTall;
    image.assign(size_t(kImageBytes), kFiller);
    std::memcpy(&image[kHeaderAt], kHeader, sizeof kHeader);
    PutBigEndian(&image[kRowCountAt], height);
    for (int n = 1; n <= height; ++n) {
        uint8_t* record = &image[size_t(kRowsAt + (n - 1) * kRowBytes)];
        uint8_t *planeA = record, *planeB = record + kPlaneBAt;
        std::memset(planeA, 0, kPlaneBAt);
        std::memset(planeB, 0xFF, kRowNumberAt - kPlaneBAt);
        const uint8_t* row = picture.ScanLine(picture.Height - n);
        for (int x = 0; x < width; ++x) {
            int a, b;
            KnotCode(row[x], a, b);
            planeA[x >> 3] |= uint8_t(a << (7 - (x & 7)));
            const int shift = 6 - 2 * (x & 3);
            planeB[x >> 2] = uint8_t((planeB[x >> 2] & ~(3 << shift)) | (b << shift));
        }
        for (int i = 0; i < 3; ++i)
            PutBigEndian(record + kRowNumberAt + 2 * i, n);
    }
    return 0;
}

int CarpetDisketteRows(const std::vector<uint8_t>& image) {
    if (image.size() != size_t(kImageBytes) || image[kHeaderAt] != 'Y' || image[kHeaderAt + 1] != '0')
        return -1;
    const int rows = image[kRowCountAt] << 8 | image[kRowCountAt + 1];
    // A count past the image's capacity would read beyond it.
    return rows <= kMaxRows ? rows : -1;
}

void DecodeCarpetDiskette(const std::vector<uint8_t>& image, int rows, TOrvaneBitmap& picture,
                          const TWriteGuard& guard) {
    uint8_t previous = 1; // the knot before the first one
    for (int n = 1; n <= rows; ++n) {
        const uint8_t* record = &image[size_t(kRowsAt + (n - 1) * kRowBytes)];
        const uint8_t *planeA = record, *planeB = record + kPlaneBAt;
        const int y = picture.Height - n;
        uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < kKnots; ++x) {
            const int a = planeA[x >> 3] >> (7 - (x & 7)) & 1;
            const int b = planeB[x >> 2] >> (6 - 2 * (x & 3)) & 3;
            previous = KnotValue(a, b, previous);
            if (guard.Open() || guard.Allows(picture, x, y)) row[x] = previous;
        }
    }
}
