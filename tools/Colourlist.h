#pragma once
// TColourListEdit: a tool's colour list edited from the design (colours picked,
// every colour of the design, one taken out) with the list as it was before its
// last change kept for "Undo Colors". TColourListTool: the part of a tool engine
// whose settings (TSettings, with Colours and InsertColours) hold such a list.

#include "colour/Palette.h"
#include "tools/Penpick.h"
#include "tools/Tool.h"

#include <functional>
#include <vector>

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

template <class TSettings> class TColourListTool : public TTool {
  public:
    const TSettings& Settings() const { return SettingsV; }
    // The pick for the colour list in progress (PickNone, PickPixel, PickBlock).
    int Pick() const { return Picker.Mode(); }
    // The colour list: indices added (or inserted, as the settings say), every
    // colour of the design, the list as it was before its last change, one taken out.
    void TakeColours(const std::vector<int>& indices, const TPalette& palette) {
        if (ListEdit.Take(SettingsV.Colours, indices, palette, SettingsV.InsertColours)) Changed();
    }
    void TakeAllColours(const TToolContext& context) {
        if (ListEdit.TakeAll(SettingsV.Colours, context, SettingsV.InsertColours)) Changed();
    }
    void PreviousColours() {
        ListEdit.Previous(SettingsV.Colours);
        Changed();
    }
    void RemoveColour(int index) {
        if (ListEdit.Remove(SettingsV.Colours, index)) Changed();
    }

    // The engine changed the settings (a pick): the window shows them again.
    std::function<void()> OnChanged;

  protected:
    void Changed() {
        if (OnChanged) OnChanged();
    }
    TSettings SettingsV;
    TColourPick Picker;

  private:
    TColourListEdit ListEdit;
};
