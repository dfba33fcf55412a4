// Undo record files: a bitmap read back for a record of a given rectangle (the
// first 4 bytes: width, height, depth choice), from a buffer and a sequential device.
#include "Fuzzinput.h"
#include "raster/Undo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    TUndoData record(1, QString());
    record.Rect = QRect(0, 0, 1 + data[0] % 64, 1 + data[1] % 64);
    const int bpp = data[2] % 3 == 0 ? 1 : data[2] % 3 == 1 ? 8 : 24;
    OnBothDevices(FuzzBytes(data + 3, size - 3), [&](QIODevice* in) {
        TOrvaneBitmap bitmap;
        record.ReadBitmap(*in, &bitmap, bpp);
    });
    return 0;
}
