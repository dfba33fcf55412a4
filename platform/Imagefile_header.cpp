#include "platform/Imagefile_header.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Bounds-checked reader over the file bytes; any read past the end clears ok()
// and yields zeros, so a parser checks once at the end instead of at every field.
class TByteReader {
  public:
    TByteReader(const uint8_t* data, size_t size) : Data(data), Size(size) {}
    bool ok() const { return Ok; }
    size_t pos() const { return Pos; }
    size_t size() const { return Size; }
    void seek(uint64_t pos) {
        if (pos > Size) Ok = false;
        Pos = Ok ? size_t(pos) : Size;
    }
    void skip(uint64_t n) { seek(uint64_t(Pos) + n); }
    uint32_t u8() { return Take(1) ? Data[Pos - 1] : 0; }
    uint32_t le16() { return Take(2) ? uint32_t(Data[Pos - 2]) | uint32_t(Data[Pos - 1]) << 8 : 0; }
    uint32_t be16() { return Take(2) ? uint32_t(Data[Pos - 2]) << 8 | uint32_t(Data[Pos - 1]) : 0; }
    uint32_t le32() {
        const uint32_t low = le16();
        return low | le16() << 16;
    }
    uint32_t be32() {
        const uint32_t high = be16();
        return high << 16 | be16();
    }
    uint64_t be64() {
        const uint64_t high = be32();
        return high << 32 | be32();
    }

  private:
    bool Take(size_t n) {
        if (!Ok || Size - Pos < n) {
            Ok = false;
            Pos = Size;
            return false;
        }
        Pos += n;
        return true;
    }
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
    bool Ok = true;
};

void SetLayout(TImageFileLayout& l, int bits, TPixelKind kind) {
    l.Bits = bits;
    l.Kind = kind;
}

void SetSize(TImageFileLayout& l, uint32_t width, uint32_t height) {
    l.Width = width;
    l.Height = height;
}

// Also checks that uncompressed pixels (and the start of compressed ones) are all there.
void ReadBmp(TByteReader& r, TImageFileLayout& l) {
    r.seek(10);
    const uint64_t pixels = r.le32();
    const uint32_t headerSize = r.le32();
    const bool core = headerSize == 12; // sides of 16 bits, else 32 (height negative for top-down rows)
    const uint32_t width = core ? r.le16() : r.le32();
    const uint32_t height = core ? r.le16() : uint32_t(std::abs(int64_t(int32_t(r.le32()))));
    r.skip(2); // planes
    const int bits = int(r.le16());
    const uint32_t compression = core ? 0 : r.le32();
    const uint64_t stored = core ? 0 : r.le32(); // bytes of compressed pixels; may be 0
    if (!r.ok() || headerSize < 12) return;
    SetLayout(l, bits, bits <= 8 ? TPixelKind::Palette : TPixelKind::Colour);
    SetSize(l, width, height);
    // Plain rows or bit fields need every row (the last one's padding may be left off).
    const bool raw = compression == 0 || compression == 3;
    const uint64_t rowBytes = (uint64_t(width) * uint64_t(bits) + 31) / 32 * 4;
    const uint64_t rows = height ? rowBytes * (height - 1) + (uint64_t(width) * uint64_t(bits) + 7) / 8 : 0;
    l.Incomplete = pixels + (raw ? rows : std::max<uint64_t>(stored, 1)) > r.size();
}

// Also takes the palette, which ImageMagick expands to colours when the file has transparency.
void ReadPng(TByteReader& r, TImageFileLayout& l) {
    // IHDR comes first; libpng would take anything else as a chunk of its own
    // declared length and ask for that much memory before it looked further.
    r.seek(8);
    if (r.be32() != 13 || r.be32() != 0x49484452) {
        l.Incomplete = true;
        return;
    }
    r.seek(16);
    const uint32_t width = r.be32(), height = r.be32();
    const int depth = int(r.u8());
    const int colourType = int(r.u8());
    static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    if (!r.ok() || colourType > 6 || kChannels[colourType] == 0) return;
    const TPixelKind kind = colourType == 3   ? TPixelKind::Palette
                            : colourType == 0 ? TPixelKind::Grey
                                              : TPixelKind::Colour;
    SetLayout(l, depth * kChannels[colourType], kind);
    SetSize(l, width, height);
    // The chunks up to IEND, so that a file cut short is known; on the way the
    // palette (PLTE before the first IDAT) of a palette picture.
    bool pixels = false;
    r.seek(8);
    while (r.ok()) {
        const uint32_t length = r.be32(), type = r.be32();
        if (type == 0x49454E44) return; // IEND
        pixels |= type == 0x49444154;   // IDAT
        const bool palette = colourType == 3 && !pixels && l.PaletteCount == 0 && type == 0x504C5445 &&
                             length % 3 == 0 && length <= 3 * 256;
        if (!palette) {
            r.skip(uint64_t(length) + 4);
            continue;
        }
        for (uint32_t i = 0; i < length / 3; ++i) {
            TRGBQuad& c = l.Palette[i];
            c.rgbRed = uint8_t(r.u8());
            c.rgbGreen = uint8_t(r.u8());
            c.rgbBlue = uint8_t(r.u8());
        }
        if (r.ok()) l.PaletteCount = int(length / 3);
        r.skip(4);
    }
    l.Incomplete = true;
}

