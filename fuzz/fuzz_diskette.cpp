// Carpet diskette images: the input over the header and row records of a whole
// image, decoded when it passes the check; and an image file of any size
// through the file target (a file and a named pipe).
#include "Fuzzinput.h"
#include "colour/Colorset.h"
#include "raster/Tpmemory.h"
#include "textile/Diskaccess.h"
#include "textile/Diskimage.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace CarpetDisk;
    std::vector<uint8_t> image(size_t(kImageBytes), kFiller);
    std::copy_n(data, std::min(size, size_t(kImageBytes - kHeaderAt)), image.begin() + kHeaderAt);
    const int rows = CarpetDisketteRows(image);
    if (rows > 0) {
        TOrvaneBitmap picture;
        if (picture.Allocate(kKnots, rows, nullptr, 8))
            DecodeCarpetDiskette(image, rows, picture, TWriteGuard());
    }
    OnFileAndPipe(FuzzBytes(data, size), "input.img", [](const QString& path) {
        std::vector<uint8_t> read;
        const auto target = MakeImageFileTarget(path);
        ReadDiskette(*target, read, [](int) { return true; });
    });
    return 0;
}
