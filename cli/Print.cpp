// pdf: a design's printed pages written as a PDF, in the printing window's layouts.
#include "Commands.h"
#include "shell/Printpaint.h"
#include "shell/Tdocument.h"

#include <QPageLayout>
#include <cstdio>

namespace {

const char* const kPdfUsage =
    "usage: velmora-cli pdf DESIGN OUT.pdf [--fit|--true-size|--tile] [--overlap MM]\n"
    "                       [--key] [--paper A4|A3|Letter]\n";

} // namespace

int CommandPdf(const QStringList& input) {
    QStringList args = input;
    QString overlap, paper = QStringLiteral("A4");
    if (!TakeOption(args, "--overlap", overlap) || !TakeOption(args, "--paper", paper)) {
        std::fputs(kPdfUsage, stderr);
        return 2;
    }
    TPrintSettings settings;
    const int layouts = int(args.removeAll("--fit") > 0) + int(args.removeAll("--true-size") > 0) +
                        int(args.removeAll("--tile") > 0);
    settings.Layout = input.contains("--tile")        ? TPrintLayout::Tile
                      : input.contains("--true-size") ? TPrintLayout::TrueSize
                                                      : TPrintLayout::Fit;
    settings.ColourKey = args.removeAll("--key") > 0;
    bool ok = true;
    if (!overlap.isEmpty()) settings.OverlapMm = overlap.toDouble(&ok);
    const QPageSize::PageSizeId size = paper == "A3"       ? QPageSize::A3
                                       : paper == "Letter" ? QPageSize::Letter
                                                           : QPageSize::A4;
    if (layouts > 1 || !ok || settings.OverlapMm < 0 || settings.OverlapMm > 100 || args.size() != 2 ||
        (paper != "A4" && paper != "A3" && paper != "Letter")) {
        std::fputs(kPdfUsage, stderr);
        return 2;
    }
    TDocument doc;
    if (const int status = OpenDocument(args[0], 0, doc)) return status;
    // Pages turn to lie on their long side for a design wider than tall.
    const bool wide = doc.Picture().Width > doc.Picture().Height;
    const QPageLayout layout(QPageSize(size), wide ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    if (const uint32_t code = WritePrintPdf(args[1], PrintJobOf(doc, settings), layout))
        return Fail(code, args[1]);
    return 0;
}
