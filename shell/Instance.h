#pragma once
// Keeps one running copy of the program per user: a lock file in the user's
// configuration folder, held for the whole run. A copy that crashed leaves a
// lock whose process is gone, and the next start takes it over. When the folder
// cannot hold a lock at all, the lock goes to the temporary folder instead.

#include <QString>
#include <memory>

class QLockFile;

class TInstanceLock {
  public:
    TInstanceLock();
    ~TInstanceLock();
    // True when this process now holds the lock; false while another copy runs.
    bool Acquire();
    QString FileName() const { return FileName_; }

  private:
    bool TryLock(const QString& fileName);
    QString FileName_;
    std::unique_ptr<QLockFile> Lock;
};
