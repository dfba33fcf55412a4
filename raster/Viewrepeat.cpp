#include "raster/Viewrepeat.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The first frame column whose plane offset (column * Out / In) reaches offset.
int64_t FirstColumn(int64_t offset, TScaleRatio r) {
    const int64_t a = offset * r.In;
    return a >= 0 ? (a + r.Out - 1) / r.Out : -((-a) / r.Out);
}

// The canvas span [first, last) of the plane run [from, to) in a count-pixel line
// whose first pixel shows plane point origin.
void Span(int64_t from, int64_t to, int64_t origin, TScaleRatio r, int count, int& first, int& last) {
    first = int(std::clamp<int64_t>(FirstColumn(from - origin, r), 0, count));
    last = int(std::clamp<int64_t>(FirstColumn(to - origin, r), first, count));
}

// Draws one tile piece of a row: frame columns [first, last) show picture row ty from
// picture column start + i * Out / In on; columns outside the picture stay.
void Piece(uint32_t* row, const TRowScaler& scaler, int first, int last, int ty, int64_t start, TScaleOp op,
           std::vector<uint32_t>& scratch) {
    int f, l;
    scaler.Inside(start, last, f, l);
    f = std::max(f, first);
    if (f >= l) return;
    if (op == TScaleOp::Copy) {
        scaler.Convert(row, f, l, ty, start);
        return;
    }
    scaler.Convert(scratch.data(), f, l, ty, start);
    for (int i = f; i < l; ++i)
        row[i] ^= scratch[size_t(i)] & 0x00FFFFFFu;
}

} // namespace

bool RepeatPicture(QImage& dest, const TOrvaneBitmap& bitmap, const TOrvaneBitmap* mask,
                   const TRepeatWrap& wrap, QPoint origin, TScaleRatio x, TScaleRatio y) {
    const TRowScaler picture(bitmap, x);
    const bool is32 =
        dest.format() == QImage::Format_RGB32 || dest.format() == QImage::Format_ARGB32_Premultiplied;
    if (!picture.Ok() || !is32 || !wrap.On() || y.In < 1 || y.Out < 1 || dest.isNull()) return false;
    if (wrap.Width != bitmap.Width || wrap.Height != bitmap.Height) return false;
    const TRowScaler maskRows(mask ? *mask : bitmap, x);
    const bool masked = mask && maskRows.Ok();
    const int w = dest.width(), h = dest.height();
    const int64_t lastX = origin.x() + int64_t(w - 1) * x.Out / x.In;
    if (lastX > kPlaneLimit || origin.x() < -kPlaneLimit || origin.y() < -kPlaneLimit ||
        origin.y() + int64_t(h - 1) * y.Out / y.In > kPlaneLimit)
        return false;
    std::vector<uint32_t> scratch(masked ? size_t(w) : 0);
    // Canvas row last drawn for each picture row, and the picture column it starts at:
    // a row that wraps to the same pair shows the same pixels.
    std::vector<int> rowOf(size_t(wrap.Height), -1), columnOf(size_t(wrap.Height), 0);
    uint8_t* bits = dest.bits();
    const qsizetype stride = dest.bytesPerLine();
    int64_t previous = INT64_MIN;
    for (int j = 0; j < h; ++j) {
        auto* row = reinterpret_cast<uint32_t*>(bits + j * stride);
        const int py = int(origin.y() + int64_t(j) * y.Out / y.In);
        const QPoint key = wrap.Wrap(origin.x(), py);
        int& seen = rowOf[size_t(key.y())];
        if (py == previous || (seen >= 0 && columnOf[size_t(key.y())] == key.x())) {
            std::memcpy(row, bits + (py == previous ? j - 1 : seen) * stride, size_t(w) * 4);
            previous = py;
            continue;
        }
        previous = py;
        seen = j, columnOf[size_t(key.y())] = key.x();
        int64_t planeX = origin.x(); // where the next piece starts in the plane
        wrap.Pieces(py, origin.x(), int(lastX), [&](int ty, int tx0, int tx1) {
            int first, last;
            Span(planeX, planeX + (tx1 - tx0 + 1), origin.x(), x, w, first, last);
            const int64_t start = tx0 - (planeX - origin.x()); // picture column of frame column 0
            Piece(row, picture, first, last, ty, start, TScaleOp::Copy, scratch);
            if (masked && ty < mask->Height)
                Piece(row, maskRows, first, last, ty, start, TScaleOp::Xor, scratch);
            planeX += tx1 - tx0 + 1;
        });
    }
    return true;
}

void DrawTileGrids(QImage& frame, const TGridSettings& grid, const TRepeatWrap& wrap, QPoint origin,
                   int zoomIn, int zoomOut, TColorRef border) {
    if (!grid.Grid || zoomIn < 1 || zoomOut < 1 || frame.isNull()) return;
    const TScaleRatio r{zoomIn, zoomOut};
    const QRect plane(origin.x(), origin.y(), int(int64_t(frame.width() - 1) * zoomOut / zoomIn + 1),
                      int(int64_t(frame.height() - 1) * zoomOut / zoomIn + 1));
    wrap.Tiles(plane, [&](const QRect& tile) {
        int x0, x1, y0, y1;
        Span(tile.left(), int64_t(tile.right()) + 1, origin.x(), r, frame.width(), x0, x1);
        Span(tile.top(), int64_t(tile.bottom()) + 1, origin.y(), r, frame.height(), y0, y1);
        if (x0 >= x1 || y0 >= y1) return;
        // The tile pixel the block's corner shows: 0 where the tile's own edge is in view.
        const double refX = double(origin.x() + int64_t(x0) * zoomOut / zoomIn - tile.left());
        const double refY = double(origin.y() + int64_t(y0) * zoomOut / zoomIn - tile.top());
        DrawGrid(frame, QRect(x0, y0, x1 - x0, y1 - y0), grid, zoomIn, zoomOut, refX, refY, &border);
    });
}
