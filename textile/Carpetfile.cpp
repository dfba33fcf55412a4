#include "textile/Carpetfile.h"

#include "platform/Inifile.h"
#include "platform/Lereader.h"
#include "shell/Exception.h"
#include "shell/File.h"
#include "shell/Paper.h"
#include "shell/Savefile.h"
#include "textile/Carpet.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <limits>

namespace {

constexpr uint16_t kTextureVersion = 100;
constexpr int kNameField = 13;
constexpr qint64 kSmallestTexture = kNameField + 4 + 1;

void Put16(QByteArray& out, int v) {
    const auto u = uint16_t(int16_t(v));
    out.append(char(u & 0xFF)).append(char(u >> 8));
}

void Put32(QByteArray& out, int v) {
    const auto u = uint32_t(v);
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((u >> shift) & 0xFF));
}

// Width, height and pixels of a texture; false when the sizes are below 1 or
// larger than the rest of the file.
bool ReadPixels(TLeReader& in, TCarpetTexture& t) {
    const int w = int16_t(in.U16()), h = int16_t(in.U16());
    if (!in.ok() || w < 1 || h < 1 || !in.Require(uint64_t(w) * uint64_t(h))) return false;
    t.Width = w, t.Height = h;
    t.Pixels.resize(size_t(w) * size_t(h));
    return in.Read(t.Pixels.data(), qint64(t.Pixels.size()));
}

QByteArray TextureBytes(const TCarpetTexture& t) {
    QByteArray out;
    Put16(out, t.Width);
    Put16(out, t.Height);
    out.append(reinterpret_cast<const char*>(t.Pixels.data()), qsizetype(t.Pixels.size()));
    return out;
}

QByteArray CarpetBlock(const TCarpetWindow& window, const std::vector<TCarpetTexture>& textures) {
    QByteArray out;
    out.append(char(window.On ? 1 : 0)).append(3, '\0');
    Put32(out, window.Width);
    Put32(out, window.Height);
    Put32(out, int(textures.size()));
    for (const TCarpetTexture& t : textures) {
        QByteArray name = t.Name.toLatin1().left(kTextureNameLength);
        name.append(kNameField - name.size(), '\0');
        out.append(name).append(TextureBytes(t));
    }
    return out;
}

uint32_t ReadBlock(TLeReader& in, QSize image, TCarpetParts& out) {
    const bool on = in.U8() != 0;
    in.Skip(3);
    const int w = in.I32(), h = in.I32(), n = in.I32();
    if (!in.ok() || n < 0 || !in.Require(uint64_t(n) * kSmallestTexture)) return ErrorCode::BadFile;
    // The window the file gives, held to the picture it came with.
    out.Window = TCarpetWindow{on, w > 0 ? std::min(w, image.width()) : image.width(),
                               h > 0 ? std::min(h, image.height()) : image.height()};
    for (int i = 0; i < n; ++i) {
        char name[kNameField];
        in.Read(name, kNameField);
        TCarpetTexture t;
        t.Name = QString::fromLatin1(name, int(std::find(name, name + kTextureNameLength, '\0') - name));
        if (!ReadPixels(in, t)) return ErrorCode::BadFile;
        out.Textures.push_back(std::move(t));
    }
    return 0;
}

} // namespace

uint32_t ReadCarpetBlock(QIODevice* file, QSize picture, TCarpetParts& carpet, bool& present) {
    TLeReader in(file);
    TCarpetParts read;
    read.Window = TCarpetWindow{false, picture.width(), picture.height()};
    present = !file->atEnd();
    if (present)
        if (const uint32_t code = ReadBlock(in, picture, read)) return code;
    carpet = std::move(read);
    return 0;
}

