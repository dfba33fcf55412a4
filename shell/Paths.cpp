#include "shell/Paths.h"

#include <QDir>
#include <QFileInfo>

QString ResolveCase(const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path)) return path;
    const QStringList parts = QDir::fromNativeSeparators(path).split(QLatin1Char('/'));
    QString resolved = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty()) continue;
        QString next = resolved.isEmpty() || resolved.endsWith(QLatin1Char('/'))
                           ? resolved + part
                           : resolved + QLatin1Char('/') + part;
        if (!QFileInfo::exists(next)) {
            const QDir dir(resolved.isEmpty() ? QStringLiteral(".") : resolved);
            bool found = false;
            for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    next = resolved.isEmpty() || resolved.endsWith(QLatin1Char('/'))
                               ? resolved + entry
                               : resolved + QLatin1Char('/') + entry;
                    found = true;
                    break;
                }
            if (!found) return path;
        }
        resolved = next;
    }
    return resolved;
}

QString JoinPath(const QString& dir, const QString& name) {
    if (dir.isEmpty()) return ResolveCase(name);
    const QString joined = dir.endsWith(QLatin1Char('/')) ? dir + name : dir + QLatin1Char('/') + name;
    return ResolveCase(joined);
}
