#include "tools/Fillpaint.h"

#include "colour/Colorset.h"
#include "colour/Phls.h"
#include "raster/Floodfill.h"
#include "shell/Capture.h"
#include "shell/Exception.h"
#include "tools/Floating.h"
#include "tools/Pennearest.h"
#include "tools/Penpaint.h"
#include "tools/Toolprogress.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

bool Bit(const uint8_t* bits, int x) {
    return bits[x >> 3] & (0x80 >> (x & 7));
}

// Calls run(y, x0, x1) for every run of set bits (x1 inclusive) of the area, row by
// row, whole bytes of clear or set bits stepped over at once, and rowDone(rows) after each row.
template <class TRun, class TRowDone> void ForRuns(const TSpreadArea& area, TRun&& run, TRowDone&& rowDone) {
    const QRect& r = area.Rect;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uint8_t* bits = area.Mask.Bits + size_t(y) * size_t(area.Mask.Stride);
        for (int x = r.left(); x <= r.right();) {
            if (!Bit(bits, x)) {
                x += !(x & 7) && bits[x >> 3] == 0 ? 8 : 1;
                continue;
            }
            int end = x;
            while (end < r.right() && Bit(bits, end + 1))
                end += !((end + 1) & 7) && bits[(end + 1) >> 3] == 0xFF && end + 8 <= r.right() ? 8 : 1;
            run(y, x, end);
            x = end + 1;
        }
        rowDone(y - r.top() + 1);
    }
}

// A 24-bit pixel as a colour value (red in the low byte) and back.
uint32_t Get24(const uint8_t* p) {
    return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
}
void Put24(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 16), p[1] = uint8_t(v >> 8), p[2] = uint8_t(v);
}

// Writes runs of pixels through the guard and keeps the rectangle written.
class TFillWriter {
  public:
    TFillWriter(TOrvaneBitmap& picture, const TWriteGuard& guard)
        : Picture(picture), Guard(guard), Open(guard.Open()), Bytes(picture.BitsPerPixel / 8) {}

    // Pixels x0 .. x1 of row y take value(x, old, out) -> whether to write out.
    template <class TValue> void Run(int y, int x0, int x1, TValue&& value) {
        uint8_t* row = Picture.ScanLine(y);
        for (int x = x0; x <= x1; ++x) {
            uint8_t* p = row + x * Bytes;
            uint32_t out;
            if (!value(x, Bytes == 1 ? uint32_t(*p) : Get24(p), out)) continue;
            if (!Open && !Guard.Allows(Picture, x, y)) continue;
            if (Bytes == 1)
                *p = uint8_t(out);
            else
                Put24(p, out);
            Mark(x, y);
        }
    }
    // Pixels x0 .. x1 of row y take value.
    void Span(int y, int x0, int x1, uint32_t value) {
        if (Open && Bytes == 1) {
            std::memset(Picture.ScanLine(y) + x0, int(value & 0xFF), size_t(x1 - x0 + 1));
            Mark(x0, y), Mark(x1, y);
            return;
        }
        Run(y, x0, x1, [value](int, uint32_t, uint32_t& out) {
            out = value;
            return true;
        });
    }
    // Pixels x .. x + n - 1 of row y take src's pixels (the picture's depth) where mask is set.
    void Copy(int y, int x, const uint8_t* src, const uint8_t* mask, int n) {
        if (!Open) {
            Run(y, x, x + n - 1, [&](int at, uint32_t, uint32_t& v) {
                const int i = at - x;
                v = Bytes == 1 ? uint32_t(src[i]) : Get24(src + 3 * i);
                return mask[i] != 0;
            });
            return;
        }
        uint8_t* row = Picture.ScanLine(y) + x * Bytes;
        int first = -1, last = -1;
        for (int i = 0; i < n; ++i) {
            if (!mask[i]) continue;
            if (Bytes == 1)
                row[i] = src[i];
            else
                std::memcpy(row + 3 * i, src + 3 * i, 3);
            last = i;
            if (first < 0) first = i;
        }
        if (first >= 0) Mark(x + first, y), Mark(x + last, y);
    }
    QRect Written() const { return X0 > X1 ? QRect() : QRect(QPoint(X0, Y0), QPoint(X1, Y1)); }

  private:
    void Mark(int x, int y) {
        X0 = std::min(X0, x), X1 = std::max(X1, x), Y0 = std::min(Y0, y), Y1 = std::max(Y1, y);
    }
    TOrvaneBitmap& Picture;
    const TWriteGuard& Guard;
    const bool Open;
    const int Bytes;
    int X0 = INT_MAX, X1 = INT_MIN, Y0 = INT_MAX, Y1 = INT_MIN;
};

// The pattern's pixels over run x0 .. x1 of row y.
void PatternRun(TFillWriter& out, const TFillContent& c, int y, int x0, int x1) {
    const TFloating& pattern = *c.Pattern;
    const int bytes = pattern.Image.BitsPerPixel / 8;
    int x = x0;
    c.Tiles.Pieces(y - c.Origin.y(), x0 - c.Origin.x(), x1 - c.Origin.x(), [&](int py, int px0, int px1) {
        out.Copy(y, x, pattern.Image.ScanLine(py) + px0 * bytes, pattern.Mask.ScanLine(py) + px0,
                 px1 - px0 + 1);
        x += px1 - px0 + 1;
    });
}

} // namespace

