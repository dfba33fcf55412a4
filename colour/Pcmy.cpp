#include "colour/Pcmy.h"

#include <algorithm>

namespace {

QString Percent(int v) {
    return QString::number(TPCMY::GetPercentage(v)) + u'%';
}

} // namespace

void TPCMY::SetColor(TColorRef c) {
    if (c == Colour) return;
    Colour = c;
    const TCMY cmy = RGBToCMY(RedOf(c), GreenOf(c), BlueOf(c));
    Values[0] = cmy.C, Values[1] = cmy.M, Values[2] = cmy.Y;
    for (int bar = 0; bar < 3; ++bar)
        Captions[bar] = Percent(Values[bar]);
    if (OnColorChange) OnColorChange();
    if (OnBarChange)
        for (int bar = 0; bar < 3; ++bar)
            OnBarChange(bar);
}

void TPCMY::SetValue(int bar, int value) {
    bar %= 3;
    value = std::clamp(value, 0, 255);
    if (Values[bar] == value) return;
    Values[bar] = value;
    Captions[bar] = Percent(value);
    ChangeColor();
    if (OnBarChange) OnBarChange(bar);
}

void TPCMY::Move(int bar, int x, int y) {
    const int v = KindValue == Across ? std::clamp(x - 5, 0, LengthPx) * 255 / LengthPx
                                      : (LengthPx - std::clamp(y - 5, 0, LengthPx)) * 255 / LengthPx;
    SetValue(bar, v);
}

void TPCMY::ChangeColor() {
    int r = 0, g = 0, b = 0;
    CMYToRGB(TCMY{Values[0], Values[1], Values[2]}, r, g, b);
    Colour = MakeColorRef(r, g, b);
    if (OnColorChange) OnColorChange();
}
