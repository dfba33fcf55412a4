#include "colour/Grouping.h"
#include "colour/Majority.h"

#include "colour/Groupregion.h"
#include "colour/Mediancut.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "tools/Toolprogress.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

uint32_t Reported(uint32_t code) {
    ReportError(code);
    return code;
}

using TIndexMap = std::array<uint8_t, 256>;

TIndexMap Identity() {
    TIndexMap map{};
    for (int i = 0; i < 256; ++i)
        map[size_t(i)] = uint8_t(i);
    return map;
}

int CellOf(const TColorData& c) {
    return TMedianCut::CellOf(c.Red(), c.Green(), c.Blue());
}

// Renumbers the drawing indices in use by pixel count (see GroupRearrange).
void Rearrange(TOrvaneBitmap& picture, TPalette& palette) {
    if (palette.UseColor < 3) return;
    std::array<uint64_t, 256> counts{};
    for (int y = 0; y < picture.Height; ++y) {
        const uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width; ++x)
            ++counts[row[x]];
    }
    std::vector<int> listed;
    for (int i = TPalette::kFirstDrawing; i <= TPalette::kLastDrawing; ++i)
        if (counts[size_t(i)]) listed.push_back(i);
    std::stable_sort(listed.begin(), listed.end(),
                     [&](int a, int b) { return counts[size_t(a)] > counts[size_t(b)]; });
    TIndexMap map = Identity();
    const TPalette before = palette;
    for (size_t k = 0; k < listed.size(); ++k) {
        map[size_t(listed[k])] = uint8_t(k + 2);
        palette[int(k) + 2] = before[listed[k]];
    }
    for (int y = 0; y < picture.Height; ++y) {
        uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width; ++x)
            row[x] = map[row[x]];
    }
    palette.UseColor = uint16_t(listed.size() + 1);
}

// Maps the region's writable pixels through map.
void MapRegion(TOrvaneBitmap& picture, const TGroupRegion& region, const TIndexMap& map) {
    for (int y = region.Rect.top(); y <= region.Rect.bottom(); ++y) {
        const TGroupRegion::TRow allow = region.Row(y);
        uint8_t* row = picture.ScanLine(y);
        for (int x = region.Rect.left(); x <= region.Rect.right(); ++x)
            if (allow.Writable(x, row[x])) row[x] = map[row[x]];
    }
}

// The pixels Reduce changes, counted by index, and the indices of those it keeps.
struct TReduceScan {
    std::array<uint64_t, 256> Changed{};
    std::array<bool, 256> Kept{};
};

TReduceScan ScanReduce(const TOrvaneBitmap& picture, const TGroupRegion& region) {
    TReduceScan scan;
    for (int y = 0; y < picture.Height; ++y) {
        const uint8_t* row = picture.ScanLine(y);
        const bool inRows = y >= region.Rect.top() && y <= region.Rect.bottom();
        const TGroupRegion::TRow allow = inRows ? region.Row(y) : TGroupRegion::TRow{};
        const int left = inRows ? region.Rect.left() : picture.Width,
                  right = inRows ? region.Rect.right() : -1;
        for (int x = 0; x < std::min(left, picture.Width); ++x)
            scan.Kept[row[x]] = true;
        for (int x = right + 1; x < picture.Width; ++x)
            scan.Kept[row[x]] = true;
        if (allow.Open()) { // the common case: every pixel of the row's span changes
            for (int x = left; x <= right; ++x)
                ++scan.Changed[row[x]];
            continue;
        }
        for (int x = left; x <= right; ++x) {
            if (allow.Writable(x, row[x]))
                ++scan.Changed[row[x]];
            else
                scan.Kept[row[x]] = true;
        }
    }
    return scan;
}

} // namespace

int FilterShapes(int size) {
    return size <= 3 ? 3 : size <= 5 ? 1 : 0;
}

int FilterCells(int size, int shape) {
    static const int kThree[] = {0070, 0124, 0222, 0421};
    static const int kFive[] = {0272, 0525};
    shape = std::clamp(shape, 0, FilterShapes(size));
    if (size <= 3) return kThree[shape];
    if (size <= 5) return kFive[shape];
    return 0777;
}

