#include "textile/Carpetlibrary.h"

#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Paths.h"
#include "shell/Tdocument.h"
#include "textile/Carpetfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>

namespace {

constexpr int kMaxTextureWidth = 10;
constexpr int kLowestPile = 2, kHighestPile = 8;

} // namespace

bool TextureFromSelection(const TDocument& document, const QString& name, TCarpetTexture& out) {
    const QRect r =
        document.WorkArea().On() ? document.WorkArea().Bounds().intersected(document.Bounds()) : QRect();
    if (document.BitsPerPixel() != 8 || r.isEmpty() || r.width() > kMaxTextureWidth) return false;
    TCarpetTexture t{name, r.width(), r.height(), {}};
    t.Pixels.reserve(size_t(r.width()) * size_t(r.height()));
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const uint32_t v = document.Picture().GetPixel(x, y);
            if (v < uint32_t(kLowestPile) || v > uint32_t(kHighestPile)) return false;
            t.Pixels.push_back(uint8_t(v));
        }
    out = std::move(t);
    return true;
}

TCarpetLibrary::TCarpetLibrary(const QString& folder, const QString& userFolder)
    : Folder(folder.isEmpty() ? JoinPath(Configuration.Texture, QStringLiteral("carpet")) : folder),
      UserFolder(userFolder.isEmpty() ? ConfigDirectory() + QStringLiteral("/Texture/carpet") : userFolder) {}

void TCarpetLibrary::Load() {
    std::map<QString, std::pair<TCarpetTexture, QString>> found; // by lower-case name; the user's win
    for (const QString& folder : {Folder, UserFolder}) {
        const QDir dir(folder);
        for (const QString& name :
             dir.entryList({QStringLiteral("*.ctx")}, QDir::Files, QDir::Name | QDir::IgnoreCase)) {
            TCarpetTexture t;
            if (ReadTextureFile(dir.filePath(name), t) == 0)
                found[name.toLower()] = {std::move(t), dir.filePath(name)};
        }
    }
    TexturesV.clear();
    Paths.clear();
    for (auto& [key, entry] : found) {
        TexturesV.push_back(std::move(entry.first));
        Paths.push_back(entry.second);
    }
}

QString TCarpetLibrary::WriteFolder() const {
    const QFileInfo shipped(Folder);
    if (shipped.isDir() && shipped.isWritable()) return Folder;
    QDir().mkpath(UserFolder);
    return UserFolder;
}

uint32_t TCarpetLibrary::Write(size_t index) {
    // A user texture stays the user's: written elsewhere, the old copy would still hide it.
    const bool user = QFileInfo(Paths[index]).absolutePath() == QFileInfo(UserFolder).absoluteFilePath();
    const QString path = user ? Paths[index] : QDir(WriteFolder()).filePath(TexturesV[index].Name);
    if (const uint32_t code = WriteTextureFile(path, TexturesV[index])) return code;
    Paths[index] = path;
    return 0;
}

uint32_t TCarpetLibrary::Save(int index, const TCarpetTexture& from) {
    if (index < 0 || index >= int(TexturesV.size())) return 0;
    TCarpetTexture changed = from;
    changed.Name = TexturesV[size_t(index)].Name;
    if (const uint32_t code = CheckTexture(changed)) return code;
    std::swap(TexturesV[size_t(index)], changed);
    const uint32_t code = Write(size_t(index));
    if (code) std::swap(TexturesV[size_t(index)], changed); // as it was
    return code;
}

uint32_t TCarpetLibrary::SaveAs(const QString& name, const TCarpetTexture& from, int* at) {
    TCarpetTexture t = from;
    t.Name =
        name.trimmed().contains(QLatin1Char('.')) ? name.trimmed() : name.trimmed() + QStringLiteral(".ctx");
    if (TextureStem(t.Name).isEmpty()) return ErrorCode::CannotCreateFile;
    if (t.Name.contains(QLatin1Char('/')) || t.Name.contains(QLatin1Char('\\')))
        return ErrorCode::CannotCreateFile;
    if (const uint32_t code = CheckTexture(t)) return code;
    auto same = std::find_if(TexturesV.begin(), TexturesV.end(), [&](const TCarpetTexture& o) {
        return o.Name.compare(t.Name, Qt::CaseInsensitive) == 0;
    });
    if (same != TexturesV.end()) {
        const int index = int(same - TexturesV.begin());
        if (at) *at = index;
        return Save(index, t);
    }
    const QString path = QDir(WriteFolder()).filePath(t.Name);
    if (const uint32_t code = WriteTextureFile(path, t)) return code;
    TexturesV.push_back(std::move(t));
    Paths.push_back(path);
    if (at) *at = int(TexturesV.size()) - 1;
    return 0;
}

uint32_t TCarpetLibrary::Delete(int index) {
    if (index < 0 || index >= int(TexturesV.size())) return 0;
    if (QFile::exists(Paths[size_t(index)]) && !QFile::remove(Paths[size_t(index)]))
        return ErrorCode::CannotWriteFile;
    TexturesV.erase(TexturesV.begin() + index);
    Paths.erase(Paths.begin() + index);
    return 0;
}
