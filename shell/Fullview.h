#pragma once
// The rules of the full-view window that need no window: the superimpose and
// tapeline cycles, the overlap entry, the zoom track bar, scrolling the document
// view by pointing into its preview, and the grid settings kept in the "Grid"
// section of Environment.ini.

#include "platform/Bitmaphandle.h"
#include "shell/Mainimage.h"

#include <QRect>
#include <QString>
#include <QStringList>

class TIniFile;

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

// The grid settings of the full-view and grid windows. Gaps are in the unit
// (0 Dot, 1 Inch, 2 Cm); colours are colour values with red in the low byte.
struct TGridSetup {
    int Unit = 0;
    double GapX = 1.0;
    double GapY = 1.0;
    TColorRef Color = 0;
    int LinesPerSection = 0;
    TColorRef SectionColor = 0;
    friend bool operator==(const TGridSetup&, const TGridSetup&) = default;
};

// Reads the "Grid" section; missing or out-of-range values take the defaults
// (unit 0, gaps 1.0, colours 0, no section lines). Gaps must be above 0.
TGridSetup ReadGridSetup(const TIniFile& ini);
void WriteGridSetup(TIniFile& ini, const TGridSetup& setup);
// The stored presets ("Catalog-Count" and "Catalog-0" ...); entries past the count
// are ignored, a negative or absurd count reads as none.
QStringList ReadGridCatalog(const TIniFile& ini);
// Replaces the stored presets (stale "Catalog-n" keys beyond the new count are removed).
void WriteGridCatalog(TIniFile& ini, const QStringList& presets);

// A preset as stored: "unit;gapX;gapY;colour;lines;sectionColour".
QString GridPresetText(const TGridSetup& setup);
// False (setup unchanged) for a malformed preset or one with values out of range.
bool ParseGridPreset(const QString& text, TGridSetup& setup);

// A gap in picture pixels: as is for dots, times dpi for inches, times dpi / 2.54
// for centimetres. 0 for a bad unit or dpi.
double GapToPixels(double gap, int unit, int dpi);
// A gap re-expressed in another unit so it keeps its size in pixels (2 decimals
// for inch and cm, whole dots); the gap unchanged for a bad unit or dpi.
double ConvertGap(double gap, int fromUnit, int toUnit, int dpi);
// The preset list entry: "GapX x GapY unitName", then ", n" with section lines every n lines.
QString GridPresetCaption(const TGridSetup& setup, const QString& unitName);
// The gap label text: the value in its unit, shortest form ("1", "0.5").
QString GapLabel(double gap);
