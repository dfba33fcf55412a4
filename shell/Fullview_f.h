#pragma once
// The full-view tool window: the whole current design as a stretched preview with
// an inverted frame round the part the document view shows. Pointing or dragging in
// the preview scrolls the document view, the track bar sets its zoom. The window
// also holds the superimpose mode with its overlap, the tapeline state and the grid
// settings (read from Environment.ini, changed through the grid window).

#include "shell/Fullview.h"
#include "shell/Gridsetup.h"
#include "shell/Stringtable.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;
class TMainImageForm;
class TPStretchImage;

class TFullViewForm : public QWidget {
    Q_OBJECT
  public:
    explicit TFullViewForm(QWidget* parent = nullptr);
    ~TFullViewForm() override;
    // Reads the grid settings of "Environment.ini" again and applies them.
    void ReloadGrid();

    // Shows document's picture (null: none) and takes its zoom onto the track bar.
    void ShowImage(TMainImageForm* document);
    TMainImageForm* Document() const { return DocumentV; }
    // Redraws the preview and its frame (after the document scrolled or changed).
    void Refresh();

    int Super() const { return SuperV; }
    int Overlap() const { return OverlapV; }
    int Tapeline() const { return TapelineV; }
    const TGridSetup& GridSetup() const { return GridV; }

    // Fires after the superimpose mode changed.
    std::function<void()> OnSuperChange;
    // Fires after the overlap changed.
    std::function<void()> OnOverlapChange;
    // The grid settings window: (dpi, settings in and out) -> accepted. Replaced in tests.
    std::function<bool(int dpi, TGridSetup& setup)> GridDialog;

    QLabel *LabelZoom = nullptr, *Label1 = nullptr, *Label2 = nullptr, *LabelOverlap = nullptr;
    QToolButton* sbGrid = nullptr;
    TPStretchImage* Image = nullptr;
    QSlider* TrackBar = nullptr;
    QLabel *stSuper = nullptr, *stTapeline = nullptr;
    QSlider* tbOverlap = nullptr;
    QLineEdit* eOverlap = nullptr;
    QLabel *LabelGridX = nullptr, *LabelGridY = nullptr, *stGridX = nullptr, *stGridY = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void stSuperClick();
    void stTapelineClick();
    void TrackBarChange(int position);
    void tbOverlapChange(int position);
    void eOverlapEnter();
    void sbGridClick();
    void ApplyGrid();
    void ScrollTo(QPoint preview, bool move);
    void PaintFrame();
    TPreviewGeometry Geometry() const;

    TStringTable Texts;
    QPointer<TMainImageForm> DocumentV;
    QMetaObject::Connection DocumentLink;
    int SuperV = 0;
    int TapelineV = 0;
    int OverlapV = 0;
    TGridSetup GridV;
    bool Dragging = false;
};
