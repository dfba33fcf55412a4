#include "platform/Imagefile.h"
#include "platform/Magickinit.h"

#include <gtest/gtest.h>

#include <Magick++.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <zlib.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

const char* const kBuiltIns[] = {"rose:", "logo:", "wizard:", "granite:", "netscape:"};

struct TFormatCase {
    const char* Suffix;
    int Code;
};
const TFormatCase kFormats[] = {{"bmp", FILE_BMP}, {"pict", FILE_PICT}, {"pcx", FILE_PCX}, {"png", FILE_PNG},
                                {"psd", FILE_PSD}, {"sun", FILE_SUN},   {"tga", FILE_TGA}, {"tif", FILE_TIF}};

// Red, green, blue of every pixel, rows top-down, back to back.
std::vector<uint8_t> Rgb(Magick::Image img) {
    std::vector<uint8_t> rgb(img.columns() * img.rows() * 3);
    img.write(0, 0, img.columns(), img.rows(), "RGB", Magick::CharPixel, rgb.data());
    return rgb;
}

std::vector<uint8_t> Rgb(const TBitmapHandle& h) {
    std::vector<uint8_t> rgb;
    rgb.reserve(size_t(h.Width) * size_t(h.Height) * 3);
    for (int y = 0; y < h.Height; ++y)
        for (int x = 0; x < h.Width; ++x) {
            if (h.BitsPerPixel == 8) {
                const TRGBQuad& q = h.Palette[h.Row(y)[x]];
                rgb.insert(rgb.end(), {q.rgbRed, q.rgbGreen, q.rgbBlue});
            } else {
                const uint8_t* p = h.Row(y) + 3 * x;
                rgb.insert(rgb.end(), {p[2], p[1], p[0]});
            }
        }
    return rgb;
}

size_t CountDifferences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size()) return std::max(a.size(), b.size());
    size_t n = 0;
    for (size_t i = 0; i < a.size(); i += 3)
        n += std::memcmp(&a[i], &b[i], 3) != 0;
    return n;
}

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A textile-like picture: flat ground, stripes, a motif and a sprinkle of noise over
// `colours` palette entries that are all different and out of order.
TBitmapHandle MakeDesign(int width, int height, int bits, int colours = 48) {
    TBitmapHandle h;
    EXPECT_TRUE(CreateBitmapHandle(h, width, height, bits));
    for (int i = 0; i < 256; ++i)
        h.Palette[i] = TRGBQuad{uint8_t(i * 37 + 11), uint8_t(255 - i), uint8_t(i * 101 + 7), 0};
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int c = (y / 9) % 5 == 0 ? 3 + (x / 13) % 6 : 1;
            if ((x - width / 2) * (x - width / 2) + (y - height / 2) * (y - height / 2) < width * width / 9)
                c = 10 + (x + y) % 20;
            if (random() % 50 == 0) c = int(random() % unsigned(colours));
            c = (c * 97 + 5) % 256 % colours * 5 % 256; // scatter over the palette
            if (bits == 8) {
                h.Row(y)[x] = uint8_t(c);
            } else {
                const TRGBQuad& q = h.Palette[c];
                uint8_t* p = h.Row(y) + 3 * x;
                p[0] = q.rgbBlue, p[1] = q.rgbGreen, p[2] = q.rgbRed;
            }
        }
    return h;
}

TBitmapHandle SmallPicture() {
    return MakeDesign(5, 3, 24);
}

TEST(ImagingInit, RaisesPixelCacheLimitsAndRestoresEnvironment) {
    const QByteArray before = qgetenv("MAGICK_CONFIGURE_PATH");
    InitImaging();
    InitImaging();
    EXPECT_GE(Magick::ResourceLimits::memory(), MagickCore::MagickSizeType(8) << 30);
    EXPECT_GE(Magick::ResourceLimits::map(), MagickCore::MagickSizeType(16) << 30);
    EXPECT_GE(Magick::ResourceLimits::width(), MagickCore::MagickSizeType(kMaxBitmapSide));
    EXPECT_GE(Magick::ResourceLimits::height(), MagickCore::MagickSizeType(kMaxBitmapSide));
    EXPECT_EQ(qgetenv("MAGICK_CONFIGURE_PATH"), before);
}

