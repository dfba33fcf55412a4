// Writes the fuzz targets' seed files with the program's own writers:
// fuzz_seeds DIR makes DIR/<target>/ with a few small valid inputs each.
#include "Fuzzinput.h"
#include "colour/Palettefile.h"
#include "platform/Magickinit.h"
#include "raster/Undo.h"
#include "shell/Clipboard.h"
#include "shell/Document.h"
#include "shell/File.h"
#include "shell/Filetypes.h"
#include "textile/Carpetfile.h"
#include "textile/Diskimage.h"
#include "textile/Stripefile.h"
#include "textile/Texture.h"
#include "textile/Wif.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

namespace {

QString Out;

QString Seed(const char* target, const QString& name) {
    QDir().mkpath(Out + "/" + target);
    return Out + "/" + target + "/" + name;
}

void Put(const char* target, const QString& name, const QByteArray& bytes) {
    QFile f(Seed(target, name));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Picture(TOrvaneBitmap& b, int w, int h, int bpp) {
    b.Allocate(w, h, nullptr, bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, bpp == 8 ? uint32_t(2 + (x + y) % 6) : uint32_t(0x102030 * (x + 1) + y));
}

void Documents() {
    for (int bpp : {8, 24})
        for (int compression : {0, 2}) {
            TDesign d;
            Picture(d.Image, 9, 5, bpp);
            const QString name = QStringLiteral("d%1-%2.tex").arg(bpp).arg(compression);
            SaveDesign(Seed("document", name), 0, compression, d);
        }
    TDesign d;
    Picture(d.Image, 12, 7, 8);
    TCarpetParts carpet;
    carpet.Textures.push_back(TCarpetTexture{"a.ctx", 2, 2, {2, 3, 4, 5}});
    WriteCarpetFile(Seed("carpet", "c.cpt"), 2, d, carpet);
    WriteTextureFile(Seed("texture", "t.ctx"), carpet.Textures[0]);
    WriteStripeFile(Seed("stripe", "s.stp"), d.Palette, TStripeList{TStripe{3, 0, 2, 40, false}, TStripe{}});
    SavePaletteFile(Seed("palette", "p.fcr"), d.Palette);
    TOrvaneBitmap carpetPicture;
    Picture(carpetPicture, 30, 3, 8);
    std::vector<uint8_t> image;
    if (!EncodeCarpetDiskette(carpetPicture, 30, 3, image))
        Put("diskette", "d.img",
            QByteArray(reinterpret_cast<const char*>(image.data()) + CarpetDisk::kHeaderAt,
                       CarpetDisk::kRowsAt + 3 * CarpetDisk::kRowBytes - CarpetDisk::kHeaderAt));
    Put("clipboard", "c.bin", EncodeClipboard(d.Image, d.Palette, QRect(1, 1, 6, 4), QRegion(1, 1, 6, 4), 7));
}

void Weaves() {
    TTexBitData w;
    w.Name = "twill";
    w.Width = w.Height = 4;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            w.Bits.push_back(uint8_t((x + y) % 4 < 2));
    MakeDraft(w);
    WriteWif(Seed("wif", "w.wif"), w);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    WriteWeaves(&out, {w, w});
    Put("weave", "w.bin", QByteArray(1, '\x02') + bytes);
}

void Undo() {
    TUndoData record(1, QString());
    record.Rect = QRect(0, 0, 5, 4);
    for (int bpp : {8, 24}) {
        TOrvaneBitmap b;
        Picture(b, 5, 4, bpp);
        QByteArray bytes;
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        record.WriteBitmap(out, &b);
        Put("undo", QStringLiteral("u%1.bin").arg(bpp),
            QByteArray("\x04\x03") + char(bpp == 8 ? 1 : 2) + bytes);
    }
}

void Images() {
    InitImaging();
    // The first byte picks the extension in fuzz_image: 0 ".bmp", 1 ".png".
    const std::pair<int, const char*> types[] = {{TypeBmp, "in.bmp"}, {TypePng, "in.png"}};
    for (int k = 0; k < 2; ++k) {
        TOrvaneBitmap b;
        Picture(b, 6, 4, 8);
        const QString path = FuzzDir() + "/" + types[k].second;
        if (b.SaveToFile(path, FileTypeInfo(types[k].first)->FormatCode))
            Put("image", types[k].second, QByteArray(1, char(k)) + FileBytes(path));
    }
}

void DataFiles() {
    const QString data = VELMORA_SOURCE_DATA_DIR;
    Put("language", "English.tdw", FileBytes(data + "/Bin/English.tdw").left(60000));
    Put("library", "Standard.vmc", FileBytes(data + "/Color/Standard.vmc"));
    Put("usercolor", "empty.ucl", QByteArray());
    Put("colorset", "set.ini",
        "[Colors]\nCount=3\nColor0=5\nColor1=7\nColor2=300\n[Set1]\nCount=1\nColor0=2\n");
    Put("jacquard", "empty.jqd", QByteArray(4, '\0'));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    Out = QString::fromLocal8Bit(argv[1]);
    Documents();
    Weaves();
    Undo();
    Images();
    DataFiles();
    return 0;
}
