#include "textile/Wif.h"

#include "platform/Lereader.h"
#include "shell/Exception.h"
#include "shell/Savefile.h"

#include <QFile>
#include <QMap>

namespace {

using TSection = QMap<QString, QString>; // key (lower case) -> value
using TSections = QMap<QString, TSection>;

// Sections and keys are matched without regard to case; ';' starts a comment line.
TSections Parse(const QByteArray& text) {
    TSections out;
    QString section;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.isEmpty() || line.startsWith(';')) continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            section = line.mid(1, line.size() - 2).trimmed().toUpper();
            out[section];
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq > 0 && !section.isEmpty())
            out[section][line.left(eq).trimmed().toLower()] = line.mid(eq + 1).trimmed();
    }
    return out;
}

// A number from 1 to limit, else 0.
int Number(const QString& text, int limit) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok && v >= 1 && v <= limit ? v : 0;
}

// The numbered lines of section as lists of numbers 1 .. limit; false for a bad entry.
bool Lists(const TSection& section, int lines, int limit, std::vector<std::vector<int>>& out) {
    out.assign(size_t(lines), {});
    for (auto it = section.begin(); it != section.end(); ++it) {
        const int line = Number(it.key(), lines);
        if (!line) return false;
        for (const QString& item : it.value().split(',', Qt::SkipEmptyParts)) {
            const int v = Number(item, limit);
            if (!v) return false;
            out[size_t(line - 1)].push_back(v);
        }
    }
    return true;
}

QString Join(const std::vector<int>& numbers) {
    QStringList items;
    for (int n : numbers)
        items << QString::number(n);
    return items.join(',');
}

} // namespace

QByteArray WifBytes(const TTexBitData& source) {
    TTexBitData w = source;
    if (!w.HasDraft()) MakeDraft(w);
    QString out;
    const auto line = [&out](const QString& text) { out += text + "\r\n"; };
    line("[WIF]");
    line("Version=1.1");
    line("Date=April 20, 1997");
    line("Developers=wif@mhsoft.com");
    line("Source Program=Velmora Design CAD");
    line("[CONTENTS]");
    for (const char* s : {"COLOR PALETTE", "TEXT", "WEAVING", "WARP", "WEFT", "COLOR TABLE", "THREADING",
                          "TIEUP", "TREADLING", "LIFTPLAN"})
        line(QString::fromLatin1(s) + "=true");
    line("[TEXT]");
    line("Title=" + w.Name);
    line("[COLOR PALETTE]");
    line("Entries=2");
    line("Range=0,255");
    line("[COLOR TABLE]");
    line("1=255,255,255");
    line("2=0,0,0");
    line("[WEAVING]");
    line(QStringLiteral("Shafts=%1").arg(w.Shafts));
    line(QStringLiteral("Treadles=%1").arg(w.Shafts));
    line("Rising Shed=true");
    line("[WARP]");
    line(QStringLiteral("Threads=%1").arg(w.Width));
    line("Color=1");
    line("[WEFT]");
    line(QStringLiteral("Threads=%1").arg(w.Height));
    line("Color=2");
    line("[THREADING]");
    for (int x = 0; x < w.Width; ++x) {
        std::vector<int> shafts;
        for (int s = 0; s < w.Shafts; ++s)
            if (w.Threading[size_t(s) * size_t(w.Width) + size_t(x)]) shafts.push_back(s + 1);
        if (!shafts.empty()) line(QStringLiteral("%1=%2").arg(x + 1).arg(Join(shafts)));
    }
    line("[TIEUP]");
    for (int s = 1; s <= w.Shafts; ++s)
        line(QStringLiteral("%1=%1").arg(s));
    QString lift;
    for (int y = 0; y < w.Height; ++y) {
        std::vector<int> shafts;
        for (int s = 0; s < w.Shafts; ++s)
            if (w.Lift[size_t(y) * size_t(w.Shafts) + size_t(s)]) shafts.push_back(s + 1);
        if (!shafts.empty()) lift += QStringLiteral("%1=%2\r\n").arg(y + 1).arg(Join(shafts));
    }
    line("[TREADLING]");
    out += lift;
    line("[LIFTPLAN]");
    out += lift;
    return out.toLatin1();
}

