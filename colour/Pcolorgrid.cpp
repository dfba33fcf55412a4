#include "colour/Pcolorgrid.h"

#include <algorithm>
#include <cmath>

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

void TPColorGrid::SetColorCount(int n) {
    Colors.resize(size_t(std::max(0, n)), BackColor);
    if (Selected >= ColorCount()) Selected = -1;
    CalculateWidHei();
}

bool TPColorGrid::ReDrawCell(int k, TColorRef c) {
    if (k < 0 || k >= ColorCount()) return false;
    Colors[size_t(k)] = c;
    return true;
}

void TPColorGrid::SetSize(int width, int height) {
    W = std::max(1, width);
    H = std::max(1, height);
    CalculateWidHei();
}

void TPColorGrid::CalculateWidHei() {
    const int n = std::max(1, ColorCount());
    Cols = std::clamp(int(std::ceil(std::sqrt(double(n) * W / H))), 1, n);
    RowCount = (n + Cols - 1) / Cols;
    CellW = std::max(1, W / Cols - 4);
    CellH = std::max(1, H / RowCount - 4);
}

bool TPColorGrid::SetPos(int p) {
    if (!Scrolling || p < 0 || p > MaxPos) return false;
    First = p;
    return true;
}

QPoint TPColorGrid::CalculatePosition(int i) const {
    if (RowCount <= 1) return QPoint((CellW + 4) * i + 2, 2);
    return QPoint((CellW + 4) * (i % Cols) + 2, (CellH + 4) * (i / Cols) + 2);
}

int TPColorGrid::GetColorIndex(int x, int y) const {
    if (x < 2 || y < 2) return -1;
    const int col = (x - 2) / (CellW + 4), row = RowCount <= 1 ? 0 : (y - 2) / (CellH + 4);
    if ((x - 2) % (CellW + 4) >= CellW || (y - 2) - row * (CellH + 4) >= CellH) return -1;
    if (col >= Cols) return -1;
    const int k = First + row * Cols + col;
    return k < ColorCount() ? k : -1;
}
