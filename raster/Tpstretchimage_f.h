#pragma once
// TPStretchImage: a preview control showing a whole picture scaled to its size, or what
// its owner draws (thumbnails, overview panes).

#include "raster/Tpstretchimage.h"

#include <QWidget>
#include <functional>

class QPainter;

class TPStretchImage : public QWidget {
    Q_OBJECT
  public:
    explicit TPStretchImage(QWidget* parent = nullptr);
    ~TPStretchImage() override;

    const TOrvaneBitmap* Bitmap() const { return View.Bitmap(); }
    TOrvaneBitmap* OwnBitmap() const { return View.OwnBitmap(); }
    bool OwnsBitmap() const { return View.OwnsBitmap(); }
    // Shows a caller's picture without owning it; null returns to an own empty picture.
    void SetBitmap(const TOrvaneBitmap* bitmap);
    // Factors handed to OnDraw.
    void SetZoom(int zoomIn, int zoomOut);
    int ZoomIn() const { return View.ZoomIn(); }
    int ZoomOut() const { return View.ZoomOut(); }

    // When set, replaces the default painting: (painter on the control, ZoomIn, ZoomOut).
    std::function<void(QPainter&, int zoomIn, int zoomOut)> OnDraw;
    // After the owner's drawing or the picture has been painted.
    std::function<void(TPStretchImage*)> OnPaintEnd;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    TStretchView View;
};
