#include "shell/History.h"

#include "platform/Inifile.h"
#include "shell/Common.h"

#include <QDir>
#include <algorithm>

namespace {
const QString kHistory = QStringLiteral("History");

QString EntrySection(int index) {
    return kHistory + QString::number(index);
}
} // namespace

THistoryList::THistoryList(int maxEntries) : Max(std::clamp(maxEntries, 1, kMaxHistory)) {}

void THistoryList::Load(const TIniFile& ini) {
    Entries.clear();
    const int count = std::clamp(ini.ReadInteger(kHistory, QStringLiteral("Count"), 0), 0, kMaxHistory);
    for (int i = 0; i < count && int(Entries.size()) < Max; ++i) {
        const QString section = EntrySection(i);
        THistoryEntry e;
        e.Path = ini.ReadString(section, QStringLiteral("FileName"), QString());
        if (e.Path.isEmpty()) continue;
        e.Directory = ini.ReadString(section, QStringLiteral("DirectoryName"), QString());
        e.Type = ini.ReadInteger(section, QStringLiteral("Index"), 0);
        e.BitsPerPixel = ini.ReadInteger(section, QStringLiteral("BytesPerPixel"), 0);
        Entries.push_back(e);
    }
}

void THistoryList::Load(const QString& iniPath) {
    Load(TIniFile(iniPath));
}

void THistoryList::Save(TIniFile& ini) const {
    ini.WriteInteger(kHistory, QStringLiteral("Count"), Count());
    for (int i = 0; i < Count(); ++i) {
        const QString section = EntrySection(i);
        ini.EraseSection(section);
        ini.WriteString(section, QStringLiteral("DirectoryName"), Entries[i].Directory);
        ini.WriteString(section, QStringLiteral("FileName"), Entries[i].Path);
        ini.WriteInteger(section, QStringLiteral("Index"), Entries[i].Type);
        ini.WriteInteger(section, QStringLiteral("BytesPerPixel"), Entries[i].BitsPerPixel);
    }
    // Sections of a longer list saved before; the loop ends at the first gap
    // beyond the largest list, so it stays bounded by what the file holds.
    for (int i = Count(); i < kMaxHistory || ini.SectionExists(EntrySection(i)); ++i)
        ini.EraseSection(EntrySection(i));
}

bool THistoryList::Save(const QString& iniPath) const {
    TIniFile ini(iniPath);
    Save(ini);
    return ini.UpdateFile();
}

void THistoryList::Add(const QString& directory, const QString& fileName, int bitsPerPixel, int type) {
    if (fileName.isEmpty()) return;
    THistoryEntry e;
    e.Directory = directory;
    e.Path =
        directory.endsWith(QLatin1Char('/')) ? directory + fileName : directory + QLatin1Char('/') + fileName;
    e.Type = type;
    e.BitsPerPixel = bitsPerPixel;
    std::erase_if(Entries, [&](const THistoryEntry& old) { return old.Path == e.Path; });
    Entries.insert(Entries.begin(), e);
    if (int(Entries.size()) > Max) Entries.resize(Max);
}

void THistoryList::Remove(int index) {
    if (index >= 0 && index < Count()) Entries.erase(Entries.begin() + index);
}

QString THistoryList::Caption(int index) const {
    if (index < 0 || index >= Count()) return QString();
    QString path = Entries[index].Path;
    path.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QLatin1Char('&') + QString::number(index + 1) + QLatin1Char(' ') + path;
}

QString LastFileFolder() {
    const TIniFile main(SettingsFile(QStringLiteral("Main.ini")));
    return main.ReadString(QStringLiteral("FileManager"), QStringLiteral("DirectoryName"), QDir::homePath());
}

void RememberFileFolder(const QString& folder) {
    TIniFile main(SettingsFile(QStringLiteral("Main.ini")));
    main.WriteString(QStringLiteral("FileManager"), QStringLiteral("DirectoryName"), folder);
    main.UpdateFile();
}
