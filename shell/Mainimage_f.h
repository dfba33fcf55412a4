#pragma once
// A document window: one design shown in its view, with zoom, grid, ruler and
// unit buttons. It creates, opens and saves its design by file type, asks
// before closing a modified design, picks colours, pans with Ctrl-drag and
// hands its status texts to the main window.

#include "colour/Colorset.h"
#include "colour/Palette.h"
#include "raster/Undo.h"
#include "shell/Mainimage.h"
#include "shell/Stringtable.h"

#include <QWidget>
#include <functional>

class TPTextileImage;
class TRuler;
class QScrollBar;
class QToolButton;

class TMainImageForm : public QWidget {
    Q_OBJECT
  public:
    explicit TMainImageForm(QWidget* parent = nullptr);
    ~TMainImageForm() override;

    // Error code (0 = success) of each; on failure the window holds no design.
    uint32_t NewCanvas(const TPaper& paper, int bitsPerPixel);
    uint32_t OpenDocument(const QString& directory, const QString& fileName, int bitsPerPixel, int type);
    uint32_t SaveDocument(const QString& directory, const QString& fileName, int compression, int type);
    uint32_t ResizeCanvas(int width, int height, int dpi);
    uint32_t EnlargeCanvas(int width, int height);

    // Marks the design modified and records the state of rect (the whole picture
    // without one) in the undo store before a change; every editing operation calls
    // it first. False when the record could not be made (the change may go on).
    bool SetModified(int flags = UndoPicture | UndoRegion, bool compact = true);
    bool SetModified(int flags, bool compact, const QRect& rect);
    // Undoes the newest change of this design; false when there was none.
    bool Undo();
    // Makes this the current document and the undo store's design.
    void Activate();
    // Makes the undo store work on this design (activation does it).
    void AttachUndo();
    void SetUnit(int unit);
    void ZoomInClick();
    void ZoomOutClick();
    // One of the nine zoom steps (0 = 1:16 .. 8 = 16:1).
    void SetZoomStep(int step);
    // Keys forwarded by the tool palette: + and - zoom, the arrows scroll by an
    // eighth of the view (a whole view with Ctrl). True when the key was used.
    bool KeyPress(int key, Qt::KeyboardModifiers modifiers);
    // Processes the last mouse move (the main window calls it every 50 ms).
    void ProcessPendingMove();
    // Status panel texts 0 .. 3: size, resolution, zoom, pointer position.
    QString PanelText(int panel) const;

    // The selection (the picture's region) to the clipboard; Cut also fills it.
    uint32_t CopyToClipboard();
    uint32_t CutToClipboard();
    uint32_t PasteFromClipboard();

    // False while another window holds a modal mode on the design (the palette
    // window's Protection mode): presses and moves then go to ModalDown / ModalMove.
    bool ToolInput = true;
    static inline std::function<void(TMainImageForm*, int x, int y)> ModalDown, ModalMove;
    // Shows a rubber band over the design (bitmap pixels, inclusive); empty removes it.
    void ShowRubberBand(const QRect& rect);
    // What drawing may change: protected colours stay while "Protection" is down.
    TWriteGuard WriteGuard() const;

    // Asks to save a modified design; false when the user cancels.
    bool FormCloseQuery();
    // Saves under the design's name (asking for one for a never-saved design); false
    // when cancelled or failed (the error is reported).
    bool SaveInPlace();
    // The autosave timer's save, with the notice window shown meanwhile; an
    // unmodified design is left alone.
    bool AutoSave();
    // The save dialog of a never-saved design: (folder-and-name, filter) -> chosen
    // path, empty when cancelled. Replaced in tests.
    std::function<QString(const QString& filter, const QString& folder)> SaveDialog;

    TPTextileImage* iMainImage = nullptr;
    QToolButton *sbZoomIn = nullptr, *sbZoomOut = nullptr, *sbGrid = nullptr, *sbRuler = nullptr,
                *sbProtect = nullptr, *sbMaskArea = nullptr, *sbMaskShow = nullptr, *sbUnit = nullptr;
    QScrollBar* sbHorizontal = nullptr;
    TRuler* RulerTop = nullptr;
    TRuler* RulerLeft = nullptr;
    QScrollBar* sbVertical = nullptr;

    int DocumentNumber = 0;
    // How many earlier selections the work area keeps ("Window"/"MaxUndo").
    int SelectionDepth = 5;
    QString Directory;
    QString FileName;
    TPaper Paper;
    int Unit = UnitCm;
    TPalette Palette;
    bool Modified = false;
    int ImageWidth = 0, ImageHeight = 0;
    bool PendingMove = false;
    int PendingX = 0, PendingY = 0;
    int PointerX = 0, PointerY = 0;

    TDesignRef Design() { return TDesignRef{Image(), Palette, Paper}; }
    TOrvaneBitmap& Image();

  signals:
    // The caption, zoom, size or pointer changed: the status panels need rewriting.
    void StatusChanged();
    void BecameCurrent(TMainImageForm* form);
    // An undo changed the picture (and maybe the palette).
    void Undone();
    // The window closed on a design kept in a file.
    void Closed(const QString& directory, const QString& fileName, int bitsPerPixel);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void FormCreate();
    void UpdateCaption();
    void ForgetUndo();
    void AfterNewPicture();
    void SyncScrollBars();
    void ViewMoved();
    void ImageMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                        int x, int y);
    void ImageMouseMove(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                        int x, int y);
    void ImageMouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                      int x, int y);
    void PickColour(int x, int y);
    QString DefaultExtension() const;

    TStringTable Texts;
    QRect RubberBand;
    bool Panning = false;
    QPoint PanStart;
};

// The document whose window was activated last (null when none is open).
TMainImageForm* CurrentDocument();
