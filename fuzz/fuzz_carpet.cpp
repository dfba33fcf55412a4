// Carpet files (".cpt": a design and a carpet block) from a file and a named
// pipe, and the carpet block alone from a buffer and a sequential device.
#include "Fuzzinput.h"
#include "shell/Document.h"
#include "textile/Carpetfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OnFileAndPipe(FuzzBytes(data, size), "input.cpt", [](const QString& path) {
        TDesign design;
        TCarpetParts carpet;
        ReadCarpetFile(path, design, carpet);
    });
    OnBothDevices(FuzzBytes(data, size), [](QIODevice* in) {
        TCarpetParts carpet;
        bool present = false;
        ReadCarpetBlock(in, QSize(40, 30), carpet, present);
    });
    return 0;
}
