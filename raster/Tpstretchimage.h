#pragma once
// TStretchView: a preview that shows a whole picture scaled to the control, for
// thumbnails and overview panes. The picture is its own (owned) or a caller's.

#include "raster/Tpmemory.h"

#include <QImage>
#include <memory>

class TStretchView {
  public:
    // Starts with a new, empty, owned picture.
    TStretchView();
    ~TStretchView();
    TStretchView(const TStretchView&) = delete;
    TStretchView& operator=(const TStretchView&) = delete;

    const TOrvaneBitmap* Bitmap() const { return Current; }
    // The picture the view owns (null while it shows a caller's).
    TOrvaneBitmap* OwnBitmap() const { return Owned.get(); }
    bool OwnsBitmap() const { return Owned != nullptr; }

    // Shows a caller's picture, not owned (any owned one is deleted); null goes back to
    // a fresh empty owned picture unless the current one is already owned. Returns
    // whether the shown picture changed.
    bool SetBitmap(const TOrvaneBitmap* bitmap);

    // Factors handed to an owner's drawing; the default painting ignores them. Returns
    // whether they changed; factors below 1 are refused.
    bool SetZoom(int zoomIn, int zoomOut);
    int ZoomIn() const { return ZoomInV; }
    int ZoomOut() const { return ZoomOutV; }

    // Control size; negative or absurd sizes are refused.
    bool SetSize(int width, int height);
    int Width() const { return ControlW; }
    int Height() const { return ControlH; }

    // True when the picture has pixels to show (otherwise the control shows its face colour).
    bool ShowsPicture() const { return Current->Allocated() && Current->Width > 0 && Current->Height > 0; }

    // The control image (Format_RGB32): the whole picture scaled to the control by
    // nearest neighbour, or the control face colour when the picture is empty. Null
    // when the control has no area.
    QImage Render() const;

  private:
    std::unique_ptr<TOrvaneBitmap> Owned;
    const TOrvaneBitmap* Current = nullptr;
    int ZoomInV = 1;
    int ZoomOutV = 1;
    int ControlW = 105;
    int ControlH = 105;
};
