#include "colour/Colorreport.h"

#include "shell/Exception.h"
#include "shell/Savefile.h"

#include <algorithm>

std::array<qint64, 256> IndexCounts(const TOrvaneBitmap& picture) {
    std::array<qint64, 256> counts{};
    if (picture.BitsPerPixel != 8) return counts;
    for (int y = 0; y < picture.Height; ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width; ++x)
            ++counts[row[x]];
    }
    return counts;
}

QString LibraryName(const TColorData& e) {
    static const char* const kNames[] = {"Normal Color", "PT 1000 Color", "PT Textile Color",
                                         "VM Standard Color", "VM Textile Color"};
    const int kind = e.Kind();
    QString name = kind > KindVMTextile           ? QStringLiteral("Normal Color")
                   : kind == KindNormal && e.Page ? QStringLiteral("Printer Color")
                                                  : QString::fromLatin1(kNames[kind]);
    return e.IsUser() ? QStringLiteral("User (%1)").arg(name) : name;
}

QString PrinterCode(int line, int column) {
    if (line < 1 || line > 1087) return QString();
    int page = 0, row = 0;
    if (line <= 540)
        page = (line - 1) / 15 + 1, row = (line - 1) % 15 + 1;
    else if (line <= 547)
        page = 37, row = line - 540;
    else
        page = (line - 548) / 15 + 38, row = (line - 548) % 15 + 1;
    return QString::asprintf("%02d-%02d:%02d", page, row, column);
}

QString EntryCodeText(const TColorData& e) {
    if (e.IsUser()) return QString::fromLocal8Bit(e.ColorName);
    if (e.Kind() == KindNormal) return e.Page ? PrinterCode(e.Page, e.Number) : QString();
    if (e.Kind() > KindVMTextile) return QString();
    return QStringLiteral("%1:%2").arg(e.Page).arg(e.Number);
}

std::vector<TColorReportRow> BuildColorReport(const TOrvaneBitmap& picture, const TPalette& palette, int dpi,
                                              const std::function<QString(const TColorData&)>& codeText) {
    const std::array<qint64, 256> counts = IndexCounts(picture);
    const double total = std::max(1.0, double(picture.Width) * picture.Height);
    const double dots = std::max(1, dpi);
    std::vector<TColorReportRow> rows;
    for (int i = 0; i < 256; ++i) {
        const qint64 n = counts[size_t(i)];
        if (!n) continue;
        const TColorData& e = palette[i];
        TColorReportRow r;
        r.Index = i;
        r.Pixels = n;
        r.Share = double(n) / total;
        r.SquareInch = double(n) / (dots * dots);
        r.SquareCm = r.SquareInch * 2.54 * 2.54;
        r.Library = LibraryName(e);
        r.Code = codeText ? codeText(e) : EntryCodeText(e);
        r.Red = e.Red(), r.Green = e.Green(), r.Blue = e.Blue();
        rows.push_back(r);
    }
    return rows;
}

namespace {

// Quoted for CSV; a text a spreadsheet would take for a formula gets a leading apostrophe.
QString Quoted(QString text) {
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text[0])) text.prepend(u'\'');
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

QByteArray ColorReportCsv(const std::vector<TColorReportRow>& rows) {
    QString out =
        QStringLiteral("index,red,green,blue,pixels,share_percent,area_cm2,area_in2,library,code\n");
    for (const TColorReportRow& r : rows)
        out += QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10\n")
                   .arg(r.Index)
                   .arg(r.Red)
                   .arg(r.Green)
                   .arg(r.Blue)
                   .arg(r.Pixels)
                   .arg(r.Share * 100, 0, 'f', 3)
                   .arg(r.SquareCm, 0, 'f', 4)
                   .arg(r.SquareInch, 0, 'f', 4)
                   .arg(Quoted(r.Library), Quoted(r.Code));
    return out.toUtf8();
}

uint32_t WriteColorReport(const QString& path, const std::vector<TColorReportRow>& rows) {
    return SaveFileSafely(path, ColorReportCsv(rows));
}
