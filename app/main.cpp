// The desktop application: one copy per user, a splash while the main window
// is built, then the event loop.
#include "shell/Common.h"
#include "shell/Errorbox_f.h"
#include "shell/Instance.h"
#include "shell/Main_f.h"
#include "shell/Splash_f.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));

    TInstanceLock instance;
    if (!instance.Acquire()) {
        ShowPlainMessage(QStringLiteral("Application already running."));
        return 0;
    }
    InstallErrorPresenter();

    TSplashForm splash;
    if (splash.HasPicture()) {
        splash.show();
        app.processEvents();
    }

    TMainForm mainForm;
    // Maximised; the geometry also holds where no window manager maximises.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainForm.setGeometry(screen->availableGeometry());
    mainForm.showMaximized();
    splash.finish(&mainForm);
    const QStringList args = QApplication::arguments();
    mainForm.FirstActivation(args.size() > 1 ? args[1] : QString());
    return app.exec();
}
