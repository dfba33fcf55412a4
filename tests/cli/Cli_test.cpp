// velmora-cli run as a user runs it, on pictures ImageMagick wrote.
#include "shell/Common.h"
#include "shell/Document.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "support/Carpetcanvas.h"
#include "support/Clirun.h"
#include "textile/Carpetfile.h"
#include "textile/Stripefile.h"

#include <Magick++.h>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

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

// ".tex" is the 256-colour design, whatever the input.
TEST_F(CliTest, FullColourPictureWrittenAsTexUsesIndicesTwoTo251) {
    const QString png = Write("rose:", "rose.png");
    const QString tex = dir.path() + "/rose.tex";
    const TRun r = Cli({"convert", png, tex});
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

    // ".tfc" is the full-colour design; colours that contradict the type are refused.
    const QString tfc = dir.path() + "/rose.tfc";
    ASSERT_EQ(Cli({"convert", tex, tfc}).Status, 0);
    EXPECT_EQ(Dump(tfc)["bits_per_pixel"].toInt(), 24);
    for (const auto& [colors, out] : {std::pair{"full", "no.tex"}, {"256", "no.tfc"}}) {
        const TRun no = Cli({"convert", png, dir.path() + "/" + out, "--colors", colors});
        EXPECT_EQ(no.Status, 1) << out;
        EXPECT_TRUE(no.Err.contains(".tex design holds 256 colors")) << no.Err.toStdString();
    }
    // A picture wider than high lies on landscape paper; full-colour designs count no colours.
    const TRun info = Cli({"info", png, tfc});
    EXPECT_EQ(info.Out.count("paper        custom landscape"), 2) << info.Out.toStdString();
    EXPECT_FALSE(info.Out.contains("used")) << info.Out.toStdString();
    EXPECT_FALSE(Dump(tfc).contains("used_colors"));
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

// A missing input is reported alike by every command; info refuses what the desktop
// program refuses, with its message.
TEST_F(CliTest, InputsAreRefusedAsTheProgramRefusesThem) {
    qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
    LoadConfiguration();
    LoadAppTables();
    QFile huge(dir.path() + "/huge.tex"); // a header announcing 1000000 x 1000000 pixels
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write(QByteArray("PT\xde\0\5\0\xa0\0\x40\x42\x0f\0\x40\x42\x0f\0\x08\0", 18) + QByteArray(14, 0));
    huge.close();
    TDesign d;
    QString detail;
    const uint32_t code = OpenDesign(huge.fileName(), 0, 0, d, 0, &detail);
    ASSERT_EQ(code, ErrorCode::PictureTooLarge);
    const QString tooLarge = ErrorText(code).replace("\r\n", " ") + " " + huge.fileName() + ": " + detail;
    const QString png = dir.path() + "/missing.png", tex = dir.path() + "/missing.tex",
                  out = dir.path() + "/o.png";
    const QString notFound = ErrorText(ErrorCode::FileNotFound) + " ";
    for (const auto& [args, shown] : {std::pair{QStringList{"info", huge.fileName()}, tooLarge},
                                      {{"info", png}, notFound + png},
                                      {{"convert", png, out}, notFound + png},
                                      {{"thumbnail", tex, out}, notFound + tex},
                                      {{"dump", tex, "--json"}, notFound + tex}}) {
        const TRun r = Cli(args);
        EXPECT_EQ(r.Status, 1) << args.join(' ').toStdString();
        EXPECT_EQ(r.Err.toStdString(), "error: " + shown.toStdString() + "\n");
        EXPECT_TRUE(r.Out.isEmpty()) << r.Out.toStdString();
    }
    FreeAppTables();
    qunsetenv("VELMORA_HOME");
}

// repeat: every pixel of the result is the tile's pixel that the half drop lands there.
TEST_F(CliTest, RepeatWritesTheHalfDropOfTheTileAndRefusesBadInput) {
    const QString png = Write("rose:", "rose.png"), out = dir.path() + "/out.png";
    const TRun r =
        Cli({"repeat", png, out, "--tile", "10,5,20,15", "--type", "half-drop-ver", "--drop", "1/2"});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    Magick::Image a(png.toStdString()), b(out.toStdString());
    std::vector<uint8_t> pa(70 * 46 * 3), pb(70 * 46 * 3);
    a.write(0, 0, 70, 46, "RGB", Magick::CharPixel, pa.data());
    b.write(0, 0, 70, 46, "RGB", Magick::CharPixel, pb.data());
    int wrong = 0;
    for (int y = 0; y < 46; ++y)
        for (int x = 0; x < 70; ++x) {
            const int k = (x + 10) / 20 - 1; // floor((x - 10) / 20) for x >= 0
            const int tx = (x + 10) % 20, ty = ((y - 5 - k * 7) % 15 + 15) % 15;
            for (int c = 0; c < 3; ++c)
                wrong += pb[(y * 70 + x) * 3 + c] != pa[((5 + ty) * 70 + 10 + tx) * 3 + c];
        }
    EXPECT_EQ(wrong, 0);

    struct Bad {
        QStringList options;
        int status;
        const char* message;
    };
    const Bad bad[] = {
        {{"--tile", "0,0,0,5"}, 1, "holds no pixel"},
        {{"--tile", "0,0,5,5", "--drop", "1/0"}, 1, "Enter a number"},
        {{"--tile", "0,0,5"}, 2, "usage"},
        {{"--tile", "0,0,5,5", "--superimpose", "3"}, 2, "usage"},
        {{"--tile", "0,0,5,5", "--size-limit", "0,1"}, 2, "usage"},
    };
    const QString none = dir.path() + "/none.png";
    for (const Bad& c : bad) {
        const TRun no = Cli(QStringList{"repeat", png, none} + c.options);
        EXPECT_EQ(no.Status, c.status) << c.options.join(' ').toStdString();
        EXPECT_TRUE(no.Err.contains(c.message)) << no.Err.toStdString();
        EXPECT_FALSE(QFile::exists(none));
    }
}

// Carpet files print the design's keys and the carpet block; textures their own four keys.
TEST_F(CliTest, DumpOfCarpetAndTextureFiles) {
    ASSERT_EQ(Cli({"make-carpet-textures", dir.path() + "/lib"}).Status, 0);
    const QJsonObject ramp = Dump(dir.path() + "/lib/ramp.ctx");
    EXPECT_EQ(ramp["name"].toString(), "ramp.ctx");
    EXPECT_EQ(ramp["width"].toInt(), 7);
    EXPECT_EQ(ramp["height"].toInt(), 1);
    EXPECT_EQ(ramp["pixels_sha256"].toString(),
              QCryptographicHash::hash(QByteArray("\2\3\4\5\6\7\x08"), QCryptographicHash::Sha256).toHex());

    const QString tex = dir.path() + "/c.tex", cpt = dir.path() + "/c.cpt";
    ASSERT_EQ(Cli({"convert", Write("rose:", "rose.png"), tex}).Status, 0);
    ASSERT_EQ(Cli({"convert", tex, cpt}).Status, 1); // only the carpet tool writes carpet files
    TDesign design;
    ASSERT_EQ(OpenDesign(tex, 0, 0, design), 0u);
    TCarpetTexture ramp7;
    ASSERT_EQ(ReadTextureFile(dir.path() + "/lib/ramp.ctx", ramp7), 0u);
    ASSERT_EQ(WriteCarpetFile(cpt, 2, design, TCarpetParts{TCarpetWindow{true, 20, 10}, {ramp7}}), 0u);
    const QJsonObject d = Dump(cpt);
    EXPECT_EQ(d["width"].toInt(), 20);
    EXPECT_EQ(d["height"].toInt(), 10);
    EXPECT_EQ(d["palette"].toArray().size(), 256);
    const QJsonObject carpet = d["carpet"].toObject();
    EXPECT_TRUE(carpet["window_on"].toBool());
    EXPECT_EQ(carpet["window_width"].toInt(), 20);
    ASSERT_EQ(carpet["textures"].toArray().size(), 1);
    EXPECT_EQ(carpet["textures"].toArray()[0].toObject(), ramp);

    QFile::copy(tex, dir.path() + "/plain.cpt"); // no carpet block
    EXPECT_TRUE(Dump(dir.path() + "/plain.cpt")["carpet"].isNull());
    QFile::resize(cpt, QFileInfo(cpt).size() - 1);
    const TRun cut = Cli({"dump", cpt, "--json"});
    EXPECT_EQ(cut.Status, 1);
    EXPECT_EQ(QJsonDocument::fromJson(cut.Out).object()["error"].toString(), "0x40000104");
}

TEST_F(CliTest, ReduceCutsToNColoursAndColorsCountsThem) {
    const QString png = Write("rose:", "rose.png"), out = dir.path() + "/rose.tex";
    for (const char* filter : {"", "5"}) {
        SCOPED_TRACE(filter);
        QStringList args{"reduce", png, out, "--colors", "8"};
        if (*filter) args << "--filter" << filter;
        const TRun r = Cli(args);
        ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
        const TRun c = Cli({"colors", out, "--json"});
        ASSERT_EQ(c.Status, 0) << c.Err.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(c.Out).object();
        qint64 sum = 0;
        double share = 0;
        for (const QJsonValue v : o["colors"].toArray()) {
            const int index = v["index"].toInt();
            EXPECT_TRUE(index >= 2 && index <= 9) << index;
            sum += v["count"].toInteger();
            share += v["share"].toDouble();
        }
        EXPECT_EQ(sum, 70 * 46);
        EXPECT_NEAR(share, 1.0, 1e-9);
    }
    const QString none = dir.path() + "/none.tex";
    const QStringList bad[] = {{"reduce", png, none, "--colors", "0"},
                               {"reduce", png, none, "--colors", "8", "--filter", "4"},
                               {"reduce", png, none},
                               {"colors", png}};
    for (const QStringList& args : bad) {
        const TRun no = Cli(args);
        EXPECT_EQ(no.Status, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(none));
    }
    EXPECT_EQ(Cli({"colors", png, "--json"}).Status, 1); // full colour has no indices
}

namespace {

// An 8-bit design of width x height with pixel (x + y) % 10, saved as a .tex file.
QString CarpetDesign(const QString& path, int width, int height) {
    TDocument doc;
    EXPECT_EQ(NewCarpetCanvas(doc, width, height, 2), 0u);
    {
        TChange change(doc);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                change.Picture().SetPixel(x, y, uint32_t((x + y) % 10));
        change.Commit();
    }
    const QFileInfo at(path);
    EXPECT_EQ(doc.Save(at.absolutePath(), at.fileName(), 2, 0), 0u);
    return path;
}

} // namespace

TEST_F(CliTest, CarpetDiskWritesAndReadsImagesAndRefusesWithAnErrorCode) {
    const QString tex = CarpetDesign(dir.path() + "/carpet.tex", 1710, 5);
    const QString img = dir.path() + "/carpet.img", out = dir.path() + "/read.tex";
    ASSERT_EQ(Cli({"carpet-disk", "write", tex, img}).Status, 0);
    EXPECT_EQ(QFileInfo(img).size(), 1228800);
    const TRun r = Cli({"carpet-disk", "read", img, out, "--colour", "9", "--json"});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(r.Out).object(),
              (QJsonObject{{"window_width", 1700}, {"window_height", 5}}));
    TDocument back;
    ASSERT_EQ(back.Open(dir.path(), "read.tex", 0, 0), 0u);
    ASSERT_EQ(back.Bounds(), QRect(0, 0, 1700, 5));
    EXPECT_EQ(back.Picture().GetPixel(2, 4), 6u);    // design row 4, column 2
    EXPECT_EQ(back.Picture().GetPixel(1699, 0), 8u); // (1699 + 0) % 10 = 9 has no knot code
    // A smaller window; a canvas of its own keeps the colour above the carpet.
    ASSERT_EQ(Cli({"carpet-disk", "write", tex, img, "--window", "3,2"}).Status, 0);
    ASSERT_EQ(Cli({"carpet-disk", "read", img, out, "--canvas", "1700,4", "--colour", "9"}).Status, 0);
    ASSERT_EQ(back.Open(dir.path(), "read.tex", 0, 0), 0u);
    EXPECT_EQ(back.Picture().GetPixel(0, 1), 9u);
    EXPECT_EQ(back.Picture().GetPixel(2, 3), 6u); // design row 4, column 2
    EXPECT_EQ(back.Picture().GetPixel(3, 3), 8u); // past the window: (0, 3)

    const QString tall = CarpetDesign(dir.path() + "/tall.tex", 2, 1884), none = dir.path() + "/none.tex";
    QFile shortImage(dir.path() + "/short.img");
    ASSERT_TRUE(shortImage.open(QIODevice::WriteOnly));
    shortImage.write(QByteArray(1000, '\xF6'));
    shortImage.close();
    const struct {
        QStringList Args;
        int Status;
        const char* Out;
    } bad[] = {
        {{"read", img, none, "--canvas", "1699,4"}, 1, R"({"error":"0xC0000010"})"},
        {{"read", img, none, "--canvas", "1700,1"}, 1, R"({"error":"0xC0000010"})"},
        {{"read", shortImage.fileName(), none}, 1, R"({"error":"0x40000104"})"},
        {{"read", tex, none}, 1, R"({"error":"0x40000104"})"},
        {{"write", tall, none}, 1, R"({"error":"0x80000020"})"},
        {{"write", dir.path() + "/missing.tex", none}, 1, R"({"error":"0x40000102"})"},
        {{"read", img, none, "--colour", "256"}, 2, ""},
        {{"read", img, none, "--canvas", "0,4"}, 2, ""},
        {{"write", tex, none, "--window", "3"}, 2, ""},
        {{"erase", img}, 2, ""},
    };
    for (const auto& c : bad) {
        const TRun no = Cli(QStringList{"carpet-disk"} + c.Args);
        EXPECT_EQ(no.Status, c.Status) << c.Args.join(' ').toStdString();
        EXPECT_EQ(no.Out.trimmed(), QByteArray(c.Out)) << c.Args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(none));
    }
}

