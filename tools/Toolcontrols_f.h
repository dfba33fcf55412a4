#pragma once
// Controls the tool windows make alike.

#include <QString>

class QSpinBox;
class QToolButton;

// A speed button that takes the width of its cell; checkable ones stay down.
QToolButton* SpeedButton(const QString& text, bool checkable = false);
// A spin edit over low .. high.
QSpinBox* SpinEdit(int low, int high);
