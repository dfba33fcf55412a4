// info and dump: what a design, picture, carpet or texture file holds.
#include "Commands.h"
#include "shell/Document.h"
#include "shell/Exception.h"
#include "shell/File.h"
#include "shell/Filetypes.h"
#include "textile/Carpetfile.h"
#include "textile/Stripefile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <optional>

namespace {

struct TNativeRead {
    TDocumentHeader Header;
    TPalette Palette;
    TOrvaneBitmap Image;
    QByteArray FirstBytes;
    std::optional<TCarpetParts> Carpet; // carpet files with a carpet block
    std::optional<TStripeList> Stripes; // stripe files
};

bool IsStripeFile(const QString& path) {
    return path.endsWith(QLatin1String(".stp"), Qt::CaseInsensitive);
}

bool IsNative(const QString& path) {
    const int type = FileTypeOfName(path);
    return type >= TypeTex && type <= TypeKnt;
}

uint32_t ReadNative(const QString& path, bool topDown, bool withImage, TNativeRead& out) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ErrorCode::CannotOpenFile;
    out.FirstBytes = file.peek(2);
    if (const uint32_t code =
            ReadDocument(&file, out.Palette, out.Header, topDown, withImage ? &out.Image : nullptr))
        return code;
    if (IsStripeFile(path) && withImage) {
        TStripeList list;
        if (const uint32_t code = ReadStripeBlock(&file, out.FirstBytes == "PT", list)) return code;
        out.Stripes = std::move(list);
        return 0;
    }
    if (FileTypeOfName(path) != TypeCpt || !withImage) return 0;
    TCarpetParts carpet;
    bool present = false;
    if (const uint32_t code =
            ReadCarpetBlock(&file, QSize(out.Image.Width, out.Image.Height), carpet, present))
        return code;
    if (present) out.Carpet = std::move(carpet);
    return 0;
}

QString Sha256(const void* data, size_t size) {
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArrayView(static_cast<const char*>(data), qsizetype(size)),
                                 QCryptographicHash::Sha256)
            .toHex());
}

// name, size and the SHA-256 of the pixels in the order the files store them.
QJsonObject TextureJson(const TCarpetTexture& t) {
    return QJsonObject{{"name", t.Name},
                       {"width", t.Width},
                       {"height", t.Height},
                       {"pixels_sha256", Sha256(t.Pixels.data(), t.Pixels.size())}};
}

QJsonValue CarpetJson(const std::optional<TCarpetParts>& carpet) {
    if (!carpet) return QJsonValue(QJsonValue::Null);
    QJsonArray textures;
    for (const TCarpetTexture& t : carpet->Textures)
        textures.append(TextureJson(t));
    return QJsonObject{{"window_on", carpet->Window.On},
                       {"window_width", carpet->Window.Width},
                       {"window_height", carpet->Window.Height},
                       {"textures", textures}};
}

// The file's own stripes, the length of their sequence and the sequence.
void AddStripes(QJsonObject& out, const TStripeList& list) {
    QJsonArray stripes, sequence;
    for (const TStripe& s : list)
        stripes.append(QJsonObject{
            {"color", s.Color}, {"method", s.Method}, {"repeat", s.Repeat}, {"length", s.Length}});
    for (const uint8_t c : BuildSequence(list))
        sequence.append(c);
    out["stripes"] = stripes;
    out["sequence_length"] = qint64(SequenceLength(list));
    out["sequence"] = sequence;
}

int DumpTexture(const QString& path) {
    TCarpetTexture t;
    if (const uint32_t code = ReadTextureFile(path, t)) {
        std::printf("{\"error\": \"0x%08X\"}\n", code);
        return 1;
    }
    PrintJson(TextureJson(t));
    return 0;
}

bool DefaultTopDown(const QString& path) {
    const int type = FileTypeOfName(path);
    return type != TypeWea && type != TypeWav && type != TypeKnt;
}

QString Magic(const TNativeRead& r) {
    if (r.FirstBytes == "PT") return QStringLiteral("PT");
    return r.FirstBytes.size() >= 2 ? QString(QChar(uchar(r.FirstBytes[1]))) : QString();
}

QString PaperText(const TPaper& p) {
    const QString name = p.type == kPaperCustom ? QStringLiteral("custom") : PaperName(p.type);
    return QStringLiteral("%1 %2, %3 dpi, %4 x %5 dots")
        .arg(name, PaperIsLandscape(p) ? QStringLiteral("landscape") : QStringLiteral("portrait"))
        .arg(p.dpi)
        .arg(PaperWidth(p))
        .arg(PaperHeight(p));
}

void PrintNative(const QString& path, const TNativeRead& r) {
    const TDocumentHeader& h = r.Header;
    int library = 0, user = 0, protectedCount = 0;
    for (int i = 0; i < 256; ++i) {
        library += r.Palette[i].Kind() != KindNormal || r.Palette[i].Page != 0;
        user += r.Palette[i].IsUser();
        protectedCount += r.Palette[i].Protected();
    }
    const TFileTypeInfo* info = FileTypeInfo(FileTypeOfName(path));
    std::printf("%s\n", qPrintable(path));
    std::printf("  format       %s, %s version %d\n", info ? info->Description : "design file",
                qPrintable(Magic(r)), h.version);
    std::printf("  paper        %s\n", qPrintable(PaperText(h.paper)));
    std::printf("  depth        %d bits per pixel\n", h.bitsPerPixel);
    std::printf("  compression  %d (%s)\n", h.compression,
                h.compression == 2   ? "zlib"
                : h.compression == 1 ? "LZW"
                                     : "none");
    // A full-colour design keeps a palette, but no count of colours in use.
    const QString used = h.bitsPerPixel == 8 ? QStringLiteral("%1 used").arg(r.Palette.UseColor)
                                             : QStringLiteral("full colour");
    std::printf("  colours      %s; %d library, %d user, %d protected\n", qPrintable(used), library, user,
                protectedCount);
}

} // namespace

