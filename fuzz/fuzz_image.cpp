// Foreign picture files through the imaging layer (Magick++ within the
// program's resource policy). The first byte picks the file name's extension.
#include "Fuzzinput.h"
#include "platform/Bitmaphandle.h"
#include "platform/Imagefile.h"
#include "platform/Magickinit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (InitImaging(), true);
    (void)ready;
    if (size < 1) return 0;
    static const char* const kNames[] = {"in.bmp", "in.png", "in.gif", "in.tif",
                                         "in.jpg", "in.pcx", "in.tga", "in.ppm"};
    const QString path = FuzzFile(FuzzBytes(data + 1, size - 1), kNames[data[0] % 8]);
    TBitmapHandle handle;
    TImageFileFacts facts;
    LoadImageFile(path, handle, &facts);
    FreeBitmapHandle(handle); // the handle owns what a good read gave it
    return 0;
}
