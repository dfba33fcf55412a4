#include "textile/Jacquard.h"

#include "colour/Colorset.h"
#include "colour/Palette.h"
#include "colour/Phls.h"
#include "raster/Floodfill.h"
#include "raster/Workarea.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

// The lightness range of entries 2 .. used.
std::pair<double, double> LightnessRange(const TPalette& palette, int used) {
    double low = 1, high = 0;
    for (int i = TPalette::kFirstDrawing; i <= used; ++i) {
        const TColorData& c = palette[i];
        const double l = RGBToHLS(c.Red(), c.Green(), c.Blue()).L;
        low = std::min(low, l), high = std::max(high, l);
    }
    return {low, high};
}

// The effect colour of entry index (see MakeEffectColours) as RGB.
void EffectOf(const TPalette& palette, int index, std::pair<double, double> range, int& r, int& g, int& b) {
    const TColorData& c = palette[index];
    THLS hls = RGBToHLS(c.Red(), c.Green(), c.Blue());
    const double middle = (range.first + range.second) / 2;
    const double step = std::max((range.second - range.first) / 4, 0.1);
    hls.L = std::clamp(hls.L > middle ? hls.L - step : hls.L + step, 0.0, 1.0);
    HLSToRGB(hls, r, g, b);
}

// Pixels of row equal to t where raised is 0xFF become to, eight at a time:
// a byte of v ^ t is zero exactly where the pixel is t. True when any did.
bool PaintRow(uint8_t* row, const uint8_t* raised, int width, uint8_t t, uint8_t to) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL, kOnes = 0x0101010101010101ULL;
    const uint64_t tt = t * kOnes, tos = to * kOnes;
    uint64_t hits = 0;
    int i = 0;
    for (; i + 8 <= width; i += 8) {
        uint64_t v, r;
        std::memcpy(&v, row + i, 8);
        std::memcpy(&r, raised + i, 8);
        const uint64_t x = v ^ tt;
        const uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7); // 0x80 in each zero byte
        const uint64_t m = ((zero >> 7) * 0xFF) & r;
        v = (v & ~m) | (tos & m);
        std::memcpy(row + i, &v, 8);
        hits |= m;
    }
    for (; i < width; ++i) {
        const uint8_t m = raised[i] & uint8_t(-(row[i] == t));
        row[i] = uint8_t((row[i] & ~m) | (to & m));
        hits |= m;
    }
    return hits != 0;
}

bool EffectFits(int used) {
    return used >= TPalette::kFirstDrawing && 2 * used < TPalette::kLastDrawing + 1;
}

} // namespace

QString JacquardLabel(const TJacquardEntry& e) {
    if (e.Part == JacquardFoundation)
        return QStringLiteral("F: <<%1>>   %2  x  %3")
            .arg(e.Key.toInt())
            .arg(e.Weave.Width)
            .arg(e.Weave.Height);
    return QStringLiteral("%1: <<%2>>   %3")
        .arg(e.Part == JacquardDerivation ? 'D' : 'S')
        .arg(e.Group)
        .arg(e.DisplayName);
}

bool ValidJacquardWeave(const TTexBitData& w) {
    return w.Width > 0 && w.Height > 0 && w.Width <= kMaxWeaveSide && w.Height <= kMaxWeaveSide &&
           w.Bits.size() == size_t(w.Width) * size_t(w.Height);
}

bool PaintJacquard(TOrvaneBitmap& picture, const TWriteGuard& guard, const QRect& rect,
                   const TJacquardPaint& paint, int target, const TPBitmap* fill, const TOrvaneBitmap* region,
                   const QRect& regionBox) {
    const TTexBitData& w = *paint.Weave;
    const int z = std::clamp(paint.Zoom, 1, kJacquardMaxZoom);
    const bool flipX = paint.Rot == 1 || paint.Rot == 2, flipY = paint.Rot == 2 || paint.Rot == 3;
    const int left = rect.left(), width = rect.width(), top = rect.top(), bottom = rect.bottom() + 1;
    // The weave column of each of the rectangle's columns, mirroring and the cut tile included.
    std::vector<int> column(size_t(std::max(width, 0)));
    const int tileW = w.Width * z, tileH = w.Height * z;
    for (int i = 0; i < width; ++i)
        column[size_t(i)] = ((flipX ? width - 1 - i : i) % tileW) / z;
    const bool open = guard.Open() && !region;
    // The raised cells of the current weave row across the rectangle (0xFF or 0),
    // remade when the weave row changes, so the common pass is branch-free.
    std::vector<uint8_t> raised(column.size());
    const uint8_t* lastCells = nullptr;
    bool any = false;
    for (int y = top; y < bottom; ++y) {
        const int k = flipY ? y - top : bottom - 1 - y; // rows counted up from the bottom
        const uint8_t* cells = w.Bits.data() + size_t((k % tileH) / z) * size_t(w.Width);
        if (cells != lastCells) {
            for (size_t i = 0; i < raised.size(); ++i)
                raised[i] = cells[column[i]] ? 0xFF : 0;
            lastCells = cells;
        }
        uint8_t* row = picture.ScanLine(y) + left;
        if (open && target >= 0) {
            const auto t = uint8_t(target), to = paint.Raised[t];
            any |= PaintRow(row, raised.data(), width, t, to) && to != t;
            continue;
        }
        const uint8_t* inRegion =
            region ? region->ScanLine(y - regionBox.top()) + (left - regionBox.left()) : nullptr;
        for (int i = 0; i < width; ++i) {
            if (!raised[size_t(i)]) continue;
            const uint8_t v = row[i];
            if (target >= 0 ? v != target : !fill->TestBit(left + i, y)) continue;
            if (!open && ((inRegion && !inRegion[i]) || !guard.Allows(picture, left + i, y))) continue;
            const uint8_t to = paint.Raised[v];
            any |= to != v;
            row[i] = to;
        }
    }
    return any;
}

