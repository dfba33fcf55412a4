#pragma once
// The main window fixture of the widget tests.

#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu_f.h"
#include "shell/Paper.h"
#include "support/Draw.h"

#include <QFrame>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A shown main window with its own settings folder; documents are small canvases.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("VELMORA_CONFIG_DIR", config.path().toUtf8());
        qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
        main = std::make_unique<TMainForm>();
        main->show();
    }
    void TearDown() override {
        main.reset();
        qunsetenv("VELMORA_CONFIG_DIR");
        qunsetenv("VELMORA_HOME");
    }
    TMainImageForm* Document(int bits) {
        TPaper p;
        p.dpi = 160;
        SetPaper(p, kPaperCustom, 64, 48);
        return main->NewDocument(p, bits);
    }
    int ColouredFrames() {
        int n = 0;
        for (int t = 1; t <= kToolCount; ++t)
            if (QFrame* f = main->MainMenu()->Shape(t))
                n += f->palette().color(QPalette::WindowText) != Qt::black;
        return n;
    }
    QTemporaryDir config;
    std::unique_ptr<TMainForm> main;
};
