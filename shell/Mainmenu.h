#pragma once
// The tools of the tool palette ("Textile Menu"): numbers 1 .. 25, which
// depth and selection each needs, and the colour of its frame when active.
#include <QColor>

constexpr int kToolCount = 25;
constexpr int kToolCanvas = 22; // the document window's own operation: no button

enum TToolNumber : int {
    ToolWindow = 1,
    ToolMoveCopy,
    ToolColorChange,
    ToolClear,
    ToolGrouping,
    ToolRepeat,
    ToolDraw,
    ToolRepro,
    ToolFill,
    ToolSpreadFill,
    ToolStipple,
    ToolStyle,
    ToolStripe,
    ToolSeparate,
    ToolStitch,
    ToolText,
    ToolCombo,
    ToolSmooth,
    ToolScratch,
    ToolJacquard,
    ToolUndo,
    ToolCanvas,
    ToolPatternRepeat,
    Tool3D,
    ToolCarpet,
};

// Whether the program has a window for the tool at all; the others keep their
// buttons disabled (stipple, style, stitch, text, colour combo, smooth, scratch,
// clear, reproportion, 3D mapping).
bool ToolImplemented(int tool);

// Whether the tool's button is enabled for the current design: bitsPerPixel 0
// means no document. selection: the design has a selected region.
bool ToolEnabled(int tool, int bitsPerPixel, bool selection);

// Red for tools 1 .. 12 and 23 .. 25, blue for 13 .. 21: the frame of the active tool.
QColor ToolFrameColour(int tool);
