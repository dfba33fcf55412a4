#include "colour/Pcolorgrid.h"

#include <algorithm>

bool TGridGeometry::SetXSquares(int value) {
    if (value < 1 || value > 16) return false;
    X = value;
    return true;
}

bool TGridGeometry::SetYSquares(int value) {
    if (value < 1 || value > 16) return false;
    Y = value;
    return true;
}

bool TGridGeometry::SetTab(int value) {
    if (value < 1 || value > 6) return false;
    TabPx = value;
    return true;
}

void TGridGeometry::SetSize(int width, int height) {
    W = std::max(0, width);
    H = std::max(0, height);
}

int TGridGeometry::SlotWidth() const {
    return std::max(0, (W - (kScrollBarWidth + 1)) / X);
}

int TGridGeometry::SlotHeight() const {
    return H / Y;
}

int TGridGeometry::SetRowOffset(int row, int max) {
    Row = std::clamp(row, 0, std::max(0, max));
    return Row;
}

int TGridGeometry::CellAt(int x, int y) const {
    const int sw = SlotWidth(), sh = SlotHeight();
    if (sw <= 0 || sh <= 0) return -1;
    const int col = std::clamp(x, 0, W - (kScrollBarWidth + 1)) / sw;
    const int row = std::clamp(y, 0, H - 1) / sh;
    return std::min(row, Y - 1) * X + std::min(col, X - 1);
}

QRect TGridGeometry::SlotRect(int k) const {
    if (k < 0 || k >= CellCount()) return QRect();
    const int sw = SlotWidth(), sh = SlotHeight();
    return QRect((k % X) * sw, (k / X) * sh, sw, sh);
}

QRect TGridGeometry::CellRect(int k) const {
    const QRect slot = SlotRect(k);
    if (slot.width() <= 2 * TabPx || slot.height() <= 2 * TabPx) return QRect();
    return slot.adjusted(TabPx, TabPx, -TabPx, -TabPx);
}

int TPaletteGrid::ScrollMax() const {
    return std::max(0, 250 / XSquares() + 1 - YSquares());
}

bool TPaletteGrid::IsShown(int index) const {
    return index >= FirstIndex() && index < FirstIndex() + CellCount();
}

int TPaletteGrid::HitTest(int x, int y) const {
    const int k = CellAt(x, y);
    return std::min(kLastSelectable, FirstIndex() + std::max(k, 0));
}

QRect TPaletteGrid::IndexRect(int index) const {
    return IsShown(index) ? CellRect(index - FirstIndex()) : QRect();
}

TPaletteGrid::TChoiceResult TPaletteGrid::SetChoiceIndex(int index, const TPalette* palette) {
    TChoiceResult r;
    r.OldIndex = Choice;
    if (index < 0 || index > 255 || index == Choice) return r;
    r.Changed = true;
    Choice = index;
    if (!IsShown(index)) {
        const int old = RowOffset();
        r.Scrolled = SetRow((index - 1) / XSquares() - YSquares() / 2) != old;
    }
    r.UseColorRaised = palette && index > palette->UseColor;
    return r;
}

bool TPaletteGrid::SetCursorIndex(int index) {
    if (index < 0 || index > 255 || index == Cursor) return false;
    Cursor = index;
    return true;
}

int TSelectorGrid::ScrollMax(int count) const {
    if (count <= CellCount()) return 0;
    return std::max(0, (count - 1) / XSquares() + 1 - YSquares());
}

int TSelectorGrid::MemberAt(int x, int y, int count) const {
    const int k = CellAt(x, y);
    if (k < 0) return -1;
    const int member = FirstMember() + k;
    return member < count ? member : -1;
}
