#pragma once
// Finishing a written file. A full disk may take part of the last block without an
// error from write(), so a file counts as written only when it holds at least
// everything up to where the writer stands.

#include <QSaveFile>

inline bool HoldsAllWritten(QFileDevice& file) {
    return file.flush() && file.size() >= file.pos();
}

// A QSaveFile replaces the old file only then.
inline bool CommitWholeFile(QSaveFile& file) {
    if (!HoldsAllWritten(file)) {
        file.cancelWriting();
        file.commit(); // drops the temporary file
        return false;
    }
    return file.commit();
}
