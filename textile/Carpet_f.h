#pragma once
// The carpet tool's window ("Carpet Menu"). One of five functions is chosen:
// Texture Fill and Area Fill (clicks on the design fill with the current texture
// of the working list: FillPanel with New, Delete, the preview and the scroll bar
// that chooses it), Regauge (RegaugePanel: the new size and Run), Table View (the
// texture table beside it) and Window (WindowPanel: the switch and the carpet
// area's size). "File" opens carpet files, "Disk Manager" exchanges diskettes.
//
// Entering the tool rebuilds an empty working list from "Carpet.ini" and the
// library; leaving writes the list's names back. The design keeps its list.
#include "shell/Stringtable.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QScrollBar;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class TCarpetTableForm;
class TCarpetTool;
class TDocument;
struct TToolContext;

class TCarpetForm : public QWidget {
    Q_OBJECT
  public:
    // folder and userFolder: the texture library's (empty: the configured ones).
    explicit TCarpetForm(QWidget* parent = nullptr, const QString& folder = QString(),
                         const QString& userFolder = QString());
    ~TCarpetForm() override;

    // The engine the window drives and the context its calls run in; the working
    // list of the context's design is rebuilt when it is empty.
    void Attach(TCarpetTool* engine, TToolContext* context);
    // The current design changed (or its state): the panels show it again.
    void ShowDesign();
    TCarpetTableForm* Table() const { return TableV; }

    // "File": open a carpet file (set by the main window).
    std::function<void()> OnFile;

    QToolButton* sbTextureFill = nullptr;
    QToolButton* sbAreaFill = nullptr;
    QToolButton* sbRegauge = nullptr;
    QToolButton* sbTableView = nullptr;
    QToolButton* sbWindow = nullptr;
    QToolButton* sbFile = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QStackedWidget* Panels = nullptr;
    QToolButton* sbNew = nullptr;
    QToolButton* sbDelete = nullptr;
    QLabel* Image = nullptr;
    QLabel* stName = nullptr;
    QScrollBar* ScrollBar = nullptr;
    QSpinBox* spReEditW = nullptr;
    QSpinBox* spReEditH = nullptr;
    QLabel* lbMax = nullptr;
    QToolButton* sbRegaugeRun = nullptr;
    QToolButton* stWindow = nullptr;
    QSpinBox* spEditW = nullptr;
    QSpinBox* spEditH = nullptr;
    QToolButton* sbWindowRun = nullptr;

  private:
    QWidget* MakeFillPanel();
    QWidget* MakeRegaugePanel();
    QWidget* MakeWindowPanel();
    TDocument* Design() const;
    void sbFunctionClick(int function);
    void sbNewClick();
    void sbDeleteClick();
    void ScrollBarChange(int index);
    void sbRegaugeRunClick();
    void stWindowClick();
    void sbWindowRunClick();
    void SpeedButton1Click();
    TStringTable Texts;
    TCarpetTableForm* TableV = nullptr;
    TCarpetTool* Engine = nullptr;
    TToolContext* Context = nullptr;
    QPointer<TDocument> Watched;
    bool Showing = false;
};
