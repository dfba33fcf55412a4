#pragma once
// The geometry of the Draw tool, free of pixels: the boxes of squares, circles
// and ellipses, the rows a filled ellipse covers, the polygon of an outline, the
// three-point curve, the pixel walk of a pen line with its dash, the angle and
// length locks and the measured angle and length of a line.
//
// Coordinates are picture pixels (or points of the endless repeat); boxes are
// inclusive QRects, polygons run through pixel positions.

#include <QPoint>
#include <QPointF>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

// The dash of a dotted line: Dot pixels drawn, Gap pixels skipped, Phase the
// position in that period. A solid dash draws every pixel.
struct TDash {
    bool Dotted = false;
    int Dot = 3;
    int Gap = 1;
    int Phase = 0;

    bool On() const { return !Dotted || Phase < Dot; }
    void Step() {
        if (Dotted) Phase = (Phase + 1) % (Dot + Gap);
    }
};

// What one shape draws: pen lines, or a filled box (Round: the ellipse inside it).
// Lines are also the shape's preview, filled or not.
struct TDrawShape {
    std::vector<QPolygon> Lines;
    QRect Fill;
    bool Round = false;
};

// The box between two corners, both inside.
QRect BoxOf(QPoint a, QPoint b);
// A square from start towards to: the side is the smaller of |dx| and |dy|.
QRect SquareBox(QPoint start, QPoint to);
// The box of a circle of diameter d around z: side d, top-left z - trunc(d / 2).
QRect CircleBox(QPoint z, int d);
// The diameter a click at p gives a circle around z: the distance, truncated.
int CircleDiameter(QPoint z, QPoint p);

// Calls run(y, x0, x1) for every row of box the inscribed ellipse covers: the
// pixels whose centres lie inside it.
void EllipseRows(const QRect& box, const std::function<void(int y, int x0, int x1)>& run);
// The closed polygon through pixel positions of the ellipse whose outermost
// pixels touch the sides of box; about one corner per pixel of its length.
QPolygon EllipsePolygon(const QRect& box);

// A rectangle (or square) box: its four pen lines around the corners, or filled.
TDrawShape BoxShape(const QRect& box, bool filled);
// An ellipse (or circle) box: a pen of size penSize runs inside the box, so the
// drawn ring fills the box to its edges; filled, the inscribed ellipse.
TDrawShape EllipseShape(const QRect& box, bool filled, int penSize);

// The curve from a to b through the curve point q: two parabola arcs with their
// vertex at q on a common axis, each through its end point, as one path a .. q .. b
// with corners every 0.1 x penSize + 1 along the arc. Collinear points give the
// straight line a - b. Points are truncated toward zero.
QPolygon CurvePath(QPoint a, QPoint b, QPoint q, int penSize);
// Where the curve's axis from q meets a - b: a and b weighted by the distance of the
// other from q (by their square roots when one distance is over 1.8 times the other
// and a - b is shorter than the longer one).
QPointF CurveAxisPoint(QPoint a, QPoint b, QPoint q);

// Calls pixel(x, y) for the pixels of the line from a towards b, b itself left
// out (nothing when a == b): a step along the major axis each, the other
// coordinate rounded half up.
void WalkLine(QPoint a, QPoint b, const std::function<void(int x, int y)>& pixel);
// Walks the polyline pixel by pixel and calls stamp at each pixel the dash draws,
// its last point included. The dash runs on; afterwards its phase is the one at
// the last point, so the next line of a chain starting there goes on with it.
void WalkPolyline(const QPolygon& line, TDash& dash, const std::function<void(int x, int y)>& stamp);

// The angle and length locks of a line: an angle in whole degrees 0 .. 89 and a
// length in pixels.
struct TDrawLocks {
    bool Angle = false;
    int Degrees = 0;
    bool Length = false;
    double Pixels = 0;
    bool Any() const { return Angle || Length; }
};
// A typed angle as the lock takes it: its whole degrees modulo 90, in 0 .. 89.
int LockDegrees(double typed);
// A typed length (pixels) as the lock takes it: less the pen size and cut to the
// picture's diagonal. False (lock off) when it is shorter than the pen.
bool LockPixels(double typed, int penSize, QSize picture, double& pixels);
// The end of a line from start towards the pointer under the locks. The angle
// lock turns the angle into the pointer's quadrant (below right: the angle; above
// right: + 270; below left: + 90; above left: + 180) and keeps the pointer's
// distance, or the length when that is locked too; the length lock alone keeps the
// pointer's direction. With inside, an end beyond it is moved back along the line
// onto its edge.
QPoint LockedEnd(QPoint start, QPoint pointer, const TDrawLocks& locks, const QRect* inside);

// The measured line from a to b: the angle in degrees 0 .. 360, clockwise on the
// screen (0 when a == b), and the length in pixels including the pen's width.
struct TLineMeasure {
    double Degrees = 0;
    double Length = 0;
};
TLineMeasure MeasureLine(QPoint a, QPoint b, int penSize);
