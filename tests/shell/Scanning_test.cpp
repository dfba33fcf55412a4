// A scanned picture into a design: conversion, clipping, selection and undo, first
// from pictures made here, then end to end from SANE's test backend.
#include "shell/Scanning.h"

#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "support/Draw.h"
#include "support/Sanetest.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

// The colour the design shows at (x, y).
QRgb Shown(const TDocument& d, int x, int y) {
    uint32_t v = d.Picture().GetPixel(x, y);
    if (d.BitsPerPixel() == 8) v = d.Palette()[int(v)].ColorRef();
    return qRgb(RedOf(v), GreenOf(v), BlueOf(v));
}

// Every pixel a colour of its own: (x * 16, y * 16, x + y).
QImage Ramp(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 16 % 256, y * 16 % 256, (x + y) % 256));
    return image;
}

class ScanIntoDesignTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        SetErrorPresenter([this](TSeverity, const QString& text, int) {
            shown.push_back(text);
            return 0;
        });
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, 16, 8);
        ASSERT_EQ(doc.NewCanvas(paper, GetParam(), TCurrentColour::OfIndex(7)), 0u);
        doc.AttachUndo();
    }
    void TearDown() override { SetErrorPresenter(StderrPresenter); }
    TDocument doc;
    std::vector<QString> shown;
};

} // namespace

TEST_P(ScanIntoDesignTest, PictureLandsTopLeftClippedSelectedAndOneUndoTakesItBack) {
    struct Case {
        QSize Scan;
        QRect Written;
    };
    for (const Case& c :
         {Case{{5, 3}, {0, 0, 5, 3}}, Case{{20, 4}, {0, 0, 16, 4}}, Case{{40, 40}, {0, 0, 16, 8}}}) {
        const std::vector<uint32_t> before = DocumentPixels(doc);
        const TPalette palette = doc.Palette();
        const int records = UndoStore().Count();
        const QImage scan = Ramp(c.Scan.width(), c.Scan.height());
        QRect written;
        ASSERT_EQ(ScanIntoDesign(doc, scan, &written), 0u);
        EXPECT_EQ(written, c.Written);
        EXPECT_EQ(doc.Selection(), QRegion(c.Written));
        EXPECT_EQ(UndoStore().Count(), records + 1);
        const std::vector<uint32_t> after = DocumentPixels(doc);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x) {
                const size_t at = size_t(y * 16 + x);
                EXPECT_TRUE(c.Written.contains(x, y) || after[at] == before[at]) << x << "," << y;
            }
        // The ramp has fewer colours than 250: a 256-colour design shows them exactly too.
        EXPECT_EQ(Shown(doc, 3, 2), scan.pixel(3, 2));
        EXPECT_EQ(Shown(doc, 4, 2), scan.pixel(4, 2));
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(DocumentPixels(doc), before);
        EXPECT_EQ(doc.Palette().Entries[2], palette.Entries[2]);
    }
    EXPECT_TRUE(shown.empty());
}

TEST_P(ScanIntoDesignTest, EmptyOrOversizedPictureIsRefusedAndNothingChanges) {
    const std::vector<uint32_t> before = DocumentPixels(doc);
    const int records = UndoStore().Count();
    struct Case {
        QImage Scan;
        uint32_t Code;
    };
    const Case cases[] = {{QImage(), ErrorCode::ScanEmpty},
                          {QImage(0, 4, QImage::Format_RGB32), ErrorCode::ScanEmpty},
                          {QImage(65536, 1, QImage::Format_RGB888), ErrorCode::ScanTooLarge}};
    for (const Case& c : cases) {
        shown.clear();
        EXPECT_EQ(ScanIntoDesign(doc, c.Scan), c.Code);
        EXPECT_EQ(shown, std::vector<QString>{ErrorText(c.Code)});
    }
    EXPECT_EQ(DocumentPixels(doc), before);
    EXPECT_EQ(UndoStore().Count(), records);
    EXPECT_FALSE(doc.HasSelection());
}

INSTANTIATE_TEST_SUITE_P(Depths, ScanIntoDesignTest, ::testing::Values(8, 24));

