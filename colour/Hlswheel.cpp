#include "colour/Hlswheel.h"

#include "colour/Phls.h"

#include <cmath>

TWheelHit WheelHit(int x, int y) {
    TWheelHit hit;
    const double dx = x - kWheelCentre, dy = kWheelCentre - y;
    const double r = std::hypot(dx, dy);
    if (r > kWheelCentre) return hit;
    // The picker's hue rule (rounded, counter-clockwise from the right); the
    // right-hand horizontal's 360 is hue 0 of the 0 .. 359 spin edit.
    hit.Hue = TPHLS::WheelHue(x - kWheelCentre, y - kWheelCentre) % 360;
    if (r >= kWheelInner) {
        hit.Part = 1;
    } else {
        hit.Part = 2;
        hit.Saturation = r / kWheelInner;
    }
    return hit;
}

QImage HLSWheelImage(double lightness) {
    QImage img(kWheelSize, kWheelSize, QImage::Format_RGB32);
    for (int y = 0; y < kWheelSize; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kWheelSize; ++x) {
            const TWheelHit hit = WheelHit(x, y);
            int r = 255, g = 255, b = 255;
            if (hit.Part == 1) HLSToRGB(THLS{double(hit.Hue), 0.5, 1.0}, r, g, b);
            if (hit.Part == 2) HLSToRGB(THLS{double(hit.Hue), lightness, hit.Saturation}, r, g, b);
            line[x] = qRgb(r, g, b);
        }
    }
    return img;
}
