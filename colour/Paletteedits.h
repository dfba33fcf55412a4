#pragma once
// The palette window's own undo list of entry edits. The first edit of an entry
// since it was chosen (or since the panel opened) saves the entry as it was;
// later edits of the same entry add nothing, so one undo takes back the whole
// run of slider moves.

#include "colour/Palette.h"

#include <utility>
#include <vector>

class TPaletteEdits {
  public:
    // Before an edit of entry index of palette: saves it when it is the first
    // edit of the run.
    void BeforeEdit(const TPalette& palette, int index);
    // Saves the entry whatever the run (a library choice replaces it at once).
    void Save(const TPalette& palette, int index);
    // A new run starts (another entry chosen, a mode changed, an undo done).
    void EndRun() { InRun = false; }
    // The newest saved entry, taken off the list; false when there is none.
    bool TakeLast(int& index, TColorData& entry);
    // Another palette: its entries must not be written back into this one.
    void Clear();
    bool Empty() const { return List.empty(); }
    int Count() const { return int(List.size()); }

  private:
    std::vector<std::pair<int, TColorData>> List;
    bool InRun = false;
};
