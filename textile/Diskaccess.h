#pragma once
// Carpet diskettes: the image (textile/Diskimage.h) moved to or from a target in 80
// transfers of 30 sectors, and the document operations built on it.
//
// A target is a diskette image file (what floppy emulators of carpet machines take)
// or a floppy block device. Writing a file goes to a temporary file renamed over the
// name at the end, so a failed or cancelled write leaves the old file; writing a
// device cannot be cancelled once it started, as a half-written diskette is useless.

#include "colour/Currentcolour.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TDocument;

// Not an error: the user cancelled and nothing changed (ReportError shows nothing).
constexpr uint32_t kDiskCancelled = 0x00000181;

// Called with 0 ... 80 as the transfers go; returning false asks to cancel.
using TDiskProgress = std::function<bool(int step)>;

class TDiskTarget {
  public:
    virtual ~TDiskTarget() = default;
    // Opens for reading or writing; false when the target cannot be used.
    virtual bool Open(bool write) = 0;
    // Moves count sectors from first on (sector x 512 bytes) into or out of data.
    virtual bool Read(int first, int count, uint8_t* data) = 0;
    virtual bool Write(int first, int count, const uint8_t* data) = 0;
    // Ends the transfer: keep makes a write final; without it a file stays as it was.
    virtual bool Close(bool keep) = 0;
    // Whether a write may stop halfway and leave the target as it was.
    virtual bool CanCancelWrite() const = 0;
};

// A 1,228,800-byte image file; a file of another size is refused on reading.
std::unique_ptr<TDiskTarget> MakeImageFileTarget(const QString& path);
// A floppy block device such as /dev/fd0.
std::unique_ptr<TDiskTarget> MakeDeviceTarget(const QString& path);

enum class TDriveKind { None, Inch525, Inch35 };
// The kind from a floppy driver's drive type name: lower case ("h1200", "d360") for
// 5.25-inch drives, upper case ("H1440", "E2880") for 3.5-inch; None otherwise.
TDriveKind DriveKindOfName(const char* name);
// The device of drive A: (0) or B: (1), and what is there; None when it is absent.
QString DriveDevice(int drive);
TDriveKind DetectDrive(int drive);

// Whole transfers: 0, the read (BadFile) or write (DisketteWrite) error, or kDiskCancelled.
uint32_t ReadDiskette(TDiskTarget& target, std::vector<uint8_t>& image, const TDiskProgress& progress);
uint32_t WriteDiskette(TDiskTarget& target, const std::vector<uint8_t>& image, const TDiskProgress& progress);

// Writes the bottom-left width x height of the design (cut at 1700 columns); 0 or a code.
uint32_t WriteCarpetDiskette(const TDocument& document, int width, int height, TDiskTarget& target,
                             const TDiskProgress& progress);
// The same with the design's carpet window.
uint32_t WriteCarpetDiskette(const TDocument& document, TDiskTarget& target, const TDiskProgress& progress);
// Reads a diskette into the design as one undo step: the picture filled with colour, the
// carpet decoded into its bottom-left 1700 x rows, the carpet window set to that. A
// failed read or an image that is no carpet diskette (NotCarpetDiskette) leaves the
// design unchanged; a canvas narrower than 1700 or lower than the rows keeps the fill
// and answers NotCarpetDiskette.
uint32_t ReadCarpetDiskette(TDocument& document, TDiskTarget& target, const TCurrentColour& colour,
                            const TDiskProgress& progress);
