// velmora-cli pdf: each layout writes the pages the printing window would, and a
// failure writes nothing.
#include "Pdfpages.h"
#include "support/Clirun.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// A 160-dpi picture file of blocks (see MakeBlocks).
QString WriteDesign(const QTemporaryDir& dir, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, BlockColour(x / 40, y / 40));
    image.setDotsPerMeterX(6299); // 160 dpi
    image.setDotsPerMeterY(6299);
    const QString path = dir.filePath(QStringLiteral("design.png"));
    EXPECT_TRUE(image.save(path));
    return path;
}

// Leftmost and rightmost non-white columns across row y.
std::pair<int, int> InkSpan(const QImage& page, int y) {
    int first = -1, last = -1;
    for (int x = 0; x < page.width(); ++x)
        if (!Near(page.pixel(x, y), qRgb(255, 255, 255))) {
            if (first < 0) first = x;
            last = x;
        }
    return {first, last};
}

} // namespace

TEST(PrintCli, PdfWritesEveryLayout) {
    QTemporaryDir dir;
    const QString design = WriteDesign(dir, 2000, 400); // 12.5 x 2.5 inches
    const struct {
        QStringList Options;
        int Pages;
        QSizeF Points; // landscape: the design is wider than tall
    } cases[] = {
        {{"--true-size", "--paper", "A3"}, 1, {1190.55, 841.89}},
        {{"--fit"}, 1, {841.89, 595.28}},
        {{}, 1, {841.89, 595.28}},
        {{"--tile", "--overlap", "20"}, 2, {841.89, 595.28}},
        {{"--true-size"}, 2, {841.89, 595.28}}, // too wide for A4: tiled
        {{"--fit", "--key", "--paper", "Letter"}, 1, {792, 612}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Options.join(' ').toStdString());
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        QFile::remove(out);
        const TRun run = Cli(QStringList{"pdf", design, out} + c.Options);
        ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
        TPdfPages pdf(out);
        ASSERT_EQ(pdf.Count(), c.Pages);
        EXPECT_NEAR(pdf.PointSize(0).width(), c.Points.width(), 1);
        EXPECT_NEAR(pdf.PointSize(0).height(), c.Points.height(), 1);
        if (c.Options.startsWith("--true-size") && c.Pages == 1) {
            const QImage page = pdf.Page(0, 1);
            const auto [first, last] = InkSpan(page, page.height() / 2);
            EXPECT_NEAR(last - first + 1, 900, 2);      // 2000 pixels at 160 dpi: 12.5 inches
            EXPECT_NEAR(first + last, page.width(), 3); // centred
        }
    }
}

TEST(PrintCli, PdfFailuresExitOneAndWriteNothing) {
    QTemporaryDir dir;
    const QString design = WriteDesign(dir, 80, 80);
    const struct {
        QStringList Args;
        int Status;
        QString Out;
    } cases[] = {
        {{"pdf", design, dir.filePath("no/such/dir/out.pdf")}, 1, dir.filePath("no/such/dir/out.pdf")},
        {{"pdf", dir.filePath("missing.png"), dir.filePath("a.pdf")}, 1, dir.filePath("a.pdf")},
        {{"pdf", design, dir.filePath("b.pdf"), "--paper", "B5"}, 2, dir.filePath("b.pdf")},
        {{"pdf", design, dir.filePath("c.pdf"), "--fit", "--tile"}, 2, dir.filePath("c.pdf")},
        {{"pdf", design, dir.filePath("d.pdf"), "--overlap", "lots"}, 2, dir.filePath("d.pdf")},
    };
    for (const auto& c : cases) {
        const TRun run = Cli(c.Args);
        EXPECT_EQ(run.Status, c.Status) << c.Args.join(' ').toStdString();
        EXPECT_FALSE(run.Err.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(c.Out));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"design.png"});
}
