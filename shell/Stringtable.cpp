#include "shell/Stringtable.h"

#include "platform/Inifile.h"
#include "shell/Paths.h"

namespace {
// A section longer than this is a damaged file, not a language table.
constexpr int kMaxEntries = 100000;
} // namespace

bool TStringTable::Load(const QString& directory, const QString& language, const QString& section) {
    Strings.clear();
    const TIniFile reference(JoinPath(directory, QStringLiteral("English.tdw")));
    const TIniFile translated(JoinPath(directory, language + QStringLiteral(".tdw")));
    const int count = reference.ReadInteger(section, QStringLiteral("Length"), 0);
    if (count < 1 || count > kMaxEntries) return false;
    Strings.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString key = QString::number(i);
        QString text = translated.ReadString(section, key, QString());
        if (text.isEmpty()) text = reference.ReadString(section, key, QString());
        // The line break takes the two characters' place, so the length stays.
        text.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
        Strings << text;
    }
    return true;
}

QString FillPlaces(const QString& format, const QStringList& values) {
    QString out;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const bool place = format[i] == QLatin1Char('%') && i + 1 < format.size() &&
                           (format[i + 1] == QLatin1Char('d') || format[i + 1] == QLatin1Char('s'));
        if (place && next < values.size()) {
            out += values[next++];
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}
