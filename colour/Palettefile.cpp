#include "colour/Palettefile.h"

#include "platform/Lebytes.h"
#include "platform/Lereader.h"
#include "shell/Exception.h"
#include "shell/Savefile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

// A name of at most 65535 bytes behind its length word; longer names are cut.
void PutName(QByteArray& out, const QByteArray& name) {
    const qsizetype n = std::min<qsizetype>(name.size(), 0xFFFF);
    Put16(out, int(n));
    out.append(name.constData(), n);
}

constexpr uint16_t kOldPages[148] = {
    11,  12,  13,  20,  30,  40,  50,  55,  60,  70,  75,  80,  90,   95,   100, 105, 110, 115, 120,
    130, 135, 137, 140, 150, 155, 160, 170, 180, 190, 200, 210, 220,  225,  230, 240, 250, 252, 253,
    257, 260, 265, 270, 275, 276, 277, 278, 280, 290, 300, 305, 310,  315,  320, 330, 335, 340, 350,
    352, 355, 358, 360, 370, 375, 380, 390, 400, 410, 420, 430, 440,  450,  455, 460, 470, 480, 490,
    500, 510, 520, 521, 522, 523, 524, 530, 535, 540, 550, 555, 560,  565,  570, 580, 590, 600, 605,
    610, 620, 625, 630, 635, 640, 645, 650, 660, 665, 670, 673, 677,  680,  685, 690, 695, 700, 710,
    713, 717, 720, 725, 730, 740, 750, 760, 770, 780, 790, 800, 810,  820,  830, 840, 850, 860, 870,
    880, 890, 900, 910, 920, 930, 940, 950, 960, 970, 980, 990, 1000, 1010, 1020};

// The oldest palette files: 1800 bytes, no signature.
constexpr qint64 kOldestSize = 225 * 8;

} // namespace

int Expand6(int v) {
    v &= 0x3F;
    return v * 4 | v >> 4;
}

void AppendPaletteRecord(QByteArray& out, const TColorData& e) {
    Put16(out, e.Flags);
    Put16(out, e.Page);
    Put8(out, e.Number);
    Put8(out, e.Color.rgbBlue), Put8(out, e.Color.rgbGreen), Put8(out, e.Color.rgbRed), Put8(out, 0);
    if (e.IsUser()) {
        PutName(out, e.FileName);
        PutName(out, e.ColorName);
    }
}

bool ReadPaletteRecord(TLeReader& r, TColorData& e) {
    uint8_t b[9];
    r.Read(b, 9);
    e.Flags = Get16(b);
    e.Page = Get16(b + 2);
    e.Number = b[4];
    e.Color = TRGBQuad{b[5], b[6], b[7], 0};
    e.FileName.clear();
    e.ColorName.clear();
    if (e.IsUser()) {
        e.FileName = r.Bytes(r.U16());
        e.ColorName = r.Bytes(r.U16());
    }
    return r.ok();
}

void AppendPaletteRecords(QByteArray& out, const TPalette& palette) {
    for (const TColorData& e : palette.Entries)
        AppendPaletteRecord(out, e);
}

bool ReadPaletteRecords(TLeReader& r, TPalette& palette) {
    for (TColorData& e : palette.Entries)
        if (!ReadPaletteRecord(r, e)) return false;
    return true;
}

void ReadLongPalette(TLeReader& r, TPalette& palette) {
    for (TColorData& e : palette.Entries) {
        uint8_t b[10]; // flags, page, number, unused, blue, green, red, reserved
        r.Read(b, 10);
        e.Flags = Get16(b);
        e.Page = Get16(b + 2);
        e.Number = b[4];
        e.Color = TRGBQuad{b[6], b[7], b[8], 0};
        e.FileName.clear();
        e.ColorName.clear();
    }
}

void ReadShortPalette(TLeReader& r, TPalette& palette) {
    palette[0].SetRGB(0, 0, 0);
    for (int i = 1; i <= 225; ++i) {
        uint8_t b[8]; // kind, red, green, blue, page, number, unused
        r.Read(b, 8);
        const int kind = b[0], page = Get16(b + 4), number = b[6];
        const int red = Expand6(b[1]), green = Expand6(b[2]), blue = Expand6(b[3]);
        if (kind >= 3)
            palette[i].SetRGB(red, green, blue);
        else
            palette[i].SetLibrary(kind, page, number, red, green, blue);
    }
    for (int i = 226; i < TPalette::kSize; ++i)
        palette[i].SetRGB(i, i, i);
}

void ConvertOldNumbering(TColorData& e) {
    const int kind = e.Kind();
    if (kind == KindPantone1000) {
        const auto* at = std::find(std::begin(kOldPages), std::end(kOldPages), e.Page);
        const uint16_t page =
            at != std::end(kOldPages) ? uint16_t(at - std::begin(kOldPages) + 1 + 20) : e.Page;
        e.Flags = uint16_t((e.Flags & ~kColorKindMask) | KindVMStandard);
        e.Page = page;
    } else if (kind == KindPantoneTextile) {
        e.Flags = uint16_t((e.Flags & ~kColorKindMask) | KindVMTextile);
        e.Page = uint16_t(e.Page + 1000);
    }
}

bool LoadPaletteFile(const QString& path, TPalette& palette) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    TLeReader r(&file);
    TPalette read = palette;
    const QByteArray magic = file.peek(2);
    if (magic == "CP") {
        r.Bytes(2);
        const int version = r.U16();
        if (version > 100) {
            if (!ReadPaletteRecords(r, read)) return false;
        } else {
            if (!r.Require(256 * 10)) return false;
            ReadLongPalette(r, read);
        }
    } else {
        if (!r.Require(kOldestSize)) return false;
        ReadShortPalette(r, read);
    }
    if (!r.ok()) return false;
    for (TColorData& e : read.Entries)
        ConvertOldNumbering(e);
    read.UseColor = palette.UseColor;
    palette = read;
    return true;
}

uint32_t SavePaletteFile(const QString& path, const TPalette& palette) {
    QByteArray bytes("CP");
    Put16(bytes, 110);
    AppendPaletteRecords(bytes, palette);
    return SaveFileSafely(path, bytes);
}

int MergePalette(TPalette& into, const TPalette& from) {
    const int used = into.UseColor;
    int copied = 0;
    for (int i = 1; i <= 250 - used; ++i, ++copied)
        into[used + i] = from[i + 1];
    return copied;
}

QString WithExtension(const QString& name, const QString& ext) {
    return QFileInfo(name).suffix().isEmpty() ? name + u'.' + ext : name;
}
