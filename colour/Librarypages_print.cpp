#include "colour/Librarypages_print.h"

#include "colour/Colorlibraries.h"
#include "shell/Exception.h"

#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kUserChipsPerPage = 60;

TChipPage PrinterPage(const TPrinterColor& guide, int page) {
    TChipPage out;
    out.Heading = QStringLiteral("Page %1").arg(page);
    out.Columns = TPrinterColor::Columns(page);
    for (int r = 1; r <= TPrinterColor::Rows(page); ++r)
        for (int c = 1; c <= TPrinterColor::Columns(page); ++c)
            out.Chips.push_back({QColor::fromRgb(guide.ColorOf(page, r, c)),
                                 {},
                                 TPrinterColor::CodeText(TPrinterColor::Line(page, r), c - 1)});
    return out;
}

TChipPage FilePage(const TColorLibrary& library, int page) {
    TChipPage out;
    out.Heading = QStringLiteral("Page %1").arg(library.Page(page).Number);
    out.Columns = 7;
    for (const TLibraryColor& c : library.Page(page).Records)
        out.Chips.push_back({QColor(c.Red, c.Green, c.Blue), {}, library.CodeText(c)});
    return out;
}

} // namespace

TChipBook LibraryBook(const TColorLibraries& libraries, int choice, bool large, int first, int count) {
    static const char* const kTitles[] = {"<<   PRINTER    COLOR    GUIDE   >>",
                                          "<< VM  STANDARD  COLOR  LIBRARY >>",
                                          "<< VM  TEXTILE  COLOR  LIBRARY >>"};
    static const char* const kJobs[] = {"Printer Color Library", "VM Standard Color Library",
                                        "VM Textile Color Library"};
    choice = std::clamp(choice, 0, 2);
    TChipBook book{QString::fromLatin1(kTitles[choice]), QString::fromLatin1(kJobs[choice]), large, {}};
    const TColorLibrary* file = choice == BookStandard
                                    ? static_cast<const TColorLibrary*>(&libraries.Standard)
                                : choice == BookTextile ? &libraries.Textile
                                                        : nullptr;
    const int pages = file ? file->PageCount() : TPrinterColor::kPages;
    first = std::clamp(first, 0, std::max(0, pages - 1));
    for (int p = first; p < std::min(pages, first + std::max(0, count)); ++p)
        book.Pages.push_back(file ? FilePage(*file, p) : PrinterPage(libraries.Printer, p + 1));
    return book;
}

TChipBook UserLibraryBook(const TUserColorList& colours, const QString& fileName) {
    TChipBook book{
        QStringLiteral("<< USER  COLOR  LIBRARY >>"), QStringLiteral("User Color Library -"), true, {}};
    const QString name = QFileInfo(fileName).fileName();
    for (size_t i = 0; i < colours.size(); i += kUserChipsPerPage) {
        TChipPage page;
        page.Heading = QString::asprintf("---   %s   ---       << %d >>", qPrintable(name),
                                         int(i / kUserChipsPerPage) + 1);
        page.Columns = 6;
        for (size_t k = i; k < std::min(colours.size(), i + kUserChipsPerPage); ++k)
            page.Chips.push_back({QColor(colours[k].Red, colours[k].Green, colours[k].Blue),
                                  {},
                                  QString::fromLocal8Bit(colours[k].Name)});
        book.Pages.push_back(page);
    }
    return book;
}

QRectF PaintPageTitle(QPainter& p, const QRectF& page, const QString& title, double pointSize) {
    QFont font = p.font();
    font.setPointSizeF(pointSize);
    p.setFont(font);
    const double height = p.fontMetrics().height() * 2.0;
    p.drawText(QRectF(page.left(), page.top(), page.width(), height), Qt::AlignCenter, title);
    return page.adjusted(0, height, 0, 0);
}

uint32_t PaintChipBook(QPagedPaintDevice& device, const TChipBook& book) {
    if (book.Pages.empty()) return ErrorCode::NothingToPrint;
    QPainter p;
    if (!p.begin(&device)) return ErrorCode::Printing;
    const QRectF sheet(0, 0, device.width(), device.height());
    const double dpi = device.logicalDpiX();
    for (size_t i = 0; i < book.Pages.size(); ++i) {
        const TChipPage& page = book.Pages[i];
        if (i > 0) device.newPage();
        QRectF rest = PaintPageTitle(p, sheet, book.Title, 16);
        rest = PaintPageTitle(p, rest, page.Heading, 10);
        // Chips side: the chosen size, smaller when the page's rows or columns would not fit.
        const int columns = std::max(1, book.Large ? (page.Columns + 1) / 2 : page.Columns);
        const int rows = std::max(1, int((page.Chips.size() + size_t(columns) - 1) / size_t(columns)));
        const double cell =
            std::min({rest.width() / columns, rest.height() / rows, dpi * (book.Large ? 1.2 : 0.6)});
        QFont small = p.font();
        small.setPointSizeF(book.Large ? 7 : 5);
        p.setFont(small);
        for (size_t k = 0; k < page.Chips.size(); ++k) {
            const TChip& chip = page.Chips[k];
            const QRectF at(rest.left() + double(k % size_t(columns)) * cell,
                            rest.top() + double(k / size_t(columns)) * cell, cell, cell);
            if (at.bottom() > rest.bottom()) break;
            const QRectF swatch = at.adjusted(cell * 0.08, cell * 0.04, -cell * 0.08, -cell * 0.3);
            if (chip.Picture.isNull())
                p.fillRect(swatch, chip.Colour);
            else
                p.drawImage(swatch, chip.Picture);
            p.drawRect(swatch);
            p.drawText(QRectF(at.left(), swatch.bottom(), cell, cell * 0.26), Qt::AlignCenter, chip.Caption);
        }
    }
    return p.end() ? 0 : ErrorCode::Printing;
}
