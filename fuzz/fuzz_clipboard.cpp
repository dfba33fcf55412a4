// The private clipboard format, decoded and pasted into a small design.
#include "Fuzzinput.h"
#include "shell/Clipboard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TClipPicture picture;
    if (!DecodeClipboard(FuzzBytes(data, size), picture)) return 0;
    for (int bpp : {8, 24}) {
        TOrvaneBitmap design;
        if (design.Allocate(16, 12, nullptr, bpp)) PasteIntoDesign(design, TPalette(), picture, -3, 5);
    }
    return 0;
}
