// The weave library from the command line: dumping data files and whole
// libraries, making the shipped library, and WIF round trips.
#include "Commands.h"
#include "shell/Exception.h"
#include "textile/Texture.h"
#include "textile/Weavelibrary.h"
#include "textile/Wif.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

QString Cells(const std::vector<uint8_t>& plane) {
    QString out(qsizetype(plane.size()), '0');
    for (size_t i = 0; i < plane.size(); ++i)
        if (plane[i]) out[qsizetype(i)] = '1';
    return out;
}

QJsonObject WeaveJson(const TTexBitData& w) {
    QJsonObject o{{"planes", w.Planes}, {"width", w.Width}, {"height", w.Height}, {"cells", Cells(w.Bits)}};
    if (w.Named) o["name"] = w.Name;
    if (w.HasDraft()) {
        o["shafts"] = w.Shafts;
        o["lift"] = Cells(w.Lift);
        o["threading"] = Cells(w.Threading);
    }
    return o;
}

QJsonArray WeavesJson(const std::vector<TTexBitData>& weaves) {
    QJsonArray out;
    for (const TTexBitData& w : weaves)
        out.append(WeaveJson(w));
    return out;
}

void Print(const QJsonObject& o) {
    std::fputs(QJsonDocument(o).toJson(QJsonDocument::Indented).constData(), stdout);
}

int Error(uint32_t code) {
    std::printf("{\"error\": \"0x%08X\"}\n", code);
    return 1;
}

} // namespace

int DumpWeaveFile(const QString& path, const QString& countText) {
    bool ok = false;
    const int count = countText.toInt(&ok);
    if (!ok || count < 0) return Fail(ErrorCode::NotANumber, countText);
    std::vector<TTexBitData> weaves;
    if (const uint32_t code = ReadWeaveFile(path, count, QString(), weaves)) return Error(code);
    Print(QJsonObject{{"weaves", WeavesJson(weaves)}});
    return 0;
}

int DumpTextureDirectory(const QString& path) {
    TTexture t;
    if (const uint32_t code = t.Load(path)) return Error(code);
    QJsonArray foundation, derivation, special;
    for (int type = 0; type < kWeaveTypes; ++type) {
        QJsonArray found, deriv;
        for (const TFoundGroup& g : t.Foundation[size_t(type)])
            found.append(QJsonObject{{"repeat", g.Repeat}, {"weaves", WeavesJson(g.Weaves)}});
        for (const TNamedGroup& g : t.Derivation[size_t(type)])
            deriv.append(QJsonObject{{"name", g.Name}, {"weaves", WeavesJson(g.Weaves)}});
        foundation.append(found);
        derivation.append(deriv);
    }
    for (const TNamedGroup& g : t.Special)
        special.append(QJsonObject{{"name", g.Name}, {"weaves", WeavesJson(g.Weaves)}});
    Print(QJsonObject{{"foundation", foundation}, {"derivation", derivation}, {"special", special}});
    return 0;
}

int CommandMakeWeaveLibrary(const QStringList& args) {
    if (args.size() != 1) {
        std::fputs("usage: velmora-cli make-weave-library DIR\n", stderr);
        return 2;
    }
    if (const uint32_t code = MakeWeaveLibrary().Save(args[0])) return Fail(code, args[0]);
    return 0;
}

int CommandWeave(const QStringList& args) {
    if (args.size() != 2) {
        std::fputs("usage: velmora-cli weave FILE.wif OUT.wif\n", stderr);
        return 2;
    }
    if (InputMissing(args[0])) return 1;
    TTexBitData weave;
    QString detail;
    if (const uint32_t code = ReadWif(args[0], weave, &detail))
        return Fail(code, detail.isEmpty() ? args[0] : args[0] + QStringLiteral(": ") + detail);
    if (const uint32_t code = WriteWif(args[1], weave)) return Fail(code, args[1]);
    return 0;
}
