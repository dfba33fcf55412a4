#include "shell/Printpaint.h"

#include "raster/Workarea.h"
#include "shell/Exception.h"
#include "shell/Savefile.h"
#include "shell/Tdocument.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

TPrintJob PrintJobOf(const TDocument& doc, const TPrintSettings& settings,
                     const std::function<QString(const TColorData&)>& codeText) {
    TPrintJob job;
    const TOrvaneBitmap& picture = doc.Picture();
    job.Design.Picture = &picture;
    job.Design.Palette = picture.BitsPerPixel == 8 ? &doc.Palette() : nullptr;
    job.Design.Source = picture.Allocated() ? QRect(0, 0, picture.Width, picture.Height) : QRect();
    job.Dpi = doc.Paper().dpi;
    job.Settings = settings;
    job.Name = doc.FileName();
    const TWorkArea& area = doc.WorkArea();
    if (settings.WorkAreaOnly && area.On() && area.Mask()) {
        job.Design.Source = area.Bounds();
        job.Design.Mask = area.Mask();
        job.Design.MaskOrigin = area.Bounds().topLeft();
    }
    if (settings.ColourKey && picture.BitsPerPixel == 8)
        job.Key = BuildColorReport(picture, doc.Palette(), job.Dpi, codeText);
    return job;
}

namespace {

QRect PrintableRect(const QPagedPaintDevice& device) {
    return QRect(0, 0, device.width(), device.height());
}

void PaintMarks(QPainter& p, const TPrintPlan& plan, const TPrintSheet& sheet, const QString& name, int dpi) {
    const QRectF t = sheet.Target;
    const double margin = TileMargin(dpi), gap = margin * 0.2, len = margin * 0.6;
    p.save();
    p.setPen(QPen(Qt::black, std::max(1.0, dpi / 150.0)));
    // Crop marks: short lines outside each corner, in line with the design's edges.
    for (const QPointF& c : {t.topLeft(), t.topRight(), t.bottomLeft(), t.bottomRight()}) {
        const double dx = c.x() == t.left() ? -1 : 1, dy = c.y() == t.top() ? -1 : 1;
        p.drawLine(QPointF(c.x() + dx * gap, c.y()), QPointF(c.x() + dx * (gap + len), c.y()));
        p.drawLine(QPointF(c.x(), c.y() + dy * gap), QPointF(c.x(), c.y() + dy * (gap + len)));
    }
    // Registration marks where a neighbour's sheet ends (left, top) or begins (right, bottom).
    const double strip = plan.OverlapPixels * plan.Scale, r = len / 3;
    auto cross = [&](QPointF at) {
        p.drawEllipse(at, r, r);
        p.drawLine(at - QPointF(r * 1.5, 0), at + QPointF(r * 1.5, 0));
        p.drawLine(at - QPointF(0, r * 1.5), at + QPointF(0, r * 1.5));
    };
    const double above = t.top() - gap - r * 1.5, left = t.left() - gap - r * 1.5;
    if (sheet.Column > 0) cross(QPointF(t.left() + strip, above));
    if (sheet.Column + 1 < plan.Columns) cross(QPointF(t.right() - strip, above));
    if (sheet.Row > 0) cross(QPointF(left, t.top() + strip));
    if (sheet.Row + 1 < plan.Rows) cross(QPointF(left, t.bottom() - strip));
    QFont font = p.font();
    font.setPointSizeF(7);
    p.setFont(font);
    const QString label = QStringLiteral("row %1 / column %2").arg(sheet.Row + 1).arg(sheet.Column + 1);
    p.drawText(QRectF(t.left(), t.bottom() + gap, std::max(t.width(), len * 8), margin - gap),
               Qt::AlignLeft | Qt::AlignVCenter,
               name.isEmpty() ? label : label + QStringLiteral("   ") + name);
    p.restore();
}

} // namespace

