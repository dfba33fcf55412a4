#include "platform/Imagefile.h"

#include "platform/Imagefile_header.h"
#include "platform/Imagefile_stream.h"
#include "platform/Magickinit.h"
#include "platform/Memorybudget.h"

#include <Magick++.h>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// Reading runs in three steps: the format is recognised from the bytes (the suffix
// only helps formats without a signature), the header gives the stored depth and the
// picture size, which is checked before ImageMagick decodes a single pixel, and the
// decoded picture is then copied into the handle as palette indices, grey levels or
// blue-green-red rows.

namespace {

struct TMagickFree {
    void operator()(MagickCore::ImageInfo* p) const { MagickCore::DestroyImageInfo(p); }
    void operator()(MagickCore::ExceptionInfo* p) const { MagickCore::DestroyExceptionInfo(p); }
    void operator()(MagickCore::Image* p) const { MagickCore::DestroyImageList(p); }
};
template <class T> using TMagickPtr = std::unique_ptr<T, TMagickFree>;

constexpr size_t kBandBytes = size_t(4) << 20;

// The file's bytes, mapped where the system allows so that a large uncompressed
// picture is not copied; ImageMagick reads them as a blob.
class TFileBytes {
  public:
    bool Open(const QString& path) {
        File.setFileName(path);
        if (!File.open(QIODevice::ReadOnly)) return false;
        const qint64 size = File.size();
        if (size <= 0) return false;
        if (const uchar* mapped = File.map(0, size)) {
            Data = mapped;
        } else {
            Copy = File.readAll();
            if (Copy.size() != size) return false;
            Data = reinterpret_cast<const uint8_t*>(Copy.constData());
        }
        Size = size_t(size);
        return true;
    }
    const uint8_t* Data = nullptr;
    size_t Size = 0;

