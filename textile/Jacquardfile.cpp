#include "textile/Jacquardfile.h"

#include "colour/Palette.h"
#include "platform/Inifile.h"
#include "platform/Lereader.h"
#include "shell/Exception.h"
#include "shell/Savefile.h"
#include "textile/Wif.h"

#include <QFile>
#include <algorithm>

namespace {

constexpr char kMagic[4] = {'V', 'J', 'Q', 'D'};
constexpr int kVersion = 1;
constexpr int kEntryHead = 12 + 2 * kWeaveNameSize + 4; // bytes before an entry's cells

void Put16(QByteArray& out, int v) {
    const auto u = uint16_t(v);
    out.append(char(u & 0xFF)).append(char(u >> 8));
}

QString ReadName(TLeReader& in) {
    char name[kWeaveNameSize + 1] = {};
    in.Read(name, kWeaveNameSize);
    return QString::fromLatin1(name);
}

// The named group list of part and type (derivation or speciality), or null.
const std::vector<TNamedGroup>* NamedGroups(const TTexture& library, int part, int type) {
    if (part == JacquardDerivation && type >= 0 && type < kWeaveTypes)
        return &library.Derivation[size_t(type)];
    if (part == JacquardSpecial) return &library.Special;
    return nullptr;
}

bool ReadEntry(TLeReader& in, TJacquardEntry& e) {
    e.Part = in.U8();
    e.Type = in.U8();
    e.Zoom = in.U8();
    e.Rot = in.U8();
    const int use = in.U8();
    in.U8();
    e.Number = in.U16();
    e.Index = in.U16();
    e.Group = in.U16();
    e.Key = ReadName(in);
    e.DisplayName = ReadName(in);
    TTexBitData& w = e.Weave;
    w.Width = int16_t(in.U16());
    w.Height = int16_t(in.U16());
    w.Name = e.DisplayName;
    w.Named = true;
    if (!in.ok() || e.Part > JacquardSpecial || e.Type >= kWeaveTypes || e.Zoom < 1 ||
        e.Zoom > kJacquardMaxZoom || e.Rot > 3 || use > 1 || e.Group < 1 || w.Width < 1 || w.Height < 1 ||
        w.Width > kMaxWeaveSide || w.Height > kMaxWeaveSide ||
        !in.Require(uint64_t(w.Width) * uint64_t(w.Height)))
        return false;
    e.Use = use == 1;
    w.Bits.resize(size_t(w.Width) * size_t(w.Height));
    if (!in.Read(w.Bits.data(), qint64(w.Bits.size()))) return false;
    return std::all_of(w.Bits.begin(), w.Bits.end(), [](uint8_t b) { return b <= 1; });
}

} // namespace

bool MakeJacquardEntry(const TTexture& library, int part, int type, int group, int weave, int zoom,
                       TJacquardEntry& out) {
    TJacquardEntry e;
    e.Part = part;
    e.Type = part == JacquardSpecial ? 0 : type;
    e.Zoom = std::clamp(zoom, 1, kJacquardMaxZoom);
    e.Number = weave;
    e.Index = weave;
    e.Group = group + 1;
    if (part == JacquardFoundation) {
        if (type < 0 || type >= kWeaveTypes || group < 0 ||
            size_t(group) >= library.Foundation[size_t(type)].size())
            return false;
        e.Key = QString::number(library.Foundation[size_t(type)][size_t(group)].Repeat);
    } else {
        const auto* groups = NamedGroups(library, part, type);
        if (!groups || group < 0 || size_t(group) >= groups->size()) return false;
        e.Key = (*groups)[size_t(group)].Name;
    }
    if (!FindJacquardWeave(library, e)) return false;
    out = std::move(e);
    return true;
}

bool FindJacquardWeave(const TTexture& library, TJacquardEntry& e) {
    const std::vector<TTexBitData>* weaves = nullptr;
    if (e.Part == JacquardFoundation && e.Type >= 0 && e.Type < kWeaveTypes) {
        const auto& groups = library.Foundation[size_t(e.Type)];
        for (size_t g = 0; g < groups.size() && !weaves; ++g)
            if (QString::number(groups[g].Repeat) == e.Key) weaves = &groups[g].Weaves, e.Group = int(g) + 1;
    } else if (const auto* groups = NamedGroups(library, e.Part, e.Type)) {
        for (size_t g = 0; g < groups->size() && !weaves; ++g)
            if ((*groups)[g].Name == e.Key) weaves = &(*groups)[g].Weaves, e.Group = int(g) + 1;
    }
    if (!weaves || e.Number < 0 || size_t(e.Number) >= weaves->size()) return false;
    e.Weave = (*weaves)[size_t(e.Number)];
    if (e.DisplayName.isEmpty()) e.DisplayName = e.Weave.Name;
    return ValidJacquardWeave(e.Weave);
}

