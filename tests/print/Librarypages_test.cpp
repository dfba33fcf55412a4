// Printed colour books: the colour libraries, a user colour library and the colour
// chart, written to PDF and read back for their pages, titles and chips.
#include "Pdfpages.h"
#include "colour/Colorchart.h"
#include "colour/Colorlibraries.h"
#include "colour/Librarypages_print.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Paints with paint into a fresh A4 PDF and opens it.
template <class F> std::unique_ptr<TPdfPages> Written(const QTemporaryDir& dir, F&& paint, uint32_t* code) {
    const QString path = dir.filePath(QStringLiteral("book.pdf"));
    {
        QPdfWriter writer(path);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        *code = paint(writer);
    }
    return std::make_unique<TPdfPages>(path);
}

} // namespace

TEST(LibraryPages, BooksPrintTheirPagesTitledAndNumbered) {
    QTemporaryDir dir;
    TColorLibraries libraries;
    libraries.Load(QStringLiteral(VELMORA_SOURCE_DATA_DIR "/Color"));
    const struct {
        int Choice;
        bool Large;
        int First, Count, Pages;
        QString Title, FirstHeading;
    } cases[] = {
        {BookPrinter, false, 0, 2, 2, "<<   PRINTER    COLOR    GUIDE   >>", "Page 1"},
        {BookPrinter, true, 36, 1, 1, "<<   PRINTER    COLOR    GUIDE   >>", "Page 37"},
        {BookPrinter, false, 70, 10, 3, "<<   PRINTER    COLOR    GUIDE   >>",
         "Page 71"}, // cut at the last page
        {BookStandard, true, 0, 2, 2, "<< VM  STANDARD  COLOR  LIBRARY >>", ""},
        {BookTextile, false, 1, 1, 1, "<< VM  TEXTILE  COLOR  LIBRARY >>", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Title.toStdString() + " from " + std::to_string(c.First));
        const TChipBook book = LibraryBook(libraries, c.Choice, c.Large, c.First, c.Count);
        const TColorLibrary* file = c.Choice == BookStandard
                                        ? static_cast<const TColorLibrary*>(&libraries.Standard)
                                    : c.Choice == BookTextile ? &libraries.Textile
                                                              : nullptr;
        if (file && file->PageCount() == 0) GTEST_SKIP() << "no library file in the data tree";
        uint32_t code = 1;
        const auto pdf = Written(
            dir, [&](QPdfWriter& w) { return PaintChipBook(w, book); }, &code);
        ASSERT_EQ(code, 0u);
        ASSERT_EQ(pdf->Count(), c.Pages);
        const QString text = pdf->Text(0);
        EXPECT_TRUE(text.contains(c.Title.simplified()) || text.simplified().contains(c.Title.simplified()))
            << text.toStdString();
        if (!c.FirstHeading.isEmpty()) {
            EXPECT_TRUE(text.contains(c.FirstHeading));
        }
        const TChip& chip = book.Pages[0].Chips[book.Pages[0].Chips.size() / 2];
        EXPECT_TRUE(Shows(pdf->Page(0, 1), chip.Colour));
    }
    const char* const jobs[] = {"Printer Color Library", "VM Standard Color Library",
                                "VM Textile Color Library"};
    for (int choice = 0; choice < 3; ++choice)
        EXPECT_EQ(LibraryBook(libraries, choice, false, 0, 1).Job, jobs[choice]);
}

TEST(LibraryPages, UserLibraryPagesCarryFileNameAndPageNumber) {
    QTemporaryDir dir;
    TUserColorList colours;
    for (int i = 0; i < 75; ++i)
        colours.push_back({QByteArray("Rose ") + QByteArray::number(i), 0, 0, 0, 200, uint8_t(i * 3), 40});
    const TChipBook book = UserLibraryBook(colours, QStringLiteral("/tmp/colours/Spring.ucl"));
    EXPECT_EQ(book.Job, QStringLiteral("User Color Library -"));
    uint32_t code = 1;
    const auto pdf = Written(
        dir, [&](QPdfWriter& w) { return PaintChipBook(w, book); }, &code);
    ASSERT_EQ(code, 0u);
    ASSERT_EQ(pdf->Count(), 2); // 60 chips a page
    for (int page = 0; page < 2; ++page) {
        const QString text = pdf->Text(page).simplified();
        EXPECT_TRUE(text.contains(QStringLiteral("<< USER COLOR LIBRARY >>"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("--- Spring.ucl --- << %1 >>").arg(page + 1)))
            << text.toStdString();
    }
    EXPECT_TRUE(pdf->Text(1).contains(QStringLiteral("Rose 74")));
    EXPECT_TRUE(Shows(pdf->Page(1, 1), QColor(200, 222, 40)));
}

TEST(LibraryPages, ColourChartPrintsTitleRowsAndColours) {
    QTemporaryDir dir;
    TPalette palette;
    palette[251].SetRGB(10, 200, 90);
    uint32_t code = 1;
    const auto pdf = Written(
        dir,
        [&](QPdfWriter& w) {
            return PaintColorChartPage(w, palette, "<<   COLOR   CHART   GUIDE   >>", "%d -> %d");
        },
        &code);
    ASSERT_EQ(code, 0u);
    ASSERT_EQ(pdf->Count(), 1);
    const QString text = pdf->Text(0);
    EXPECT_TRUE(text.simplified().contains(QStringLiteral("<< COLOR CHART GUIDE >>"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("240 -> 250")));
    EXPECT_TRUE(Shows(pdf->Page(0, 1), QColor(10, 200, 90)));
}
