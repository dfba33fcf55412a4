// Older design file layouts, every file assembled byte by byte.
#include "Filebytes.h"
#include "shell/Exception.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

QByteArray Zlib(const QByteArray& raw) {
    uLongf n = compressBound(uLong(raw.size()));
    QByteArray out(qsizetype(n), '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(raw.constData()),
             uLong(raw.size()));
    out.resize(qsizetype(n));
    return out;
}

// Runs of eight equal bytes, so that rows of some length compress.
int Value(int x, int y) {
    return ((x / 8) * 11 + y * 17 + 3) & 0xFF;
}

// A compressed block: the length, then the zlib stream (which must be shorter than the rows).
QByteArray Compressed(const QByteArray& rows) {
    const QByteArray z = Zlib(rows);
    EXPECT_LT(z.size(), rows.size());
    return TBytes().U32(z.size()).Raw(z).b;
}

// Rows of rowBytes values, each followed by zeros up to a multiple of pad.
QByteArray Rows(int rowBytes, int h, int pad) {
    QByteArray out;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < rowBytes; ++x)
            out.append(char(Value(x, y)));
        while (out.size() % pad)
            out.append('\0');
    }
    return out;
}

void ExpectRows(const TOrvaneBitmap& b, int rowBytes) {
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < rowBytes; ++x)
            ASSERT_EQ(b.ScanLine(y)[x], Value(x, y)) << x << "," << y;
}

QByteArray LegacyStart(char first, char letter, int version, int used) {
    TBytes t;
    return t.U8(first).U8(letter).U16(version).Fill(8000, 0x33).U16(used).b;
}

// 225 eight-byte records: kind k % 5, 6-bit red k, green 63 - k, blue 2k, page 2k, number k.
QByteArray ShortRecords() {
    TBytes t;
    for (int k = 0; k < 225; ++k)
        t.U8(k % 5).U8(k & 63).U8(63 - (k & 63)).U8((2 * k) & 63).U16(2 * k).U8(k).U8(0xEE);
    return t.b;
}

// 256 ten-byte records: flags k % 5 (entry 9 a user colour), page 1000 + k, number k, colour (k / 2, 255 - k,
// k).
QByteArray LongRecords() {
    TBytes t;
    for (int k = 0; k < 256; ++k)
        t.U16(k == 9 ? 0x13 : k % 5).U16(1000 + k).U8(k).U8(0xEE).U8(k).U8(255 - k).U8(k / 2).U8(0x55);
    return t.b;
}

std::vector<uint8_t> Stored(int w, int h) {
    std::vector<uint8_t> v;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            v.push_back(uint8_t(Value(x, y)));
    return v;
}

QByteArray Counted(const QByteArray& blocks) {
    return TBytes().U32(blocks.size()).Raw(blocks).b;
}

struct TRead {
    uint32_t Result = 0;
    TPalette Palette;
    TDocumentHeader Header;
    TOrvaneBitmap Image;
};

std::unique_ptr<TRead> Read(const QByteArray& bytes, bool topDown = true) {
    auto r = std::make_unique<TRead>();
    r->Result = ReadFrom(bytes, r->Palette, r->Header, &r->Image, topDown);
    return r;
}

} // namespace

TEST(OlderDesignFile, Versions220And221StoreUnpaddedRows) {
    for (int version : {220, 221})
        for (int bpp : {8, 24})
            for (int compression : {0, 2}) {
                SCOPED_TRACE(testing::Message() << version << " " << bpp << " " << compression);
                const int rowBytes = 37 * bpp / 8;
                const QByteArray rows = Rows(rowBytes, 6, 1);
                const QByteArray block = compression == 0 ? rows : Compressed(rows);
                const auto r = Read(PtHeader(version, 37, 6, bpp, compression) +
                                    GreyPaletteAndThumbnail(10, bpp) + block);
                ASSERT_EQ(r->Result, 0u);
                EXPECT_EQ(r->Header.version, version);
                EXPECT_EQ(r->Palette.UseColor, 10);
                EXPECT_EQ(r->Palette[77].Red(), 77);
                ASSERT_EQ(r->Image.Width, 37);
                ExpectRows(r->Image, rowBytes);
                // The padding the store adds is zero.
                EXPECT_EQ(r->Image.ScanLine(5)[r->Image.BytesPerLine() - 1], 0);
            }
}

TEST(OlderDesignFile, Versions210To219StoreRawPaddedRowsWithoutLength) {
    for (int version : {210, 219})
        for (int bpp : {8, 24}) {
            const int rowBytes = 5 * bpp / 8;
            // The compression byte says 2 but these versions never compressed.
            const auto r = Read(PtHeader(version, 5, 4, bpp, 2) +
                                GreyPaletteAndThumbnail(3, bpp == 8 ? 8 : 24) + Rows(rowBytes, 4, 4));
            ASSERT_EQ(r->Result, 0u) << version;
            ExpectRows(r->Image, rowBytes);
        }
}

