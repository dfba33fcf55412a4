#include "raster/Tpselectimage_f.h"

#include "raster/Viewoutline.h"

#include <QPainter>

TPSelectImage::TPSelectImage(QWidget* parent) : TPImage(std::make_unique<TSelectView>(), parent) {
    CreateBitmap();
}

TPSelectImage::~TPSelectImage() = default;

void TPSelectImage::SetColorEnable(bool on) {
    if (Select().ColorEnable == on) return;
    EditSelect().ColorEnable = on;
    Invalidate();
}

void TPSelectImage::SetCrossShown(bool on) {
    if (Select().CrossShown == on) return;
    EditSelect().CrossShown = on;
    Invalidate();
}

void TPSelectImage::SetCrossPos(QPoint canvas) {
    EditSelect().CrossPos = canvas;
    if (Select().CrossShown && Select().CrossLine) Invalidate();
}

bool TPSelectImage::PositionChange() {
    SyncSize();
    return EditSelect().PositionChange();
}

void TPSelectImage::PropertyChange() {
    if (PositionChange() && OnPositionChange) OnPositionChange(this);
    Invalidate();
}

QImage TPSelectImage::BuildFrame() {
    // The followed view may have changed zoom since the last frame.
    if (PositionChange() && OnPositionChange) OnPositionChange(this);
    QImage frame = Select().Render(*Bitmap(), [this](QImage& picture, QPoint) {
        if (!OnPaintZoom) return;
        QPainter painter(&picture);
        OnPaintZoom(this, painter);
    });
    if (OnPaint) OnPaint(this);
    return frame;
}

void TPSelectImage::resizeEvent(QResizeEvent* event) {
    TPImage::resizeEvent(event);
    if (PositionChange() && OnPositionChange) OnPositionChange(this);
}

void TPSelectImage::OutlineBitmapRgn() {
    const TOrvaneBitmap& b = *Bitmap();
    if (b.HasDC || !b.Allocated() || !b.HasRegion()) return;
    EditView().FramePhase = (View().FramePhase + 1) % 8;
    if (!EnsureFrame()) return;
    const QRegion edge = Select().RegionOutline(b);
    DrawFramePattern(Frame, edge, View().FramePhase);
    update(edge.boundingRect());
}
