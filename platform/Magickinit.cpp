#include "platform/Magickinit.h"

#include "platform/Bitmaphandle.h"

#include <Magick++.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace {

// The resource part of our policy. Coder and path rules stay those of the system
// policy, which ImageMagick still reads after ours.
QByteArray PolicyText() {
    const QByteArray side = QByteArray::number(kMaxBitmapSide);
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<!DOCTYPE policymap [\n"
                      "<!ELEMENT policymap (policy)*>\n"
                      "<!ATTLIST policymap xmlns CDATA #FIXED ''>\n"
                      "<!ELEMENT policy EMPTY>\n"
                      "<!ATTLIST policy xmlns CDATA #FIXED '' domain NMTOKEN #REQUIRED\n"
                      "  name NMTOKEN #IMPLIED pattern CDATA #IMPLIED rights NMTOKEN #IMPLIED\n"
                      "  stealth NMTOKEN #IMPLIED value CDATA #IMPLIED>\n"
                      "]>\n"
                      "<policymap>\n"
                      "  <policy domain=\"resource\" name=\"memory\" value=\"8GiB\"/>\n"
                      "  <policy domain=\"resource\" name=\"map\" value=\"16GiB\"/>\n"
                      "  <policy domain=\"resource\" name=\"width\" value=\"") +
           side + "\"/>\n  <policy domain=\"resource\" name=\"height\" value=\"" + side +
           "\"/>\n"
           "  <policy domain=\"resource\" name=\"area\" value=\"4GP\"/>\n"
           "  <policy domain=\"resource\" name=\"disk\" value=\"16GiB\"/>\n"
           "</policymap>\n";
}

// Writes policy.xml into a new private directory; returns its path, or empty on failure.
QString WritePolicyDirectory() {
    QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/velmora-magick-XXXXXX"));
    if (!mkdtemp(pattern.data())) return {};
    const QString dir = QFile::decodeName(pattern);
    QFile file(dir + QStringLiteral("/policy.xml"));
    const QByteArray text = PolicyText();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        file.remove();
        QDir().rmdir(dir);
        return {};
    }
    return dir;
}

// ImageMagick keeps its pixel cache in "aligned" memory. Blocks of 2 MiB and more
// are asked for on huge pages: filling a fresh cache then faults 2 MiB at a time
// instead of 4 KiB, several times faster for an A0 picture.
void* AcquireAligned(size_t size, size_t alignment) {
    constexpr size_t kHugePage = size_t(2) << 20;
    void* p = nullptr;
    if (size >= kHugePage) {
        const size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
        if (posix_memalign(&p, kHugePage, rounded) != 0) return nullptr;
        madvise(p, rounded, MADV_HUGEPAGE); // only a hint
        return p;
    }
    if (posix_memalign(&p, std::max(alignment, sizeof(void*)), std::max<size_t>(size, 1)) != 0)
        return nullptr;
    return p;
}

void RelinquishAligned(void* p) {
    std::free(p);
}

} // namespace

void InitImaging() {
    static std::once_flag once;
    std::call_once(once, [] {
        // ImageMagick loads its policy while it initialises, searching
        // MAGICK_CONFIGURE_PATH first. Put our directory in front of any path the
        // user set, and restore the variable once the policy has been read.
        const QString dir = WritePolicyDirectory();
        const bool hadPath = qEnvironmentVariableIsSet("MAGICK_CONFIGURE_PATH");
        const QByteArray oldPath = qgetenv("MAGICK_CONFIGURE_PATH");
        if (!dir.isEmpty()) {
            QByteArray path = QFile::encodeName(dir);
            if (!oldPath.isEmpty()) path += ':' + oldPath;
            qputenv("MAGICK_CONFIGURE_PATH", path);
        }
        MagickCore::SetMagickAlignedMemoryMethods(AcquireAligned, RelinquishAligned);
        Magick::InitializeMagick(nullptr);
        if (dir.isEmpty()) return;
        if (hadPath)
            qputenv("MAGICK_CONFIGURE_PATH", oldPath);
        else
            qunsetenv("MAGICK_CONFIGURE_PATH");
        QFile::remove(dir + QStringLiteral("/policy.xml"));
        QDir().rmdir(dir);
    });
}
