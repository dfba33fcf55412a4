#pragma once
// The tool palette ("Textile Menu"): one toggle button per tool with a frame
// behind it, the File/Printer/Scanner/Exit buttons and the pop-up menu every
// document window shows. At most one tool is active; its window (when the tool
// has one) is created by SelectTool and destroyed by CloseTool, and its engine
// sits in the palette's dispatcher, which every document window feeds.
#include "shell/Mainmenu.h"
#include "shell/Stringtable.h"
#include "tools/Tooldispatch.h"

#include <QWidget>
#include <functional>

class QToolButton;
class QFrame;
class QMenu;
class QKeyEvent;
class QAction;

class TMainMenuForm : public QWidget {
    Q_OBJECT
  public:
    explicit TMainMenuForm(QWidget* parent = nullptr);

    // Leaves the active tool when n is active; otherwise closes it and activates n.
    void SelectTool(int n);
    bool CloseTool();
    int ActiveTool() const { return Active; }
    // Enables the buttons and the pop-up menu's tool entries for the current design
    // (0 bits: no document): a tool that exists and suits the design's depth and
    // selection.
    void UpdateButtons(int bitsPerPixel, bool selection);
    // Whether the program has tool n (a window or an engine to make); the others
    // keep their buttons disabled.
    std::function<bool(int tool)> ToolExists;
    // The tool's window and engine, made when the tool is selected (tools without
    // one get none).
    std::function<QWidget*(int tool, QWidget* owner)> CreateToolWindow;
    std::function<std::unique_ptr<TTool>(int tool)> CreateToolEngine;
    // The active-tool slot: pointer events, keys and the current colour pass here.
    TToolDispatch& Dispatch() { return Dispatcher; }
    // A button's hint while the pointer is over it (empty when it leaves).
    std::function<void(const QString& hint)> OnHint;
    // After every CloseTool: the main window shows the current design in the full
    // view and recomputes the buttons.
    std::function<void()> OnToolClosed;
    // The buttons of the file, printing and scanning commands run these.
    std::function<void()> OnFile, OnPrint, OnScan;
    // The Scanner button and its pop-up entry work only while a scanner is found.
    void SetScannerFound(bool found);
    // Zoom entries of the pop-up menu: step 0 (1:16) .. 8 (16:1).
    std::function<void(int step)> OnZoom;

    // Keys previewed by the main window (release: a key-up): the active tool, or when
    // it does not use the key the current document through OnDocumentKey, and while
    // Draw is active the Draw window too.
    void KeyForward(QKeyEvent* event, bool release);
    std::function<void(QKeyEvent* event, bool release)> OnDocumentKey;

    QToolButton* Button(int tool) const { return Buttons[tool]; }
    QAction* Entry(int tool) const { return Entries[tool]; }
    QFrame* Shape(int tool) const { return Shapes[tool]; }
    QWidget* ToolWindow() const { return Window; }
    QMenu* PopupMenu1 = nullptr;
    QToolButton *sbFile = nullptr, *sbPrint = nullptr, *sbScan = nullptr, *sbExit = nullptr;

  protected:
    bool event(QEvent* event) override;

  private:
    void FormCreate();
    void SetShapeColour(int tool, const QColor& colour);

    TStringTable Texts;
    TToolDispatch Dispatcher;
    QToolButton* Buttons[kToolCount + 1] = {};
    QFrame* Shapes[kToolCount + 1] = {};
    QAction* Entries[kToolCount + 1] = {}; // the pop-up menu's tool entries
    QAction* ScanEntry = nullptr;
    QWidget* Window = nullptr;
    int Active = 0;
};
