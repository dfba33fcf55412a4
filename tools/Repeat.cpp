#include "tools/Repeat.h"

#include "raster/Bitmapimage.h"
#include "raster/Repeatwrap.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <QStringList>
#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace {

// The tile's pixels, copied out of the canvas before it is written, and its mask
// (empty: opaque everywhere).
struct TTileCopy {
    int Width = 0, Height = 0, Bytes = 1;
    std::vector<uint8_t> Pixels;
    std::vector<uint8_t> Mask;
    const uint8_t* Row(int y) const { return Pixels.data() + size_t(y) * Width * Bytes; }
};

TTileCopy CopyTile(const TOrvaneBitmap& picture, const TWorkArea& selection, const QRect& tile) {
    TTileCopy copy;
    copy.Width = tile.width(), copy.Height = tile.height(), copy.Bytes = picture.BitsPerPixel / 8;
    const size_t rowBytes = size_t(copy.Width) * copy.Bytes;
    copy.Pixels.resize(rowBytes * copy.Height);
    for (int y = 0; y < copy.Height; ++y)
        std::memcpy(copy.Pixels.data() + y * rowBytes,
                    picture.ScanLine(tile.top() + y) + size_t(tile.left()) * copy.Bytes, rowBytes);
    if (!selection.On() || !selection.Mask()) return copy;
    const QRect bounds = selection.Bounds();
    copy.Mask.assign(size_t(copy.Width) * copy.Height, 0);
    const QRect inside = tile.intersected(bounds);
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const uint8_t* from = selection.Mask()->ScanLine(y - bounds.top()) + (inside.left() - bounds.left());
        std::memcpy(copy.Mask.data() + size_t(y - tile.top()) * copy.Width + (inside.left() - tile.left()),
                    from, size_t(inside.width()));
    }
    return copy;
}

// The tile's repeat as the window's repeat display knows it, tile origin at 0, 0.
TRepeatWrap TileWrap(const TRepeatSettings& s) {
    const int kind = s.Function == RepeatHalfDropVer   ? RepeatDropVertical
                     : s.Function == RepeatHalfDropHor ? RepeatDropHorizontal
                                                       : RepeatStraight;
    return TRepeatWrap{kind, s.Tile.width(), s.Tile.height(), s.Drop};
}

// Fills the run x0 .. x1 of canvas row y with the tile's pixels (and mask) as they
// land there, in runs of at most one tile row.
void RepeatRow(const TRepeatSettings& settings, const TTileCopy& tile, int y, int x0, int x1, uint8_t* pixels,
               uint8_t* mask) {
    int at = 0; // pixels written so far
    TileWrap(settings).Pieces(
        y - settings.Tile.top(), x0 - settings.Tile.left(), x1 - settings.Tile.left(),
        [&](int sy, int sx0, int sx1) {
            const int n = sx1 - sx0 + 1;
            std::memcpy(pixels + size_t(at) * tile.Bytes, tile.Row(sy) + size_t(sx0) * tile.Bytes,
                        size_t(n) * tile.Bytes);
            if (mask) std::memcpy(mask + at, tile.Mask.data() + size_t(sy) * tile.Width + sx0, size_t(n));
            at += n;
        });
}

int64_t Span(int count) {
    return std::clamp(count, 1, kRepeatCountMax);
}

// One axis of the apply rectangle: the first and one past the last pixel.
std::pair<int, int> ApplySpan(int start, int size, int count, int extent, int mouse) {
    mouse = std::clamp(mouse, 0, extent - 1);
    if (mouse >= start + size / 2) return {start, int(std::min<int64_t>(start + Span(count) * size, extent))};
    return {int(std::max<int64_t>(0, start - (Span(count) - 1) * size)), start + size};
}

// Where the match function moves tile pixel p (the inverse is where recover takes it from).
QPoint MatchMove(int function, QPoint p, int w, int h, int drop) {
    const int aw = w / 2, ah = h / 2, bw = w - aw, bh = h - ah;
    switch (function) {
    case RepeatMatchHor: {
        const bool top = p.y() < ah;
        return QPoint(int(FloorMod(int64_t(p.x()) + bw + (top ? drop : 0), w)),
                      top ? p.y() + bh : p.y() - ah);
    }
    case RepeatMatchVer: {
        const bool left = p.x() < aw;
        return QPoint(left ? p.x() + bw : p.x() - aw,
                      int(FloorMod(int64_t(p.y()) + bh + (left ? drop : 0), h)));
    }
    default:
        return QPoint((p.x() + bw) % w, (p.y() + bh) % h);
    }
}

} // namespace