  private:
    QFile File;
    QByteArray Copy;
};

// Raster picture formats only, so that a stray text, vector or script file never
// reaches one of ImageMagick's interpreting coders.
bool IsRasterFormat(const std::string& magick) {
    static const char* const kFormats[] = {
        "BMP",   "BMP2",  "BMP3",  "DCX",    "DIB", "GIF", "GIF87", "ICB", "ICO",  "JPEG",
        "JPG",   "PAM",   "PBM",   "PCT",    "PCX", "PGM", "PICT",  "PNG", "PNG8", "PNG24",
        "PNG32", "PNG48", "PNG64", "PNM",    "PPM", "PSB", "PSD",   "RAS", "SGI",  "SUN",
        "TGA",   "TIF",   "TIFF",  "TIFF64", "VDA", "VST", "WEBP"};
    return std::any_of(std::begin(kFormats), std::end(kFormats), [&](const char* f) { return magick == f; });
}

// ImageMagick's name for the format: from the signature, else from the file's suffix.
std::string DetectFormat(const TFileBytes& file, const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    const bool plain =
        std::all_of(suffix.begin(), suffix.end(), [](QChar c) { return c.isLetterOrNumber(); });
    const std::string name = "picture." + (plain ? suffix.toStdString() : std::string());
    TMagickPtr<MagickCore::ImageInfo> info(MagickCore::AcquireImageInfo());
    TMagickPtr<MagickCore::ExceptionInfo> exception(MagickCore::AcquireExceptionInfo());
    MagickCore::CopyMagickString(info->filename, name.c_str(), MaxTextExtent);
    MagickCore::SetImageInfoBlob(info.get(), file.Data, file.Size);
    MagickCore::SetImageInfo(info.get(), 0, exception.get());
    MagickCore::SetImageInfoBlob(info.get(), nullptr, 0);
    return info->magick;
}

// Runs ImageMagick's decoder on the bytes as the given format, or only its header
// reader when ping is set. Returns the first picture of the file, or null on an
// error or a warning that the data are corrupt.
TMagickPtr<MagickCore::Image> Decode(const TFileBytes& file, const std::string& magick, bool ping) {
    TMagickPtr<MagickCore::ImageInfo> info(MagickCore::AcquireImageInfo());
    TMagickPtr<MagickCore::ExceptionInfo> exception(MagickCore::AcquireExceptionInfo());
    MagickCore::CopyMagickString(info->magick, magick.c_str(), MaxTextExtent);
    MagickCore::CopyMagickString(info->filename, "picture", MaxTextExtent);
    info->scene = 0;
    info->number_scenes = 1;
    TMagickPtr<MagickCore::Image> image(
        ping ? MagickCore::PingBlob(info.get(), file.Data, file.Size, exception.get())
             : MagickCore::BlobToImage(info.get(), file.Data, file.Size, exception.get()));
    const auto severity = exception->severity;
    if (!image || severity >= MagickCore::ErrorException || severity == MagickCore::CorruptImageWarning)
        return nullptr;
    MagickCore::DestroyImageList(MagickCore::SplitImageList(image.get()));
    if (image->columns == 0 || image->rows == 0) return nullptr;
    return image;
}

// The size a header announces, checked before any pixel is decoded: within the
// handle's limits, and no larger than the file's bytes can expand to. ImageMagick
// allocates (and clears) the whole picture before it reads a row, so a damaged
// kilobyte claiming 46000 x 46000 pixels would otherwise cost 16 GB and half a minute.
bool SizeAllowed(uint64_t columns, uint64_t rows, int bits) {
    return columns <= uint64_t(kMaxBitmapSide) && rows <= uint64_t(kMaxBitmapSide) &&
           BitmapSizeAllowed(int(columns), int(rows), bits > 8 ? 24 : 8);
}

bool FitsInFile(size_t columns, size_t rows, const TImageFileLayout& layout, const std::string& magick,
                size_t fileSize) {
    // Deflate expands at most 1032 times; other codings (fax-coded TIFF is the extreme)
    // are held to a generous 65536.
    const double expansion = magick.rfind("PNG", 0) == 0 ? 1100.0 : 65536.0;
    const double stored = double(columns) * double(rows) * double(std::max(layout.Bits, 1)) / 8.0;
    return stored <= double(fileSize) * expansion;
}

// Dots per inch of ImageMagick's resolution; 0 when the file gives none or no unit.
int DotsPerInch(const MagickCore::Image& img) {
    double x = img.x_resolution;
    if (img.units == MagickCore::PixelsPerCentimeterResolution)
        x *= 2.54;
    else if (img.units != MagickCore::PixelsPerInchResolution)
        return 0;
    return x >= 1 && x < 65536 ? int(std::lround(x)) : 0;
}

bool Refuse(TImageFileFacts& facts, TImageFileFailure why) {
    facts.Failure = why;
    return false;
}

// Stored bits per pixel for formats the header reader does not know.
int EstimateBits(const Magick::Image& img) {
    const int depth = int(img.depth());
    if (img.classType() == Magick::PseudoClass) return std::clamp(depth, 1, 8);
    const auto space = img.colorSpace();
    int channels = space == Magick::GRAYColorspace ? 1 : space == Magick::CMYKColorspace ? 4 : 3;
    if (img.matte()) ++channels;
    return depth * channels;
}

// Moves rows exported back to back at the start of h.Bits to their aligned places and
// clears the padding. Works from the bottom up, so no row is overwritten before it moves.
void SpreadRows(TBitmapHandle& h, size_t packed) {
    const size_t padding = size_t(h.BytesPerLine) - packed;
    if (padding == 0) return;
    for (int y = h.Height - 1; y >= 0; --y) {
        std::memmove(h.Row(y), h.Bits + size_t(y) * packed, packed);
        std::memset(h.Row(y) + packed, 0, padding);
    }
}

int BandRows(int width, int bytesPerPixel) {
    return int(std::max<size_t>(1, kBandBytes / (size_t(width) * size_t(bytesPerPixel))));
}

bool ReadTrueColour(Magick::Image& img, TBitmapHandle& h) {
    const auto space = img.colorSpace();
    if (space != Magick::sRGBColorspace && space != Magick::RGBColorspace && space != Magick::GRAYColorspace)
        img.colorSpace(Magick::sRGBColorspace);
    const int w = int(img.columns()), ht = int(img.rows());
    if (!CreateBitmapHandle(h, w, ht, 24)) return false;
    img.write(0, 0, size_t(w), size_t(ht), "BGR", Magick::CharPixel, h.Bits);
    SpreadRows(h, size_t(w) * 3);
    return true;
}

// Grey pictures: the grey level is the index into a grey ramp.
bool ReadGrey(Magick::Image& img, TBitmapHandle& h) {
    const int w = int(img.columns()), ht = int(img.rows());
    if (!CreateBitmapHandle(h, w, ht, 8)) return false;
    SetGreyPalette(h);
    img.write(0, 0, size_t(w), size_t(ht), "R", Magick::CharPixel, h.Bits);
    SpreadRows(h, size_t(w));
    return true;
}

// Palette pictures ImageMagick keeps as such: its colour map and indices, as in the file.
bool ReadIndexed(Magick::Image& img, TBitmapHandle& h) {
    const size_t colours = img.colorMapSize();
    const int w = int(img.columns()), ht = int(img.rows());
    if (colours == 0 || colours > 256 || !CreateBitmapHandle(h, w, ht, 8)) return false;
    std::fill(std::begin(h.Palette), std::end(h.Palette), TRGBQuad{});
    for (size_t i = 0; i < colours; ++i) {
        const Magick::Color c = img.colorMap(i);
        h.Palette[i] = TRGBQuad{MagickCore::ScaleQuantumToChar(c.blueQuantum()),
                                MagickCore::ScaleQuantumToChar(c.greenQuantum()),
                                MagickCore::ScaleQuantumToChar(c.redQuantum()), 0};
    }
    const int band = BandRows(w, int(sizeof(Magick::PixelPacket) + sizeof(Magick::IndexPacket)));
    for (int y0 = 0; y0 < ht; y0 += band) {
        const int rows = std::min(band, ht - y0);
        if (!img.getConstPixels(0, y0, size_t(w), size_t(rows))) return false;
        const Magick::IndexPacket* index = img.getConstIndexes();
        if (!index) return false;
        for (int y = y0; y < y0 + rows; ++y) {
            uint8_t* out = h.Row(y);
            for (int x = 0; x < w; ++x, ++index)
                out[x] = *index < colours ? uint8_t(*index) : 0;
        }
    }
    return true;
}

// Colour to index lookup for at most 256 colours (open addressing, keys stored plus one).
class TColourIndex {
  public:
    int Find(uint32_t key) const {
        for (uint32_t s = Slot(key);; s = (s + 1) & kMask) {
            if (Keys[s] == 0) return -1;
            if (Keys[s] == key + 1) return Values[s];
        }
    }
    void Add(uint32_t key, int value) { // keeps the first value given for a key
        uint32_t s = Slot(key);
        while (Keys[s] != 0 && Keys[s] != key + 1)
            s = (s + 1) & kMask;
        if (Keys[s] != 0) return;
        Keys[s] = key + 1;
        Values[s] = uint8_t(value);
    }