void PrintJson(const QJsonObject& out) {
    std::fputs(QJsonDocument(out).toJson(QJsonDocument::Indented).constData(), stdout);
}

QJsonArray PaletteJson(const TPalette& palette) {
    QJsonArray out;
    for (const TColorData& c : palette.Entries)
        out.append(QJsonObject{{"flags", c.Flags},
                               {"page", c.Page},
                               {"number", c.Number},
                               {"red", c.Red()},
                               {"green", c.Green()},
                               {"blue", c.Blue()},
                               {"file_name", c.IsUser() ? QString::fromLatin1(c.FileName) : QString()},
                               {"color_name", c.IsUser() ? QString::fromLatin1(c.ColorName) : QString()}});
    return out;
}

int CommandInfo(const QStringList& args) {
    if (args.isEmpty()) {
        std::fputs("usage: velmora-cli info FILE...\n", stderr);
        return 2;
    }
    int status = 0;
    for (const QString& path : args) {
        // What the program would not open is described by its refusal alone.
        TDesign design;
        if (OpenInput(path, 0, design)) {
            status = 1;
            continue;
        }
        if (IsNative(path)) {
            TNativeRead r;
            if (const uint32_t code = ReadNative(path, DefaultTopDown(path), false, r)) {
                status = Fail(code, path);
                continue;
            }
            PrintNative(path, r);
            continue;
        }
        const TOrvaneBitmap& picture = design.Image;
        std::printf("%s\n  format       picture file\n  size         %d x %d\n", qPrintable(path),
                    picture.Width, picture.Height);
        std::printf("  paper        %s\n", qPrintable(PaperText(design.Paper)));
        std::printf("  depth        %d bits per pixel in the file, %d after loading\n", picture.FileValue,
                    picture.BitsPerPixel);
    }
    return status;
}

int CommandDump(const QStringList& input) {
    QStringList args = input;
    const bool bottomUp = args.removeAll("--legacy-bottom-up") > 0;
    const bool json = args.removeAll("--json") > 0;
    QString count, library, section;
    if (!TakeOption(args, QStringLiteral("--library"), library)) args.clear();
    if (json && args.size() == 1 && !library.isEmpty()) return DumpLibrary(args[0], library);
    if (!json || !TakeOption(args, "--count", count) || !TakeOption(args, "--section", section) ||
        args.size() != 1) {
        std::fputs("usage: velmora-cli dump FILE --json [--legacy-bottom-up] [--section NAME]\n"
                   "       velmora-cli dump DATAFILE --json --count N\n"
                   "       velmora-cli dump TEXTUREDIR --json\n"
                   "       velmora-cli dump FILE.vmc|FILE.ptc --json --library NAME\n",
                   stderr);
        return 2;
    }
    const QString path = args[0];
    if (QFileInfo(path).isDir()) return DumpTextureDirectory(path);
    if (InputMissing(path)) return 1;
    if (!count.isEmpty()) return DumpWeaveFile(path, count);
    if (const int status = DumpColourFile(path, section); status >= 0) return status;
    if (path.endsWith(QLatin1String(".ctx"), Qt::CaseInsensitive)) return DumpTexture(path);
    TNativeRead r;
    const bool topDown = bottomUp ? false : DefaultTopDown(path);
    if (const uint32_t code = ReadNative(path, topDown, true, r)) {
        std::printf("{\"error\": \"0x%08X\"}\n", code);
        return 1;
    }
    const TDocumentHeader& h = r.Header;
    QJsonObject paper{{"type", h.paper.type},
                      {"orientation", h.paper.orientation},
                      {"dpi", h.paper.dpi},
                      {"width", h.paper.width},
                      {"height", h.paper.height}};
    const QJsonArray palette = PaletteJson(r.Palette);
    QCryptographicHash sha(QCryptographicHash::Sha256);
    const int rowBytes = r.Image.Width * (r.Image.BitsPerPixel / 8);
    for (int y = 0; y < r.Image.Height; ++y)
        sha.addData(QByteArrayView(reinterpret_cast<const char*>(r.Image.ScanLine(y)), rowBytes));
    QJsonObject out{{"magic", Magic(r)},
                    {"version", h.version},
                    {"paper", paper},
                    {"width", r.Image.Width},
                    {"height", r.Image.Height},
                    {"bits_per_pixel", r.Image.BitsPerPixel},
                    {"compression", h.compression},
                    {"palette", palette},
                    {"pixels_sha256", QString::fromLatin1(sha.result().toHex())}};
    if (r.Image.BitsPerPixel == 8) out["used_colors"] = r.Palette.UseColor;
    if (FileTypeOfName(path) == TypeCpt) out["carpet"] = CarpetJson(r.Carpet);
    if (r.Stripes) AddStripes(out, *r.Stripes);
    PrintJson(out);
    return 0;
}
