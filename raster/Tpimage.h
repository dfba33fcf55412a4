#pragma once
// TImageView: the state and arithmetic of a zoomable picture view, and the frames it
// shows. The view widgets hold one and only forward to it.
//
// Coordinates: the control (canvas) is Width x Height pixels; one bitmap pixel covers
// ZoomIn / ZoomOut canvas pixels; bitmap pixel (PositionX, PositionY) sits at the
// canvas's top-left corner. All arithmetic is integer with division truncating toward
// zero. A view with a parent takes its zoom (and, when painting, its grid) from the
// parent, recursively, and does not clamp its position.
//
// Painting: Render builds the whole control image. The visible part of the picture is
// scaled into a picture image (grid and mask applied, then a caller's hook may draw
// on it); the rest of the control shows Color. The repeat display shows the endless
// plane of tiles instead (TRepeatWrap): canvas point c shows the picture pixel that
// plane point (Position + c * ZoomOut / ZoomIn) wraps to, at every position and zoom,
// and the mouse reports those plane points. Stretch (which wins over the repeat
// display) scales the whole picture to the control.

#include "raster/Repeatwrap.h"
#include "raster/Tpmemory.h"
#include "raster/Viewgrid.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>

// The face colour of controls, the default fill outside the picture.
constexpr TColorRef kBtnFaceColor = MakeColorRef(240, 240, 240);
// Zoom factors outside 1 .. kMaxZoom are refused (they would divide by zero or overflow).
constexpr int kMaxZoom = 1024;

// A partial frame: Image goes to control point At; its top-left pixel shows bitmap
// pixel Origin. Null Image: nothing to draw.
struct TRectFrame {
    QImage Image;
    QPoint At;
    QPoint Origin;
};

// Draws on a picture image before it is shown (canvas pixels of that image); origin is
// the bitmap pixel shown at its top-left corner.
using TPictureHook = std::function<void(QImage& picture, QPoint origin)>;

class TImageView {
  public:
    TImageView() = default;
    virtual ~TImageView() = default;
    TImageView(const TImageView&) = delete;
    TImageView& operator=(const TImageView&) = delete;

    // The displayed picture (not owned); zoom and position limits follow its size.
    const TOrvaneBitmap* Bitmap = nullptr;

    TColorRef Color = kBtnFaceColor;
    TGridSettings GridSettings;
    bool Stretch = false;
    TColorRef BorderColor = 0;
    bool CrossLine = false;
    QPoint CrossPos;
    int FramePhase = 0;
    // The control's place among its siblings, for grid lines that continue the parent's.
    QPoint Origin;

    // Control size in canvas pixels; negative sizes are refused.
    bool SetSize(int width, int height);
    int Width() const { return ControlW; }
    int Height() const { return ControlH; }

    // The followed view. Refused (false) when it would make a cycle.
    bool SetParent(const TImageView* parent);
    const TImageView* Parent() const { return ParentView; }

    int GetZoomIn() const { return ParentView ? ParentView->GetZoomIn() : ZoomIn; }
    int GetZoomOut() const { return ParentView ? ParentView->GetZoomOut() : ZoomOut; }
    int PositionX() const { return PosX; }
    int PositionY() const { return PosY; }

    // Control size in bitmap pixels: Width * ZoomOut / ZoomIn.
    int ViewW() const;
    int ViewH() const;

    // The repeat display (a TRepeatKind). The tile is the picture and a half drop moves
    // by half its height (width). False when unchanged; an unknown kind changes nothing.
    bool SetRepeat(int kind);
    int RepeatKind() const { return RepeatKindV; }
    // The wrap in force for picture (off for a picture without pixels or without the
    // display); without an argument for the displayed picture.
    TRepeatWrap RepeatWrap(const TOrvaneBitmap& picture) const;
    TRepeatWrap RepeatWrap() const { return Bitmap ? RepeatWrap(*Bitmap) : TRepeatWrap(); }

    // Canvas <-> bitmap. CanvasToBitmapX/Y give the plane point (rounded down, also left
    // of and above the control), which is the picture point outside the repeat display;
    // CanvasToBitmap gives the picture pixel shown there (wrapped in the repeat display).
    virtual int BitmapToCanvasX(int x) const;
    virtual int BitmapToCanvasY(int y) const;
    virtual int CanvasToBitmapX(int x) const;
    virtual int CanvasToBitmapY(int y) const;
    QPoint CanvasToBitmap(QPoint canvas) const;
    // Canvas edge of a rectangle edge x that may start left of the view: origin is the
    // rectangle's own left edge.
    int RectBitmapToRectCanvasX(int x, int origin) const;
    int RectBitmapToRectCanvasY(int y, int origin) const;

