#pragma once
// velmora-cli run as a user runs it: exit status and both outputs.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

struct TRun {
    int Status = -1;
    QByteArray Out, Err;
};

inline TRun Cli(const QStringList& args) {
    QProcess p;
    p.start(VELMORA_CLI_PATH, args);
    p.waitForFinished(120000);
    return TRun{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                p.readAllStandardError()};
}

// dump FILE --json (and any more arguments), which must succeed.
inline QJsonObject Dump(const QString& path, const QStringList& more = {}) {
    const TRun r = Cli(QStringList{"dump", path, "--json"} + more);
    EXPECT_EQ(r.Status, 0) << r.Err.toStdString();
    return QJsonDocument::fromJson(r.Out).object();
}
