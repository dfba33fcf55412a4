#pragma once
// The main window fixture of the widget tests.

#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu_f.h"
#include "shell/Paper.h"
#include "shell/Progress_f.h"
#include "support/Draw.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
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
    // Runs action with the progress window shown at its first report and, when
    // cancel, its Cancel clicked as soon as it shows; returns the window's caption
    // (empty when none showed).
    QString WatchProgress(const std::function<void()>& action, bool cancel) {
        ShowProgressAtOnce(true);
        QString caption;
        QTimer watch; // the window processes events while it shows: look at it then
        watch.setInterval(5);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* form = main->findChild<TProgressForm*>("Progress");
            if (!form || !form->isVisible() || !caption.isEmpty()) return;
            caption = form->Caption->text();
            if (cancel) form->CancelButton->click();
        });
        watch.start();
        action();
        watch.stop();
        ShowProgressAtOnce(false);
        return caption;
    }
    QTemporaryDir config;
    std::unique_ptr<TMainForm> main;
};
