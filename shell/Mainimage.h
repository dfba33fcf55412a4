#pragma once
// The rules of a document window that need no window: zoom steps, status
// texts, caption and file names, and making a new canvas.

#include "colour/Currentcolour.h"
#include "shell/Document.h"

#include <QDateTime>
#include <QString>
#include <vector>

// The nine zoom steps 1:16 .. 16:1 as (zoomIn, zoomOut).
struct TZoom {
    int In = 1;
    int Out = 1;
    friend bool operator==(const TZoom&, const TZoom&) = default;
};
constexpr int kZoomSteps = 9;
TZoom ZoomStep(int step);          // 0 = 1:16, 4 = 1:1, 8 = 16:1
int ZoomStepOf(const TZoom& zoom); // -1 when not a step
// One step in or out; the same zoom at either end.
TZoom ZoomIn(const TZoom& zoom);
TZoom ZoomOut(const TZoom& zoom);
// "Zoom : 1/16" .. "Zoom : 1" .. "Zoom : 16".
QString ZoomText(const TZoom& zoom);

// Dot -> Inch -> Cm -> Dot.
int NextUnit(int unit);
// " : Dot", " : Inch" or " : Cm" after the given caption.
QString UnitCaption(const QString& caption, int unit);

// Status panels: "Size : ..." in the window's unit, "DPI : %d", and the pointer
// counted from 1 with the origin at the bottom-left pixel.
QString SizePanelText(const TPaper& paper, int unit);
QString DpiPanelText(const TPaper& paper);
QString PointerText(int x, int y, int imageHeight, int unit, int dpi);

// The clock panel: "yyyy-mm-dd AM hh-nn-ss" with a 12-hour clock.
QString ClockPanelText(const QDateTime& time);

// directory/fileName (or the name alone) then " - 256 Colors" or " - Full Colors".
QString DocumentCaption(const QString& directory, const QString& fileName, int bitsPerPixel);
// "Noname%d.tex" or "Noname%d.tfc" for a document number and depth.
QString NonameFileName(int documentNumber, int bitsPerPixel);
// The name an opened file takes so a later save writes the native format.
QString OpenedFileName(const QString& fileName, int type, int bitsPerPixel);

// The process-wide counter of document windows, from 0; never reused in a run.
int NextDocumentNumber();

// A new design on paper (sheet sizes filled in from the table) at 8 or 24 bits:
// the default palette, the whole canvas filled with colour (its index for 8 bits,
// its value, or its entry's in the default palette, for 24 bits). Returns 0 or
// 0x40000010.
uint32_t NewCanvasDesign(TDesignRef design, const TPaper& paper, int bitsPerPixel,
                         const TCurrentColour& colour);

// Stretches the picture to width x height dots (Resize Canvas); the paper becomes
// custom at dpi. Returns 0, or an error code with the design unchanged.
uint32_t ResizeDesign(TDesignRef design, int width, int height, int dpi);
// Changes the canvas size keeping the picture at the top left and filling new
// area with fill (Enlarge Canvas); the paper becomes custom.
uint32_t EnlargeDesign(TDesignRef design, int width, int height, uint32_t fill);

// A length in dots shown in a unit: ": %f Cm", ": %f Inch" or ": %d Dots" from
// the given three formats (Cm, Inch, Dot).
QString UnitLengthText(int dots, int dpi, int unit, const QString& cmFormat, const QString& inchFormat,
                       const QString& dotFormat);

// One mark of a ruler: its canvas position, whether it is a long (labelled) mark, and its label.
struct TRulerTick {
    int Pos = 0;
    bool Major = false;
    QString Label;
};
// The marks of a ruler over canvasLength canvas pixels whose first pixel shows
// picture pixel first, at zoom zoomIn:zoomOut, in a unit at dpi. Labels are
// measured from the picture's start, or from its end (imageLength) when
// fromEnd is set, as the vertical ruler counts from the bottom. None for a bad unit.
std::vector<TRulerTick> RulerTicks(int first, int canvasLength, int zoomIn, int zoomOut, int unit, int dpi,
                                   bool fromEnd = false, int imageLength = 0);
