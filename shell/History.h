#pragma once
// The list of recently closed designs behind File > Reopen, newest first.
//
// It is kept in "Main.ini": "History"/"Count", then one section per entry,
// "History0" ..., with "DirectoryName", "FileName" (the full path), "Index" (the
// file type; document windows record 1) and "BytesPerPixel" (which holds the
// bits per pixel, 8 or 24).

#include <QString>
#include <vector>

class TIniFile;

constexpr int kMaxHistory = 8;

struct THistoryEntry {
    QString Directory;
    QString Path; // directory + "/" + file name
    int Type = 0;
    int BitsPerPixel = 0;
    friend bool operator==(const THistoryEntry&, const THistoryEntry&) = default;
};

class THistoryList {
  public:
    // maxEntries is held to 1 .. 8.
    explicit THistoryList(int maxEntries = kMaxHistory);

    // Replaces the list with the stored one; a missing file gives an empty list.
    // Entries without a file name are skipped; at most the maximum are kept.
    void Load(const TIniFile& ini);
    void Load(const QString& iniPath);
    // Writes "Count" and every entry, and removes "History<i>" sections past the count.
    void Save(TIniFile& ini) const;
    // Writes the file; false when it cannot be written.
    bool Save(const QString& iniPath) const;

    // Puts directory + "/" + fileName at the front; earlier entries with the same
    // path go, and the oldest falls off past the maximum. An empty name is ignored.
    void Add(const QString& directory, const QString& fileName, int bitsPerPixel, int type);
    // Removes entry i; out-of-range indices are ignored.
    void Remove(int index);

    int Count() const { return int(Entries.size()); }
    int MaxEntries() const { return Max; }
    const THistoryEntry& Entry(int index) const { return Entries[index]; }
    // The menu caption "&<i + 1> <path>" (ampersands in the path doubled so they show).
    QString Caption(int index) const;

  private:
    std::vector<THistoryEntry> Entries;
    int Max;
};

// The folder files were last opened from or saved to ("FileManager"/"DirectoryName"
// of "Main.ini"; the home folder at first).
QString LastFileFolder();
void RememberFileFolder(const QString& folder);