TEST(ImageFile, ReadsPicturesImageMagickWroteInEveryFormat) {
    InitImaging();
    QTemporaryDir dir;
    for (const char* builtIn : kBuiltIns) {
        const Magick::Image reference(builtIn);
        const bool palette = reference.classType() == Magick::PseudoClass;
        for (const TFormatCase& f : kFormats) {
            SCOPED_TRACE(std::string(builtIn) + " as " + f.Suffix);
            Magick::Image copy(builtIn); // writers may change the picture they write
            // This ImageMagick cannot read the indexed PSD it writes, so give it RGB.
            if (f.Code == FILE_PSD) copy.type(Magick::TrueColorType);
            const QString path = dir.filePath(QStringLiteral("picture.") + f.Suffix);
            copy.write(Native(path));
            TBitmapHandle h;
            TImageFileFacts facts;
            ASSERT_TRUE(LoadImageFile(path, h, &facts));
            EXPECT_EQ(h.Width, int(reference.columns()));
            EXPECT_EQ(h.Height, int(reference.rows()));
            EXPECT_EQ(h.BytesPerLine, BitmapBytesPerLine(h.Width, h.BitsPerPixel));
            EXPECT_EQ(h.BitsPerPixel, palette && f.Code != FILE_PSD ? 8 : 24);
            if (h.BitsPerPixel == 8) {
                EXPECT_LE(facts.SourceBits, 8);
            } else {
                EXPECT_EQ(facts.SourceBits, 24);
            }
            EXPECT_EQ(CountDifferences(Rgb(h), Rgb(reference)), 0u);
            FreeBitmapHandle(h);
        }
    }
}

TEST(ImageFile, SavedPicturesReadBackExactlyInEveryFormat) {
    QTemporaryDir dir;
    for (const TFormatCase& f : kFormats)
        for (int bits : {8, 24})
            for (int width : {3, 7, 8, 9, 33}) {
                SCOPED_TRACE(std::string(f.Suffix) + " " + std::to_string(bits) + " bits, width " +
                             std::to_string(width));
                TBitmapHandle picture = MakeDesign(width, 11, bits);
                const QString path = dir.filePath(QStringLiteral("design.") + f.Suffix);
                ASSERT_TRUE(SaveImageFile(path, picture, f.Code));
                TBitmapHandle back;
                TImageFileFacts facts;
                ASSERT_TRUE(LoadImageFile(path, back, &facts));
                EXPECT_EQ(back.Width, width);
                EXPECT_EQ(back.Height, 11);
                EXPECT_EQ(CountDifferences(Rgb(back), Rgb(picture)), 0u);
                // Palette files keep their indices and colour table. PSD goes out as RGB, and
                // so do PICT pictures too narrow for this ImageMagick's palette rows.
                const bool palette = bits == 8 && f.Code != FILE_PSD && !(f.Code == FILE_PICT && width < 8);
                EXPECT_EQ(back.BitsPerPixel, palette ? 8 : 24);
                EXPECT_EQ(facts.SourceBits, palette ? 8 : 24);
                for (int y = 0; palette && y < 11; ++y)
                    EXPECT_EQ(std::memcmp(back.Row(y), picture.Row(y), size_t(width)), 0) << "row " << y;
                FreeBitmapHandle(picture);
                FreeBitmapHandle(back);
            }
}

