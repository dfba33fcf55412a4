#include "raster/Tptextileimage_f.h"

#include "raster/Viewoutline.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

TPImage::TPImage(QWidget* parent) : TPImage(std::make_unique<TImageView>(), parent) {}

TPImage::TPImage(std::unique_ptr<TImageView> view, QWidget* parent)
    : QWidget(parent), ViewV(std::move(view)) {
    resize(105, 105);
    setMouseTracking(true); // moves are reported without a button held, for the tools' cursors
    ViewV->SetSize(width(), height());
}

TPImage::~TPImage() {
    emit Destroying();
    if (BitmapV) BitmapV->OnChange = nullptr;
}

void TPImage::CreateBitmap() {
    BitmapV = std::make_unique<TOrvaneBitmap>();
    BitmapV->OnChange = [this] { PropertyChange(); };
    ViewV->Bitmap = BitmapV.get();
}

void TPImage::ShowPicture(const TOrvaneBitmap* picture) {
    ShowsOther = picture != nullptr;
    ViewV->Bitmap = picture ? picture : BitmapV.get();
    ViewV->SetPosition();
    Invalidate();
}

void TPImage::SyncSize() {
    ViewV->SetSize(width(), height());
}

void TPImage::Invalidate() {
    FrameValid = false;
    update();
}

bool TPImage::EnsureFrame() {
    if (!FrameValid) {
        Frame = BuildFrame();
        FrameValid = true;
    }
    return !Frame.isNull();
}

QImage TPImage::BuildFrame() {
    SyncSize();
    QImage frame = Picture() ? ViewV->Render(*Picture()) : QImage();
    if (OnPaint) OnPaint(this);
    return frame;
}

void TPImage::Paint() {
    FrameValid = false;
    EnsureFrame();
    update();
}

void TPImage::PropertyChange() {
    Invalidate();
}

void TPImage::AfterPositionStep(bool changed) {
    const bool notify = PositionChange();
    if (!changed && !notify) return;
    if (OnPositionChange) OnPositionChange(this);
    Invalidate();
}

void TPImage::SetZoom(int zoomIn, int zoomOut, std::optional<QPoint> anchor) {
    SyncSize();
    if (!ViewV->SetZoom(zoomIn, zoomOut, anchor)) return;
    if (PositionChange() && OnPositionChange) OnPositionChange(this);
    Invalidate();
}

void TPImage::SetPositionX(int x) {
    SyncSize();
    AfterPositionStep(ViewV->SetPositionX(x));
}

void TPImage::SetPositionY(int y) {
    SyncSize();
    AfterPositionStep(ViewV->SetPositionY(y));
}

void TPImage::SetPosition(int x, int y) {
    SyncSize();
    AfterPositionStep(ViewV->SetPosition(x, y));
}

void TPImage::SetPosition() {
    SyncSize();
    ViewV->SetPosition();
    PositionChange();
    if (OnPositionChange) OnPositionChange(this);
    Invalidate();
}

void TPImage::SetParentImage(TPImage* parent) {
    if (parent == ParentV) return;
    if (!ViewV->SetParent(parent ? parent->ViewV.get() : nullptr)) return;
    if (ParentV) disconnect(ParentV, &TPImage::Destroying, this, nullptr);
    ParentV = parent;
    if (parent) connect(parent, &TPImage::Destroying, this, [this] { SetParentImage(nullptr); });
    Invalidate();
}

void TPImage::SetColor(TColorRef colour) {
    if (ViewV->Color == colour) return;
    ViewV->Color = colour;
    Invalidate();
}

template <class T> void TPImage::StoreGrid(T TGridSettings::*field, T value) {
    if (ViewV->Parent() || ViewV->GridSettings.*field == value) return;
    ViewV->GridSettings.*field = value;
    Invalidate();
}

void TPImage::SetGrid(bool on) {
    StoreGrid(&TGridSettings::Grid, on);
}
void TPImage::SetGridColor(TColorRef colour) {
    StoreGrid(&TGridSettings::GridColor, colour);
}
void TPImage::SetGridGapX(double gap) {
    StoreGrid(&TGridSettings::GapX, gap);
}
void TPImage::SetGridGapY(double gap) {
    StoreGrid(&TGridSettings::GapY, gap);
}
void TPImage::SetGridMark(int cells) {
    StoreGrid(&TGridSettings::Mark, cells);
}
void TPImage::SetGridMarkColor(TColorRef colour) {
    StoreGrid(&TGridSettings::MarkColor, colour);
}

void TPImage::SetMask(std::unique_ptr<TOrvaneBitmap> mask) {
    ViewV->SetMask(std::move(mask));
    Invalidate();
}

void TPImage::ShowMask(const TOrvaneBitmap* mask) {
    ViewV->ShowMask(mask);
    Invalidate();
}

void TPImage::SetMaskEnabled(bool on) {
    ViewV->SetMaskEnabled(on);
    Invalidate();
}

void TPImage::SetCrossLine(bool on) {
    if (ViewV->CrossLine == on) return;
    ViewV->CrossLine = on;
    if (!on) Invalidate();
}

void TPImage::paintEvent(QPaintEvent* event) {
    if (!EnsureFrame()) return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(event->rect().topLeft(), Frame, event->rect());
}

void TPImage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SyncSize();
    // Hidden controls get a resize event with every grab; only a new size needs a new frame.
    if (!FrameValid || Frame.size() != size()) Invalidate();
}

void TPImage::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    ViewV->Origin = pos();
    if (ParentV) Invalidate();
}