bool MakeEffectColours(TPalette& palette) {
    const int used = palette.UseColor;
    if (!EffectFits(used)) return false;
    const auto range = LightnessRange(palette, used);
    for (int i = TPalette::kFirstDrawing; i <= used; ++i) {
        int r = 0, g = 0, b = 0;
        EffectOf(palette, i, range, r, g, b);
        palette[i + used - 1].SetRGB(r, g, b);
    }
    palette.UseColor = uint16_t(2 * used - 1);
    return true;
}

bool HasEffectColours(const TPalette& palette) {
    const int used = palette.UseColor;
    if (used < 3 || used % 2 == 0) return false;
    const int base = (used + 1) / 2;
    const auto range = LightnessRange(palette, base);
    for (int i = TPalette::kFirstDrawing; i <= base; ++i) {
        int r = 0, g = 0, b = 0;
        EffectOf(palette, i, range, r, g, b);
        const TColorData& c = palette[i + base - 1];
        if (c.Red() != r || c.Green() != g || c.Blue() != b) return false;
    }
    return true;
}

uint32_t ApplyJacquard(TDocument& document, QPoint at, const TJacquardEntry& entry,
                       const TJacquardApply& apply) {
    if (document.BitsPerPixel() != 8) return ErrorCode::JacquardNeeds256;
    if (!ValidJacquardWeave(entry.Weave)) return ErrorCode::BadFile;
    if (!document.Picture().Allocated() || !document.Bounds().contains(at)) return 0;
    const TWorkArea& area = document.WorkArea();
    const QRect selection = area.On() ? area.Bounds() & document.Bounds() : document.Bounds();
    const uint8_t clicked = document.Picture().ScanLine(at.y())[at.x()];

    TJacquardPaint paint{&entry.Weave, entry.Zoom, entry.Rot, {}};
    const bool effect = apply.Mode == JacquardEffect;
    TPalette palette = document.Palette();
    int base = palette.UseColor; // the design's colours before any effect colours
    bool paletteChanged = false;
    if (effect) {
        const bool built = HasEffectColours(palette);
        if (built) {
            base = (palette.UseColor + 1) / 2;
        } else if (!MakeEffectColours(palette)) {
            return ErrorCode::PaletteFull;
        } else {
            paletteChanged = true;
        }
        // A click on a woven pixel finds its weave already there.
        if (built && clicked > base && clicked < 2 * base) return 0;
        if (clicked < TPalette::kFirstDrawing || clicked > base) return ErrorCode::NoColour;
        for (int i = 0; i < 256; ++i)
            paint.Raised[size_t(i)] = uint8_t(i >= TPalette::kFirstDrawing && i <= base ? i + base - 1 : i);
    } else {
        const int effectColour = std::clamp(apply.EffectColour, 0, TPalette::kLastDrawing);
        paint.Raised.fill(uint8_t(effectColour));
        paletteChanged = effectColour > palette.UseColor;
        palette.UseColor = uint16_t(std::max<int>(palette.UseColor, effectColour));
    }

    TChange change(document, selection);
    TPBitmap fill;
    QRect rect = selection;
    if (apply.Mode == JacquardSelectColor) {
        if (!selection.contains(at)) return 0; // a click outside the selection marks nothing
        if (!FloodFillMask(
                change.Picture(), &rect, &fill, at,
                [clicked](const uint8_t* row, int x) { return row[x] == clicked; }, TNoSet{}, &selection) ||
            !fill.Lock())
            return ErrorCode::OutOfMemory;
    }
    const bool any = PaintJacquard(change.Picture(), change.Guard(), rect, paint,
                                   apply.Mode == JacquardSelectColor ? -1 : clicked, &fill,
                                   area.On() ? area.Mask() : nullptr, area.Bounds());
    if (fill.Bits) fill.Unlock();
    if (!any) return 0; // dropped: nothing to undo
    if (paletteChanged) change.SetPalette(palette);
    change.Touch(rect);
    change.Commit();
    return 0;
}
