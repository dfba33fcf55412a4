#include "raster/Compress.h"
#include "raster/Tpmemory.h"

#include <QBuffer>
#include <gtest/gtest.h>

TEST(PBitmap, StrideRuleFixesStoredMaskSizes) {
    EXPECT_EQ(TPBitmap::StrideFor(10, 1), 12);
    EXPECT_EQ(TPBitmap::StrideFor(13, 1), 16);
    EXPECT_EQ(TPBitmap::StrideFor(1, 1), 4);
    EXPECT_EQ(TPBitmap::StrideFor(9, 8), 12);
    EXPECT_EQ(TPBitmap::StrideFor(3, 24), 12);
    EXPECT_EQ(TPBitmap::StrideFor(0, 8), 0);
    TPBitmap m;
    ASSERT_TRUE(m.Allocate(10, 3, 1));
    EXPECT_EQ(m.Stride, 12);
    EXPECT_EQ(m.Bits, nullptr); // unlocked after allocation
    EXPECT_FALSE(m.Allocate(-1, 3, 8));
    EXPECT_EQ(m.Memory, nullptr);
}

TEST(PBitmap, LockFillPutRowsAndBits) {
    TPBitmap m;
    ASSERT_TRUE(m.Allocate(3, 2, 8));
    ASSERT_NE(m.Lock(), nullptr);
    EXPECT_EQ(m.Bits[0], 0);
    m.Fill(7);
    EXPECT_EQ(m.Bits[m.Stride * 2 - 1], 7);
    const uint8_t rows[] = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(m.PutRows(rows, true));
    EXPECT_EQ(m.Bits[0], 4);
    EXPECT_EQ(m.Bits[m.Stride + 2], 3);
    m.Unlock();
    EXPECT_EQ(m.Bits, nullptr);

    TPBitmap mask;
    ASSERT_TRUE(mask.Allocate(16, 2, 1));
    mask.Lock();
    mask.SetBit(9, 1);
    EXPECT_TRUE(mask.TestBit(9, 1));
    EXPECT_FALSE(mask.TestBit(8, 1));
    EXPECT_EQ(mask.Bits[mask.Stride + 1], 0x40);
}

TEST(PBitmap, BlocksRoundTripAndKeepLockState) {
    TPBitmap m;
    ASSERT_TRUE(m.Allocate(10, 4, 1));
    m.Lock();
    m.SetBit(3, 2);
    m.Unlock();
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(m.SaveToHandle(&out, kBlockRaw));
    EXPECT_EQ(bytes.size(), 12 * 4);

    TPBitmap n;
    ASSERT_TRUE(n.Allocate(10, 4, 1));
    n.Lock();
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(n.LoadFromHandle(&in, kBlockRaw));
    ASSERT_NE(n.Bits, nullptr); // still locked
    EXPECT_TRUE(n.TestBit(3, 2));
}

TEST(FillRectHelpers, FillWholeRectOrThroughShape) {
    TOrvaneBitmap b;
    ASSERT_TRUE(b.Allocate(4, 3, nullptr, 8));
    ASSERT_TRUE(FillRectIndex(b, 5, nullptr, QRect(1, 1, 2, 2)));
    EXPECT_EQ(b.GetPixel(1, 1), 5u);
    EXPECT_EQ(b.GetPixel(2, 2), 5u);
    EXPECT_EQ(b.GetPixel(3, 2), 0u);

    QImage shape(2, 2, QImage::Format_RGB16);
    shape.fill(Qt::white);
    shape.setPixel(1, 0, qRgb(0, 0, 0));
    ASSERT_TRUE(FillRectIndex(b, 9, &shape, QRect(2, 0, 2, 2)));
    EXPECT_EQ(b.GetPixel(3, 0), 9u);
    EXPECT_EQ(b.GetPixel(2, 0), 0u);
    EXPECT_EQ(b.GetPixel(2, 1), 5u);
    EXPECT_FALSE(FillRectColor(b, 1, 2, 3, nullptr, QRect(0, 0, 1, 1)));

    TOrvaneBitmap rgb;
    ASSERT_TRUE(rgb.Allocate(2, 2, nullptr, 24));
    ASSERT_TRUE(FillRectColor(rgb, 1, 2, 3, nullptr, QRect(0, 0, 9, 9)));
    EXPECT_EQ(rgb.GetPixel(1, 1), MakeColorRef(1, 2, 3));
}
