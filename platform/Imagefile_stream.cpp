#include "platform/Imagefile_stream.h"

#include "platform/Savecommit.h"
#include "platform/Tiffquiet.h"

#include <tiffio.h>
#include <zlib.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Rows between two progress reports.
constexpr int kProgressRows = 256;

bool Writable(const TBitmapHandle& h) {
    return h.Bits && (h.BitsPerPixel == 8 || h.BitsPerPixel == 24) && h.Width > 0 && h.Height > 0 &&
           BitmapSizeAllowed(h.Width, h.Height, h.BitsPerPixel) &&
           h.BytesPerLine >= BitmapBytesPerLine(h.Width, h.BitsPerPixel);
}

// One row as the file wants it: indices as they are, or blue-green-red turned to red-green-blue.
void FileRow(const TBitmapHandle& h, int y, uint8_t* out) {
    const uint8_t* in = h.Row(y);
    if (h.BitsPerPixel == 8) {
        std::memcpy(out, in, size_t(h.Width));
        return;
    }
    for (int x = 0; x < h.Width; ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

void PutBe32(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        at[i] = uint8_t(v >> (24 - 8 * i));
}

bool PutChunk(QSaveFile& out, const char* type, const uint8_t* data, size_t size) {
    uint8_t word[4];
    PutBe32(word, uint32_t(size));
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    if (size) crc = crc32(crc, data, uInt(size));
    bool ok = out.write(reinterpret_cast<const char*>(word), 4) == 4 && out.write(type, 4) == 4;
    ok = ok && (size == 0 || out.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    PutBe32(word, uint32_t(crc));
    return ok && out.write(reinterpret_cast<const char*>(word), 4) == 4;
}

bool PutPngFront(QSaveFile& out, const TBitmapHandle& h, int dpi) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (out.write(reinterpret_cast<const char*>(kSignature), 8) != 8) return false;
    uint8_t header[13] = {};
    PutBe32(header, uint32_t(h.Width));
    PutBe32(header + 4, uint32_t(h.Height));
    header[8] = 8;                           // bits per sample or index
    header[9] = h.BitsPerPixel == 8 ? 3 : 2; // palette or RGB
    if (!PutChunk(out, "IHDR", header, sizeof header)) return false;
    if (h.BitsPerPixel == 8) {
        uint8_t palette[256 * 3];
        for (int i = 0; i < 256; ++i) {
            palette[3 * i] = h.Palette[i].rgbRed;
            palette[3 * i + 1] = h.Palette[i].rgbGreen;
            palette[3 * i + 2] = h.Palette[i].rgbBlue;
        }
        if (!PutChunk(out, "PLTE", palette, sizeof palette)) return false;
    }
    if (dpi <= 0) return true;
    uint8_t physical[9] = {};
    const uint32_t perMetre = uint32_t((dpi * 10000 + 127) / 254);
    PutBe32(physical, perMetre);
    PutBe32(physical + 4, perMetre);
    physical[8] = 1; // the unit is the metre
    return PutChunk(out, "pHYs", physical, sizeof physical);
}

// The deflate stream of the rows, cut into IDAT chunks of up to 1 MiB.
bool PutPngRows(QSaveFile& out, const TBitmapHandle& h, const TProgressFn& progress) {
    z_stream z = {};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) return false;
    const size_t rowBytes = size_t(h.Width) * size_t(h.BitsPerPixel / 8);
    std::vector<uint8_t> row(rowBytes + 1, 0), packed(size_t(1) << 20); // filter byte 0: none
    auto drain = [&](int flush) {
        int status = Z_OK;
        do {
            z.next_out = packed.data();
            z.avail_out = uInt(packed.size());
            status = deflate(&z, flush);
            if (status == Z_STREAM_ERROR) return false;
            const size_t n = packed.size() - z.avail_out;
            if (n && !PutChunk(out, "IDAT", packed.data(), n)) return false;
        } while (z.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
        return true;
    };
    bool ok = true;
    for (int y = 0; y < h.Height && ok; ++y) {
        if (y % kProgressRows == 0 && !ReportProgress(progress, y, h.Height)) ok = false;
        FileRow(h, y, row.data() + 1);
        z.next_in = row.data();
        z.avail_in = uInt(row.size());
        ok = ok && drain(Z_NO_FLUSH);
    }
    ok = ok && drain(Z_FINISH);
    deflateEnd(&z);
    return ok && PutChunk(out, "IEND", nullptr, 0) && ReportProgress(progress, h.Height, h.Height);
}

bool SetTiffTags(TIFF* tif, const TBitmapHandle& h, int dpi, int rowsPerStrip) {
    const bool indexed = h.BitsPerPixel == 8;
    bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(h.Width)) &&
              TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(h.Height)) &&
              TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8) &&
              TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, indexed ? 1 : 3) &&
              TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, indexed ? PHOTOMETRIC_PALETTE : PHOTOMETRIC_RGB) &&
              TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE) &&
              TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, uint32_t(rowsPerStrip));
    if (indexed) {
        std::vector<uint16_t> map(3 * 256);
        for (int i = 0; i < 256; ++i) {
            map[i] = uint16_t(h.Palette[i].rgbRed * 257);
            map[256 + i] = uint16_t(h.Palette[i].rgbGreen * 257);
            map[512 + i] = uint16_t(h.Palette[i].rgbBlue * 257);
        }
        ok = ok && TIFFSetField(tif, TIFFTAG_COLORMAP, map.data(), map.data() + 256, map.data() + 512);
    }
    if (dpi > 0)
        ok = ok && TIFFSetField(tif, TIFFTAG_XRESOLUTION, float(dpi)) &&
             TIFFSetField(tif, TIFFTAG_YRESOLUTION, float(dpi)) &&
             TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    return ok;
}

