#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Main_f.h"
#include "shell/Mainmenu_f.h"
#include "shell/Splash_f.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MainFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("VELMORA_CONFIG_DIR", config.path().toUtf8());
        qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
    }
    void TearDown() override {
        qunsetenv("VELMORA_CONFIG_DIR");
        qunsetenv("VELMORA_HOME");
    }
    QTemporaryDir config;
};

} // namespace

TEST_F(MainFormTest, CaptionAndMenusComeFromTheLanguageTables) {
    TMainForm form;
    EXPECT_EQ(form.windowTitle(), "Velmora Design CAD System - Carpet (Professional)");
    EXPECT_EQ(form.FileItem()->title(), "&File");
    EXPECT_EQ(form.EditItem()->title(), "&Edit");
    EXPECT_EQ(form.WindowItem()->title(), "&Window");
    EXPECT_EQ(form.FExitItem()->text(), "E&xit");
    EXPECT_FALSE(form.AutosaveTimer()->isActive());
}

TEST_F(MainFormTest, TreeWithoutEnglishTdwGivesEmptyCaptions) {
    QTemporaryDir home;
    QDir(home.path()).mkpath("Bin/Textile");
    qputenv("VELMORA_HOME", home.path().toUtf8());
    TMainForm form;
    EXPECT_EQ(form.FileItem()->title(), "");
    EXPECT_EQ(form.FExitItem()->text(), "");
    EXPECT_EQ(form.windowTitle(), "Velmora Design CAD System - Carpet (Professional)");
}

TEST_F(MainFormTest, EnvironmentSetsFontAndAutosaveInterval) {
    {
        TIniFile env(config.path() + "/Textile/Environment.ini");
        env.WriteString("Font", "Name", "DejaVu Serif");
        env.WriteBool("AutoSave", "Check", true);
        env.WriteInteger("AutoSave", "Min", 7);
    }
    TMainForm form;
    EXPECT_TRUE(form.AutoSave());
    EXPECT_TRUE(form.AutosaveTimer()->isActive());
    EXPECT_EQ(form.AutosaveTimer()->interval(), 7 * 60000);
    EXPECT_EQ(form.UserFont().family(), "DejaVu Serif");
}

TEST_F(MainFormTest, SplashShowsTheShippedPicture) {
    TSplashForm splash;
    EXPECT_TRUE(splash.HasPicture());
    EXPECT_EQ(splash.pixmap().size(), QSize(480, 300));
}

TEST_F(MainFormTest, FontChoiceIsStoredAndGivenToTheToolWindows) {
    TMainForm form;
    form.SetUserFont("DejaVu Serif");
    EXPECT_EQ(form.UserFont().family(), "DejaVu Serif");
    EXPECT_EQ(TIniFile(config.path() + "/Textile/Environment.ini").ReadString("Font", "Name", ""),
              "DejaVu Serif");
    EXPECT_EQ(form.MainMenu()->font().family(), "DejaVu Serif");
    QStringList captions;
    for (QAction* a : form.FileItem()->actions())
        captions << a->text();
    EXPECT_TRUE(captions.contains("Font..."));
    EXPECT_TRUE(captions.contains("Reopen"));
    EXPECT_TRUE(captions.contains("&Scanning..."));
}
