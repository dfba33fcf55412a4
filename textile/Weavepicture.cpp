#include "textile/Weavepicture.h"

#include <algorithm>

QImage WeavePicture(const TTexBitData& weave, int cell, int side) {
    cell = std::clamp(cell, 1, 32);
    int width = weave.Width * cell, height = weave.Height * cell;
    if (side > 0) width = std::min(width, side), height = std::min(height, side);
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    const bool lines = cell >= 4;
    const QRgb raised = qRgb(0, 0, 0), line = qRgb(160, 160, 160);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const int cy = y / cell;
        for (int x = 0; x < width; ++x) {
            if (lines && (x % cell == cell - 1 || y % cell == cell - 1))
                row[x] = line;
            else if (weave.At(x / cell, cy))
                row[x] = raised;
        }
    }
    return image;
}
