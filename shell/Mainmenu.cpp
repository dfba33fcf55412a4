#include "shell/Mainmenu.h"

bool ToolImplemented(int tool) {
    switch (tool) {
    case ToolClear:
    case ToolRepro:
    case ToolStipple:
    case ToolStyle:
    case ToolStitch:
    case ToolText:
    case ToolCombo:
    case ToolSmooth:
    case ToolScratch:
    case Tool3D:
    case ToolCanvas:
        return false;
    default:
        return tool >= 1 && tool <= kToolCount;
    }
}

bool ToolEnabled(int tool, int bitsPerPixel, bool selection) {
    if (!ToolImplemented(tool) || bitsPerPixel == 0) return false;
    const bool full = bitsPerPixel == 24;
    switch (tool) {
    case ToolColorChange:
        return !full || selection;
    case ToolGrouping:
    case ToolSeparate:
    case ToolJacquard:
    case ToolCarpet:
        return !full;
    case ToolMoveCopy:
    case ToolRepeat:
    case ToolPatternRepeat:
        return selection;
    default:
        return true;
    }
}

QColor ToolFrameColour(int tool) {
    if (tool >= 13 && tool <= 21) return QColor(0, 0, 255);
    if (tool >= 1 && tool <= kToolCount) return QColor(255, 0, 0);
    return QColor(0, 0, 0);
}
