#pragma once
// The commands of velmora-cli. Each returns the process exit status: 0 on
// success, 1 on failure (after reporting the error code's text), 2 on bad usage.
#include <QStringList>

int CommandInfo(const QStringList& args);
int CommandConvert(const QStringList& args);
int CommandThumbnail(const QStringList& args);
int CommandDump(const QStringList& args);
int CommandMakePalette(const QStringList& args);

// Shared by the commands: reports code through ReportError and returns 1.
int Fail(uint32_t code, const QString& extra = QString());
// "path: detail", or the path alone when there is no detail.
QString WithDetail(const QString& path, const QString& detail);
