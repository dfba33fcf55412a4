#include "shell/Toolicons.h"

#include "shell/Mainmenu.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

// Every icon is drawn on a 24 x 24 unit grid and scaled to the asked size, with a
// small fixed set of colours chosen to read on the light grey palette window.
namespace {

const QColor kInk(43, 48, 56);
const QColor kRed(200, 50, 60);
const QColor kBlue(47, 111, 192);
const QColor kSky(168, 200, 238);
const QColor kGreen(58, 154, 74);
const QColor kGold(227, 167, 47);
const QColor kPaper(255, 255, 255);

QPen Pen(const QColor& colour, qreal width = 1.5) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Lines and outlines without fill.
void Stroke(QPainter& p, const QColor& colour, qreal width = 1.5) {
    p.setPen(Pen(colour, width));
    p.setBrush(Qt::NoBrush);
}

// A filled shape with the ink outline.
void Box(QPainter& p, const QRectF& r, const QColor& fill) {
    p.setPen(Pen(kInk));
    p.setBrush(fill);
    p.drawRect(r);
}

void Dot(QPainter& p, QPointF c, qreal radius, const QColor& fill) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(c, radius, radius);
}

// A solid triangular head with its tip at `tip`, pointing along `degrees`
// (0 = right, 90 = down).
void Head(QPainter& p, QPointF tip, qreal degrees, const QColor& colour, qreal length = 5) {
    const qreal a = qDegreesToRadians(degrees);
    const QPointF back = tip - length * QPointF(qCos(a), qSin(a));
    const QPointF side = 0.55 * length * QPointF(-qSin(a), qCos(a));
    p.setPen(Pen(colour, 1));
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({tip, back + side, back - side}));
}

// A straight arrow; the shaft stops short of the head so the tip stays sharp.
void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    const QPointF d = to - from;
    const qreal len = qSqrt(QPointF::dotProduct(d, d));
    p.setPen(Pen(colour, 2));
    p.drawLine(from, to - d * (3 / len));
    Head(p, to, qRadiansToDegrees(qAtan2(d.y(), d.x())), colour);
}

void DrawWindow(QPainter& p) {
    p.setBrush(QColor(168, 200, 238, 110));
    QPen dash = Pen(kInk);
    dash.setCapStyle(Qt::FlatCap);
    dash.setDashPattern({2, 1.4});
    p.setPen(dash);
    p.drawRect(QRectF(4, 5, 16, 14));
    for (QPointF c : {QPointF(4, 5), QPointF(20, 5), QPointF(4, 19), QPointF(20, 19)})
        Box(p, QRectF(c.x() - 1.6, c.y() - 1.6, 3.2, 3.2), kBlue);
}

void DrawMoveCopy(QPainter& p) {
    Box(p, QRectF(2.5, 2.5, 11, 11), kPaper);
    Box(p, QRectF(9.5, 9.5, 12, 12), kBlue);
    Arrow(p, QPointF(15, 3.5), QPointF(21.5, 8.5), kRed);
}

void DrawColorChange(QPainter& p) {
    Box(p, QRectF(2, 2.5, 9, 9), kRed);
    Box(p, QRectF(13, 13, 9, 9), kBlue);
    QPainterPath bend(QPointF(12.5, 6));
    bend.quadTo(17.5, 6, 17.5, 9);
    Stroke(p, kInk, 2);
    p.drawPath(bend);
    Head(p, QPointF(17.5, 12.5), 90, kInk, 4.5);
}

void DrawClear(QPainter& p) {
    p.save();
    p.translate(12, 11);
    p.rotate(-38);
    Box(p, QRectF(-10, -4.5, 20, 9), kPaper);
    Box(p, QRectF(-10, -4.5, 8, 9), kRed);
    p.restore();
    p.setPen(Pen(kInk));
    p.drawLine(QPointF(3, 21.5), QPointF(21, 21.5));
    for (QPointF c : {QPointF(17, 18.5), QPointF(20.5, 18), QPointF(19, 15.5)})
        Dot(p, c, 0.9, kInk);
}

void DrawGrouping(QPainter& p) {
    const QColor colours[3] = {kRed, kGreen, kBlue};
    const QPointF dots[7] = {{4, 4.5}, {9, 6.5}, {4.5, 10}, {9.5, 12}, {4, 15.5}, {9, 17.5}, {5, 20.5}};
    for (int i = 0; i < 7; ++i)
        Dot(p, dots[i], 2, colours[i % 3]);
    Arrow(p, QPointF(12.5, 12), QPointF(17, 12), kInk);
    p.setPen(Pen(kInk));
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(20, 12), 3, 3);
    p.setBrush(kGreen.lighter(130));
    p.drawEllipse(QPointF(20, 5), 2.2, 2.2);
    p.drawEllipse(QPointF(20, 19), 2.2, 2.2);
}

