#include "tools/Drawpaint.h"

#include "raster/Floodfill.h"
#include "shell/Tdocument.h"

#include <algorithm>
#include <climits>
#include <cstring>

TDrawPainter::TDrawPainter(TChange& change, uint32_t colour, const TRepeatWrap& repeat, const TFootprint& pen)
    : Change(change), Picture(change.Picture()), Colour(colour), Repeat(repeat), Pen(pen), Left(INT_MAX),
      Top(INT_MAX) {}

void TDrawPainter::Run(int y, int x0, int x1) {
    Repeat.Pieces(y, x0, x1, [this](int row, int a, int b) {
        if (row < 0 || row >= Picture.Height) return;
        a = std::max(a, 0), b = std::min(b, Picture.Width - 1);
        if (a > b) return;
        if (Picture.BitsPerPixel == 8 && Change.Guard().Open())
            std::memset(Picture.ScanLine(row) + a, int(Colour & 0xFF), size_t(b - a + 1));
        else
            Change.Guard().Fill(Picture, QRect(a, row, b - a + 1, 1), Colour);
        Left = std::min(Left, a), Right = std::max(Right, b);
        Top = std::min(Top, row), Bottom = std::max(Bottom, row);
    });
}

void TDrawPainter::Stamp(int x, int y) {
    for (const TFootprintSpan& s : Pen.Spans)
        Run(y + s.Y, x + s.X0, x + s.X1);
}

void TDrawPainter::Draw(const TDrawShape& shape, TDash& dash) {
    if (!shape.Fill.isEmpty()) {
        const QRect& box = shape.Fill;
        if (shape.Round)
            EllipseRows(box, [this](int y, int x0, int x1) { Run(y, x0, x1); });
        else
            for (int y = box.top(); y <= box.bottom(); ++y)
                Run(y, box.left(), box.right());
        return;
    }
    for (const QPolygon& line : shape.Lines)
        WalkPolyline(line, dash, [this](int x, int y) { Stamp(x, y); });
}

QRect TDrawPainter::Touched() const {
    return Right < Left ? QRect() : QRect(QPoint(Left, Top), QPoint(Right, Bottom));
}

const TFootprint& DotFootprint() {
    static const TFootprint dot{{TFootprintSpan{0, 0, 0}}, 1};
    return dot;
}

QRect StampBounds(const QRect& box, const TFootprint& pen) {
    if (box.isEmpty() || pen.Spans.empty()) return box;
    int left = 0, right = 0;
    for (const TFootprintSpan& s : pen.Spans)
        left = std::min(left, s.X0), right = std::max(right, s.X1);
    return box.adjusted(left, pen.Spans.front().Y, right, pen.Spans.back().Y);
}

QRect ShapeBounds(const TDrawShape& shape, const TFootprint& pen) {
    if (!shape.Fill.isEmpty()) return shape.Fill;
    QRect lines;
    for (const QPolygon& line : shape.Lines)
        lines |= line.boundingRect();
    return StampBounds(lines, pen);
}

QRect PictureRectOf(const TRepeatWrap& repeat, const QRect& box, const QRect& picture) {
    if (!repeat.On() || box.isEmpty()) return box.intersected(picture);
    if (box.width() >= repeat.Width || box.height() >= repeat.Height) return picture;
    // Down a column of one piece the wrapped row runs on until it wraps at the bottom.
    QRect covered;
    bool acrossRows = false;
    repeat.Pieces(box.top(), box.left(), box.right(), [&](int y, int x0, int x1) {
        acrossRows |= y + box.height() > repeat.Height;
        covered |= QRect(x0, y, x1 - x0 + 1, box.height());
    });
    return acrossRows ? picture : covered.intersected(picture);
}

bool AreaBorder(const TOrvaneBitmap& picture, QPoint seed, std::vector<QPoint>& border, QRect& area) {
    border.clear();
    area = QRect();
    if (!picture.Allocated() || !QRect(0, 0, picture.Width, picture.Height).contains(seed)) return false;
    const int bytes = picture.BitsPerPixel == 8 ? 1 : 3;
    uint8_t value[3] = {};
    std::memcpy(value, picture.ScanLine(seed.y()) + size_t(seed.x()) * size_t(bytes), size_t(bytes));
    auto same = [&](const uint8_t* row, int x) {
        return std::memcmp(row + size_t(x) * size_t(bytes), value, size_t(bytes)) == 0;
    };
    // Without a set the fill only reads the picture; it takes a writable one for its set.
    TOrvaneBitmap& readOnly = const_cast<TOrvaneBitmap&>(picture);
    TPBitmap mask;
    if (!FloodFillMask(readOnly, &area, &mask, seed, [&](uint8_t* row, int x) { return same(row, x); }) ||
        !mask.Lock())
        return false;
    auto in = [&](int x, int y) { return mask.TestBit(x, y); };
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!in(x, y)) continue;
            if ((x > 0 && !in(x - 1, y)) || (x + 1 < picture.Width && !in(x + 1, y)) ||
                (y > 0 && !in(x, y - 1)) || (y + 1 < picture.Height && !in(x, y + 1)))
                border.emplace_back(x, y);
        }
    mask.Unlock();
    return true;
}
