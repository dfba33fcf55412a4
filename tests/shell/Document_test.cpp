#include "shell/Common.h"
#include "shell/Document.h"
#include "shell/Exception.h"
#include "shell/Filetypes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A 4 x 2 8-bit picture using palette entries 0, 1 and 5 of a grey ramp.
void GreyPicture(TOrvaneBitmap& b) {
    TRGBQuad grey[256];
    for (int i = 0; i < 256; ++i)
        grey[i] = TRGBQuad{uint8_t(i * 40 % 256), uint8_t(i), uint8_t(i), 0};
    ASSERT_TRUE(b.Allocate(4, 2, grey, 8));
    const uint8_t px[8] = {0, 1, 5, 5, 1, 0, 0, 5};
    for (int i = 0; i < 8; ++i)
        b.SetPixel(i % 4, i / 4, px[i]);
}

} // namespace

TEST(ForeignPalette, EntriesMoveUpTwoAndTheHighestUsedIndexBecomesTheCount) {
    TOrvaneBitmap b;
    GreyPicture(b);
    TPalette p;
    p.SetDefault();
    AdoptForeignPalette(b, p);
    EXPECT_EQ(b.GetPixel(0, 0), 2u);
    EXPECT_EQ(b.GetPixel(2, 0), 7u);
    EXPECT_EQ(p.UseColor, 7);
    EXPECT_EQ(p[7].ColorRef(), MakeColorRef(5, 5, 200));
    EXPECT_EQ(p[0].ColorRef(), 0u);
    EXPECT_EQ(p[255].ColorRef(), MakeColorRef(255, 255, 255));
    TRGBQuad q;
    b.GetColors(7, 1, &q);
    EXPECT_EQ(q.rgbBlue, 200); // the picture's own palette follows the design's
}

TEST(DesignFiles, ForeignPicturesOpenAtEitherDepthWithCustomPaper) {
    QTemporaryDir dir;
    TDesign src;
    GreyPicture(src.Image);
    const QString bmp = dir.path() + "/design.bmp";
    ASSERT_TRUE(src.Image.SaveToFile(bmp, FileTypeInfo(TypeBmp)->FormatCode));

    TDesign d;
    ASSERT_EQ(OpenDesign(bmp, 0, 8, d, 200), 0u);
    EXPECT_EQ(d.Image.BitsPerPixel, 8);
    EXPECT_EQ(d.Paper.type, kPaperCustom);
    EXPECT_EQ(d.Paper.dpi, 200);
    EXPECT_EQ(PaperWidth(d.Paper), 4);
    auto sourceColour = [&](int x, int y) {
        const TRGBQuad& q = src.Image.Handle.Palette[src.Image.GetPixel(x, y)];
        return MakeColorRef(q.rgbRed, q.rgbGreen, q.rgbBlue);
    };
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            const uint32_t v = d.Image.GetPixel(x, y);
            EXPECT_GE(v, 2u);
            EXPECT_LE(v, 251u);
            EXPECT_EQ(d.Palette[int(v)].ColorRef(), sourceColour(x, y));
        }

    TDesign full;
    ASSERT_EQ(OpenDesign(bmp, TypeBmp, 24, full), 0u);
    EXPECT_EQ(full.Image.BitsPerPixel, 24);
    EXPECT_EQ(full.Paper.dpi, 160);
    EXPECT_EQ(full.Image.GetPixel(2, 0), MakeColorRef(5, 5, 200));

    // A full-colour design opened as 256 colours is reduced into 2 .. 251.
    TDesign back;
    const QString tfc = dir.path() + "/full.tfc";
    ASSERT_EQ(SaveDesign(tfc, 0, 2, full), 0u);
    ASSERT_EQ(OpenDesign(tfc, 0, 8, back), 0u);
    EXPECT_EQ(back.Image.BitsPerPixel, 8);
    EXPECT_EQ(back.Palette[int(back.Image.GetPixel(2, 0))].ColorRef(), MakeColorRef(5, 5, 200));
    EXPECT_GE(back.Image.GetPixel(0, 0), 2u);
}

// What ImageMagick's own identify reports as a file's resolution, in inches.
QString IdentifiedResolution(const QString& path) {
    QProcess identify;
    identify.start("identify", {"-units", "PixelsPerInch", "-format", "%x %y %U", path});
    identify.waitForFinished(60000);
    return QString::fromLatin1(identify.readAllStandardOutput());
}

