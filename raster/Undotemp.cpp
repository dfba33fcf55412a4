#include "raster/Undotemp.h"

#include "platform/Lebytes.h"
#include "platform/Lereader.h"
#include "platform/Savecommit.h"
#include "raster/Compress.h"
#include "raster/Runpack.h"
#include "raster/Undo.h"
#include "shell/Exception.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

QString g_baseOverride;
std::atomic<int> g_storeSerial{0};

const QString kRunPrefix = QStringLiteral("run-");
const QString kLockName = QStringLiteral("lock");

// A folder only this user can enter: made with mode 0700, or an existing real folder
// (not a link) of ours whose mode is narrowed to 0700.
bool MakePrivateDir(const QString& path) {
    const QByteArray p = QFile::encodeName(path);
    if (::mkdir(p.constData(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
    return (st.st_mode & 077) == 0 || ::chmod(p.constData(), 0700) == 0;
}

bool OpenFd(int fd, QFile& file, QIODevice::OpenMode mode) {
    if (fd < 0) return false;
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace

QString UndoBaseDir() {
    if (!g_baseOverride.isEmpty()) return g_baseOverride;
    const QString env = qEnvironmentVariable("VELMORA_UNDO_DIR");
    if (!env.isEmpty()) return env;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return cache.isEmpty() ? QString() : cache + QStringLiteral("/Velmora/undo");
}

void SetUndoBaseDir(const QString& dir) {
    g_baseOverride = dir;
}

int RemoveStaleRunFolders(const QString& base, const QString& keep) {
    int removed = 0;
    const QFileInfoList entries = QDir(base).entryInfoList({kRunPrefix + QLatin1Char('*')},
                                                           QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() || entry.absoluteFilePath() == keep) continue;
        // A live owner holds the lock; tryLock wins only when the owner's process is gone.
        // No age limit: a store may keep its folder for days.
        QLockFile lock(entry.absoluteFilePath() + QLatin1Char('/') + kLockName);
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0)) continue;
        lock.unlock();
        if (QDir(entry.absoluteFilePath()).removeRecursively()) ++removed;
    }
    return removed;
}

bool CreateExclusiveFile(const QString& path, QFile& file) {
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    return OpenFd(fd, file, QIODevice::WriteOnly);
}

bool OpenPrivateFile(const QString& path, QFile& file) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    return OpenFd(fd, file, QIODevice::ReadOnly);
}

TUndoFolder::TUndoFolder(const QString& base) : Base(base) {}

TUndoFolder::~TUndoFolder() {
    if (Dir.isEmpty()) return;
    // Unlock first: the lock file goes, then the folder with whatever is left.
    Lock->unlock();
    QDir(Dir).removeRecursively();
}

bool TUndoFolder::Ensure() {
    if (!Dir.isEmpty()) return true;
    const QString chosen = Base.isEmpty() ? UndoBaseDir() : Base;
    if (chosen.isEmpty()) return false;
    const QString base = QFileInfo(chosen).absoluteFilePath();
    const QString parent = QFileInfo(base).absolutePath();
    if (!QDir().mkpath(parent) || !MakePrivateDir(base)) return false;
    RemoveStaleRunFolders(base);

    const QString dir = base + QLatin1Char('/') + kRunPrefix +
                        QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
                        QString::number(g_storeSerial++);
    // This process never made this name before: anything there was left by an
    // ended process that had the same number.
    if (QFileInfo::exists(dir)) QDir(dir).removeRecursively();
    if (!MakePrivateDir(dir)) return false;
    auto lock = std::make_unique<QLockFile>(dir + QLatin1Char('/') + kLockName);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        QDir(dir).removeRecursively();
        return false;
    }
    Lock = std::move(lock);
    Dir = dir;
    return true;
}

// ---- the file of one undo record ------------------------------------------