TEST(ImageFile, ArrivesAtNaturalDepthWithFileBitsReported) {
    InitImaging();
    QTemporaryDir dir;
    struct TCase {
        const char* Source;
        const char* Target;
        Magick::ImageType Type;
        int Depth;
        int Bits;     // expected bits in the handle
        int FileBits; // expected facts.SourceBits
        const char* BmpSubtype = nullptr;
    };
    const TCase cases[] = {
        {"granite:", "bmp3:granite4.bmp", Magick::PaletteType, 8, 8, 4},
        {"granite:", "png:granite4.png", Magick::PaletteType, 8, 8, 4},
        {"rose:", "bmp3:rose1.bmp", Magick::BilevelType, 1, 8, 1},
        {"rose:", "png48:rose48.png", Magick::TrueColorType, 16, 24, 48},
        {"rose:", "png32:rose32.png", Magick::TrueColorMatteType, 8, 24, 32},
        {"rose:", "png:grey16.png", Magick::GrayscaleType, 16, 24, 16},
        {"rose:", "tiff:rose48.tif", Magick::TrueColorType, 16, 24, 48},
        {"rose:", "tga:rose24.tga", Magick::TrueColorType, 8, 24, 24},
        {"rose:", "bmp:rose16.bmp", Magick::TrueColorType, 8, 24, 16, "RGB565"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Target);
        Magick::Image source(c.Source);
        source.type(c.Type);
        source.depth(size_t(c.Depth));
        if (c.BmpSubtype) source.defineValue("bmp", "subtype", c.BmpSubtype);
        const std::string target = c.Target;
        const QString path = dir.filePath(QString::fromStdString(target.substr(target.find(':') + 1)));
        source.write(target.substr(0, target.find(':') + 1) + Native(path));
        const std::vector<uint8_t> expected = Rgb(Magick::Image(Native(path)));
        TBitmapHandle h;
        TImageFileFacts facts;
        ASSERT_TRUE(LoadImageFile(path, h, &facts));
        EXPECT_EQ(h.BitsPerPixel, c.Bits);
        EXPECT_EQ(facts.SourceBits, c.FileBits);
        EXPECT_EQ(CountDifferences(Rgb(h), expected), 0u);
        FreeBitmapHandle(h);
    }
}

TEST(ImageFile, GreyLevelIsTheIndexForGreyscaleFiles) {
    InitImaging();
    QTemporaryDir dir;
    for (int depth : {4, 8}) {
        Magick::Image grey("rose:");
        grey.type(Magick::GrayscaleType);
        grey.depth(size_t(depth));
        grey.defineValue("png", "bit-depth", std::to_string(depth));
        grey.defineValue("png", "color-type", "0");
        const QString path = dir.filePath(QStringLiteral("grey.png"));
        grey.write(Native(path));
        const std::vector<uint8_t> expected = Rgb(Magick::Image(Native(path)));
        TBitmapHandle h;
        TImageFileFacts facts;
        ASSERT_TRUE(LoadImageFile(path, h, &facts));
        EXPECT_EQ(facts.SourceBits, depth);
        ASSERT_EQ(h.BitsPerPixel, 8);
        for (int y = 0; y < h.Height; ++y)
            for (int x = 0; x < h.Width; ++x) {
                ASSERT_EQ(h.Row(y)[x], expected[(size_t(y) * size_t(h.Width) + size_t(x)) * 3]);
                ASSERT_EQ(h.Palette[h.Row(y)[x]].rgbGreen, h.Row(y)[x]);
            }
        FreeBitmapHandle(h);
    }
}

// ImageMagick turns a palette PNG with transparency into colours; the indices must
// still come back as the file has them.
TEST(ImageFile, PngPaletteIndicesSurviveTransparency) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("clear.png"));
    TBitmapHandle picture = MakeDesign(40, 30, 8);
    ASSERT_TRUE(SaveImageFile(path, picture, FILE_PNG));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray png = file.readAll();
    file.close();
    // A tRNS chunk making entry 0 transparent, put in front of the first IDAT.
    QByteArray chunk("\0\0\0\1tRNS\0", 9);
    const uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(chunk.constData() + 4), 5));
    for (int shift : {24, 16, 8, 0})
        chunk.append(char(crc >> shift));
    png.insert(png.indexOf("IDAT") - 4, chunk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(png);
    file.close();

    TBitmapHandle back;
    ASSERT_TRUE(LoadImageFile(path, back, nullptr));
    ASSERT_EQ(back.BitsPerPixel, 8);
    for (int y = 0; y < back.Height; ++y)
        EXPECT_EQ(std::memcmp(back.Row(y), picture.Row(y), 40), 0) << "row " << y;
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(back.Palette[i], picture.Palette[i]) << "entry " << i;
    FreeBitmapHandle(picture);
    FreeBitmapHandle(back);
}

