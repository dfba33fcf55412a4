#pragma once
// The jacquard tool's engine: a weave from the weave library tiled over an area
// of a 256-colour design, its raised cells written in an effect colour and its
// lowered cells keeping the design's colours.
//
// Tiling over a rectangle L, T, R, B (R, B exclusive) with cell size z: canvas
// row B - 1 - k takes weave row (k mod H*z) / z, so the weave stands on the
// rectangle's bottom edge; across, tiles of W*z columns start at L and the last
// one is cut at R. Rot 1 mirrors the columns within the rectangle, 3 the rows,
// 2 both.
//
// What a click targets: Select Color the 4-connected area of the clicked colour
// (within the selection's box when there is one); In Area and Effect every pixel
// of the clicked colour inside the selection (or the canvas without one). A
// pixel is decided by its value before the click alone and each is visited
// once, so lowered cells keep the value the undo record holds and applying the
// same weave again changes nothing. Each click is one guarded change.

#include "textile/Texture.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>

class TDocument;
class TOrvaneBitmap;
class TPalette;
class TPBitmap;
class TWriteGuard;

enum TJacquardMode : int { JacquardSelectColor = 0, JacquardInArea = 1, JacquardEffect = 2 };
enum TJacquardPart : int { JacquardFoundation = 0, JacquardDerivation = 1, JacquardSpecial = 2 };

constexpr int kJacquardMaxZoom = 64;

// One chosen weave. Part, Type, Key (the foundation repeat as text, else the
// group's name) and Number (the weave in its group) find it in the library;
// Weave is the copy taken when it was chosen.
struct TJacquardEntry {
    int Part = JacquardFoundation;
    int Type = 0;
    QString Key;
    QString DisplayName;
    int Zoom = 1;
    int Number = 0;
    int Index = 0;
    int Rot = 0;
    bool Use = false;
    int Group = 1; // the group's number in its list, from 1 (for the label)
    TTexBitData Weave;
    bool operator==(const TJacquardEntry&) const = default;
};

// "F: <<repeat>>   W  x  H", "D: <<group>>   name", "S: <<group>>   name".
QString JacquardLabel(const TJacquardEntry& entry);

// True for a weave with cells and a size the tool can tile.
bool ValidJacquardWeave(const TTexBitData& weave);

// What one apply writes: the raised value of each present index (0 .. 255).
struct TJacquardPaint {
    const TTexBitData* Weave = nullptr;
    int Zoom = 1;
    int Rot = 0;
    std::array<uint8_t, 256> Raised{};
};

// The pixel pass over rect (inside the picture, 8 bits) for pixels whose value
// is target (target -1: every pixel of fill, a 1-bit mask at the picture's
// size), inside region (an 8-bit plane of region's box, 255 inside; may be null)
// and allowed by guard. Returns true when any pixel changed.
bool PaintJacquard(TOrvaneBitmap& picture, const TWriteGuard& guard, const QRect& rect,
                   const TJacquardPaint& paint, int target, const TPBitmap* fill = nullptr,
                   const TOrvaneBitmap* region = nullptr, const QRect& regionBox = QRect());

// The effect colours of palette: design colours 2 .. U (U the highest used
// index) get entries U + 1 .. 2U - 1 in order. Each keeps its hue and
// saturation; its lightness moves a quarter of the used colours' lightness
// range (at least 0.1) towards the middle of that range and past it when it is
// near: darker for colours in the light half, lighter for the dark half, so a
// raised cell shows on every colour. False (palette unchanged) when 2U >= 252.
bool MakeEffectColours(TPalette& palette);
// True when palette already holds the effect colours of its first (U + 1) / 2
// entries, as MakeEffectColours leaves it; Effect then reuses them.
bool HasEffectColours(const TPalette& palette);

struct TJacquardApply {
    int Mode = JacquardSelectColor;
    int EffectColour = 2; // the raised value in Select Color and In Area
};

// One click at at with entry's weave. 0 (also when nothing changed or at lies
// outside), JacquardNeeds256 for a full-colour design, BadFile for an entry
// without a usable weave, PaletteFull when Effect would pass entry 251,
// NoColour for an Effect click on a colour outside 2 .. U (an effect colour
// changes nothing), OutOfMemory.
// Failures change nothing.
uint32_t ApplyJacquard(TDocument& document, QPoint at, const TJacquardEntry& entry,
                       const TJacquardApply& apply);