uint32_t CheckTile(const QRect& tile, QSize canvas) {
    const bool inside = tile.width() > 0 && tile.height() > 0 && tile.left() >= 0 && tile.top() >= 0 &&
                        int64_t(tile.left()) + tile.width() <= canvas.width() &&
                        int64_t(tile.top()) + tile.height() <= canvas.height();
    return inside ? 0 : ErrorCode::EmptyPiece;
}

uint32_t DropOfFraction(const QString& fraction, int size, int& drop) {
    const QStringList parts = fraction.trimmed().split(QLatin1Char('/'));
    bool numberOk = false, denominatorOk = false;
    const int numerator = parts.size() == 2 ? parts[0].trimmed().toInt(&numberOk) : 0;
    const int denominator = parts.size() == 2 ? parts[1].trimmed().toInt(&denominatorOk) : 0;
    if (!numberOk || !denominatorOk || numerator < 0 || denominator <= 0 || size < 0)
        return ErrorCode::NotANumber;
    const int64_t value = int64_t(numerator) * size / denominator;
    if (value > std::numeric_limits<int>::max()) return ErrorCode::NotANumber;
    drop = int(value);
    return 0;
}

QPoint TileSource(const TRepeatSettings& s, int x, int y) {
    return TileWrap(s).Wrap(x - s.Tile.left(), y - s.Tile.top());
}

QRect ApplyRect(const TRepeatSettings& s, QSize canvas, QPoint mouse) {
    if (!s.SizeLimit) return QRect(QPoint(0, 0), canvas);
    const auto [left, right] = ApplySpan(s.Tile.left(), s.Tile.width(), s.CountX, canvas.width(), mouse.x());
    const auto [top, bottom] = ApplySpan(s.Tile.top(), s.Tile.height(), s.CountY, canvas.height(), mouse.y());
    return QRect(left, top, right - left, bottom - top);
}

uint32_t PaintRepeat(TChange& change, const TWorkArea& selection, const TRepeatSettings& settings,
                     const QRect& area, const TProgressFn& progress) {
    TOrvaneBitmap& picture = change.Picture();
    const QRect bounds(0, 0, picture.Width, picture.Height);
    if (const uint32_t code = CheckTile(settings.Tile, bounds.size())) return code;
    if (settings.Function < RepeatNormal || settings.Function > RepeatHalfDropHor)
        return ErrorCode::EmptyPiece;
    if (picture.BitsPerPixel != 8 && picture.BitsPerPixel != 24) return ErrorCode::DepthOfType;
    const QRect cut = area.intersected(bounds);
    if (cut.isEmpty()) return 0;
    TTileCopy tile;
    std::vector<uint8_t> pixels, mask;
    try {
        tile = CopyTile(picture, selection, settings.Tile);
        pixels.resize(size_t(cut.width()) * tile.Bytes);
        if (!tile.Mask.empty()) mask.resize(size_t(cut.width()));
    } catch (const std::bad_alloc&) {
        return ErrorCode::OutOfMemory;
    }
    if (settings.Rule.Mode == 0 && change.Guard().Open() && tile.Mask.empty()) {
        // Nothing combines: the tile's runs go straight into the rows.
        constexpr int kBand = 256; // rows between reports
        for (int y = cut.top(); y <= cut.bottom(); ++y) {
            if ((y - cut.top()) % kBand == 0 && !ReportProgress(progress, y - cut.top(), cut.height()))
                return ErrorCode::Cancelled;
            RepeatRow(settings, tile, y, cut.left(), cut.right(),
                      picture.ScanLine(y) + size_t(cut.left()) * tile.Bytes, nullptr);
        }
        change.Touch(cut);
        return 0;
    }
    int built = -1;
    const TPieceRows rows = [&](int x, int y) {
        if (y != built) {
            RepeatRow(settings, tile, y, cut.left(), cut.right(), pixels.data(),
                      mask.empty() ? nullptr : mask.data());
            built = y;
        }
        const size_t at = size_t(x - cut.left());
        return TPieceRow{pixels.data() + at * tile.Bytes, mask.empty() ? nullptr : mask.data() + at};
    };
    QRect touched;
    if (const uint32_t code = Superimpose(change, cut, rows, settings.Rule, &touched)) return code;
    if (!touched.isEmpty()) change.Touch(touched);
    return 0;
}

