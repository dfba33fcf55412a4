#include "raster/Repeatwrap.h"

QPoint TRepeatWrap::Wrap(int x, int y) const {
    if (!On()) return {x, y};
    switch (Kind) {
    case RepeatDropVertical:
        return {FloorMod(x, Width), FloorMod(y - FloorDiv(x, Width) * (Drop % Height), Height)};
    case RepeatDropHorizontal:
        return {FloorMod(x - FloorDiv(y, Height) * (Drop % Width), Width), FloorMod(y, Height)};
    default:
        return {FloorMod(x, Width), FloorMod(y, Height)};
    }
}
