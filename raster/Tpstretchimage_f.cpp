#include "raster/Tpstretchimage_f.h"

#include <QPainter>

TPStretchImage::TPStretchImage(QWidget* parent) : QWidget(parent) {
    resize(105, 105);
}

TPStretchImage::~TPStretchImage() = default;

void TPStretchImage::SetBitmap(const TOrvaneBitmap* bitmap) {
    if (View.SetBitmap(bitmap)) update();
}

void TPStretchImage::SetZoom(int zoomIn, int zoomOut) {
    if (View.SetZoom(zoomIn, zoomOut)) update();
}

void TPStretchImage::paintEvent(QPaintEvent*) {
    if (!View.SetSize(width(), height()) || width() <= 0 || height() <= 0) return;
    QPainter painter(this);
    if (OnDraw) {
        OnDraw(painter, View.ZoomIn(), View.ZoomOut());
    } else {
        painter.drawImage(0, 0, View.Render());
        if (!View.ShowsPicture()) return;
    }
    painter.end();
    if (OnPaintEnd) OnPaintEnd(this);
}
