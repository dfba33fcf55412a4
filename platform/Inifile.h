#pragma once
// Windows-style ini files: "[Section]" lines followed by "Key=Value" lines.
// Section and key names match without regard to case; values are trimmed.
// Changes are kept in memory and written by UpdateFile (also on destruction),
// through a temporary file so an interrupted write never leaves half a file.

#include <QString>
#include <QStringList>
#include <vector>

class TIniFile {
  public:
    // Reads the file if it exists; a missing or unreadable file gives an empty store.
    explicit TIniFile(const QString& fileName);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const QString& FileName() const { return FileName_; }
    bool Loaded() const { return Loaded_; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    double ReadFloat(const QString& section, const QString& key, double def) const;
    bool ValueExists(const QString& section, const QString& key) const;
    bool SectionExists(const QString& section) const;
    QStringList ReadSection(const QString& section) const; // key names in file order

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteFloat(const QString& section, const QString& key, double value);
    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);

    // Writes pending changes; false (and the old file left in place) when it cannot.
    bool UpdateFile();

  private:
    struct Entry {
        QString Key;
        QString Value;
    };
    struct Section {
        QString Name;
        std::vector<Entry> Entries;
    };
    const Section* Find(const QString& section) const;
    Section& FindOrAdd(const QString& section);
    const Entry* FindEntry(const QString& section, const QString& key) const;

    QString FileName_;
    std::vector<Section> Sections_;
    bool Loaded_ = false;
    bool Dirty_ = false;
};
