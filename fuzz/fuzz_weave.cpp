// Weave data files from a buffer and a sequential device (the weave count is
// the first byte), and a weave library whose index (".inf") and data files are
// the input: a 2-byte index length, the index, then the bytes of every data file.
#include "Fuzzinput.h"
#include "textile/Texture.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const QByteArray bytes = FuzzBytes(data, size);
    const int count = data[0];
    OnBothDevices(bytes.mid(1), [count](QIODevice* in) {
        std::vector<TTexBitData> weaves;
        ReadWeaves(in, count, QStringLiteral("fallback"), weaves);
    });

    const int indexLength = data[0] | data[1] << 8;
    const QByteArray index = bytes.mid(2, indexLength), rest = bytes.mid(2 + indexLength);
    const QString dir = FuzzDir() + "/library";
    QDir(dir).removeRecursively();
    QDir().mkpath(dir + "/Found/plain");
    FuzzFile(index, "library/Found/plain/plain.inf");
    // Data files for the first keys the index names (a key is each entry's first word).
    for (int at = 2; at + 1 < index.size() && at < 2 + 8 * 4; at += 4)
        FuzzFile(rest, QStringLiteral("library/Found/plain/plain.%1")
                           .arg(uint8_t(index[at]) | uint8_t(index[at + 1]) << 8));
    TTexture library;
    library.Load(dir);
    return 0;
}
