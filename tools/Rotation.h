#pragma once
// TRotation: a 3 x 3 affine matrix in extended precision acting on row vectors
// (x, y, 1):  x' = m0 x + m3 y + m6,  y' = m1 x + m4 y + m7. A new matrix is the
// identity; Translate and Rotate multiply on the right (M := M T), so the step named
// first is applied to a point first.

#include <array>

class TRotation {
  public:
    std::array<long double, 9> M{1, 0, 0, 0, 1, 0, 0, 0, 1};

    // M := M T with T the translation by (dx, dy).
    void Translate(long double dx, long double dy);
    // M := M R with R = [[c, s, 0], [-s, c, 0], [0, 0, 1]] for the angle in radians.
    // Sine and cosine are snapped first: above 0.9999999 to 1, below -0.9999999 to -1,
    // within 0.001 of 0 to 0, so turns by multiples of 90 degrees are exact.
    void Rotate(long double radians);
    // Every entry rounded to a multiple of 2^-bits (0 <= bits <= 60).
    void Quantize(int bits);

    void Transform(long double& x, long double& y) const {
        const long double tx = M[0] * x + M[3] * y + M[6];
        y = M[1] * x + M[4] * y + M[7];
        x = tx;
    }
    struct TPoint {
        long double X, Y;
    };
    TPoint Transformed(long double x, long double y) const {
        Transform(x, y);
        return {x, y};
    }

  private:
    void Multiply(const std::array<long double, 9>& right);
};
