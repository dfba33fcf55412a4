#pragma once
// Where a tool window opens: at a wanted place, moved so it stays whole on the
// screen it is on and below the main window's menu bar.
#include <QPoint>

class QWidget;

// Moves window (its frame) to wanted (global), pulled inside the available screen
// area and below the menu bar of the main window it belongs to.
void PlaceInsideScreen(QWidget* window, QPoint wanted);
