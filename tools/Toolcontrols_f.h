#pragma once
// Controls the tool windows make alike.

#include <QString>

class QButtonGroup;
class QSpinBox;
class QToolButton;

// A speed button that takes the width of its cell; checkable ones stay down.
QToolButton* SpeedButton(const QString& text, bool checkable = false);
// A checkable speed button of set; the set's group makes it exclusive (a window may
// hold several sets).
QToolButton* GroupToggle(const QString& text, QButtonGroup* set);
// A spin edit over low .. high.
QSpinBox* SpinEdit(int low, int high);
