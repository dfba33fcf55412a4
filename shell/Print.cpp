#include "shell/Print.h"

#include "raster/Bitmapimage.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

QRect FitPlacement(QSize picture, const QRect& page) {
    if (picture.isEmpty() || page.isEmpty()) return {};
    const QSize size = picture.scaled(page.size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return QRect(page.left() + (page.width() - size.width()) / 2,
                 page.top() + (page.height() - size.height()) / 2, size.width(), size.height());
}

QRect DesignPlacement(QSize picture, int dpi, const QRect& page, int deviceDpi) {
    if (picture.isEmpty() || page.isEmpty() || dpi <= 0 || deviceDpi <= 0) return {};
    const QSize size(int(double(picture.width()) * deviceDpi / dpi),
                     int(double(picture.height()) * deviceDpi / dpi));
    if (size.width() > page.width() || size.height() > page.height() || size.isEmpty())
        return FitPlacement(picture, page);
    return QRect(page.left() + (page.width() - size.width()) / 2,
                 page.top() + (page.height() - size.height()) / 2, size.width(), size.height());
}

namespace {

constexpr int kBandOverlap = 16; // rows; at a 15 % preview of a 1200-dpi page still over a screen pixel

// The mask's rows under band (picture coordinates) as Grayscale8, or null when band
// lies outside it (all white then).
QImage MaskBand(const TDesignPart& part, const QRect& band) {
    const QImage view = BitmapView(*part.Mask, nullptr);
    const QRect inMask = band.translated(-part.MaskOrigin);
    QImage out(band.size(), QImage::Format_Grayscale8);
    if (out.isNull()) return out;
    out.fill(0);
    const QRect common = inMask & view.rect();
    for (int y = common.top(); y <= common.bottom(); ++y)
        std::copy_n(view.constScanLine(y) + common.left(), common.width(),
                    out.scanLine(y - inMask.top()) + (common.left() - inMask.left()));
    return out;
}

} // namespace

bool PaintDesignPart(QPainter& painter, const TDesignPart& part,
                     const std::function<bool(int done, int total)>& band) {
    if (!part.Picture) return false;
    const QRect source = part.Source & QRect(0, 0, part.Picture->Width, part.Picture->Height);
    if (source.isEmpty() || part.Target.isEmpty()) return true;
    const QImage view = BitmapView(*part.Picture, part.Palette);
    if (view.isNull()) return false;
    const double sx = part.Target.width() / part.Source.width();
    const double sy = part.Target.height() / part.Source.height();
    const int bytes = view.depth() / 8;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false); // design pixels stay sharp blocks
    bool done = true;
    const int total = (source.height() + kPrintBandRows - 1) / kPrintBandRows;
    for (int i = 0; i < total && done; ++i) {
        // Each band but the last takes the next band's first rows along, which that band
        // paints over again: a preview scaled far down rounds band edges to whole screen
        // pixels, and without the overlap shows a hairline of paper between bands.
        const int top = source.top() + i * kPrintBandRows;
        const QRect rows(source.left(), top, source.width(),
                         std::min(kPrintBandRows + kBandOverlap, source.bottom() + 1 - top));
        // A view of the band's rows without a copy; a mask needs a copy with white outside.
        QImage image(view.constScanLine(rows.top()) + rows.left() * bytes, rows.width(), rows.height(),
                     view.bytesPerLine(), view.format());
        image.setColorTable(view.colorTable());
        if (part.Mask) {
            TImagePart masked{rows, {}, MaskBand(part, rows)};
            image = masked.Mask.isNull() ? QImage() : BitmapImage(*part.Picture, part.Palette, masked);
        }
        if (image.isNull()) {
            done = false;
            break;
        }
        // Band edges on whole device pixels, so no scaling rounds them apart.
        const double left = part.Target.left() + (rows.left() - part.Source.left()) * sx;
        const double y0 = std::round(part.Target.top() + (rows.top() - part.Source.top()) * sy);
        const double y1 = std::round(part.Target.top() + (rows.bottom() + 1 - part.Source.top()) * sy);
        const QRectF target(left, y0, rows.width() * sx, y1 - y0);
        painter.drawImage(target, image);
        if (band && !band(i + 1, total)) done = false;
    }
    painter.restore();
    return done;
}

void PaintDesign(QPainter& painter, const TOrvaneBitmap& picture, const TPalette* palette,
                 const QRect& target) {
    TDesignPart part;
    part.Picture = &picture;
    part.Palette = palette;
    part.Source = QRect(0, 0, picture.Width, picture.Height);
    part.Target = QRectF(target);
    PaintDesignPart(painter, part);
}
