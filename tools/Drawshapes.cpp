#include "tools/Drawshapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

int RoundHalfUp(double v) {
    return int(std::floor(v + 0.5));
}

void Append(QPolygon& line, QPoint p) {
    if (line.isEmpty() || line.back() != p) line.append(p);
}

// The half of the curve from q to p on the parabola v = a u^2 of the axis turned
// by (c, s): corners every step along u, then p itself.
QPolygon CurveHalf(QPoint q, QPoint p, double c, double s, double step) {
    QPolygon half;
    const double dx = p.x() - q.x(), dy = p.y() - q.y();
    const double up = dx * c - dy * s, vp = dx * s + dy * c;
    if (std::abs(up) > 1e-9) { // p on the axis itself: only the straight line to it
        const double a = vp / (up * up), dir = up >= 0 ? 1 : -1;
        for (int i = 0;; ++i) {
            const double u = dir * i * step;
            if (std::abs(u) > std::abs(up)) break;
            const double v = a * u * u;
            Append(half, QPoint(int(q.x() + c * u + s * v), int(q.y() - s * u + c * v)));
        }
    }
    if (half.isEmpty()) half.append(q);
    Append(half, p);
    return half;
}

} // namespace

QRect BoxOf(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

QRect SquareBox(QPoint start, QPoint to) {
    const int dx = to.x() - start.x(), dy = to.y() - start.y();
    const int side = std::min(std::abs(dx), std::abs(dy));
    return BoxOf(start, start + QPoint(dx < 0 ? -side : side, dy < 0 ? -side : side));
}

QRect CircleBox(QPoint z, int d) {
    return QRect(z.x() - d / 2, z.y() - d / 2, d, d);
}

int CircleDiameter(QPoint z, QPoint p) {
    return int(std::hypot(double(p.x() - z.x()), double(p.y() - z.y())));
}

void EllipseRows(const QRect& box, const std::function<void(int, int, int)>& run) {
    if (box.isEmpty()) return;
    // Pixel i covers [i, i + 1): the ellipse's centre and radii in those units.
    const double cx = box.left() + box.width() / 2.0, cy = box.top() + box.height() / 2.0;
    const double a = box.width() / 2.0, b = box.height() / 2.0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const double dy = (y + 0.5 - cy) / b, r = 1 - dy * dy;
        if (r < 0) continue;
        const double half = a * std::sqrt(r);
        const int x0 = int(std::ceil(cx - half - 0.5)), x1 = int(std::floor(cx + half - 0.5));
        if (x0 <= x1) run(y, x0, x1);
    }
}

QPolygon EllipsePolygon(const QRect& box) {
    QPolygon out;
    if (box.isEmpty()) return out;
    const double cx = (box.left() + box.right()) / 2.0, cy = (box.top() + box.bottom()) / 2.0;
    const double a = (box.width() - 1) / 2.0, b = (box.height() - 1) / 2.0;
    // Corners close enough that neighbouring ones touch; a corner whose neighbours
    // touch each other is a step of the stair too many and goes, so the ring is one
    // pixel thin.
    const int n = std::max(16, int(std::ceil(2 * std::numbers::pi * std::max(a, b))));
    for (int i = 0; i <= n; ++i) {
        const double t = 2 * std::numbers::pi * (i % n) / n;
        const QPoint p(RoundHalfUp(cx + a * std::cos(t)), RoundHalfUp(cy + b * std::sin(t)));
        while (out.size() >= 2 && std::max(std::abs(out[out.size() - 2].x() - p.x()),
                                           std::abs(out[out.size() - 2].y() - p.y())) <= 1)
            out.removeLast();
        Append(out, p);
    }
    return out;
}

TDrawShape BoxShape(const QRect& box, bool filled) {
    TDrawShape shape;
    shape.Lines = {
        QPolygon({box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft(), box.topLeft()})};
    if (filled) shape.Fill = box;
    return shape;
}

TDrawShape EllipseShape(const QRect& box, bool filled, int penSize) {
    TDrawShape shape;
    // The pen's centre runs where its footprint just touches the box.
    const int w = std::max(penSize, 1);
    const QRect path(QPoint(box.left() + w / 2, box.top() + w / 2),
                     QPoint(box.right() - (w - 1) / 2, box.bottom() - (w - 1) / 2));
    if (filled || !path.isValid()) { // a pen as wide as the box fills it anyway
        shape.Lines = {EllipsePolygon(box)};
        shape.Fill = box;
        shape.Round = true;
    } else {
        shape.Lines = {EllipsePolygon(path)};
    }
    return shape;
}

QPointF CurveAxisPoint(QPoint a, QPoint b, QPoint q) {
    double d1 = std::hypot(double(a.x() - q.x()), double(a.y() - q.y()));
    double d2 = std::hypot(double(b.x() - q.x()), double(b.y() - q.y()));
    const double d3 = std::hypot(double(b.x() - a.x()), double(b.y() - a.y()));
    // A curve point close to one end would bend the far arc too hard: soften the weights.
    if (std::min(d1, d2) * 1.8 < std::max(d1, d2) && d3 < std::max(d1, d2))
        d1 = std::sqrt(d1), d2 = std::sqrt(d2);
    if (d1 + d2 <= 0) return QPointF(q);
    return (QPointF(a) * d2 + QPointF(b) * d1) / (d1 + d2);
}

