// User colour libraries (".ucl") from a file and a named pipe.
#include "Fuzzinput.h"
#include "colour/Usercolor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OnFileAndPipe(FuzzBytes(data, size), "input.ucl", [](const QString& path) {
        TUserColorList list;
        ReadUserColors(path, list);
    });
    return 0;
}