    // Changes the zoom keeping the bitmap point under anchor (a canvas point; the control
    // centre without one) in place, then clamps the position and aligns it to ZoomOut.
    // False (nothing changed) with a parent, for the current zoom, or factors outside
    // 1 .. kMaxZoom.
    bool SetZoom(int zoomIn, int zoomOut, std::optional<QPoint> anchor = std::nullopt);

    // The largest position: the picture's far edge less the view, or 0 for a picture
    // smaller than the view; in the repeat display the picture's last pixel, so that
    // every seam can be scrolled into view.
    int MaxPositionX() const;
    int MaxPositionY() const;
    // Stores a position clamped to 0 .. MaxPosition (not with a parent) and rounded down
    // to a multiple of ZoomOut. Returns whether the stored value changed.
    bool SetPositionX(int x);
    bool SetPositionY(int y);
    bool SetPosition(int x, int y);
    // Re-clamps after the picture changed size or the repeat display changed: the
    // position stays within 0 .. MaxPosition.
    void SetPosition();

    // The display mask, owned. Setting null also clears MaskEnabled.
    void SetMask(std::unique_ptr<TOrvaneBitmap> mask);
    // Shows a mask owned elsewhere (a document's), which must outlive its display;
    // null shows none. Replaces an owned one.
    void ShowMask(const TOrvaneBitmap* mask);
    TOrvaneBitmap* Mask() const { return MaskBitmap.get(); }
    const TOrvaneBitmap* MaskShown() const { return ShownMask; }
    // Shows the mask over the picture; stays false without a mask. Returns the stored value.
    bool SetMaskEnabled(bool on);
    bool MaskEnabled() const { return MaskOn; }

    // Grid settings in force: the parent's (recursively) when there is one.
    const TGridSettings& EffectiveGrid() const;

    // The whole control image (Format_RGB32), or a null image when nothing is painted
    // (empty picture, no area, or the mask display with an empty mask). hook draws on
    // the picture image before it is placed; in the repeat display on the whole frame,
    // with origin the plane point at its corner (the hook draws in plane coordinates).
    QImage Render(const TOrvaneBitmap& bitmap, const TPictureHook& hook = {}) const;

    // The repaint of one rectangle of bitmap pixels (right and bottom inclusive): the part
    // inside the view, its edges aligned to ZoomOut, gridded from its own origin. Null
    // when it is outside the view or in the repeat or stretched display (a change shows
    // on every tile: repaint all then).
    TRectFrame RenderRect(const TOrvaneBitmap& bitmap, const QRect& rect,
                          const TPictureHook& hook = {}) const;

    // The control area the picture covers in the current mode (whole control when tiled
    // or stretched).
    QRect PictureRect(const TOrvaneBitmap& bitmap) const;

    // The edge of the bitmap's region as shown, clipped to the control; empty without a region.
    virtual QRegion RegionOutline(const TOrvaneBitmap& bitmap) const;

  protected:
    // The visible source block (bitmap pixels) at the given top row, sizes rounded down
    // to multiples of ZoomOut; empty if nothing of the picture is in view.
    QRect VisibleSource(const TOrvaneBitmap& bitmap, int top) const;
    // Scales source into picture (sized to its canvas extent; shown at control point
    // canvas), applies the mask, grids it and runs hook. Pixels whose source lies
    // outside the bitmap get background.
    void DrawPicture(QImage& picture, const TOrvaneBitmap& bitmap, const QRect& source, QPoint canvas,
                     uint32_t background, const TColorRef* border, const TPictureHook& hook) const;
    // Bitmap position that grid lines count from for a picture whose top-left pixel shows
    // source and sits at control point canvas; with a parent, the parent's lines continue.
    QPointF GridReference(QPoint source, QPoint canvas) const;
    // True when painting must stop: the mask display is on and the mask is empty.
    bool MaskBlocksPainting() const;
    QSize CanvasSize(const QRect& source) const;

  private:
    QImage RenderStretched(const TOrvaneBitmap& bitmap) const;
    QImage RenderRepeat(const TOrvaneBitmap& bitmap, const TPictureHook& hook) const;

    int ZoomIn = 1;
    int ZoomOut = 1;
    int PosX = 0;
    int PosY = 0;
    int ControlW = 105;
    int ControlH = 105;
    const TImageView* ParentView = nullptr;
    std::unique_ptr<TOrvaneBitmap> MaskBitmap;
    const TOrvaneBitmap* ShownMask = nullptr; // the owned mask or another's
    bool MaskOn = false;
    int RepeatKindV = RepeatOff;
};
