#include "textile/Stripefile.h"

#include "platform/Inifile.h"
#include "platform/Lereader.h"
#include "raster/Tpmemory.h"
#include "shell/Exception.h"
#include "shell/File.h"
#include "shell/Paper.h"
#include "shell/Savefile.h"
#include "shell/Tdocument.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace {

constexpr int kRecord = 6;
constexpr int kOldRecord = kRecord + 2;
constexpr int kMaxPictureWidth = 65535;

void Put16(QByteArray& out, int v) {
    const auto u = uint16_t(int16_t(v));
    out.append(char(u & 0xFF)).append(char(u >> 8));
}

bool Storable(const TStripe& s) {
    return s.Length >= 1 && s.Repeat >= 1 && s.Method <= StripeCenter;
}

// The sequence picture: the sequence on every row (white index 255 for none).
bool SequencePicture(const TStripeList& list, const TPalette& palette, TOrvaneBitmap& picture) {
    const std::vector<uint8_t> sequence = BuildSequence(list);
    const int width = std::max(1, int(std::min<size_t>(sequence.size(), kMaxPictureWidth)));
    TRGBQuad quads[256];
    palette.GetQuads(quads);
    quads[255] = TRGBQuad{255, 255, 255, 0};
    if (!picture.Allocate(width, kStripePictureHeight, quads, 8)) return false;
    for (int y = 0; y < kStripePictureHeight; ++y) {
        uint8_t* row = picture.ScanLine(y);
        if (sequence.empty())
            row[0] = 255;
        else
            std::memcpy(row, sequence.data(), size_t(width));
    }
    return true;
}

} // namespace

uint32_t ReadStripeBlock(QIODevice* file, bool current, TStripeList& list) {
    TLeReader in(file);
    const int count = int16_t(in.U16());
    if (!in.ok()) return ErrorCode::DamagedFile;
    if (count < 0 || count > kMaxStripes) return ErrorCode::BadFile;
    const int record = current ? kRecord : kOldRecord;
    if (!in.Require(uint64_t(count) * uint64_t(record))) return ErrorCode::DamagedFile;
    TStripeList read(static_cast<size_t>(count));
    for (TStripe& s : read) {
        s.Color = in.U8();
        s.Method = in.U8();
        s.Repeat = int16_t(in.U16());
        s.Length = int16_t(in.U16());
        if (!current) in.Skip(2);
        if (!in.ok()) return ErrorCode::DamagedFile;
        if (!Storable(s)) return ErrorCode::BadFile;
    }
    list = std::move(read);
    return 0;
}

uint32_t ReadStripeFile(const QString& path, TPalette& palette, TStripeList& list) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ErrorCode::CannotOpenFile;
    TPalette filePalette;
    TDocumentHeader header;
    // The sequence picture is read to step over it; the list says what it shows.
    TOrvaneBitmap picture;
    if (const uint32_t code = ReadDocument(&file, filePalette, header, true, &picture)) return code;
    const bool current = header.magic[0] == 'P' && header.magic[1] == 'T';
    TStripeList read;
    if (const uint32_t code = ReadStripeBlock(&file, current, read)) return code;

    const int h = palette.UseColor, n = filePalette.UseColor;
    // The older layout's colour 0 is never copied, so entry h keeps its colour.
    const int base = current ? h + 1 : h;
    const int first = current ? 0 : 1;
    if (base + n > TPalette::kLastDrawing) return ErrorCode::PaletteFull;
    for (const TStripe& s : read)
        if (base + s.Color > TPalette::kLastDrawing) return ErrorCode::PaletteFull;
    TPalette merged = palette;
    for (int i = first; i <= n; ++i)
        merged[base + i] = filePalette[i];
    for (TStripe& s : read)
        s.Color = uint8_t(base + s.Color);
    merged.UseColor = uint16_t(std::max<int>(merged.UseColor, HighestStripeColour(read)));
    palette = merged;
    list = std::move(read);
    return 0;
}

uint32_t LoadStripeFile(const QString& path, TDocument& document, TStripeList& list) {
    TPalette palette = document.Palette();
    TStripeList read;
    if (const uint32_t code = ReadStripeFile(path, palette, read)) return code;
    if (!document.EditPalette([&palette](TPalette& p) {
            p = palette;
            return true;
        }))
        return ErrorCode::OutOfMemory;
    list = std::move(read);
    return 0;
}

uint32_t WriteStripeFile(const QString& path, const TPalette& palette, const TStripeList& all) {
    TStripeList list;
    for (const TStripe& s : all)
        if (!s.Pending) list.push_back(s);
    if (list.size() > size_t(kMaxStripes)) return ErrorCode::BadFile;
    for (const TStripe& s : list)
        if (!Storable(s)) return ErrorCode::BadFile;
    if (SequenceLength(list) > kMaxSequence) return ErrorCode::TooLargeForOperation;
    TOrvaneBitmap picture, thumbnail;
    if (!SequencePicture(list, palette, picture)) return ErrorCode::OutOfMemory;
    const QRect whole(0, 0, picture.Width, picture.Height);
    if (const uint32_t code = MakeThumbnail(thumbnail, picture, 0, whole)) return code;
    TDocumentHeader header;
    SetPaper(header.paper, kPaperCustom, picture.Width, picture.Height);
    header.bitsPerPixel = 8;
    QByteArray block;
    Put16(block, int(list.size()));
    for (const TStripe& s : list) {
        block.append(char(s.Color)).append(char(s.Method));
        Put16(block, s.Repeat);
        Put16(block, s.Length);
    }
    return SaveFileSafely(path, [&](QIODevice* file) -> uint32_t {
        const bool written = WriteDocument(file, palette, header, nullptr, &picture, thumbnail) &&
                             file->write(block) == block.size();
        return written ? 0 : ErrorCode::CannotWriteFile;
    });
}

TStripeList ReadStripeIni(const QString& path) {
    const TIniFile ini(path);
    const int count = std::clamp(ini.ReadInteger("Count", "cnt", 0), 0, kMaxStripes);
    TStripeList list(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const QString section = QString::number(i);
        TStripe& s = list[size_t(i)];
        s.Color = uint8_t(std::clamp(ini.ReadInteger(section, "Color", 0), 0, 255));
        s.Method = uint8_t(std::clamp(ini.ReadInteger(section, "Method", 0), 0, int(StripeCenter)));
        s.Repeat = int16_t(std::clamp(ini.ReadInteger(section, "Repetition", 1), 1, 32767));
        s.Length = int16_t(std::clamp(ini.ReadInteger(section, "Length", kStripeDefaultLength), 1, 32767));
    }
    return list;
}

bool WriteStripeIni(const QString& path, const TStripeList& list) {
    TIniFile ini(path);
    const int old = ini.ReadInteger("Count", "cnt", 0);
    for (int i = 0; i < old; ++i)
        ini.EraseSection(QString::number(i));
    int n = 0;
    for (const TStripe& s : list) {
        if (s.Pending) continue;
        const QString section = QString::number(n++);
        ini.WriteInteger(section, "Color", s.Color);
        ini.WriteInteger(section, "Method", s.Method);
        ini.WriteInteger(section, "Repetition", s.Repeat);
        ini.WriteInteger(section, "Length", s.Length);
    }
    ini.WriteInteger("Count", "cnt", n);
    return ini.UpdateFile();
}
