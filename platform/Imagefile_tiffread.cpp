// Reading TIFF files a row at a time, for pictures ImageMagick cannot hold.
#include "platform/Imagefile_stream.h"
#include "platform/Memorybudget.h"
#include "platform/Tiffquiet.h"

#include <QFile>
#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct TiffCloser {
    void operator()(TIFF* t) const { TIFFClose(t); }
};

int TiffDpi(TIFF* tif) {
    float x = 0;
    uint16_t unit = RESUNIT_INCH;
    if (!TIFFGetField(tif, TIFFTAG_XRESOLUTION, &x)) return 0;
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    const double dpi = unit == RESUNIT_CENTIMETER ? x * 2.54 : unit == RESUNIT_INCH ? x : 0;
    return dpi >= 1 && dpi < 65536 ? int(std::lround(dpi)) : 0;
}

// The file's colour map (16 bits a channel) or a grey ramp.
void TiffPalette(TIFF* tif, uint16_t photometric, TBitmapHandle& h) {
    uint16_t *r = nullptr, *g = nullptr, *b = nullptr;
    if (photometric != PHOTOMETRIC_PALETTE || !TIFFGetField(tif, TIFFTAG_COLORMAP, &r, &g, &b)) {
        SetGreyPalette(h);
        return;
    }
    for (int i = 0; i < 256; ++i)
        h.Palette[i] = TRGBQuad{uint8_t(b[i] >> 8), uint8_t(g[i] >> 8), uint8_t(r[i] >> 8), 0};
}

} // namespace

TStreamRead ReadTiffStream(const QString& path, TBitmapHandle& h, TImageFileFacts& facts) {
    FreeBitmapHandle(h);
    const TTiffQuiet quiet; // outlives the file, which is closed below it
    std::unique_ptr<TIFF, TiffCloser> tif(TIFFOpen(QFile::encodeName(path).constData(), "r"));
    if (!tif) return TStreamRead::NotTaken;
    uint32_t width = 0, height = 0;
    uint16_t bits = 0, samples = 0, planar = 0, photometric = 0;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_PLANARCONFIG, &planar);
    if (!TIFFGetField(tif.get(), TIFFTAG_PHOTOMETRIC, &photometric)) return TStreamRead::NotTaken;
    const bool single =
        samples == 1 && (photometric == PHOTOMETRIC_PALETTE || photometric == PHOTOMETRIC_MINISBLACK);
    const bool rgb = samples == 3 && photometric == PHOTOMETRIC_RGB;
    if (bits != 8 || planar != PLANARCONFIG_CONTIG || TIFFIsTiled(tif.get()) || !(single || rgb) ||
        width == 0 || height == 0)
        return TStreamRead::NotTaken;
    const int depth = single ? 8 : 24;
    facts.Width = int(std::min<uint32_t>(width, INT32_MAX));
    facts.Height = int(std::min<uint32_t>(height, INT32_MAX));
    if (width > uint32_t(kMaxBitmapSide) || height > uint32_t(kMaxBitmapSide) ||
        !BitmapSizeAllowed(int(width), int(height), depth))
        return TStreamRead::TooLarge;
    if (!PictureFitsInMemory(int(width), int(height), depth)) return TStreamRead::NoMemory;
    if (!CreateBitmapHandle(h, int(width), int(height), depth)) return TStreamRead::NoMemory;
    if (single) TiffPalette(tif.get(), photometric, h);
    std::vector<uint8_t> row(size_t(TIFFScanlineSize64(tif.get())));
    if (row.size() < size_t(width) * size_t(samples)) {
        FreeBitmapHandle(h);
        return TStreamRead::Damaged;
    }
    for (uint32_t y = 0; y < height; ++y) {
        if (TIFFReadScanline(tif.get(), row.data(), y, 0) < 0) {
            FreeBitmapHandle(h);
            return TStreamRead::Damaged;
        }
        uint8_t* out = h.Row(int(y));
        if (single) {
            std::memcpy(out, row.data(), width);
            continue;
        }
        const uint8_t* in = row.data();
        for (uint32_t x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    facts.Dpi = TiffDpi(tif.get());
    facts.SourceBits = depth;
    return TStreamRead::Done;
}
