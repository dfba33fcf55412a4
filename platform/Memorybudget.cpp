#include "platform/Memorybudget.h"

#include "platform/Bitmaphandle.h"

#include <QByteArray>
#include <QFile>
#include <unistd.h>

uint64_t AvailableMemory() {
    bool set = false;
    const qulonglong limit = qEnvironmentVariable("VELMORA_MEMORY_LIMIT").toULongLong(&set);
    if (set) return limit;
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (meminfo.open(QIODevice::ReadOnly)) {
        for (QByteArray line = meminfo.readLine(); !line.isEmpty(); line = meminfo.readLine()) {
            if (!line.startsWith("MemAvailable:")) continue;
            const QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.size() >= 2) return parts[1].toULongLong() * 1024; // kB
        }
    }
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? uint64_t(pages) * uint64_t(pageSize) : UINT64_MAX;
}

bool PictureFitsInMemory(int width, int height, int bitsPerPixel) {
    if (width <= 0 || height <= 0) return true;
    const uint64_t bytes = uint64_t(BitmapBytesPerLine(width, bitsPerPixel)) * uint64_t(height);
    return bytes <= AvailableMemory() / 2;
}
