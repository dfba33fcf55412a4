#pragma once
// The weave browser ("Texture"): the library's three parts (FOUNDATION,
// DERIVATION, SPECIALITY), the groups of the current part in three lists
// (Plain, Twill, Satin), and the chosen group's weaves in a grid drawn at the
// zoom's cell size. A click shows a weave's size and longest floats below the
// grid; a double click chooses it for the jacquard tool. The window keeps its
// place in "Main.ini", section "TextureTable".
#include "shell/Stringtable.h"
#include "textile/Texture.h"

#include <QWidget>
#include <functional>

class QLabel;
class QListWidget;
class QSpinBox;
class QTableWidget;
class QToolButton;

// Where a chosen weave sits in the library.
struct TWeaveChoice {
    int Part = 0;  // 0 foundation, 1 derivation, 2 speciality
    int Type = 0;  // 0 plain, 1 twill, 2 satin (speciality: 0)
    int Group = 0; // the group's index in its list
    int Weave = 0; // the weave's index in its group
};

class TTextureForm : public QWidget {
    Q_OBJECT
  public:
    // folder: the texture directory (empty: the configured one).
    explicit TTextureForm(QWidget* parent = nullptr, const QString& folder = QString());
    ~TTextureForm() override;

    const TTexture& Library() const { return LibraryV; }
    // The weaves of the chosen group (empty when none is chosen).
    const std::vector<TTexBitData>& Weaves() const;
    // Shows part (0 .. 2) and chooses group of its type list.
    void ShowGroup(int part, int type, int group);
    // Does what a click (show its floats) or a double click (choose it) on weave index does.
    void SelectWeave(int index);
    void ChooseWeave(int index);
    TWeaveChoice Current() const { return CurrentV; }

    // A weave chosen by a double click.
    std::function<void(const TWeaveChoice&, const TTexBitData&)> OnChoose;

    QToolButton* sbPart[3] = {};
    QListWidget* lbType[3] = {};
    QSpinBox* seZoom = nullptr;
    QTableWidget* TextureGrid = nullptr;
    QLabel* StatusBar = nullptr;

  private:
    void PartClick(int part);
    void TypeClick(int type, int row);
    void FillGrid();
    TStringTable Texts;
    TTexture LibraryV;
    TWeaveChoice CurrentV;
    bool HasGroup = false;
};
