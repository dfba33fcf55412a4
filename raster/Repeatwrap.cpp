#include "raster/Repeatwrap.h"

QPoint TRepeatWrap::Wrap(int x, int y) const {
    if (!On()) return {x, y};
    // The drop is taken in 64 bits: a far column times a long drop passes the int range.
    switch (Kind) {
    case RepeatDropVertical:
        return {int(FloorMod(x, Width)),
                int(FloorMod(y - FloorDiv(x, Width) * FloorMod(Drop, Height), Height))};
    case RepeatDropHorizontal:
        return {int(FloorMod(x - FloorDiv(y, Height) * FloorMod(Drop, Width), Width)),
                int(FloorMod(y, Height))};
    default:
        return {int(FloorMod(x, Width)), int(FloorMod(y, Height))};
    }
}