bool SprayArea(const TSpreadArea& area, int density, int nozzle, uint64_t seed, TSpreadArea& out) {
    out.Rect = QRect();
    if (!PrepareFillMask(out.Mask, area.Mask.Width, area.Mask.Height)) return false;
    const uint32_t below = uint32_t(std::clamp(density, 1, 5));
    TDitherRandom random(seed);
    QRect spread;
    ForRuns(
        area,
        [&](int y, int x0, int x1) {
            for (int x = x0; x <= x1; ++x) {
                if (random.Below(20) >= below) continue;
                const QRect block = NozzleBlock(x, y, nozzle) & area.Rect;
                for (int by = block.top(); by <= block.bottom(); ++by) {
                    const uint8_t* in = area.Mask.Bits + size_t(by) * size_t(area.Mask.Stride);
                    for (int bx = block.left(); bx <= block.right(); ++bx)
                        if (Bit(in, bx)) {
                            out.Mask.SetBit(bx, by);
                            spread |= QRect(bx, by, 1, 1);
                        }
                }
            }
        },
        [](int) {});
    out.Rect = spread;
    return true;
}

QRect PaintFill(TOrvaneBitmap& picture, const TWriteGuard& guard, const TSpreadArea& area,
                const TFillContent& c, const std::function<void(int)>& progress) {
    const bool pattern = c.To == FillToNormalPattern || c.To == FillToRotatePattern;
    if (area.Rect.isEmpty() || c.To < FillToSingle || c.To > FillToMulti) return QRect();
    if (pattern && (!c.Pattern || c.Pattern->Empty() ||
                    c.Pattern->Image.BitsPerPixel != picture.BitsPerPixel || !c.Tiles.On()))
        return QRect();
    TToolProgress steps(progress, area.Rect.height());
    TFillWriter out(picture, guard);
    auto rowDone = [&](int rows) { steps.Step(rows); };
    if (c.To == FillToSingle) {
        ForRuns(
            area, [&](int y, int x0, int x1) { out.Span(y, x0, x1, c.Value); }, rowDone);
    } else if (pattern) {
        ForRuns(
            area, [&](int y, int x0, int x1) { PatternRun(out, c, y, x0, x1); }, rowDone);
    } else if (picture.BitsPerPixel == 8) {
        auto map = [&](int, uint32_t old, uint32_t& v) {
            v = c.Map[old & 0xFF];
            return v != old;
        };
        ForRuns(
            area, [&](int y, int x0, int x1) { out.Run(y, x0, x1, map); }, rowDone);
    } else {
        auto map = [&](int, uint32_t old, uint32_t& v) {
            const auto it = std::lower_bound(c.FullMap.begin(), c.FullMap.end(), std::pair(old, 0u));
            if (it == c.FullMap.end() || it->first != old) return false;
            v = it->second;
            return true;
        };
        ForRuns(
            area, [&](int y, int x0, int x1) { out.Run(y, x0, x1, map); }, rowDone);
    }
    return out.Written();
}

uint32_t MakeFillPattern(const TCapturedImage& capture, int bitsPerPixel, const TPalette& palette,
                         TFloating& out) {
    out.Release();
    const TOrvaneBitmap& image = capture.Image;
    if (!image.Allocated() || image.Width <= 0 || image.Height <= 0 || image.BitsPerPixel != 24 ||
        capture.Mask.width() != image.Width || capture.Mask.height() != image.Height)
        return ErrorCode::BadPattern;
    if (!out.Allocate(image.Width, image.Height, bitsPerPixel)) return ErrorCode::OutOfMemory;
    TNearestIndex nearest(palette, 1, palette.UseColor);
    bool any = false;
    for (int y = 0; y < image.Height; ++y) {
        const uint8_t* src = image.ScanLine(y);
        const uint8_t* in = capture.Mask.constScanLine(y);
        uint8_t* dst = out.Image.ScanLine(y);
        uint8_t* mask = out.Mask.ScanLine(y);
        for (int x = 0; x < image.Width; ++x) {
            if (!in[x]) continue;
            any = true;
            mask[x] = 255;
            if (bitsPerPixel == 8)
                dst[x] = uint8_t(nearest(Get24(src + 3 * x)));
            else
                std::memcpy(dst + 3 * x, src + 3 * x, 3);
        }
    }
    if (any) return 0;
    out.Release();
    return ErrorCode::BadPattern;
}

TColorRef TintColour(TColorRef source, TColorRef key, TColorRef to) {
    const THLS s = RGBToHLS(RedOf(source), GreenOf(source), BlueOf(source));
    const THLS k = RGBToHLS(RedOf(key), GreenOf(key), BlueOf(key));
    THLS t = RGBToHLS(RedOf(to), GreenOf(to), BlueOf(to));
    t.L = std::clamp(t.L + s.L - k.L, 0.0, 1.0);
    int r, g, b;
    HLSToRGB(t, r, g, b);
    return MakeColorRef(r, g, b);
}
