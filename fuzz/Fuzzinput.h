#pragma once
// What the fuzz targets share: the input as a random-access buffer and as a
// sequential device, written to a temporary file, or sent through a named
// pipe by a writer thread (for readers that take a path).
#include "support/Sequentialbytes.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

// The input bytes (copied once).
inline QByteArray FuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Calls read once with a QBuffer over bytes and once with a sequential device.
void OnBothDevices(const QByteArray& bytes, const std::function<void(QIODevice*)>& read);

// A folder of this process for temporary inputs (made on first use).
QString FuzzDir();

// Writes bytes to FuzzDir()/name and returns the path.
QString FuzzFile(const QByteArray& bytes, const QString& name);

// Calls read with the path of a regular file and then of a named pipe, both
// named name, that hold bytes.
void OnFileAndPipe(const QByteArray& bytes, const QString& name,
                   const std::function<void(const QString&)>& read);