TEST(DesignFiles, PicturesCarryThePaperResolutionBothWays) {
    QTemporaryDir dir;
    // The dpi each type opens at: TGA and SUN raster keep none, so the current one applies.
    const std::pair<int, int> cases[] = {{TypePng, 300}, {TypeTif, 300}, {TypeBmp, 300}, {TypePcx, 300},
                                         {TypePsd, 300}, {TypePct, 300}, {TypeTga, 120}, {TypeRas, 120}};
    for (const int bpp : {8, 24}) {
        TDesign d;
        GreyPicture(d.Image);
        ASSERT_TRUE(bpp == 8 || d.Image.ColorRes(24, 0, nullptr, 0));
        d.Palette.SetDefault();
        d.Paper.dpi = 300;
        for (const auto& [type, dpi] : cases) {
            const QString path = dir.path() + "/design" + FileTypeInfo(type)->Extension;
            SCOPED_TRACE(path.toStdString() + " at " + std::to_string(bpp) + " bits");
            ASSERT_EQ(SaveDesign(path, 0, 2, d), 0u);
            const bool unchecked = type != TypePng && type != TypeTif;
            EXPECT_TRUE(unchecked || IdentifiedResolution(path) == "300 300 PixelsPerInch");
            TDesign back;
            ASSERT_EQ(OpenDesign(path, 0, 0, back, 120), 0u);
            EXPECT_EQ(back.Paper.dpi, dpi);
        }
    }
}

TEST(DesignFiles, NativeRoundTripAndRectangleSave) {
    QTemporaryDir dir;
    TDesign d;
    GreyPicture(d.Image);
    d.Palette.SetDefault();
    d.Palette[5].SetUser(KindVMStandard, 3, 4, 1, 2, 3, "mine.ucl", "Sand");
    d.Palette.UseColor = 5;
    SetPaper(d.Paper, 0);
    const QString tex = dir.path() + "/a.tex";
    ASSERT_EQ(SaveDesign(tex, TypeTex, 2, d), 0u);
    TDesign e;
    ASSERT_EQ(OpenDesign(tex, 0, 0, e), 0u);
    EXPECT_TRUE(e.Palette[5] == d.Palette[5]);
    EXPECT_EQ(e.Palette.UseColor, 5);
    EXPECT_EQ(e.Paper.type, 0);
    EXPECT_EQ(e.Image.GetPixel(3, 1), 5u);

    const QRect part(1, 0, 2, 2);
    ASSERT_EQ(SaveDesign(tex, TypeTex, 0, d, &part), 0u);
    ASSERT_EQ(OpenDesign(tex, 0, 0, e), 0u);
    EXPECT_EQ(e.Image.Width, 2);
    EXPECT_EQ(e.Paper.type, kPaperCustom);
    EXPECT_EQ(e.Image.GetPixel(0, 0), 1u);
    EXPECT_EQ(e.Image.GetPixel(1, 0), 5u);
}

TEST(DesignFiles, FailedSaveOrOpenChangesNothing) {
    QTemporaryDir dir;
    TDesign d;
    GreyPicture(d.Image);
    const QString tex = dir.path() + "/keep.tex";
    ASSERT_EQ(SaveDesign(tex, TypeTex, 2, d), 0u);
    QFile f(tex);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    f.close();

    EXPECT_NE(SaveDesign(tex, TypeTex, 1, d), 0u); // the refused block mode
    EXPECT_EQ(SaveDesign(dir.path() + "/no/such/dir/x.tex", TypeTex, 2, d), ErrorCode::CannotCreateFile);
    // Names and types the program does not write: refused before anything is created.
    const std::pair<const char*, int> unwritable[] = {{"test.jpg", 0},    {"test.jpg", TypeTex}, {"x.wea", 0},
                                                      {"x.wea", TypeWea}, {"x.cpt", 0},          {"noext", 0},
                                                      {"x.tex", TypeKnt}};
    for (const auto& [name, type] : unwritable)
        EXPECT_EQ(SaveDesign(dir.path() + "/" + name, type, 2, d), ErrorCode::UnwritableType) << name;
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), good);
    f.close();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.tex"});

    TDesign e;
    GreyPicture(e.Image);
    EXPECT_EQ(OpenDesign(dir.path() + "/missing.tex", 0, 0, e), ErrorCode::CannotOpenFile);
    EXPECT_EQ(OpenDesign(dir.path() + "/missing.png", 0, 0, e), ErrorCode::BadFile);
    EXPECT_EQ(e.Image.Width, 4);
}