// A 54-byte BMP header announcing the given size at 24 bits, followed by a few pixels.
QByteArray BmpHeader(int32_t width, int32_t height) {
    QByteArray b(54 + 64, '\0');
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B', b[1] = 'M';
    put32(2, uint32_t(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    b[26] = 1;
    b[28] = 24;
    return b;
}

// A PNG announcing width x height RGB pixels whose data is a few hundred bytes.
QByteArray PngHeader(uint32_t width, uint32_t height) {
    auto chunk = [](const char* type, const QByteArray& data) {
        QByteArray c;
        for (int shift : {24, 16, 8, 0})
            c.append(char(uint32_t(data.size()) >> shift));
        c.append(type).append(data);
        const uint32_t crc =
            uint32_t(crc32(0, reinterpret_cast<const Bytef*>(c.constData() + 4), uInt(c.size() - 4)));
        for (int shift : {24, 16, 8, 0})
            c.append(char(crc >> shift));
        return c;
    };
    QByteArray ihdr;
    for (uint32_t v : {width, height})
        for (int shift : {24, 16, 8, 0})
            ihdr.append(char(v >> shift));
    ihdr.append("\x08\x02\0\0\0", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) +
           chunk("IDAT", qCompress(QByteArray(100000, '\0')).mid(4)) + chunk("IEND", QByteArray());
}

TEST(ImageFile, BadFilesFailWithTheHandleEmpty) {
    InitImaging();
    QTemporaryDir dir;
    Magick::Image logo("logo:");
    Magick::Blob png;
    logo.write(&png, "PNG");
    std::mt19937 random(3);
    QByteArray noise(20000, '\0');
    for (char& c : noise)
        c = char(random());
    Magick::Image rose("rose:");
    Magick::Blob psd;
    rose.write(&psd, "PSD");
    // A TIFF ImageMagick decodes loads its TIFF coder, whose handlers for libtiff's
    // messages abort outside it: the row reader must not reach them.
    Magick::Blob tiff;
    rose.write(&tiff, "TIFF");
    Magick::Image(tiff).ping(tiff);
    QByteArray badIfd("II*\0\xf0\xff\xff\x7f", 8);
    badIfd.append(200, '\0');

    using enum TImageFileFailure;
    struct TCase {
        QString Name;
        QByteArray Bytes;
        TImageFileFailure Failure; // None: any failure will do
    };
    std::vector<TCase> cases = {
        {"empty.png", QByteArray(), Unreadable},
        {"huge.bmp", BmpHeader(1000000, 1000000), TooLarge},
        {"toobig.bmp", BmpHeader(60000, 60000), TooLarge}, // within ImageMagick's limits, over ours
        {"bomb.png", PngHeader(46000, 46000), Damaged},    // within all limits, but not in 300 bytes
        {"noise.tif", noise, None},
        {"badifd.tif", badIfd, None},
        {"noihdr.png", QByteArray("\x89PNG\r\n\x1a\n\x4d\x89\x01\x89SVGP", 16) + QByteArray(64, 'g'),
         Damaged},
        {"noise.tga", noise, None},
        {"noise.pict", noise, None},
        {"short.psd", QByteArray(static_cast<const char*>(psd.data()), int(psd.length()) - 100), Damaged},
        {"short.bmp", BmpHeader(30, 30), Damaged},
    };
    for (int cut : {8, 33, 100, 1000, int(png.length()) / 2, int(png.length()) - 13})
        cases.push_back({QStringLiteral("cut%1.png").arg(cut),
                         QByteArray(static_cast<const char*>(png.data()), cut), cut > 33 ? Damaged : None});
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name.toStdString());
        QFile file(dir.filePath(c.Name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.Bytes);
        file.close();
        TBitmapHandle h = SmallPicture();
        TImageFileFacts facts;
        facts.SourceBits = -1;
        EXPECT_FALSE(LoadImageFile(file.fileName(), h, &facts));
        EXPECT_EQ(h.Bits, nullptr);
        EXPECT_EQ(h.Width, 0);
        EXPECT_EQ(facts.SourceBits, 0);
        EXPECT_NE(facts.Failure, None);
        EXPECT_TRUE(c.Failure == None || facts.Failure == c.Failure) << int(facts.Failure);
    }
    TBitmapHandle h = SmallPicture();
    EXPECT_FALSE(LoadImageFile(dir.filePath(QStringLiteral("missing.png")), h, nullptr));
    EXPECT_EQ(h.Bits, nullptr);
}

TEST(ImageFile, SaveRefusesWhatItCannotWrite) {
    QTemporaryDir dir;
    TBitmapHandle picture = SmallPicture();
    EXPECT_FALSE(SaveImageFile(dir.filePath(QStringLiteral("missing/dir/a.png")), picture, FILE_PNG));
    EXPECT_FALSE(SaveImageFile(dir.filePath(QStringLiteral("a.png")), picture, 999));
    TBitmapHandle empty;
    EXPECT_FALSE(SaveImageFile(dir.filePath(QStringLiteral("a.png")), empty, FILE_PNG));
    TBitmapHandle oneBit;
    ASSERT_TRUE(CreateBitmapHandle(oneBit, 9, 3, 1));
    EXPECT_FALSE(SaveImageFile(dir.filePath(QStringLiteral("a.bmp")), oneBit, FILE_BMP));
    // PICT rows this ImageMagick would write wrongly.
    TBitmapHandle narrow = MakeDesign(2, 4, 8), wide = MakeDesign(8128, 2, 24);
    EXPECT_FALSE(SaveImageFile(dir.filePath(QStringLiteral("a.pict")), narrow, FILE_PICT));
    EXPECT_FALSE(SaveImageFile(dir.filePath(QStringLiteral("a.pict")), wide, FILE_PICT));
    FreeBitmapHandle(narrow);
    FreeBitmapHandle(wide);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    FreeBitmapHandle(picture);
    FreeBitmapHandle(oneBit);
}

TEST(ImageFile, FailedSaveLeavesTheOldFileIntact) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.png"));
    TBitmapHandle picture = MakeDesign(40, 30, 8);
    ASSERT_TRUE(SaveImageFile(path, picture, FILE_PNG));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();
    TBitmapHandle other = MakeDesign(20, 20, 24);
    EXPECT_FALSE(SaveImageFile(path, other, 999));
    other.BitsPerPixel = 16; // a depth the writer refuses
    EXPECT_FALSE(SaveImageFile(path, other, FILE_PNG));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), good);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 1);
    other.BitsPerPixel = 24;
    FreeBitmapHandle(picture);
    FreeBitmapHandle(other);
}

