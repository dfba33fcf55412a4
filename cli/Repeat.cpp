// repeat: the Repeat tool's engine over a whole design in batch.
#include "tools/Repeat.h"
#include "Commands.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <QFileInfo>
#include <cstdio>

namespace {

const char* const kRepeatUsage =
    "usage: velmora-cli repeat IN OUT --tile L,T,W,H [--type normal|half-drop-ver|"
    "half-drop-hor] [--drop PIXELS|N/D] [--superimpose 0|1|2] [--size-limit X,Y]\n";

// count comma-separated integers; false when text is not that.
bool Ints(const QString& text, int count, int* out) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count) return false;
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        out[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return false;
    }
    return true;
}

int Usage() {
    std::fputs(kRepeatUsage, stderr);
    return 2;
}

} // namespace

int CommandRepeat(const QStringList& input) {
    QStringList args = input;
    QString tile, type = QStringLiteral("normal"), drop = QStringLiteral("0"), mode = QStringLiteral("0"),
                  limit;
    if (!TakeOption(args, "--tile", tile) || !TakeOption(args, "--type", type) ||
        !TakeOption(args, "--drop", drop) || !TakeOption(args, "--superimpose", mode) ||
        !TakeOption(args, "--size-limit", limit) || args.size() != 2 || tile.isEmpty())
        return Usage();
    TRepeatSettings s;
    int t[4], counts[2] = {1, 1};
    if (!Ints(tile, 4, t) || (!limit.isEmpty() && !Ints(limit, 2, counts))) return Usage();
    s.Tile = QRect(t[0], t[1], t[2], t[3]);
    const QStringList types = {"normal", "half-drop-ver", "half-drop-hor"};
    s.Function = int(types.indexOf(type));
    if (s.Function < 0 || (mode != "0" && mode != "1" && mode != "2")) return Usage();
    s.Rule.Mode = mode.toInt();
    s.SizeLimit = !limit.isEmpty();
    // Counts outside 1 .. 9999 are refused rather than silently changed.
    if (s.SizeLimit &&
        (counts[0] < 1 || counts[0] > kRepeatCountMax || counts[1] < 1 || counts[1] > kRepeatCountMax))
        return Usage();
    s.CountX = counts[0], s.CountY = counts[1];

    TDocument doc;
    if (const int status = OpenDocument(args[0], 0, doc)) return status;
    const QFileInfo out(args[1]);
    if (const uint32_t code = CheckTile(s.Tile, doc.Bounds().size())) return Fail(code, tile);
    if (drop.contains(QLatin1Char('/'))) {
        const int along = s.Function == RepeatHalfDropHor ? s.Tile.width() : s.Tile.height();
        if (const uint32_t code = DropOfFraction(drop, along, s.Drop)) return Fail(code, drop);
    } else {
        bool ok = false;
        s.Drop = drop.toInt(&ok);
        if (!ok) return Fail(ErrorCode::NotANumber, drop);
    }
    doc.AttachUndo();
    // With the size limit the repeat runs right and down from the tile.
    const QRect area = ApplyRect(s, doc.Bounds().size(), s.Tile.center());
    if (const uint32_t code = ApplyRepeat(doc, s, area)) return Fail(code);
    if (const uint32_t code = doc.Save(out.absolutePath(), out.fileName(), 2, 0)) return Fail(code, args[1]);
    return 0;
}
