#pragma once
// The carpet texture table ("Carpet Table"): the library's textures in a grid,
// one a cell with its name below. What a double click does is chosen by Read
// (hand the texture to the carpet tool), Save (replace it with the design's
// selection) or Delete (remove it and its file, then back to Read); Save As
// makes a new texture of the selection under a typed name. Save and Save As
// take only a valid texture source (see TextureFromSelection).
#include "shell/Stringtable.h"
#include "textile/Carpetlibrary.h"

#include <QPixmap>
#include <QWidget>
#include <functional>

class QLabel;
class QTableWidget;
class QToolButton;
class TDocument;
class TPalette;

// The texture tiled over a square of side, each knot a block, in palette's colours (null: greys).
QPixmap CarpetTexturePreview(const TCarpetTexture& texture, const TPalette* palette, int side);

class TCarpetTableForm : public QWidget {
    Q_OBJECT
  public:
    explicit TCarpetTableForm(QWidget* parent = nullptr, const QString& folder = QString(),
                              const QString& userFolder = QString());

    // The design whose colours the cells show and whose selection is saved (may be null).
    void SetDocument(const TDocument* document);
    const TCarpetLibrary& Library() const { return LibraryV; }
    // The double click's mode: 0 Read, 1 Save, 2 Delete.
    int Mode() const { return ModeV; }
    // Does what a double click on cell index does in the current mode.
    void Activate(int index);
    // Save As with name (as the input box would give it).
    void SaveAs(const QString& name);

    // A texture picked in Read mode.
    std::function<void(const TCarpetTexture&)> OnPick;
    // Asks for the new name; empty: cancelled (tests replace it).
    std::function<QString()> AskName;

    QToolButton* sbRead = nullptr;
    QToolButton* sbSave = nullptr;
    QToolButton* sbDelete = nullptr;
    QToolButton* sbSaveAs = nullptr;
    QTableWidget* CarpetGrid = nullptr;
    QLabel* StatusBar = nullptr;

  private:
    void ModeClick(int mode);
    void sbSaveAsClick();
    void Fill();
    int IndexAt(int row, int column) const;
    TStringTable Texts;
    TCarpetLibrary LibraryV;
    const TDocument* Doc = nullptr;
    int ModeV = 0;
};
