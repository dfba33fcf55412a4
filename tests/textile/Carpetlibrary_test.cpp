// The texture library's folders, the valid texture source and the working list.
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "support/Pictures.h"
#include "textile/Carpetfile.h"
#include "textile/Carpetlibrary.h"
#include "textile/Carpettool.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TCarpetTexture Texture(const char* name, uint8_t value = 3) {
    return TCarpetTexture{QString::fromLatin1(name), 1, 1, {value}};
}

class CarpetLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(Shipped()));
        ASSERT_EQ(WriteTextureFile(Shipped() + "/b.ctx", Texture("b.ctx", 4)), 0u);
        ASSERT_EQ(WriteTextureFile(Shipped() + "/a.ctx", Texture("a.ctx", 5)), 0u);
    }
    QString Shipped() const { return dir.path() + "/carpet"; }
    QString User() const { return dir.path() + "/user"; }
    QTemporaryDir dir;
};

TDocument& Design(TDocument& doc, const std::vector<std::string>& art) {
    TPaper paper;
    SetPaper(paper, kPaperCustom, int(art[0].size()), int(art.size()));
    EXPECT_EQ(doc.NewCanvas(paper, 8, TCurrentColour::OfIndex(2)), 0u);
    TChange change(doc, 0);
    PutArt(change.Picture(), art);
    change.Commit();
    return doc;
}

} // namespace

TEST_F(CarpetLibrary, SavesDeletesAndFallsBackToTheUserFolderWhenTheShippedOneCannotBeWritten) {
    TCarpetLibrary lib(Shipped(), User());
    lib.Load();
    ASSERT_EQ(lib.Textures().size(), 2u);
    EXPECT_EQ(lib.Textures()[0].Name, "a.ctx");
    int at = -1;
    ASSERT_EQ(lib.SaveAs("new", Texture("x", 7), &at), 0u);
    EXPECT_EQ(lib.Textures()[size_t(at)].Name, "new.ctx");
    EXPECT_TRUE(QFile::exists(Shipped() + "/new.ctx"));
    EXPECT_EQ(lib.SaveAs("muchtoolongname", Texture("x")), ErrorCode::LongTextureName);
    EXPECT_EQ(lib.SaveAs("../up", Texture("x")), ErrorCode::CannotCreateFile);
    ASSERT_EQ(lib.Delete(0), 0u);
    EXPECT_FALSE(QFile::exists(Shipped() + "/a.ctx"));

    // A shipped folder under a file can be neither made nor written: the user's takes the writes.
    QFile blocker(dir.path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    TCarpetLibrary readOnly(dir.path() + "/file/carpet", User());
    ASSERT_EQ(readOnly.SaveAs("mine.ctx", Texture("x", 6)), 0u);
    EXPECT_TRUE(QFile::exists(User() + "/mine.ctx"));
    TCarpetLibrary both(Shipped(), User());
    both.Load();
    ASSERT_EQ(both.Textures().size(), 3u); // b, mine, new
    ASSERT_EQ(both.Save(1, Texture("x", 8)), 0u);
    TCarpetTexture back;
    ASSERT_EQ(ReadTextureFile(User() + "/mine.ctx", back), 0u);
    EXPECT_EQ(back.Pixels, std::vector<uint8_t>{8});
}

TEST(CarpetSelection, OnlyNarrowSelectionsOfPileValuesAreTextures) {
    TDocument doc;
    Design(doc, {"\2\3\4\5\6\7\x08\2\3\4\5\2", "\2\2\2\2\2\2\2\2\2\2\2\1", "\x09\2\2\2\2\2\2\2\2\2\2\2"});
    struct TCase {
        QRect Rect;
        bool Valid;
    };
    const TCase cases[] = {{QRect(0, 0, 10, 2), true},
                           {QRect(0, 0, 11, 1), false},
                           {QRect(0, 0, 1, 1), true},
                           {QRect(10, 0, 2, 2), false},
                           {QRect(0, 1, 2, 2), false}};
    for (const TCase& c : cases) {
        doc.SetSelection(QRegion(c.Rect));
        TCarpetTexture t;
        EXPECT_EQ(TextureFromSelection(doc, "s.ctx", t), c.Valid) << c.Rect.x() << "," << c.Rect.width();
        if (c.Valid) {
            EXPECT_EQ(t.Width * t.Height, int(t.Pixels.size()));
        }
    }
    doc.ClearSelection();
    TCarpetTexture t;
    EXPECT_FALSE(TextureFromSelection(doc, "s.ctx", t));
}

TEST(CarpetWorkingList, PickDeleteNewAndRestoreByName) {
    TDocument doc;
    Design(doc, {"ab"});
    TCarpetTool tool;
    tool.Pick(doc, Texture("a.ctx"));
    tool.Pick(doc, Texture("b.ctx"));
    tool.Pick(doc, Texture("A.CTX")); // already there: it becomes current
    EXPECT_EQ(doc.CarpetTextures().size(), 2u);
    EXPECT_EQ(tool.Current(doc)->Name, "a.ctx");
    tool.SetCurrent(1);
    tool.Delete(doc);
    EXPECT_EQ(tool.CurrentIndex(), 0);
    tool.Delete(doc);
    EXPECT_EQ(tool.Current(doc), nullptr);
    tool.Delete(doc); // an empty list stays empty
    tool.Restore(doc, {"b", "gone.ctx", "a.ctx"}, {Texture("a.ctx"), Texture("b.ctx")});
    ASSERT_EQ(doc.CarpetTextures().size(), 2u);
    EXPECT_EQ(doc.CarpetTextures()[0].Name, "b.ctx");
    tool.New(doc);
    EXPECT_TRUE(doc.CarpetTextures().empty());
}
