#include "shell/Print.h"

#include "raster/Bitmapimage.h"

#include <QPainter>
#include <algorithm>

QRect DesignPlacement(QSize picture, int dpi, const QRect& page, int deviceDpi) {
    if (picture.isEmpty() || page.isEmpty() || dpi <= 0 || deviceDpi <= 0) return {};
    QSize size(int(double(picture.width()) * deviceDpi / dpi),
               int(double(picture.height()) * deviceDpi / dpi));
    if (size.width() > page.width() || size.height() > page.height() || size.isEmpty())
        size = picture.scaled(page.size(), Qt::KeepAspectRatio);
    size = size.expandedTo(QSize(1, 1));
    return QRect(page.left() + (page.width() - size.width()) / 2,
                 page.top() + (page.height() - size.height()) / 2, size.width(), size.height());
}

void PaintDesign(QPainter& painter, const TOrvaneBitmap& picture, const TPalette* palette,
                 const QRect& target) {
    const QImage view = BitmapView(picture, palette);
    if (view.isNull() || target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false); // design pixels stay sharp blocks
    painter.drawImage(target, view);
    painter.restore();
}
