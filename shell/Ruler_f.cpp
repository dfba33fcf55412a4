#include "shell/Ruler_f.h"

#include "raster/Tptextileimage_f.h"
#include "shell/Mainimage.h"

#include <QPainter>

TRuler::TRuler(Qt::Orientation orientation, TPTextileImage* view, QWidget* parent)
    : QWidget(parent), Orientation(orientation), View(view) {
    if (orientation == Qt::Horizontal)
        setFixedHeight(kThickness);
    else
        setFixedWidth(kThickness);
}

void TRuler::SetUnit(int unit, int dpi) {
    Unit = unit;
    Dpi = dpi;
    update();
}

QSize TRuler::sizeHint() const {
    return QSize(kThickness, kThickness);
}

void TRuler::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(palette().windowText().color());
    const TOrvaneBitmap* bitmap = View->Picture(); // the document's, shown by the view
    if (!bitmap || !bitmap->Allocated()) return;
    const bool horizontal = Orientation == Qt::Horizontal;
    const int length = horizontal ? View->width() : View->height();
    const int first = horizontal ? View->PositionX() : View->PositionY();
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.75));
    p.setFont(small);
    // Across the picture the vertical ruler counts from the bottom, as the pointer does.
    for (const TRulerTick& t : RulerTicks(first, length, View->GetZoomIn(), View->GetZoomOut(), Unit, Dpi,
                                          !horizontal, bitmap->Height)) {
        const int size = t.Major ? kThickness - 2 : kThickness / 3;
        if (horizontal) {
            p.drawLine(t.Pos, kThickness - size, t.Pos, kThickness - 1);
            if (t.Major) p.drawText(t.Pos + 2, 10, t.Label);
        } else {
            p.drawLine(kThickness - size, t.Pos, kThickness - 1, t.Pos);
            if (t.Major) {
                p.save();
                p.translate(10, t.Pos - 2);
                p.rotate(-90);
                p.drawText(0, 0, t.Label);
                p.restore();
            }
        }
    }
    p.drawLine(horizontal ? QLine(0, kThickness - 1, width(), kThickness - 1)
                          : QLine(kThickness - 1, 0, kThickness - 1, height()));
}