  private:
    static constexpr uint32_t kMask = 1023;
    static uint32_t Slot(uint32_t key) { return (key * 2654435761u) >> 22; }
    uint32_t Keys[kMask + 1] = {};
    uint8_t Values[kMask + 1] = {};
};

// Palette pictures ImageMagick expands to colours (PICT): indices follow the colour
// table from the header when there is one, otherwise the order colours first appear in.
// Returns false, with h empty, when a colour is not in the table or there are over 256.
bool ReadByColour(Magick::Image& img, const TImageFileLayout& layout, TBitmapHandle& h) {
    const int w = int(img.columns()), ht = int(img.rows());
    if (!CreateBitmapHandle(h, w, ht, 8)) return false;
    auto index = std::make_unique<TColourIndex>();
    std::copy(std::begin(layout.Palette), std::end(layout.Palette), h.Palette);
    auto key = [](const TRGBQuad& c) {
        return uint32_t(c.rgbBlue) | uint32_t(c.rgbGreen) << 8 | uint32_t(c.rgbRed) << 16;
    };
    for (int i = 0; i < layout.PaletteCount; ++i)
        index->Add(key(layout.Palette[i]), i);
    int count = layout.PaletteCount;
    const bool fixed = count > 0;
    const int band = BandRows(w, 3);
    std::vector<uint8_t> buffer(size_t(w) * 3 * size_t(std::min(band, ht)));
    uint32_t lastKey = ~0u;
    int lastIndex = 0;
    for (int y0 = 0; y0 < ht; y0 += band) {
        const int rows = std::min(band, ht - y0);
        img.write(0, y0, size_t(w), size_t(rows), "BGR", Magick::CharPixel, buffer.data());
        const uint8_t* p = buffer.data();
        for (int y = y0; y < y0 + rows; ++y) {
            uint8_t* out = h.Row(y);
            for (int x = 0; x < w; ++x, p += 3) {
                const uint32_t k = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
                if (k != lastKey) {
                    int found = index->Find(k);
                    if (found < 0) {
                        if (fixed || count == 256) {
                            FreeBitmapHandle(h);
                            return false;
                        }
                        found = count++;
                        h.Palette[found] = TRGBQuad{p[0], p[1], p[2], 0};
                        index->Add(k, found);
                    }
                    lastKey = k;
                    lastIndex = found;
                }
                out[x] = uint8_t(lastIndex);
            }
        }
    }
    return true;
}

// True when ImageMagick's colour map is the file's palette (or there is none to check).
bool ColourMapIsFilePalette(const Magick::Image& img, const TImageFileLayout& layout) {
    if (layout.PaletteCount == 0) return true;
    if (img.colorMapSize() != size_t(layout.PaletteCount)) return false;
    for (int i = 0; i < layout.PaletteCount; ++i) {
        const Magick::Color c = img.colorMap(size_t(i));
        const TRGBQuad& q = layout.Palette[i];
        if (MagickCore::ScaleQuantumToChar(c.redQuantum()) != q.rgbRed ||
            MagickCore::ScaleQuantumToChar(c.greenQuantum()) != q.rgbGreen ||
            MagickCore::ScaleQuantumToChar(c.blueQuantum()) != q.rgbBlue)
            return false;
    }
    return true;
}

bool ReadEightBit(Magick::Image& img, const TImageFileLayout& layout, TBitmapHandle& h) {
    const bool indexed = img.classType() == Magick::PseudoClass && img.colorMapSize() <= 256;
    const bool grey = layout.Kind == TPixelKind::Grey || (layout.Kind == TPixelKind::Unknown && !indexed &&
                                                          img.colorSpace() == Magick::GRAYColorspace);
    if (grey) return ReadGrey(img, h);
    if (indexed && ColourMapIsFilePalette(img, layout)) return ReadIndexed(img, h);
    return ReadByColour(img, layout, h);
}

} // namespace

