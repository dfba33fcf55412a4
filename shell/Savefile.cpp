#include "shell/Savefile.h"

#include "platform/Savecommit.h"
#include "shell/Exception.h"

uint32_t SaveFileSafely(const QString& path, const std::function<uint32_t(QIODevice*)>& body) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return ErrorCode::CannotCreateFile;
    if (const uint32_t code = body(&file)) return code; // the temporary file goes unused
    return CommitWholeFile(file) ? 0 : ErrorCode::CannotWriteFile;
}

uint32_t SaveFileSafely(const QString& path, const QByteArray& bytes) {
    return SaveFileSafely(path, [&](QIODevice* file) -> uint32_t {
        return file->write(bytes) == bytes.size() ? 0 : ErrorCode::CannotWriteFile;
    });
}