QPoint TPImage::ToBitmap(QPointF canvas) const {
    // Rounded down: a pointer inside a pixel belongs to that pixel, left of the control too.
    const QPoint p(int(std::floor(canvas.x())), int(std::floor(canvas.y())));
    if (!CoordinationTransfer || !Picture() || !Picture()->Allocated()) return p;
    return QPoint(ViewV->CanvasToBitmapX(p.x()), ViewV->CanvasToBitmapY(p.y()));
}

void TPImage::mousePressEvent(QMouseEvent* event) {
    const QPoint p = ToBitmap(event->position());
    emit MouseDown(event->button(), event->buttons(), event->modifiers(), p.x(), p.y());
}

void TPImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = ToBitmap(event->position());
    emit MouseMove(event->button(), event->buttons(), event->modifiers(), p.x(), p.y());
}

void TPImage::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = ToBitmap(event->position());
    emit MouseUp(event->button(), event->buttons(), event->modifiers(), p.x(), p.y());
}

void TPImage::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TPImage::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (OnMouseLeave) OnMouseLeave(this);
}

// ---- TPTextileImage -------------------------------------------------------

TPTextileImage::TPTextileImage(QWidget* parent) : TPImage(parent) {
    CreateBitmap();
}

TPTextileImage::~TPTextileImage() = default;

void TPTextileImage::SetBorderColor(TColorRef colour) {
    if (View().BorderColor == colour) return;
    EditView().BorderColor = colour;
    Invalidate();
}

void TPTextileImage::SetRepeatKind(int kind) {
    if (EditView().SetRepeat(kind)) SetPosition(); // the scroll range changes with it
}

void TPTextileImage::SetStretch(bool on) {
    if (View().Stretch == on) return;
    EditView().Stretch = on;
    Invalidate();
}

QImage TPTextileImage::BuildFrame() {
    SyncSize();
    const TImageView& view = View();
    QImage frame = view.Render(*Picture(), [this, &view](QImage& picture, QPoint origin) {
        QPainter painter(&picture);
        if (OnPaintZoom) OnPaintZoom(this, painter);
        if (OnPaintRange) OnPaintRange(this, painter, false, 0, 0);
        if (OnPaintDirectly)
            OnPaintDirectly(painter, origin.x(), origin.y(),
                            picture.width() * view.GetZoomOut() / view.GetZoomIn(),
                            picture.height() * view.GetZoomOut() / view.GetZoomIn());
    });
    if (!frame.isNull() && view.CrossLine && OnPaintCrossLine) {
        QPainter painter(&frame);
        OnPaintCrossLine(this, painter);
    }
    if (OnPaint) OnPaint(this);
    return frame;
}

void TPTextileImage::PaintRect(const QRect& rect, const TEditPaint& callback) {
    if (View().RepeatWrap().On() || View().Stretch) {
        // A change shows on every tile: build the whole frame again. An overlay
        // (rect in points of the repeat's plane) goes over it where the pointer is.
        Invalidate();
        if (callback && !View().Stretch && EnsureFrame()) PaintOverlay(rect, callback);
        return;
    }
    if (!FrameValid || Frame.isNull()) {
        Invalidate(); // a full rebuild is due anyway
        return;
    }
    const TRectFrame part = View().RenderRect(*Picture(), rect, [&](QImage& picture, QPoint origin) {
        QPainter painter(&picture);
        if (OnPaintRange) OnPaintRange(this, painter, true, origin.x(), origin.y());
        if (callback) callback(painter, origin.x(), origin.y());
    });
    if (part.Image.isNull()) return;
    QPainter painter(&Frame);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(part.At, part.Image);
    painter.end();
    update(QRect(part.At, part.Image.size()));
}

void TPTextileImage::PaintOverlay(const QRect& rect, const TEditPaint& callback) {
    const TImageView& v = View();
    const QRect at(QPoint(v.BitmapToCanvasX(rect.left()), v.BitmapToCanvasY(rect.top())),
                   QPoint(v.BitmapToCanvasX(rect.right() + 1) - 1, v.BitmapToCanvasY(rect.bottom() + 1) - 1));
    if (!at.intersects(Frame.rect())) return;
    QImage part = Frame.copy(at); // parts outside the frame come out transparent and stay unshown
    {
        QPainter painter(&part);
        callback(painter, rect.x(), rect.y());
    }
    const QRect shown = at.intersected(Frame.rect());
    QPainter painter(&Frame);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(shown.topLeft(), part, shown.translated(-at.topLeft()));
    painter.end();
    update(shown);
}

void TPTextileImage::RectPaint(const QRect& rect) {
    PaintRect(rect, {});
}

void TPTextileImage::RectEditPaint(const QRect& rect, const TEditPaint& callback) {
    PaintRect(rect, callback);
}

void TPTextileImage::PaintImageEdit(const std::function<void(TPImage*, QPainter&)>& callback) {
    if (!callback || !EnsureFrame()) return;
    const QRect area = View().PictureRect(*Picture()).intersected(Frame.rect());
    if (area.isEmpty()) return;
    QImage part = Frame.copy(area);
    {
        QPainter painter(&part);
        callback(this, painter);
    }
    QPainter painter(&Frame);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft(), part);
    painter.end();
    update(area);
}

void TPTextileImage::OutlineBitmapRgn() {
    const TOrvaneBitmap& b = *Picture();
    if (b.HasDC || !b.Allocated() || !b.HasRegion()) return;
    EditView().FramePhase = (View().FramePhase + 1) % 8;
    if (!EnsureFrame()) return;
    const QRegion edge = View().RegionOutline(b);
    DrawFramePattern(Frame, edge, View().FramePhase);
    update(edge.boundingRect());
}
