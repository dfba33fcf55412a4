#pragma once
// The rules of the full-view window that need no window: the superimpose and
// tapeline cycles, the overlap entry, the zoom track bar and scrolling the document
// view by pointing into its preview. The window keeps its grid as a TGridSetup.

#include "shell/Mainimage.h"

#include <QRect>
#include <QString>

// Superimpose mode 0 .. 3: the next one after a click (3 goes back to 0). Values
// outside the range restart at 1, as from 0.
int NextSuperMode(int mode);
// The overlap controls are shown only in the last superimpose mode.
inline bool OverlapShown(int mode) {
    return mode == 3;
}
// Tapeline state after a click: 0 -> 3 -> 1 -> 2 -> 0; anything else goes to 0.
int NextTapeline(int state);
// Caption indices in the window's language table for a mode (5 .. 8) or state (9 .. 12).
int SuperCaptionIndex(int mode);
int TapelineCaptionIndex(int state);

// The overlap typed into the entry: a number (fraction truncated) clamped to 0 .. 100.
// Text that is not a number gives 0.
int ClampOverlap(const QString& text);

// Track-bar positions 0 .. 8 and the zoom they stand for (0 = 1:16, 4 = 1:1, 8 = 16:1).
// Positions outside the range are clamped.
TZoom TrackZoom(int position);
// The label beside the track bar: "1/16" .. "1" .. "16".
QString TrackZoomLabel(int position);
// The position showing a zoom; 4 (1:1) when the zoom is not one of the steps.
int TrackPositionOf(const TZoom& zoom);

// What the preview maps onto: preview size, picture size and the document view's
// control size with its zoom.
struct TPreviewGeometry {
    int PreviewW = 0, PreviewH = 0;
    int ImageW = 0, ImageH = 0;
    int ViewW = 0, ViewH = 0; // document view control, canvas pixels
    int ZoomIn = 1, ZoomOut = 1;
    bool BottomUp = false;
    // Visible picture size: min(picture, control * ZoomOut / ZoomIn); 0 for bad zooms.
    int VisibleW() const;
    int VisibleH() const;
};

// Scroll position for a point in the preview (clamped into it first): the picture's
// start within 10 pixels of the preview's start edge, its end (picture - visible)
// within 10 pixels of the far edge, proportionally between (integer division). For a
// bottom-up picture y is measured from the bottom. Never negative.
QPoint PreviewToScroll(const TPreviewGeometry& g, QPoint preview);
// The rectangle on the preview that marks the visible area at a scroll position
// (the same orientation rule for bottom-up pictures). Empty for an empty picture.
QRect VisibleFrame(const TPreviewGeometry& g, QPoint scroll);
