// A2 designs at 600 dpi (9921 x 14031, 139 Mpx): opening, saving, exporting and
// repeating at a size where 32-bit pixel counts, whole-picture copies and
// ImageMagick's pixel cache would show, with every stop leaving things as they were.
#include "colour/Grouping.h"
#include "platform/Effects.h"
#include "platform/Imagefile.h"
#include "platform/Imagefile_stream.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "support/Draw.h"
#include "tools/Repeat.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr int kWidth = 9921, kHeight = 14031;

// Rows in bands of colours 2 .. 8 with a square of colour 9 every 500 pixels.
uint8_t Expected(int x, int y) {
    if (x % 500 < 40 && y % 500 < 40) return 9;
    return uint8_t(2 + (y / 700 + x / 900) % 7);
}

// Points spread over the picture, its corners included.
const QPoint kSamples[] = {{0, 0},       {kWidth - 1, 0}, {0, kHeight - 1}, {kWidth - 1, kHeight - 1},
                           {4960, 7015}, {20, 20},        {9920, 7000},     {3333, 13999}};

// A listener that stops the operation once half of it is done.
TProgressFn StopAtHalf(int64_t& calls) {
    return [&calls](int64_t done, int64_t total) {
        ++calls;
        return done * 2 < total;
    };
}

class LargeDesign : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Doc = new TDocument;
        TPaper paper;
        paper.dpi = 600;
        SetPaper(paper, kPaperCustom, kWidth, kHeight);
        ASSERT_EQ(Doc->NewCanvas(paper, 8, TCurrentColour::OfIndex(2)), 0u);
        Draw(*Doc, [](TOrvaneBitmap& b) {
            for (int y = 0; y < b.Height; ++y) {
                uint8_t* row = b.ScanLine(y);
                for (int x = 0; x < b.Width; ++x)
                    row[x] = Expected(x, y);
            }
        });
        Doc->AttachUndo();
    }
    static void TearDownTestSuite() {
        delete Doc;
        Doc = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(Dir.isValid()); }
    QString Path(const char* name) const { return Dir.filePath(QString::fromLatin1(name)); }
    static void ExpectDesignIntact(const TDocument& d) {
        ASSERT_EQ(d.Picture().Width, kWidth);
        ASSERT_EQ(d.Picture().Height, kHeight);
        for (const QPoint& p : kSamples)
            EXPECT_EQ(d.Picture().GetPixel(p.x(), p.y()), Expected(p.x(), p.y())) << p.x() << "," << p.y();
    }
    static TDocument* Doc;
    QTemporaryDir Dir;
};
TDocument* LargeDesign::Doc = nullptr;

