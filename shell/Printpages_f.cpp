#include "shell/Printpages_f.h"

#include "colour/Librarypages_print.h"
#include "shell/Exception.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

void PreviewPages(QWidget* parent, const QString& job,
                  const std::function<uint32_t(QPagedPaintDevice&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(job);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(job);
    bool reported = false; // the preview repaints often: say a failure once
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* device) {
        const uint32_t code = paint(*device);
        if (code && !reported) ReportError(code);
        reported = reported || code;
    });
    preview.exec();
}

void PreviewBook(QWidget* parent, const TChipBook& book) {
    PreviewPages(parent, book.Job,
                 [&book](QPagedPaintDevice& device) { return PaintChipBook(device, book); });
}