// A design file and picture, oversized by rewriting their headers or cut in the middle
// of their pixels, are refused with the code that says so, and the design stays as it was.
TEST(DesignFiles, OversizedAndCutFilesSaySoAndChangeNothing) {
    QTemporaryDir dir;
    TDesign d;
    GreyPicture(d.Image);
    ASSERT_TRUE(d.Image.Stretch(400, 300, false));
    auto rewrite = [](const QString& path, const std::function<void(QByteArray&)>& change) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        change(bytes);
        f.resize(0);
        f.write(bytes);
    };
    const QByteArray little("\x40\x42\x0f\x00", 4), big("\x00\x0f\x42\x40", 4); // 1000000
    const struct {
        const char* Name;
        int Width, Height; // offsets of the sides in the header
        QByteArray Side;
    } files[] = {{"big.tex", 8, 12, little}, {"big.bmp", 18, 22, little}, {"big.png", 16, 20, big}};
    for (const auto& f : files) {
        const QString path = dir.path() + "/" + f.Name, cut = dir.path() + "/cut-" + f.Name;
        ASSERT_EQ(SaveDesign(path, 0, 0, d), 0u);
        ASSERT_TRUE(QFile::copy(path, cut));
        rewrite(path, [&](QByteArray& b) { b.replace(f.Width, 4, f.Side).replace(f.Height, 4, f.Side); });
        rewrite(cut, [](QByteArray& b) { b.chop(b.size() / 3); });
        TDesign e;
        GreyPicture(e.Image);
        QString detail;
        EXPECT_EQ(OpenDesign(path, 0, 0, e, 0, &detail), ErrorCode::PictureTooLarge) << f.Name;
        EXPECT_EQ(detail, "1000000 x 1000000 pixels") << f.Name;
        EXPECT_EQ(OpenDesign(cut, 0, 0, e, 0, &detail), ErrorCode::DamagedFile) << f.Name;
        EXPECT_TRUE(detail.isEmpty());
        EXPECT_EQ(e.Image.Width, 4);
        EXPECT_EQ(e.Image.GetPixel(2, 0), 5u);
    }
}

TEST(FileTypes, ExtensionsFiltersAndReplacement) {
    EXPECT_EQ(FileTypeOfName("a/B.TEX"), TypeTex);
    EXPECT_EQ(FileTypeOfName("x.tiff"), TypeTif);
    EXPECT_EQ(FileTypeOfName("x.jpg"), 0);
    EXPECT_EQ(FileTypeInfo(TypePsd)->FormatCode, 76);
    EXPECT_EQ(FileTypeInfo(16), nullptr);
    EXPECT_TRUE(FileTypeFilters().startsWith("Velmora Textile 256 Colors File (*.tex);;"));
    EXPECT_EQ(ReplaceExtension("dir.v1/design.bmp", ".tex"), "dir.v1/design.tex");
    EXPECT_EQ(ReplaceExtension("dir.v1/design", ".tex"), "dir.v1/design.tex");
}

TEST(DefaultPalette, ComesFromTheShippedPaletteFileOrTheBuiltInRule) {
    QTemporaryDir empty;
    qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
    LoadConfiguration();
    TPalette shipped;
    LoadDefaultPalette(shipped);
    EXPECT_EQ(shipped[1].ColorRef(), MakeColorRef(255, 255, 255));
    EXPECT_EQ(shipped[2].ColorRef(), MakeColorRef(255, 255, 255)); // the grey ramp runs from white
    EXPECT_EQ(shipped[21].ColorRef(), MakeColorRef(0, 0, 0));
    EXPECT_NE(shipped[22].ColorRef(), shipped[23].ColorRef());
    EXPECT_EQ(shipped.UseColor, 2); // reading a palette never changes the count

    qputenv("VELMORA_HOME", empty.path().toUtf8());
    LoadConfiguration();
    TPalette builtIn;
    LoadDefaultPalette(builtIn);
    TPalette expected;
    expected.SetDefault();
    for (int i = 0; i < 256; ++i)
        EXPECT_TRUE(builtIn[i] == expected[i]) << i;
    qunsetenv("VELMORA_HOME");
}
