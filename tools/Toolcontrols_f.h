#pragma once
// Controls the tool windows make alike.

#include <QString>

class QButtonGroup;
class QWidget;
class TColorSelector;
class QSpinBox;
class QToolButton;

// A speed button that takes the width of its cell; checkable ones stay down.
QToolButton* SpeedButton(const QString& text, bool checkable = false);
// A checkable speed button of set; the set's group makes it exclusive (a window may
// hold several sets).
QToolButton* GroupToggle(const QString& text, QButtonGroup* set);
// A spin edit over low .. high.
QSpinBox* SpinEdit(int low, int high);

// The colour list of a tool window: a 4 x 3 selector of cells of side cell over
// "New", "All", "Block Colors" (checkable, except "All") and "Insert Color",
// "Undo Colors"; texts holds the five captions in that order.
struct TColourListControls {
    TColorSelector* Selector = nullptr;
    QToolButton *New = nullptr, *All = nullptr, *Block = nullptr, *Insert = nullptr, *Before = nullptr;
};
QWidget* ColourListPanel(const QString (&texts)[5], int cell, TColourListControls& out);
