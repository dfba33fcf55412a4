#include "platform/Imagefile.h"

#include "platform/Imagefile_stream.h"
#include "platform/Magickinit.h"

#include <Magick++.h>
#include <QSaveFile>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

// Saving builds an ImageMagick picture straight from the handle's rows (a colour map
// plus indices for 8-bit pictures, so that indices and colours both survive) and has
// ImageMagick encode it into the temporary file a QSaveFile keeps beside the target;
// QSaveFile renames it over the target only once everything is written. (Encoding
// into a memory blob instead leaves the gaps libtiff seeks over uninitialised.)
// 8-bit PNG is the exception: this ImageMagick rebuilds and sorts every PNG palette it
// writes (its png:preserve-colormap option fails with "Valid palette required"), which
// would renumber the colours, so those files are encoded here with zlib; so are PNG and
// TIFF files of pictures too large for ImageMagick's pixel cache.

namespace {

using Magick::Quantum; // ImageMagick's colour macros name it unqualified

Quantum FromByte(uint8_t v) {
    return Quantum(unsigned(v) * unsigned(QuantumRange / 255));
}

struct TFormatEntry {
    int Code;
    const char* Magick; // ImageMagick's writer
    bool KeepsPalette;  // 8-bit pictures are written as palette files
    bool Uncompressed;
};

// This ImageMagick cannot read back the indexed PSD it writes, so 8-bit pictures go
// to PSD as RGB. 24-bit PNG is written as PNG24 so that few-colour pictures stay RGB.
constexpr TFormatEntry kFormats[] = {
    {FILE_PCX, "PCX", true, false},   {FILE_TIF, "TIFF", true, true},  {FILE_TGA, "TGA", true, false},
    {FILE_BMP, "BMP3", true, true},   {FILE_SUN, "SUN", true, false},  {FILE_PICT, "PICT", true, false},
    {FILE_PNG, "PNG24", true, false}, {FILE_PSD, "PSD", false, false},
};

constexpr size_t kBandBytes = size_t(4) << 20;

int BandRows(int width, int bytesPerPixel) {
    return int(std::max<size_t>(1, kBandBytes / (size_t(width) * size_t(bytesPerPixel))));
}

// A picture of the given size whose pixels the caller fills completely; with a colour
// map of `colours` entries when colours > 0. The class is settled before the pixel cache
// is first allocated: turning a sized picture into a palette one afterwards makes
// ImageMagick copy its whole cache (seconds for an A0 design).
Magick::Image BlankImage(int width, int height, size_t colours) {
    MagickCore::Image* core = MagickCore::AcquireImage(nullptr);
    if (!core) throw std::bad_alloc();
    Magick::Image img(core);
    core->depth = 8;
    core->columns = size_t(width);
    core->rows = size_t(height);
    const bool ready = colours > 0 ? MagickCore::AcquireImageColormap(core, colours)
                                   : MagickCore::SetImageExtent(core, size_t(width), size_t(height));
    if (!ready) throw std::runtime_error("picture size refused");
    return img;
}

// The resolution every writer that keeps one stores (PNG pHYs, TIFF and PICT
// resolution, BMP pixels per metre, PCX and PSD dots per inch).
void SetResolution(Magick::Image& img, int dpi) {
    if (dpi <= 0) return;
    img.resolutionUnits(Magick::PixelsPerInchResolution);
    img.density(Magick::Geometry(size_t(dpi), size_t(dpi)));
}

// Colour map and indices written directly, with each pixel's colour beside its index.
Magick::Image IndexedImage(const TBitmapHandle& h) {
    Magick::Image img = BlankImage(h.Width, h.Height, 256);
    Magick::PixelPacket* colours = img.image()->colormap;
    for (int i = 0; i < 256; ++i) {
        const TRGBQuad& q = h.Palette[i];
        colours[i].red = FromByte(q.rgbRed);
        colours[i].green = FromByte(q.rgbGreen);
        colours[i].blue = FromByte(q.rgbBlue);
        colours[i].opacity = OpaqueOpacity;
    }
    const int band = BandRows(h.Width, int(sizeof(Magick::PixelPacket) + sizeof(Magick::IndexPacket)));
    for (int y0 = 0; y0 < h.Height; y0 += band) {
        const int rows = std::min(band, h.Height - y0);
        Magick::PixelPacket* pixel = img.setPixels(0, y0, size_t(h.Width), size_t(rows));
        Magick::IndexPacket* index = img.getIndexes();
        if (!pixel || !index) throw std::runtime_error("pixel cache refused");
        for (int y = y0; y < y0 + rows; ++y) {
            const uint8_t* in = h.Row(y);
            for (int x = 0; x < h.Width; ++x) {
                *index++ = in[x];
                *pixel++ = colours[in[x]];
            }
        }
        img.syncPixels();
    }
    img.type(Magick::PaletteType);
    return img;
}

// Blue-green-red rows imported a band at a time; 8-bit pictures are expanded through the palette.
Magick::Image TrueColourImage(const TBitmapHandle& h) {
    Magick::Image img = BlankImage(h.Width, h.Height, 0);
    const size_t rowBytes = size_t(h.Width) * 3;
    const bool packed = h.BitsPerPixel == 24 && size_t(h.BytesPerLine) == rowBytes;
    const int band = packed ? h.Height : BandRows(h.Width, 3);
    std::vector<uint8_t> buffer(packed ? 0 : rowBytes * size_t(std::min(band, h.Height)));
    for (int y0 = 0; y0 < h.Height; y0 += band) {
        const int rows = std::min(band, h.Height - y0);
        const uint8_t* source = h.Row(y0);
        if (!packed) {
            for (int y = 0; y < rows; ++y) {
                const uint8_t* in = h.Row(y0 + y);
                uint8_t* out = buffer.data() + size_t(y) * rowBytes;
                if (h.BitsPerPixel == 24) {
                    std::memcpy(out, in, rowBytes);
                    continue;
                }
                for (int x = 0; x < h.Width; ++x, out += 3) {
                    const TRGBQuad& q = h.Palette[in[x]];
                    out[0] = q.rgbBlue;
                    out[1] = q.rgbGreen;
                    out[2] = q.rgbRed;
                }
            }
            source = buffer.data();
        }
        if (!MagickCore::ImportImagePixels(img.image(), 0, y0, size_t(h.Width), size_t(rows), "BGR",
                                           MagickCore::CharPixel, source))
            throw std::runtime_error("pixel import failed");
    }
    img.type(Magick::TrueColorType);
    return img;
}

// Replaces the file at path only once ImageMagick has written all of it.
bool WriteAtomically(const QString& path, Magick::Image& img, const char* magick) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    const int fd = dup(out.handle());
    FILE* stream = fd >= 0 ? fdopen(fd, "wb") : nullptr;
    if (!stream) {
        if (fd >= 0) close(fd);
        return false;
    }
    MagickCore::SetImageInfoFile(img.imageInfo(), stream);
    bool ok = true;
    try {
        img.write(std::string(magick) + ":picture"); // the name is never opened
    } catch (...) {
        ok = false;
    }
    MagickCore::SetImageInfoFile(img.imageInfo(), nullptr);
    ok = !std::ferror(stream) && ok;
    ok = std::fclose(stream) == 0 && ok;
    return ok && out.commit();
}

