#pragma once
// The colour wheel of the HLS panel: a 140 x 140 picture centred at (70, 70)
// with a hue ring between radius 56 and 70 and an inner field whose angle is
// the hue and whose distance from the centre is the saturation.

#include <QImage>

constexpr int kWheelSize = 140;
constexpr int kWheelCentre = 70;
constexpr int kWheelInner = 56;

// The wheel with the inner field drawn at lightness 0 .. 1 (the ring is always
// at full saturation and lightness 0.5). Outside the ring is white.
QImage HLSWheelImage(double lightness);

// What a press at (x, y) on the wheel means: Part 0 outside the wheel, 1 on the
// hue ring (only Hue counts), 2 in the inner field (Hue in degrees 0 .. 359 and
// Saturation 0 .. 1).
struct TWheelHit {
    int Part = 0;
    int Hue = 0;
    double Saturation = 0;
};
TWheelHit WheelHit(int x, int y);
