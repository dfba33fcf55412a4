#include "colour/Palette.h"
#include "shell/Capture.h"
#include "shell/Print.h"

#include <QPainter>
#include <gtest/gtest.h>

TEST(CaptureList, CapturesTheSelectionInFrontWithItsMask) {
    TOrvaneBitmap picture;
    ASSERT_TRUE(picture.Allocate(20, 10, nullptr, 24));
    picture.FillRect(MakeColorRef(10, 20, 30), QRect(0, 0, 20, 10));
    picture.SetPixel(5, 2, MakeColorRef(200, 0, 0));
    TCaptureList list;
    QRegion l = QRegion(QRect(5, 2, 4, 1)) + QRegion(QRect(5, 2, 1, 4)); // an L shape
    ASSERT_TRUE(list.Insert(picture, l));
    const TCapturedImage& c = list.At(0);
    EXPECT_EQ(c.Image.Width, 4);
    EXPECT_EQ(c.Image.Height, 4);
    EXPECT_EQ(c.Image.GetPixel(0, 0), MakeColorRef(200, 0, 0));
    EXPECT_EQ(c.Mask.constScanLine(3)[0], 255);
    EXPECT_EQ(c.Mask.constScanLine(3)[3], 0);
    ASSERT_TRUE(list.Insert(picture, QRegion(QRect(18, 8, 5, 5)))); // clipped to the picture
    EXPECT_EQ(list.At(0).Image.Width, 2);
    EXPECT_EQ(list.At(1).Image.Width, 4);
    EXPECT_FALSE(list.Insert(picture, QRegion(QRect(30, 30, 2, 2))));
    EXPECT_FALSE(list.Insert(picture, QRegion()));
    EXPECT_EQ(list.Count(), 2);
    list.Move(1, true);
    EXPECT_EQ(list.At(0).Image.Width, 4);
    list.Move(0, true); // already first: nothing
    EXPECT_EQ(list.At(0).Image.Width, 4);
    ASSERT_TRUE(list.Overwrite(picture, QRegion(QRect(0, 0, 3, 3))));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0).Image.Width, 3);
    const QImage thumb = list.Thumbnail(1, 1);
    EXPECT_EQ(thumb.size(), QSize(1, 1));
    list.Remove(7);
    list.Remove(0);
    EXPECT_EQ(list.Count(), 1);
    list.Clear();
    EXPECT_TRUE(list.Empty());
}

TEST(CaptureList, TwoHundredFiftySixColourPicturesAreKeptInTheirColours) {
    TOrvaneBitmap picture;
    ASSERT_TRUE(picture.Allocate(4, 4, nullptr, 8));
    TRGBQuad q{30, 20, 10, 0};
    picture.PutColors(7, 1, &q);
    picture.FillRect(7, QRect(0, 0, 4, 4));
    TCaptureList list;
    ASSERT_TRUE(list.Insert(picture, QRegion(0, 0, 2, 2)));
    EXPECT_EQ(list.At(0).Image.BitsPerPixel, 24);
    EXPECT_EQ(list.At(0).Image.GetPixel(1, 1), MakeColorRef(10, 20, 30));
}

TEST(Printing, DesignsPrintAtPaperSizeWhenTheyFitElseFitted) {
    const QRect page(0, 0, 4800, 6600); // 8 x 11 inches at 600 dpi
    EXPECT_EQ(DesignPlacement(QSize(160, 320), 160, page, 600), QRect(2100, 2700, 600, 1200));
    const QRect a0 = DesignPlacement(QSize(4992, 7040), 160, page, 600);
    EXPECT_EQ(a0.height(), 6600);
    EXPECT_NEAR(double(a0.width()) / a0.height(), 4992.0 / 7040.0, 0.001);
    EXPECT_EQ(a0.center().x(), page.center().x());
    EXPECT_TRUE(DesignPlacement(QSize(0, 5), 160, page, 600).isEmpty());
    EXPECT_TRUE(DesignPlacement(QSize(5, 5), 0, page, 600).isEmpty());
}

TEST(Printing, PaintedPagesShowTheDesignsColours) {
    TOrvaneBitmap picture;
    ASSERT_TRUE(picture.Allocate(3, 2, nullptr, 8));
    picture.FillRect(9, QRect(0, 0, 3, 2));
    picture.SetPixel(2, 1, 4);
    TPalette palette;
    palette[9].SetRGB(250, 0, 0);
    palette[4].SetRGB(0, 0, 250);
    QImage page(30, 20, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    PaintDesign(p, picture, &palette, QRect(0, 0, 30, 20));
    p.end();
    EXPECT_EQ(page.pixel(5, 5), qRgb(250, 0, 0));
    EXPECT_EQ(page.pixel(25, 15), qRgb(0, 0, 250));
}
