#include "textile/Diskaccess.h"

#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "textile/Diskimage.h"

using namespace CarpetDisk;

namespace {

constexpr int kTransferSectors = 30;
constexpr int kTransfers = kSectors / kTransferSectors; // 80

bool Continue(const TDiskProgress& progress, int step) {
    return !progress || progress(step);
}

} // namespace

uint32_t ReadDiskette(TDiskTarget& target, std::vector<uint8_t>& image, const TDiskProgress& progress) {
    image.assign(size_t(kImageBytes), 0);
    uint32_t code = target.Open(false) ? 0 : ErrorCode::BadFile;
    for (int k = 0; !code && k < kTransfers; ++k) {
        if (!Continue(progress, k))
            code = kDiskCancelled;
        else if (!target.Read(k * kTransferSectors, kTransferSectors,
                              &image[size_t(k) * kTransferSectors * kSectorBytes]))
            code = ErrorCode::BadFile;
    }
    target.Close(false);
    if (!code) Continue(progress, kTransfers);
    return code;
}

uint32_t WriteDiskette(TDiskTarget& target, const std::vector<uint8_t>& image,
                       const TDiskProgress& progress) {
    if (image.size() != size_t(kImageBytes)) return ErrorCode::DisketteWrite;
    if (!Continue(progress, 0)) return kDiskCancelled;
    uint32_t code = target.Open(true) ? 0 : ErrorCode::DisketteWrite;
    for (int k = 0; !code && k < kTransfers; ++k) {
        if (k > 0 && !Continue(progress, k) && target.CanCancelWrite())
            code = kDiskCancelled;
        else if (!target.Write(k * kTransferSectors, kTransferSectors,
                               &image[size_t(k) * kTransferSectors * kSectorBytes]))
            code = ErrorCode::DisketteWrite;
    }
    if (!target.Close(!code) && !code) code = ErrorCode::DisketteWrite;
    if (!code) Continue(progress, kTransfers);
    return code;
}

uint32_t WriteCarpetDiskette(const TDocument& document, int width, int height, TDiskTarget& target,
                             const TDiskProgress& progress) {
    std::vector<uint8_t> image;
    if (const uint32_t code = EncodeCarpetDiskette(document.Picture(), width, height, image)) return code;
    return WriteDiskette(target, image, progress);
}

uint32_t WriteCarpetDiskette(const TDocument& document, TDiskTarget& target, const TDiskProgress& progress) {
    const TCarpetWindow& window = document.CarpetWindow();
    return WriteCarpetDiskette(document, window.Width, window.Height, target, progress);
}

uint32_t ReadCarpetDiskette(TDocument& document, TDiskTarget& target, const TCurrentColour& colour,
                            const TDiskProgress& progress) {
    if (document.BitsPerPixel() != 8) return ErrorCode::DepthOfType;
    std::vector<uint8_t> image;
    if (const uint32_t code = ReadDiskette(target, image, progress)) return code;
    const int rows = CarpetDisketteRows(image);
    if (rows < 0) return ErrorCode::NotCarpetDiskette;
    TChange change(document);
    change.Fill(document.Bounds(), colour.Pixel(8, document.Palette()));
    const bool fits = document.Bounds().width() >= kKnots && rows <= document.Bounds().height();
    if (fits) DecodeCarpetDiskette(image, rows, change.Picture(), change.Guard());
    change.Commit();
    if (!fits) return ErrorCode::NotCarpetDiskette;
    document.SetCarpetWindow(TCarpetWindow{true, kKnots, rows});
    return 0;
}
