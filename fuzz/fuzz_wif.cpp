// Weaving Information Files from memory and through a named pipe.
#include "Fuzzinput.h"
#include "textile/Texture.h"
#include "textile/Wif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TTexBitData weave;
    QString detail;
    ParseWif(FuzzBytes(data, size), weave, &detail);
    OnFileAndPipe(FuzzBytes(data, size), "input.wif", [](const QString& path) {
        TTexBitData w;
        ReadWif(path, w);
    });
    return 0;
}