QImage RepeatPreview(const TDocument& document, const TRepeatSettings& settings, const QRect& area) {
    const TOrvaneBitmap& picture = document.Picture();
    const QRect cut = area.intersected(document.Bounds());
    if (cut.isEmpty() || CheckTile(settings.Tile, document.Bounds().size())) return {};
    if (settings.Function < RepeatNormal || settings.Function > RepeatHalfDropHor) return {};
    if (picture.BitsPerPixel != 8 && picture.BitsPerPixel != 24) return {};
    try {
        const TTileCopy tile = CopyTile(picture, document.WorkArea(), settings.Tile);
        const bool indexed = tile.Bytes == 1;
        QImage shown(cut.size(), indexed ? QImage::Format_Indexed8 : QImage::Format_BGR888);
        if (shown.isNull()) return {};
        if (indexed) shown.setColorTable(ColorTable(document.Palette()));
        QImage opaque(cut.size(), QImage::Format_Grayscale8);
        if (opaque.isNull()) return {};
        opaque.fill(255);
        const TWriteGuard guard = document.Guard();
        const int mode = settings.Rule.Mode >= 0 && settings.Rule.Mode <= 3 ? settings.Rule.Mode : 0;
        bool clear = false;
        for (int y = 0; y < cut.height(); ++y) {
            uint8_t* row = shown.scanLine(y);
            uint8_t* keep = opaque.scanLine(y);
            RepeatRow(settings, tile, cut.top() + y, cut.left(), cut.right(), row,
                      tile.Mask.empty() ? nullptr : keep);
            if (mode == 0 && guard.Open()) { // only the mask decides: no pass per pixel
                clear |= !tile.Mask.empty();
                continue;
            }
            const uint8_t* design = picture.ScanLine(cut.top() + y) + size_t(cut.left()) * tile.Bytes;
            for (int x = 0; x < cut.width(); ++x) {
                const int px = cut.left() + x, py = cut.top() + y;
                const size_t at = size_t(x) * tile.Bytes;
                keep[x] = PieceWrites(mode, keep[x] != 0, BackgroundPixel(row + at, indexed),
                                      BackgroundPixel(design + at, indexed), px, py) &&
                                  (guard.Open() || guard.Allows(picture, px, py))
                              ? 255
                              : 0;
                clear |= !keep[x];
            }
        }
        if (!clear) return shown;
        // Where the press keeps the design's pixel the design shows through.
        shown = shown.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < shown.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
            const uint8_t* keep = opaque.constScanLine(y);
            for (int x = 0; x < shown.width(); ++x)
                if (!keep[x]) row[x] = 0;
        }
        return shown;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

uint32_t ApplyRepeat(TDocument& document, const TRepeatSettings& settings, const QRect& area,
                     const TProgressFn& progress) {
    if (const uint32_t code = CheckTile(settings.Tile, document.Bounds().size())) return code;
    const QRect cut = area.intersected(document.Bounds());
    if (cut.isEmpty()) return 0;
    TChange change(document, cut);
    if (const uint32_t code = PaintRepeat(change, document.WorkArea(), settings, cut, progress)) {
        change.Fail();
        return code;
    }
    change.Commit();
    return 0;
}

uint32_t MatchTile(TDocument& document, const TRepeatSettings& settings, bool recover) {
    const int bpp = document.BitsPerPixel();
    if (const uint32_t code = CheckTile(settings.Tile, document.Bounds().size())) return code;
    if (settings.Function < RepeatMatchNormal || settings.Function > RepeatMatchHor)
        return ErrorCode::EmptyPiece;
    if (bpp != 8 && bpp != 24) return ErrorCode::DepthOfType;
    const QRect& t = settings.Tile;
    TTileCopy tile;
    try {
        tile = CopyTile(document.Picture(), document.WorkArea(), t);
    } catch (const std::bad_alloc&) {
        return ErrorCode::OutOfMemory;
    }
    TChange change(document, t);
    TOrvaneBitmap& picture = change.Picture();
    const TWriteGuard& guard = change.Guard();
    for (int y = 0; y < tile.Height; ++y)
        for (int x = 0; x < tile.Width; ++x) {
            const QPoint moved =
                MatchMove(settings.Function, QPoint(x, y), tile.Width, tile.Height, settings.Drop);
            // Match writes pixel (x, y) at moved; recover takes it back from there.
            const QPoint to = recover ? QPoint(x, y) : moved, from = recover ? moved : QPoint(x, y);
            const int px = t.left() + to.x(), py = t.top() + to.y();
            if (!guard.Allows(picture, px, py)) continue;
            std::memcpy(picture.ScanLine(py) + size_t(px) * tile.Bytes,
                        tile.Row(from.y()) + size_t(from.x()) * tile.Bytes, size_t(tile.Bytes));
        }
    change.Touch(t);
    change.Commit();
    return 0;
}