std::vector<TJacquardEntry> ReadJacquardIni(const QString& path, const TTexture& library) {
    const TIniFile ini(path);
    const int count = std::clamp(ini.ReadInteger("Count", "cnt", 0), 0, kMaxJacquardEntries);
    std::vector<TJacquardEntry> out;
    for (int i = 0; i < count; ++i) {
        const QString s = QString::number(i);
        TJacquardEntry e;
        e.Part = ini.ReadInteger(s, "Itm", 0);
        e.Type = ini.ReadInteger(s, "pts", 0);
        e.Key = ini.ReadString(s, "Name", QString());
        e.DisplayName = ini.ReadString(s, "disName", QString());
        e.Zoom = std::clamp(ini.ReadInteger(s, "zoom", 1), 1, kJacquardMaxZoom);
        e.Number = ini.ReadInteger(s, "num", 0);
        e.Index = std::clamp(ini.ReadInteger(s, "Ind", 0), 0, 65535);
        e.Rot = std::clamp(ini.ReadInteger(s, "Rot", 0), 0, 3);
        e.Use = ini.ReadBool(s, "Use", false);
        if (FindJacquardWeave(library, e)) out.push_back(std::move(e));
    }
    return out;
}

bool WriteJacquardIni(const QString& path, const std::vector<TJacquardEntry>& entries) {
    TIniFile ini(path);
    const int old = ini.ReadInteger("Count", "cnt", 0);
    for (int i = 0; i < old; ++i)
        ini.EraseSection(QString::number(i));
    const int n = std::min(int(entries.size()), kMaxJacquardEntries);
    for (int i = 0; i < n; ++i) {
        const TJacquardEntry& e = entries[size_t(i)];
        const QString s = QString::number(i);
        ini.WriteInteger(s, "Itm", e.Part);
        ini.WriteInteger(s, "pts", e.Type);
        ini.WriteString(s, "Name", e.Key);
        ini.WriteString(s, "disName", e.DisplayName);
        ini.WriteInteger(s, "zoom", e.Zoom);
        ini.WriteInteger(s, "num", e.Number);
        ini.WriteInteger(s, "Ind", e.Index);
        ini.WriteInteger(s, "Rot", e.Rot);
        ini.WriteBool(s, "Use", e.Use);
    }
    ini.WriteInteger("Count", "cnt", n);
    return ini.UpdateFile();
}

uint32_t ReadJacquard(QIODevice* file, TJacquardList& list) {
    TLeReader in(file);
    char magic[4] = {};
    in.Read(magic, 4);
    const int version = in.U16();
    TJacquardList got;
    got.EffectColour = in.U16();
    const int count = in.U16();
    if (!in.ok() || !std::equal(magic, magic + 4, kMagic) || version != kVersion ||
        got.EffectColour < TPalette::kFirstDrawing || got.EffectColour > TPalette::kLastDrawing ||
        count > kMaxJacquardEntries || !in.Require(uint64_t(count) * (kEntryHead + 1)))
        return ErrorCode::BadFile;
    got.Entries.resize(size_t(count));
    for (TJacquardEntry& e : got.Entries)
        if (!ReadEntry(in, e)) return ErrorCode::BadFile;
    list = std::move(got);
    return 0;
}

uint32_t ReadJacquardFile(const QString& path, TJacquardList& list) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ErrorCode::CannotOpenFile;
    return ReadJacquard(&file, list);
}

uint32_t WriteJacquardFile(const QString& path, const TJacquardList& list) {
    if (list.Entries.size() > size_t(kMaxJacquardEntries)) return ErrorCode::BadFile;
    QByteArray out(kMagic, 4);
    Put16(out, kVersion);
    Put16(out, std::clamp(list.EffectColour, TPalette::kFirstDrawing, TPalette::kLastDrawing));
    Put16(out, int(list.Entries.size()));
    for (const TJacquardEntry& e : list.Entries) {
        const TTexBitData& w = e.Weave;
        if (!ValidJacquardWeave(w)) return ErrorCode::BadFile;
        for (const int v :
             {e.Part, e.Type, std::clamp(e.Zoom, 1, kJacquardMaxZoom), e.Rot & 3, e.Use ? 1 : 0, 0})
            out.append(char(v));
        Put16(out, e.Number);
        Put16(out, e.Index);
        Put16(out, std::max(e.Group, 1));
        out.append(WeaveName(e.Key)).append(WeaveName(e.DisplayName));
        Put16(out, w.Width);
        Put16(out, w.Height);
        for (const uint8_t b : w.Bits)
            out.append(char(b ? 1 : 0));
    }
    return SaveFileSafely(path, out);
}

uint32_t WriteJacquardWif(const QString& path, const TJacquardEntry& entry) {
    const TTexBitData& w = entry.Weave;
    if (!ValidJacquardWeave(w)) return ErrorCode::BadFile;
    TTexBitData turned;
    turned.Name = entry.DisplayName;
    turned.Named = true;
    turned.Width = w.Width;
    turned.Height = w.Height;
    const bool flipX = entry.Rot == 1 || entry.Rot == 2, flipY = entry.Rot == 2 || entry.Rot == 3;
    for (int y = 0; y < w.Height; ++y)
        for (int x = 0; x < w.Width; ++x)
            turned.Bits.push_back(w.At(flipX ? w.Width - 1 - x : x, flipY ? w.Height - 1 - y : y) ? 1 : 0);
    return WriteWif(path, turned);
}
