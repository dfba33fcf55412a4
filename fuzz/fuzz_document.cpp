// Design files of every layout (current, older "PT", the oldest with LZW) and
// their thumbnails, from a buffer and from a sequential device.
#include "Fuzzinput.h"
#include "raster/Tpmemory.h"
#include "shell/File.h"

#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OnBothDevices(FuzzBytes(data, size), [](QIODevice* in) {
        TPalette palette;
        TDocumentHeader header;
        TOrvaneBitmap image;
        ReadDocument(in, palette, header, !in->isSequential(), &image);
    });
    OnBothDevices(FuzzBytes(data, size), [](QIODevice* in) {
        QImage thumbnail;
        TPalette palette;
        ReadThumbnail(in, thumbnail, palette);
    });
    return 0;
}
