#include "raster/Tpstretchimage.h"

#include "raster/Tpimage.h"
#include "raster/Viewscale.h"

TStretchView::TStretchView() : Owned(std::make_unique<TOrvaneBitmap>()), Current(Owned.get()) {}

TStretchView::~TStretchView() = default;

bool TStretchView::SetBitmap(const TOrvaneBitmap* bitmap) {
    if (bitmap == Current) return false;
    if (bitmap) {
        Owned.reset();
        Current = bitmap;
        return true;
    }
    if (Owned) return false;
    Owned = std::make_unique<TOrvaneBitmap>();
    Current = Owned.get();
    return true;
}

bool TStretchView::SetZoom(int zoomIn, int zoomOut) {
    if (zoomIn < 1 || zoomOut < 1 || (zoomIn == ZoomInV && zoomOut == ZoomOutV)) return false;
    ZoomInV = zoomIn, ZoomOutV = zoomOut;
    return true;
}

bool TStretchView::SetSize(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) return false;
    ControlW = width, ControlH = height;
    return true;
}

QImage TStretchView::Render() const {
    if (ControlW <= 0 || ControlH <= 0) return {};
    QImage frame(ControlW, ControlH, QImage::Format_RGB32);
    if (frame.isNull()) return {};
    const TOrvaneBitmap& b = *Current;
    if (ShowsPicture())
        ScalePicture(frame, frame.rect(), b, QPoint(0, 0), {ControlW, b.Width}, {ControlH, b.Height});
    else
        frame.fill(ColorRefToRgb32(kBtnFaceColor));
    return frame;
}