bool LoadImageFile(const QString& path, TBitmapHandle& h, TImageFileFacts* known) {
    FreeBitmapHandle(h);
    TImageFileFacts local;
    TImageFileFacts& facts = known ? *known : local;
    facts = TImageFileFacts();
    InitImaging();
    try {
        TFileBytes file;
        if (!file.Open(path)) return Refuse(facts, TImageFileFailure::Unreadable);
        const std::string magick = DetectFormat(file, path);
        if (!IsRasterFormat(magick)) return Refuse(facts, TImageFileFailure::Unreadable);
        const TImageFileLayout layout = ReadImageFileLayout(file.Data, file.Size, magick);
        // ImageMagick refuses sides above its width and height limits without naming them,
        // so a size our own header reader found is judged first.
        facts.Width = int(std::min<uint32_t>(layout.Width, INT32_MAX));
        facts.Height = int(std::min<uint32_t>(layout.Height, INT32_MAX));
        if (layout.Width > 0 && layout.Height > 0 && !SizeAllowed(layout.Width, layout.Height, layout.Bits))
            return Refuse(facts, TImageFileFailure::TooLarge);
        if (layout.Incomplete) return Refuse(facts, TImageFileFailure::Damaged);
        const bool sized = layout.Width > 0 && layout.Height > 0;
        if (magick.rfind("TIF", 0) == 0 && (!sized || TooLargeForImageMagick(layout.Width, layout.Height))) {
            switch (ReadTiffStream(path, h, facts)) {
            case TStreamRead::Done:
                return true;
            case TStreamRead::Damaged:
                return Refuse(facts, TImageFileFailure::Damaged);
            case TStreamRead::NoMemory:
                return Refuse(facts, TImageFileFailure::NoMemory);
            case TStreamRead::TooLarge:
                return Refuse(facts, TImageFileFailure::TooLarge);
            case TStreamRead::NotTaken:
                break; // ImageMagick's turn
            }
        }
        if (sized && !PictureFitsInMemory(int(layout.Width), int(layout.Height), layout.Bits > 8 ? 24 : 8))
            return Refuse(facts, TImageFileFailure::NoMemory);
        {
            const auto header = Decode(file, magick, true);
            if (!header) return Refuse(facts, TImageFileFailure::Unreadable);
            facts.Width = int(std::min<size_t>(header->columns, INT32_MAX));
            facts.Height = int(std::min<size_t>(header->rows, INT32_MAX));
            if (!SizeAllowed(header->columns, header->rows, layout.Bits))
                return Refuse(facts, TImageFileFailure::TooLarge);
            if (!FitsInFile(header->columns, header->rows, layout, magick, file.Size))
                return Refuse(facts, TImageFileFailure::Damaged);
            if (!PictureFitsInMemory(facts.Width, facts.Height, layout.Bits > 8 ? 24 : 8))
                return Refuse(facts, TImageFileFailure::NoMemory);
            // Sides beyond the policy would fail deep inside the decoder.
            if (header->columns > MagickCore::GetMagickResourceLimit(MagickCore::WidthResource) ||
                header->rows > MagickCore::GetMagickResourceLimit(MagickCore::HeightResource))
                return Refuse(facts, TImageFileFailure::TooLarge);
        }
        // The header was sound, so a decoder that fails now met a short or corrupt body.
        auto decoded = Decode(file, magick, false);
        if (!decoded) return Refuse(facts, TImageFileFailure::Damaged);
        if (!SizeAllowed(decoded->columns, decoded->rows, layout.Bits))
            return Refuse(facts, TImageFileFailure::TooLarge);
        facts.Dpi = layout.Dpi > 0 ? layout.Dpi : DotsPerInch(*decoded);
        Magick::Image img(decoded.release());
        const int bits = layout.Bits > 0 ? layout.Bits : EstimateBits(img);
        if (!(bits <= 8 && ReadEightBit(img, layout, h)) && !ReadTrueColour(img, h)) {
            FreeBitmapHandle(h);
            return Refuse(facts, TImageFileFailure::Unreadable);
        }
        facts.SourceBits = bits;
        return true;
    } catch (...) {
        // ImageMagick reports failures as exceptions, memory shortage as bad_alloc.
        FreeBitmapHandle(h);
        return Refuse(facts, TImageFileFailure::Unreadable);
    }
}