namespace {

constexpr int kPaletteBytes = 1024;
static_assert(sizeof(TRGBQuad) * 256 == kPaletteBytes);

bool HasPalette(int bitsPerPixel) {
    return bitsPerPixel == 1 || bitsPerPixel == 8;
}

// A slice of pixel rows: 'R' with a u32 length and the runs (raster/Runpack.h) when
// they take at most half the bytes, else 'Z' with a block of the codec, packed fast.
bool WriteSlice(QIODevice& file, const uint8_t* data, size_t size, std::vector<uint8_t>& packed) {
    if (const size_t length = PackRuns(data, size, packed.data(), std::min(packed.size(), size / 2))) {
        QByteArray head("R");
        Put32(head, uint32_t(length));
        return file.write(head) == head.size() &&
               file.write(reinterpret_cast<const char*>(packed.data()), qint64(length)) == qint64(length);
    }
    return file.write("Z", 1) == 1 && WriteBlock(&file, data, size, kBlockCompressed, {}, kLevelFast);
}

bool ReadSlice(QIODevice& file, uint8_t* data, size_t size) {
    char kind = 0;
    if (!file.getChar(&kind)) return false;
    if (kind == 'Z') return ReadBlock(&file, data, size, kBlockCompressed);
    TLeReader r(&file);
    const uint32_t length = r.U32();
    // The writer keeps runs only when they take at most half the slice.
    if (kind != 'R' || !r.ok() || length > size / 2 || !DeviceHolds(&file, length)) return false;
    std::vector<uint8_t> packed(length);
    return r.Read(packed.data(), length) && UnpackRuns(packed.data(), length, data, size);
}

// How the rows of a rectangle of a bitmap at bits per pixel lie in a record file
// (Line bytes each, Used of them pixels) and in the bitmap (from byte Offset of its
// rows), and how many go in one slice.
struct TRowLayout {
    size_t Line, Used, Offset;
    int Rows;
};

TRowLayout RowLayout(const QRect& rect, int bits) {
    const size_t line = size_t(BitmapBytesPerLine(rect.width(), bits));
    return {line, (size_t(rect.width()) * size_t(bits) + 7) / 8, size_t(rect.x()) * size_t(bits) / 8,
            int(std::max<size_t>(1, TUndoData::kSliceBytes / std::max<size_t>(line, 1)))};
}

// Makes fileName (exclusively, private) and writes it with body; a failure leaves no file.
bool WriteNewFile(const QString& fileName, const std::function<bool(QIODevice&)>& body) {
    QFile file;
    if (!CreateExclusiveFile(fileName, file)) return false;
    bool ok = body(file) && HoldsAllWritten(file);
    file.close();
    ok = ok && file.error() == QFileDevice::NoError;
    if (!ok) QFile::remove(fileName);
    return ok;
}

void ReleaseIf(const std::unique_ptr<TOrvaneBitmap>& bitmap) {
    if (bitmap) bitmap->Release();
}

} // namespace

TUndoData::TUndoData(uint32_t owner, const QString& fileName) : Owner(owner), FileName(fileName) {}

TUndoData::~TUndoData() {
    if (OnDisk) QFile::remove(FileName);
}

bool TUndoData::WriteBitmap(QIODevice& file, const TOrvaneBitmap* bitmap) const {
    if (!bitmap) return true;
    if (!bitmap->Allocated()) return false;
    return WriteRows(file, *bitmap, QRect(0, 0, bitmap->Width, bitmap->Height), bitmap->Handle.Palette);
}

bool TUndoData::WriteRows(QIODevice& file, const TOrvaneBitmap& source, const QRect& rect,
                          const TRGBQuad* quads) {
    const int bits = source.BitsPerPixel;
    if (!source.Allocated() || rect.isEmpty() || !QRect(0, 0, source.Width, source.Height).contains(rect) ||
        (int64_t(rect.x()) * bits) % 8 != 0)
        return false;
    QByteArray head;
    Put32(head, uint32_t(rect.width()));
    Put32(head, uint32_t(rect.height()));
    Put16(head, uint16_t(bits));
    // Palette quads are blue, green, red, reserved in memory as in the file.
    if (HasPalette(bits)) head.append(reinterpret_cast<const char*>(quads), kPaletteBytes);
    if (file.write(head) != head.size()) return false;

    const TRowLayout l = RowLayout(rect, bits);
    // Whole rows of the source lie one after the other as the file keeps them.
    const bool direct = l.Offset == 0 && l.Line == size_t(source.BytesPerLine());
    const size_t most = l.Line * size_t(std::min(l.Rows, rect.height()));
    std::vector<uint8_t> gathered(direct ? 0 : most), packed(most / 2);
    for (int y = 0; y < rect.height(); y += l.Rows) {
        const int n = std::min(l.Rows, rect.height() - y);
        const uint8_t* data = source.ScanLine(rect.y() + y);
        if (!direct) {
            for (int k = 0; k < n; ++k) {
                uint8_t* to = gathered.data() + size_t(k) * l.Line;
                std::memcpy(to, source.ScanLine(rect.y() + y + k) + l.Offset, l.Used);
                std::memset(to + l.Used, 0, l.Line - l.Used);
            }
            data = gathered.data();
        }
        if (!WriteSlice(file, data, size_t(n) * l.Line, packed)) return false;
    }
    return true;
}

bool TUndoData::ReadBitmap(QIODevice& file, TOrvaneBitmap* bitmap, int bitsPerPixel) const {
    if (!bitmap) return true;
    bitmap->Release();
    TLeReader r(&file);
    const uint32_t width = r.U32(), height = r.U32();
    const int bits = r.U16();
    // Only the bitmap this record wrote is accepted, so a damaged file cannot ask for memory.
    if (!r.ok() || bits != bitsPerPixel || (bits != 1 && bits != 8 && bits != 24)) return false;
    if (width != uint32_t(Rect.width()) || height != uint32_t(Rect.height())) return false;
    if (!BitmapSizeAllowed(int(width), int(height), bits)) return false;
    TRGBQuad quads[256];
    if (HasPalette(bits) && !r.Read(quads, kPaletteBytes)) return false;
    if (!bitmap->Allocate(int(width), int(height), quads, bits)) return false;
    const TRowLayout l = RowLayout(QRect(0, 0, bitmap->Width, bitmap->Height), bits);
    for (int y = 0; y < bitmap->Height; y += l.Rows) {
        const int n = std::min(l.Rows, bitmap->Height - y);
        if (!ReadSlice(file, bitmap->ScanLine(y), size_t(n) * l.Line)) {
            bitmap->Release();
            return false;
        }
    }
    return true;
}

