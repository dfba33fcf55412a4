#pragma once
// Painting a planned print (shell/Printlayout.h) onto any paged device: QPrinter for
// the printer and the preview, QPdfWriter for PDF files. The design is painted band
// by band (shell/Print.h), so even an A0 design never becomes one large image.

#include "colour/Colorreport.h"
#include "shell/Print.h"
#include "shell/Printlayout.h"

#include <QPageLayout>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class TDocument;

// Everything a print needs, taken from a document once.
struct TPrintJob {
    TDesignPart Design; // Source: the printed area in picture pixels; Target unused
    int Dpi = 160;
    TPrintSettings Settings;
    std::vector<TColorReportRow> Key; // used colours of a 256-colour design, when the key is on
    QString Name;                     // file name, printed beside the sheet labels
};

// The job for doc: the whole picture, or the work area's box and mask with
// WorkAreaOnly and a selection; the colour key of a 256-colour design when asked
// (codeText names the library code, EntryCodeText when empty). The job points into
// doc, which must outlive it unchanged.
TPrintJob PrintJobOf(const TDocument& doc, const TPrintSettings& settings,
                     const std::function<QString(const TColorData&)>& codeText = {});

// Progress of a print: sheets painted so far out of all; returns false to stop.
using TPrintProgress = std::function<bool(int done, int total)>;

// The plan of job on device's printable area.
TPrintPlan PlanJob(const TPrintJob& job, const QPagedPaintDevice& device);

// Plans job for device and paints every sheet (new page between sheets). Returns 0,
// ErrorCode::NothingToPrint (empty design), TooManySheets, or Printing (the device
// would not open, or painting was stopped).
uint32_t PaintPrint(QPagedPaintDevice& device, const TPrintJob& job, const TPrintProgress& progress = {});

// Writes job as a PDF of resolution dpi on paper to path, through a temporary file
// so a failure leaves nothing behind. 0, PaintPrint's codes or ErrorCode::PdfNotWritten.
uint32_t WritePrintPdf(const QString& path, const TPrintJob& job, const QPageLayout& paper, int dpi = 600,
                       const TPrintProgress& progress = {});

// Paints the colour key's entries first .. first + count - 1 into area, in columns:
// swatch, colour number, library and code, share of pixels.
void PaintColourKey(QPainter& painter, const std::vector<TColorReportRow>& key, int first, int count,
                    const QRectF& area, int deviceDpi);
