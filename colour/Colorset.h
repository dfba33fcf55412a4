#pragma once
// Building colour sets from a 256-colour picture (the protected colours and the
// sets of the colour tools), keeping them in ini sections, and the write guard
// that drawing goes through so protected colours stay untouched.

#include "colour/Palette.h"
#include "raster/Tpmemory.h"

#include <QRect>
#include <array>
#include <vector>

class TIniFile;

// The rectangle with corners a and b, both inside, in whichever order they come.
QRect SpanRect(const QPoint& a, const QPoint& b);

// Palette index of an 8-bit picture's pixel; -1 outside the picture or for other depths.
int IndexAt(const TOrvaneBitmap& picture, int x, int y);
// Every index met inside area (corners in any order, clipped to the picture; a null QRect() means the whole
// picture), scanning row by row, each once in order of first appearance.
std::vector<int> IndicesIn(const TOrvaneBitmap& picture, const QRect& area = QRect());

// Adds (or, with remove, takes out) each index of a set; true when the set changed.
// Indices 0 and 252 .. 255 are never members.
bool TakeIndices(TChoiceColor& set, const std::vector<int>& indices, const TPalette& palette, bool remove);

// Writes the set to an ini section ("Count", then "Infor(i)", "Page(i)", "Number(i)",
// "RGB(i)", the names of user colours, "Code(i)"). An empty set writes nothing, so the
// section keeps what was saved before; otherwise the section is replaced.
void SaveColorSet(TIniFile& ini, const QString& section, const TChoiceColor& set);
// As SaveColorSet, but an empty set empties the section too: a tool's own list,
// where clearing the list must last.
void ReplaceColorSet(TIniFile& ini, const QString& section, const TChoiceColor& set);
// Replaces set with the section's members; members with a code outside 0 .. 255 or
// repeated are skipped. A missing section gives an empty set.
void LoadColorSet(const TIniFile& ini, const QString& section, TChoiceColor& set);

// The section of the protected colours in the settings file "Main.ini".
inline const char* kProtectSection = "ProtectColor";

// Flags exactly the set's indices as protected in the palette; true when any is.
bool ProtectColors(TPalette& palette, const TChoiceColor& set);

// Which pixels a drawing operation may change: none whose present index is a
// protected colour (when protection is on) and none under a set mask pixel.
class TWriteGuard {
  public:
    TWriteGuard() = default;
    // Protection from the palette's flags (only for 8-bit pictures); mask may be null.
    TWriteGuard(const TPalette* protectedColours, const TOrvaneBitmap* mask);
    // True when the guard lets every pixel through.
    bool Open() const { return !AnyProtected && !Mask; }
    bool Allows(const TOrvaneBitmap& picture, int x, int y) const;
    // Fills rect (clipped to the picture) with value wherever the guard allows.
    void Fill(TOrvaneBitmap& picture, const QRect& rect, uint32_t value) const;
    // Puts back every pixel of rect that the guard would not have let a drawing change,
    // taking it from before (a copy of rect made before the change, at rect's size).
    void Restore(TOrvaneBitmap& picture, const TOrvaneBitmap& before, const QRect& rect) const;

  private:
    bool Masked(int x, int y) const;
    bool ProtectedPixel(const TOrvaneBitmap& picture, int x, int y) const;
    std::array<bool, 256> Protected{};
    bool AnyProtected = false;
    const TOrvaneBitmap* Mask = nullptr;
};