// The four tiles of a 2 x 2 repeat, each with the same diamond.
void DrawRepeat(QPainter& p) {
    for (int ty = 0; ty < 2; ++ty)
        for (int tx = 0; tx < 2; ++tx) {
            const QRectF cell(2.5 + 10 * tx, 2.5 + 10 * ty, 9.5, 9.5);
            Box(p, cell, tx == 0 && ty == 0 ? kSky : kPaper);
            const QPointF c = cell.center();
            p.setPen(Pen(kInk, 1));
            p.setBrush(kRed);
            p.drawPolygon(QPolygonF(
                {c + QPointF(0, -3.3), c + QPointF(3.3, 0), c + QPointF(0, 3.3), c + QPointF(-3.3, 0)}));
        }
}

void DrawDraw(QPainter& p) {
    p.save();
    p.translate(12.5, 11.5);
    p.rotate(-45);
    Box(p, QRectF(-6, -3, 13, 6), kGold);
    Box(p, QRectF(7, -3, 3.5, 6), kRed);
    p.setBrush(QColor(240, 214, 170));
    p.drawPolygon(QPolygonF({QPointF(-6, -3), QPointF(-12, 0), QPointF(-6, 3)}));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(-10, -1), QPointF(-12.3, 0), QPointF(-10, 1)}));
    p.restore();
}

void DrawRepro(QPainter& p) {
    QPen dash = Pen(kInk, 1.2);
    dash.setDashPattern({2, 1.5});
    p.setPen(dash);
    p.drawRect(QRectF(2.5, 2.5, 19, 19));
    Box(p, QRectF(2.5, 2.5, 10, 10), kBlue);
    Arrow(p, QPointF(12.5, 12.5), QPointF(21, 21), kRed);
}

void DrawFill(QPainter& p) {
    p.save();
    p.translate(10, 13);
    p.rotate(35);
    Stroke(p, kInk);
    p.drawArc(QRectF(-5.5, -11, 11, 12), 0, 180 * 16);
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF({QPointF(-6.5, -5), QPointF(6.5, -5), QPointF(5, 7.5), QPointF(-5, 7.5)}));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(-6.5, -6.5, 13, 3));
    p.restore();
    QPainterPath drop(QPointF(18.8, 12.5));
    drop.cubicTo(19.5, 15, 22, 17, 22, 19);
    drop.cubicTo(22, 21.5, 18, 21.5, 18, 19);
    drop.cubicTo(18, 17, 18.5, 15, 18.8, 12.5);
    p.setPen(Pen(kInk, 1));
    p.setBrush(kBlue);
    p.drawPath(drop);
}

void DrawSpreadFill(QPainter& p) {
    QLinearGradient ramp(2.5, 0, 21.5, 0);
    ramp.setColorAt(0, kBlue);
    ramp.setColorAt(0.5, kPaper);
    ramp.setColorAt(1, kRed);
    p.setPen(Pen(kInk));
    p.setBrush(ramp);
    p.drawRect(QRectF(2.5, 6.5, 19, 11));
}

// Irregular but fixed, so the icon is the same on every run.
void DrawStipple(QPainter& p) {
    const QPointF dots[] = {{5, 5},  {11, 3.5}, {17, 6},  {20.5, 11}, {14, 9.5}, {7.5, 10},
                            {3, 14}, {10, 15},  {16, 14}, {20, 18.5}, {13, 20},  {6, 19.5}};
    for (int i = 0; i < 12; ++i)
        Dot(p, dots[i], i % 3 == 0 ? 1.9 : 1.4, i % 2 ? kBlue : kInk);
}

void DrawStyle(QPainter& p) {
    QPainterPath stroke(QPointF(2.5, 21));
    stroke.cubicTo(6, 17, 9, 23, 13.5, 19.5);
    Stroke(p, kRed, 2.5);
    p.drawPath(stroke);
    p.save();
    p.translate(14, 10);
    p.rotate(-45);
    Box(p, QRectF(0, -1.5, 11, 3), kGold);
    Box(p, QRectF(-4, -2.5, 4, 5), QColor(170, 176, 186));
    QPainterPath tuft(QPointF(-4, -2.5));
    tuft.cubicTo(-8, -2.5, -9, -0.5, -11, 0.5);
    tuft.cubicTo(-8, 2.5, -6, 2.5, -4, 2.5);
    p.setPen(Pen(kInk, 1));
    p.setBrush(kRed);
    p.drawPath(tuft);
    p.restore();
}