QString TextureStem(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

uint32_t CheckTexture(const TCarpetTexture& t) {
    if (t.Name.size() > kTextureNameLength) return ErrorCode::LongTextureName;
    if (!ValidCarpetTexture(t) || t.Width > std::numeric_limits<int16_t>::max() ||
        t.Height > std::numeric_limits<int16_t>::max())
        return ErrorCode::BadCarpetSize;
    return 0;
}

uint32_t ReadTextureFile(const QString& path, TCarpetTexture& texture) {
    const QString name = QFileInfo(path).fileName();
    if (name.size() > kTextureNameLength) return ErrorCode::LongTextureName;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ErrorCode::CannotOpenFile;
    TLeReader in(&file);
    in.Skip(4); // "PT" and the version are not tested
    TCarpetTexture t;
    t.Name = name;
    if (!ReadPixels(in, t)) return ErrorCode::BadFile;
    texture = std::move(t);
    return 0;
}

uint32_t WriteTextureFile(const QString& path, const TCarpetTexture& texture) {
    if (const uint32_t code = CheckTexture(texture)) return code;
    QByteArray bytes("PT");
    Put16(bytes, kTextureVersion);
    bytes.append(TextureBytes(texture));
    return SaveFileSafely(path, bytes);
}

uint32_t WriteCarpetFile(const QString& path, int compression, TDesignRef design,
                         const TCarpetParts& carpet) {
    const TOrvaneBitmap& image = design.Image;
    if (!image.Allocated() || image.BitsPerPixel != 8) return ErrorCode::CannotWriteFile;
    if (compression != 0 && compression != 2) return ErrorCode::CannotWriteFile;
    const QRect whole(0, 0, image.Width, image.Height);
    const QRect area =
        QRect(0, image.Height - carpet.Window.Height, carpet.Window.Width, carpet.Window.Height)
            .intersected(whole);
    if (area.isEmpty()) return ErrorCode::BadCarpetSize;
    for (const TCarpetTexture& t : carpet.Textures)
        if (const uint32_t code = CheckTexture(t)) return code;
    TDocumentHeader header;
    header.paper = design.Paper;
    SetPaper(header.paper, kPaperCustom, area.width(), area.height());
    header.bitsPerPixel = 8;
    header.compression = uint8_t(compression);
    TOrvaneBitmap thumbnail;
    if (const uint32_t code = MakeThumbnail(thumbnail, image, 0, area)) return code;
    const QByteArray block =
        CarpetBlock(TCarpetWindow{carpet.Window.On, area.width(), area.height()}, carpet.Textures);
    return SaveFileSafely(path, [&](QIODevice* file) -> uint32_t {
        const bool written =
            WriteDocument(file, design.Palette, header, area != whole ? &area : nullptr, &image, thumbnail) &&
            file->write(block) == block.size();
        return written ? 0 : ErrorCode::CannotWriteFile;
    });
}

uint32_t ReadCarpetFile(const QString& path, TDesignRef design, TCarpetParts& carpet) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ErrorCode::CannotOpenFile;
    TOrvaneBitmap image;
    TPalette palette;
    TDocumentHeader header;
    if (const uint32_t code = ReadDocument(&file, palette, header, true, &image)) return code;
    if (image.BitsPerPixel != 8) return ErrorCode::BadFile;
    TCarpetParts read;
    read.Window = TCarpetWindow{false, image.Width, image.Height};
    bool present = false;
    const bool current =
        std::equal(header.magic, header.magic + 2, "PT") && header.version >= kDocumentVersion;
    if (current)
        if (const uint32_t code = ReadCarpetBlock(&file, QSize(image.Width, image.Height), read, present))
            return code;
    design.Image.TakeFrom(image);
    design.Palette = palette;
    design.Paper = header.paper;
    carpet = std::move(read);
    return 0;
}

QStringList ReadCarpetIni(const QString& path) {
    const TIniFile ini(path);
    const int count =
        std::clamp(ini.ReadInteger(QStringLiteral("Count"), QStringLiteral("cnt"), 0), 0, 10000);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString name = ini.ReadString(QString::number(i), QStringLiteral("name"), QString());
        if (!name.isEmpty()) names << name;
    }
    return names;
}

bool WriteCarpetIni(const QString& path, const std::vector<TCarpetTexture>& textures) {
    TIniFile ini(path);
    const int old = ini.ReadInteger(QStringLiteral("Count"), QStringLiteral("cnt"), 0);
    for (int i = 0; i < std::clamp(old, 0, 10000); ++i)
        ini.EraseSection(QString::number(i));
    ini.WriteInteger(QStringLiteral("Count"), QStringLiteral("cnt"), int(textures.size()));
    for (size_t i = 0; i < textures.size(); ++i)
        ini.WriteString(QString::number(i), QStringLiteral("name"), textures[i].Name);
    return ini.UpdateFile();
}