bool TUndoData::SwapOut() {
    if (!InMemory) return OnDisk;
    if (!OnDisk) {
        if (FileName.isEmpty() || !WriteNewFile(FileName, [this](QIODevice& file) {
                return WriteBitmap(file, Image.get()) && WriteBitmap(file, MaskImage.get());
            }))
            return false;
        OnDisk = true;
    }
    ReleaseIf(Image);
    ReleaseIf(MaskImage);
    InMemory = false;
    return true;
}

bool TUndoData::WriteFrom(const TOrvaneBitmap& picture, const TRGBQuad* quads, const TOrvaneBitmap* mask,
                          const TRGBQuad* maskQuads) {
    if (FileName.isEmpty() || OnDisk || !WriteNewFile(FileName, [&](QIODevice& file) {
            return WriteRows(file, picture, Rect, quads) &&
                   (!mask || WriteRows(file, *mask, Rect, maskQuads));
        }))
        return false;
    Image = std::make_unique<TOrvaneBitmap>();
    ImageBits = picture.BitsPerPixel;
    if (mask) {
        MaskImage = std::make_unique<TOrvaneBitmap>();
        MaskBits = mask->BitsPerPixel;
    }
    OnDisk = true;
    InMemory = false;
    return true;
}

bool TUndoData::SwapIn(uint32_t* error) {
    if (InMemory) return true;
    QFile file;
    if (!OnDisk || !OpenPrivateFile(FileName, file)) {
        if (error) *error = ErrorCode::CannotOpenFile;
        return false;
    }
    // Read aside first: a record comes back whole or stays as it was.
    TOrvaneBitmap image, mask;
    const bool ok = ReadBitmap(file, Image ? &image : nullptr, ImageBits) &&
                    ReadBitmap(file, MaskImage ? &mask : nullptr, MaskBits) && file.atEnd();
    if (!ok) {
        if (error) *error = ErrorCode::BadFile;
        return false;
    }
    if (Image) Image->TakeFrom(image);
    if (MaskImage) MaskImage->TakeFrom(mask);
    InMemory = true;
    return true;
}

bool TUndoData::ReadableInto(const TOrvaneBitmap& picture) const {
    return OnDisk && !InMemory && Image && !MaskImage && picture.Allocated() &&
           ImageBits == picture.BitsPerPixel && PictureSize == QSize(picture.Width, picture.Height) &&
           QRect(0, 0, picture.Width, picture.Height).contains(Rect) &&
           (int64_t(Rect.x()) * ImageBits) % 8 == 0;
}

bool TUndoData::ReadInto(TOrvaneBitmap* picture, TRGBQuad* quads, uint32_t* error) const {
    QFile file;
    if (!OpenPrivateFile(FileName, file)) {
        if (error) *error = ErrorCode::CannotOpenFile;
        return false;
    }
    TLeReader r(&file);
    const uint32_t width = r.U32(), height = r.U32();
    const int bits = r.U16();
    TRGBQuad own[256];
    bool ok = r.ok() && bits == ImageBits && width == uint32_t(Rect.width()) &&
              height == uint32_t(Rect.height()) &&
              (!HasPalette(bits) || r.Read(quads ? quads : own, kPaletteBytes));
    // The sizes come from the record, never from the file.
    const TRowLayout l = RowLayout(Rect, ImageBits);
    const bool direct = picture && l.Offset == 0 && l.Line == size_t(picture->BytesPerLine());
    std::vector<uint8_t> slice(direct || !ok ? 0 : l.Line * size_t(std::min(l.Rows, Rect.height())));
    for (int y = 0; ok && y < Rect.height(); y += l.Rows) {
        const int n = std::min(l.Rows, Rect.height() - y);
        ok = ReadSlice(file, direct ? picture->ScanLine(Rect.y() + y) : slice.data(), size_t(n) * l.Line);
        if (ok && picture && !direct)
            for (int k = 0; k < n; ++k)
                std::memcpy(picture->ScanLine(Rect.y() + y + k) + l.Offset, slice.data() + size_t(k) * l.Line,
                            l.Used);
    }
    if (ok && !file.atEnd()) ok = false;
    if (!ok && error) *error = ErrorCode::BadFile;
    return ok;
}

void TUndoData::Trim(bool write) {
    if (Pinned) return;
    if (!OnDisk) {
        if (write) SwapOut();
        return;
    }
    if (InMemory) {
        ReleaseIf(Image);
        ReleaseIf(MaskImage);
        InMemory = false;
    }
}

size_t TUndoData::MemoryBytes() const {
    size_t bytes = 0;
    for (const auto* b : {Image.get(), MaskImage.get()})
        if (b && b->Allocated()) bytes += b->Handle.ByteSize();
    return bytes;
}
