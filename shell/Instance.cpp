#include "shell/Instance.h"

#include "shell/Common.h"

#include <QDir>
#include <QLockFile>

TInstanceLock::TInstanceLock() : FileName_(ConfigDirectory() + "/OrvaneDesignCAD(Carpet).lock") {}

TInstanceLock::~TInstanceLock() = default;

bool TInstanceLock::Acquire() {
    if (Lock && Lock->isLocked()) return true;
    QDir().mkpath(ConfigDirectory());
    Lock = std::make_unique<QLockFile>(FileName_);
    // Never treat a live lock as stale by age: the program may run for days. A lock
    // whose process has died is still recognised and removed by QLockFile itself.
    Lock->setStaleLockTime(0);
    return Lock->tryLock(0);
}
