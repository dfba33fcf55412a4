#pragma once
// SANE's own "test" backend as the only scanner: a configuration folder with a
// dll.conf naming it and a test.conf, made once per process and named by
// SANE_CONFIG_DIR before the library starts (no other backend is probed, no
// hardware is needed). The device paints an 80 x 100 mm area at 50 dpi.

#include "platform/Scanner.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

inline void UseSaneTestBackend() {
    static QTemporaryDir dir;
    static const bool made = [] {
        auto write = [](const QString& name, const char* text) {
            QFile f(dir.filePath(name));
            return f.open(QIODevice::WriteOnly) && f.write(text) == qint64(qstrlen(text));
        };
        return write(QStringLiteral("dll.conf"), "test\n") &&
               write(QStringLiteral("test.conf"), "number_of_devices 1\n"
                                                  "mode Color\n"
                                                  "depth 8\n"
                                                  "resolution 50\n"
                                                  "test-picture \"Solid white\"\n"
                                                  "tl_x 0.0\ntl_y 0.0\nbr_x 80.0\nbr_y 100.0\n");
    }();
    if (made) qputenv("SANE_CONFIG_DIR", QDir::toNativeSeparators(dir.path()).toUtf8());
}

// The test device keeps its options from one opening to the next: back to the
// configured ones.
inline bool ResetTestDevice(TScanSession& session) {
    const char* options[][2] = {
        {"mode", "Color"},       {"depth", "8"},          {"test-picture", "Solid white"},
        {"three-pass", "false"}, {"read-limit", "false"}, {"read-return-value", "Default"},
        {"resolution", "50"}};
    bool ok = true;
    for (const auto& o : options)
        ok = session.SetOption(o[0], QString::fromLatin1(o[1])) && ok;
    return ok;
}
