#include "shell/Fullview.h"

#include <algorithm>
#include <cmath>

namespace {
// One axis of the preview mapping: preview length, picture length, visible length.
int AxisScroll(int p, int previewLen, int imageLen, int visibleLen) {
    const int range = std::max(0, imageLen - visibleLen);
    p = std::clamp(p, 0, std::max(0, previewLen));
    if (p < 10) return 0;
    if (p > previewLen - 10) return range;
    if (previewLen - 20 <= 0) return 0;
    return int(int64_t(range) * (p - 10) / (previewLen - 20));
}
} // namespace

int NextSuperMode(int mode) {
    return mode >= 0 && mode < 3 ? mode + 1 : (mode == 3 ? 0 : 1);
}

int NextTapeline(int state) {
    switch (state) {
    case 0:
        return 3;
    case 3:
        return 1;
    case 1:
        return 2;
    default:
        return 0;
    }
}

int SuperCaptionIndex(int mode) {
    return 5 + std::clamp(mode, 0, 3);
}

int TapelineCaptionIndex(int state) {
    return 9 + std::clamp(state, 0, 3);
}

int ClampOverlap(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || std::isnan(v)) return 0;
    return int(std::clamp(v, 0.0, 100.0));
}

TZoom TrackZoom(int position) {
    return ZoomStep(std::clamp(position, 0, kZoomSteps - 1));
}

QString TrackZoomLabel(int position) {
    const TZoom z = TrackZoom(position);
    return z.Out > 1 ? QStringLiteral("1/%1").arg(z.Out) : QString::number(z.In);
}

int TrackPositionOf(const TZoom& zoom) {
    const int step = ZoomStepOf(zoom);
    return step < 0 ? 4 : step;
}

int TPreviewGeometry::VisibleW() const {
    if (ZoomIn < 1 || ZoomOut < 1) return 0;
    return int(std::min<int64_t>(ImageW, int64_t(std::max(0, ViewW)) * ZoomOut / ZoomIn));
}

int TPreviewGeometry::VisibleH() const {
    if (ZoomIn < 1 || ZoomOut < 1) return 0;
    return int(std::min<int64_t>(ImageH, int64_t(std::max(0, ViewH)) * ZoomOut / ZoomIn));
}

QPoint PreviewToScroll(const TPreviewGeometry& g, QPoint preview) {
    const int vh = g.VisibleH();
    const int x = AxisScroll(preview.x(), g.PreviewW, g.ImageW, g.VisibleW());
    int y = AxisScroll(preview.y(), g.PreviewH, g.ImageH, vh);
    if (g.BottomUp) y = std::max(0, g.ImageH - vh) - y;
    return QPoint(x, y);
}

QRect VisibleFrame(const TPreviewGeometry& g, QPoint scroll) {
    if (g.ImageW <= 0 || g.ImageH <= 0 || g.PreviewW <= 0 || g.PreviewH <= 0) return QRect();
    const int vw = g.VisibleW(), vh = g.VisibleH();
    const int top = g.BottomUp ? g.ImageH - vh - scroll.y() : scroll.y();
    const auto toX = [&](int v) { return int(int64_t(v) * g.PreviewW / g.ImageW); };
    const auto toY = [&](int v) { return int(int64_t(v) * g.PreviewH / g.ImageH); };
    return QRect(QPoint(toX(scroll.x()), toY(top)), QPoint(toX(scroll.x() + vw) - 1, toY(top + vh) - 1));
}
