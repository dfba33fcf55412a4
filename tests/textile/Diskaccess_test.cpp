// Diskette transfers through image files and devices, and the document operations.
#include "textile/Diskaccess.h"

#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "support/Carpetcanvas.h"
#include "textile/Diskimage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace CarpetDisk;

namespace {

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DiskDocument : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("carpet.img");
        ASSERT_EQ(NewCarpetCanvas(source, kKnots + 20, 6, 9), 0u);
        source.AttachUndo();
        TChange change(source);
        for (int x = 0; x < kKnots + 20; ++x)
            for (int y = 0; y < 6; ++y)
                change.Picture().SetPixel(x, y, uint32_t((x + y) % 10));
        change.Commit();
    }
    uint32_t Read(TDocument& doc, int colour = 4) {
        auto target = MakeImageFileTarget(path);
        return ReadCarpetDiskette(doc, *target, TCurrentColour::OfIndex(colour), nullptr);
    }
    QTemporaryDir dir;
    QString path;
    TDocument source;
};

} // namespace

TEST_F(DiskDocument, RoundTripThroughAFileIsOneUndoStepAndSetsTheWindow) {
    source.SetCarpetWindow(TCarpetWindow{true, kKnots + 20, 4});
    std::vector<int> steps;
    auto out = MakeImageFileTarget(path);
    ASSERT_EQ(WriteCarpetDiskette(source, *out, [&](int s) { return steps.push_back(s), true; }), 0u);
    EXPECT_EQ(steps.size(), 81u);
    EXPECT_EQ(steps.back(), 80);
    EXPECT_EQ(QFileInfo(path).size(), kImageBytes);

    TDocument doc;
    ASSERT_EQ(NewCarpetCanvas(doc, kKnots + 5, 7, 9), 0u);
    doc.AttachUndo();
    ASSERT_EQ(Read(doc), 0u);
    EXPECT_TRUE(doc.CarpetWindow().On);
    EXPECT_EQ(doc.CarpetWindow().Width, kKnots);
    EXPECT_EQ(doc.CarpetWindow().Height, 4);
    for (int y = 0; y < 7; ++y)
        for (int x : {0, 1, 7, 8, 9, kKnots - 1, kKnots, kKnots + 4}) {
            const int n = 7 - y; // row n of the carpet, from the bottom
            const uint32_t v = source.Picture().GetPixel(x, 6 - n);
            const uint32_t expected = n > 4 || x >= kKnots ? 4u : v >= 2 && v <= 7 ? v : 8u;
            EXPECT_EQ(doc.Picture().GetPixel(x, y), expected) << x << "," << y;
        }
    EXPECT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Picture().GetPixel(0, 6), 9u);
    EXPECT_FALSE(doc.Undo());
}

TEST_F(DiskDocument, RefusalsBeforeTheFillLeaveTheDesignAndAFailedFitKeepsTheFill) {
    auto out = MakeImageFileTarget(path);
    ASSERT_EQ(WriteCarpetDiskette(source, kKnots, 6, *out, nullptr), 0u);
    TDocument doc;
    ASSERT_EQ(NewCarpetCanvas(doc, kKnots, 5, 9), 0u);
    doc.AttachUndo();
    const TCarpetWindow window = doc.CarpetWindow();
    // Five rows cannot take six: filled, refused, window kept.
    EXPECT_EQ(Read(doc), ErrorCode::NotCarpetDiskette);
    EXPECT_EQ(doc.Picture().GetPixel(3, 4), 4u);
    EXPECT_EQ(doc.CarpetWindow().Width, window.Width);
    ASSERT_TRUE(doc.Undo());
    auto in = MakeImageFileTarget(path);
    EXPECT_EQ(ReadCarpetDiskette(doc, *in, TCurrentColour::OfIndex(4), [](int s) { return s < 10; }),
              kDiskCancelled);

    QByteArray bytes = Contents(path);
    const auto rewrite = [&](const QByteArray& b) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b);
    };
    bytes[kHeaderAt] = 'X';
    rewrite(bytes);
    EXPECT_EQ(Read(doc), ErrorCode::NotCarpetDiskette);
    rewrite(bytes.left(kImageBytes - 1));
    EXPECT_EQ(Read(doc), ErrorCode::BadFile);
    QFile::remove(path);
    EXPECT_EQ(Read(doc), ErrorCode::BadFile);
    EXPECT_EQ(doc.Picture().GetPixel(3, 4), 9u);
    EXPECT_FALSE(doc.Undo()); // none of them left an undo step
}

TEST_F(DiskDocument, CancelledWriteLeavesTheOldFileAndNoTemporary) {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    auto out = MakeImageFileTarget(path);
    EXPECT_EQ(WriteCarpetDiskette(source, *out, [](int s) { return s < 40; }), kDiskCancelled);
    EXPECT_EQ(Contents(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"carpet.img"});
}

TEST_F(DiskDocument, DeviceTransfersSectorsInPlaceAndAnAbsentOneFails) {
    // A file stands in for the block device: the sectors land at sector x 512.
    QFile device(dir.filePath("fd0"));
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    device.write(QByteArray(kImageBytes + 512, '\0'));
    device.close();
    std::vector<uint8_t> back, image(kImageBytes);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 7 / 512);
    ASSERT_EQ(WriteDiskette(*MakeDeviceTarget(device.fileName()), image, nullptr), 0u);
    ASSERT_EQ(ReadDiskette(*MakeDeviceTarget(device.fileName()), back, nullptr), 0u);
    EXPECT_EQ(back, image);
    EXPECT_EQ(Contents(device.fileName()).size(), kImageBytes + 512); // a device is not cut

    auto absent = MakeDeviceTarget(dir.filePath("fd9"));
    EXPECT_EQ(WriteDiskette(*absent, image, nullptr), ErrorCode::DisketteWrite);
    EXPECT_EQ(ReadDiskette(*absent, image, nullptr), ErrorCode::BadFile);
}

TEST(DiskDevice, DriveKindFollowsTheDriverName) {
    const struct {
        const char* Name;
        TDriveKind Kind;
    } cases[] = {{"h1200", TDriveKind::Inch525}, {"d360", TDriveKind::Inch525}, {"H1440", TDriveKind::Inch35},
                 {"E2880", TDriveKind::Inch35},  {"(null)", TDriveKind::None},  {"", TDriveKind::None},
                 {nullptr, TDriveKind::None}};
    for (const auto& c : cases)
        EXPECT_EQ(DriveKindOfName(c.Name), c.Kind) << (c.Name ? c.Name : "null");
    EXPECT_EQ(DriveDevice(1), "/dev/fd1");
}