uint32_t ParseWif(const QByteArray& text, TTexBitData& out, QString* detail) {
    const TSections s = Parse(text);
    const auto refuse = [detail](const QString& why) {
        if (detail) *detail = why;
        return ErrorCode::BadFile;
    };
    for (const char* name : {"WIF", "WEAVING", "WARP", "WEFT", "THREADING"})
        if (!s.contains(name)) return refuse(QStringLiteral("no [%1] section").arg(name));
    const bool liftPlan = s.contains("LIFTPLAN");
    if (!liftPlan && !s.contains("TIEUP")) return refuse(QStringLiteral("no [LIFTPLAN] or [TIEUP] section"));
    if (!liftPlan && !s.contains("TREADLING")) return refuse(QStringLiteral("no [TREADLING] section"));
    TTexBitData w;
    w.Width = Number(s["WARP"].value("threads"), kMaxWeaveSide);
    w.Height = Number(s["WEFT"].value("threads"), kMaxWeaveSide);
    w.Shafts = Number(s["WEAVING"].value("shafts"), kMaxWeaveSide);
    const int treadles = liftPlan ? 0 : Number(s["WEAVING"].value("treadles"), kMaxWeaveSide);
    if (!w.Width) return refuse(QStringLiteral("[WARP] Threads"));
    if (!w.Height) return refuse(QStringLiteral("[WEFT] Threads"));
    if (!w.Shafts) return refuse(QStringLiteral("[WEAVING] Shafts"));
    if (!liftPlan && !treadles) return refuse(QStringLiteral("[WEAVING] Treadles"));
    std::vector<std::vector<int>> threading, picks;
    if (!Lists(s["THREADING"], w.Width, w.Shafts, threading)) return refuse(QStringLiteral("[THREADING]"));
    if (liftPlan) {
        if (!Lists(s["LIFTPLAN"], w.Height, w.Shafts, picks)) return refuse(QStringLiteral("[LIFTPLAN]"));
    } else {
        std::vector<std::vector<int>> tieup, treadling;
        if (!Lists(s["TIEUP"], treadles, w.Shafts, tieup)) return refuse(QStringLiteral("[TIEUP]"));
        if (!Lists(s["TREADLING"], w.Height, treadles, treadling))
            return refuse(QStringLiteral("[TREADLING]"));
        picks.assign(size_t(w.Height), {});
        for (int y = 0; y < w.Height; ++y)
            for (int t : treadling[size_t(y)])
                for (int shaft : tieup[size_t(t - 1)])
                    picks[size_t(y)].push_back(shaft);
    }
    const bool rising = s["WEAVING"].value("rising shed", "true").toLower() != "false";
    w.Name = s["TEXT"].value("title").left(kWeaveNameSize - 1);
    w.Named = true;
    w.Planes = 1;
    w.Threading.assign(size_t(w.Shafts) * size_t(w.Width), 0);
    w.Lift.assign(size_t(w.Shafts) * size_t(w.Height), 0);
    for (int x = 0; x < w.Width; ++x)
        for (int shaft : threading[size_t(x)])
            w.Threading[size_t(shaft - 1) * size_t(w.Width) + size_t(x)] = 1;
    for (int y = 0; y < w.Height; ++y)
        for (int shaft : picks[size_t(y)])
            w.Lift[size_t(y) * size_t(w.Shafts) + size_t(shaft - 1)] = 1;
    w.Bits.assign(size_t(w.Width) * size_t(w.Height), rising ? 0 : 1);
    for (int y = 0; y < w.Height; ++y)
        for (int x = 0; x < w.Width; ++x)
            for (int shaft : threading[size_t(x)])
                if (w.Lift[size_t(y) * size_t(w.Shafts) + size_t(shaft - 1)])
                    w.Bits[size_t(y) * size_t(w.Width) + size_t(x)] = rising ? 1 : 0;
    out = std::move(w);
    return 0;
}

uint32_t ReadWif(const QString& path, TTexBitData& out, QString* detail) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ErrorCode::CannotOpenFile;
    // A draft of the largest weave takes well under this.
    constexpr qint64 kMaxWifBytes = 64 << 20;
    QByteArray text;
    if (!ReadAllBounded(&file, kMaxWifBytes, text)) {
        if (detail) *detail = QStringLiteral("file too large");
        return ErrorCode::BadFile;
    }
    return ParseWif(text, out, detail);
}

uint32_t WriteWif(const QString& path, const TTexBitData& weave) {
    return SaveFileSafely(path, WifBytes(weave));
}
