#include "shell/Savefile.h"

#include "shell/Exception.h"

#include <QSaveFile>

uint32_t SaveFileSafely(const QString& path, const std::function<uint32_t(QIODevice*)>& body) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return ErrorCode::CannotCreateFile;
    if (const uint32_t code = body(&file)) return code; // the temporary file goes unused
    // A full disk may take part of the last block and report no error: the file
    // must hold at least everything written up to where the writer stands.
    if (!file.flush() || file.size() < file.pos()) {
        file.cancelWriting();
        return ErrorCode::CannotWriteFile;
    }
    return file.commit() ? 0 : ErrorCode::CannotWriteFile;
}

uint32_t SaveFileSafely(const QString& path, const QByteArray& bytes) {
    return SaveFileSafely(path, [&](QIODevice* file) -> uint32_t {
        return file->write(bytes) == bytes.size() ? 0 : ErrorCode::CannotWriteFile;
    });
}
