// dump of palette files, user colour libraries and colour sets; palette, report.
#include "Commands.h"
#include "colour/Colorlibraries.h"
#include "colour/Colorreport.h"
#include "colour/Colorset.h"
#include "colour/Gimppalette.h"
#include "colour/Palettefile.h"
#include "colour/Usercolor.h"
#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <cstdio>

namespace {

bool HasSuffix(const QString& path, const char* suffix) {
    return QFileInfo(path).suffix().compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0;
}

int PrintError(uint32_t code) {
    std::printf("{\"error\": \"0x%08X\"}\n", code);
    return 1;
}

int DumpPalette(const QString& path) {
    TPalette palette;
    palette.SetDefault();
    if (!LoadPaletteFile(path, palette)) return PrintError(ErrorCode::BadFile);
    PrintJson(QJsonObject{{"palette", PaletteJson(palette)}});
    return 0;
}

int DumpUserColors(const QString& path) {
    TUserColorList list;
    if (const uint32_t code = ReadUserColors(path, list)) return PrintError(code);
    QJsonArray colors;
    for (const TUserColor& c : list)
        colors.append(QJsonObject{{"name", QString::fromLocal8Bit(c.Name)},
                                  {"kind", c.Kind},
                                  {"page", c.Page},
                                  {"number", c.Number},
                                  {"red", c.Red},
                                  {"green", c.Green},
                                  {"blue", c.Blue}});
    PrintJson(QJsonObject{{"colors", colors}});
    return 0;
}

int DumpColorSet(const QString& path, const QString& section) {
    const TIniFile ini(path);
    TChoiceColor set;
    LoadColorSet(ini, section, set);
    QJsonArray colors;
    for (int k = 0; k < set.Count(); ++k) {
        const TColorData& c = set.EntryAt(k);
        colors.append(QJsonObject{{"flags", c.Flags},
                                  {"page", c.Page},
                                  {"number", c.Number},
                                  {"red", c.Red()},
                                  {"green", c.Green()},
                                  {"blue", c.Blue()},
                                  {"file_name", QString::fromLocal8Bit(c.FileName)},
                                  {"color_name", QString::fromLocal8Bit(c.ColorName)},
                                  {"code", set.IndexAt(k)}});
    }
    PrintJson(QJsonObject{{"colors", colors}});
    return 0;
}

} // namespace

int DumpColourFile(const QString& path, const QString& section) {
    if (!section.isEmpty()) return DumpColorSet(path, section);
    if (HasSuffix(path, "fcr")) return DumpPalette(path);
    if (HasSuffix(path, "ucl")) return DumpUserColors(path);
    return -1;
}

int CommandPalette(const QStringList& args) {
    const bool toGimp = args.size() == 2 && HasSuffix(args[0], "fcr") && HasSuffix(args[1], "gpl");
    const bool fromGimp = args.size() == 2 && HasSuffix(args[0], "gpl") && HasSuffix(args[1], "fcr");
    if (!toGimp && !fromGimp) {
        std::fputs("usage: velmora-cli palette IN.fcr OUT.gpl | palette IN.gpl OUT.fcr\n", stderr);
        return 2;
    }
    if (InputMissing(args[0])) return 1;
    TPalette palette;
    palette.SetDefault();
    if (toGimp) {
        if (!LoadPaletteFile(args[0], palette)) return Fail(ErrorCode::BadFile, args[0]);
        const uint32_t code = WriteGimpPalette(args[1], palette, QFileInfo(args[0]).completeBaseName());
        return code ? Fail(code, args[1]) : 0;
    }
    if (const uint32_t code = ReadGimpPalette(args[0], palette)) return Fail(code, args[0]);
    const uint32_t code = SavePaletteFile(args[1], palette);
    return code ? Fail(code, args[1]) : 0;
}

int CommandReport(const QStringList& input) {
    QStringList args = input;
    if (args.removeAll("--csv") == 0 || args.size() != 1) {
        std::fputs("usage: velmora-cli report DESIGN --csv\n", stderr);
        return 2;
    }
    TDocument doc;
    if (const int status = OpenDocument(args[0], 0, doc)) return status;
    if (doc.BitsPerPixel() != 8) return Fail(ErrorCode::DepthOfType, args[0]);
    TColorLibraries libraries; // a library that cannot be read only leaves its codes out
    libraries.Load(Configuration.Color);
    const auto code = [&](const TColorData& entry) {
        const QString text = libraries.CodeOf(entry);
        return text.isEmpty() ? EntryCodeText(entry) : text;
    };
    const QByteArray csv =
        ColorReportCsv(BuildColorReport(doc.Picture(), doc.Palette(), doc.Paper().dpi, code));
    std::fwrite(csv.constData(), 1, size_t(csv.size()), stdout);
    return 0;
}
