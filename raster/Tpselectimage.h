#pragma once
// TSelectView: the view state of the selection overlay, which shows a separate picture
// (a floating piece a tool moves) with the zoom and grid of the view it follows.
//
// The picture hangs from the top of the control like the main view, or, when its
// BottomUp flag is set, stands on the control's bottom edge; PositionY then counts
// rows up from the picture's bottom. PositionChange turns position and size into the
// canvas row YOffset where the picture starts and the bitmap row YPos shown there;
// call it whenever position, zoom, control size or picture change.

#include "raster/Tpimage.h"

class TSelectView : public TImageView {
  public:
    // Fill the control area outside the picture with Color; otherwise leave it unpainted.
    bool ColorEnable = false;
    // Draw the cross-hair (together with CrossLine).
    bool CrossShown = false;

    int YOffset() const { return YOffsetV; }
    int YPos() const { return YPosV; }

    // Recomputes YOffset and YPos from Bitmap; true if either changed (false without a picture).
    bool PositionChange();

    int BitmapToCanvasY(int y) const override;
    int CanvasToBitmapY(int y) const override;

    // The whole control (Format_ARGB32_Premultiplied): the visible part of the picture at
    // (0, YOffset) with mask and grid, Color around it when ColorEnable, transparent
    // otherwise, and the inverting cross-hair at CrossPos over the picture. Null when
    // nothing is painted.
    QImage Render(const TOrvaneBitmap& bitmap, const TPictureHook& hook = {}) const;

    QRegion RegionOutline(const TOrvaneBitmap& bitmap) const override;

  private:
    QRect PictureArea(const TOrvaneBitmap& bitmap, QRect* source) const;

    int YOffsetV = 0;
    int YPosV = 0;
};
