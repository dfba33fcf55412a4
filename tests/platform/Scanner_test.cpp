// The SANE layer against SANE's own test backend.
#include "platform/Scanner.h"
#include "shell/Exception.h"
#include "support/Sanetest.h"

#include <gtest/gtest.h>

namespace {

class ScannerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { UseSaneTestBackend(); }
    void SetUp() override {
        ASSERT_EQ(session.Open(QString()), 0u);
        ASSERT_TRUE(ResetTestDevice(session));
    }
    TScanSession session;
};

} // namespace

TEST_F(ScannerTest, DeviceListHoldsTheTestDeviceAndUnknownNamesAreRefused) {
    const std::vector<TScanDevice> devices = ScanDevices();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].Name, QStringLiteral("test:0"));
    TScanSession other;
    EXPECT_EQ(other.Open(QStringLiteral("test:7")), ErrorCode::NoScanner);
    EXPECT_EQ(other.Acquire({}).Code, ErrorCode::NoScanner);
}

TEST_F(ScannerTest, SizeFollowsResolutionAndArea) {
    const std::vector<int> offered = session.Resolutions();
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(offered.front(), 1);
    EXPECT_EQ(offered.back(), 1200);
    struct Case {
        int Dpi, Width, Height; // 80 x 100 mm
    };
    for (const Case& c : {Case{50, 157, 196}, Case{25, 78, 98}, Case{10, 31, 39}}) {
        ASSERT_TRUE(session.SetResolution(c.Dpi));
        EXPECT_EQ(session.Resolution(), c.Dpi);
        const TScanResult r = session.Acquire({});
        ASSERT_EQ(r.Code, 0u) << c.Dpi;
        EXPECT_EQ(r.Image.size(), QSize(c.Width, c.Height)) << c.Dpi;
    }
}

TEST_F(ScannerTest, EveryFrameKindBecomesOnePicture) {
    struct Case {
        const char *Mode, *Depth, *Picture;
        bool ThreePass;
        QImage::Format Format;
        QRgb Pixel;
    };
    const Case cases[] = {
        {"Color", "8", "Solid white", false, QImage::Format_RGB888, qRgb(255, 255, 255)},
        {"Color", "16", "Solid white", false, QImage::Format_RGB888, qRgb(255, 255, 255)},
        {"Color", "8", "Solid white", true, QImage::Format_RGB888, qRgb(255, 255, 255)}, // red, green, blue
        {"Gray", "8", "Solid black", false, QImage::Format_Grayscale8, qRgb(0, 0, 0)},
        {"Gray", "1", "Solid white", false, QImage::Format_Grayscale8, qRgb(255, 255, 255)}, // lineart
        {"Gray", "1", "Solid black", false, QImage::Format_Grayscale8, qRgb(0, 0, 0)},
    };
    session.SetResolution(10);
    for (const Case& c : cases) {
        ASSERT_TRUE(session.SetOption("mode", QString::fromLatin1(c.Mode)));
        ASSERT_TRUE(session.SetOption("depth", QString::fromLatin1(c.Depth))) << c.Depth;
        ASSERT_TRUE(session.SetOption("test-picture", QString::fromLatin1(c.Picture)));
        const bool colour = QLatin1String(c.Mode) == QLatin1String("Color");
        const QString threePass = c.ThreePass ? QStringLiteral("true") : QStringLiteral("false");
        ASSERT_TRUE(!colour || session.SetOption("three-pass", threePass));
        const TScanResult r = session.Acquire({});
        ASSERT_EQ(r.Code, 0u) << c.Mode << c.Depth;
        EXPECT_EQ(r.Image.format(), c.Format) << c.Mode << c.Depth;
        EXPECT_EQ(r.Image.pixel(3, 3), c.Pixel) << c.Mode << c.Depth << c.Picture;
        EXPECT_EQ(r.Image.pixel(r.Image.width() - 1, r.Image.height() - 1), c.Pixel) << c.Mode << c.Depth;
    }
}

TEST_F(ScannerTest, CancelStopsTheScanAndTheNextScanStillWorks) {
    ASSERT_TRUE(session.SetOption("read-limit", QStringLiteral("true")));
    ASSERT_TRUE(session.SetOption("read-limit-size", QStringLiteral("1000")));
    int calls = 0;
    const TScanResult cancelled = session.Acquire([&](int) { return ++calls < 2; });
    EXPECT_TRUE(cancelled.Cancelled);
    EXPECT_EQ(cancelled.Code, 0u);
    EXPECT_TRUE(cancelled.Image.isNull());
    const TScanResult again = session.Acquire({});
    EXPECT_EQ(again.Code, 0u);
    EXPECT_FALSE(again.Image.isNull());
}

TEST_F(ScannerTest, ReadErrorMidScanIsAFailedScanWithoutPicture) {
    ASSERT_TRUE(session.SetOption("read-return-value", QStringLiteral("SANE_STATUS_IO_ERROR")));
    const TScanResult r = session.Acquire({});
    EXPECT_EQ(r.Code, ErrorCode::ScanFailed);
    EXPECT_FALSE(r.Cancelled);
    EXPECT_TRUE(r.Image.isNull());
}