uint32_t GroupReduce(TDocument& doc, int n, const TProgressSink& progress, const TProgressFn& stoppable) {
    if (doc.BitsPerPixel() != 8) return Reported(ErrorCode::DepthOfType);
    const TGroupRegion region(doc);
    const TOrvaneBitmap& picture = doc.Picture();
    const TReduceScan scan = ScanReduce(picture, region);
    const TPalette& old = doc.Palette();
    TMedianCut cut;
    for (int i = 0; i < 256; ++i)
        if (scan.Changed[size_t(i)]) cut.Count(CellOf(old[i]), uint32_t(scan.Changed[size_t(i)]));
    const int boxes = cut.Cut(n);
    if (boxes == 0) return 0; // no pixel may change
    TPalette palette = old;
    for (int k = 0; k < boxes; ++k) {
        const TCell6& c = cut.Colours()[size_t(k)];
        palette[k + 2] = TColorData();
        palette[k + 2].SetRGB(c.Red * 4, c.Green * 4, c.Blue * 4);
    }
    TIndexMap map = Identity(), moved = Identity();
    for (int i = 0; i < 256; ++i)
        if (scan.Changed[size_t(i)]) map[size_t(i)] = uint8_t(2 + cut.Lookup(CellOf(old[i])));
    // Kept pixels whose entry a new colour takes move to free entries after the new ones.
    int last = boxes + 1, next = boxes + 2;
    bool anyMoved = false;
    for (int i = 2; i <= TPalette::kLastDrawing; ++i) {
        if (!scan.Kept[size_t(i)]) continue;
        if (i > boxes + 1) {
            last = std::max(last, i);
            continue;
        }
        if (palette[i] == old[i]) continue;
        while (next <= TPalette::kLastDrawing && scan.Kept[size_t(next)])
            ++next;
        if (next > TPalette::kLastDrawing) return Reported(ErrorCode::PaletteFull);
        palette[next] = old[i];
        moved[size_t(i)] = uint8_t(next);
        last = std::max(last, next++);
        anyMoved = true;
    }
    palette.UseColor = uint16_t(last);
    TChange change(doc, anyMoved ? doc.Bounds() : region.Rect);
    TOrvaneBitmap& out = change.Picture();
    TToolProgress bar(progress, out.Height);
    for (int y = 0; y < out.Height; ++y) {
        // A stop drops the change: the rows written so far are put back.
        if (y % 256 == 0 && !ReportProgress(stoppable, y, out.Height)) return ErrorCode::Cancelled;
        uint8_t* row = out.ScanLine(y);
        const bool inRows = y >= region.Rect.top() && y <= region.Rect.bottom();
        if (!inRows && !anyMoved) continue;
        const TGroupRegion::TRow allow = inRows ? region.Row(y) : TGroupRegion::TRow{};
        const int left = inRows ? region.Rect.left() : out.Width, right = inRows ? region.Rect.right() : -1;
        if (anyMoved) {
            for (int x = 0; x < std::min(left, out.Width); ++x)
                row[x] = moved[row[x]];
            for (int x = right + 1; x < out.Width; ++x)
                row[x] = moved[row[x]];
        }
        if (allow.Open()) {
            for (int x = left; x <= right; ++x)
                row[x] = map[row[x]];
        } else {
            for (int x = left; x <= right; ++x)
                row[x] = allow.Writable(x, row[x]) ? map[row[x]] : moved[row[x]];
        }
        bar.Step(y + 1);
    }
    if (!ReportProgress(stoppable, out.Height, out.Height)) return ErrorCode::Cancelled;
    change.SetPalette(palette);
    change.Commit();
    return 0;
}

