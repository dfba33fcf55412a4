#include "colour/Tdptest.h"

#include "colour/Palettefile.h"
#include "platform/Lereader.h"
#include "shell/Exception.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString TwoPartCode(const TLibraryColor& c) {
    return QStringLiteral("%1-%2").arg(c.Code).arg(c.Number, 4, 10, QLatin1Char('0'));
}

} // namespace

void TColorLibrary::Clear() {
    Pages.clear();
    Flat.clear();
    Nearest.Clear();
}

uint32_t TColorLibrary::Load(const QString& path) {
    Clear();
    File = path;
    if (!QFileInfo::exists(path)) return 0;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return ErrorCode::CannotOpenFile;
    return Read(&f);
}

uint32_t TColorLibrary::Read(QIODevice* device) {
    Clear();
    TLeReader in(device);
    char head[4];
    if (!in.Read(head, 4)) return ErrorCode::DamagedFile;
    const bool cl = head[0] == 'C' && head[1] == 'L';
    const int version = uint8_t(head[2]) | uint8_t(head[3]) << 8;
    bool ok;
    if (Layout == LayoutVmc) {
        if (!cl) return 0;
        ok = ReadPages(device, 8, 0, 0);
    } else if (cl && version >= 300)
        ok = ReadPages(device, 8, 0, 0);
    else if (cl)
        ok = ReadPages(device, 6, 0, version == 200 ? 20 : 12);
    else
        ok = ReadPages(device, 6, HeaderlessExtra, 0);
    if (!ok) {
        Clear();
        return ErrorCode::DamagedFile;
    }
    return 0;
}

bool TColorLibrary::ReadPages(QIODevice* device, int channelBits, int extraBefore, int extraAfter) {
    TLeReader in(device);
    const int pageCount = in.U16();
    // A page takes at least its 4 header bytes, a record at least its fixed fields.
    if (!in.Require(uint64_t(pageCount) * 4)) return false;
    const int fixed = (TwoPart ? 6 : 4) + extraBefore + 4 + extraAfter;
    Pages.resize(size_t(pageCount));
    for (TLibraryPage& page : Pages) {
        page.Number = in.U16();
        const int count = in.U16();
        if (!in.Require(uint64_t(count) * uint64_t(fixed))) return false;
        page.Records.resize(size_t(count));
        for (TLibraryColor& c : page.Records) {
            c.Slot = in.U16();
            c.Code = in.U16();
            if (TwoPart) c.Number = in.U16();
            in.Skip(extraBefore);
            uint8_t rgb[4];
            in.Read(rgb, 4);
            in.Skip(extraAfter);
            const auto widen = [&](uint8_t v) { return uint8_t(channelBits == 6 ? Expand6(v) : v); };
            c.Red = widen(rgb[1]), c.Green = widen(rgb[2]), c.Blue = widen(rgb[3]);
            if (!TwoPart && Layout == LayoutPtc && (c.Code & 0x8000)) {
                const int length = c.Code - 0x8000;
                if (!in.Require(uint64_t(length))) return false;
                c.Name.resize(length);
                in.Read(c.Name.data(), length);
            }
            if (!in.ok()) return false;
        }
    }
    if (!in.ok()) return false;
    for (int p = 0; p < pageCount; ++p)
        for (int r = 0; r < int(Pages[size_t(p)].Records.size()); ++r) {
            const TLibraryColor& c = Pages[size_t(p)].Records[size_t(r)];
            Flat.push_back({p, r});
            Nearest.Add(c.Red, c.Green, c.Blue);
        }
    return true;
}

const TLibraryColor* TColorLibrary::Record(int page, int record) const {
    if (page < 0 || page >= PageCount()) return nullptr;
    const auto& records = Pages[size_t(page)].Records;
    if (record < 0 || record >= int(records.size())) return nullptr;
    return &records[size_t(record)];
}

uint32_t TColorLibrary::ColorOf(int page, int record) const {
    const TLibraryColor* c = Record(page, record);
    return c ? c->Rgb() : 0;
}

QString TColorLibrary::CodeText(int pageNumber, int slotByte) const {
    for (const TLibraryPage& page : Pages) {
        if (page.Number != pageNumber) continue;
        for (const TLibraryColor& c : page.Records)
            if ((c.Slot & 0xFF) == slotByte) return CodeText(c);
        return QString();
    }
    return QString();
}

TLibraryPlace TColorLibrary::FindCode(const QString& code) const {
    const Qt::CaseSensitivity cs = Caseless ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (int p = 0; p < PageCount(); ++p) {
        const auto& records = Pages[size_t(p)].Records;
        for (int r = 0; r < int(records.size()); ++r)
            if (CodeText(records[size_t(r)]).compare(code, cs) == 0) return {p, r};
    }
    return {};
}

TLibraryPlace TColorLibrary::FindNearest(int red, int green, int blue, int* distance) const {
    const int i = Nearest.Find(red, green, blue, distance);
    if (i < 0) return {};
    return {Flat[size_t(i)].Page, Flat[size_t(i)].Record};
}

QString TPantone1000::CodeText(const TLibraryColor& c) const {
    if (c.Code & 0x8000) return QString::fromLatin1(c.Name);
    return QStringLiteral("%1").arg(c.Code, 4, 10, QLatin1Char('0'));
}

QString TPantoneTextile::CodeText(const TLibraryColor& c) const {
    return TwoPartCode(c);
}

QString TStandardColor::CodeText(const TLibraryColor& c) const {
    return QStringLiteral("%1").arg(c.Code, 4, 10, QLatin1Char('0'));
}

QString TTextileColor::CodeText(const TLibraryColor& c) const {
    return TwoPartCode(c);
}
