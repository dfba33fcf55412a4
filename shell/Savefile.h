#pragma once
// Saving a whole file safely: the contents go to a temporary file beside the
// target, which replaces it only once everything is written, so a failed save
// never leaves a half-written file where a good one was.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

class QIODevice;

// body writes the contents and returns 0 or its own error code (the target is
// then left as it was). Returns 0, CannotCreateFile, body's code or CannotWriteFile.
uint32_t SaveFileSafely(const QString& path, const std::function<uint32_t(QIODevice*)>& body);
// The same for contents already in memory.
uint32_t SaveFileSafely(const QString& path, const QByteArray& bytes);