// Stripe files dump the design's keys with their stripes and sequence; stripe lays
// them over a design, each row of a 90-degree run one colour of the sequence.
TEST_F(CliTest, StripeFilesDumpAndLayOverADesign) {
    TPalette file;
    for (int i = 0; i < 256; ++i)
        file[i].SetRGB(i, 7, 200 - i / 2);
    file.UseColor = 3;
    const TStripeList list = {TStripe{2, StripeReverse, 1, 2, false}, TStripe{3, StripeCenter, 1, 1, false}};
    const QString stp = dir.path() + "/s.stp", tex = dir.path() + "/d.tex", out = dir.path() + "/out.tex";
    ASSERT_EQ(WriteStripeFile(stp, file, list), 0u);
    const QJsonObject d = Dump(stp);
    EXPECT_EQ(d["magic"].toString(), "PT");
    EXPECT_EQ(d["bits_per_pixel"].toInt(), 8);
    EXPECT_EQ(d["stripes"].toArray().size(), 2);
    EXPECT_EQ(d["stripes"].toArray()[0].toObject(),
              (QJsonObject{{"color", 2}, {"method", 1}, {"repeat", 1}, {"length", 2}}));
    EXPECT_EQ(d["sequence_length"].toInt(), 5);
    EXPECT_EQ(d["sequence"].toArray(), (QJsonArray{2, 2, 3, 2, 2}));

    Magick::Image plain(Magick::Geometry(40, 30), Magick::Color("orange"));
    plain.write((dir.path() + "/plain.png").toStdString());
    ASSERT_EQ(Cli({"convert", dir.path() + "/plain.png", tex}).Status, 0);
    const TRun r = Cli({"stripe", stp, tex, out, "--angle", "90"});
    ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
    TDesign design;
    ASSERT_EQ(OpenDesign(out, 0, 0, design), 0u);
    const std::vector<int> seq = {2, 2, 3, 2, 2};
    int wrong = 0;
    for (int y = 0; y < design.Image.Height; ++y)
        for (int x = 0; x < design.Image.Width; ++x)
            wrong += design.Palette[int(design.Image.GetPixel(x, y))].ColorRef() !=
                     file[seq[size_t(y % 5)]].ColorRef();
    EXPECT_EQ(wrong, 0);

    QFile::resize(stp, QFileInfo(stp).size() - 3);
    const QString none = dir.path() + "/none.tex";
    EXPECT_EQ(Cli({"stripe", stp, tex, none, "--angle", "0"}).Status, 1);
    EXPECT_EQ(Cli({"stripe", stp, tex, none}).Status, 2);
    EXPECT_EQ(Cli({"stripe", stp, tex, none, "--angle", "x"}).Status, 1);
    EXPECT_FALSE(QFile::exists(none));
}