TEST(ScanReduction, ManyColoursBecomeAtMost250EntriesFromTwoOnAndTheRestKeepsItsColours) {
    TDocument doc;
    OpenArt(doc, {"................", "................", "................", "...............Z"}, 8, 100);
    const QRgb kept = doc.Palette()['Z'].ColorRef();
    // 16 x 3 pixels of a ramp with 48 colours, then a picture of 4096 colours.
    ASSERT_EQ(ScanIntoDesign(doc, Ramp(16, 3)), 0u);
    std::set<int> used;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 16; ++x)
            used.insert(int(doc.Picture().GetPixel(x, y)));
    EXPECT_EQ(used.size(), 48u);
    EXPECT_EQ(*used.begin(), 2);
    EXPECT_EQ(doc.Palette()['Z'].ColorRef(), kept); // 'Z' (90) is used below the scan
    EXPECT_EQ(doc.Picture().GetPixel(15, 3), uint32_t('Z'));
    EXPECT_FALSE(
        used.count('.')); // '.' (46) stays in use beside the scan: 48 colours take 2 .. 50 without it
    EXPECT_EQ(*used.rbegin(), 50);
    QImage many(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            many.setPixel(x, y, qRgb(x * 4, y * 4, (x ^ y) * 4));
    TDocument big;
    OpenArt(big, std::vector<std::string>(64, std::string(64, '.')), 8, 2);
    ASSERT_EQ(ScanIntoDesign(big, many), 0u);
    used.clear();
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            used.insert(int(big.Picture().GetPixel(x, y)));
    EXPECT_EQ(used.size(), 250u);
    EXPECT_EQ(*used.begin(), TPalette::kFirstDrawing);
    EXPECT_EQ(*used.rbegin(), TPalette::kLastDrawing);
    EXPECT_EQ(big.Palette().UseColor, TPalette::kLastDrawing);
}

// End to end: the test device paints 80 x 100 mm at 50 dpi, solid white.
class ScanDocumentTest : public ScanIntoDesignTest {
  protected:
    void SetUp() override {
        UseSaneTestBackend();
        ScanIntoDesignTest::SetUp();
        ASSERT_EQ(session.Open(QString()), 0u);
        ASSERT_TRUE(ResetTestDevice(session));
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, 200, 150);
        ASSERT_EQ(doc.NewCanvas(paper, GetParam(), TCurrentColour::OfIndex(7)), 0u);
        doc.AttachUndo();
    }
    TScanSession session;
};

TEST_P(ScanDocumentTest, ScanLandsWithItsSizeAndColourAndUndoRestores) {
    const std::vector<uint32_t> before = DocumentPixels(doc);
    QRect written;
    bool cancelled = true;
    ASSERT_EQ(ScanDocument(doc, session, {}, &cancelled, &written), 0u);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(written, QRect(0, 0, 157, 150)); // 157 x 196 clipped to the canvas
    EXPECT_EQ(doc.Selection(), QRegion(written));
    EXPECT_EQ(Shown(doc, 0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(Shown(doc, 156, 149), qRgb(255, 255, 255));
    EXPECT_NE(Shown(doc, 157, 0), qRgb(255, 255, 255));
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(DocumentPixels(doc), before);
}

TEST_P(ScanDocumentTest, CancelledOrFailedScanChangesNothing) {
    const std::vector<uint32_t> before = DocumentPixels(doc);
    const int records = UndoStore().Count();
    ASSERT_TRUE(session.SetOption("read-limit", QStringLiteral("true")));
    ASSERT_TRUE(session.SetOption("read-limit-size", QStringLiteral("1000")));
    bool cancelled = false;
    EXPECT_EQ(ScanDocument(
                  doc, session, [](int) { return false; }, &cancelled),
              0u);
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(shown.empty());
    ASSERT_TRUE(session.SetOption("read-return-value", QStringLiteral("SANE_STATUS_IO_ERROR")));
    EXPECT_EQ(ScanDocument(doc, session, {}, &cancelled), ErrorCode::ScanFailed);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(shown, std::vector<QString>{ErrorText(ErrorCode::ScanFailed)});
    EXPECT_EQ(DocumentPixels(doc), before);
    EXPECT_EQ(UndoStore().Count(), records);
}

INSTANTIATE_TEST_SUITE_P(Depths, ScanDocumentTest, ::testing::Values(8, 24));
