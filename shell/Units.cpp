#include "shell/Units.h"

#include <algorithm>

namespace {
// The canvas dialogs' inches per centimetre: 1 / 2.54 cut to ten decimals. It rounds a
// length that falls exactly on half a dot down where dividing by 2.54 rounds it up.
constexpr double kTypedInchPerCm = 0.3937007874;
} // namespace

QString UnitName(int unit) {
    static const char* const names[] = {"Dot", "Inch", "Cm"};
    return QString::fromLatin1(names[std::clamp(unit, 0, 2)]);
}

double LengthToDots(double length, int unit, int dpi) {
    if (dpi <= 0) return 0;
    switch (unit) {
    case UnitDot:
        return length;
    case UnitInch:
        return length * dpi;
    case UnitCm:
        return length * dpi / kCmPerInch;
    default:
        return 0;
    }
}

double DotsToLength(double dots, int unit, int dpi) {
    if (dpi <= 0) return 0;
    switch (unit) {
    case UnitDot:
        return dots;
    case UnitInch:
        return dots / dpi;
    case UnitCm:
        return dots * kCmPerInch / dpi;
    default:
        return 0;
    }
}

int RoundedDots(double length, int unit, int dpi) {
    return int(LengthToDots(length, unit, dpi) + 0.5);
}

int TypedSizeToDots(double length, int unit, int dpi) {
    switch (unit) {
    case UnitInch:
        return dpi > 0 ? int(length * dpi) : 0;
    case UnitCm:
        return dpi > 0 ? int(length * dpi * kTypedInchPerCm + 0.5) : 0;
    default:
        return int(length);
    }
}
