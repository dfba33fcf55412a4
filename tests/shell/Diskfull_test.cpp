// A save that runs out of room (the process's file-size limit stands in for a
// full disk) reports its error, leaves the old file byte for byte and leaves no
// temporary file beside it.
#include "colour/Currentcolour.h"
#include "colour/Palettefile.h"
#include "colour/Usercolor.h"
#include "platform/Inifile.h"
#include "shell/Document.h"
#include "shell/File.h"
#include "shell/Mainimage.h"
#include "support/Filesizelimit.h"
#include "support/Noise.h"
#include "textile/Carpetfile.h"
#include "textile/Diskaccess.h"
#include "textile/Stripefile.h"
#include "textile/Wif.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(DiskFull, ASaveThatRunsOutOfRoomKeepsTheOldFile) {
    QTemporaryDir dir;
    TDesign full, indexed;
    TPaper paper;
    SetPaper(paper, kPaperCustom, 300, 200);
    ASSERT_EQ(NewCanvasDesign(full, paper, 24, TCurrentColour::OfIndex(5)), 0u);
    ASSERT_EQ(NewCanvasDesign(indexed, paper, 8, TCurrentColour::OfIndex(5)), 0u);
    TNoise noise{1}; // so that no writer can squeeze the picture small
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) {
            const uint32_t seed = noise.Next();
            full.Image.SetPixel(x, y, seed >> 8);
            indexed.Image.SetPixel(x, y, 2 + (seed >> 24) % 250);
        }
    TUserColorList colours;
    TStripeList stripes;
    TTexBitData weave;
    weave.Width = weave.Height = 96;
    std::vector<uint8_t> diskette(1228800);
    for (int i = 0; i < 2000; ++i) {
        const uint32_t seed = noise.Next();
        colours.push_back({QByteArray::number(seed, 36), KindNormal, 0, 0, int(seed >> 24), 7, 9});
        stripes.push_back({uint8_t(2 + seed % 250), 0, 1, int16_t(1 + seed % 300), false});
    }
    for (int i = 0; i < weave.Width * weave.Height; ++i)
        weave.Bits.push_back(uint8_t(noise.Next() >> 31));
    for (uint8_t& b : diskette)
        b = uint8_t(noise.Next() >> 24);
    struct Case {
        const char* Name;
        std::function<uint32_t(const QString&)> Save;
    };
    const Case cases[] = {
        {"design.tfc", [&](const QString& p) { return SaveDesign(p, 0, 0, full); }},
        {"design.tex", [&](const QString& p) { return SaveDesign(p, 0, 2, indexed); }},
        {"picture.png", [&](const QString& p) { return SaveDesign(p, 0, 0, full); }},
        {"picture.tif", [&](const QString& p) { return SaveDesign(p, 0, 0, indexed); }},
        {"picture.bmp", [&](const QString& p) { return SaveDesign(p, 0, 0, full); }},
        {"palette.fcr", [&](const QString& p) { return SavePaletteFile(p, indexed.Palette); }},
        {"carpet.cpt",
         [&](const QString& p) {
             return WriteCarpetFile(p, 0, indexed, TCarpetParts{{true, 300, 200}, {}});
         }},
        {"colours.ucl", [&](const QString& p) { return WriteUserColors(p, colours); }},
        {"stripes.stp", [&](const QString& p) { return WriteStripeFile(p, indexed.Palette, stripes); }},
        {"weave.wif", [&](const QString& p) { return WriteWif(p, weave); }},
        {"settings.ini",
         [&](const QString& p) {
             TIniFile ini(p);
             for (const TUserColor& c : colours)
                 ini.WriteString("Colours", c.Name, QString::number(c.Red));
             return ini.UpdateFile() ? 0u : 1u;
         }},
        {"diskette.img",
         [&](const QString& p) { return WriteDiskette(*MakeImageFileTarget(p), diskette, nullptr); }},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.Name), whole = dir.filePath(QStringLiteral("whole-") + c.Name);
        ASSERT_EQ(c.Save(whole), 0u) << c.Name;
        const qint64 size = QFileInfo(whole).size();
        QFile::remove(whole);
        const QByteArray old("the old file, kept");
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(old);
        }
        uint32_t code = 0;
        {
            TFileSizeLimit limit(rlim_t(size / 2));
            code = c.Save(path);
        }
        EXPECT_NE(code, 0u) << c.Name << " reported success with half of " << size << " bytes written";
        EXPECT_EQ(Bytes(path), old) << c.Name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{c.Name}) << c.Name;
        QFile::remove(path);
    }
}
