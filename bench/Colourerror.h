#pragma once
// Mean colour error of a reduced picture against its source: the RGB distance and
// CIE76 delta E (sRGB, D65 white) averaged over every pixel.
#include <cmath>
#include <cstdint>

struct TColourError {
    double Rgb = 0;
    double DeltaE = 0;
};

inline void ToLab(int red, int green, int blue, double lab[3]) {
    const auto linear = [](int v) {
        const double c = v / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double r = linear(red), g = linear(green), b = linear(blue);
    const double xyz[3] = {(0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047,
                           0.2126 * r + 0.7152 * g + 0.0722 * b,
                           (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883};
    double f[3];
    for (int i = 0; i < 3; ++i)
        f[i] = xyz[i] > 0.008856 ? std::cbrt(xyz[i]) : 7.787 * xyz[i] + 16.0 / 116;
    lab[0] = 116 * f[1] - 16;
    lab[1] = 500 * (f[0] - f[1]);
    lab[2] = 200 * (f[1] - f[2]);
}

// The distances between two colours (red, green, blue), added to error with weight n.
inline void AddError(TColourError& error, const int a[3], const int b[3], double n) {
    double la[3], lb[3];
    ToLab(a[0], a[1], a[2], la);
    ToLab(b[0], b[1], b[2], lb);
    error.Rgb += n * std::sqrt(double((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                                      (a[2] - b[2]) * (a[2] - b[2])));
    error.DeltaE += n * std::sqrt((la[0] - lb[0]) * (la[0] - lb[0]) + (la[1] - lb[1]) * (la[1] - lb[1]) +
                                  (la[2] - lb[2]) * (la[2] - lb[2]));
}
