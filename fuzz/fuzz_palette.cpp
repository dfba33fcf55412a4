// Palette files (".fcr") from a file and a named pipe.
#include "Fuzzinput.h"
#include "colour/Palettefile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OnFileAndPipe(FuzzBytes(data, size), "input.fcr", [](const QString& path) {
        TPalette palette;
        LoadPaletteFile(path, palette);
    });
    return 0;
}
