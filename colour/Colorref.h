#pragma once
// Colour values (red in the low byte) as Qt colours and 32-bit pixels, for the
// windows that show or pick them and the pictures made for Qt.

#include "platform/Bitmaphandle.h"

#include <QColor>
#include <cstdint>

inline QColor ToQColor(TColorRef c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

inline TColorRef FromQColor(const QColor& c) {
    return MakeColorRef(c.red(), c.green(), c.blue());
}

// An opaque 32-bit pixel (0xFFRRGGBB, as qRgb makes it).
constexpr uint32_t ColorRefToRgb32(TColorRef c) {
    return 0xFF000000u | (uint32_t(RedOf(c)) << 16) | (uint32_t(GreenOf(c)) << 8) | uint32_t(BlueOf(c));
}