void DrawStripe(QPainter& p) {
    const QColor bands[6] = {kRed, kPaper, kBlue, kGold, kGreen, kRed};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        p.setBrush(bands[i]);
        p.drawRect(QRectF(2.5, 3 + 3 * i, 19, 3));
    }
    Stroke(p, kInk);
    p.drawRect(QRectF(2.5, 3, 19, 18));
}

void DrawSeparate(QPainter& p) {
    const QColor colours[3] = {kRed, kGreen, kBlue};
    const QPointF centres[3] = {{12, 7.5}, {7.5, 15.5}, {16.5, 15.5}};
    p.setPen(Pen(kInk, 1.2));
    for (int i = 0; i < 3; ++i) {
        QColor c = colours[i];
        c.setAlpha(165);
        p.setBrush(c);
        p.drawEllipse(centres[i], 5.8, 5.8);
    }
}

// Crosses on the holes of a canvas, in a small diamond.
void DrawStitch(QPainter& p) {
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            Dot(p, QPointF(3 + 6 * x, 3 + 6 * y), 0.8, QColor(150, 156, 166));
    const int cells[5][2] = {{1, 0}, {0, 1}, {2, 1}, {1, 2}, {1, 1}};
    for (const auto& c : cells) {
        const QRectF r(3 + 6 * c[0] + 0.8, 3 + 6 * c[1] + 0.8, 4.4, 4.4);
        p.setPen(Pen(c[0] == 1 && c[1] == 1 ? kBlue : kRed, 2));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
    }
}

// A stroked letter rather than a font, so it looks alike on every system.
void DrawText(QPainter& p) {
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin)); // fresh painter: no brush
    p.drawPolyline(QPolygonF({QPointF(4, 21.5), QPointF(12, 2.5), QPointF(20, 21.5)}));
    p.drawLine(QPointF(7.5, 15), QPointF(16.5, 15));
    p.setPen(Pen(kBlue, 1.5));
    p.drawLine(QPointF(22, 9), QPointF(22, 21.5));
}

void DrawCombo(QPainter& p) {
    const QColor colours[4] = {kRed, kGold, kGreen, kBlue};
    for (int i = 0; i < 4; ++i)
        Box(p, QRectF(1.5 + 5.5 * i, 6, 4, 12), colours[i]);
}

void DrawSmooth(QPainter& p) {
    QPainterPath wave(QPointF(2, 12));
    wave.cubicTo(5, 4, 9, 4, 12, 12);
    wave.cubicTo(15, 20, 19, 20, 22, 12);
    Stroke(p, kBlue, 2.8);
    p.drawPath(wave);
}

void DrawScratch(QPainter& p) {
    for (int i = 0; i < 3; ++i) {
        const qreal x = 3 + 6 * i, y = 2.5;
        p.setPen(QPen(i == 1 ? kRed : kInk, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
        p.drawPolyline(QPolygonF({QPointF(x + 6, y), QPointF(x + 2, y + 5), QPointF(x + 5, y + 7),
                                  QPointF(x + 0, y + 13), QPointF(x + 3, y + 15), QPointF(x - 1, y + 19)}));
    }
}

// Warp (blue, vertical) and weft (gold, horizontal) strands, each passing over
// and under the other in turn.
void DrawJacquard(QPainter& p) {
    p.setPen(Pen(kInk, 0.9));
    p.setBrush(kBlue);
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(3 + 5 * i, 2, 3, 20));
    p.setBrush(kGold);
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(2, 3 + 5 * i, 20, 3));
    for (int y = 0; y < 4; ++y)
        for (int x = y % 2; x < 4; x += 2) {
            const qreal left = 3 + 5 * x, top = 3 + 5 * y;
            p.fillRect(QRectF(left, top - 0.5, 3, 4), kBlue);
            p.drawLine(QPointF(left, top - 0.5), QPointF(left, top + 3.5));
            p.drawLine(QPointF(left + 3, top - 0.5), QPointF(left + 3, top + 3.5));
        }
}

