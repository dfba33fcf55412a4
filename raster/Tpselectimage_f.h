#pragma once
// TPSelectImage: the selection overlay a document window stacks over its main view. It
// shows a separate picture (a floating piece) with the main view's zoom and grid, hanging
// from the top or standing on the bottom edge (the picture's BottomUp flag), and reports
// mouse positions in that picture's coordinates.

#include "raster/Tpselectimage.h"
#include "raster/Tptextileimage_f.h"

class TPSelectImage : public TPImage {
    Q_OBJECT
  public:
    explicit TPSelectImage(QWidget* parent = nullptr);
    ~TPSelectImage() override;

    // Fill the area outside the picture with Color; otherwise the controls below show through.
    void SetColorEnable(bool on);
    bool ColorEnable() const { return Select().ColorEnable; }
    // Shows the inverting cross-hair (together with CrossLine) at CrossPos.
    void SetCrossShown(bool on);
    void SetCrossPos(QPoint canvas);

    int YOffset() const { return Select().YOffset(); }
    int YPos() const { return Select().YPos(); }
    int BitmapToCanvasX(int x) const { return Select().BitmapToCanvasX(x); }
    int BitmapToCanvasY(int y) const { return Select().BitmapToCanvasY(y); }
    int CanvasToBitmapX(int x) const { return Select().CanvasToBitmapX(x); }
    int CanvasToBitmapY(int y) const { return Select().CanvasToBitmapY(y); }

    // Recomputes YOffset and YPos; true if either changed.
    bool PositionChange() override;
    // The picture changed: recompute the placement (OnPositionChange if it moved) and repaint.
    void PropertyChange() override;
    // Advances the outline phase and draws the picture region's marching outline.
    void OutlineBitmapRgn();

  protected:
    QImage BuildFrame() override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    const TSelectView& Select() const { return static_cast<const TSelectView&>(View()); }
    TSelectView& EditSelect() { return static_cast<TSelectView&>(EditView()); }
};
