// velmora-cli run as a user runs it, on pictures ImageMagick wrote.
#include "shell/Common.h"
#include "shell/Document.h"
#include "shell/Exception.h"

#include <Magick++.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

struct TRun {
    int Status = -1;
    QByteArray Out, Err;
};

TRun Cli(const QStringList& args) {
    QProcess p;
    p.start(VELMORA_CLI_PATH, args);
    p.waitForFinished(120000);
    return TRun{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                p.readAllStandardError()};
}

QJsonObject Dump(const QString& path) {
    const TRun r = Cli({"dump", path, "--json"});
    EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
    return QJsonDocument::fromJson(r.Out).object();
}

class CliTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { Magick::InitializeMagick(nullptr); }
    QString Write(const char* builtin, const QString& name) {
        Magick::Image img(builtin);
        const QString path = dir.path() + "/" + name;
        img.write(path.toStdString());
        return path;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(CliTest, FullColourPictureOpenedAs256ColoursUsesIndicesTwoTo251) {
    const QString png = Write("rose:", "rose.png");
    const QString tex = dir.path() + "/rose.tex";
    const TRun r = Cli({"convert", png, tex, "--colors", "256"});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    const QJsonObject d = Dump(tex);
    EXPECT_EQ(d["magic"].toString(), "PT");
    EXPECT_EQ(d["version"].toInt(), 222);
    EXPECT_EQ(d["bits_per_pixel"].toInt(), 8);
    EXPECT_EQ(d["width"].toInt(), 70);
    EXPECT_EQ(d["height"].toInt(), 46);
    EXPECT_EQ(d["paper"].toObject()["type"].toInt(), 5);
    EXPECT_EQ(d["paper"].toObject()["dpi"].toInt(), 160);
    EXPECT_EQ(d["used_colors"].toInt(), 251); // rose has more than 250 colours
    const QJsonArray pal = d["palette"].toArray();
    ASSERT_EQ(pal.size(), 256);
    EXPECT_EQ(pal[0].toObject()["red"].toInt(), 0);
    EXPECT_EQ(pal[255].toObject()["green"].toInt(), 255);
    EXPECT_EQ(d["pixels_sha256"].toString().size(), 64);

    // Back to a picture in full colour: close to the original.
    const QString back = dir.path() + "/back.png";
    ASSERT_EQ(Cli({"convert", tex, back, "--colors", "full"}).Status, 0);
    Magick::Image a("rose:"), b(back.toStdString());
    std::vector<uint8_t> pa(70 * 46 * 3), pb(70 * 46 * 3);
    a.write(0, 0, 70, 46, "RGB", Magick::CharPixel, pa.data());
    b.write(0, 0, 70, 46, "RGB", Magick::CharPixel, pb.data());
    double err = 0;
    for (size_t i = 0; i < pa.size(); ++i)
        err += std::abs(int(pa[i]) - int(pb[i]));
    EXPECT_LT(err / double(pa.size()), 4.0);
}

TEST_F(CliTest, FewColourPictureKeepsItsColoursExactlyThroughADesign) {
    Magick::Image logo("logo:");
    logo.quantizeColors(16);
    logo.quantize();
    logo.type(Magick::PaletteType);
    const QString bmp = dir.path() + "/logo.bmp";
    logo.write(bmp.toStdString());
    const QString tex = dir.path() + "/logo.tex", out = dir.path() + "/logo.tif";
    ASSERT_EQ(Cli({"convert", bmp, tex}).Status, 0);
    const QJsonObject d = Dump(tex);
    EXPECT_EQ(d["bits_per_pixel"].toInt(), 8);
    EXPECT_LE(d["used_colors"].toInt(), 17);
    ASSERT_EQ(Cli({"convert", tex, out}).Status, 0);
    Magick::Image a(bmp.toStdString()), b(out.toStdString());
    const size_t w = a.columns(), h = a.rows();
    std::vector<uint8_t> pa(w * h * 3), pb(w * h * 3);
    a.write(0, 0, w, h, "RGB", Magick::CharPixel, pa.data());
    b.write(0, 0, w, h, "RGB", Magick::CharPixel, pb.data());
    EXPECT_EQ(pa, pb);
}

TEST_F(CliTest, ThumbnailInfoAndErrors) {
    const QString png = Write("wizard:", "wizard.png");
    const QString tfc = dir.path() + "/wizard.tfc";
    ASSERT_EQ(Cli({"convert", png, tfc, "--colors", "full"}).Status, 0);
    const QString thumb = dir.path() + "/thumb.png";
    ASSERT_EQ(Cli({"thumbnail", tfc, thumb}).Status, 0);
    Magick::Image t(thumb.toStdString());
    EXPECT_EQ(t.columns(), 80u);
    EXPECT_EQ(t.rows(), 100u);

    const TRun info = Cli({"info", tfc, png});
    EXPECT_EQ(info.Status, 0);
    EXPECT_TRUE(info.Out.contains("24 bits per pixel"));
    EXPECT_TRUE(info.Out.contains("PT version 222"));

    QFile bad(dir.path() + "/bad.tex");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("PT\xde\x00garbage", 11);
    bad.close();
    const TRun dump = Cli({"dump", bad.fileName(), "--json"});
    EXPECT_NE(dump.Status, 0);
    EXPECT_EQ(QJsonDocument::fromJson(dump.Out).object()["error"].toString(), "0x40000104");
    const TRun conv = Cli({"convert", bad.fileName(), dir.path() + "/x.png"});
    EXPECT_NE(conv.Status, 0);
    EXPECT_FALSE(conv.Err.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.path() + "/x.png"));
    // Outputs under names the program does not write are refused with a message and not written.
    for (const QStringList& args : {QStringList{"convert", png, dir.path() + "/x.jpg"},
                                    QStringList{"convert", png, dir.path() + "/x.wea"},
                                    QStringList{"thumbnail", tfc, dir.path() + "/x.jpg"},
                                    QStringList{"thumbnail", png, dir.path() + "/x.tex"}}) {
        const TRun refused = Cli(args);
        EXPECT_EQ(refused.Status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(refused.Err.contains("cannot be written")) << refused.Err.toStdString();
        EXPECT_FALSE(QFile::exists(args[2])) << args[2].toStdString();
    }
    EXPECT_EQ(Cli({"convert", png}).Status, 2);
    EXPECT_EQ(Cli({"frobnicate"}).Status, 2);
}

TEST_F(CliTest, EveryCommandReportsAMissingInputAlike) {
    for (const char* name : {"missing.tex", "missing.png"}) {
        const QString path = dir.path() + "/" + name;
        const QString out = dir.path() + "/out.png";
        const QByteArray expected = "error: The file cannot be found. " + path.toUtf8() + "\n";
        for (const QStringList& args :
             {QStringList{"info", path}, QStringList{"convert", path, out},
              QStringList{"thumbnail", path, out}, QStringList{"dump", path, "--json"}}) {
            const TRun r = Cli(args);
            EXPECT_EQ(r.Status, 1) << args.join(' ').toStdString();
            EXPECT_EQ(r.Err, expected) << args.join(' ').toStdString();
            EXPECT_TRUE(r.Out.isEmpty()) << args.join(' ').toStdString();
        }
    }
}

// info refuses what the desktop program refuses, with its message, and describes the
// paper and colours of what it opens.
TEST_F(CliTest, InfoRefusesAsTheProgramDoesAndDescribesPaperAndColours) {
    qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
    LoadConfiguration();
    LoadAppTables();
    auto save = [&](const QString& name, int bpp, int paperType, int orientation, int w, int h) {
        TDesign d;
        d.Paper.dpi = 50;
        d.Paper.orientation = uint8_t(orientation);
        SetPaper(d.Paper, paperType, w, h);
        EXPECT_TRUE(d.Image.Allocate(d.Paper.width, d.Paper.height, nullptr, bpp));
        d.Palette.SetDefault();
        d.Palette.UseColor = 9;
        const QString path = dir.path() + "/" + name;
        EXPECT_EQ(SaveDesign(path, 0, 2, d), 0u);
        return path;
    };
    const struct {
        QString Path;
        const char* Paper;
        bool CountsColours;
    } designs[] = {
        {save("wide.tfc", 24, kPaperCustom, 0, 30, 10), "custom landscape", false},
        {save("tall.tex", 8, kPaperCustom, 1, 10, 30), "custom portrait", true},
        {save("a4wide.tex", 8, 0, 1, 0, 0), "A4 landscape", true},
        {save("a4.tfc", 24, 0, 0, 0, 0), "A4 portrait", false},
    };
    for (const auto& d : designs) {
        const TRun r = Cli({"info", d.Path});
        EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
        EXPECT_TRUE(r.Out.contains(QByteArray("paper        ") + d.Paper)) << r.Out.toStdString();
        EXPECT_EQ(r.Out.contains("9 used"), d.CountsColours) << r.Out.toStdString();
        EXPECT_EQ(Dump(d.Path).contains("used_colors"), d.CountsColours) << d.Path.toStdString();
    }

    // A design and a picture announcing 1000000 x 1000000 pixels.
    QFile tex(dir.path() + "/huge.tex"), bmp(dir.path() + "/huge.bmp");
    ASSERT_TRUE(tex.open(QIODevice::WriteOnly) && bmp.open(QIODevice::WriteOnly));
    tex.write(QByteArray("PT\xde\x00\x05\x00\xa0\x00\x40\x42\x0f\x00\x40\x42\x0f\x00\x08\x00", 18) +
              QByteArray(14 + 9000, '\0'));
    bmp.write(
        QByteArray("BM\x76\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x40\x42\x0f\x00\x40\x42\x0f\x00\x01\0\x18\0",
                   30) +
        QByteArray(88, '\0'));
    tex.close();
    bmp.close();
    for (const QString& path : {tex.fileName(), bmp.fileName()}) {
        TDesign d;
        QString detail;
        const uint32_t code = OpenDesign(path, 0, 0, d, 0, &detail);
        EXPECT_EQ(code, ErrorCode::PictureTooLarge);
        const TRun r = Cli({"info", path});
        EXPECT_EQ(r.Status, 1);
        EXPECT_TRUE(r.Out.isEmpty()) << r.Out.toStdString();
        const QString shown =
            "error: " + ErrorText(code).replace("\r\n", " ") + " " + path + ": " + detail + "\n";
        EXPECT_EQ(r.Err.toStdString(), shown.toStdString());
    }
    FreeAppTables();
    qunsetenv("VELMORA_HOME");
}

// ".tex" is the 256-colour design and ".tfc" the full-colour one, whatever the input.
TEST_F(CliTest, ConvertWritesTheDepthOfTheDesignType) {
    const QString rose = Write("rose:", "rose.png"); // full colour, over 250 colours
    const QString full = dir.path() + "/full.tfc", few = dir.path() + "/few.tex";
    ASSERT_EQ(Cli({"convert", rose, full}).Status, 0);
    ASSERT_EQ(Cli({"convert", rose, few}).Status, 0);
    const struct {
        QString In, Out;
        int Bits;
    } written[] = {{rose, few, 8}, {full, "again.tex", 8}, {few, "back.tfc", 24}, {rose, full, 24}};
    for (const auto& w : written) {
        const QString out = w.Out.contains('/') ? w.Out : dir.path() + "/" + w.Out;
        ASSERT_EQ(Cli({"convert", w.In, out}).Status, 0) << out.toStdString();
        const QJsonObject d = Dump(out);
        EXPECT_EQ(d["bits_per_pixel"].toInt(), w.Bits) << out.toStdString();
    }
    for (const auto& [colors, name] : {std::pair{"full", "no.tex"}, {"256", "no.tfc"}}) {
        const QString out = dir.path() + "/" + name;
        const TRun r = Cli({"convert", rose, out, "--colors", colors});
        EXPECT_EQ(r.Status, 1) << name;
        EXPECT_TRUE(r.Err.contains(".tex design holds 256 colors")) << r.Err.toStdString();
        EXPECT_FALSE(QFile::exists(out)) << name;
    }
}
