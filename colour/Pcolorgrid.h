#pragma once
// Layout and selection rules of the colour grid controls, kept apart from the
// widgets so they can be tested without a window.
//
// A grid has XSquares x YSquares slots to the left of a 15-pixel scroll bar;
// slot width = (width - 16) / XSquares, slot height = height / YSquares. Each
// cell's coloured rectangle is its slot inset by Tab pixels on every side. The
// scroll position counts whole rows.

#include "colour/Palette.h"

#include <QRect>

class TGridGeometry {
  public:
    static constexpr int kScrollBarWidth = 15;

    int XSquares() const { return X; }
    int YSquares() const { return Y; }
    int Tab() const { return TabPx; }
    // Values outside 1 .. 16 (1 .. 6 for Tab) are ignored; true when accepted.
    bool SetXSquares(int value);
    bool SetYSquares(int value);
    bool SetTab(int value);
    // Control size in pixels, scroll bar included; negative sizes count as 0.
    void SetSize(int width, int height);
    int Width() const { return W; }
    int Height() const { return H; }
    int SlotWidth() const;
    int SlotHeight() const;
    int CellCount() const { return X * Y; }

    int RowOffset() const { return Row; }
    // Clamped to 0 .. max; returns the row actually set.
    int SetRowOffset(int row, int max);

    // Cell number (across then down, from 0) under a point: x past the slots is
    // pulled back to the last column, y to the last row; negative values to 0.
    // -1 while the control is too small to hold a slot.
    int CellAt(int x, int y) const;
    // The slot of cell k and the coloured rectangle inside it (empty when k is not shown).
    QRect SlotRect(int k) const;
    QRect CellRect(int k) const;

  private:
    int X = 8, Y = 6, TabPx = 2;
    int W = 0, H = 0;
    int Row = 0;
};

// The palette grid (TDIB256Palette): cells show indices from row offset * XSquares + 2;
// indices 252 .. 255 are reserved and never chosen by the mouse.
class TPaletteGrid : public TGridGeometry {
  public:
    static constexpr int kFirst = 2;
    static constexpr int kLastSelectable = 251;

    static bool IsReserved(int index) { return index >= 252 && index <= 255; }

    // Scroll range 0 .. 250 / XSquares + 1 - YSquares (never below 0).
    int ScrollMax() const;
    int FirstIndex() const { return RowOffset() * XSquares() + kFirst; }
    int SetRow(int row) { return SetRowOffset(row, ScrollMax()); }
    // True when the palette index has a cell on screen.
    bool IsShown(int index) const;
    // Palette index under a point, never above 251 (the first shown index when the control is empty).
    int HitTest(int x, int y) const;
    // Coloured rectangle of a palette index, empty when it is not shown.
    QRect IndexRect(int index) const;

    int ChoiceIndex() const { return Choice; }
    int CursorIndex() const { return Cursor; }
    struct TChoiceResult {
        bool Changed = false;  // the index differs from the old one
        bool Scrolled = false; // the row offset moved
        bool UseColorRaised = false;
        int OldIndex = 0;
    };
    // Makes index the current colour. Outside 0 .. 255 or unchanged: nothing
    // happens. When the index is not shown its row, (index - 1) / XSquares, is
    // scrolled to YSquares / 2 rows below the top (clamped). UseColorRaised says
    // the palette's used-colour count is below index and should be raised to it
    // (palette may be null).
    TChoiceResult SetChoiceIndex(int index, const TPalette* palette);
    // Cell under the mouse; true when it changed. Outside 0 .. 255 is ignored.
    bool SetCursorIndex(int index);
    // After a resize or a change of XSquares / YSquares, keeps the row offset in range.
    void ClampRow() { SetRow(RowOffset()); }

  private:
    int Choice = 2;
    int Cursor = 2;
};

// Layout of the colour-set grid (TColorSelector): members in set order from
// row offset * XSquares.
class TSelectorGrid : public TGridGeometry {
  public:
    // 0 until the set fills the grid, then (count - 1) / XSquares + 1 - YSquares.
    int ScrollMax(int count) const;
    int FirstMember() const { return RowOffset() * XSquares(); }
    // Position in the set of the member under a point, -1 when no member is there.
    int MemberAt(int x, int y, int count) const;
};
