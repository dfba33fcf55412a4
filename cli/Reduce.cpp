// reduce and colors: the Grouping tool's median cut and majority filter in batch,
// and the colours a 256-colour design uses.
#include "Commands.h"
#include "colour/Colorreport.h"
#include "colour/Grouping.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cstdio>

namespace {

int Usage(const char* usage) {
    std::fputs(usage, stderr);
    return 2;
}

} // namespace

int CommandReduce(const QStringList& input) {
    const char* const usage = "usage: velmora-cli reduce IN OUT --colors N [--filter 3|5|9]\n";
    QStringList args = input;
    QString colours, filter;
    if (!TakeOption(args, "--colors", colours) || !TakeOption(args, "--filter", filter) || args.size() != 2 ||
        colours.isEmpty())
        return Usage(usage);
    bool ok = false;
    const int n = colours.toInt(&ok);
    if (!ok || n < 1 || n > 250) return Usage(usage);
    if (!filter.isEmpty() && filter != "3" && filter != "5" && filter != "9") return Usage(usage);
    TDocument doc;
    if (const int status = OpenDocument(args[0], 8, doc)) return status; // full colour opens as 256
    doc.AttachUndo();
    if (GroupReduce(doc, n)) return 1;
    if (!filter.isEmpty() && GroupFilter(doc, filter.toInt(), 0, TChoiceColor())) return 1;
    const QFileInfo out(args[1]);
    if (const uint32_t code = doc.Save(out.absolutePath(), out.fileName(), 2, 0)) return Fail(code, args[1]);
    return 0;
}

int CommandColors(const QStringList& input) {
    QStringList args = input;
    if (args.removeAll("--json") == 0 || args.size() != 1)
        return Usage("usage: velmora-cli colors IN --json\n");
    TDocument doc;
    if (const int status = OpenDocument(args[0], 0, doc)) return status;
    if (doc.BitsPerPixel() != 8) return Fail(ErrorCode::DepthOfType, args[0]);
    const TOrvaneBitmap& picture = doc.Picture();
    const std::array<qint64, 256> counts = IndexCounts(picture);
    const double total = double(picture.Width) * picture.Height;
    QJsonArray used;
    for (int i = 0; i < 256; ++i) {
        if (!counts[size_t(i)]) continue;
        const TColorData& c = doc.Palette()[i];
        used.append(QJsonObject{{"index", i},
                                {"count", counts[size_t(i)]},
                                {"share", double(counts[size_t(i)]) / total},
                                {"rgb", QJsonArray{c.Red(), c.Green(), c.Blue()}}});
    }
    const QJsonObject out{{"width", picture.Width}, {"height", picture.Height}, {"colors", used}};
    PrintJson(out);
    return 0;
}