uint32_t GroupFilter(TDocument& doc, int size, int shape, const TChoiceColor& protect,
                     const TProgressSink& progress) {
    if (doc.BitsPerPixel() != 8) return Reported(ErrorCode::DepthOfType);
    const TGroupRegion region(doc);
    const QRect inner = region.Rect.adjusted(1, 1, -1, -1);
    if (inner.isEmpty()) return 0;
    std::array<bool, 256> kept{};
    for (int i = 0; i < 256; ++i)
        kept[size_t(i)] = protect.Contains(i);
    const bool anyKept = protect.Count() > 0;
    const int cells = FilterCells(size, shape);
    std::vector<int> dx, dy; // the counted cells, top-left first
    for (int c = 0; c < 9; ++c)
        if (cells & (0400 >> c)) dx.push_back(c % 3 - 1), dy.push_back(c / 3 - 1);
    TChange change(doc, inner);
    TOrvaneBitmap& picture = change.Picture();
    // The neighbourhood is read from the rows as they were before the pass.
    const int left = region.Rect.left(), width = region.Rect.width();
    std::array<std::vector<uint8_t>, 3> rows;
    const auto copy = [&](std::vector<uint8_t>& to, int y) {
        const uint8_t* from = picture.ScanLine(y) + left;
        to.assign(from, from + width);
    };
    copy(rows[0], inner.top() - 1);
    copy(rows[1], inner.top());
    TToolProgress bar(progress, inner.height());
    const int n = int(dx.size()), first = inner.left() - left, count = inner.width();
    std::vector<uint8_t> winner(static_cast<size_t>(count)), changes(static_cast<size_t>(count));
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        copy(rows[2], y + 1);
        const uint8_t* at[9];
        for (int c = 0; c < n; ++c)
            at[c] = rows[size_t(dy[size_t(c)] + 1)].data() + first + dx[size_t(c)];
        const uint8_t* here = rows[1].data() + first;
        MajorityRow(at, n, here, count, winner.data(), changes.data());
        const TGroupRegion::TRow allow = region.Row(y);
        uint8_t* out = picture.ScanLine(y) + inner.left();
        if (allow.Open() && !anyKept) {
            TakeWinners(out, winner.data(), changes.data(), count);
        } else {
            for (int x = 0; x < count; ++x)
                if (changes[size_t(x)] && !kept[here[x]] && !kept[winner[size_t(x)]] &&
                    allow.Writable(inner.left() + x, here[x]))
                    out[x] = winner[size_t(x)];
        }
        std::swap(rows[0], rows[1]);
        std::swap(rows[1], rows[2]);
        bar.Step(y - inner.top() + 1);
    }
    change.Commit();
    return 0;
}

uint32_t GroupUserChoose(TDocument& doc, const TChoiceColor& set) {
    if (doc.BitsPerPixel() != 8) return Reported(ErrorCode::DepthOfType);
    const TGroupRegion region(doc);
    TPalette palette = doc.Palette();
    TIndexMap map = Identity();
    if (set.Count() == 0) {
        map.fill(1);
    } else {
        for (int i = 1; i <= std::min<int>(palette.UseColor, 255); ++i) {
            int best = -1, bestDistance = 0;
            for (int k = 0; k < set.Count(); ++k) {
                const TColorData& m = palette[set.IndexAt(k)];
                const int d = std::abs(m.Red() - palette[i].Red()) +
                              std::abs(m.Green() - palette[i].Green()) +
                              std::abs(m.Blue() - palette[i].Blue());
                if (best < 0 || d < bestDistance) best = set.IndexAt(k), bestDistance = d;
            }
            map[size_t(i)] = uint8_t(best);
        }
    }
    TChange change(doc);
    MapRegion(change.Picture(), region, map);
    Rearrange(change.Picture(), palette);
    change.SetPalette(palette);
    change.Commit();
    return 0;
}

uint32_t GroupRearrange(TDocument& doc) {
    if (doc.BitsPerPixel() != 8) return Reported(ErrorCode::DepthOfType);
    // Renumbering keeps every pixel's colour, so it goes past the guard: a protected
    // colour or a masked pixel keeps its colour under its new index.
    TPalette palette = doc.Palette();
    TChange change(doc);
    Rearrange(change.Picture(), palette);
    change.SetPalette(palette);
    change.Commit();
    return 0;
}

int GroupReduceBound(const TDocument& doc) {
    if (!doc.WorkArea().On() || doc.BitsPerPixel() != 8) return std::max(1, doc.Palette().UseColor - 1);
    const TGroupRegion region(doc);
    std::array<bool, 256> seen{};
    for (int y = region.Rect.top(); y <= region.Rect.bottom(); ++y) {
        const TGroupRegion::TRow allow = region.Row(y);
        const uint8_t* row = doc.Picture().ScanLine(y);
        for (int x = region.Rect.left(); x <= region.Rect.right(); ++x)
            if (allow.Inside(x)) seen[row[x]] = true;
    }
    int n = 0;
    for (int i = TPalette::kFirstDrawing; i <= TPalette::kLastDrawing; ++i)
        n += seen[size_t(i)];
    return std::max(1, n);
}
