#pragma once
// Hue, lightness and saturation. H in degrees (999 when undefined, for greys),
// L and S in 0 .. 1. Channels come back truncated, not rounded.

struct THLS {
    double H = 0;
    double L = 0;
    double S = 0;
};

constexpr double kUndefinedHue = 999.0;

THLS RGBToHLS(int red, int green, int blue);
void HLSToRGB(const THLS& hls, int& red, int& green, int& blue);

#include "platform/Bitmaphandle.h"

#include <functional>

// The state and rules of the HLS picker (TPHLS) without the widget: Hue 0 .. 360,
// Lig and Sat 0 .. 100 (percent). The wheel is centred at (Centre, Centre) with
// radius Radius; the lightness/saturation triangle stands inside it with its apex
// at the top (Centre - Radius) and its base, 2 * Radius wide, at Centre + Radius.
class TPHLS {
  public:
    std::function<void()> OnColorChange, OnHueChange, OnLigChange, OnSatChange;

    int Hue() const { return HueValue; }
    int Lig() const { return LigValue; }
    int Sat() const { return SatValue; }
    TColorRef Color() const { return Colour; }
    int Centre = 80;
    int Radius = 70;

    // A new colour sets Hue, Lig and Sat (truncated; greys keep their hue) and
    // fires the colour, hue, lightness and saturation events.
    void SetColor(TColorRef c);
    // Below 0 → 0, above 360 → 359; a change fires the hue event and recolours.
    void SetHue(int h);
    // Clamped to 0 .. 100; a change fires its event and recolours.
    void SetLig(int l);
    void SetSat(int s);
    // The hue of a wheel point: degrees counter-clockwise from the right (screen
    // y down), 360 straight right, 90 at the top, 180 left, 270 at the bottom.
    static int WheelHue(int dx, int dy);
    // A click on the wheel sets the hue of the point about the centre.
    void Change_HS(int x, int y) { SetHue(WheelHue(x - Centre, y - Centre)); }
    // A click in the triangle: lightness from the height (100 at the apex), saturation
    // from the distance off the axis relative to the half-width there.
    void Change_LS(int x, int y);

  private:
    void ChangeColor();
    int HueValue = 0, LigValue = 100, SatValue = 0;
    TColorRef Colour = 0xFFFFFF;
};
