// The frames of TImageView: normal, repeat and stretched display, partial repaints and
// the region outline.
#include "raster/Tpimage.h"

#include "raster/Viewoutline.h"
#include "raster/Viewrepeat.h"
#include "raster/Viewscale.h"

#include <algorithm>

namespace {

int64_t FloorMultiple(int64_t v, int64_t step) {
    const int64_t r = v % step;
    return r < 0 ? v - r - step : v - r;
}

// A QImage over the top-left w x h block of image's pixels (no copy).
QImage Block(QImage& image, QSize size) {
    return QImage(image.bits(), size.width(), size.height(), image.bytesPerLine(), image.format());
}

} // namespace

QRect TImageView::VisibleSource(const TOrvaneBitmap& bitmap, int top) const {
    const int zo = GetZoomOut();
    int64_t vw = std::min<int64_t>(ViewW(), int64_t(bitmap.Width) - PosX);
    int64_t vh = std::min<int64_t>(ViewH(), int64_t(bitmap.Height) - top);
    vw = std::max<int64_t>(vw - vw % zo, 0);
    vh = std::max<int64_t>(vh - vh % zo, 0);
    return QRect(PosX, top, int(vw), int(vh));
}

QSize TImageView::CanvasSize(const QRect& source) const {
    const int64_t zi = GetZoomIn(), zo = GetZoomOut();
    return QSize(int(source.width() * zi / zo), int(source.height() * zi / zo));
}

void TImageView::DrawPicture(QImage& picture, const TOrvaneBitmap& bitmap, const QRect& source, QPoint canvas,
                             uint32_t background, const TColorRef* border, const TPictureHook& hook) const {
    const TScaleRatio r{GetZoomIn(), GetZoomOut()};
    if (source.left() < 0 || source.top() < 0) picture.fill(background);
    if (!ScalePicture(picture, picture.rect(), bitmap, source.topLeft(), r, r)) picture.fill(background);
    if (MaskOn && ShownMask)
        ScalePicture(picture, picture.rect(), *ShownMask, source.topLeft(), r, r, TScaleOp::Xor);
    const QPointF ref = GridReference(source.topLeft(), canvas);
    DrawGrid(picture, picture.rect(), EffectiveGrid(), GetZoomIn(), GetZoomOut(), ref.x(), ref.y(), border);
    if (hook) hook(picture, source.topLeft());
}

QImage TImageView::Render(const TOrvaneBitmap& bitmap, const TPictureHook& hook) const {
    if (!bitmap.Allocated() || ControlW <= 0 || ControlH <= 0 || MaskBlocksPainting()) return {};
    if (Stretch) return RenderStretched(bitmap);
    if (RepeatWrap(bitmap).On()) return RenderRepeat(bitmap, hook);
    QImage frame(ControlW, ControlH, QImage::Format_RGB32);
    if (frame.isNull()) return {};
    const uint32_t fill = ColorRefToRgb32(Color);
    const QRect source = VisibleSource(bitmap, PosY);
    const QSize size = CanvasSize(source);
    if (size.isEmpty()) {
        frame.fill(fill);
        return frame;
    }
    FillAround(frame, QRect(QPoint(0, 0), size), fill);
    QImage picture = Block(frame, size);
    DrawPicture(picture, bitmap, source, QPoint(0, 0), fill, nullptr, hook);
    return frame;
}

QImage TImageView::RenderRepeat(const TOrvaneBitmap& bitmap, const TPictureHook& hook) const {
    QImage frame(ControlW, ControlH, QImage::Format_RGB32);
    const TScaleRatio r{GetZoomIn(), GetZoomOut()};
    const TRepeatWrap wrap = RepeatWrap(bitmap);
    const QPoint origin(PosX, PosY);
    if (frame.isNull() ||
        !RepeatPicture(frame, bitmap, MaskOn ? MaskBitmap.get() : nullptr, wrap, origin, r, r))
        return {};
    DrawTileGrids(frame, EffectiveGrid(), wrap, origin, GetZoomIn(), GetZoomOut(), BorderColor);
    if (hook) hook(frame, origin);
    return frame;
}

QImage TImageView::RenderStretched(const TOrvaneBitmap& bitmap) const {
    QImage frame(ControlW, ControlH, QImage::Format_RGB32);
    if (frame.isNull()) return {};
    const TScaleRatio rx{ControlW, bitmap.Width}, ry{ControlH, bitmap.Height};
    ScalePicture(frame, frame.rect(), bitmap, QPoint(0, 0), rx, ry);
    if (MaskOn && ShownMask)
        ScalePicture(frame, frame.rect(), *ShownMask, QPoint(0, 0), rx, ry, TScaleOp::Xor);
    return frame;
}

TRectFrame TImageView::RenderRect(const TOrvaneBitmap& bitmap, const QRect& rect,
                                  const TPictureHook& hook) const {
    if (!bitmap.Allocated() || RepeatWrap(bitmap).On() || Stretch || rect.isEmpty() || MaskBlocksPainting())
        return {};
    if (rect.left() >= bitmap.Width || rect.right() < PosX || rect.top() >= bitmap.Height ||
        rect.bottom() < PosY)
        return {};
    const QRect visible = VisibleSource(bitmap, PosY);
    const int64_t zo = GetZoomOut();
    // Relative to the position; edges on whole output pixels (right and bottom run to
    // the end of the ZoomOut cell that holds the rectangle's last pixel).
    const int64_t left = FloorMultiple(std::max<int64_t>(int64_t(rect.left()) - PosX, 0), zo);
    const int64_t top = FloorMultiple(std::max<int64_t>(int64_t(rect.top()) - PosY, 0), zo);
    const int64_t right =
        std::min<int64_t>(FloorMultiple(int64_t(rect.right()) - PosX, zo) + zo, visible.width());
    const int64_t bottom =
        std::min<int64_t>(FloorMultiple(int64_t(rect.bottom()) - PosY, zo) + zo, visible.height());
    if (right <= left || bottom <= top) return {};
    const QRect source(PosX + int(left), PosY + int(top), int(right - left), int(bottom - top));
    const int64_t zi = GetZoomIn();
    TRectFrame out;
    out.At = QPoint(int(left * zi / zo), int(top * zi / zo));
    out.Origin = source.topLeft();
    out.Image = QImage(CanvasSize(source), QImage::Format_RGB32);
    if (out.Image.isNull()) return {};
    DrawPicture(out.Image, bitmap, source, out.At, ColorRefToRgb32(Color), nullptr, hook);
    return out;
}

QRect TImageView::PictureRect(const TOrvaneBitmap& bitmap) const {
    if (RepeatWrap(bitmap).On() || Stretch) return QRect(0, 0, ControlW, ControlH);
    return QRect(QPoint(0, 0), CanvasSize(VisibleSource(bitmap, PosY)));
}

QRegion TImageView::RegionOutline(const TOrvaneBitmap& bitmap) const {
    if (!bitmap.HasRegion()) return {};
    const QRect clip = PictureRect(bitmap);
    const QRegion shown =
        CanvasRegion(bitmap.Handle.Region, GetZoomIn(), GetZoomOut(), QPoint(PosX, PosY), 0, clip);
    return RegionEdge(shown, clip);
}
