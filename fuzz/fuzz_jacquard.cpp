// Jacquard lists (".jqd") from a buffer, a sequential device and a named pipe.
#include "Fuzzinput.h"
#include "textile/Jacquardfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OnBothDevices(FuzzBytes(data, size), [](QIODevice* in) {
        TJacquardList list;
        ReadJacquard(in, list);
    });
    OnFileAndPipe(FuzzBytes(data, size), "input.jqd", [](const QString& path) {
        TJacquardList list;
        ReadJacquardFile(path, list);
    });
    return 0;
}
