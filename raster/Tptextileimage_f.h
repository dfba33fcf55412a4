#pragma once
// The picture controls of the document windows. TPImage is the zoomable, scrollable
// base; TPTextileImage owns its picture and shows it normally, tiled or stretched.
//
// Each control keeps the frame it shows (the whole control image, built by its view
// engine). Setters mark the frame stale and schedule a repaint; the next paint event
// rebuilds it once and draws it with one drawImage. Partial repaints (RectPaint), tool
// overlays (RectEditPaint, PaintImageEdit) and the marching outline patch the kept frame
// in place, so they stay until the next full rebuild, as drawing on the screen would.

#include "raster/Tpimage.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QPainter;

class TPImage : public QWidget {
    Q_OBJECT
  public:
    explicit TPImage(QWidget* parent = nullptr);
    ~TPImage() override;

    // The picture the control owns (null for a bare TPImage, and while it shows
    // another's picture).
    TOrvaneBitmap* Bitmap() const { return ShowsOther ? nullptr : BitmapV.get(); }
    // The displayed picture: the owned one, or the one given to ShowPicture.
    const TOrvaneBitmap* Picture() const { return ViewV->Bitmap; }
    // Shows a picture owned elsewhere (its owner tells the control of changes);
    // null goes back to the control's own picture.
    void ShowPicture(const TOrvaneBitmap* picture);
    const TImageView& View() const { return *ViewV; }

    // Mouse events carry bitmap coordinates instead of control ones while the picture is
    // allocated: in the repeat display points of the endless plane (not wrapped).
    bool CoordinationTransfer = false;

    int GetZoomIn() const { return ViewV->GetZoomIn(); }
    int GetZoomOut() const { return ViewV->GetZoomOut(); }
    int PositionX() const { return ViewV->PositionX(); }
    int PositionY() const { return ViewV->PositionY(); }
    // Zoom keeping the bitmap point under anchor (canvas point; default the centre) in place.
    void SetZoom(int zoomIn, int zoomOut, std::optional<QPoint> anchor = std::nullopt);
    void SetPositionX(int x);
    void SetPositionY(int y);
    void SetPosition(int x, int y);
    // Re-clamps the position after the picture changed size.
    void SetPosition();

    // Follows parent's zoom and grid (null: stand alone). A parent that would close a cycle is refused.
    void SetParentImage(TPImage* parent);
    TPImage* ParentImage() const { return ParentV; }

    void SetColor(TColorRef colour);
    // Grid setters do nothing while a parent is set.
    void SetGrid(bool on);
    void SetGridColor(TColorRef colour);
    void SetGridGapX(double gap);
    void SetGridGapY(double gap);
    void SetGridMark(int cells);
    void SetGridMarkColor(TColorRef colour);
    // Takes ownership of the display mask; null also turns the mask display off.
    void SetMask(std::unique_ptr<TOrvaneBitmap> mask);
    // Shows a mask its owner keeps (and tells the control of its changes); null: none.
    void ShowMask(const TOrvaneBitmap* mask);
    void SetMaskEnabled(bool on);
    void SetCrossLine(bool on);
    QPoint GetCrossPos() const { return ViewV->CrossPos; }

    // Rebuilds the whole frame now and shows it.
    virtual void Paint();
    // Called after position changes; true makes OnPositionChange fire even for an unchanged position.
    virtual bool PositionChange() { return false; }
    // The picture changed: repaint.
    virtual void PropertyChange();

    // Events. Painters draw on the picture image in canvas pixels.
    std::function<void(TPImage*)> OnPaint, OnPositionChange, OnMouseEnter, OnMouseLeave;
    std::function<void(TPImage*, QPainter&)> OnPaintZoom, OnPaintLocate, OnPaintCrossLine;
    std::function<void(TPImage*, QPainter&, int x, int y)> OnPaintCursor;
    // (painter, PositionX, PositionY, visible bitmap width, height)
    using TViewPaint = std::function<void(QPainter&, int px, int py, int vw, int vh)>;
    TViewPaint OnPaintDirectly, OnFullViewRectPaint, OnLayerGridRectPaint;

  signals:
    void MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                   int y);
    void MouseMove(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                   int y);
    void MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                 int y);
    // Emitted first thing in the destructor, so that followers let go.
    void Destroying();

  protected:
    TPImage(std::unique_ptr<TImageView> view, QWidget* parent);
    TImageView& EditView() { return *ViewV; }
    // Creates the owned picture and binds its changes to PropertyChange.
    void CreateBitmap();
    // The frame for the current state (null: paint nothing); fires the paint events.
    virtual QImage BuildFrame();
    // Marks the frame stale and schedules a repaint.
    void Invalidate();
    // Rebuilds a stale frame; false when there is nothing to show.
    bool EnsureFrame();
    // Runs OnPositionChange after a position step (changed: the stored position moved).
    void AfterPositionStep(bool changed);
    void SyncSize();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    QImage Frame;
    bool FrameValid = false;

  private:
    QPoint ToBitmap(QPointF canvas) const;
    template <class T> void StoreGrid(T TGridSettings::*field, T value);

    std::unique_ptr<TImageView> ViewV;
    std::unique_ptr<TOrvaneBitmap> BitmapV;
    bool ShowsOther = false;
    QPointer<TPImage> ParentV;
};

class TPTextileImage : public TPImage {
    Q_OBJECT
  public:
    explicit TPTextileImage(QWidget* parent = nullptr);
    ~TPTextileImage() override;

    void SetBorderColor(TColorRef colour);
    // The repeat display: a TRepeatKind (SetRepeat(true) is the straight repeat).
    void SetRepeatKind(int kind);
    void SetRepeat(bool on) { SetRepeatKind(on ? RepeatStraight : RepeatOff); }
    void SetStretch(bool on);

    int BitmapToCanvasX(int x) const { return View().BitmapToCanvasX(x); }
    int BitmapToCanvasY(int y) const { return View().BitmapToCanvasY(y); }
    int CanvasToBitmapX(int x) const { return View().CanvasToBitmapX(x); }
    int CanvasToBitmapY(int y) const { return View().CanvasToBitmapY(y); }

    bool PositionChange() override { return true; }

    // Repaints one rectangle of bitmap pixels (right and bottom inclusive); the whole
    // control in the repeat and stretched displays (a change shows on every tile).
    void RectPaint(const QRect& rect);
    // As RectPaint; callback(painter, x, y) draws on the partial image before it is shown,
    // x and y being the bitmap coordinates of its top-left pixel. Rubber bands go here.
    using TEditPaint = std::function<void(QPainter&, int x, int y)>;
    void RectEditPaint(const QRect& rect, const TEditPaint& callback);
    // Lets callback draw an overlay over the picture area of the shown frame; the
    // picture itself is not touched.
    void PaintImageEdit(const std::function<void(TPImage*, QPainter&)>& callback);
    // Advances the outline phase and draws the picture region's marching outline.
    // Nothing without a region or while a drawing context of the picture is out.
    void OutlineBitmapRgn();

    // (sender, painter, isRect, x, y): a full paint passes false, 0, 0; RectPaint passes
    // true and the bitmap coordinates of the partial image's top-left pixel.
    std::function<void(TPImage*, QPainter&, bool isRect, int x, int y)> OnPaintRange;

  protected:
    QImage BuildFrame() override;

  private:
    void PaintRect(const QRect& rect, const TEditPaint& callback);
    // Draws callback over rect (points of the repeat's plane) of the built frame.
    void PaintOverlay(const QRect& rect, const TEditPaint& callback);
};
