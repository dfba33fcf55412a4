#include "colour/Colorchange.h"

#include "colour/Groupregion.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

uint32_t Refuse(uint32_t code) {
    ReportError(code);
    return code;
}

// Calls f(x, row, allow) for every row of the region.
template <class F> void ForRows(TOrvaneBitmap& picture, const TGroupRegion& region, F&& f) {
    const QRect r = region.Rect;
    for (int y = r.top(); y <= r.bottom(); ++y)
        f(y, picture.ScanLine(y), region.Row(y));
}

using TIndexMap = std::array<uint8_t, 256>;

TIndexMap IdentityMap() {
    TIndexMap map;
    for (int i = 0; i < 256; ++i)
        map[size_t(i)] = uint8_t(i);
    return map;
}

// p[0 .. n) with a made ta and b made tb, by values so nothing aliases the row.
void SelectRun(uint8_t* p, int n, uint8_t a, uint8_t ta, uint8_t b, uint8_t tb) {
    for (int x = 0; x < n; ++x) {
        const uint8_t v = p[x];
        p[x] = v == a ? ta : v == b ? tb : v;
    }
}

// Every region pixel goes through map where it may change (guarded: protection and
// mask too, else only the selection counts). Rows nothing keeps run as a plain table loop.
void MapRegion(TOrvaneBitmap& picture, const TGroupRegion& region, const TIndexMap& map, bool guarded) {
    const int left = region.Rect.left(), right = region.Rect.right();
    // A map that moves two indices at most (swap, single to single) runs as compares
    // the compiler vectorises; any other as a table lookup.
    int moved[2] = {-1, -1}, count = 0;
    for (int i = 0; i < 256; ++i)
        if (map[size_t(i)] != i && count++ < 2) moved[count - 1] = i;
    const uint8_t a = uint8_t(std::max(moved[0], 0)), b = uint8_t(std::max({moved[1], moved[0], 0})),
                  ta = map[a], tb = map[b];
    ForRows(picture, region, [&](int, uint8_t* row, const TGroupRegion::TRow& allow) {
        if (allow.Open() || (!guarded && !allow.Selection)) {
            if (count <= 2) {
                SelectRun(row + left, right - left + 1, a, ta, b, tb);
            } else {
                for (int x = left; x <= right; ++x)
                    row[x] = map[row[x]];
            }
            return;
        }
        for (int x = left; x <= right; ++x)
            if (map[row[x]] != row[x] && (guarded ? allow.Writable(x, row[x]) : allow.Inside(x)))
                row[x] = map[row[x]];
    });
}

TColorData Unprotected(const TColorData& entry) {
    TColorData copy = entry;
    copy.SetProtected(false); // a copy never keeps its pixels from the change writing them
    return copy;
}

double Wrap360(double hue) {
    return hue < 0 ? hue + 360 : hue >= 360 ? hue - 360 : hue;
}

} // namespace

TIndexSet IndexSetOf(const TChoiceColor& set) {
    TIndexSet member{};
    for (int k = 0; k < set.Count(); ++k)
        member[size_t(set.IndexAt(k))] = true;
    return member;
}

uint32_t SwapColours(TDocument& doc, int source, int target) {
    if (doc.BitsPerPixel() != 8) return Refuse(ErrorCode::DepthOfType);
    source = std::clamp(source, 0, 255), target = std::clamp(target, 0, 255);
    if (source == target) return 0;
    const TGroupRegion region(doc);
    if (region.Rect.isEmpty()) return 0;
    TChange change(doc, region.Rect);
    TIndexMap map = IdentityMap();
    std::swap(map[size_t(source)], map[size_t(target)]);
    MapRegion(change.Picture(), region, map, true);
    change.Commit();
    return 0;
}

TPendingChange::TPendingChange() = default;

TPendingChange::~TPendingChange() {
    Cancel();
}

