#include "raster/Tpimage.h"

#include <algorithm>
#include <climits>

namespace {

int Saturate(int64_t v) {
    return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

// Rounds down to a multiple of step (step >= 1), also for negative values.
int64_t FloorMultiple(int64_t v, int64_t step) {
    const int64_t r = v % step;
    return r < 0 ? v - r - step : v - r;
}

// Positions a parent does not clamp stay far enough from the int limits for the arithmetic.
constexpr int64_t kPositionLimit = int64_t(1) << 30;

} // namespace

bool TImageView::SetSize(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) return false;
    ControlW = width, ControlH = height;
    return true;
}

bool TImageView::SetParent(const TImageView* parent) {
    for (const TImageView* p = parent; p; p = p->ParentView)
        if (p == this) return false;
    ParentView = parent;
    return true;
}

int TImageView::ViewW() const {
    return int(int64_t(ControlW) * GetZoomOut() / GetZoomIn());
}

int TImageView::ViewH() const {
    return int(int64_t(ControlH) * GetZoomOut() / GetZoomIn());
}

int TImageView::BitmapToCanvasX(int x) const {
    return Saturate(GetZoomIn() * (int64_t(x) - PosX) / GetZoomOut());
}

int TImageView::BitmapToCanvasY(int y) const {
    return Saturate(GetZoomIn() * (int64_t(y) - PosY) / GetZoomOut());
}

int TImageView::CanvasToBitmapX(int x) const {
    return Saturate(FloorDiv(int64_t(x) * GetZoomOut(), GetZoomIn()) + PosX);
}

int TImageView::CanvasToBitmapY(int y) const {
    return Saturate(FloorDiv(int64_t(y) * GetZoomOut(), GetZoomIn()) + PosY);
}

QPoint TImageView::CanvasToBitmap(QPoint canvas) const {
    return RepeatWrap().Wrap(CanvasToBitmapX(canvas.x()), CanvasToBitmapY(canvas.y()));
}

bool TImageView::SetRepeat(int kind) {
    if (kind < RepeatOff || kind > RepeatDropHorizontal || kind == RepeatKindV) return false;
    RepeatKindV = kind;
    return true;
}

TRepeatWrap TImageView::RepeatWrap(const TOrvaneBitmap& picture) const {
    if (!picture.Allocated()) return {};
    const int drop = RepeatKindV == RepeatDropVertical     ? picture.Height / 2
                     : RepeatKindV == RepeatDropHorizontal ? picture.Width / 2
                                                           : 0;
    return {RepeatKindV, picture.Width, picture.Height, drop};
}

int TImageView::RectBitmapToRectCanvasX(int x, int origin) const {
    return Saturate(GetZoomIn() * (int64_t(x) - std::max(PosX, origin)) / GetZoomOut());
}

int TImageView::RectBitmapToRectCanvasY(int y, int origin) const {
    return Saturate(GetZoomIn() * (int64_t(y) - std::max(PosY, origin)) / GetZoomOut());
}

bool TImageView::SetZoom(int zoomIn, int zoomOut, std::optional<QPoint> anchor) {
    if (ParentView || zoomIn < 1 || zoomOut < 1 || zoomIn > kMaxZoom || zoomOut > kMaxZoom) return false;
    if (zoomIn == ZoomIn && zoomOut == ZoomOut) return false;
    const int64_t bw = Bitmap ? Bitmap->Width : 0, bh = Bitmap ? Bitmap->Height : 0;
    const QPoint a = anchor ? *anchor : QPoint(ControlW / 2, ControlH / 2);
    const int64_t ax = std::clamp<int64_t>(int64_t(a.x()) * ZoomOut / ZoomIn, 0, bw);
    const int64_t ay = std::clamp<int64_t>(int64_t(a.y()) * ZoomOut / ZoomIn, 0, bh);
    // The anchored bitmap point moves from ax to ax * B / A canvas-equivalent pixels.
    const int64_t A = int64_t(ZoomOut) * zoomIn, B = int64_t(ZoomIn) * zoomOut;
    int64_t px = PosX, py = PosY;
    if (A <= B)
        px -= ax * B / A - ax, py -= ay * B / A - ay;
    else
        px += ax - ax * B / A, py += ay - ay * B / A;
    ZoomIn = zoomIn, ZoomOut = zoomOut;
    px = std::max<int64_t>(std::min<int64_t>(px, MaxPositionX()), 0);
    py = std::max<int64_t>(std::min<int64_t>(py, MaxPositionY()), 0);
    if (ZoomOut > 1) px = FloorMultiple(px, ZoomOut), py = FloorMultiple(py, ZoomOut);
    PosX = int(px), PosY = int(py);
    return true;
}

bool TImageView::SetPositionX(int x) {
    int64_t v = x;
    if (ParentView) {
        v = std::clamp(v, -kPositionLimit, kPositionLimit);
    } else {
        v = std::clamp<int64_t>(v, 0, MaxPositionX());
    }
    if (GetZoomOut() > 1) v = FloorMultiple(v, GetZoomOut());
    if (v == PosX) return false;
    PosX = int(v);
    return true;
}

bool TImageView::SetPositionY(int y) {
    int64_t v = y;
    if (ParentView) {
        v = std::clamp(v, -kPositionLimit, kPositionLimit);
    } else {
        v = std::clamp<int64_t>(v, 0, MaxPositionY());
    }
    if (GetZoomOut() > 1) v = FloorMultiple(v, GetZoomOut());
    if (v == PosY) return false;
    PosY = int(v);
    return true;
}

bool TImageView::SetPosition(int x, int y) {
    const bool cx = SetPositionX(x);
    const bool cy = SetPositionY(y);
    return cx || cy;
}

int TImageView::MaxPositionX() const {
    const int w = Bitmap ? Bitmap->Width : 0;
    return RepeatWrap().On() ? w - 1 : w - std::min(ViewW(), w);
}

int TImageView::MaxPositionY() const {
    const int h = Bitmap ? Bitmap->Height : 0;
    return RepeatWrap().On() ? h - 1 : h - std::min(ViewH(), h);
}

void TImageView::SetPosition() {
    PosX = std::clamp(PosX, 0, MaxPositionX());
    PosY = std::clamp(PosY, 0, MaxPositionY());
}

void TImageView::SetMask(std::unique_ptr<TOrvaneBitmap> mask) {
    MaskBitmap = std::move(mask);
    ShownMask = MaskBitmap.get();
    if (!ShownMask) MaskOn = false;
}

void TImageView::ShowMask(const TOrvaneBitmap* mask) {
    MaskBitmap.reset();
    ShownMask = mask;
    if (!ShownMask) MaskOn = false;
}

bool TImageView::SetMaskEnabled(bool on) {
    MaskOn = on && ShownMask;
    return MaskOn;
}

const TGridSettings& TImageView::EffectiveGrid() const {
    return ParentView ? ParentView->EffectiveGrid() : GridSettings;
}

bool TImageView::MaskBlocksPainting() const {
    return MaskOn && ShownMask && !ShownMask->Allocated();
}

QPointF TImageView::GridReference(QPoint source, QPoint canvas) const {
    if (!ParentView) return QPointF(source);
    const int64_t zi = GetZoomIn(), zo = GetZoomOut();
    const QPoint d = Origin - ParentView->Origin + canvas;
    return QPointF(double(d.x() * zo / zi + ParentView->PositionX()),
                   double(d.y() * zo / zi + ParentView->PositionY()));
}