bool WritableHandle(const TBitmapHandle& h) {
    return h.Bits && (h.BitsPerPixel == 8 || h.BitsPerPixel == 24) &&
           BitmapSizeAllowed(h.Width, h.Height, h.BitsPerPixel) &&
           h.BytesPerLine >= BitmapBytesPerLine(h.Width, h.BitsPerPixel);
}

} // namespace

bool SaveImageFile(const QString& path, const TBitmapHandle& h, int format, int dpi,
                   const TProgressFn& progress) {
    const auto kind = std::find_if(std::begin(kFormats), std::end(kFormats),
                                   [&](const TFormatEntry& f) { return f.Code == format; });
    if (kind == std::end(kFormats) || !WritableHandle(h) || path.isEmpty()) return false;
    bool indexed = h.BitsPerPixel == 8 && kind->KeepsPalette;
    if (format == FILE_PICT) {
        // Limits of this ImageMagick's PICT writer, found by reading its output back:
        // palette rows need 8 to 32510 pixels (it packs shorter rows, which readers take
        // as unpacked), direct colour rows 3 to 8127; frame sizes are 16-bit signed.
        if (indexed && (h.Width < 8 || h.Width > 32510)) indexed = false;
        if (h.Height > 32767 || (!indexed && (h.Width < 3 || h.Width > 8127))) return false;
    }
    const bool large = TooLargeForImageMagick(uint64_t(h.Width), uint64_t(h.Height));
    if (format == FILE_PNG && (indexed || large)) return WritePngStream(path, h, dpi, progress);
    if (format == FILE_TIF && large) return WriteTiffStream(path, h, dpi, progress);
    if (large) return false;
    InitImaging();
    try {
        Magick::Image img = indexed ? IndexedImage(h) : TrueColourImage(h);
        img.quiet(true); // a warning (an unknown tag, say) must not discard a good file
        SetResolution(img, dpi);
        if (kind->Uncompressed) img.compressType(Magick::NoCompression);
        return WriteAtomically(path, img, kind->Magick);
    } catch (...) {
        // ImageMagick reports failures as exceptions, memory shortage as bad_alloc.
        return false;
    }
}
