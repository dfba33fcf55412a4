#pragma once
// The palette window's Protection panel: builds the set of protected colours
// from palette choices and from clicks on the design, and on O.K hands the set
// on, to be flagged as exactly the protected palette entries.
//
// Image clicks: with "Block Colors" down a click takes the index under the
// mouse; otherwise two clicks span a rectangle (a rubber band follows the mouse
// in between) and every index inside it is taken. With "Insert Color" down the
// taken indices leave the set instead.

#include "colour/Palette.h"
#include "shell/Stringtable.h"

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

class QPushButton;
class QToolButton;
class TColorSelector;
class TOrvaneBitmap;

class TProtectPanel : public QWidget {
    Q_OBJECT
  public:
    explicit TProtectPanel(QWidget* parent = nullptr);

    // Starts the panel on a palette: the set holds its protected entries 1 .. 251.
    void Enter(const TPalette* palette);
    // Ends it: the set is saved to "ProtectColor" of "Main.ini" (an empty set keeps
    // the saved one) and any rubber band is taken away.
    void Leave();
    void ApplyTexts(const TStringTable& texts);

    // A palette cell was chosen.
    void PaletteChoice(int index);
    // A press on the design at picture pixel (x, y).
    void ImageDown(const TOrvaneBitmap& picture, int x, int y);
    // The mouse moved over the design (draws the rubber band after a first click).
    void ImageMove(int x, int y);

    // The design the "All" button scans (the active document's picture).
    std::function<const TOrvaneBitmap*()> Picture;
    // Shows a rubber band on the design (an empty rectangle removes it).
    std::function<void(const QRect&)> OnRubberBand;
    // O.K was pressed: set is to become the protected colours.
    std::function<void(const TChoiceColor& set)> OnProtect;

    TColorSelector* csProtect;
    QToolButton* SpeedButtonProtectOne;    // "Block Colors"
    QToolButton* SpeedButtonProtectDelete; // "Insert Color"
    QPushButton* btNew;
    QPushButton* btAll;
    QPushButton* btBefore;
    QPushButton* ButtonProtect; // "O.K"

  private:
    // Adds or removes as "Insert Color" says, or as remove says.
    void Take(const std::vector<int>& indices);
    void Take(const std::vector<int>& indices, bool remove);
    void DropAnchor();
    void ButtonProtectClick();

    const TPalette* Pal = nullptr;
    bool HasAnchor = false;
    QPoint Anchor;
};
