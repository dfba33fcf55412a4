#include "raster/Viewoutline.h"

#include <algorithm>
#include <cstdint>

namespace {

int64_t CeilScaled(int64_t v, int zoomIn, int zoomOut) {
    const int64_t a = v * zoomIn;
    return a >= 0 ? (a + zoomOut - 1) / zoomOut : -((-a) / zoomOut);
}

uint32_t PatternPixel(int x, int y, int phase) {
    return ((x - phase + y) & 7) < 4 ? 0xFF000000u : 0xFFFFFFFFu;
}

} // namespace

QRegion CanvasRegion(const QRegion& region, int zoomIn, int zoomOut, QPoint position, int offsetY,
                     const QRect& clip) {
    QRegion out;
    if (zoomIn < 1 || zoomOut < 1 || clip.isEmpty()) return out;
    const QRect room = clip.adjusted(-1, -1, 1, 1);
    auto mapX = [&](int64_t v) {
        return std::clamp<int64_t>(CeilScaled(v - position.x(), zoomIn, zoomOut), room.left(),
                                   room.right() + 1);
    };
    auto mapY = [&](int64_t v) {
        return std::clamp<int64_t>(CeilScaled(v - position.y(), zoomIn, zoomOut) + offsetY, room.top(),
                                   room.bottom() + 1);
    };
    // Rectangles come in y-x band order and the mapping keeps that order, so every
    // rectangle appends to the region.
    for (const QRect& r : region) {
        const int64_t x0 = mapX(r.left()), x1 = mapX(int64_t(r.right()) + 1);
        const int64_t y0 = mapY(r.top()), y1 = mapY(int64_t(r.bottom()) + 1);
        if (x1 > x0 && y1 > y0) out += QRect(int(x0), int(y0), int(x1 - x0), int(y1 - y0));
    }
    return out;
}

QRegion RegionEdge(const QRegion& region, const QRect& clip) {
    const QRegion inner = region.intersected(region.translated(1, 0))
                              .intersected(region.translated(-1, 0))
                              .intersected(region.translated(0, 1))
                              .intersected(region.translated(0, -1));
    return region.subtracted(inner).intersected(clip);
}

QImage FramePattern(int phase) {
    QImage image(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, PatternPixel(x, y, phase & 7));
    return image;
}

QBrush FramePatternBrush(int phase) {
    return QBrush(FramePattern(phase));
}

void DrawFramePattern(QImage& image, const QRegion& edge, int phase) {
    if (image.depth() != 32) return;
    for (const QRect& r : edge.intersected(image.rect()))
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* d = reinterpret_cast<uint32_t*>(image.scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x)
                d[x] = PatternPixel(x, y, phase & 7);
        }
}
