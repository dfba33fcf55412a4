#include "colour/Paletteedits.h"

void TPaletteEdits::BeforeEdit(const TPalette& palette, int index) {
    if (InRun) return;
    Save(palette, index);
    InRun = true;
}

void TPaletteEdits::Save(const TPalette& palette, int index) {
    List.emplace_back(index, palette[index]);
}

bool TPaletteEdits::TakeLast(int& index, TColorData& entry) {
    InRun = false; // the restored entry's next edit is undoable again
    if (List.empty()) return false;
    index = List.back().first;
    entry = List.back().second;
    List.pop_back();
    return true;
}

void TPaletteEdits::Clear() {
    List.clear();
    InRun = false;
}
