#include "shell/Scanning.h"

#include "colour/Mediancut.h"
#include "platform/Bitmaphandle.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

uint32_t Reported(uint32_t code) {
    ReportError(code);
    return code;
}

void CopyFullColour(TChange& change, const QImage& rgb, const QRect& rect) {
    TOrvaneBitmap& out = change.Picture();
    const TWriteGuard& guard = change.Guard();
    for (int y = 0; y < rect.height(); ++y) {
        const uint8_t* s = rgb.constScanLine(y);
        uint8_t* d = out.ScanLine(y);
        for (int x = 0; x < rect.width(); ++x) {
            if (!guard.Open() && !guard.Allows(out, x, y)) continue;
            d[3 * x] = s[3 * x + 2], d[3 * x + 1] = s[3 * x + 1], d[3 * x + 2] = s[3 * x];
        }
    }
}

// The drawing entries that pixels the scan leaves still use.
std::array<bool, 256> KeptEntries(const TDocument& doc, const QRect& rect) {
    std::array<bool, 256> kept{};
    const TOrvaneBitmap& picture = doc.Picture();
    const TWriteGuard guard = doc.Guard();
    for (int y = 0; y < picture.Height; ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width; ++x)
            if (!rect.contains(x, y) || (!guard.Open() && !guard.Allows(picture, x, y))) kept[row[x]] = true;
    }
    return kept;
}

uint32_t CopyReduced(TDocument& doc, const QImage& rgb, const QRect& rect) {
    const std::array<bool, 256> kept = KeptEntries(doc, rect);
    std::vector<int> free;
    int last = TPalette::kFirstDrawing - 1;
    for (int i = TPalette::kFirstDrawing; i <= TPalette::kLastDrawing; ++i) {
        if (kept[size_t(i)])
            last = i;
        else
            free.push_back(i);
    }
    if (free.empty()) return Reported(ErrorCode::PaletteFull);
    TMedianCut cut;
    for (int y = 0; y < rect.height(); ++y) {
        const uint8_t* s = rgb.constScanLine(y);
        for (int x = 0; x < rect.width(); ++x, s += 3)
            cut.Count(TMedianCut::CellOf(s[0], s[1], s[2]), 1);
    }
    const int boxes = cut.Cut(int(free.size()));
    // Each entry takes the exact mean of its pixels rather than the 6-bit cell mean,
    // so a white or saturated scan keeps its full colour.
    std::vector<std::array<uint64_t, 4>> sums(size_t(boxes), {0, 0, 0, 0});
    std::vector<uint8_t> index(size_t(rect.width()) * size_t(rect.height()));
    for (int y = 0; y < rect.height(); ++y) {
        const uint8_t* s = rgb.constScanLine(y);
        for (int x = 0; x < rect.width(); ++x, s += 3) {
            const int box = cut.Lookup(TMedianCut::CellOf(s[0], s[1], s[2]));
            std::array<uint64_t, 4>& sum = sums[size_t(box)];
            sum[0] += s[0], sum[1] += s[1], sum[2] += s[2], ++sum[3];
            index[size_t(y) * size_t(rect.width()) + size_t(x)] = uint8_t(free[size_t(box)]);
        }
    }
    TPalette palette = doc.Palette();
    for (int k = 0; k < boxes; ++k) {
        const std::array<uint64_t, 4>& sum = sums[size_t(k)];
        const uint64_t n = std::max<uint64_t>(sum[3], 1);
        palette[free[size_t(k)]] = TColorData();
        palette[free[size_t(k)]].SetRGB(int(sum[0] / n), int(sum[1] / n), int(sum[2] / n));
        last = std::max(last, free[size_t(k)]);
    }
    palette.UseColor = uint16_t(last);
    TChange change(doc, rect);
    TOrvaneBitmap& out = change.Picture();
    const TWriteGuard& guard = change.Guard();
    for (int y = 0; y < rect.height(); ++y) {
        uint8_t* d = out.ScanLine(y);
        const uint8_t* s = index.data() + size_t(y) * size_t(rect.width());
        for (int x = 0; x < rect.width(); ++x)
            if (guard.Open() || guard.Allows(out, x, y)) d[x] = s[x];
    }
    change.SetPalette(palette);
    change.Commit();
    return 0;
}

} // namespace

uint32_t ScanIntoDesign(TDocument& doc, const QImage& scan, QRect* written) {
    if (scan.isNull() || scan.width() <= 0 || scan.height() <= 0) return Reported(ErrorCode::ScanEmpty);
    if (scan.width() > kMaxBitmapSide || scan.height() > kMaxBitmapSide)
        return Reported(ErrorCode::ScanTooLarge);
    const QRect rect = scan.rect().intersected(doc.Bounds());
    if (rect.isEmpty()) return Reported(ErrorCode::ScanEmpty);
    const QImage rgb = scan.copy(rect).convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull()) return Reported(ErrorCode::OutOfMemory);
    if (doc.BitsPerPixel() == 8) {
        if (const uint32_t code = CopyReduced(doc, rgb, rect)) return code;
    } else {
        TChange change(doc, rect);
        CopyFullColour(change, rgb, rect);
        change.Commit();
    }
    doc.SetSelection(QRegion(rect));
    if (written) *written = rect;
    return 0;
}

uint32_t ScanDocument(TDocument& doc, TScanSession& session, const TScanProgress& progress, bool* cancelled,
                      QRect* written) {
    const TScanResult scan = session.Acquire(progress);
    if (cancelled) *cancelled = scan.Cancelled;
    if (scan.Cancelled) return 0;
    if (scan.Code) return Reported(scan.Code);
    return ScanIntoDesign(doc, scan.Image, written);
}