TEST_F(LargeDesign, NativeFileRoundTripsAndStoppedOpenOrSaveChangesNothing) {
    ASSERT_EQ(Doc->Save(Dir.path(), "big.tex", 2, 0), 0u);
    const QByteArray saved = [&] {
        QFile f(Path("big.tex"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_FALSE(saved.isEmpty());

    int64_t calls = 0;
    TDocument other;
    EXPECT_EQ(other.Open(Dir.path(), "big.tex", 0, 0, nullptr, StopAtHalf(calls)), ErrorCode::Cancelled);
    EXPECT_FALSE(other.Picture().Allocated());

    // A save stopped half way leaves the old file byte for byte.
    calls = 0;
    EXPECT_EQ(Doc->Save(Dir.path(), "big.tex", 2, 0, false, StopAtHalf(calls)), ErrorCode::Cancelled);
    QFile f(Path("big.tex"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == saved);

    int64_t last = -1, whole = 0;
    ASSERT_EQ(other.Open(Dir.path(), "big.tex", 0, 0, nullptr,
                         [&](int64_t done, int64_t total) {
                             EXPECT_GE(done, last);
                             last = done;
                             whole = total;
                             return done <= total;
                         }),
              0u);
    EXPECT_EQ(last, whole); // the reports run to the end, never back
    ExpectDesignIntact(other);
}

// Exports go through the row writers at this size; the files read back exactly
// and a stop at half leaves the old file in place.
struct TExportCase {
    const char* Name;
    int Bits;
};

class LargeExport : public LargeDesign, public ::testing::WithParamInterface<TExportCase> {};

TEST_P(LargeExport, ReadsBackExactlyAndAStopKeepsTheOldFile) {
    const TExportCase& c = GetParam();
    TDocument* d = Doc;
    TDocument full;
    if (c.Bits == 24) { // 6000 x 6000 full colour: past ImageMagick's cache, a third of the time
        TPaper paper;
        paper.dpi = 600;
        SetPaper(paper, kPaperCustom, 6000, 6000);
        ASSERT_EQ(full.NewCanvas(paper, 24, TCurrentColour().WithRgb(MakeColorRef(1, 2, 3))), 0u);
        Draw(full, [](TOrvaneBitmap& b) {
            for (int y = 0; y < b.Height; ++y)
                for (int x = 0; x < b.Width; x += 997)
                    b.SetPixel(x, y, MakeColorRef(x & 255, y & 255, 77));
        });
        d = &full;
    }
    const TOrvaneBitmap& picture = d->Picture();
    ASSERT_TRUE(TooLargeForImageMagick(uint64_t(picture.Width), uint64_t(picture.Height)));
    ASSERT_EQ(d->Save(Dir.path(), c.Name, 0, 0, true), 0u) << c.Name;

    // PNG through Qt's reader, TIFF through our own (ImageMagick refuses this size).
    const QPoint probes[] = {{0, 0}, {997, 5}, {picture.Width - 1, picture.Height - 1}, {1994, 4321}};
    if (QString(c.Name).endsWith(".png")) {
        QImageReader reader(Path(c.Name));
        reader.setAllocationLimit(0);
        const QImage back = reader.read();
        ASSERT_EQ(back.size(), QSize(picture.Width, picture.Height));
        for (const QPoint& p : probes) {
            const TColorRef v = picture.GetPixel(p.x(), p.y());
            const TColorRef want = c.Bits == 8 ? d->Palette()[int(v)].ColorRef() : v;
            const QRgb got = back.pixel(p);
            EXPECT_EQ(MakeColorRef(qRed(got), qGreen(got), qBlue(got)), want);
            if (c.Bits == 8) {
                EXPECT_EQ(back.pixelIndex(p), int(v));
            }
        }
    } else {
        TBitmapHandle back;
        TImageFileFacts facts;
        ASSERT_TRUE(LoadImageFile(Path(c.Name), back, &facts));
        EXPECT_EQ(facts.Dpi, 600);
        ASSERT_EQ(back.BitsPerPixel, c.Bits);
        for (int y : {0, 1, picture.Height / 2, picture.Height - 1})
            EXPECT_EQ(std::memcmp(back.Row(y), picture.ScanLine(y), size_t(picture.Width) * (c.Bits / 8)), 0);
        FreeBitmapHandle(back);
    }

    const QByteArray old("not a picture");
    QFile f(Path(c.Name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(old) == old.size());
    f.close();
    int64_t calls = 0;
    EXPECT_EQ(d->Save(Dir.path(), c.Name, 0, 0, true, StopAtHalf(calls)), ErrorCode::Cancelled);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Formats, LargeExport,
                         ::testing::Values(TExportCase{"big.png", 8}, TExportCase{"big.tif", 8},
                                           TExportCase{"full.png", 24}, TExportCase{"full.tif", 24}));

TEST_F(LargeDesign, HalfDropRepeatFillsTheCanvasUndoesAndAStopChangesNothing) {
    TRepeatSettings settings;
    settings.Tile = QRect(100, 100, 417, 333);
    settings.Function = RepeatHalfDropVer;
    settings.Drop = 333 / 2;
    const int records = UndoStore().Count();

    int64_t calls = 0;
    EXPECT_EQ(ApplyRepeat(*Doc, settings, Doc->Bounds(), StopAtHalf(calls)), ErrorCode::Cancelled);
    EXPECT_GT(calls, 2);
    EXPECT_EQ(UndoStore().Count(), records);
    ExpectDesignIntact(*Doc);

    ASSERT_EQ(ApplyRepeat(*Doc, settings, Doc->Bounds()), 0u);
    // Between changes the record of a large design waits on disk, not in memory.
    ASSERT_FALSE(UndoStore().Entries().empty());
    EXPECT_TRUE(UndoStore().Entries().back().OnDisk);
    EXPECT_FALSE(UndoStore().Entries().back().InMemory);
    for (const QPoint& p : kSamples) {
        const QPoint from = settings.Tile.topLeft() + TileSource(settings, p.x(), p.y());
        EXPECT_EQ(Doc->Picture().GetPixel(p.x(), p.y()), Expected(from.x(), from.y()));
    }
    ASSERT_TRUE(Doc->Undo());
    ExpectDesignIntact(*Doc);
}

TEST_F(LargeDesign, ColourReductionStoppedHalfWayChangesNothingAndUndoes) {
    const int records = UndoStore().Count();
    int64_t calls = 0;
    EXPECT_EQ(GroupReduce(*Doc, 3, {}, StopAtHalf(calls)), ErrorCode::Cancelled);
    EXPECT_GT(calls, 2);
    EXPECT_EQ(UndoStore().Count(), records);
    ExpectDesignIntact(*Doc);

    ASSERT_EQ(GroupReduce(*Doc, 3), 0u);
    for (const QPoint& p : kSamples)
        EXPECT_LE(Doc->Picture().GetPixel(p.x(), p.y()), 4u);
    ASSERT_TRUE(Doc->Undo());
    ExpectDesignIntact(*Doc);
}

TEST(LargeEffects, FiltersBeyondImageMagickAreRefusedAndAStoppedEffectChangesNothing) {
    TDocument doc;
    TPaper paper;
    paper.dpi = 600;
    SetPaper(paper, kPaperCustom, 16001, 40);
    ASSERT_EQ(doc.NewCanvas(paper, 24, TCurrentColour().WithRgb(MakeColorRef(10, 20, 30))), 0u);
    doc.AttachUndo();
    const std::vector<uint32_t> before = DocumentPixels(doc);
    int64_t calls = 0;
    EXPECT_EQ(doc.ApplyEffect(EffectSharpen, 50, 0), ErrorCode::TooLargeForOperation);
    EXPECT_EQ(doc.ApplyEffect(EffectSolarize, 5, 0, StopAtHalf(calls)), ErrorCode::Cancelled);
    EXPECT_EQ(DocumentPixels(doc), before);
    EXPECT_FALSE(doc.Modified());
    ASSERT_EQ(doc.ApplyEffect(EffectSolarize, 5, 0, [](int64_t, int64_t) { return true; }), 0u);
    EXPECT_EQ(doc.Picture().GetPixel(16000, 39), MakeColorRef(245, 235, 225));
}

TEST_F(LargeDesign, FilesLargerThanTheMemoryLimitAreRefusedBeforeAllocating) {
    ASSERT_EQ(Doc->Save(Dir.path(), "big.tfc", 2, 0), 0u);
    ASSERT_EQ(Doc->Save(Dir.path(), "big.tif", 0, 0, true), 0u);
    qputenv("VELMORA_MEMORY_LIMIT", QByteArray::number(200 << 20)); // below twice the design
    TDocument other;
    for (const char* name : {"big.tfc", "big.tif"}) {
        QString detail;
        EXPECT_EQ(other.Open(Dir.path(), name, 0, 0, &detail), ErrorCode::CanvasTooLarge) << name;
        EXPECT_EQ(detail, QStringLiteral("9921 x 14031 pixels"));
        EXPECT_FALSE(other.Picture().Allocated());
    }
    qunsetenv("VELMORA_MEMORY_LIMIT");
}

} // namespace