uint32_t TPendingChange::Begin(TDocument& doc, const TIndexSet& sources, int shown) {
    Cancel();
    if (doc.BitsPerPixel() != 8) return Refuse(ErrorCode::DepthOfType);
    const TGroupRegion region(doc);
    if (region.Rect.isEmpty()) return 0;
    Doc = &doc;
    Area = region.Rect;
    Shown = std::clamp(shown, 0, 255);
    Before.clear();
    Entry = doc.Palette()[kPreviewIndex];
    Change = std::make_unique<TChange>(doc, Area);
    if (!Change->Recorded()) { // a preview that could not be put back must not start
        Change.reset();
        return Refuse(ErrorCode::OutOfMemory);
    }
    TIndexMap map = IdentityMap();
    for (int i = 0; i < 256; ++i)
        if (sources[size_t(i)] && i != kPreviewIndex) map[size_t(i)] = kPreviewIndex;
    const int width = Area.width();
    ForRows(Change->Picture(), region, [&](int y, uint8_t* row, const TGroupRegion::TRow& allow) {
        const uint8_t* from = row + Area.left();
        while (const void* hit = std::memchr(from, kPreviewIndex, size_t(row + Area.left() + width - from))) {
            const int x = int(static_cast<const uint8_t*>(hit) - row);
            if (allow.Inside(x)) Before.emplace_back(x, y);
            from = row + x + 1;
        }
    });
    MapRegion(Change->Picture(), region, map, true);
    Preview(Shown);
    return 0;
}

void TPendingChange::Preview(int index) {
    if (!Change) return;
    index = std::clamp(index, 0, 255);
    TPalette palette = Change->Palette();
    palette[kPreviewIndex] = Unprotected(palette[index == kPreviewIndex ? Shown : index]);
    Change->SetPalette(palette);
    Change->Show(Area);
}

uint32_t TPendingChange::Commit(int target) {
    if (!Change) return 0;
    const uint8_t t = uint8_t(std::clamp(target, 0, 255));
    const TGroupRegion region(*Doc);
    TOrvaneBitmap& picture = Change->Picture();
    TIndexMap map = IdentityMap();
    map[kPreviewIndex] = t;
    MapRegion(picture, region, map, false);
    for (const QPoint& p : Before) // what held 254 before keeps it
        picture.ScanLine(p.y())[p.x()] = kPreviewIndex;
    TPalette palette = Change->Palette();
    palette[kPreviewIndex] = Entry; // the preview entry was only borrowed
    Change->SetPalette(palette);
    Change->Touch(Area);
    Change->Commit();
    Change.reset();
    return 0;
}

void TPendingChange::Cancel() {
    if (!Change) return;
    Change.reset(); // without Commit the change is undone
    Before.clear();
}

THLS MeanHls(const std::vector<THLS>& colours) {
    THLS mean;
    if (colours.empty()) return mean;
    double hue = 0, lightness = 0, saturation = 0;
    int hued = 0;
    for (const THLS& c : colours) {
        lightness += c.L;
        if (c.H == kUndefinedHue) continue;
        double h = c.H;
        if (hued > 0) { // next to the running mean, so 350 and 10 meet at 0
            const double m = hue / hued;
            if (m < 180 && h >= m + 180) h -= 360;
            if (m >= 180 && h <= m - 180) h += 360;
        }
        hue += h, saturation += c.S, ++hued;
    }
    const double n = double(colours.size());
    mean.L = lightness / n;
    mean.S = saturation / n; // greys count with saturation 0
    // Greys have no hue: the mean is over the others (a group of greys has none).
    mean.H = hued ? Wrap360(hue / hued) : kUndefinedHue;
    return mean;
}

THLS ShiftHls(const THLS& colour, const THLS& reference, const THLS& target) {
    THLS out = colour;
    out.L = std::clamp(colour.L + target.L - reference.L, 0.0, 1.0);
    if (colour.H == kUndefinedHue) return out;
    const double dh = reference.H == kUndefinedHue ? 0 : target.H - reference.H;
    out.H = Wrap360(colour.H + dh);
    out.S = std::clamp(colour.S + target.S - reference.S, 0.0, 1.0);
    return out;
}

