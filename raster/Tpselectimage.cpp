#include "raster/Tpselectimage.h"

#include "raster/Viewoutline.h"
#include "raster/Viewscale.h"

#include <algorithm>
#include <climits>

bool TSelectView::PositionChange() {
    if (!Bitmap || !Bitmap->Allocated()) return false;
    const int64_t zi = GetZoomIn(), zo = GetZoomOut(), h = Bitmap->Height, viewH = ViewH();
    int64_t offset = 0, pos = PositionY();
    if (Bitmap->BottomUp && viewH <= h) {
        // The part of the last row that does not fit stays at the top.
        offset = zi < 2 ? 0 : Height() - viewH * zi / zo;
        pos = h - PositionY() - viewH;
    } else if (Bitmap->BottomUp) {
        offset = Height() - h * zi / zo; // the picture stands on the bottom edge
        pos = 0;
    }
    const bool changed = offset != YOffsetV || pos != YPosV;
    YOffsetV = int(offset), YPosV = int(pos);
    return changed;
}

int TSelectView::BitmapToCanvasY(int y) const {
    return int(
        std::clamp<int64_t>(GetZoomIn() * (int64_t(y) - YPosV) / GetZoomOut() + YOffsetV, INT_MIN, INT_MAX));
}

int TSelectView::CanvasToBitmapY(int y) const {
    return int(
        std::clamp<int64_t>((int64_t(y) - YOffsetV) * GetZoomOut() / GetZoomIn() + YPosV, INT_MIN, INT_MAX));
}

QRect TSelectView::PictureArea(const TOrvaneBitmap& bitmap, QRect* source) const {
    *source = VisibleSource(bitmap, YPosV);
    const int top = bitmap.BottomUp ? YOffsetV : 0;
    return QRect(QPoint(0, top), CanvasSize(*source));
}

QImage TSelectView::Render(const TOrvaneBitmap& bitmap, const TPictureHook& hook) const {
    if (!bitmap.Allocated() || Width() <= 0 || Height() <= 0 || MaskBlocksPainting()) return {};
    QImage frame(Width(), Height(), QImage::Format_ARGB32_Premultiplied);
    if (frame.isNull()) return {};
    frame.fill(0u);
    QRect source;
    const QRect area = PictureArea(bitmap, &source);
    const uint32_t colour = ColorRefToRgb32(Color);
    if (ColorEnable) FillAround(frame, area, colour);
    if (area.isEmpty()) return frame;
    QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) return {};
    DrawPicture(picture, bitmap, source, area.topLeft(), ColorEnable ? colour : 0u, nullptr, hook);
    if (CrossShown && CrossLine) {
        // Two inverting lines: the pixel where they cross is inverted twice.
        InvertPixels(picture, QRect(CrossPos.x(), 0, 1, picture.height()));
        InvertPixels(picture, QRect(0, CrossPos.y() - area.top(), picture.width(), 1));
    }
    for (int y = 0; y < picture.height(); ++y) {
        const int row = area.top() + y;
        if (row < 0 || row >= frame.height()) continue;
        const int w = std::min(picture.width(), frame.width());
        std::copy_n(reinterpret_cast<const uint32_t*>(picture.constScanLine(y)), w,
                    reinterpret_cast<uint32_t*>(frame.scanLine(row)));
    }
    return frame;
}

QRegion TSelectView::RegionOutline(const TOrvaneBitmap& bitmap) const {
    if (!bitmap.HasRegion()) return {};
    QRect source;
    const QRect clip = PictureArea(bitmap, &source).intersected(QRect(0, 0, Width(), Height()));
    const QRegion shown = CanvasRegion(bitmap.Handle.Region, GetZoomIn(), GetZoomOut(),
                                       QPoint(PositionX(), YPosV), bitmap.BottomUp ? YOffsetV : 0, clip);
    return RegionEdge(shown, clip);
}
