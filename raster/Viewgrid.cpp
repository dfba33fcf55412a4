#include "raster/Viewgrid.h"

#include "raster/Viewscale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Canvas offsets (from the block's edge) of one axis's lines.
std::vector<int> LinePositions(double ref, double gap, int zoomIn, int zoomOut, int extent) {
    std::vector<int> out;
    const double step = zoomIn * gap / zoomOut;
    const double r = ref - std::floor(ref / gap) * gap;
    for (double x = r == 0 ? 0.0 : (gap - r) * zoomIn / zoomOut; x < extent; x += step)
        out.push_back(int(x));
    return out;
}

void DrawLines(QImage& image, const QRect& block, const std::vector<int>& xs, const std::vector<int>& ys,
               TColorRef colour) {
    const uint32_t pixel = ColorRefToRgb32(colour);
    const QRect area = block.intersected(image.rect());
    if (area.isEmpty()) return;
    // Vertical lines row by row, so each row is visited once.
    std::vector<int> columns;
    for (int x : xs)
        if (block.left() + x >= area.left() && block.left() + x <= area.right())
            columns.push_back(block.left() + x);
    if (!columns.empty())
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
            for (int x : columns)
                row[x] = pixel;
        }
    for (int y : ys)
        FillPixels(image, QRect(block.left(), block.top() + y, block.width(), 1).intersected(block), pixel);
}

bool UsableGap(double gap) {
    return std::isfinite(gap) && gap > 0;
}

} // namespace

bool DrawGrid(QImage& image, const QRect& block, const TGridSettings& grid, int zoomIn, int zoomOut,
              double refX, double refY, const TColorRef* border) {
    if (!grid.Grid || zoomIn < 1 || zoomOut < 1 || block.isEmpty()) return false;
    if (!UsableGap(grid.GapX) || !UsableGap(grid.GapY) || !std::isfinite(refX) || !std::isfinite(refY))
        return false;
    const double gx = zoomIn * grid.GapX / zoomOut, gy = zoomIn * grid.GapY / zoomOut;
    if (gx < 5.0 || gy < 5.0) return false;
    DrawLines(image, block, LinePositions(refX, grid.GapX, zoomIn, zoomOut, block.width()),
              LinePositions(refY, grid.GapY, zoomIn, zoomOut, block.height()), grid.GridColor);
    if (grid.Mark > 0) {
        const double mx = grid.GapX * grid.Mark, my = grid.GapY * grid.Mark;
        DrawLines(image, block, LinePositions(refX, mx, zoomIn, zoomOut, block.width()),
                  LinePositions(refY, my, zoomIn, zoomOut, block.height()), grid.MarkColor);
    }
    if (border) {
        std::vector<int> xs, ys;
        if (refX == 0) xs.push_back(0);
        if (refY == 0) ys.push_back(0);
        DrawLines(image, block, xs, ys, *border);
    }
    return true;
}