bool PutTiffRows(TIFF* tif, const TBitmapHandle& h, const TProgressFn& progress) {
    std::vector<uint8_t> row(size_t(h.Width) * size_t(h.BitsPerPixel / 8));
    for (int y = 0; y < h.Height; ++y) {
        if (y % kProgressRows == 0 && !ReportProgress(progress, y, h.Height)) return false;
        FileRow(h, y, row.data());
        if (TIFFWriteScanline(tif, row.data(), uint32_t(y), 0) < 0) return false;
    }
    return true;
}

} // namespace

bool TooLargeForImageMagick(uint64_t width, uint64_t height) {
    constexpr uint64_t kPolicySide = 16000, kCachePixels = (uint64_t(256) << 20) / 8;
    return width > kPolicySide || height > kPolicySide || width * height > kCachePixels;
}

bool WritePngStream(const QString& path, const TBitmapHandle& h, int dpi, const TProgressFn& progress) {
    if (!Writable(h) || path.isEmpty()) return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    if (!PutPngFront(out, h, dpi) || !PutPngRows(out, h, progress)) {
        out.cancelWriting();
        return false;
    }
    return CommitWholeFile(out);
}

bool WriteTiffStream(const QString& path, const TBitmapHandle& h, int dpi, const TProgressFn& progress) {
    if (!Writable(h) || path.isEmpty()) return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    // libtiff writes through its own descriptor onto the temporary file and closes it.
    const int fd = dup(out.handle());
    const bool big = h.ByteSize() > (uint64_t(7) << 29);
    const TTiffQuiet quiet; // a write error (a full disk) is seen by the return values
    TIFF* tif = fd >= 0 ? TIFFFdOpen(fd, "picture", big ? "w8" : "w") : nullptr;
    if (!tif) {
        if (fd >= 0) close(fd);
        out.cancelWriting();
        return false;
    }
    const size_t rowBytes = size_t(h.Width) * size_t(h.BitsPerPixel / 8);
    const int rowsPerStrip = int(std::clamp<size_t>((size_t(256) << 10) / rowBytes, 1, size_t(h.Height)));
    bool ok = SetTiffTags(tif, h, dpi, rowsPerStrip) && PutTiffRows(tif, h, progress);
    ok = TIFFFlush(tif) == 1 && ok;
    TIFFClose(tif);
    if (!ok || !ReportProgress(progress, h.Height, h.Height)) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}
