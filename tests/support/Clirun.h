#pragma once
// velmora-cli run as a child process, as a user runs it.
#include <QProcess>
#include <QStringList>

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
