#include "colour/Printercolor.h"

#include <QRegularExpression>

TPrinterColor::TPrinterColor() {
    for (int p = 1; p <= kPages; ++p)
        for (int r = 1; r <= Rows(p); ++r)
            for (int c = 1; c <= Columns(p); ++c) {
                int red, green, blue;
                HLSToRGB(Set(p, r, c), red, green, blue);
                Chips.push_back({uint8_t(p), uint8_t(r), uint8_t(c)});
                Nearest.Add(red, green, blue);
            }
}

bool TPrinterColor::Valid(int page, int row, int column) {
    return page >= 1 && page <= kPages && row >= 1 && row <= Rows(page) && column >= 1 &&
           column <= Columns(page);
}

THLS TPrinterColor::Set(int page, int row, int column) {
    const int p0 = page - 1, r0 = row - 1, c0 = column - 1;
    THLS hls;
    if (page <= 36) {
        hls.H = (p0 * 15 + r0) / 540.0 * 360;
        hls.S = 1 - r0 * 0.85 / 14;
        hls.L = c0 / 35.0;
    } else if (page == 37) {
        hls.H = r0 == 0 ? kUndefinedHue : (r0 - 1) * 60.0;
        hls.S = r0 == 0 ? 0 : 0.1;
        hls.L = c0 * 0.85 / 35 + 0.025;
    } else {
        hls.H = ((p0 - 37) * 15 + r0) / 540.0 * 360;
        hls.S = 1 - r0 * 0.85 / 14;
        hls.L = c0 * 0.3 / 12 + 0.7;
    }
    return hls;
}

uint32_t TPrinterColor::ColorOf(int page, int row, int column) const {
    if (!Valid(page, row, column)) return 0;
    int red, green, blue;
    HLSToRGB(Set(page, row, column), red, green, blue);
    return uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue);
}

int TPrinterColor::Line(int page, int row) {
    if (!Valid(page, row, 1)) return 0;
    const int p0 = page - 1, r0 = row - 1;
    if (page <= 36) return p0 * 15 + r0 + 1;
    if (page == 37) return 540 + r0 + 1;
    return (p0 - 37) * 15 + 547 + r0 + 1;
}

TPrinterPlace TPrinterColor::FromLine(int line, int c0) {
    TPrinterPlace place;
    if (line >= 1 && line <= 540)
        place = {(line - 1) / 15 + 1, (line - 1) % 15 + 1, c0 + 1};
    else if (line >= 541 && line <= 547)
        place = {37, line - 540, c0 + 1};
    else if (line >= 548 && line <= 1087)
        place = {(line - 548) / 15 + 38, (line - 548) % 15 + 1, c0 + 1};
    return Valid(place.Page, place.Row, place.Column) ? place : TPrinterPlace{};
}

QString TPrinterColor::CodeText(int line, int c0) {
    const TPrinterPlace p = FromLine(line, c0);
    if (!p.Found()) return QString();
    return QStringLiteral("%1-%2:%3").arg(p.Page).arg(p.Row).arg(p.Column);
}

TPrinterPlace TPrinterColor::Parse(const QString& text) {
    // Two digits in every field: a blank column is a code not yet typed in full.
    static const QRegularExpression mask(QStringLiteral("^(\\d\\d)-(\\d\\d):(\\d\\d)$"));
    const QRegularExpressionMatch m = mask.match(text);
    if (!m.hasMatch()) return {};
    const int page = m.captured(1).toInt(), row = m.captured(2).toInt(), column = m.captured(3).toInt();
    return Valid(page, row, column) ? TPrinterPlace{page, row, column} : TPrinterPlace{};
}

TPrinterPlace TPrinterColor::FindNearest(int red, int green, int blue, int* distance) const {
    const int i = Nearest.Find(red, green, blue, distance);
    if (i < 0) return {};
    const TChip& c = Chips[size_t(i)];
    return {c.Page, c.Row, c.Column};
}
