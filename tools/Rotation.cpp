#include "tools/Rotation.h"

#include <cmath>

namespace {

long double Snap(long double v) {
    if (v > 0.9999999L) return 1;
    if (v < -0.9999999L) return -1;
    if (v > -0.001L && v < 0.001L) return 0;
    return v;
}

} // namespace

void TRotation::Multiply(const std::array<long double, 9>& r) {
    std::array<long double, 9> out{};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            out[size_t(3 * row + col)] = M[size_t(3 * row)] * r[size_t(col)] +
                                         M[size_t(3 * row + 1)] * r[size_t(3 + col)] +
                                         M[size_t(3 * row + 2)] * r[size_t(6 + col)];
    M = out;
}

void TRotation::Translate(long double dx, long double dy) {
    Multiply({1, 0, 0, 0, 1, 0, dx, dy, 1});
}

void TRotation::Rotate(long double radians) {
    const long double c = Snap(std::cos(radians)), s = Snap(std::sin(radians));
    Multiply({c, s, 0, -s, c, 0, 0, 0, 1});
}

void TRotation::Quantize(int bits) {
    const long double scale = std::ldexp(1.0L, bits);
    for (long double& m : M)
        m = std::nearbyint(m * scale) / scale;
}