TEST(OlderDesignFile, PtVersion209IsReadAsLegacy) {
    const QByteArray bytes = LegacyStart('P', 'T', 209, 40) + LongRecords() + TBytes().U32(0).b +
                             TBytes().U8(2).U8(1).U16(120).U32(6).U32(2).b + Rows(6, 2, 1);
    const auto r = Read(bytes);
    ASSERT_EQ(r->Result, 0u);
    EXPECT_EQ(QByteArray(r->Header.magic, 2), QByteArray("PT"));
    EXPECT_EQ(r->Header.version, 209);
    EXPECT_EQ(r->Header.paper.type, kPaperCustom);
    EXPECT_EQ(r->Header.paper.orientation, 0);
    EXPECT_EQ(r->Header.paper.dpi, 120);
    EXPECT_EQ(r->Header.paper.width, 6);
    EXPECT_EQ(r->Header.paper.height, 2);
    EXPECT_EQ(r->Header.bitsPerPixel, 8);
    EXPECT_EQ(r->Palette.UseColor, 40);
    EXPECT_EQ(r->Palette[9].Flags, 0x13);
    EXPECT_TRUE(r->Palette[9].FileName.isEmpty());
    EXPECT_EQ(r->Palette[200].Page, 1200);
    EXPECT_EQ(r->Palette[200].Color, (TRGBQuad{200, 55, 100, 0}));
    ExpectRows(r->Image, 6);
}

TEST(LegacyFile, ShortPaletteSpreadsSixBitColoursAndShiftsPixelsByOne) {
    const std::vector<uint8_t> stored = {0, 1, 224, 5, 6, 7};
    const QByteArray bytes = LegacyStart('V', 'T', 150, 30) + ShortRecords() +
                             TBytes().U32(0).U16(100).U16(3).U16(2).b +
                             QByteArray(reinterpret_cast<const char*>(stored.data()), 6);
    const auto r = Read(bytes);
    ASSERT_EQ(r->Result, 0u);
    EXPECT_EQ(QByteArray(r->Header.magic, 2), QByteArray("VT"));
    EXPECT_EQ(r->Header.version, 150);
    EXPECT_EQ(r->Header.paper.dpi, 100);
    EXPECT_EQ(r->Palette.UseColor, 31);
    const TPalette& p = r->Palette;
    EXPECT_EQ(p[0].ColorRef(), 0u);
    // Record 0 (kind 0): 6-bit 0, 63, 0 -> 0, 255, 0. Record 63: 63, 0, 62 -> 255, 0, 251.
    EXPECT_EQ(p[1].ColorRef(), MakeColorRef(0, 255, 0));
    EXPECT_EQ(p[64].ColorRef(), MakeColorRef(255, 0, 251));
    // Record 32 (kind 2): 32, 31, 0 -> 130, 125, 0 with its page and number.
    EXPECT_EQ(p[33].ColorRef(), MakeColorRef(130, 125, 0));
    EXPECT_EQ(p[33].Kind(), 2);
    EXPECT_EQ(p[33].Page, 64);
    EXPECT_EQ(p[33].Number, 32);
    // Kinds 3 and up are plain colours.
    EXPECT_EQ(p[4].Flags, 0);
    EXPECT_EQ(p[4].Page, 0);
    EXPECT_EQ(p[226].ColorRef(), MakeColorRef(226, 226, 226));
    EXPECT_EQ(p[255].ColorRef(), MakeColorRef(255, 255, 255));
    EXPECT_EQ(Rows(r->Image), (std::vector<std::string>{"\x01\x02\xE1", "\x06\x07\x08"}));
    TRGBQuad q[256];
    r->Image.GetColors(0, 256, q);
    EXPECT_EQ(q[64], (TRGBQuad{251, 0, 255, 0}));
}

TEST(LegacyFile, TypeT200HasLongRecordsFourByteSizeAndCountedLzw) {
    const QByteArray bytes = LegacyStart('x', 'T', 200, 12) + LongRecords() +
                             TBytes().U32(1).U16(90).U32(7).U32(5).b +
                             Counted(SubBlocks(LzwEncode(Stored(7, 5))));
    const auto r = Read(bytes);
    ASSERT_EQ(r->Result, 0u);
    EXPECT_EQ(r->Header.paper.width, 7);
    EXPECT_EQ(r->Header.paper.dpi, 90);
    EXPECT_EQ(r->Palette.UseColor, 12);
    EXPECT_EQ(r->Palette[3].Kind(), 3);
    ExpectRows(r->Image, 7);
}

