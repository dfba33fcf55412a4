#pragma once
// The private folder the undo store swaps its records into.
//
// A per-user base folder (mode 0700: the one set by SetUndoBaseDir, else
// $VELMORA_UNDO_DIR, else ~/.cache/Velmora/undo) holds one folder per store,
// "run-<pid>-<n>" (mode 0700, n counts the stores of the process), with a lock
// file "lock" held while the store lives. Files in it are created exclusively
// (never over an existing name, never through a symbolic link) with mode 0600,
// so no other user can read a design's pixels or plant a file for us to read.
// When a store first makes its folder, every sibling "run-*" folder whose lock is
// stale (its process ended without cleaning up) is removed with its files.
//
// Undotemp.cpp also holds the file side of TUndoData (raster/Undo.h): writing a
// record to its file and reading it back.

#include <QFile>
#include <QString>
#include <memory>

class QLockFile;

// The base folder for stores made from now on.
QString UndoBaseDir();
// Overrides the base folder; an empty dir goes back to the environment or the default.
void SetUndoBaseDir(const QString& dir);

// Removes the run folders under base whose owners have ended, except keep.
// Returns how many were removed.
int RemoveStaleRunFolders(const QString& base, const QString& keep = QString());

// Creates path exclusively (mode 0600, no symbolic link) and opens it for writing.
bool CreateExclusiveFile(const QString& path, QFile& file);
// Opens an existing regular file for reading, refusing a symbolic link.
bool OpenPrivateFile(const QString& path, QFile& file);

class TUndoFolder {
  public:
    // base empty: UndoBaseDir() as it is when the folder is first needed.
    explicit TUndoFolder(const QString& base = QString());
    // Removes the folder with everything left in it and releases the lock.
    ~TUndoFolder();
    TUndoFolder(const TUndoFolder&) = delete;
    TUndoFolder& operator=(const TUndoFolder&) = delete;

    // Makes the base and this store's folder on the first call (sweeping stale
    // siblings first). False when a private folder cannot be had; a later call tries again.
    bool Ensure();
    // The store's folder, empty until Ensure succeeded.
    QString Path() const { return Dir; }

  private:
    QString Base;
    QString Dir;
    std::unique_ptr<QLockFile> Lock;
};
