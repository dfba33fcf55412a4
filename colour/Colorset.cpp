#include "colour/Colorset.h"

#include "platform/Inifile.h"

#include <algorithm>

namespace {
bool Selectable(int index) {
    return index >= 1 && index <= TPalette::kLastDrawing;
}

QString Key(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}
} // namespace

QRect SpanRect(const QPoint& a, const QPoint& b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

int IndexAt(const TOrvaneBitmap& picture, int x, int y) {
    if (!picture.Allocated() || picture.BitsPerPixel != 8 || x < 0 || y < 0 || x >= picture.Width ||
        y >= picture.Height)
        return -1;
    return picture.ScanLine(y)[x];
}

std::vector<int> IndicesIn(const TOrvaneBitmap& picture, const QRect& area) {
    std::vector<int> found;
    if (!picture.Allocated() || picture.BitsPerPixel != 8) return found;
    const QRect whole(0, 0, picture.Width, picture.Height);
    const QRect r = area.isNull() ? whole : SpanRect(area.topLeft(), area.bottomRight()).intersected(whole);
    bool seen[256] = {};
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = r.left(); x <= r.right(); ++x)
            if (!seen[row[x]]) {
                seen[row[x]] = true;
                found.push_back(row[x]);
            }
    }
    return found;
}

bool TakeIndices(TChoiceColor& set, const std::vector<int>& indices, const TPalette& palette, bool remove) {
    bool changed = false;
    for (int index : indices) {
        if (!Selectable(index)) continue;
        if (remove) {
            changed |= set.Contains(index);
            set.Remove(index);
        } else {
            changed |= set.Add(index, palette);
        }
    }
    return changed;
}

void ReplaceColorSet(TIniFile& ini, const QString& section, const TChoiceColor& set) {
    ini.EraseSection(section);
    SaveColorSet(ini, section, set);
}

void SaveColorSet(TIniFile& ini, const QString& section, const TChoiceColor& set) {
    if (set.Count() == 0) return;
    ini.EraseSection(section);
    ini.WriteInteger(section, QStringLiteral("Count"), set.Count());
    for (int i = 0; i < set.Count(); ++i) {
        const TColorData& e = set.EntryAt(i);
        ini.WriteInteger(section, Key("Infor", i), e.Flags);
        ini.WriteInteger(section, Key("Page", i), e.Page);
        ini.WriteInteger(section, Key("Number", i), e.Number);
        ini.WriteInteger(section, Key("RGB", i), e.Red() * 65536 + e.Green() * 256 + e.Blue());
        if (e.IsUser()) {
            ini.WriteString(section, Key("FileName", i), QString::fromLocal8Bit(e.FileName));
            ini.WriteString(section, Key("ColorName", i), QString::fromLocal8Bit(e.ColorName));
        }
        ini.WriteInteger(section, Key("Code", i), set.IndexAt(i));
    }
}

void LoadColorSet(const TIniFile& ini, const QString& section, TChoiceColor& set) {
    set.Clear();
    const int count = std::clamp(ini.ReadInteger(section, QStringLiteral("Count"), 0), 0, 256);
    for (int i = 0; i < count; ++i) {
        const int code = ini.ReadInteger(section, Key("Code", i), -1);
        if (code < 0 || code > 255) continue;
        const int rgb = ini.ReadInteger(section, Key("RGB", i), 0);
        const int flags = ini.ReadInteger(section, Key("Infor", i), 0) & 0xFFFF;
        TColorData e;
        const int red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
        const int page = ini.ReadInteger(section, Key("Page", i), 0) & 0xFFFF;
        const int number = ini.ReadInteger(section, Key("Number", i), 0) & 0xFF;
        if (flags & kColorUserFlag)
            e.SetUser(flags & kColorKindMask, page, number, red, green, blue,
                      ini.ReadString(section, Key("FileName", i), QString()).toLocal8Bit(),
                      ini.ReadString(section, Key("ColorName", i), QString()).toLocal8Bit());
        else
            e.SetLibrary(flags & kColorKindMask, page, number, red, green, blue);
        e.Flags = uint16_t(flags);
        set.AddEntry(code, e);
    }
}

bool ProtectColors(TPalette& palette, const TChoiceColor& set) {
    bool any = false;
    for (int i = 0; i < TPalette::kSize; ++i) {
        palette[i].SetProtected(set.Contains(i));
        any |= set.Contains(i);
    }
    return any;
}

TWriteGuard::TWriteGuard(const TPalette* protectedColours, const TOrvaneBitmap* mask)
    : Mask(mask && mask->Allocated() ? mask : nullptr) {
    if (!protectedColours) return;
    for (int i = 0; i < TPalette::kSize; ++i) {
        Protected[size_t(i)] = (*protectedColours)[i].Protected();
        AnyProtected |= Protected[size_t(i)];
    }
}

bool TWriteGuard::Masked(int x, int y) const {
    return Mask && x < Mask->Width && y < Mask->Height && Mask->GetPixel(x, y) != 0;
}

bool TWriteGuard::ProtectedPixel(const TOrvaneBitmap& picture, int x, int y) const {
    return AnyProtected && picture.BitsPerPixel == 8 && Protected[picture.ScanLine(y)[x]];
}

bool TWriteGuard::Allows(const TOrvaneBitmap& picture, int x, int y) const {
    return !Masked(x, y) && !ProtectedPixel(picture, x, y);
}

void TWriteGuard::Fill(TOrvaneBitmap& picture, const QRect& rect, uint32_t value) const {
    if (Open()) {
        picture.FillRect(value, rect);
        return;
    }
    const QRect r = rect.intersected(QRect(0, 0, picture.Width, picture.Height));
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (Allows(picture, x, y)) picture.SetPixel(x, y, value);
}

void TWriteGuard::Restore(TOrvaneBitmap& picture, const TOrvaneBitmap& before, const QRect& rect) const {
    if (Open()) return;
    const QRect r = rect.intersected(QRect(0, 0, picture.Width, picture.Height));
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const int bx = x - rect.left(), by = y - rect.top();
            if (bx >= before.Width || by >= before.Height) continue;
            if (Masked(x, y) || ProtectedPixel(before, bx, by))
                picture.SetPixel(x, y, before.GetPixel(bx, by));
        }
}