THlsShift::THlsShift() = default;

THlsShift::~THlsShift() {
    Keep();
}

uint32_t THlsShift::Next(TDocument& doc, const TChoiceColor& set) {
    Keep();
    if (doc.BitsPerPixel() != 8) return Refuse(ErrorCode::DepthOfType);
    const int n = set.Count(), used = doc.Palette().UseColor;
    if (n == 0 || n + used + 1 >= 252) return Refuse(ErrorCode::PaletteFull);
    const TGroupRegion region(doc);
    Change = std::make_unique<TChange>(doc, region.Rect);
    if (!Change->Recorded()) { // Back could not put the design back
        Change.reset();
        return Refuse(ErrorCode::OutOfMemory);
    }
    First = used + 1;
    TIndexMap copy = IdentityMap();
    TPalette palette = doc.Palette();
    Members.clear();
    for (int k = 0; k < n; ++k) {
        const int index = set.IndexAt(k);
        copy[size_t(index)] = uint8_t(First + k);
        palette[First + k] = Unprotected(doc.Palette()[index]);
        const TColorData& e = palette[First + k];
        Members.push_back(RGBToHLS(e.Red(), e.Green(), e.Blue()));
    }
    palette.UseColor = uint16_t(used + n);
    MapRegion(Change->Picture(), region, copy, true);
    Change->SetPalette(palette);
    Change->Show(region.Rect);
    ReferenceV = MeanHls(Members);
    return 0;
}

void THlsShift::Apply(const THLS& target) {
    if (!Change) return;
    THLS to = target;
    to.H = std::clamp(to.H, 0.0, 359.0), to.L = std::clamp(to.L, 0.0, 1.0), to.S = std::clamp(to.S, 0.0, 1.0);
    TPalette palette = Change->Palette();
    for (size_t k = 0; k < Members.size(); ++k) {
        int r = 0, g = 0, b = 0;
        HLSToRGB(ShiftHls(Members[k], ReferenceV, to), r, g, b);
        palette[First + int(k)].SetRGB(r, g, b);
    }
    Change->SetPalette(palette);
    Change->Show(QRect(0, 0, Change->Picture().Width, Change->Picture().Height));
}

void THlsShift::Keep() {
    if (!Change) return;
    Change->Commit();
    Change.reset();
}

void THlsShift::Back() {
    Change.reset();
}

uint32_t ShiftRgb(TDocument& doc, uint32_t source, uint32_t target) {
    if (doc.BitsPerPixel() != 24) return Refuse(ErrorCode::DepthOfType);
    const int d[3] = {int((target >> 16) & 0xFF) - int((source >> 16) & 0xFF),
                      int((target >> 8) & 0xFF) - int((source >> 8) & 0xFF),
                      int(target & 0xFF) - int(source & 0xFF)}; // blue, green, red as stored
    const TGroupRegion region(doc);
    if (region.Rect.isEmpty() || (d[0] == 0 && d[1] == 0 && d[2] == 0)) return 0;
    std::array<std::array<uint8_t, 256>, 3> table;
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v)
            table[size_t(c)][size_t(v)] = uint8_t(std::clamp(v + d[c], 0, 255));
    TChange change(doc, region.Rect);
    ForRows(change.Picture(), region, [&](int, uint8_t* row, const TGroupRegion::TRow& allow) {
        for (int x = region.Rect.left(); x <= region.Rect.right(); ++x) {
            if (!allow.Inside(x) || (allow.Mask && allow.Mask[x])) continue;
            uint8_t* p = row + 3 * x;
            p[0] = table[0][p[0]], p[1] = table[1][p[1]], p[2] = table[2][p[2]];
        }
    });
    change.Commit();
    return 0;
}
