// The diskette targets: an image file and a Linux floppy block device.
#include "platform/Savecommit.h"
#include "textile/Diskaccess.h"
#include "textile/Diskimage.h"

#include <QFile>
#include <cctype>
#include <fcntl.h>
#include <linux/fd.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace CarpetDisk;

namespace {

class TImageFileTarget : public TDiskTarget {
  public:
    explicit TImageFileTarget(const QString& path) : Path(path), Out(path) {}
    bool Open(bool write) override {
        if (write) return Out.open(QIODevice::WriteOnly);
        In.setFileName(Path);
        return In.open(QIODevice::ReadOnly) && In.size() == kImageBytes;
    }
    bool Read(int first, int count, uint8_t* data) override {
        const qint64 bytes = qint64(count) * kSectorBytes;
        return In.seek(qint64(first) * kSectorBytes) &&
               In.read(reinterpret_cast<char*>(data), bytes) == bytes;
    }
    bool Write(int first, int count, const uint8_t* data) override {
        const qint64 bytes = qint64(count) * kSectorBytes;
        return Out.seek(qint64(first) * kSectorBytes) &&
               Out.write(reinterpret_cast<const char*>(data), bytes) == bytes;
    }
    bool Close(bool keep) override {
        In.close();
        if (!Out.isOpen()) return true;
        if (keep) return CommitWholeFile(Out);
        Out.cancelWriting();
        Out.commit(); // drops the temporary file
        return true;
    }
    bool CanCancelWrite() const override { return true; }

  private:
    QString Path;
    QFile In;
    QSaveFile Out; // a temporary file renamed over Path on commit
};

class TDeviceTarget : public TDiskTarget {
  public:
    explicit TDeviceTarget(const QString& path) : Path(QFile::encodeName(path)) {}
    ~TDeviceTarget() override { Close(false); }
    bool Open(bool write) override {
        Fd = ::open(Path.constData(), write ? O_RDWR : O_RDONLY);
        return Fd >= 0;
    }
    bool Read(int first, int count, uint8_t* data) override {
        const ssize_t bytes = ssize_t(count) * kSectorBytes;
        return ::pread(Fd, data, size_t(bytes), off_t(first) * kSectorBytes) == bytes;
    }
    bool Write(int first, int count, const uint8_t* data) override {
        const ssize_t bytes = ssize_t(count) * kSectorBytes;
        return ::pwrite(Fd, data, size_t(bytes), off_t(first) * kSectorBytes) == bytes;
    }
    bool Close(bool keep) override {
        if (Fd < 0) return true;
        // The written sectors reach the diskette before the write counts as done.
        const bool ok = !keep || ::fsync(Fd) == 0;
        ::close(Fd);
        Fd = -1;
        return ok;
    }
    bool CanCancelWrite() const override { return false; }

  private:
    QByteArray Path;
    int Fd = -1;
};

} // namespace

std::unique_ptr<TDiskTarget> MakeImageFileTarget(const QString& path) {
    return std::make_unique<TImageFileTarget>(path);
}

std::unique_ptr<TDiskTarget> MakeDeviceTarget(const QString& path) {
    return std::make_unique<TDeviceTarget>(path);
}

TDriveKind DriveKindOfName(const char* name) {
    if (!name || !std::isalpha(static_cast<unsigned char>(name[0]))) return TDriveKind::None;
    return std::islower(static_cast<unsigned char>(name[0])) ? TDriveKind::Inch525 : TDriveKind::Inch35;
}

QString DriveDevice(int drive) {
    return QStringLiteral("/dev/fd%1").arg(drive);
}

TDriveKind DetectDrive(int drive) {
    // O_NONBLOCK opens the drive without a diskette in it.
    const int fd = ::open(QFile::encodeName(DriveDevice(drive)).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return TDriveKind::None;
    floppy_drive_name name = {};
    const bool known = ::ioctl(fd, FDGETDRVTYP, name) == 0;
    ::close(fd);
    name[sizeof name - 1] = '\0';
    return known ? DriveKindOfName(name) : TDriveKind::None;
}
