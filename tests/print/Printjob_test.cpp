// A document's print job: the work area alone prints its box with white outside
// the selection, the key lists the used colours, and printing changes nothing.
#include "Pdfpages.h"
#include "raster/Bitmapimage.h"
#include "shell/Printpaint.h"
#include "support/Draw.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(PrintJob, WorkAreaOnlyPrintsTheSelectionsBoxWhiteOutsideIt) {
    TDocument doc;
    TPaper paper;
    paper.dpi = 160;
    SetPaper(paper, kPaperCustom, 400, 300);
    ASSERT_EQ(doc.NewCanvas(paper, 8, TCurrentColour::OfIndex(5)), 0u);
    Draw(doc, [](TOrvaneBitmap& b) {
        b.FillRect(7, QRect(0, 0, 400, 300));
        b.FillRect(9, QRect(100, 100, 200, 100));
    });
    ASSERT_TRUE(doc.SetSelection(QRegion(100, 100, 200, 100, QRegion::Ellipse)));
    auto pixels = [&] { return BitmapImage(doc.Picture(), &doc.Palette()); };
    const QImage before = pixels();
    const QRegion selection = doc.Selection();
    auto rgb = [&](int index) {
        const TColorData& e = doc.Palette()[index];
        return qRgb(e.Red(), e.Green(), e.Blue());
    };
    const QRgb white = qRgb(255, 255, 255);
    TPrintSettings settings;
    settings.Layout = TPrintLayout::TrueSize;
    settings.ColourKey = true;
    struct {
        bool WorkArea;
        QRect Source;
    } const cases[] = {{false, QRect(0, 0, 400, 300)}, {true, QRect(100, 100, 200, 100)}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        settings.WorkAreaOnly = c.WorkArea;
        const TPrintJob job = PrintJobOf(doc, settings);
        EXPECT_EQ(job.Design.Source, c.Source);
        EXPECT_EQ(job.Key.size(), 2u); // the whole design's colours
        const QString path = dir.filePath(QStringLiteral("area.pdf"));
        const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
        ASSERT_EQ(WritePrintPdf(path, job, a4, 300), 0u);
        TPdfPages pdf(path);
        ASSERT_EQ(pdf.Count(), 1);
        const QImage page = pdf.Page(0, 1);
        // True size, centred: design pixel (x, y) of the printed box at 72/160 points a pixel.
        const QPointF origin(page.width() / 2.0 - c.Source.width() * 0.225,
                             page.height() / 2.0 - c.Source.height() * 0.225);
        auto at = [&](int x, int y) {
            return page.pixel(
                (origin + QPointF(x - c.Source.left() + 0.5, y - c.Source.top() + 0.5) * 0.45).toPoint());
        };
        EXPECT_TRUE(Near(at(200, 150), rgb(9)));
        // The box's corner lies outside the ellipse: the design's colour, or white for the work area.
        EXPECT_TRUE(Near(at(104, 104), c.WorkArea ? white : rgb(9)));
    }
    EXPECT_EQ(pixels(), before);
    EXPECT_EQ(doc.Selection(), selection);
}
