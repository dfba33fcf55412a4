// dump --library and nearest: what a colour library file holds, and the nearest
// library colours of an RGB colour.
#include "Commands.h"
#include "colour/Colorlibraries.h"
#include "shell/Common.h"
#include "shell/Exception.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<TColorLibrary> LibraryOfName(const QString& name) {
    if (name == "vm-standard") return std::make_unique<TStandardColor>();
    if (name == "vm-textile") return std::make_unique<TTextileColor>();
    if (name == "pantone-1000") return std::make_unique<TPantone1000>();
    if (name == "pantone-textile") return std::make_unique<TPantoneTextile>();
    return nullptr;
}

void Print(const QJsonDocument& doc) {
    std::fputs(doc.toJson(QJsonDocument::Indented).constData(), stdout);
}

QJsonObject ColorJson(int red, int green, int blue) {
    return QJsonObject{{"red", red}, {"green", green}, {"blue", blue}};
}

QJsonObject FoundJson(const QString& name, const QString& code, int page, int number, uint32_t rgb,
                      int distance) {
    QJsonObject o = ColorJson(int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF));
    o["library"] = name;
    o["code_text"] = code;
    o["page"] = page;
    o["number"] = number;
    o["distance"] = distance;
    return o;
}

// Three channels 0 .. 255 as "R,G,B".
bool ParseRgb(const QString& text, int rgb[3]) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3) return false;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        rgb[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || rgb[i] < 0 || rgb[i] > 255) return false;
    }
    return true;
}

} // namespace

int DumpLibrary(const QString& path, const QString& name) {
    const std::unique_ptr<TColorLibrary> library = LibraryOfName(name);
    if (!library) {
        std::fputs("velmora-cli: --library is vm-standard, vm-textile, pantone-1000 or pantone-textile\n",
                   stderr);
        return 2;
    }
    if (InputMissing(path)) return 1;
    if (const uint32_t code = library->Load(path)) {
        std::printf("{\"error\": \"0x%08X\"}\n", code);
        return 1;
    }
    QJsonArray pages;
    for (int p = 0; p < library->PageCount(); ++p) {
        QJsonArray records;
        for (const TLibraryColor& c : library->Page(p).Records) {
            QJsonObject r = ColorJson(c.Red, c.Green, c.Blue);
            r["slot"] = c.Slot;
            r["code_text"] = library->CodeText(c);
            r["name"] = QString::fromLatin1(c.Name);
            records.append(r);
        }
        pages.append(QJsonObject{{"page", library->Page(p).Number}, {"records", records}});
    }
    Print(QJsonDocument(QJsonObject{{"pages", pages}}));
    return 0;
}

int CommandNearest(const QStringList& input) {
    QStringList args = input;
    QString only;
    int rgb[3];
    if (!TakeOption(args, QStringLiteral("--library"), only) || args.size() != 1 || !ParseRgb(args[0], rgb) ||
        (!only.isEmpty() && only != "printer" && !LibraryOfName(only))) {
        std::fputs("usage: velmora-cli nearest R,G,B [--library printer|vm-standard|vm-textile|pantone-1000|"
                   "pantone-textile]\n",
                   stderr);
        return 2;
    }
    TColorLibraries libraries;
    libraries.Load(Configuration.Color, [](uint32_t code, const QString& path) { Fail(code, path); });
    QJsonArray found;
    if (only.isEmpty() || only == "printer") {
        int distance = 0;
        const TPrinterPlace at = libraries.Printer.FindNearest(rgb[0], rgb[1], rgb[2], &distance);
        const int line = TPrinterColor::Line(at.Page, at.Row);
        found.append(FoundJson(QStringLiteral("printer"), TPrinterColor::CodeText(line, at.Column - 1), line,
                               at.Column - 1, libraries.Printer.ColorOf(at.Page, at.Row, at.Column),
                               distance));
    }
    const std::pair<const char*, const TColorLibrary*> files[] = {{"vm-standard", &libraries.Standard},
                                                                  {"vm-textile", &libraries.Textile},
                                                                  {"pantone-1000", &libraries.Thousand},
                                                                  {"pantone-textile", &libraries.PTTextile}};
    for (const auto& [name, library] : files) {
        if (!only.isEmpty() && only != QLatin1String(name)) continue;
        int distance = 0;
        const TLibraryPlace at = library->FindNearest(rgb[0], rgb[1], rgb[2], &distance);
        if (!at.Found()) continue; // an empty library has no nearest colour
        const TLibraryColor& c = *library->Record(at.Page, at.Record);
        found.append(FoundJson(QLatin1String(name), library->CodeText(c), library->Page(at.Page).Number,
                               c.Slot & 0xFF, c.Rgb(), distance));
    }
    Print(QJsonDocument(found));
    return 0;
}