TEST(LegacyFile, PaddedFlagMeansRawRowsEvenWhenMarkedCompressed) {
    const QByteArray bytes = LegacyStart('x', 'T', 230, 5) + LongRecords() + TBytes().U32(0x11).b +
                             TBytes().U8(2).U8(1).U16(200).U32(5).U32(3).b + Rows(5, 3, 4);
    const auto r = Read(bytes);
    ASSERT_EQ(r->Result, 0u);
    EXPECT_EQ(r->Header.paper.type, kPaperCustom);
    EXPECT_EQ(r->Header.paper.dpi, 200);
    ExpectRows(r->Image, 5);
    // The same rows unpadded and compressed, with their byte count (version 201 and up).
    const QByteArray lzw = LegacyStart('x', 'T', 230, 5) + LongRecords() + TBytes().U32(0x02).b +
                           TBytes().U8(2).U8(1).U16(200).U32(5).U32(3).b +
                           Counted(SubBlocks(LzwEncode(Stored(5, 3))));
    const auto l = Read(lzw);
    ASSERT_EQ(l->Result, 0u);
    ExpectRows(l->Image, 5);
}

TEST(LegacyFile, EarlyTypeTAndOtherLettersHaveNoByteCount) {
    // "T" version 100: LZW straight after the size.
    const auto t =
        Read(LegacyStart('x', 'T', 100, 5) + ShortRecords() + TBytes().U32(3).U16(72).U16(4).U16(3).b +
             SubBlocks(LzwEncode({9, 8, 7, 9, 8, 7, 9, 8, 7, 9, 8, 7})));
    ASSERT_EQ(t->Result, 0u);
    EXPECT_EQ(Rows(t->Image),
              (std::vector<std::string>{"\x0A\x09\x08\x0A", "\x09\x08\x0A\x09", "\x08\x0A\x09\x08"}));
    // Another letter: raw unpadded rows, width and height in two bytes, 160 dpi.
    const auto x = Read(LegacyStart('A', 'X', 7, 5) + ShortRecords() + TBytes().U16(3).U16(2).b +
                        QByteArray("\x01\x02\x03\x04\x05\x06", 6));
    ASSERT_EQ(x->Result, 0u);
    EXPECT_EQ(QByteArray(x->Header.magic, 2), QByteArray("AX"));
    EXPECT_EQ(x->Header.paper.dpi, 160);
    EXPECT_EQ(Rows(x->Image), (std::vector<std::string>{"\x02\x03\x04", "\x05\x06\x07"}));
    // "C": LZW, no count.
    const auto c = Read(LegacyStart('A', 'C', 7, 5) + ShortRecords() + TBytes().U16(3).U16(2).b +
                        SubBlocks(LzwEncode({1, 2, 3, 4, 5, 6})));
    ASSERT_EQ(c->Result, 0u);
    EXPECT_EQ(Rows(c->Image), (std::vector<std::string>{"\x02\x03\x04", "\x05\x06\x07"}));
}

TEST(LegacyFile, BottomUpOrderPutsTheFirstStoredRowAtTheBottom) {
    const QByteArray bytes = LegacyStart('A', 'X', 7, 5) + ShortRecords() + TBytes().U16(2).U16(3).b +
                             QByteArray("\x01\x02\x03\x04\x05\x06", 6);
    const auto r = Read(bytes, false);
    ASSERT_EQ(r->Result, 0u);
    EXPECT_EQ(Rows(r->Image), (std::vector<std::string>{"\x06\x07", "\x04\x05", "\x02\x03"}));
    // Current files ignore the order.
    const auto pt = Read(PtHeader(215, 2, 2, 8, 0) + GreyPaletteAndThumbnail(3) +
                             QByteArray("\x01\x02\0\0\x03\x04\0\0", 8),
                         false);
    ASSERT_EQ(pt->Result, 0u);
    EXPECT_EQ(Rows(pt->Image), (std::vector<std::string>{"\x01\x02", "\x03\x04"}));
}

TEST(LegacyFile, SequentialDeviceReadsLikeAFile) {
    const QByteArray legacy = LegacyStart('x', 'T', 200, 12) + LongRecords() +
                              TBytes().U32(1).U16(90).U32(7).U32(5).b +
                              Counted(SubBlocks(LzwEncode(Stored(7, 5))));
    const QByteArray current =
        PtHeader(222, 64, 5, 8, 2) + GreyPaletteAndThumbnail(10) + Compressed(Rows(64, 5, 4));
    for (const QByteArray& bytes : {legacy, current}) {
        TSequentialBytes in(bytes);
        TPalette p;
        TDocumentHeader h;
        TOrvaneBitmap image;
        ASSERT_EQ(ReadDocument(&in, p, h, true, &image), 0u);
        ExpectRows(image, image.Width);
        TSequentialBytes cut(bytes.left(bytes.size() - 1));
        EXPECT_EQ(ReadDocument(&cut, p, h, true, &image), ErrorCode::DamagedFile);
        EXPECT_FALSE(image.Allocated());
    }
}
