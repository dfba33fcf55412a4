#include "tools/Patternsettings.h"

#include "platform/Inifile.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
const QString kMenu = QStringLiteral("Menu"), kIrregular = QStringLiteral("Irregular");
constexpr double kPixelsPerInch = 160.0;

int AngleOf(double dx, double dy) {
    if (dx == 0 && dy == 0) return 0;
    const int a = int(std::atan2(dy, dx) * 18000.0 / std::numbers::pi);
    return a < 0 ? a + 36000 : a;
}
} // namespace

void TPatternSettings::Clamp() {
    Function = std::clamp(Function, int(PatternRegular), int(PatternSpray));
    Direction = std::clamp(Direction, int(PatternNormal), int(PatternBoth));
    Handle = QPoint(std::max(Handle.x(), 0), std::max(Handle.y(), 0));
    Spacing = std::clamp(Spacing, 1, kPatternSpacingMax);
    Value = std::clamp(Value, 1, kPatternValueMax);
    Motif = std::max(Motif, 0);
}

int SpacingPixels(double value, int unit) {
    if (!std::isfinite(value)) return 1;
    const double pixels = unit == 0   ? value
                          : unit == 1 ? value * kPixelsPerInch
                                      : value * kPixelsPerInch / 2.54;
    return int(std::clamp(std::trunc(pixels), 1.0, double(kPatternSpacingMax)));
}

QPoint HandleFromClick(QPoint point, const QRect& box, int direction) {
    const bool mirror = direction == PatternMirror || direction == PatternBoth;
    const bool upDown = direction == PatternUpDown || direction == PatternBoth;
    return QPoint(mirror ? box.right() - point.x() : point.x() - box.left(),
                  upDown ? box.bottom() - point.y() : point.y() - box.top());
}

std::vector<TPatternStamp> SprayStamps(const std::vector<QPoint>& path, int spacing) {
    std::vector<TPatternStamp> stamps;
    if (path.empty()) return stamps;
    const double d = std::max(spacing, 1);
    double length = 0;
    int angle = 0;
    for (size_t i = 1; i < path.size(); ++i) {
        const double dx = path[i].x() - path[i - 1].x(), dy = path[i].y() - path[i - 1].y();
        const double along = std::hypot(dx, dy);
        angle = AngleOf(dx, dy);
        double owed = d - length; // the distance from this segment's start to its first stamp
        length += along;
        const double ux = along > 0 ? dx / along : 1, uy = along > 0 ? dy / along : 0;
        for (; length > d; length -= d, owed += d)
            stamps.push_back(
                {QPoint(int(path[i - 1].x() + ux * owed), int(path[i - 1].y() + uy * owed)), angle});
    }
    stamps.push_back({path.back(), angle});
    return stamps;
}

TPatternSettings ReadPatternSettings(const TIniFile& ini) {
    TPatternSettings s;
    s.Function = ini.ReadInteger(kMenu, QStringLiteral("Item"), PatternRegular);
    s.Value = ini.ReadInteger(kIrregular, QStringLiteral("Value"), 80);
    s.Clamp();
    return s;
}

void WritePatternSettings(TIniFile& ini, const TPatternSettings& settings) {
    ini.WriteInteger(kMenu, QStringLiteral("Item"), settings.Function);
    ini.WriteInteger(kIrregular, QStringLiteral("Value"), settings.Value);
}
