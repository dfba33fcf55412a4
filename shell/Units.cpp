#include "shell/Units.h"

#include <algorithm>

namespace {
// The canvas dialogs' inches per centimetre: 1 / 2.54 cut to ten decimals. It rounds a
// length that falls exactly on half a dot down where dividing by 2.54 rounds it up.
constexpr double kTypedInchPerCm = 0.3937007874;

// Dots per unit as the fraction Dots / Length, so that each conversion multiplies
// before it divides (centimetres: x dpi / 2.54, and back x 2.54 / dpi).
struct TRatio {
    double Dots = 0, Length = 1;
};

TRatio DotsPerUnit(int unit, int dpi) {
    if (dpi <= 0) return {};
    switch (unit) {
    case UnitDot:
        return {1, 1};
    case UnitInch:
        return {double(dpi), 1};
    case UnitCm:
        return {double(dpi), kCmPerInch};
    default:
        return {};
    }
}
} // namespace

QString UnitName(int unit) {
    static const char* const names[] = {"Dot", "Inch", "Cm"};
    return QString::fromLatin1(names[std::clamp(unit, 0, 2)]);
}

double LengthToDots(double length, int unit, int dpi) {
    const TRatio r = DotsPerUnit(unit, dpi);
    return length * r.Dots / r.Length;
}

double DotsToLength(double dots, int unit, int dpi) {
    const TRatio r = DotsPerUnit(unit, dpi);
    return r.Dots > 0 ? dots * r.Length / r.Dots : 0.0;
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
