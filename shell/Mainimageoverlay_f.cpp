// The document window's tool overlays: a rubber band, a shape's preview and a floating
// piece, drawn over the shown frame; the design is never touched, and each overlay goes
// when the part of the frame under it is painted again.
#include "raster/Tptextileimage_f.h"
#include "shell/Mainimage_f.h"

#include <QPainter>
#include <cmath>

void TMainImageForm::ShowRubberBand(const QRect& rect) {
    if (!RubberBand.isEmpty()) iMainImage->RectPaint(RubberBand);
    // In the repeat display the band may reach over the seams; else it stays on the picture.
    RubberBand = Repeat().On() ? rect : rect.intersected(Doc->Bounds());
    if (RubberBand.isEmpty()) return;
    iMainImage->RectEditPaint(RubberBand, [](QPainter& p, int, int) {
        const QRect edge(0, 0, p.device()->width() - 1, p.device()->height() - 1);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(edge);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(edge);
    });
}

void TMainImageForm::ShowShape(const std::vector<QPolygon>& lines) {
    if (!ShapeBox.isEmpty()) iMainImage->RectPaint(ShapeBox); // the last preview goes
    ShapeBox = QRect();
    for (const QPolygon& line : lines)
        ShapeBox |= line.boundingRect();
    if (ShapeBox.isEmpty()) return;
    iMainImage->PaintImageEdit([this, &lines](TPImage*, QPainter& p) {
        const TImageView& view = iMainImage->View();
        const int half = view.GetZoomIn() / view.GetZoomOut() / 2; // to the middle of a zoomed pixel
        for (const QPolygon& line : lines) {
            QPolygon shown;
            for (const QPoint& q : line)
                shown << QPoint(view.BitmapToCanvasX(q.x()) + half, view.BitmapToCanvasY(q.y()) + half);
            p.setPen(QPen(Qt::white, 1));
            p.drawPolyline(shown);
            p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            p.drawPolyline(shown);
        }
    });
}

void TMainImageForm::ShowFloating(const QImage& picture, QPoint at) {
    if (!FloatBox.isEmpty()) iMainImage->RectPaint(FloatBox); // where it was shows the design again
    const QRect box(at, picture.size());
    // In the repeat display the piece may reach over the seams; else it shows on the picture.
    FloatBox = picture.isNull() ? QRect() : Repeat().On() ? box : box.intersected(Doc->Bounds());
    if (FloatBox.isEmpty()) return;
    iMainImage->PaintImageEdit([&](TPImage*, QPainter& p) {
        const TImageView& view = iMainImage->View();
        const double scale = double(view.GetZoomIn()) / view.GetZoomOut();
        const QPoint origin(view.BitmapToCanvasX(at.x()), view.BitmapToCanvasY(at.y()));
        // Only the piece's pixels within the view are drawn.
        const QRect within(QPoint(int(std::floor(-origin.x() / scale)), int(std::floor(-origin.y() / scale))),
                           QSize(int(std::ceil(p.device()->width() / scale)) + 1,
                                 int(std::ceil(p.device()->height() / scale)) + 1));
        const QRect source = within.intersected(picture.rect());
        if (source.isEmpty()) return;
        p.drawImage(
            QRectF(QPointF(origin) + QPointF(source.topLeft()) * scale, QSizeF(source.size()) * scale),
            picture, source);
    });
}

QRect TMainImageForm::Visible() const {
    const TImageView& view = iMainImage->View();
    const QPoint from(view.CanvasToBitmapX(0), view.CanvasToBitmapY(0));
    const QPoint to(view.CanvasToBitmapX(iMainImage->width()), view.CanvasToBitmapY(iMainImage->height()));
    return QRect(from, to).intersected(Doc->Bounds());
}
