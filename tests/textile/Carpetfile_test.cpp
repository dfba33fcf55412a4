// Texture files, carpet files and the working list's ini file.
#include "shell/Exception.h"
#include "shell/Filetypes.h"
#include "shell/Tdocument.h"
#include "support/Pictures.h"
#include "textile/Carpetfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TCarpetTexture Texture(const char* name, int w, int h, uint8_t first = 2) {
    TCarpetTexture t{QString::fromLatin1(name), w, h, {}};
    for (int i = 0; i < w * h; ++i)
        t.Pixels.push_back(uint8_t(first + i % 7));
    return t;
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A 256-colour design of width x height with a pattern of values.
void MakeDesign(TDesign& d, int width, int height) {
    d.Palette.SetDefault();
    SetPaper(d.Paper, kPaperCustom, width, height);
    TRGBQuad quads[256];
    d.Palette.GetQuads(quads);
    d.Image.Allocate(width, height, quads, 8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            d.Image.SetPixel(x, y, uint32_t(2 + (x * 3 + y) % 7));
}

class CarpetFiles : public ::testing::Test {
  protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(CarpetFiles, TextureRoundTripAndHandWrittenBytes) {
    const TCarpetTexture t = Texture("loop.ctx", 3, 2);
    ASSERT_EQ(WriteTextureFile(Path("loop.ctx"), t), 0u);
    EXPECT_EQ(Bytes(Path("loop.ctx")), QByteArray("PT\x64\x00\x03\x00\x02\x00\x02\x03\x04\x05\x06\x07", 14));
    TCarpetTexture back;
    ASSERT_EQ(ReadTextureFile(Path("loop.ctx"), back), 0u);
    EXPECT_EQ(back.Name, "loop.ctx");
    EXPECT_EQ(back.Width, 3);
    EXPECT_EQ(back.Pixels, t.Pixels);
}

TEST_F(CarpetFiles, DamagedTextureFilesAreRefusedAndLeaveTheTexture) {
    const QByteArray good = QByteArray("PT\x64\x00\x02\x00\x02\x00\x02\x03\x04\x05", 12);
    struct TCase {
        const char* What;
        QByteArray Bytes;
    };
    std::vector<TCase> cases = {{"zero width", QByteArray("PT\x64\x00\x00\x00\x02\x00", 8)},
                                {"negative height", QByteArray("PT\x64\x00\x02\x00\xFF\xFF\x02\x03", 10)},
                                {"absurd size", QByteArray("PT\x64\x00\xFF\x7F\xFF\x7F\x02", 9)}};
    for (int n = 0; n < good.size(); ++n) // cut at every offset
        cases.push_back({"truncated", good.left(n)});
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        Put(Path("bad.ctx"), c.Bytes);
        TCarpetTexture t = Texture("keep.ctx", 1, 1);
        EXPECT_EQ(ReadTextureFile(Path("bad.ctx"), t), ErrorCode::BadFile);
        EXPECT_EQ(t.Name, "keep.ctx");
    }
}

TEST_F(CarpetFiles, NamesLongerThanTwelveCharactersAreRefused) {
    EXPECT_EQ(WriteTextureFile(Path("thirteen.ctx1"), Texture("thirteen.ctx1", 1, 1)),
              ErrorCode::LongTextureName);
    EXPECT_FALSE(QFile::exists(Path("thirteen.ctx1")));
    Put(Path("longername.ctx"), QByteArray("PT\x64\x00\x01\x00\x01\x00\x02", 9));
    TCarpetTexture t;
    EXPECT_EQ(ReadTextureFile(Path("longername.ctx"), t), ErrorCode::LongTextureName);
    EXPECT_EQ(CheckTexture(Texture("twelve12.ctx", 1, 1)), 0u);
    EXPECT_EQ(CheckTexture(Texture("a.ctx", 0, 1)), ErrorCode::BadCarpetSize);
}

TEST_F(CarpetFiles, CarpetFileKeepsTheAreaWindowAndTextures) {
    TDesign d;
    MakeDesign(d, 9, 7);
    const TCarpetParts carpet{TCarpetWindow{true, 5, 4},
                              {Texture("cut.ctx", 2, 3), Texture("loop.ctx", 1, 1, 5)}};
    ASSERT_EQ(WriteCarpetFile(Path("a.cpt"), 2, d, carpet), 0u);
    TDesign back;
    TCarpetParts read;
    ASSERT_EQ(ReadCarpetFile(Path("a.cpt"), back, read), 0u);
    ASSERT_EQ(back.Image.Width, 5);
    ASSERT_EQ(back.Image.Height, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(back.Image.GetPixel(x, y), d.Image.GetPixel(x, y + 3));
    EXPECT_EQ(back.Paper.width, 5);
    EXPECT_TRUE(read.Window.On);
    EXPECT_EQ(read.Window.Width, 5);
    ASSERT_EQ(read.Textures.size(), 2u);
    EXPECT_EQ(read.Textures[0].Name, "cut.ctx");
    EXPECT_EQ(read.Textures[0].Pixels, carpet.Textures[0].Pixels);
    EXPECT_EQ(read.Textures[1].Pixels, carpet.Textures[1].Pixels);
}

TEST_F(CarpetFiles, CarpetFileWithoutTexturesEndsWithCountZero) {
    TDesign d;
    MakeDesign(d, 4, 4);
    ASSERT_EQ(WriteCarpetFile(Path("b.cpt"), 0, d, TCarpetParts{TCarpetWindow{false, 4, 4}, {}}), 0u);
    const QByteArray bytes = Bytes(Path("b.cpt"));
    EXPECT_EQ(bytes.right(16),
              QByteArray("\x00\x00\x00\x00\x04\x00\x00\x00\x04\x00\x00\x00\x00\x00\x00\x00", 16));
}

TEST_F(CarpetFiles, DamagedCarpetBlocksAreRefusedAndNamesReadWithinTheirField) {
    TDesign d;
    MakeDesign(d, 3, 3);
    ASSERT_EQ(WriteCarpetFile(Path("c.cpt"), 2, d, TCarpetParts{TCarpetWindow{true, 3, 3}, {}}), 0u);
    const QByteArray base = Bytes(Path("c.cpt")).chopped(4); // without the count
    const QByteArray texture = QByteArray("\x01\x00\x01\x00\x05", 5);
    struct TCase {
        const char* What;
        QByteArray Tail;
        uint32_t Code;
        QString Name;
    };
    const std::vector<TCase> cases = {
        {"unterminated name", QByteArray("\x01\x00\x00\x00", 4) + QByteArray(13, 'n') + texture, 0,
         "nnnnnnnnnnnn"},
        {"terminated name", QByteArray("\x01\x00\x00\x00", 4) + QByteArray("ab.ctx\0zzzzzz", 13) + texture, 0,
         "ab.ctx"},
        {"absurd count", QByteArray("\xFF\xFF\xFF\x7F", 4) + QByteArray(13, 'n') + texture,
         ErrorCode::BadFile, ""},
        {"negative count", QByteArray("\xFF\xFF\xFF\xFF", 4), ErrorCode::BadFile, ""},
        {"zero-width texture",
         QByteArray("\x01\x00\x00\x00", 4) + QByteArray(13, 'n') + QByteArray("\0\0\1\0\5", 5),
         ErrorCode::BadFile, ""},
        {"cut in the pixels", QByteArray("\x01\x00\x00\x00", 4) + QByteArray(13, 'n') + texture.chopped(1),
         ErrorCode::BadFile, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        Put(Path("d.cpt"), base + c.Tail);
        TDesign back;
        MakeDesign(back, 2, 2);
        TCarpetParts read;
        ASSERT_EQ(ReadCarpetFile(Path("d.cpt"), back, read), c.Code);
        if (c.Code) {
            EXPECT_EQ(back.Image.Width, 2); // as it was
            continue;
        }
        ASSERT_EQ(read.Textures.size(), 1u);
        EXPECT_EQ(read.Textures[0].Name, c.Name);
    }
}

TEST_F(CarpetFiles, DocumentOpensAndSavesCarpetFilesWithWindowAndTextures) {
    TDesign d;
    MakeDesign(d, 6, 5);
    ASSERT_EQ(WriteCarpetFile(Path("e.cpt"), 2, d,
                              TCarpetParts{TCarpetWindow{true, 4, 2}, {Texture("hl.ctx", 2, 2)}}),
              0u);
    TDocument doc;
    ASSERT_EQ(doc.Open(dir.path(), "e.cpt", 0, 0), 0u);
    EXPECT_EQ(doc.Picture().Width, 4);
    EXPECT_TRUE(doc.CarpetWindow().On);
    ASSERT_EQ(doc.CarpetTextures().size(), 1u);
    doc.SetCarpetWindow(TCarpetWindow{false, 3, 1});
    ASSERT_EQ(doc.Save(dir.path(), "f.cpt", 2, TypeCpt), 0u);
    EXPECT_EQ(doc.FileName(), "f.cpt");
    TDocument again;
    ASSERT_EQ(again.Open(dir.path(), "f.cpt", 0, 0), 0u);
    EXPECT_EQ(again.Picture().Width, 3);
    EXPECT_EQ(again.Picture().Height, 1);
    EXPECT_EQ(again.Picture().GetPixel(0, 0), d.Image.GetPixel(0, 4));
    EXPECT_FALSE(again.CarpetWindow().On);
    EXPECT_EQ(again.CarpetTextures().size(), 1u);
}

TEST_F(CarpetFiles, IniKeepsTheWorkingListInOrder) {
    ASSERT_TRUE(WriteCarpetIni(Path("Carpet.ini"), {Texture("b.ctx", 1, 1), Texture("a.ctx", 1, 1)}));
    EXPECT_EQ(ReadCarpetIni(Path("Carpet.ini")), (QStringList{"b.ctx", "a.ctx"}));
    ASSERT_TRUE(WriteCarpetIni(Path("Carpet.ini"), {Texture("c.ctx", 1, 1)}));
    EXPECT_EQ(ReadCarpetIni(Path("Carpet.ini")), QStringList{"c.ctx"});
}
