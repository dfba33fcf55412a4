#include "textile/Texture.h"

#include "platform/Lebytes.h"
#include "platform/Lereader.h"
#include "shell/Exception.h"
#include "shell/Paths.h"
#include "shell/Savefile.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <type_traits>

namespace {

const char* const kTypeNames[kWeaveTypes] = {"plain", "twill", "satin"};

struct TIndexEntry {
    int Key = 0; // the repeat number (foundation) or the group number from 1
    QString Name;
    int Count = 0;
};

// Reads an index: named entries carry a 22-byte name, others a repeat number.
uint32_t ReadIndex(const QString& path, bool named, std::vector<TIndexEntry>& out) {
    QFile file(ResolveCase(path));
    if (!file.open(QIODevice::ReadOnly)) return ErrorCode::CannotOpenFile;
    TLeReader in(&file);
    const int groups = int16_t(in.U16());
    if (!in.ok() || groups < 0 || groups > kMaxWeaveGroups ||
        !in.Require(uint64_t(groups) * (named ? 24 : 4)))
        return ErrorCode::BadFile;
    out.assign(size_t(groups), {});
    for (int g = 0; g < groups; ++g) {
        TIndexEntry& e = out[size_t(g)];
        if (named) {
            char name[kWeaveNameSize + 1] = {};
            in.Read(name, kWeaveNameSize);
            e.Name = QString::fromLatin1(name);
            e.Key = g + 1;
        } else {
            e.Key = int16_t(in.U16());
        }
        e.Count = int16_t(in.U16());
        if (e.Count < 0 || (!named && e.Key < 1)) return ErrorCode::BadFile;
    }
    return in.ok() ? 0 : ErrorCode::BadFile;
}

// Reads the groups of one index; stem is the path without ".inf" or ".<n>".
template <typename Group> uint32_t ReadPart(const QString& stem, bool named, std::vector<Group>& out) {
    std::vector<TIndexEntry> index;
    if (const uint32_t code = ReadIndex(stem + ".inf", named, index)) return code;
    for (const TIndexEntry& e : index) {
        QFile file(ResolveCase(stem + "." + QString::number(e.Key)));
        // A group of no weaves still has its file.
        if (!file.open(QIODevice::ReadOnly)) return ErrorCode::CannotOpenFile;
        Group group;
        const QString fallback = named ? e.Name : QString();
        if (const uint32_t code = ReadWeaves(&file, e.Count, fallback, group.Weaves)) return code;
        if constexpr (std::is_same_v<Group, TFoundGroup>)
            group.Repeat = e.Key;
        else
            group.Name = e.Name;
        out.push_back(std::move(group));
    }
    return 0;
}

template <typename Group>
uint32_t WritePart(const QString& folder, const QString& stem, const std::vector<Group>& groups) {
    if (!QDir().mkpath(folder)) return ErrorCode::CannotCreateFile;
    const QString base = QDir(folder).filePath(stem);
    const uint32_t index = SaveFileSafely(base + ".inf", [&](QIODevice* f) {
        QByteArray out;
        Put16(out, int(groups.size()));
        for (const Group& g : groups) {
            if constexpr (std::is_same_v<Group, TFoundGroup>)
                Put16(out, g.Repeat);
            else
                out.append(WeaveName(g.Name));
            Put16(out, int(g.Weaves.size()));
        }
        return f->write(out) == out.size() ? uint32_t(0) : ErrorCode::CannotWriteFile;
    });
    if (index) return index;
    for (size_t i = 0; i < groups.size(); ++i) {
        int key = int(i) + 1;
        if constexpr (std::is_same_v<Group, TFoundGroup>) key = groups[i].Repeat;
        if (const uint32_t code = SaveFileSafely(base + "." + QString::number(key), [&](QIODevice* f) {
                return WriteWeaves(f, groups[i].Weaves);
            }))
            return code;
    }
    return 0;
}

} // namespace

const char* WeaveTypeName(int type) {
    return type >= 0 && type < kWeaveTypes ? kTypeNames[type] : "";
}

uint32_t ReadWeaveFile(const QString& path, int count, const QString& fallbackName,
                       std::vector<TTexBitData>& out) {
    QFile file(ResolveCase(path));
    if (!file.open(QIODevice::ReadOnly)) return ErrorCode::CannotOpenFile;
    return ReadWeaves(&file, count, fallbackName, out);
}

uint32_t TTexture::Load(const QString& dir) {
    Clear();
    TTexture t;
    uint32_t code = 0;
    try {
        for (int type = 0; type < kWeaveTypes && !code; ++type) {
            const QString name = kTypeNames[type];
            code = ReadPart(dir + "/Found/" + name + "/" + name, false, t.Foundation[size_t(type)]);
        }
        for (int type = 0; type < kWeaveTypes && !code; ++type) {
            const QString name = kTypeNames[type];
            code = ReadPart(dir + "/Deriv/" + name + "/" + name, true, t.Derivation[size_t(type)]);
        }
        if (!code) code = ReadPart(dir + "/Special/Special", true, t.Special);
    } catch (const std::bad_alloc&) {
        code = ErrorCode::OutOfMemory;
    }
    if (!code) *this = std::move(t);
    return code;
}

uint32_t TTexture::Save(const QString& dir) const {
    for (int type = 0; type < kWeaveTypes; ++type) {
        const QString name = kTypeNames[type];
        if (const uint32_t code = WritePart(dir + "/Found/" + name, name, Foundation[size_t(type)]))
            return code;
        if (const uint32_t code = WritePart(dir + "/Deriv/" + name, name, Derivation[size_t(type)]))
            return code;
    }
    return WritePart(dir + "/Special", QStringLiteral("Special"), Special);
}

void TTexture::Clear() {
    for (auto& part : Foundation)
        part.clear();
    for (auto& part : Derivation)
        part.clear();
    Special.clear();
}

bool TTexture::Empty() const {
    for (int type = 0; type < kWeaveTypes; ++type)
        if (!Foundation[size_t(type)].empty() || !Derivation[size_t(type)].empty()) return false;
    return Special.empty();
}
