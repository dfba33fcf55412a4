#pragma once
// Little-endian bytes of the file formats: appending to a byte array and decoding
// from a buffer. Reading from a device is TLeReader's part (platform/Lereader.h).

#include <QByteArray>
#include <cstdint>

inline void Put8(QByteArray& out, int v) {
    out.append(char(v & 0xFF));
}
inline void Put16(QByteArray& out, int v) {
    Put8(out, v), Put8(out, v >> 8);
}
inline void Put32(QByteArray& out, uint32_t v) {
    Put16(out, int(v & 0xFFFF)), Put16(out, int(v >> 16));
}
inline uint16_t Get16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
inline uint32_t Get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
