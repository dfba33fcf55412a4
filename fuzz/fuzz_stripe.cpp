// Stripe files (".stp") from a file and a named pipe, and the stripe block of
// either layout from a buffer and a sequential device.
#include "Fuzzinput.h"
#include "textile/Stripefile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OnFileAndPipe(FuzzBytes(data, size), "input.stp", [](const QString& path) {
        TPalette palette;
        TStripeList list;
        ReadStripeFile(path, palette, list);
    });
    for (bool current : {false, true})
        OnBothDevices(FuzzBytes(data, size), [current](QIODevice* in) {
            TStripeList list;
            ReadStripeBlock(in, current, list);
        });
    return 0;
}
