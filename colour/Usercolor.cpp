#include "colour/Usercolor.h"

#include "colour/Palettefile.h"
#include "colour/Searchcolor.h"
#include "platform/Lebytes.h"
#include "platform/Lereader.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Savefile.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace {

// One record; false for a name without a terminator.
bool ParseRecord(const uint8_t* b, TUserColor& c) {
    const void* end = std::memchr(b, 0, kUserNameSize);
    if (!end) return false;
    c.Name = QByteArray(reinterpret_cast<const char*>(b), static_cast<const uint8_t*>(end) - b);
    TColorData e;
    e.Flags = uint16_t(Get16(b + 22) & kColorKindMask);
    if (e.Kind() > KindVMTextile) e.Flags = KindNormal; // unknown libraries read as plain colours
    e.Page = Get16(b + 26);
    e.Number = b[28];
    ConvertOldNumbering(e);
    c.Kind = e.Kind();
    c.Page = e.Page;
    c.Number = e.Number;
    c.Blue = b[29], c.Green = b[30], c.Red = b[31];
    return true;
}

} // namespace

uint32_t ReadUserColors(const QString& path, TUserColorList& list) {
    list.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ErrorCode::OutOfMemory;
    TLeReader r(&file);
    const uint32_t count = r.U32();
    if (!r.ok()) return ErrorCode::BadFile;
    // A count the file cannot hold is refused before anything is allocated.
    if (!r.Require(uint64_t(count) * kUserRecordSize)) return ErrorCode::OutOfMemory;
    TUserColorList read(count);
    for (TUserColor& c : read) {
        uint8_t b[kUserRecordSize];
        if (!r.Read(b, kUserRecordSize)) return ErrorCode::OutOfMemory;
        if (!ParseRecord(b, c)) return ErrorCode::BadFile;
    }
    list = std::move(read);
    return 0;
}

uint32_t WriteUserColors(const QString& path, const TUserColorList& list) {
    QByteArray bytes;
    Put32(bytes, uint32_t(list.size()));
    for (const TUserColor& c : list) {
        QByteArray name = c.Name.left(kUserNameSize - 1);
        name.append(kUserNameSize - name.size(), '\0');
        bytes.append(name);
        Put32(bytes, uint32_t(c.Kind));
        Put16(bytes, c.Page);
        Put8(bytes, c.Number);
        Put8(bytes, c.Blue), Put8(bytes, c.Green), Put8(bytes, c.Red), Put8(bytes, 0);
    }
    const uint32_t code = SaveFileSafely(path, bytes);
    return code == ErrorCode::CannotCreateFile ? ErrorCode::OutOfMemory : code; // the code a reader expects
}

TColorData UserColorEntry(const TUserColor& c, const QByteArray& fileName) {
    TColorData e;
    e.SetUser(c.Kind, c.Page, c.Number, c.Red, c.Green, c.Blue, fileName, c.Name);
    return e;
}

// Every readable library under folder, in name order, with its records.
static void ForEachUserLibrary(const QString& folder, bool recursive,
                               const std::function<bool(const QString&, const TUserColorList&)>& visit) {
    QStringList files;
    QDirIterator it(folder, {QStringLiteral("*.ucl")}, QDir::Files,
                    recursive ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext())
        files.append(it.next());
    std::sort(files.begin(), files.end());
    for (const QString& path : files) {
        TUserColorList list;
        if (ReadUserColors(path, list) == 0 && !visit(path, list)) return;
    }
}

TUserColorHit NearestUserColor(const QString& folder, bool recursive, int red, int green, int blue) {
    TUserColorHit hit;
    TSearchColor search(red, green, blue);
    int offered = 0;
    ForEachUserLibrary(folder, recursive, [&](const QString& path, const TUserColorList& list) {
        for (size_t k = 0; k < list.size(); ++k, ++offered) {
            const TUserColor& c = list[k];
            const bool exact = search.Offer(offered, c.Red, c.Green, c.Blue);
            if (search.Best() == offered) hit = TUserColorHit{true, path, int(k), c, search.BestDistance()};
            if (exact) return false;
        }
        return true;
    });
    return hit;
}

TUserColorHit FindUserColor(const QString& folder, bool recursive,
                            const std::function<bool(const TUserColor&)>& match) {
    TUserColorHit hit;
    ForEachUserLibrary(folder, recursive, [&](const QString& path, const TUserColorList& list) {
        for (size_t k = 0; k < list.size(); ++k)
            if (match(list[k])) {
                hit = TUserColorHit{true, path, int(k), list[k], 0};
                return false;
            }
        return true;
    });
    return hit;
}

int LoadUserColorsOnPalette(TPalette& palette, int start, const TUserColorList& list,
                            const QByteArray& fileName) {
    start = std::max(start, int(TPalette::kFirstDrawing));
    int k = 0;
    for (; k < int(list.size()) && start + k <= TPalette::kLastDrawing; ++k)
        palette[start + k] = UserColorEntry(list[size_t(k)], fileName);
    return k;
}

QString ColourWriteFolder() {
    const QFileInfo shipped(Configuration.Color);
    if (shipped.isDir() && shipped.isWritable()) return shipped.absoluteFilePath();
    const QString user = ConfigDirectory() + QStringLiteral("/Color");
    QDir().mkpath(user);
    return user;
}
