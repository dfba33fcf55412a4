// The private swap folder, and what swapping saves on an A0 design.
#include "raster/Undo.h"
#include "raster/Undotemp.h"
#include "support/Noise.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int ModeOf(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

// A store folder made by another process that stays alive until told to end, and
// then ends without cleaning up, as a crash would.
struct TOtherProcess {
    pid_t Pid = -1;
    int Release = -1;
    QString Folder;

    explicit TOtherProcess(const QString& base) {
        int up[2], down[2];
        if (::pipe(up) != 0 || ::pipe(down) != 0) return;
        Pid = ::fork();
        if (Pid == 0) {
            ::close(up[0]), ::close(down[1]);
            auto* folder = new TUndoFolder(base); // never deleted: the folder must stay
            QByteArray path;
            QFile file;
            if (folder->Ensure() && CreateExclusiveFile(folder->Path() + "/TPU00000.TMP", file))
                path = QFile::encodeName(folder->Path());
            file.close();
            (void)!::write(up[1], path.constData(), size_t(path.size()));
            ::close(up[1]);
            char c;
            (void)!::read(down[0], &c, 1);
            ::_exit(0);
        }
        ::close(up[1]), ::close(down[0]);
        Release = down[1];
        char buffer[4096];
        ssize_t n;
        QByteArray path;
        while ((n = ::read(up[0], buffer, sizeof buffer)) > 0)
            path.append(buffer, n);
        ::close(up[0]);
        Folder = QFile::decodeName(path);
    }
    void End() {
        if (Release >= 0) ::close(Release), Release = -1;
        if (Pid > 0) ::waitpid(Pid, nullptr, 0), Pid = -1;
    }
    ~TOtherProcess() { End(); }
};

} // namespace

TEST(UndoFolder, FoldersAndFilesArePrivate) {
    QTemporaryDir temp;
    const QString base = temp.path() + "/cache/undo";
    TUndoFolder folder(base);
    EXPECT_TRUE(folder.Path().isEmpty());
    ASSERT_TRUE(folder.Ensure());
    EXPECT_EQ(ModeOf(base), 0700);
    EXPECT_EQ(ModeOf(folder.Path()), 0700);
    EXPECT_TRUE(QFileInfo(folder.Path())
                    .fileName()
                    .startsWith(QStringLiteral("run-%1-").arg(QCoreApplication::applicationPid())));

    const QString name = folder.Path() + "/TPU00000.TMP";
    QFile file;
    ASSERT_TRUE(CreateExclusiveFile(name, file));
    file.close();
    EXPECT_EQ(ModeOf(name), 0600);
    QFile again;
    EXPECT_FALSE(CreateExclusiveFile(name, again)); // never over an existing file
    // A planted link is neither followed for writing nor for reading.
    const QString link = folder.Path() + "/TPU00001.TMP";
    ASSERT_TRUE(QFile::link(temp.path() + "/elsewhere", link));
    EXPECT_FALSE(CreateExclusiveFile(link, again));
    EXPECT_FALSE(QFileInfo::exists(temp.path() + "/elsewhere"));
    EXPECT_FALSE(OpenPrivateFile(link, again));

    // An existing base that others may enter is narrowed; a link as base is refused.
    const QString open = temp.path() + "/open";
    ASSERT_TRUE(QDir().mkpath(open));
    QFile::setPermissions(open, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                    QFile::ExeOther);
    TUndoFolder narrowed(open);
    ASSERT_TRUE(narrowed.Ensure());
    EXPECT_EQ(ModeOf(open), 0700);
    ASSERT_TRUE(QFile::link(open, temp.path() + "/linked"));
    TUndoFolder linked(temp.path() + "/linked");
    EXPECT_FALSE(linked.Ensure());
}

TEST(UndoFolder, CrashLeftoverGoesAndTheLiveFolderOfAnotherProcessStays) {
    QTemporaryDir temp;
    TOtherProcess other(temp.path());
    ASSERT_FALSE(other.Folder.isEmpty());
    ASSERT_TRUE(QFileInfo::exists(other.Folder + "/TPU00000.TMP"));

    TUndoFolder mine(temp.path());
    ASSERT_TRUE(mine.Ensure()); // sweeps while the other process lives
    EXPECT_TRUE(QFileInfo::exists(other.Folder + "/TPU00000.TMP"));

    other.End(); // it ends without removing its folder
    ASSERT_TRUE(QFileInfo::exists(other.Folder));
    TUndoFolder next(temp.path());
    ASSERT_TRUE(next.Ensure());
    EXPECT_FALSE(QFileInfo::exists(other.Folder));
    EXPECT_TRUE(QFileInfo::exists(mine.Path())); // this process's folders are live
    EXPECT_NE(next.Path(), mine.Path());
}