void ReadTiff(TByteReader& r, TImageFileLayout& l) {
    const bool big = r.u8() == 'M';
    auto u16 = [&] { return big ? r.be16() : r.le16(); };
    auto u32 = [&] { return big ? r.be32() : r.le32(); };
    r.seek(2);
    if (u16() != 42) return; // BigTIFF and others: leave to ImageMagick's figures
    const uint32_t directory = u32();
    // Writers that put the directory after the pixels lose it first when a file is cut.
    l.Incomplete = r.ok() && directory > r.size();
    r.seek(directory);
    const uint32_t entries = u16();
    uint32_t bitsPerSample = 1, samples = 1, photometric = 2, width = 0, height = 0;
    for (uint32_t i = 0; i < entries && r.ok(); ++i) {
        const uint32_t tag = u16(), type = u16(), count = u32();
        const size_t field = r.pos();
        // SHORT values sit left-justified in the field when they fit; otherwise it holds an offset.
        uint32_t value = type == 3 ? u16() : u32();
        if (tag == 258 && type == 3 && count > 2) {
            r.seek(field);
            r.seek(u32());
            value = u16();
        }
        if (tag == 256) width = value;
        if (tag == 257) height = value;
        if (tag == 258) bitsPerSample = value;
        if (tag == 262) photometric = value;
        if (tag == 277) samples = value;
        r.seek(field + 4);
    }
    if (!r.ok() || bitsPerSample == 0 || bitsPerSample > 64 || samples == 0 || samples > 16) return;
    const TPixelKind kind = photometric == 3                   ? TPixelKind::Palette
                            : photometric <= 1 && samples == 1 ? TPixelKind::Grey
                                                               : TPixelKind::Colour;
    SetLayout(l, int(bitsPerSample * samples), kind);
    SetSize(l, width, height);
}

void ReadTga(TByteReader& r, TImageFileLayout& l) {
    r.seek(2);
    const uint32_t type = r.u8() & 7; // bit 3 marks run-length encoding
    r.seek(12);
    const uint32_t width = r.le16(), height = r.le16();
    const int bits = int(r.u8());
    if (!r.ok() || type < 1 || type > 3 || bits == 0) return;
    const TPixelKind kind = type == 1   ? TPixelKind::Palette
                            : type == 3 ? TPixelKind::Grey
                                        : TPixelKind::Colour;
    SetLayout(l, bits, kind);
    SetSize(l, width, height);
}

void ReadPcx(TByteReader& r, TImageFileLayout& l) {
    r.seek(3);
    const int bitsPerPlane = int(r.u8());
    const uint32_t left = r.le16(), top = r.le16(), right = r.le16(), bottom = r.le16();
    r.seek(65);
    const int planes = int(r.u8());
    const int bits = bitsPerPlane * planes;
    if (!r.ok() || bits <= 0) return;
    SetLayout(l, bits, bits <= 8 ? TPixelKind::Palette : TPixelKind::Colour);
    if (right >= left && bottom >= top) SetSize(l, right - left + 1, bottom - top + 1);
}

void ReadSun(TByteReader& r, TImageFileLayout& l) {
    r.seek(4);
    const uint32_t width = r.be32(), height = r.be32();
    const int depth = int(r.be32());
    r.seek(28);
    const uint32_t mapLength = r.be32();
    if (!r.ok() || depth <= 0 || depth > 32) return;
    const TPixelKind kind = depth > 8       ? TPixelKind::Colour
                            : mapLength > 0 ? TPixelKind::Palette
                                            : TPixelKind::Grey;
    SetLayout(l, depth, kind);
    SetSize(l, width, height);
}

// Also checks that the merged picture at the end is complete: ImageMagick reads a
// short raw PSD without complaint and returns whatever rows it got.
void ReadPsd(TByteReader& r, TImageFileLayout& l) {
    r.seek(4);
    const uint32_t version = r.be16();
    r.seek(12);
    const uint64_t channels = r.be16(), rows = r.be32(), columns = r.be32(), depth = r.be16();
    const uint32_t mode = r.be16();
    if (!r.ok() || channels == 0 || depth == 0) return;
    const int bits = mode == 0 ? 1 : mode == 2 ? 8 : int(channels * depth);
    const TPixelKind kind = mode <= 1   ? TPixelKind::Grey
                            : mode == 2 ? TPixelKind::Palette
                                        : TPixelKind::Colour;
    SetLayout(l, bits, kind);
    SetSize(l, uint32_t(columns), uint32_t(rows));
    r.skip(r.be32());                           // colour mode data
    r.skip(r.be32());                           // image resources
    r.skip(version == 2 ? r.be64() : r.be32()); // layers and masks
    const uint32_t compression = r.be16();
    if (compression == 0) {
        r.skip(channels * rows * ((columns * depth + 7) / 8));
    } else if (compression == 1) {
        uint64_t packed = 0;
        for (uint64_t i = 0; i < channels * rows && r.ok(); ++i)
            packed += version == 2 ? r.be32() : r.be16();
        r.skip(packed);
    }
    l.Incomplete = !r.ok();
}

