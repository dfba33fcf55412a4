// The weave library's files: both data layouts, the three index kinds, and
// damaged or missing files, every one built byte by byte.
#include "platform/Lebytes.h"
#include "shell/Exception.h"
#include "support/Files.h"
#include "textile/Texture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Name(const char* text) {
    QByteArray b(text);
    b.resize(kWeaveNameSize, '\0');
    return b;
}

// A current-layout weave record; shafts 0 leaves out the draft.
QByteArray Record(const char* name, int w, int h, const QByteArray& cells, int shafts = 0,
                  const QByteArray& lift = {}, const QByteArray& threading = {}) {
    QByteArray b = Name(name);
    Put16(b, shafts ? 1 : 0), Put16(b, w), Put16(b, h);
    b += cells;
    if (shafts) Put16(b, shafts), b += lift, b += threading;
    return b;
}

QByteArray Older(int w, int h, const QByteArray& cells) {
    QByteArray b;
    Put16(b, w), Put16(b, h);
    return b + cells;
}

const QByteArray kPT("PT\1\0", 4);
const QByteArray kPlainCells("\1\0\0\1", 4);

uint32_t Read(const QByteArray& bytes, int count, std::vector<TTexBitData>& out) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadWeaves(&buffer, count, QStringLiteral("group"), out);
}

// The smallest whole library: one plain group, one twill group with a count of
// 0, one speciality; everything else empty.
void SmallLibrary(const QString& dir) {
    QByteArray plainInf, twillInf, emptyInf, specialInf;
    Put16(plainInf, 1), Put16(plainInf, 2), Put16(plainInf, 1);
    Put16(twillInf, 1), Put16(twillInf, 3), Put16(twillInf, 0);
    Put16(emptyInf, 0);
    Put16(specialInf, 1), specialInf += Name("Huck"), Put16(specialInf, 1);
    WriteBytes(dir + "/Found/plain/plain.inf", plainInf);
    WriteBytes(dir + "/Found/plain/plain.2", kPT + Record("plain", 2, 2, kPlainCells));
    WriteBytes(dir + "/Found/twill/twill.inf", twillInf);
    WriteBytes(dir + "/Found/twill/twill.3", QByteArray()); // opened, nothing read
    WriteBytes(dir + "/Found/satin/satin.inf", emptyInf);
    for (const char* t : {"plain", "twill", "satin"})
        WriteBytes(dir + "/Deriv/" + t + "/" + t + ".inf", emptyInf);
    WriteBytes(dir + "/Special/Special.inf", specialInf);
    WriteBytes(dir + "/Special/Special.1", Older(2, 2, kPlainCells));
}

} // namespace

TEST(WeaveFile, CurrentLayoutWithAndWithoutDraft) {
    // The first weave has no Shafts field: the second starts right after its cells.
    const QByteArray bytes = kPT + Record("plain", 2, 2, kPlainCells) +
                             Record("twill", 3, 1, QByteArray("\1\1\0", 3), 2, QByteArray("\1\0", 2),
                                    QByteArray("\1\1\0\0\0\1", 6));
    std::vector<TTexBitData> w;
    ASSERT_EQ(Read(bytes, 2, w), 0u);
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0].Name, "plain");
    EXPECT_TRUE(w[0].Named);
    EXPECT_FALSE(w[0].HasDraft());
    EXPECT_TRUE(w[0].At(0, 0) && !w[0].At(1, 0) && w[0].At(1, 1));
    EXPECT_EQ(w[1].Shafts, 2);
    EXPECT_EQ(w[1].Lift, (std::vector<uint8_t>{1, 0}));
    EXPECT_TRUE(DraftReproduces(w[1]));
}

TEST(WeaveFile, OlderLayoutHasNoDraftAndTheCallersName) {
    std::vector<TTexBitData> w;
    ASSERT_EQ(Read(Older(2, 2, kPlainCells) + Older(1, 1, QByteArray(1, '\1')), 2, w), 0u);
    ASSERT_EQ(w.size(), 2u);
    EXPECT_FALSE(w[0].Named);
    EXPECT_EQ(w[0].Name, "group");
    EXPECT_EQ(w[0].Planes, 0);
    EXPECT_TRUE(w[0].Lift.empty());
    EXPECT_EQ(w[1].Width, 1);
}

