#pragma once
// Pictograms for the buttons of the tool palette, drawn in code so they need no
// image files and stay sharp at any size.
#include <QImage>

constexpr int kToolIconMaxSize = 1024;

// A size x size ARGB32 premultiplied picture of the tool's button (tool numbers as
// in Mainmenu.h) on a transparent background. enabled false gives the same drawing
// in mid-grey at reduced opacity. Numbers without a button (0, 22, > 25) give a fully
// transparent image; a size outside 1 .. kToolIconMaxSize gives a null image.
QImage ToolIcon(int tool, int size, bool enabled = true);
