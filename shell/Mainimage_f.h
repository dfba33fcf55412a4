#pragma once
// A document window: the window of one TDocument, shown in its view with zoom,
// grid, ruler and unit buttons. It repaints from the document's change notices,
// hands pointer events (in picture pixels) to the tool palette's dispatcher,
// asks before closing a modified design and hands its status texts to the main
// window. It never writes the design itself: every change is the document's.

#include "shell/Mainimage.h"
#include "shell/Stringtable.h"
#include "shell/Tdocument.h"
#include "tools/Tool.h"

#include <QWidget>
#include <functional>
#include <optional>

class TPTextileImage;
class TRuler;
class TToolDispatch;
class QScrollBar;
class QToolButton;
class QWheelEvent;

class TMainImageForm : public QWidget, public TToolView {
    Q_OBJECT
  public:
    explicit TMainImageForm(QWidget* parent = nullptr);
    ~TMainImageForm() override;

    TDocument& Document() const { return *Doc; }
    // The tool palette's dispatcher that takes this window's pointer events and
    // gives the current colour (none: events are only shown in the status bar).
    TToolDispatch* Dispatch = nullptr;

    // Error code (0 = success) of each; on failure the window holds no design.
    // detail (may be null) receives the size of a picture too large to open.
    uint32_t NewCanvas(const TPaper& paper, int bitsPerPixel);
    // progress hears the stages; a stop gives ErrorCode::Cancelled and changes nothing.
    uint32_t OpenDocument(const QString& directory, const QString& fileName, int bitsPerPixel, int type,
                          QString* detail = nullptr, const TProgressFn& progress = {});
    uint32_t SaveDocument(const QString& directory, const QString& fileName, int compression, int type,
                          const TProgressFn& progress = {});
    uint32_t ResizeCanvas(int width, int height, int dpi);
    uint32_t EnlargeCanvas(int width, int height);
    // Undoes the newest change of this design; false when there was none.
    bool Undo();
    // Makes this the current document and the undo store's design.
    void Activate();
    void SetUnit(int unit);
    void ZoomInClick();
    void ZoomOutClick();
    // One of the nine zoom steps (0 = 1:16 .. 8 = 16:1).
    void SetZoomStep(int step);
    // Keys forwarded by the tool palette: + and - zoom, the arrows scroll by an
    // eighth of the view (a whole view with Ctrl), Escape drops the selection.
    // True when the key was used.
    bool KeyPress(int key, Qt::KeyboardModifiers modifiers);
    // Processes the last mouse move (the main window calls it every 50 ms).
    void ProcessPendingMove();
    // Status panel texts 0 .. 3: size, resolution, zoom, pointer position.
    QString PanelText(int panel) const;

    // The selection (the picture's region) to the clipboard; Cut also fills it.
    uint32_t CopyToClipboard();
    uint32_t CutToClipboard();
    uint32_t PasteFromClipboard();

    // TToolView: scrolling by picture pixels, a rubber band, a shape's preview and a
    // floating piece over the design.
    void ScrollBy(int dx, int dy) override;
    void ShowRubberBand(const QRect& rect) override;
    void ShowShape(const std::vector<QPolygon>& lines) override;
    void ShowFloating(const QImage& picture, QPoint at) override;
    QRect Visible() const override;
    TRepeatWrap Repeat() const override;

    // The repeat display of this window (a TRepeatKind; the drops are half a tile).
    // Pointer events then carry points of the endless plane; the design is unchanged.
    void SetRepeatDisplay(int kind);
    int RepeatDisplay() const;

    // Asks to save a modified design; false when the user cancels.
    bool FormCloseQuery();
    // Saves under the design's name (asking for one for a never-saved design); false
    // when cancelled or failed (the error is reported).
    bool SaveInPlace();
    // A tool's open change of the design (a preview) ends before the design is written.
    void EndOpenChange();
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

  signals:
    // The caption, zoom, size or pointer changed: the status panels need rewriting.
    void StatusChanged();
    void BecameCurrent(TMainImageForm* form);
    // The window closed on a design kept in a file.
    void Closed(const QString& directory, const QString& fileName, int bitsPerPixel);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    // The mouse wheel over the view scrolls the design (Shift: sideways); with Ctrl
    // it zooms about the pointer. Tablet events leave their pressure for the mouse
    // events Qt makes of them.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Wheel(QWheelEvent* event);
    // Zooms the view (about anchor, a view point; the centre without one) and
    // brings the scroll bars, rulers and status panels along.
    void ApplyZoom(const TZoom& zoom, std::optional<QPoint> anchor = std::nullopt);
    void FormCreate();
    void UpdateCaption();
    void StateChanged();
    void ShowMaskState();
    void AfterNewPicture();
    void SyncScrollBars();
    void ViewMoved();
    void ImageMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                        int x, int y);
    void ImageMouseMove(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                        int x, int y);
    void ImageMouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                      int x, int y);
    TCurrentColour Colour() const;
    QString DefaultExtension() const;
    // Whether a press at (x, y) reaches the design: inside the picture, or anywhere
    // within the plane limits in the repeat display.
    bool Reaches(int x, int y) const;

    TDocument* Doc = nullptr;
    TStringTable Texts;
    QRect RubberBand;
    QRect ShapeBox; // the picture pixels the shown preview lies on
    QRect FloatBox; // and those the shown floating piece lies on
    // The last mouse move, processed by the 50 ms timer.
    bool PendingMove = false;
    TToolPointer Pending;
    int PointerX = 0, PointerY = 0;
    int WheelZoom = 0;     // wheel turn with Ctrl not yet a whole zoom step (1/8 degrees)
    double Pressure = 1.0; // the tablet pen's, 0 .. 1, for the mouse events made of its events
};

// The document whose window was activated last (null when none is open).
TMainImageForm* CurrentDocument();
