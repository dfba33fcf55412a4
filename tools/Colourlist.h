#pragma once
// TColourListEdit: a tool's colour list edited from the design (colours picked,
// every colour of the design, one taken out) with the list as it was before its
// last change kept for "Undo Colors".

#include "colour/Palette.h"

#include <vector>

struct TToolContext;

class TColourListEdit {
  public:
    // Each returns whether list changed.
    bool Take(TChoiceColor& list, const std::vector<int>& indices, const TPalette& palette, bool insert);
    bool TakeAll(TChoiceColor& list, const TToolContext& context, bool insert);
    bool Remove(TChoiceColor& list, int index);
    // Exchanges list with the one before its last change.
    void Previous(TChoiceColor& list) { std::swap(list, Before); }

  private:
    TChoiceColor Before;
};
