#pragma once
// Cyan, magenta and yellow as the complements of red, green and blue, and the
// state of the CMY picker (TPCMY): three bars with a percentage caption each.

#include "platform/Bitmaphandle.h"

#include <QString>
#include <functional>

struct TCMY {
    int C = 0;
    int M = 0;
    int Y = 0;
};

inline TCMY RGBToCMY(int red, int green, int blue) {
    return TCMY{255 - red, 255 - green, 255 - blue};
}
inline void CMYToRGB(const TCMY& cmy, int& red, int& green, int& blue) {
    red = 255 - cmy.C;
    green = 255 - cmy.M;
    blue = 255 - cmy.Y;
}

// The picker's values and rules without the widget. Bars are numbered 0 cyan,
// 1 magenta, 2 yellow; a bar's values run over Length() pixels after a 5-pixel margin.
class TPCMY {
  public:
    enum TKindCMY { Across = 0, Upright = 1 };
    std::function<void()> OnColorChange;
    std::function<void(int bar)> OnBarChange; // OnCyanChange, OnMagentaChange, OnYellowChange

    int Cyan() const { return Values[0]; }
    int Magenta() const { return Values[1]; }
    int Yellow() const { return Values[2]; }
    int Value(int bar) const { return Values[bar % 3]; }
    TColorRef Color() const { return Colour; }
    const QString& Caption(int bar) const { return Captions[bar % 3]; }
    int Kind() const { return KindValue; }
    void SetCMYKind(int kind) { KindValue = kind == Across ? Across : Upright; }
    int Length() const { return LengthPx; }
    // Bar length in pixels, at least 1.
    void SetLength(int pixels) { LengthPx = pixels < 1 ? 1 : pixels; }

    // A new colour sets the three complements and captions, then fires the colour
    // event and each bar's event in turn; the same colour does nothing.
    void SetColor(TColorRef c);
    // Sets one bar (clamped to 0 .. 255); unchanged values do nothing.
    void SetValue(int bar, int value);
    void SetCyan(int v) { SetValue(0, v); }
    void SetMagenta(int v) { SetValue(1, v); }
    void SetYellow(int v) { SetValue(2, v); }
    // A drag on a bar at (x, y) in the bar's pixels: across bars take x, upright
    // bars y with 255 at the top.
    void Move(int bar, int x, int y);

    // trunc(v * 100 / 255 + 0.5) with the division in integers first.
    static int GetPercentage(int v) { return int(v * 100 / 255 + 0.5); }
    // Pixel position of a value along a bar.
    int GetLength(int v) const { return v * LengthPx / 255 + 5; }

  private:
    void ChangeColor();
    int Values[3] = {0, 0, 0};
    QString Captions[3] = {QStringLiteral("0%"), QStringLiteral("0%"), QStringLiteral("0%")};
    TColorRef Colour = 0xFFFFFF;
    int KindValue = Across;
    int LengthPx = 100;
};
