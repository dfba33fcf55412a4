#include "shell/Print.h"

#include "colour/Palette.h"

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

QImage DesignImageView(const TOrvaneBitmap& picture, const TPalette* palette) {
    if (!picture.Allocated() || (picture.BitsPerPixel != 8 && picture.BitsPerPixel != 24)) return {};
    if (picture.BitsPerPixel == 24)
        return QImage(picture.ScanLine(0), picture.Width, picture.Height, picture.BytesPerLine(),
                      QImage::Format_BGR888);
    QImage view(picture.ScanLine(0), picture.Width, picture.Height, picture.BytesPerLine(),
                QImage::Format_Indexed8);
    QList<QRgb> table(256);
    TRGBQuad quads[256];
    if (palette)
        palette->GetQuads(quads);
    else
        picture.GetColors(0, 256, quads);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    view.setColorTable(table);
    return view;
}

void PaintDesign(QPainter& painter, const TOrvaneBitmap& picture, const TPalette* palette,
                 const QRect& target) {
    const QImage view = DesignImageView(picture, palette);
    if (view.isNull() || target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false); // design pixels stay sharp blocks
    painter.drawImage(target, view);
    painter.restore();
}
