#pragma once
// Layout and selection rules of the colour grid controls, kept apart from the
// widgets so they can be tested without a window.
//
// A grid has XSquares x YSquares slots to the left of a 15-pixel scroll bar;
// slot width = (width - 16) / XSquares, slot height = height / YSquares. Each
// cell's coloured rectangle is its slot inset by Tab pixels on every side. The
// scroll position counts whole rows.

#include "colour/Palette.h"

#include <QPoint>
#include <QRect>
#include <vector>

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

// The colour-square control (TPColorGrid) without the widget: an owned list of
// colours laid out in rows of Columns() cells of CellWidth() x CellHeight()
// pixels, 4 pixels apart with a 2-pixel margin, from the first shown cell.
class TPColorGrid {
  public:
    // Default 200 x 100 pixels, no colours, white background, nothing selected.
    TPColorGrid() { CalculateWidHei(); }

    int ColorCount() const { return int(Colors.size()); }
    // Resizes the list, keeping the colours at indices that existed and filling
    // new ones with the background colour; negative counts give an empty list.
    void SetColorCount(int n);
    TColorRef ColorAt(int k) const { return k >= 0 && k < ColorCount() ? Colors[size_t(k)] : BackColor; }
    // Sets cell k's colour; false when k is no cell.
    bool ReDrawCell(int k, TColorRef c);
    TColorRef BackColor = 0xFFFFFF;
    bool Outline = false;
    int Selected = -1;

    // Control size (at least 1 x 1); the cells are laid out again.
    void SetSize(int width, int height);
    int Columns() const { return Cols; }
    int Rows() const { return RowCount; }
    int CellWidth() const { return CellW; }
    int CellHeight() const { return CellH; }
    // Columns from a square-root estimate of the count over the control's aspect;
    // cell size from what is left after the 4-pixel gaps (at least 1 x 1).
    void CalculateWidHei();

    // Scroll position (first shown cell, a multiple of Columns()); SetPos takes p
    // only when scrolling is enabled and 0 <= p <= PosMax().
    bool Scrolling = false;
    int Pos() const { return First; }
    int PosMax() const { return MaxPos; }
    void SetPosMax(int max) { MaxPos = max < 0 ? 0 : max; }
    bool SetPos(int p);

    // Top-left of cell i counted from the first shown cell: (w + 4) * column + 2,
    // (h + 4) * row + 2 (y = 2 in a one-row grid).
    QPoint CalculatePosition(int i) const;
    // The colour index under a point, -1 between cells or past the last colour.
    int GetColorIndex(int x, int y) const;

  private:
    std::vector<TColorRef> Colors;
    int W = 200, H = 100;
    int Cols = 1, RowCount = 1, CellW = 1, CellH = 1;
    int First = 0, MaxPos = 0;
};
