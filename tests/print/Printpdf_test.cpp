// Designs printed to PDF and read back: pages, page sizes, where the design's pixels
// land, the colour key and the sheets' overlap.
#include "Pdfpages.h"
#include "colour/Palette.h"
#include "shell/Exception.h"
#include "shell/Printpaint.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr int kDpi = 300;   // of the written PDFs
constexpr double kZoom = 2; // rendered pixels per point
constexpr int kBlock = 40;  // design pixels per test block

QPageLayout Paper(QPageSize::PageSizeId id) {
    return QPageLayout(QPageSize(id), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

struct Design {
    TOrvaneBitmap Picture;
    TRGBQuad Colours[256];
    TPalette Palette;
    Design(int w, int h) {
        EXPECT_TRUE(MakeBlocks(Picture, Colours, w, h, kBlock));
        for (int i = 0; i < 256; ++i)
            Palette[i].SetRGB(Colours[i].rgbRed, Colours[i].rgbGreen, Colours[i].rgbBlue);
    }
    TPrintJob Job(TPrintLayout layout, bool key = false) const {
        TPrintJob job;
        job.Design.Picture = &Picture;
        job.Design.Source = QRect(0, 0, Picture.Width, Picture.Height);
        job.Settings.Layout = layout;
        job.Settings.ColourKey = key;
        if (key) job.Key = BuildColorReport(Picture, Palette, 160);
        return job;
    }
};

// Where design pixel (x, y) shows on the rendered page of sheet.
QPoint OnPage(const TPrintPlan& plan, const TPrintSheet& sheet, const QPageLayout& paper, QPoint design) {
    const QPointF device =
        sheet.Target.topLeft() + (QPointF(design - sheet.Source.topLeft()) + QPointF(0.5, 0.5)) * plan.Scale;
    const QPointF points = paper.paintRect(QPageLayout::Point).topLeft() + device * 72.0 / kDpi;
    return (points * kZoom).toPoint();
}

QRgb ColourAt(const Design& d, QPoint p) {
    const TRGBQuad& c = d.Colours[d.Picture.GetPixel(p.x(), p.y())];
    return qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

struct LayoutCase {
    const char* Name;
    TPrintLayout Layout;
    QPageSize::PageSizeId Paper;
    int Width, Height;
    int Pages;
    TPrintLayout Planned;
};

const LayoutCase kLayouts[] = {
    {"fit A4", TPrintLayout::Fit, QPageSize::A4, 320, 160, 1, TPrintLayout::Fit},
    {"true size A4", TPrintLayout::TrueSize, QPageSize::A4, 320, 160, 1, TPrintLayout::TrueSize},
    {"tiles A4", TPrintLayout::Tile, QPageSize::A4, 2400, 400, 3, TPrintLayout::Tile},
    {"true size too wide tiles", TPrintLayout::TrueSize, QPageSize::A4, 2400, 400, 3, TPrintLayout::Tile},
    {"tiles A3, two rows", TPrintLayout::Tile, QPageSize::A3, 1200, 2800, 2, TPrintLayout::Tile},
};

} // namespace

TEST(PrintPdf, EveryLayoutPutsTheDesignPixelsWherePlanned) {
    QTemporaryDir dir;
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE(c.Name);
        const Design d(c.Width, c.Height);
        const TPrintJob job = d.Job(c.Layout);
        const QPageLayout paper = Paper(c.Paper);
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        ASSERT_EQ(WritePrintPdf(path, job, paper, kDpi), 0u);
        TPdfPages pdf(path);
        ASSERT_EQ(pdf.Count(), c.Pages);
        const TPrintPlan plan =
            PlanPrint(QSize(c.Width, c.Height), 160, QRect(QPoint(), paper.paintRectPixels(kDpi).size()),
                      kDpi, job.Settings, 0);
        EXPECT_EQ(plan.Layout, c.Planned);
        ASSERT_EQ(int(plan.Sheets.size()), c.Pages);
        for (int page = 0; page < c.Pages; ++page) {
            EXPECT_NEAR(pdf.PointSize(page).width(), paper.fullRect(QPageLayout::Point).width(), 1);
            EXPECT_NEAR(pdf.PointSize(page).height(), paper.fullRect(QPageLayout::Point).height(), 1);
            const QImage image = pdf.Page(page, kZoom);
            const TPrintSheet& sheet = plan.Sheets[size_t(page)];
            int sampled = 0;
            for (int y = kBlock / 2; y < c.Height; y += kBlock)
                for (int x = kBlock / 2; x < c.Width; x += kBlock) {
                    if (!sheet.Source.contains(QPoint(x, y))) continue;
                    const QPoint at = OnPage(plan, sheet, paper, QPoint(x, y));
                    EXPECT_TRUE(Near(image.pixel(at), ColourAt(d, QPoint(x, y))))
                        << x << "," << y << " page " << page;
                    ++sampled;
                }
            EXPECT_GT(sampled, 0);
        }
    }
}

TEST(PrintPdf, NeighbouringTilesShareTheOverlapStrip) {
    // 10 mm at 160 dpi is 63 design pixels: the second sheet starts 63 pixels
    // before the first one ends, and a pixel of that strip shows on both.
    QTemporaryDir dir;
    const Design d(2400, 400);
    const QString path = dir.filePath(QStringLiteral("tiles.pdf"));
    const QPageLayout paper = Paper(QPageSize::A4);
    ASSERT_EQ(WritePrintPdf(path, d.Job(TPrintLayout::Tile), paper, kDpi), 0u);
    const TPrintPlan plan =
        PlanPrint(QSize(2400, 400), 160, QRect(QPoint(), paper.paintRectPixels(kDpi).size()), kDpi,
                  d.Job(TPrintLayout::Tile).Settings, 0);
    EXPECT_EQ(plan.OverlapPixels, 63);
    ASSERT_EQ(plan.Sheets.size(), 3u);
    const int across = plan.Sheets[0].Source.width(), start = across - 63;
    EXPECT_NEAR(across, 6.88 * 160, 2); // A4 less 10 mm and 0.3 inch each side
    EXPECT_EQ(plan.Sheets[1].Source.left(), start);
    TPdfPages pdf(path);
    const QImage first = pdf.Page(0, kZoom), second = pdf.Page(1, kZoom);
    const double perPixel = 72.0 / 160 * kZoom, left = (10 / 25.4 * 72 + 0.3 * 72) * kZoom;
    const int y = int(left + 220.5 * perPixel), x = start + 20; // 20 pixels into the strip
    const QRgb shared = ColourAt(d, QPoint(x, 220));
    EXPECT_TRUE(Near(first.pixel(int(left + (x + 0.5) * perPixel), y), shared));
    EXPECT_TRUE(Near(second.pixel(int(left + 20.5 * perPixel), y), shared));
    EXPECT_FALSE(Near(second.pixel(int(left + 20.5 * perPixel), y), ColourAt(d, QPoint(20, 220))));
}

TEST(PrintPdf, ColourKeyShowsEveryUsedColourBelowTheDesignOrOnItsOwnSheet) {
    QTemporaryDir dir;
    const Design small(120, 40), wide(2400, 400);
    struct KeyCase {
        const Design& D;
        TPrintLayout Layout;
        int Pages, KeyPage;
    } const cases[] = {{small, TPrintLayout::Fit, 1, 0},
                       {small, TPrintLayout::TrueSize, 1, 0},
                       {wide, TPrintLayout::Tile, 7, 3}}; // 3 tiles, 250 entries on 4 key sheets
    for (const KeyCase& c : cases) {
        const QString path = dir.filePath(QStringLiteral("key.pdf"));
        const TPrintJob job = c.D.Job(c.Layout, true);
        ASSERT_EQ(WritePrintPdf(path, job, Paper(QPageSize::A4), kDpi), 0u);
        TPdfPages pdf(path);
        ASSERT_EQ(pdf.Count(), c.Pages);
        std::vector<QImage> sheets; // the key's
        for (int k = c.KeyPage; k < c.Pages; ++k)
            sheets.push_back(pdf.Page(k, 1));
        for (const TColorReportRow& row : job.Key)
            EXPECT_TRUE(std::any_of(sheets.begin(), sheets.end(), [&](const QImage& s) {
                return Shows(s, QColor(row.Red, row.Green, row.Blue));
            })) << row.Index;
        if (c.Layout == TPrintLayout::Fit) {
            EXPECT_EQ(job.Key.size(), 3u);
            EXPECT_TRUE(pdf.Text(0).contains(QStringLiteral("33.33 %"))) << pdf.Text(0).toStdString();
        }
    }
}

TEST(PrintPdf, BadJobsWriteNothingAndSayWhy) {
    QTemporaryDir dir;
    const Design d(400, 400);
    TOrvaneBitmap none;
    TPrintJob empty = d.Job(TPrintLayout::Fit);
    empty.Design.Picture = &none;
    TPrintJob huge = d.Job(TPrintLayout::Tile);
    huge.Dpi = 1; // 400 inches a side: far more sheets than allowed
    const struct {
        const TPrintJob& Job;
        QString Path;
        uint32_t Code;
    } cases[] = {
        {empty, dir.filePath("empty.pdf"), ErrorCode::NothingToPrint},
        {huge, dir.filePath("huge.pdf"), ErrorCode::TooManySheets},
        {d.Job(TPrintLayout::Fit), dir.filePath("no/such/folder/x.pdf"), ErrorCode::PdfNotWritten},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WritePrintPdf(c.Path, c.Job, Paper(QPageSize::A4), kDpi), c.Code) << c.Path.toStdString();
        EXPECT_FALSE(QFileInfo::exists(c.Path));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()); // no temporary file left either
}