// An A0 design at 160 dpi overflows Debian's default pixel cache policy.
TEST(ImageFile, FullSizeDesignRoundTripsThroughPngAndTiff) {
    QTemporaryDir dir;
    TBitmapHandle design = MakeDesign(4992, 7040, 24);
    const std::vector<uint8_t> expected = Rgb(design);
    for (int format : {FILE_PNG, FILE_TIF}) {
        SCOPED_TRACE(format);
        const QString path =
            dir.filePath(format == FILE_PNG ? QStringLiteral("a0.png") : QStringLiteral("a0.tif"));
        ASSERT_TRUE(SaveImageFile(path, design, format));
        TBitmapHandle back;
        TImageFileFacts facts;
        ASSERT_TRUE(LoadImageFile(path, back, &facts));
        EXPECT_EQ(facts.SourceBits, 24);
        ASSERT_EQ(back.BitsPerPixel, 24);
        EXPECT_EQ(CountDifferences(Rgb(back), expected), 0u);
        FreeBitmapHandle(back);
    }
    FreeBitmapHandle(design);
    // A blank design is the most compressible PNG there is; it must not look like a bomb.
    TBitmapHandle blank;
    ASSERT_TRUE(CreateBitmapHandle(blank, 4992, 7040, 8));
    const QString path = dir.filePath(QStringLiteral("blank.png"));
    ASSERT_TRUE(SaveImageFile(path, blank, FILE_PNG));
    TBitmapHandle back;
    ASSERT_TRUE(LoadImageFile(path, back, nullptr));
    EXPECT_EQ(back.BitsPerPixel, 8);
    FreeBitmapHandle(blank);
    FreeBitmapHandle(back);
}

} // namespace
