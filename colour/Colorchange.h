#pragma once
// The Color Change tool's changes of a design, each one guarded change and so one
// undo step. The region is the selection's pixels when there is one, else the
// whole picture; protected colours and masked pixels are kept (colour/Groupregion.h).
//
//   SwapColours       source pixels become target and target pixels source.
//   TPendingChange    Single/Multi To Single: the source pixels show as the
//                     preview index 254 while the target is looked for (entry 254
//                     shows the colour hovered in the palette), then become the
//                     target at Commit; Cancel puts pixels, palette and undo list
//                     back. The change stays open the whole time, so it is one
//                     undo step.
//   THlsShift         moves a group of colours in hue, lightness and saturation:
//                     the group's pixels move to copies of its entries after the
//                     used colours, and those copies follow the target values.
//   ShiftRgb          a full-colour design's pixels shifted by target - source.

#include "colour/Palette.h"
#include "colour/Phls.h"

#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TDocument;
class TChange;

constexpr int kPreviewIndex = 254;

// Which indices a change takes: a table of 256.
using TIndexSet = std::array<bool, 256>;
TIndexSet IndexSetOf(const TChoiceColor& set);

// Indices are clamped to 0 .. 255. 0, or DepthOfType for a full-colour design.
uint32_t SwapColours(TDocument& doc, int source, int target);

class TPendingChange {
  public:
    TPendingChange();
    ~TPendingChange(); // an open change is cancelled
    // Every region pixel of sources (254 itself never is one) becomes 254, whose
    // entry shows shown's colour. 0 or the reported error code, nothing changed.
    uint32_t Begin(TDocument& doc, const TIndexSet& sources, int shown);
    bool Pending() const { return Change != nullptr; }
    // Entry 254 shows the colour of index (the first shown colour for 254 itself).
    void Preview(int index);
    // The 254 pixels become target; one undo step.
    uint32_t Commit(int target);
    void Cancel();

  private:
    TDocument* Doc = nullptr;
    std::unique_ptr<TChange> Change;
    QRect Area;
    int Shown = 0;
    TColorData Entry;           // entry 254 before the change
    std::vector<QPoint> Before; // region pixels that held 254 before the change
};

// The mean hue, lightness and saturation of colours: hues are averaged around the
// circle (350 and 10 give 0), greys (undefined hue) count for lightness and
// saturation only. An empty list gives a grey of lightness 0.
THLS MeanHls(const std::vector<THLS>& colours);
// colour moved by the target's difference from reference; greys only in lightness.
THLS ShiftHls(const THLS& colour, const THLS& reference, const THLS& target);

class THlsShift {
  public:
    THlsShift();
    ~THlsShift(); // an open shift is kept
    // Moves the set's pixels onto copies of its entries after the used colours.
    // Refused with 0xC0000001 (nothing changed) without members or when set size +
    // used colours + 1 reaches 252.
    uint32_t Next(TDocument& doc, const TChoiceColor& set);
    bool Running() const { return Change != nullptr; }
    THLS Reference() const { return ReferenceV; }
    // The copies take their colours moved by target - reference (H degrees, L and S 0 .. 1).
    void Apply(const THLS& target);
    // Keeps the shift as one undo step.
    void Keep();
    // Puts the design back as before Next.
    void Back();

  private:
    std::unique_ptr<TChange> Change;
    std::vector<THLS> Members; // the copies' colours as they were at Next
    int First = 0;             // the first copy's index
    THLS ReferenceV;
};

// Every region pixel of a full-colour design shifted per channel by target - source
// (colours with red in the low byte), clamped. DepthOfType for a 256-colour design.
uint32_t ShiftRgb(TDocument& doc, uint32_t source, uint32_t target);
