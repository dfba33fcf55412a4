#include "tools/Windowshapes.h"

#include "raster/Workarea.h"
#include "tools/Windowsettings.h"

#include <QPainterPath>
#include <cmath>
#include <cstdlib>

QRect ShapeBox(QPoint a, QPoint b, bool square) {
    if (square) {
        const int d = std::abs(b.x() - a.x()) - std::abs(b.y() - a.y());
        if (d >= 1)
            a.rx() += b.x() >= a.x() ? d : -d;
        else
            a.ry() += b.y() >= a.y() ? -d : d;
    }
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

QRegion EllipseRegion(const QRect& box) {
    if (box.isEmpty()) return {};
    const double rx = box.width() / 2.0, ry = box.height() / 2.0;
    const double cx = box.left() + rx, cy = box.top() + ry;
    std::vector<QRect> rows; // equal rows in a line make one rectangle
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        if (std::abs(dy) > 1) continue;
        const double half = rx * std::sqrt(1 - dy * dy);
        const int left = int(std::ceil(cx - half - 0.5)), right = int(std::floor(cx + half - 0.5));
        if (right < left) continue;
        QRect* last = rows.empty() ? nullptr : &rows.back();
        if (last && last->bottom() == y - 1 && last->left() == left && last->right() == right)
            last->setBottom(y);
        else
            rows.emplace_back(QPoint(left, y), QPoint(right, y));
    }
    return RegionOfRects(std::move(rows));
}

bool SquareShape(int kind) {
    return kind == ShapeSquare || kind == ShapeCircle;
}

QRegion ShapeRegion(int kind, const QRect& box) {
    return kind == ShapeEllipse || kind == ShapeCircle ? EllipseRegion(box) : QRegion(box);
}

namespace {

QPainterPath PathOf(const std::vector<TPolyPoint>& points) {
    QPainterPath path;
    if (points.empty()) return path;
    path.moveTo(points.front().At);
    for (size_t i = 1; i < points.size(); ++i) {
        const TPolyPoint& p = points[i];
        if (p.Curve)
            path.cubicTo(p.Control, p.Control, p.At);
        else
            path.lineTo(p.At);
    }
    return path;
}

} // namespace

QPolygon PolygonLine(const std::vector<TPolyPoint>& points, bool close) {
    QPainterPath path = PathOf(points);
    if (close) path.closeSubpath();
    const QList<QPolygonF> lines = path.toSubpathPolygons();
    return lines.isEmpty() ? QPolygon() : lines.front().toPolygon();
}

QRegion PolygonRegion(const std::vector<TPolyPoint>& points) {
    if (points.size() < 3) return {};
    return QRegion(PolygonLine(points, true), Qt::OddEvenFill);
}
