#include "platform/Inifile.h"

#include "platform/Lereader.h"
#include "platform/Savecommit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Ini files are small; anything beyond this is not a settings file.
constexpr qint64 kMaxIniBytes = 16 * 1024 * 1024;

} // namespace

TIniFile::TIniFile(const QString& fileName) : FileName_(fileName) {
    QFile file(fileName);
    QByteArray bytes;
    if (!file.open(QIODevice::ReadOnly) || !ReadAllBounded(&file, kMaxIniBytes, bytes)) return;
    const QString text = QString::fromUtf8(bytes);
    Section* current = nullptr;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = &FindOrAdd(line.mid(1, line.size() - 2).trimmed());
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || !current) continue;
        const QString key = line.left(eq).trimmed();
        QString value = line.mid(eq + 1).trimmed();
        // A value in matching quotes keeps its inner spaces; the quotes go.
        if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        bool found = false;
        for (Entry& e : current->Entries)
            if (SameName(e.Key, key)) { // the first occurrence wins, as the system reader does
                found = true;
                break;
            }
        if (!found) current->Entries.push_back({key, value});
    }
    Loaded_ = true;
}

TIniFile::~TIniFile() {
    if (Dirty_) UpdateFile();
}

const TIniFile::Section* TIniFile::Find(const QString& section) const {
    for (const Section& s : Sections_)
        if (SameName(s.Name, section)) return &s;
    return nullptr;
}

TIniFile::Section& TIniFile::FindOrAdd(const QString& section) {
    for (Section& s : Sections_)
        if (SameName(s.Name, section)) return s;
    Sections_.push_back({section, {}});
    return Sections_.back();
}

const TIniFile::Entry* TIniFile::FindEntry(const QString& section, const QString& key) const {
    const Section* s = Find(section);
    if (!s) return nullptr;
    for (const Entry& e : s->Entries)
        if (SameName(e.Key, key)) return &e;
    return nullptr;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const Entry* e = FindEntry(section, key);
    return e ? e->Value : def;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    const Entry* e = FindEntry(section, key);
    if (!e) return def;
    bool ok = false;
    QString v = e->Value;
    const int n = v.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? v.mid(2).toInt(&ok, 16)
                  : v.startsWith(QLatin1Char('$'))                       ? v.mid(1).toInt(&ok, 16)
                                                                         : v.toInt(&ok, 10);
    return ok ? n : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    const Entry* e = FindEntry(section, key);
    if (!e) return def;
    if (SameName(e->Value, QStringLiteral("true"))) return true;
    if (SameName(e->Value, QStringLiteral("false"))) return false;
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const QString& section, const QString& key, double def) const {
    const Entry* e = FindEntry(section, key);
    if (!e) return def;
    bool ok = false;
    const double d = e->Value.toDouble(&ok);
    return ok ? d : def;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
    return FindEntry(section, key) != nullptr;
}

bool TIniFile::SectionExists(const QString& section) const {
    return Find(section) != nullptr;
}

QStringList TIniFile::ReadSection(const QString& section) const {
    QStringList keys;
    if (const Section* s = Find(section))
        for (const Entry& e : s->Entries)
            keys << e.Key;
    return keys;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    Section& s = FindOrAdd(section);
    Dirty_ = true;
    // Line breaks would split the entry; they are stored as the two characters \n.
    QString v = value;
    v.replace(QLatin1String("\r\n"), QLatin1String("\\n")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    for (Entry& e : s.Entries)
        if (SameName(e.Key, key)) {
            e.Value = v;
            return;
        }
    s.Entries.push_back({key, v});
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteFloat(const QString& section, const QString& key, double value) {
    WriteString(section, key, QString::number(value, 'g', 15));
}

void TIniFile::DeleteKey(const QString& section, const QString& key) {
    for (Section& s : Sections_)
        if (SameName(s.Name, section))
            for (auto it = s.Entries.begin(); it != s.Entries.end(); ++it)
                if (SameName(it->Key, key)) {
                    s.Entries.erase(it);
                    Dirty_ = true;
                    return;
                }
}

void TIniFile::EraseSection(const QString& section) {
    for (auto it = Sections_.begin(); it != Sections_.end(); ++it)
        if (SameName(it->Name, section)) {
            Sections_.erase(it);
            Dirty_ = true;
            return;
        }
}

bool TIniFile::UpdateFile() {
    QString text;
    for (const Section& s : Sections_) {
        text += QLatin1Char('[') + s.Name + QLatin1String("]\n");
        for (const Entry& e : s.Entries)
            text += e.Key + QLatin1Char('=') + e.Value + QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    QDir().mkpath(QFileInfo(FileName_).absolutePath());
    QSaveFile file(FileName_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !CommitWholeFile(file)) return false;
    Dirty_ = false;
    return true;
}