namespace {

// Resident memory now and at its peak, in bytes (/proc/self/status).
size_t StatusBytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0) return size_t(std::stoull(line.substr(prefix.size()))) * 1024;
    return 0;
}

// Runs of 48 colours, 1 to 512 pixels long, like a design's flat areas and
// motifs: shrinks to about one per cent, never to nothing.
void FillRuns(TOrvaneBitmap& picture) {
    TNoise noise{12345};
    for (int y = 0; y < picture.Height; ++y) {
        uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width;) {
            const uint32_t seed = noise.Next();
            const int run = std::min(picture.Width - x, int(1 + (seed >> 23)));
            std::memset(row + x, 2 + int((seed >> 8) % 48), size_t(run));
            x += run;
        }
    }
}

uint64_t Checksum(const TOrvaneBitmap& picture) {
    uint64_t sum = 0;
    const uint8_t* bits = picture.Handle.Bits;
    for (size_t i = 0; i + 8 <= picture.Handle.ByteSize(); i += 8) {
        uint64_t word;
        std::memcpy(&word, bits + i, 8);
        sum = (sum ^ word) * 1099511628211ull;
    }
    return sum;
}

} // namespace

TEST(UndoMemory, TwentyA0RecordsKeepAboutOneCopyInMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "resident memory holds AddressSanitizer's quarantine of freed blocks";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "resident memory holds AddressSanitizer's quarantine of freed blocks";
#endif
#endif
    QTemporaryDir temp;
    const size_t start = StatusBytes("VmRSS");
    TOrvaneBitmap picture;
    TRGBQuad grey[256];
    for (int i = 0; i < 256; ++i)
        grey[i] = TRGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    ASSERT_TRUE(picture.Allocate(4992, 7040, grey, 8)); // A0 at 160 dpi
    FillRuns(picture);
    const size_t design = picture.Handle.ByteSize();

    TUndo store(temp.path());
    store.SetMaxUndo(20);
    TUndoTarget target;
    target.Picture = &picture;
    store.SetOwner(1, target);
    { std::ofstream("/proc/self/clear_refs") << "5"; } // the peak counts from here
    uint8_t next[256];
    for (int i = 0; i < 256; ++i)
        next[i] = uint8_t(i >= 2 && i < 50 ? 2 + (i - 1) % 48 : i);

    std::vector<uint64_t> sums;
    size_t steady = 0;
    for (int k = 0; k < 20; ++k) {
        sums.push_back(Checksum(picture));
        ASSERT_TRUE(store.AddWhole(UndoPicture, true));
        for (int y = 0; y < picture.Height; ++y) { // every pixel changes colour
            uint8_t* row = picture.ScanLine(y);
            for (int x = 0; x < picture.Width; ++x)
                row[x] = next[row[x]];
        }
        steady = std::max(steady, StatusBytes("VmRSS") - start);
    }
    qint64 onDisk = 0;
    for (int k = 0; k < 19; ++k) {
        const TUndoData& record = *store.AllRecords()[size_t(k)];
        EXPECT_TRUE(!record.InMemory && record.OnDisk);
        onDisk += QFileInfo(record.FileName).size();
    }
    for (int k = 19; k >= 16; --k) {
        ASSERT_TRUE(store.Undo(true));
        EXPECT_EQ(Checksum(picture), sums[size_t(k)]);
        steady = std::max(steady, StatusBytes("VmRSS") - start);
    }
    const size_t peak = StatusBytes("VmHWM") - start;
    std::printf(
        "[ MEMORY   ] design %.1f MB; 20 records: resident %.1f MB at most between steps, peak %.1f MB; "
        "19 files %.1f MB\n",
        design / 1e6, steady / 1e6, peak / 1e6, double(onDisk) / 1e6);
    EXPECT_LT(steady, 4 * design); // the design and about three records at most
    EXPECT_LT(peak, 4 * design);
}
