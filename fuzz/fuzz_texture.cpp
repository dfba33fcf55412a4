// Carpet textures (".ctx") from a file and a named pipe.
#include "Fuzzinput.h"
#include "textile/Carpetfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OnFileAndPipe(FuzzBytes(data, size), "input.ctx", [](const QString& path) {
        TCarpetTexture texture;
        ReadTextureFile(path, texture);
    });
    return 0;
}