TEST(WeaveFile, DamagedDataIsRefusedAndLeavesTheListAlone) {
    QByteArray negative = Name("x");
    Put16(negative, 0), Put16(negative, -2), Put16(negative, 2);
    QByteArray absurdShafts = Name("x");
    Put16(absurdShafts, 1), Put16(absurdShafts, 1), Put16(absurdShafts, 1), absurdShafts += '\1';
    Put16(absurdShafts, 30000);
    const QByteArray whole = kPT + Record("plain", 2, 2, kPlainCells);
    const struct {
        const char* What;
        QByteArray Bytes;
        int Count;
        uint32_t Code;
    } cases[] = {
        {"truncated cells", whole.left(whole.size() - 1), 1, ErrorCode::BadFile},
        {"one weave fewer than counted", whole, 2, ErrorCode::BadFile},
        {"negative width", kPT + negative, 1, ErrorCode::BadFile},
        {"absurd count", whole, 30000, ErrorCode::BadFile},
        {"negative count", whole, -1, ErrorCode::BadFile},
        {"absurd shafts", kPT + absurdShafts, 1, ErrorCode::BadFile},
        {"empty older file", QByteArray(), 1, ErrorCode::BadFile},
    };
    for (const auto& c : cases) {
        std::vector<TTexBitData> w(1);
        EXPECT_EQ(Read(c.Bytes, c.Count, w), c.Code) << c.What;
        EXPECT_EQ(w.size(), 1u) << c.What;
    }
}

TEST(WeaveFile, WriteThenReadGivesTheSameWeaves) {
    TTexBitData a;
    a.Name = "3/1 Z", a.Named = true, a.Width = 4, a.Height = 4;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            a.Bits.push_back(((x - y + 4) % 4) < 3);
    TTexBitData b = a;
    MakeDraft(b);
    EXPECT_EQ(b.Shafts, 4);
    EXPECT_TRUE(DraftReproduces(b));
    EXPECT_EQ(LongestWarpFloat(b), 3);
    EXPECT_EQ(LongestWeftFloat(b), 1);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    ASSERT_EQ(WriteWeaves(&buffer, {a, b}), 0u);
    buffer.seek(0);
    std::vector<TTexBitData> back;
    ASSERT_EQ(ReadWeaves(&buffer, 2, {}, back), 0u);
    EXPECT_EQ(back, (std::vector<TTexBitData>{a, b}));
}

TEST(WeaveLibrary, LoadsEveryPartAndAGroupOfNoWeaves) {
    QTemporaryDir dir;
    SmallLibrary(dir.path());
    TTexture t;
    ASSERT_EQ(t.Load(dir.path()), 0u);
    ASSERT_EQ(t.Foundation[0].size(), 1u);
    EXPECT_EQ(t.Foundation[0][0].Repeat, 2);
    ASSERT_EQ(t.Foundation[1].size(), 1u);
    EXPECT_TRUE(t.Foundation[1][0].Weaves.empty());
    ASSERT_EQ(t.Special.size(), 1u);
    EXPECT_EQ(t.Special[0].Name, "Huck");
    EXPECT_EQ(t.Special[0].Weaves[0].Name, "Huck"); // the older layout takes the group's name
}

TEST(WeaveLibrary, AnyBrokenFileLeavesTheLibraryEmpty) {
    const struct {
        const char* What;
        const char* File;
        QByteArray Bytes; // empty with remove: the file is deleted
        bool Remove;
        uint32_t Code;
    } cases[] = {
        {"missing data file of a group of no weaves",
         "/Found/twill/twill.3",
         {},
         true,
         ErrorCode::CannotOpenFile},
        {"missing index", "/Deriv/satin/satin.inf", {}, true, ErrorCode::CannotOpenFile},
        {"index shorter than its count", "/Special/Special.inf", QByteArray("\2\0", 2), false,
         ErrorCode::BadFile},
        {"truncated data file", "/Found/plain/plain.2", kPT + Record("plain", 2, 2, "\1"), false,
         ErrorCode::BadFile},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        SmallLibrary(dir.path());
        const QString path = dir.path() + c.File;
        TTexture t;
        ASSERT_EQ(t.Load(dir.path()), 0u); // a loaded library is emptied by the failed load
        if (c.Remove)
            QFile::remove(path);
        else
            WriteBytes(path, c.Bytes);
        EXPECT_EQ(t.Load(dir.path()), c.Code) << c.What;
        EXPECT_TRUE(t.Empty()) << c.What;
    }
}