// A pixel map record: depth, and for indexed maps the colour table in file order.
void ReadPictPixmap(TByteReader& r, bool direct, TImageFileLayout& l) {
    const uint32_t rowBytes = r.be16();
    if (!(rowBytes & 0x8000)) { // a one-bit bitmap
        if (r.ok()) SetLayout(l, 1, TPixelKind::Grey);
        return;
    }
    r.skip(8 + 2 + 2 + 4);                  // bounds, version, packing
    l.Dpi = int((r.be32() + 0x8000) >> 16); // horizontal resolution, 16.16 fixed point
    r.skip(4 + 2);                          // vertical resolution, pixel type
    const int pixelSize = int(r.be16());
    const int components = int(r.be16());
    r.skip(2 + 4 + 4 + 4); // component size, plane bytes, table handle, reserved
    if (direct) {
        if (r.ok()) SetLayout(l, pixelSize == 32 && components == 3 ? 24 : pixelSize, TPixelKind::Colour);
        return;
    }
    r.skip(4); // table seed
    const uint32_t flags = r.be16();
    const uint32_t entries = r.be16() + 1;
    if (entries > 256) return;
    for (uint32_t i = 0; i < entries; ++i) {
        const uint32_t index = (flags & 0x8000) ? i : r.be16() % entries;
        if (flags & 0x8000) r.skip(2);
        TRGBQuad& c = l.Palette[index];
        c.rgbRed = uint8_t((r.be16() + 128) / 257); // 16-bit components, rounded as ImageMagick does
        c.rgbGreen = uint8_t((r.be16() + 128) / 257);
        c.rgbBlue = uint8_t((r.be16() + 128) / 257);
    }
    if (!r.ok() || pixelSize > 8) return;
    SetLayout(l, pixelSize, TPixelKind::Palette);
    l.PaletteCount = int(entries);
}

// Version 2 pictures only, with or without the 512-byte file header: follows the
// opcodes up to the first pixel map and takes its depth and colour table.
void ReadPict(const uint8_t* data, size_t size, TImageFileLayout& l) {
    static constexpr uint8_t kVersion2[6] = {0x00, 0x11, 0x02, 0xFF, 0x0C, 0x00};
    size_t start = 0;
    for (size_t base : {size_t(512), size_t(0)}) {
        if (size >= base + 16 && std::memcmp(data + base + 10, kVersion2, 6) == 0) {
            start = base + 14;
            break;
        }
    }
    if (start == 0) return;
    TByteReader r(data, size);
    r.seek(start);
    for (int n = 0; n < 64 && r.ok(); ++n) {
        const uint32_t op = r.be16();
        switch (op) {
        case 0x0000: // no operation
        case 0x001E: // default highlight
            continue;
        case 0x0001: // clip region, sized
            r.skip(r.be16() - 2);
            continue;
        case 0x001A: // colours
        case 0x001B:
        case 0x001D:
        case 0x001F:
            r.skip(6);
            continue;
        case 0x00A0: // short comment
            r.skip(2);
            continue;
        case 0x00A1: // long comment
            r.skip(2);
            r.skip((r.be16() + 1) & ~1u);
            continue;
        case 0x0C00: // version 2 header
            r.skip(24);
            continue;
        case 0x0090: // bits with a colour table
        case 0x0091:
        case 0x0098:
        case 0x0099:
            ReadPictPixmap(r, false, l);
            return;
        case 0x009A: // direct bits
        case 0x009B:
            r.skip(4); // base address
            ReadPictPixmap(r, true, l);
            return;
        default: // an opcode we do not follow
            return;
        }
    }
}

} // namespace

TImageFileLayout ReadImageFileLayout(const uint8_t* data, size_t size, std::string_view magick) {
    TImageFileLayout l;
    TByteReader r(data, size);
    auto starts = [&](const char* sig, size_t n) { return size >= n && std::memcmp(data, sig, n) == 0; };
    if (starts("BM", 2))
        ReadBmp(r, l);
    else if (starts("\x89PNG\r\n\x1a\n", 8))
        ReadPng(r, l);
    else if (starts("II*\0", 4) || starts("MM\0*", 4))
        ReadTiff(r, l);
    else if (starts("8BPS", 4))
        ReadPsd(r, l);
    else if (starts("\x59\xa6\x6a\x95", 4))
        ReadSun(r, l);
    else if (size >= 1 && data[0] == 0x0A && magick == "PCX")
        ReadPcx(r, l);
    else if (magick == "TGA" || magick == "ICB" || magick == "VDA" || magick == "VST")
        ReadTga(r, l);
    else if (magick == "PICT" || magick == "PCT")
        ReadPict(data, size, l);
    if (!r.ok() && !l.Incomplete) l = TImageFileLayout();
    return l;
}
