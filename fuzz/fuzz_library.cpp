// Colour libraries (".vmc" and ".ptc", every layout), from a buffer and a
// sequential device, then a code and a nearest-colour look-up in what was read.
#include "Fuzzinput.h"
#include "colour/Tdptest.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OnBothDevices(FuzzBytes(data, size), [](QIODevice* in) {
        const std::unique_ptr<TColorLibrary> libraries[] = {
            std::make_unique<TStandardColor>(), std::make_unique<TTextileColor>(),
            std::make_unique<TPantone1000>(), std::make_unique<TPantoneTextile>()};
        const qint64 start = in->isSequential() ? 0 : in->pos();
        for (const auto& lib : libraries) {
            if (in->isSequential() && lib != libraries[0]) break; // a pipe is read once
            if (!in->isSequential()) in->seek(start);
            if (lib->Read(in)) continue;
            lib->FindNearest(10, 200, 30);
            if (const TLibraryColor* first = lib->Record(0, 0)) lib->FindCode(lib->CodeText(*first));
        }
    });
    return 0;
}
