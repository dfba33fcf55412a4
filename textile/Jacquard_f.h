#pragma once
// The jacquard tool's window ("Jacquard Menu"): the list of chosen weaves with
// their labels (the scroll bar chooses the current one), "Texture" opening the
// weave browser (a double-clicked weave joins the list at the zoom's cell size),
// the three modes, the cell size and turn of the current entry, Apply (the last
// click again), Delete / All, the effect colour, File (open or save a ".jqd")
// and the current weave as a WIF file. Clicks on the design apply the current
// entry. The list comes from "Jacquard.ini" when the tool starts and goes back
// there when it ends.
#include "shell/Stringtable.h"

#include <QWidget>
#include <functional>

class QListWidget;
class QSpinBox;
class QToolButton;
class TJacquardTool;
class TTextureForm;
struct TToolContext;

class TJacquardForm : public QWidget {
    Q_OBJECT
  public:
    // folder: the weave library's (empty: the configured one).
    explicit TJacquardForm(QWidget* parent = nullptr, const QString& folder = QString());
    ~TJacquardForm() override;

    void Attach(TJacquardTool* engine, TToolContext* context);
    TTextureForm* Browser() const { return BrowserV; }

    // Asks for a file of filter to read or (save) write; empty when cancelled.
    // The program's dialog unless replaced (tests).
    std::function<QString(const QString& filter, bool save)> OnChooseFile;

    QListWidget* lbList = nullptr;
    QToolButton* sbTexture = nullptr;
    QToolButton* sbMode[3] = {};
    QSpinBox* seZoom = nullptr;
    QToolButton* sbRotate = nullptr;
    QToolButton* sbApply = nullptr;
    QToolButton* sbDelete = nullptr;
    QToolButton* sbAll = nullptr;
    QSpinBox* seEffect = nullptr;
    QToolButton* sbFile = nullptr;
    QToolButton* sbWif = nullptr;

    void sbOpenClick();
    void sbSaveClick();
    void sbWifClick();
    // A weave from a WIF file joins the list.
    void sbImportWifClick();

  private:
    void Refresh();
    void lbListChange(int row);
    void seZoomChange(int zoom);
    TStringTable Texts;
    TTextureForm* BrowserV = nullptr;
    TJacquardTool* Engine = nullptr;
    TToolContext* Context = nullptr;
    bool Filling = false;
};
