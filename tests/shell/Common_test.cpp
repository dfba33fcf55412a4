#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ConfigurationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QDir(home.path()).mkpath("Bin/Textile");
        QDir(home.path()).mkpath("Bin/Carpet");
        qputenv("VELMORA_HOME", home.path().toUtf8());
        qputenv("VELMORA_CONFIG_DIR", config.path().toUtf8());
    }
    void TearDown() override {
        qunsetenv("VELMORA_HOME");
        qunsetenv("VELMORA_CONFIG_DIR");
    }
    QTemporaryDir home, config;
};

} // namespace

TEST_F(ConfigurationTest, WithoutStoreEverythingDerivesFromTheInstallDirectory) {
    LoadConfiguration();
    const QString h = home.path();
    EXPECT_EQ(Configuration.Language, "English");
    EXPECT_EQ(Configuration.DefaultFontName, "MS Sans Serif");
    EXPECT_EQ(Configuration.Select, "READ");
    EXPECT_EQ(Configuration.Bin, h + "/Bin");
    EXPECT_EQ(Configuration.Color, h + "/Color");
    EXPECT_EQ(Configuration.Texture, h + "/Texture");
    EXPECT_EQ(Configuration.Style, h + "/Style");
    EXPECT_EQ(Configuration.Treatment, h + "/Treatment");
    EXPECT_EQ(Configuration.TextileOpen, h);
    EXPECT_EQ(Configuration.TREG_Size, "cstA4");
    EXPECT_EQ(Configuration.TUnits, "Cm");
    EXPECT_EQ(Configuration.SettingsDir, h + "/Bin/Textile");
    EXPECT_FALSE(Configuration.TempDir.endsWith('/'));
}

TEST_F(ConfigurationTest, StoredValuesWinAndBinIsConcatenatedPlainly) {
    ASSERT_TRUE(WriteConfigValue("Common", "Language", "Deutsch"));
    ASSERT_TRUE(WriteConfigValue("Directory", "Bin", "/opt/v/Bin/"));
    ASSERT_TRUE(WriteConfigValue("Common", "TREG_Size", "cstA0"));
    LoadConfiguration();
    EXPECT_EQ(Configuration.Language, "Deutsch");
    EXPECT_EQ(Configuration.TREG_Size, "cstA0");
    EXPECT_EQ(Configuration.SettingsDir, "/opt/v/Bin//Textile");
}

TEST_F(ConfigurationTest, SettingsFilesAreSeededIntoAPerUserCopy) {
    {
        TIniFile shipped(home.path() + "/Bin/Textile/Environment.ini");
        shipped.WriteInteger("AutoSave", "Min", 9);
    }
    // The install tree is read-only for the user.
    QFile::setPermissions(home.path() + "/Bin/Textile", QFile::ReadOwner | QFile::ExeOwner);
    LoadConfiguration();
    const QString path = SettingsFile("environment.INI");
    EXPECT_TRUE(path.startsWith(config.path()));
    {
        TIniFile env(path);
        EXPECT_EQ(env.ReadInteger("AutoSave", "Min", 5), 9);
        env.WriteInteger("AutoSave", "Min", 3);
        EXPECT_TRUE(env.UpdateFile());
    }
    EXPECT_EQ(TIniFile(SettingsFile("Environment.ini")).ReadInteger("AutoSave", "Min", 5), 3);
    EXPECT_EQ(TIniFile(home.path() + "/Bin/Textile/Environment.ini").ReadInteger("AutoSave", "Min", 5), 9);
    // A file nobody shipped is still a usable per-user path.
    EXPECT_TRUE(SettingsFile("Draw.ini").startsWith(config.path()));
    QFile::setPermissions(home.path() + "/Bin/Textile",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(Paths, JoinAddsOneSeparatorAndFindsNamesInAnyCase) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Bin/Carpet");
    QFile f(dir.path() + "/Bin/Carpet/splash.bmp");
    f.open(QIODevice::WriteOnly);
    f.close();
    EXPECT_EQ(JoinPath(dir.path() + "/Bin/carpet", "SPLASH.BMP"), dir.path() + "/Bin/Carpet/splash.bmp");
    EXPECT_EQ(JoinPath(dir.path() + "/", "none.ini"), dir.path() + "/none.ini");
    EXPECT_EQ(JoinPath("", "x"), "x");
}
