#pragma once
// The plain turn the fast one is held to: every pixel of the turned box is mapped back
// through the extended-precision matrix on its own, and the rows and columns none of whose
// pixels reach the source are cut off afterwards. Shared by the tests and the benchmark.
#include "tools/Floating.h"
#include "tools/Rotation.h"

#include <algorithm>
#include <cmath>

inline bool RotateReference(const TFloating& src, double degrees, TFloating& out) {
    const int w = src.Width(), h = src.Height(), bytes = src.Image.BitsPerPixel / 8;
    const TRotation m = RotationInverse(degrees, w, h);
    const QRect box = RotationBox(degrees, w, h);
    TFloating whole;
    if (!whole.Allocate(box.width(), box.height(), src.Image.BitsPerPixel)) return false;
    int left = box.width(), right = -1, top = -1, bottom = -1;
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x) {
            const TRotation::TPoint p = m.Transformed(box.left() + x, box.top() + y);
            const long double sx = std::floor(p.X), sy = std::floor(p.Y);
            if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
            left = std::min(left, x), right = std::max(right, x), bottom = y;
            if (top < 0) top = y;
            const uint8_t mask = src.Mask.ScanLine(int(sy))[int(sx)];
            whole.Mask.ScanLine(y)[x] = mask;
            for (int c = 0; c < bytes; ++c)
                whole.Image.ScanLine(y)[x * bytes + c] =
                    src.Image.ScanLine(int(sy))[int(sx) * bytes + c] & mask;
        }
    const QRect reached(QPoint(left, top), QPoint(right, bottom));
    if (reached.isEmpty() || !out.Allocate(reached.width(), reached.height(), src.Image.BitsPerPixel))
        return false;
    for (int y = 0; y < reached.height(); ++y) {
        std::copy_n(whole.Image.ScanLine(reached.top() + y) + reached.left() * bytes, reached.width() * bytes,
                    out.Image.ScanLine(y));
        std::copy_n(whole.Mask.ScanLine(reached.top() + y) + reached.left(), reached.width(),
                    out.Mask.ScanLine(y));
    }
    return true;
}
