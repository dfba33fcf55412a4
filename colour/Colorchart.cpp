#include "colour/Colorchart.h"

#include "colour/Colorref.h"
#include "colour/Librarypages_print.h"
#include "shell/Exception.h"
#include "shell/Stringtable.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

TChartLayout::TChartLayout(const QRect& area, int labelWidth)
    : Area(area), LabelWidth(std::clamp(labelWidth, 0, std::max(0, area.width() - kColumns))),
      CellW(double(area.width() - LabelWidth) / kColumns), CellH(double(area.height()) / kRows) {}

QRect TChartLayout::CellRect(int index) const {
    if (index < 1 || index > kLastIndex) return {};
    const int k = index - 1, row = k / kColumns, column = k % kColumns;
    const int left = Area.left() + LabelWidth + int(column * CellW);
    const int right = Area.left() + LabelWidth + int((column + 1) * CellW);
    const int top = Area.top() + int(row * CellH), bottom = Area.top() + int((row + 1) * CellH);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect TChartLayout::LabelRect(int row) const {
    return QRect(Area.left(), Area.top() + int(row * CellH), LabelWidth,
                 int((row + 1) * CellH) - int(row * CellH));
}

int TChartLayout::IndexAt(const QPoint& point) const {
    const int x = point.x() - Area.left() - LabelWidth, y = point.y() - Area.top();
    if (x < 0 || y < 0 || CellW <= 0 || CellH <= 0) return -1;
    const int column = int(x / CellW), row = int(y / CellH);
    if (column >= kColumns || row >= kRows) return -1;
    const int index = row * kColumns + column + 1;
    return index <= kLastIndex ? index : -1;
}

QString ChartRowLabel(int row, const QString& format) {
    const int first = row * TChartLayout::kColumns;
    const int last = std::min(first + TChartLayout::kColumns - 1, TChartLayout::kLastIndex - 1);
    return FillPlaces(format, {QString::number(first), QString::number(last)});
}

void PaintColorChart(QPainter& painter, const TChartLayout& layout, const TPalette& palette,
                     const QString& rowFormat, int marked) {
    painter.save();
    for (int row = 0; row < TChartLayout::kRows; ++row)
        painter.drawText(layout.LabelRect(row), Qt::AlignVCenter | Qt::AlignLeft,
                         ChartRowLabel(row, rowFormat));
    for (int index = 1; index <= TChartLayout::kLastIndex; ++index) {
        const QRect cell = layout.CellRect(index).adjusted(1, 1, -1, -1);
        const TColorData& e = palette[index];
        painter.fillRect(cell, ToQColor(e.ColorRef()));
        painter.setPen(QPen(Qt::black, index == marked ? 3 : 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell);
    }
    painter.restore();
}

QString EntryLabel(const TColorData& e, const TStringTable& texts) {
    if (e.IsUser())
        return QStringLiteral("[%1]  %2")
            .arg(QString::fromLocal8Bit(e.FileName), QString::fromLocal8Bit(e.ColorName));
    const QString code = QStringLiteral("%1-%2").arg(e.Page).arg(e.Number);
    auto withCode = [&](int textIndex) { return FillPlaces(texts.Get(textIndex), {code}); };
    if (e.Kind() == KindNormal) {
        if (e.Page == 0)
            return FillPlaces(texts.Get(42), {QString::number(e.Red()), QString::number(e.Green()),
                                              QString::number(e.Blue())});
        return withCode(43);
    }
    return withCode(43 + std::clamp(e.Kind(), 1, 4));
}

uint32_t PaintColorChartPage(QPagedPaintDevice& device, const TPalette& palette, const QString& title,
                             const QString& rowFormat) {
    QPainter p;
    if (!p.begin(&device)) return ErrorCode::Printing;
    const QRectF rest = PaintPageTitle(p, QRectF(0, 0, device.width(), device.height()), title, 14);
    QFont body = p.font();
    body.setPointSize(8);
    p.setFont(body);
    const int labelWidth = p.fontMetrics().horizontalAdvance(QStringLiteral("000 -> 000 "));
    const int side = int(std::min(rest.width(), rest.height()));
    PaintColorChart(p, TChartLayout(QRect(int(rest.left()), int(rest.top()), side, side), labelWidth),
                    palette, rowFormat, -1);
    return p.end() ? 0 : ErrorCode::Printing;
}