QPolygon CurvePath(QPoint a, QPoint b, QPoint q, int penSize) {
    const int64_t cross = int64_t(q.y() - a.y()) * (b.x() - a.x()) - int64_t(q.x() - a.x()) * (b.y() - a.y());
    if (cross == 0) {
        QPolygon line;
        Append(line, a);
        Append(line, b);
        return line;
    }
    // The axis turned by theta from the vertical; an axis straight up or down (a and b
    // on one row with q halfway, or q right above the axis point) is the vertical.
    double theta = 0;
    const QPointF m = CurveAxisPoint(a, b, q);
    const bool level = a.y() == b.y() && q.x() - a.x() == b.x() - q.x();
    if (!level && m.x() != q.x()) theta = std::numbers::pi / 2 - std::atan((m.y() - q.y()) / (m.x() - q.x()));
    const double c = std::cos(theta), s = std::sin(theta), step = 0.1 * std::max(penSize, 1) + 1;
    QPolygon path = CurveHalf(q, a, c, s, step);
    std::reverse(path.begin(), path.end());
    const QPolygon toB = CurveHalf(q, b, c, s, step);
    for (const QPoint& p : toB)
        Append(path, p);
    return path;
}

void WalkLine(QPoint a, QPoint b, const std::function<void(int, int)>& pixel) {
    const int dx = b.x() - a.x(), dy = b.y() - a.y();
    if (dx == 0 && dy == 0) return;
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const int length = alongX ? std::abs(dx) : std::abs(dy);
    const int dir = (alongX ? dx : dy) > 0 ? 1 : -1;
    const double slope = alongX ? double(dy) / dx : double(dx) / dy;
    for (int t = 0; t < length; ++t) {
        const int major = dir * t, minor = RoundHalfUp(major * slope);
        pixel(a.x() + (alongX ? major : minor), a.y() + (alongX ? minor : major));
    }
}

void WalkPolyline(const QPolygon& line, TDash& dash, const std::function<void(int, int)>& stamp) {
    if (line.isEmpty()) return;
    for (qsizetype i = 0; i + 1 < line.size(); ++i)
        WalkLine(line[i], line[i + 1], [&](int x, int y) {
            if (dash.On()) stamp(x, y);
            dash.Step();
        });
    if (dash.On()) stamp(line.back().x(), line.back().y());
}

int LockDegrees(double typed) {
    if (!std::isfinite(typed)) return 0;
    const double d = std::fmod(std::trunc(typed), 90.0);
    return int(d < 0 ? d + 90 : d);
}

bool LockPixels(double typed, int penSize, QSize picture, double& pixels) {
    const double v = typed - penSize;
    if (!(v >= 0) || !std::isfinite(v)) return false;
    pixels = std::min(v, std::hypot(double(picture.width()), double(picture.height())));
    return true;
}

QPoint LockedEnd(QPoint start, QPoint pointer, const TDrawLocks& locks, const QRect* inside) {
    if (!locks.Any()) return pointer;
    const double sx = start.x(), sy = start.y();
    const double dx = pointer.x() - sx, dy = pointer.y() - sy;
    double phi = 0, length = locks.Pixels;
    if (locks.Angle) {
        const int turn = dx >= 0 ? (dy >= 0 ? 0 : 270) : (dy >= 0 ? 90 : 180);
        phi = (locks.Degrees + turn) * std::numbers::pi / 180;
        if (!locks.Length) length = std::hypot(dx, dy);
    } else {
        phi = dx == 0 && dy == 0 ? std::numbers::pi / 2 : std::atan2(dy, dx);
    }
    double ex = sx + length * std::cos(phi), ey = sy + length * std::sin(phi);
    if (inside && !inside->isEmpty()) {
        // Back along the same direction onto the edge that was crossed.
        const double t = std::tan(phi);
        if (ex < inside->left() || ex > inside->right()) {
            ex = std::clamp(ex, double(inside->left()), double(inside->right()));
            ey = sy + (ex - sx) * t;
        }
        if (ey < inside->top() || ey > inside->bottom()) {
            ey = std::clamp(ey, double(inside->top()), double(inside->bottom()));
            if (std::abs(t) > 1e-12) ex = sx + (ey - sy) / t;
        }
        ex = std::clamp(ex, double(inside->left()), double(inside->right()));
    }
    return QPoint(int(ex), int(ey));
}

TLineMeasure MeasureLine(QPoint a, QPoint b, int penSize) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    TLineMeasure m;
    if (dx != 0 || dy != 0) m.Degrees = std::atan2(dy, dx) * 180 / std::numbers::pi + (dy < 0 ? 360 : 0);
    m.Length = std::hypot(dx, dy) + penSize;
    return m;
}
