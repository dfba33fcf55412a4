#include "shell/Instance.h"

#include "shell/Common.h"

#include <QDir>
#include <QLockFile>
#include <unistd.h>

TInstanceLock::TInstanceLock() : FileName_(ConfigDirectory() + "/OrvaneDesignCAD(Carpet).lock") {}

TInstanceLock::~TInstanceLock() = default;

bool TInstanceLock::TryLock(const QString& fileName) {
    FileName_ = fileName;
    Lock = std::make_unique<QLockFile>(fileName);
    // Never treat a live lock as stale by age: the program may run for days. A lock
    // whose process has died is still recognised and removed by QLockFile itself.
    Lock->setStaleLockTime(0);
    return Lock->tryLock(0);
}

bool TInstanceLock::Acquire() {
    if (Lock && Lock->isLocked()) return true;
    QDir().mkpath(ConfigDirectory());
    if (TryLock(ConfigDirectory() + "/OrvaneDesignCAD(Carpet).lock")) return true;
    if (Lock->error() == QLockFile::LockFailedError) return false; // another copy runs
    // A settings folder that cannot hold the lock (no rights, read-only disk) must
    // not pass for a running copy: the temporary folder keeps the lock instead.
    if (TryLock(QDir::tempPath() + QStringLiteral("/velmora-%1.lock").arg(::getuid()))) return true;
    return Lock->error() != QLockFile::LockFailedError; // no lock to be had: run unguarded
}
