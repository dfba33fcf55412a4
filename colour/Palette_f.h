#pragma once
// The palette window: the grid of the current document's palette, the current,
// background and pointer colour swatches, and the mode panels that edit the
// current entry (CMY, HLS), with an undo list of entry edits.
//
// Flow of an edit: a panel value changes -> the first edit since the panel
// opened (or since another colour was chosen) saves undo -> the document takes
// the entry as a plain colour -> its palette notice repaints the grid, the chart
// and the design.

#include "colour/Currentcolour.h"
#include "colour/Palette.h"
#include "colour/Paletteedits.h"
#include "shell/Stringtable.h"
#include "shell/Tdocument.h"

#include <QFrame>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QLabel;
class QProgressBar;
class QSpinBox;
class QToolButton;
class TDIB256Palette;
class TProtectPanel;
class TColorChartForm;
class TColorLibraryForm;
class TLibraryPanel;
struct TColorLibraries;
class TPFMForm;
class QPushButton;
class TOrvaneBitmap;
class TToolDispatch;
class TProtectTool;

// A colour swatch with up to two lines of text; OnClick runs on a left press.
class TColorSwatch : public QFrame {
  public:
    explicit TColorSwatch(QWidget* parent = nullptr);
    void SetColor(TColorRef colour, const QString& text);
    TColorRef Color() const { return Colour; }
    QString Text() const { return Caption; }
    std::function<void()> OnClick;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    TColorRef Colour = 0;
    QString Caption;
};

// Mode numbers of the panel buttons.
enum TPaletteMode : int {
    ModeNone = 0,
    ModeCMY = 1,
    ModeHLS = 2,
    ModeLibrary = 3,
    ModeFile = 4,
    ModeChart = 5,
    ModeProtection = 6
};

class TPaletteForm : public QWidget {
    Q_OBJECT
  public:
    explicit TPaletteForm(QWidget* parent = nullptr);

    ~TPaletteForm() override;
    // Shows document's palette (null: none) and forgets the edit marks and undo
    // entries of the previous one. Protection mode ends when the document changes.
    void AttachDocument(TDocument* document);
    TDocument* Document() const { return Doc; }
    // The tool palette's dispatcher: the chosen colour becomes its current colour
    // and Protection mode takes the design's input through it.
    void SetDispatch(TToolDispatch* dispatch);
    // The current colour changed elsewhere (a pick on the design): the grid follows.
    void ShowColour(const TCurrentColour& colour);
    // Leaves Library and File mode (and Protection for full colour); Protection
    // is offered for 8 bits only.
    void ImageDepthChanged(int bitsPerPixel);
    // Opens the panel of a mode (ModeNone closes it); File mode shows the Palette
    // File Manager. A mode whose button is disabled (Library, until its window
    // exists) is not opened.
    void SetMode(int mode);
    int Mode() const { return ModeNo; }
    int UndoCount() const { return Edits.Count(); }

    // The colour libraries behind Library mode and the library buttons (not owned);
    // Library mode is offered once they are there.
    void SetLibraries(const TColorLibraries* libraries);

    // Nearest colour of a pair of colour libraries (VM Standard and VM Textile, or
    // with pantone PT 1000 and PT Textile); false when neither yields one.
    std::function<bool(int red, int green, int blue, bool pantone, TColorData& found)> FindLibraryColor;

    // "To color in library" (pantone false) and "to PT code" (true) of the open panel.
    void LibraryColorClick(bool pantone);

    TDIB256Palette* DIB256Palette;
    TColorSwatch* FGColor;
    TColorSwatch* BGColor;
    TColorSwatch* CursorColor;
    QToolButton* sbCMY;
    QToolButton* sbHLS;
    QToolButton* sbLibrary;
    QToolButton* sbFile;
    QToolButton* sbChart;
    QToolButton* SpeedButtonProtect;
    QToolButton* sbUndo;
    QWidget* pnCMY;
    QWidget* pnHLS;
    QSpinBox* seCyan;
    QSpinBox* seMagenta;
    QSpinBox* seYellow;
    QProgressBar* gaCyan;
    QProgressBar* gaMagenta;
    QProgressBar* gaYellow;
    QSpinBox* seHue;
    QSpinBox* seLightness;
    QSpinBox* seSaturation;
    QLabel* imWheel;
    QPushButton* btCMYLibrary;
    QPushButton* btCMYPantone;
    QPushButton* btHLSLibrary;
    QPushButton* btHLSPantone;
    TProtectPanel* pnProtect;
    TColorChartForm* ColorChart;
    TLibraryPanel* pnLibrary;
    TColorLibraryForm* ColorLibrary;
    TPFMForm* PaletteFiles; // File mode's window

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildCMY();
    void BuildHLS();
    void ApplyTexts();
    void DIB256PaletteChoiceIndexChange(int index);
    void DIB256PaletteCursorIndexChange(int index);
    void DIB256PaletteRightPress(int index);
    void sbUndoClick();
    void seCMYChange();
    void seHLSChange();
    void WheelPress(int x, int y);
    void EditEntry(int red, int green, int blue);
    void PaletteChanged();
    // A library colour chosen in the Library panel or the library window becomes
    // the current entry (undo saved first).
    void WriteLibraryEntry(const TColorData& entry);
    // The document palette's edits, through the document.
    bool EditPalette(const std::function<bool(TPalette&)>& edit);
    // The colour the CMY (mode ModeCMY) or HLS panel shows.
    void PanelColor(int mode, int& r, int& g, int& b) const;
    void ReloadPanel();
    void ShowColors();
    QToolButton* ModeButton(int mode) const;

    TStringTable Texts;
    QPointer<TDocument> Doc;
    QMetaObject::Connection DocLink;
    TToolDispatch* Dispatch = nullptr;
    std::unique_ptr<TProtectTool> ProtectTool;
    int Bits = 8;
    int ModeNo = ModeNone;
    bool Undoing = false;
    bool Loading = false;   // panel values are being filled from the entry
    bool Following = false; // the grid follows a colour chosen elsewhere
    TPaletteEdits Edits;
};
