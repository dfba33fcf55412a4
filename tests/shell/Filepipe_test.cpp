// Files read from sequential devices (named pipes, streams): sizes in a header
// are checked against what really arrives before anything large is allocated,
// and text files are read in bounded chunks.
#include "Filebytes.h"
#include "colour/Gimppalette.h"
#include "platform/Inifile.h"
#include "shell/Document.h"
#include "shell/Exception.h"
#include "shell/Filetypes.h"

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

namespace {

long PeakKilobytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// An old-layout 'X' design: empty thumbnail, 225 palette records, the given
// size and no pixels (9.8 KB announcing 2 GB).
QByteArray PixellessLegacy(int w, int h) {
    return TBytes().U8('x').U8('X').U16(3).Fill(8000, 0).U16(3).Fill(225 * 8, 4).U16(w).U16(h).b;
}

// Sizes that announce gigabytes over a few kilobytes, in every layout.
std::vector<QByteArray> Announcing() {
    const QByteArray front8 = PtHeader(222, 40000, 40000, 8, 0) + GreyPaletteAndThumbnail(4, 8);
    const QByteArray front24z = PtHeader(222, 40000, 40000, 24, 2) + GreyPaletteAndThumbnail(4, 24);
    return {PixellessLegacy(65535, 32768), front8 + QByteArray(100, '\x01'),
            PtHeader(219, 40000, 40000, 24, 0) + GreyPaletteAndThumbnail(4, 24) + QByteArray(100, '\x01'),
            front24z + TBytes().U32(0xFFFFFF00).b + QByteArray(100, '\x01'),
            front24z + TBytes().U32(100000).b + QByteArray(100, '\x01')};
}

} // namespace

TEST(DesignFromPipe, GigabyteHeadersOverFewBytesAreRefusedWithoutAllocating) {
    const long before = PeakKilobytes();
    for (const QByteArray& bytes : Announcing()) {
        TSequentialBytes in(bytes);
        TPalette p;
        TDocumentHeader h;
        TOrvaneBitmap image;
        EXPECT_EQ(ReadDocument(&in, p, h, true, &image), ErrorCode::DamagedFile) << bytes.size() << " bytes";
        EXPECT_FALSE(image.Allocated());
    }
    EXPECT_LT(PeakKilobytes() - before, 200 * 1024);
}

TEST(DesignFromPipe, NamedPipeOfAPixellessLegacyDesignIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath("design.tex");
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const QByteArray bytes = PixellessLegacy(65535, 32768);
    std::thread writer([&] {
        QFile out(path);
        if (out.open(QIODevice::WriteOnly)) out.write(bytes);
    });
    const long before = PeakKilobytes();
    TDesign design;
    ASSERT_TRUE(design.Image.Allocate(3, 2, nullptr, 8));
    EXPECT_EQ(OpenDesign(path, TypeTex, 0, design), ErrorCode::DamagedFile);
    writer.join();
    EXPECT_LT(PeakKilobytes() - before, 200 * 1024);
    EXPECT_EQ(design.Image.Width, 3) << "the design is left as it was";
}

TEST(DesignFromPipe, CompleteFilesReadAsFromDisk) {
    TOrvaneBitmap picture;
    ASSERT_TRUE(picture.Allocate(7, 5, nullptr, 8));
    for (int y = 0; y < 5; ++y)
        picture.SetPixel(y, y, uint32_t(9 + y));
    TOrvaneBitmap thumb;
    ASSERT_EQ(MakeThumbnail(thumb, picture, 0, QRect(0, 0, 7, 5)), 0u);
    for (int compression : {0, 2}) {
        TDocumentHeader hd;
        hd.paper.width = 7, hd.paper.height = 5, hd.compression = uint8_t(compression);
        QByteArray bytes;
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        ASSERT_TRUE(WriteDocument(&out, TPalette(), hd, nullptr, &picture, thumb));
        TSequentialBytes in(bytes);
        TPalette p;
        TDocumentHeader h;
        TOrvaneBitmap image;
        ASSERT_EQ(ReadDocument(&in, p, h, true, &image), 0u) << "compression " << compression;
        for (int y = 0; y < 5; ++y)
            EXPECT_EQ(image.GetPixel(y, y), uint32_t(9 + y));
    }
}

namespace {

// Reads path while a writer thread sends bytes into it as a named pipe (a
// reader that stops early leaves the writer with EPIPE, not a signal).
template <typename Read> auto ThroughPipe(const QString& path, const QByteArray& bytes, Read read) {
    std::signal(SIGPIPE, SIG_IGN);
    EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    std::thread writer([&] {
        QFile out(path);
        if (out.open(QIODevice::WriteOnly)) out.write(bytes);
    });
    const auto result = read(path);
    writer.join();
    QFile::remove(path);
    return result;
}

} // namespace

TEST(TextFromPipe, ReadsWhatArrivesAndRefusesWhatPassesTheLimit) {
    QTemporaryDir dir;
    const QString path = dir.filePath("in");
    const auto gimp = [](const QString& p) {
        TPalette palette;
        int count = -1;
        const uint32_t code = ReadGimpPalette(p, palette, &count);
        return std::pair{code, count};
    };
    const auto ini = [](const QString& p) { return TIniFile(p).ReadInteger("Set", "Count", -1); };
    EXPECT_EQ(ThroughPipe(path, "GIMP Palette\n  9 8 7 moss\n1 2 3\n", gimp), std::pair(0u, 2));
    EXPECT_EQ(ThroughPipe(path, "GIMP Palette\n" + QByteArray(2 << 20, ' '), gimp).first, ErrorCode::BadFile);
    EXPECT_EQ(ThroughPipe(path, "[Set]\nCount=7\n", ini), 7);
    EXPECT_EQ(ThroughPipe(path, "[Set]\nCount=7\n" + QByteArray(17 << 20, ';'), ini), -1) << "over 16 MB";
}
