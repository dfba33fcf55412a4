#pragma once
// Design files assembled byte by byte for the reader tests, and a small GIF-style
// LZW encoder that produces the pixel data of the oldest layouts.
#include "raster/Tpmemory.h"
#include "shell/File.h"
#include "support/Pictures.h"
#include "support/Sequentialbytes.h"

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

// Little-endian byte building.
struct TBytes {
    QByteArray b;
    TBytes& U8(int v) {
        b.append(char(v & 0xFF));
        return *this;
    }
    TBytes& U16(int v) { return U8(v).U8(v >> 8); }
    TBytes& U32(int64_t v) { return U16(int(v & 0xFFFF)).U16(int((v >> 16) & 0xFFFF)); }
    TBytes& Raw(const QByteArray& bytes) {
        b += bytes;
        return *this;
    }
    TBytes& Fill(int count, int value) {
        b.append(count, char(value));
        return *this;
    }
};

// The 32-byte "PT" header.
inline QByteArray PtHeader(int version, int w, int h, int bpp, int compression, int dpi = 160, int type = 5,
                           int orientation = 0) {
    TBytes t;
    t.U8('P').U8('T').U16(version).U8(type).U8(orientation).U16(dpi).U32(w).U32(h).U16(bpp).U8(compression);
    return t.Fill(13, 0).b;
}

// One current palette record; names only when flags has bit 4.
inline QByteArray CurrentRecord(int flags, int page, int number, int r, int g, int b,
                                const QByteArray& file = {}, const QByteArray& name = {}) {
    TBytes t;
    t.U16(flags).U16(page).U8(number).U8(b).U8(g).U8(r).U8(0);
    if (flags & 0x10) t.U16(int(file.size())).Raw(file).U16(int(name.size())).Raw(name);
    return t.b;
}

// Used count, 256 plain records (index i is grey i) and an 8-bit thumbnail of index i % 256 at byte i.
inline QByteArray GreyPaletteAndThumbnail(int used, int thumbDepth = 8) {
    TBytes t;
    t.U16(used);
    for (int i = 0; i < 256; ++i)
        t.Raw(CurrentRecord(0, 0, 0, i, i, i));
    t.U16(thumbDepth);
    const int n = thumbDepth == 8 ? 8000 : 24000;
    for (int i = 0; i < n; ++i)
        t.U8(i);
    return t.b;
}

// Code bytes (no sub-block framing): a clear code, the codes, the end code.
// With clearWhenFull the table restarts when it holds 4096 entries, as GIF
// encoders do; without it the table stays full and 12-bit codes go on.
inline QByteArray LzwEncode(const std::vector<uint8_t>& data, bool clearWhenFull = true) {
    QByteArray out;
    uint32_t buffer = 0;
    int held = 0, bits = 9, next = 258;
    std::map<std::pair<int, int>, int> table;
    auto put = [&](int code) {
        buffer |= uint32_t(code) << held;
        held += bits;
        for (; held >= 8; held -= 8, buffer >>= 8)
            out.append(char(buffer & 0xFF));
    };
    put(256);
    if (!data.empty()) {
        int w = data[0];
        for (size_t i = 1; i < data.size(); ++i) {
            const int c = data[i];
            const auto it = table.find({w, c});
            if (it != table.end()) {
                w = it->second;
                continue;
            }
            put(w);
            if (next < 4096) {
                table[{w, c}] = next++;
                if (next > (1 << bits) && bits < 12) ++bits;
            } else if (clearWhenFull) {
                put(256);
                table.clear();
                next = 258, bits = 9;
            }
            w = c;
        }
        put(w);
    }
    put(257);
    if (held > 0) out.append(char(buffer & 0xFF));
    return out;
}

// Codes of one fixed width packed least significant bit first (hand-made streams).
inline QByteArray PackCodes(const std::vector<int>& codes, int bits = 9) {
    QByteArray out;
    uint32_t buffer = 0;
    int held = 0;
    for (int c : codes) {
        buffer |= uint32_t(c) << held;
        for (held += bits; held >= 8; held -= 8, buffer >>= 8)
            out.append(char(buffer & 0xFF));
    }
    if (held > 0) out.append(char(buffer & 0xFF));
    return out;
}

// Length-prefixed sub-blocks of up to 255 bytes and the empty block.
inline QByteArray SubBlocks(const QByteArray& codes) {
    QByteArray out;
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const qsizetype n = std::min<qsizetype>(255, codes.size() - at);
        out.append(char(n)).append(codes.mid(at, n));
    }
    return out.append('\0');
}

inline uint32_t ReadFrom(const QByteArray& bytes, TPalette& palette, TDocumentHeader& header,
                         TOrvaneBitmap* image, bool topDown = true) {
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    return ReadDocument(&in, palette, header, topDown, image);
}

// Image rows as stored, unpadded, top row first (8-bit: indices; 24-bit: BGR bytes).
inline QByteArray PackedRows(const TOrvaneBitmap& b) {
    QByteArray out;
    const int n = b.Width * (b.BitsPerPixel / 8);
    for (int y = 0; y < b.Height; ++y)
        out.append(reinterpret_cast<const char*>(b.ScanLine(y)), n);
    return out;
}
