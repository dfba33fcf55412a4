#pragma once
// The pieces the Window tool makes by dragging and clicking, in picture pixels:
// shape boxes, ellipses and polygons with curve points.

#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QRegion>
#include <vector>

// The box of a drag from a to b, both pixels inside it. For a square box the
// longer side is shortened at a: with d = |b.x - a.x| - |b.y - a.y|, a.x moves d
// toward b.x when d >= 1, else a.y moves |d| toward b.y.
QRect ShapeBox(QPoint a, QPoint b, bool square);
// The pixels whose centres lie inside the ellipse inscribed in box (never empty
// for a box of at least one pixel).
QRegion EllipseRegion(const QRect& box);
// A TShapeKind's piece over box: the box, or the ellipse inscribed in it.
QRegion ShapeRegion(int kind, const QRect& box);
// Whether a TShapeKind keeps its box square.
bool SquareShape(int kind);

// A clicked point of an irregular piece. A curve point is reached from the point
// before it by a cubic Bezier curve whose two inner control points are both Control.
struct TPolyPoint {
    QPoint At;
    bool Curve = false;
    QPoint Control;
};

// The line through points, curves flattened; closed back to the first point with close.
QPolygon PolygonLine(const std::vector<TPolyPoint>& points, bool close);
// The pixels inside the closed line (odd-even rule, as a polygon region counts
// them); empty for fewer than three points or a line that encloses no pixel.
QRegion PolygonRegion(const std::vector<TPolyPoint>& points);
