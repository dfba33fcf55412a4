#pragma once
// Finishing a QSaveFile. A full disk may take part of the last block without an
// error from write(), so the temporary file must hold at least everything written
// up to where the writer stands before it replaces the old file.

#include <QSaveFile>

inline bool CommitWholeFile(QSaveFile& file) {
    if (!file.flush() || file.size() < file.pos()) {
        file.cancelWriting();
        file.commit(); // drops the temporary file
        return false;
    }
    return file.commit();
}
