#pragma once
// The multiple-document main window. Its creation reads the configuration,
// loads the process-wide language tables and "Environment.ini" (user font,
// autosave), then builds the menus with captions from the "Main" table.

#include "platform/Scanner.h"
#include "shell/Filedialog_f.h"
#include "shell/Paper.h"

#include <QFont>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QThread>
#include <functional>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QAction;
class QTimer;
class QLabel;
class QProgressBar;
class QPrinter;
class TPrintForm;
class QKeyEvent;
class TFileHistory;
struct TColorLibraries;
struct TEnvironmentSettings;
struct TCurrentColour;
class TMainImageForm;
class TMainMenuForm;
class TFullViewForm;
class TPalette;
class TPaletteForm;
class TDocument;
class TPenManagerForm;
class TTextureForm;
class TPenObject;
class TPenTool;
class TOrvaneRandom;

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    // The palette the colour lists of tool window tool show (null: none).
    static const TPalette* ToolPalette(QWidget* tool);
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    QMdiArea* MdiArea() const { return MdiArea_; }
    QTimer* AutosaveTimer() const { return AutosaveTimer_; }
    bool AutoSave() const { return AutoSave_; }
    const QFont& UserFont() const { return UserFont_; }
    QMenu* FileItem() const { return FileItem_; }
    QMenu* EditItem() const { return EditItem_; }
    QMenu* ImageItem() const { return ImageItem_; }
    QMenu* CaptureItem() const { return CaptureItem_; }
    QMenu* ViewItem() const { return ViewItem_; }
    QMenu* WindowItem() const { return WindowItem_; }
    QMenu* HelpItem() const { return HelpItem_; }
    QAction* FExitItem() const { return FExitItem_; }
    QLabel* StatusPanel(int index) const { return Panels[index]; }
    // The progress bar beside the hints of panel 4: percent 0 .. 100, below 0 hides it.
    void ShowProgress(int percent);
    QProgressBar* ProgressBar() const { return Progress; }

    // Creates a document window holding a new canvas; null (after reporting) on failure.
    TMainImageForm* NewDocument(const TPaper& paper, int bitsPerPixel);
    // Opens a file in a new document window; null (after reporting) on failure.
    TMainImageForm* OpenFile(const QString& path, int type, int bitsPerPixel = 0);
    // The command line's design, or a blank A4 160-dpi 256-colour canvas.
    void FirstActivation(const QString& fileName);
    // Rewrites the status panels from the current document.
    void UpdateStatus();
    // Enables menu items and tool buttons for the current documents.
    void UpdateMenuItems();
    // Stacks the tool windows along the right edge of the client area.
    void ArrangeTools();
    TMainMenuForm* MainMenu() const { return MainMenu_; }
    // Runs an Image menu effect on the current full-colour design; false when it
    // could not (no such design, bad parameters); the design is then unchanged.
    bool ApplyImageEffect(int effect, int low, int high);
    // After the Environment dialog: the current document's unit and selection depth,
    // the autosave switch and interval, and the grid are taken from the settings.
    void ApplyEnvironment(const TEnvironmentSettings& settings);
    TFileHistory* History() const { return History_; }
    // Sets the user font's face, stores it as "Font"/"Name" and gives it to the tool windows.
    void SetUserFont(const QString& family);
    TFullViewForm* FullView() const { return FullView_; }
    // The weave browser, made and shown (View > Weave Library).
    TTextureForm* ShowWeaveLibrary();
    TPaletteForm* PaletteWindow() const { return Palette_; }
    TPenManagerForm* PenWindow() const { return Pen_; }
    TPrintForm* PrintWindow() const { return Print_; } // null until File > Printing... opens it

    // The dialogs of File Manager (folder -> file and depth) and Save... (folder,
    // type -> file); replaced in tests.
    std::function<TFileChoice(const QString& folder)> OpenDialog;
    std::function<TFileChoice(const QString& folder, int type)> SaveAsDialog;

    // Capture menu: the current design's selection to the captured-image list.
    bool CaptureSelection(bool overwrite);
    // Prints the current design on printer, fitted to the page; false when there is none.
    bool PrintDesign(QPrinter& printer);
    QAction* EUndoItem = nullptr;
    QAction* ESelectNoneItem = nullptr;
    QAction* COverwriteItem = nullptr;
    QAction* CInsertItem = nullptr;
    QAction* CDeleteAllItem = nullptr;
    QAction* CEditItem = nullptr;
    QAction* FPrintingItem = nullptr;
    QAction* FPrinterSetupItem = nullptr;
    QAction* WArrangeItem = nullptr;
    QAction* WMinimizeItem = nullptr;
    // The Window menu's entries of the open documents, made when it opens.
    QList<QAction*> WindowEntries;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Key preview: a key pressed anywhere in this window (a document's view or
    // scroll bars included) goes to the tool palette first, which hands it on.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Menu hints go to panel 4 instead of covering the panels.
    bool event(QEvent* event) override;

  private:
    void FormCreate();
    // Binds the palette, pen and full-view windows to the current document.
    void ConnectToolWindows();
    void ConnectPenWindow(TPenTool& tool);
    // The pen window, the Window tool's colour set and the spread and plain fill windows show the
    // colours of form's design when it is the current one.
    void ShowPenPalette(TMainImageForm* form);
    // The colour lists of tool window tool show design's palette (null: none, as
    // when the design closes).
    void ShowToolPalette(QWidget* tool, const TDocument* design);
    // The current colour as a swatch shows it on the current design.
    QColor ShownColour(const TCurrentColour& colour) const;
    TMainImageForm* AddDocument(TMainImageForm* form);
    void DocumentActivated(TMainImageForm* form);
    void FNewCanvasClick(int bitsPerPixel);
    void FManagerClick();
    void FSaveClick();
    void FResizeCanvasClick();
    void FFontClick();
    void FEnlargeCanvasClick();
    void FPrinterSetupClick();
    void FPrintingClick();
    // Scanning (Mainscan_f.cpp): the device probe runs in a worker thread from
    // start-up, and the scanner commands work once it found a device.
    void StartScannerProbe();
    void ScannersFound(const std::vector<TScanDevice>& devices);
    void UpdateScanItems();
    void FScanningClick();
    void FScannerSetupClick();
    // Opens the printing window on the current design, printing under jobName.
    void PrintCurrent(const QString& jobName);
    void CEditClick();
    void FEnvironmentClick();
    void CreateHistory();
    void AutosaveTimerTimer();
    void SetAutoSave(bool on, int minutes);
    void ImageEffectClick(int effect, const QString& caption);
    void BuildImageMenu();
    void Timer50msTimer();
    void Timer200msTimer();
    void Timer1000msTimer();
    void ReadEnvironment();
    void CreateMenus();
    void SetMenuCaptions();

    QMdiArea* MdiArea_ = nullptr;
    QTimer* AutosaveTimer_ = nullptr;
    bool AutoSave_ = false;
    QFont UserFont_;
    QMenu* FileItem_ = nullptr;
    QMenu* EditItem_ = nullptr;
    QMenu* ImageItem_ = nullptr;
    QMenu* CaptureItem_ = nullptr;
    std::unique_ptr<QPrinter> Printer; // one printer for page setup and the printing window
    QPrinter& SharedPrinter();
    TPrintForm* Print_ = nullptr;
    TFileHistory* History_ = nullptr;
    QMenu* ViewItem_ = nullptr;
    QMenu* WindowItem_ = nullptr;
    QMenu* HelpItem_ = nullptr;
    QAction* FExitItem_ = nullptr;
    QAction* FNewCanvas256Item = nullptr;
    QAction* FNewCanvasFullItem = nullptr;
    QAction* FManagerItem = nullptr;
    QAction* FSaveItem = nullptr;
    QAction* FCloseItem = nullptr;
    QAction* FResizeCanvasItem = nullptr;
    QAction* FEnlargeCanvasItem = nullptr;
    QAction* ECutItem = nullptr;
    QAction* ECopyItem = nullptr;
    QAction* EPasteItem = nullptr;
    QAction* WCascadeItem = nullptr;
    QAction* WTileItem = nullptr;
    QAction* HAboutItem = nullptr;
    QMenu* FReopenItem = nullptr;
    QAction* FScanningItem = nullptr;
    QAction* FScannerSetupItem = nullptr;
    QThread* ScanProbe_ = nullptr; // waited for when the window goes
    std::vector<TScanDevice> Scanners_;
    QAction* FFontItem = nullptr;
    QAction* FEnvironmentItem = nullptr;
    QLabel* Panels[6] = {};
    QProgressBar* Progress = nullptr;
    TMainMenuForm* MainMenu_ = nullptr;
    TFullViewForm* FullView_ = nullptr;
    TPaletteForm* Palette_ = nullptr;
    std::unique_ptr<TColorLibraries> Libraries_; // from start-up until the window closes
    TPenManagerForm* Pen_ = nullptr;
    QAction* VPenItem = nullptr;
    QAction* VPaletteItem = nullptr;
    QAction* VFullViewItem = nullptr;
    QAction* VMainMenuItem = nullptr;
    QAction* VStatusBarItem = nullptr;
    QAction* VToolsRearrangeItem = nullptr;
    // View > Weave Library: the weave browser, made when first asked for.
    QAction* VWeaveLibraryItem = nullptr;
    TTextureForm* WeaveLibrary_ = nullptr;
    // View > Repeat Display: Off, Straight, Half Drop Vertical, Half Drop Horizontal
    // (indexed by TRepeatKind), checked for the current document.
    QMenu* VRepeatItem = nullptr;
    QAction* VRepeatKindItems[4] = {};
    QTimer* Timer50ms = nullptr;
    QTimer* Timer200ms = nullptr;
    QTimer* Timer1000ms = nullptr;
    // The pen that paints with no tool active, and its random source.
    std::unique_ptr<TOrvaneRandom> PenRandom;
    std::unique_ptr<TPenObject> Pen;
};