// The shipped VM libraries are what make-color-libraries writes; dump and nearest read them.
TEST_F(CliTest, ColourLibrariesAreMadeDumpedAndSearched) {
    ASSERT_EQ(Cli({"make-color-libraries", dir.path()}).Status, 0);
    const struct {
        const char *file, *library;
        int pages, first, last;
        const char* firstCode;
    } made[] = {{"Standard.vmc", "vm-standard", 168, 1, 168, "0111"},
                {"Textile.vmc", "vm-textile", 1238, 1001, 2238, "10-0001"}};
    for (const auto& m : made) {
        QFile mine(dir.filePath(m.file)), shipped(QStringLiteral(VELMORA_SOURCE_DIR "/data/Color/") + m.file);
        ASSERT_TRUE(mine.open(QIODevice::ReadOnly) && shipped.open(QIODevice::ReadOnly));
        EXPECT_EQ(mine.readAll(), shipped.readAll()) << m.file << " is not what the generator writes";
        const TRun r = Cli({"dump", dir.filePath(m.file), "--json", "--library", m.library});
        ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
        const QJsonArray pages = QJsonDocument::fromJson(r.Out).object()["pages"].toArray();
        ASSERT_EQ(pages.size(), m.pages);
        EXPECT_EQ(pages.first()["page"].toInt(), m.first);
        EXPECT_EQ(pages.last()["page"].toInt(), m.last);
        const QJsonObject chip = pages.first()["records"].toArray().first().toObject();
        EXPECT_EQ(chip["code_text"].toString(), m.firstCode);
        EXPECT_EQ(chip["slot"].toInt(), 1);
        // The chip's own colour is its nearest colour in its library.
        const QString rgb = QStringLiteral("%1,%2,%3")
                                .arg(chip["red"].toInt())
                                .arg(chip["green"].toInt())
                                .arg(chip["blue"].toInt());
        const TRun n = Cli({"nearest", rgb, "--library", m.library});
        ASSERT_EQ(n.Status, 0) << n.Err.toStdString();
        const QJsonObject hit = QJsonDocument::fromJson(n.Out).array().first().toObject();
        EXPECT_EQ(hit["distance"].toInt(), 0);
        EXPECT_EQ(hit["page"].toInt(), m.first);
    }
    // A ".ptc" without "CL": 6-bit channels after 12 skipped bytes, a named code.
    QByteArray ptc("\0\0\0\0\x01\0\x05\0\x01\0\x03\x01\x08\x80", 14);
    ptc.append(12, '\xEE').append("\0\x3F\x20\x00", 4).append("Deep Sea", 8);
    QFile f(dir.filePath("Thousand.ptc"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(ptc);
    f.close();
    const TRun p = Cli({"dump", f.fileName(), "--json", "--library", "pantone-1000"});
    ASSERT_EQ(p.Status, 0) << p.Err.toStdString();
    const QJsonObject rec = QJsonDocument::fromJson(p.Out).object()["pages"][0]["records"][0].toObject();
    EXPECT_EQ(rec["name"].toString(), "Deep Sea");
    EXPECT_EQ(rec["code_text"].toString(), "Deep Sea");
    EXPECT_EQ(rec["slot"].toInt(), 0x0103);
    EXPECT_EQ(rec["red"].toInt(), 255);
    EXPECT_EQ(rec["green"].toInt(), 130);
    EXPECT_EQ(rec["blue"].toInt(), 0);
    f.resize(f.size() - 3); // the name runs past the end
    const TRun cut = Cli({"dump", f.fileName(), "--json", "--library", "pantone-1000"});
    EXPECT_EQ(cut.Status, 1);
    EXPECT_TRUE(cut.Out.contains("0x40000108")) << cut.Out.toStdString();
    for (const QStringList& bad : {QStringList{"nearest", "1,2"},
                                   {"nearest", "1,2,256"},
                                   {"nearest", "1,2,3", "--library", "x"},
                                   {"dump", f.fileName(), "--json", "--library", "x"}})
        EXPECT_EQ(Cli(bad).Status, 2) << bad.join(' ').toStdString();
}

// new: paper sizes at a resolution, filled with one entry; a canvas larger than
// the memory the machine can give is refused before anything is written.
TEST_F(CliTest, NewMakesCanvasesAndRefusesOnesTheMemoryCannotHold) {
    struct Case {
        QStringList Args;
        int Width, Height, Bits;
    };
    for (const Case& c :
         {Case{{"--paper", "A4", "--dpi", "50"}, 390, 550, 8},
          Case{{"--paper", "a4", "--dpi", "50", "--landscape", "--colors", "full"}, 550, 390, 24},
          Case{{"--paper", "300x200", "--fill", "9"}, 300, 200, 8}}) {
        const QString out = dir.path() + (c.Bits == 8 ? "/n.tex" : "/n.tfc");
        const TRun r = Cli(QStringList{"new", out} + c.Args);
        ASSERT_EQ(r.Status, 0) << r.Err.toStdString();
        const QJsonObject d = Dump(out);
        EXPECT_EQ(d["width"].toInt(), c.Width);
        EXPECT_EQ(d["height"].toInt(), c.Height);
        EXPECT_EQ(d["bits_per_pixel"].toInt(), c.Bits);
    }
    for (const QStringList& bad : {QStringList{"--dpi", "1001"}, {"--paper", "B5"}, {"--fill", "256"}})
        EXPECT_EQ(Cli(QStringList{"new", dir.path() + "/x.tex"} + bad).Status, 2)
            << bad.join(' ').toStdString();

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELMORA_MEMORY_LIMIT", "100000000");
    p.setProcessEnvironment(env);
    p.start(VELMORA_CLI_PATH, {"new", dir.path() + "/big.tex", "--paper", "A0", "--dpi", "300"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("too little free memory"));
    EXPECT_FALSE(QFile::exists(dir.path() + "/big.tex"));
}