void DrawUndo(QPainter& p) {
    QPainterPath back(QPointF(8, 9));
    back.lineTo(14, 9);
    back.cubicTo(22, 9, 22, 20, 14, 20);
    back.lineTo(9, 20);
    Stroke(p, kBlue, 2.6);
    p.drawPath(back);
    Head(p, QPointF(2.5, 9), 180, kBlue, 7);
}

// Half-drop: the second column of tiles slides down by half a tile.
void DrawPatternRepeat(QPainter& p) {
    p.save();
    p.setClipRect(QRectF(1, 1, 22, 22));
    for (int col = 0; col < 2; ++col)
        for (int row = -1; row < 2; ++row) {
            const QRectF cell(2.5 + 10 * col, 2.5 + 10 * row + 5 * col, 9.5, 9.5);
            if (cell.bottom() < 2 || cell.top() > 22) continue;
            Box(p, cell.intersected(QRectF(2.5, 2.5, 19.5, 19.5)), col == 0 && row == 0 ? kSky : kPaper);
            p.setPen(Pen(kInk, 1));
            p.setBrush(kGreen);
            p.drawEllipse(cell.center(), 2.6, 2.6);
        }
    p.restore();
    Stroke(p, kInk);
    p.drawRect(QRectF(2.5, 2.5, 19.5, 19.5));
}

void Draw3D(QPainter& p) {
    const QPointF top(12, 2.5), left(3, 7.5), right(21, 7.5), mid(12, 12.5), lowLeft(3, 17), lowRight(21, 17),
        bottom(12, 22);
    p.setPen(Pen(kInk, 1.3));
    p.setBrush(kSky);
    p.drawPolygon(QPolygonF({top, right, mid, left}));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({left, mid, bottom, lowLeft}));
    p.setBrush(kBlue.darker(150));
    p.drawPolygon(QPolygonF({mid, right, lowRight, bottom}));
    p.setPen(Pen(kGold, 1.2)); // the mapped design's grid running over two faces
    p.drawLine((left + lowLeft) / 2, (mid + bottom) / 2);
    p.drawLine((mid + bottom) / 2, (right + lowRight) / 2);
}

void DrawCarpet(QPainter& p) {
    p.setPen(Pen(kInk, 1));
    for (qreal x = 6; x <= 18.01; x += 2) {
        p.drawLine(QPointF(x, 0.8), QPointF(x, 3.5));
        p.drawLine(QPointF(x, 20.5), QPointF(x, 23.2));
    }
    Box(p, QRectF(5, 3.5, 14, 17), kRed);
    Stroke(p, kGold, 1.2);
    p.drawRect(QRectF(7, 5.5, 10, 13));
    p.setPen(Pen(kInk, 0.8));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(12, 8), QPointF(15, 12), QPointF(12, 16), QPointF(9, 12)}));
}

using TDrawIcon = void (*)(QPainter&);

// Index = tool number; null where the palette has no button.
const TDrawIcon kDrawers[kToolCount + 1] = {
    nullptr,      DrawWindow, DrawMoveCopy,      DrawColorChange, DrawClear,   DrawGrouping, DrawRepeat,
    DrawDraw,     DrawRepro,  DrawFill,          DrawSpreadFill,  DrawStipple, DrawStyle,    DrawStripe,
    DrawSeparate, DrawStitch, DrawText,          DrawCombo,       DrawSmooth,  DrawScratch,  DrawJacquard,
    DrawUndo,     nullptr,    DrawPatternRepeat, Draw3D,          DrawCarpet,
};

// Mid-grey version of a drawing: shading kept (so inner shapes still read), range
// squeezed to 96 .. 192 and opacity cut to 55 %.
void Disable(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = row[x];
            const int a = qAlpha(px);
            if (a == 0) continue;
            // Unpremultiply, take luminance, premultiply again at the reduced alpha.
            const int lum = (qRed(px) * 77 + qGreen(px) * 150 + qBlue(px) * 29) * 255 / (256 * a);
            const int grey = 96 + qMin(lum, 255) * 96 / 255;
            const int na = (a * 55 + 99) / 100; // rounded up: faint edges stay drawn
            const int g = grey * na / 255;
            row[x] = qRgba(g, g, g, na);
        }
    }
}

} // namespace

QImage ToolIcon(int tool, int size, bool enabled) {
    if (size < 1 || size > kToolIconMaxSize) return QImage();
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (tool < 0 || tool > kToolCount || !kDrawers[tool]) return image;
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 24.0, size / 24.0);
        kDrawers[tool](p);
    }
    if (!enabled) Disable(image);
    return image;
}
