// velmora-cli on weaves: data files, whole libraries and WIF files.
#include "platform/Lebytes.h"
#include "support/Clirun.h"
#include "textile/Texture.h"
#include "textile/Weavelibrary.h"
#include "textile/Wif.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

QJsonObject Json(const TRun& r) {
    EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
    return QJsonDocument::fromJson(r.Out).object();
}

} // namespace

TEST(CliWeave, DumpOfDataFilesInBothLayouts) {
    QTemporaryDir dir;
    QByteArray current("PT\1\0", 4), older;
    QByteArray name("twill");
    name.resize(kWeaveNameSize, '\0');
    current += name;
    Put16(current, 1), Put16(current, 3), Put16(current, 1);
    current += QByteArray("\1\0\0", 3);
    Put16(current, 2);
    current += QByteArray("\1\0", 2) + QByteArray("\1\0\0\0\1\1", 6);
    Put16(older, 2), Put16(older, 1);
    older += QByteArray("\0\1", 2);

    const QJsonArray a =
        Json(Cli({"dump", WriteFile(dir, "twill.3", current), "--json", "--count", "1"}))["weaves"].toArray();
    ASSERT_EQ(a.size(), 1);
    const QJsonObject w = a[0].toObject();
    EXPECT_EQ(w["name"].toString(), "twill");
    EXPECT_EQ(w["cells"].toString(), "100");
    EXPECT_EQ(w["shafts"].toInt(), 2);
    EXPECT_EQ(w["lift"].toString(), "10");
    EXPECT_EQ(w["threading"].toString(), "100011");

    const QJsonObject o =
        Json(Cli({"dump", WriteFile(dir, "old.1", older), "--json", "--count", "1"}))["weaves"][0].toObject();
    EXPECT_EQ(o["cells"].toString(), "01");
    EXPECT_EQ(o["planes"].toInt(), 0);
    EXPECT_FALSE(o.contains("name") || o.contains("lift") || o.contains("threading") || o.contains("shafts"));

    const TRun refused = Cli({"dump", dir.filePath("old.1"), "--json", "--count", "2"});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_TRUE(refused.Out.contains("0x40000104")) << refused.Out.toStdString();
}

TEST(CliWeave, MadeLibraryDumpsWholeAndWifRoundTrips) {
    QTemporaryDir dir;
    ASSERT_EQ(Cli({"make-weave-library", dir.path()}).Status, 0);
    const QJsonObject lib = Json(Cli({"dump", dir.path(), "--json"}));
    ASSERT_EQ(lib["foundation"].toArray().size(), 3);
    EXPECT_EQ(lib["foundation"][1].toArray().size(), 14);
    EXPECT_EQ(lib["foundation"][1][0]["repeat"].toInt(), 3);
    EXPECT_EQ(lib["derivation"][1][2]["name"].toString(), "Herringbone");
    EXPECT_EQ(lib["special"].toArray().size(), 4);

    const TTexBitData twill = MakeWeaveLibrary().Foundation[1][5].Weaves[2];
    const QString in = WriteFile(dir, "in.wif", WifBytes(twill)), out = dir.filePath("out.wif");
    ASSERT_EQ(Cli({"weave", in, out}).Status, 0);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    TTexBitData back;
    ASSERT_EQ(ParseWif(f.readAll(), back), 0u);
    EXPECT_EQ(back, twill);

    // A WIF without its threading is refused by name; a missing library is a missing file.
    QByteArray noThreading = WifBytes(twill);
    noThreading.replace("[THREADING]", "[SOMETHING]");
    const TRun r = Cli({"weave", WriteFile(dir, "bad.wif", noThreading), dir.filePath("x.wif")});
    EXPECT_EQ(r.Status, 1);
    EXPECT_TRUE(r.Err.contains("[THREADING]")) << r.Err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("x.wif")));
    const TRun none = Cli({"dump", dir.filePath("Found"), "--json"});
    EXPECT_EQ(none.Status, 1);
    EXPECT_TRUE(none.Out.contains("0x40000101"));
}