void PaintColourKey(QPainter& p, const std::vector<TColorReportRow>& key, int first, int count,
                    const QRectF& area, int deviceDpi) {
    const double h = KeyEntryHeight(deviceDpi), w = KeyEntryWidth(deviceDpi);
    const int columns = std::max(1, int(area.width() / w)), rows = std::max(1, int(area.height() / h));
    p.save();
    QFont font = p.font();
    font.setPointSizeF(8);
    p.setFont(font);
    p.setPen(QPen(Qt::black, std::max(1.0, deviceDpi / 300.0)));
    for (int i = 0; i < count && first + i < int(key.size()); ++i) {
        const TColorReportRow& row = key[size_t(first + i)];
        const QPointF at(area.left() + (i / rows) * w, area.top() + (i % rows) * h);
        if (i / rows >= columns) break;
        const QRectF swatch(at.x(), at.y() + h * 0.1, h * 0.8, h * 0.8);
        p.fillRect(swatch, QColor(row.Red, row.Green, row.Blue));
        p.drawRect(swatch);
        const QString code = row.Code.isEmpty() ? row.Library : row.Library + QLatin1Char(' ') + row.Code;
        const QString text =
            QStringLiteral("%1  %2  %3 %").arg(row.Index - 1).arg(code).arg(row.Share * 100, 0, 'f', 2);
        p.drawText(QRectF(at.x() + h, at.y(), w - h * 1.1, h), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    p.restore();
}

TPrintPlan PlanJob(const TPrintJob& job, const QPagedPaintDevice& device) {
    return PlanPrint(job.Design.Source.size(), job.Dpi, PrintableRect(device), device.logicalDpiX(),
                     job.Settings, int(job.Key.size()));
}

uint32_t PaintPrint(QPagedPaintDevice& device, const TPrintJob& job, const TPrintProgress& progress) {
    if (!job.Design.Picture || !job.Design.Picture->Allocated() || job.Design.Source.isEmpty())
        return ErrorCode::NothingToPrint;
    const TPrintPlan plan = PlanJob(job, device);
    if (plan.Sheets.empty()) return ErrorCode::TooManySheets;
    QPainter p;
    if (!p.begin(&device)) return ErrorCode::Printing;
    const int dpi = device.logicalDpiX(), total = int(plan.Sheets.size());
    bool going = true;
    for (int i = 0; i < total && going; ++i) {
        const TPrintSheet& sheet = plan.Sheets[size_t(i)];
        if (i > 0 && !device.newPage()) going = false;
        if (going && !sheet.Source.isEmpty()) {
            TDesignPart part = job.Design;
            part.Source = sheet.Source.translated(job.Design.Source.topLeft());
            part.Target = sheet.Target;
            going = PaintDesignPart(p, part);
            if (plan.Layout == TPrintLayout::Tile && job.Settings.Marks)
                PaintMarks(p, plan, sheet, job.Name, dpi);
        }
        if (going && sheet.KeyCount > 0)
            PaintColourKey(p, job.Key, sheet.KeyFirst, sheet.KeyCount, sheet.KeyArea, dpi);
        if (going && progress) going = progress(i + 1, total);
    }
    const bool ended = p.end();
    return going && ended ? 0 : ErrorCode::Printing;
}

uint32_t WritePrintPdf(const QString& path, const TPrintJob& job, const QPageLayout& paper, int dpi,
                       const TPrintProgress& progress) {
    if (!job.Design.Picture || !job.Design.Picture->Allocated() || job.Design.Source.isEmpty())
        return ErrorCode::NothingToPrint;
    const uint32_t code = SaveFileSafely(path, [&](QIODevice* file) -> uint32_t {
        QPdfWriter writer(file);
        writer.setResolution(std::clamp(dpi, 72, 2400));
        writer.setPageLayout(paper);
        writer.setTitle(job.Name);
        writer.setCreator(QStringLiteral("Velmora Design CAD - Carpet"));
        return PaintPrint(writer, job, progress);
    });
    if (code == ErrorCode::CannotCreateFile || code == ErrorCode::CannotWriteFile)
        return ErrorCode::PdfNotWritten;
    return code;
}
