#pragma once
// TDocument: one open design, and the only object that writes it.
//
// A document owns its picture (8 or 24 bits; the selection is the picture's
// region, kept with its mask, bounds and history by the work area), palette, paper record, unit, file
// location, modified flag, display mask and protection switch. Others read it through const accessors and
// change it through its operations, each of which runs as one guarded step (TChange):
//   1. begin: the rectangle, or the whole picture, is recorded in the undo store;
//   2. write: pixels go through TChange::Picture(), honouring Guard() (protected
//      colours while protection is on, and the mask);
//   3. Commit(): the record stays, Modified is set and the windows hear Changed
//      with the touched rectangle (Reshaped when the picture changed size);
//      a step that ends without Commit, or calls Fail(), puts the record back and
//      drops it, so the pixels and the undo list are as before.
// Every window repaints from those notices; two documents never share one.
//
// The mask is an 8-bit plane of the picture's size (0 free, 255 masked) that
// only the Mask pen draws: a change that records the mask alone makes it,
// zeroed, on first use. While the mask is on (the window's "Mask Area") the
// guard keeps masked pixels. It is not saved with the design; a new or opened
// picture drops it, Resize stretches it and Enlarge extends it with 0.

#include "colour/Colorset.h"
#include "colour/Currentcolour.h"
#include "colour/Palette.h"
#include "raster/Tilebackup.h"
#include "raster/Tpmemory.h"
#include "raster/Undo.h"
#include "raster/Workarea.h"
#include "shell/Document.h"
#include "shell/Paper.h"
#include "textile/Carpettexture.h"

#include <QObject>
#include <QRect>
#include <QRegion>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

struct TClipPicture;

class TDocument : public QObject {
    Q_OBJECT
  public:
    // Takes the next document number; the design is empty until NewCanvas or Open.
    explicit TDocument(QObject* parent = nullptr);
    // The undo records of the design go with it.
    ~TDocument() override;

    const TOrvaneBitmap& Picture() const { return *PictureV; }
    const TPalette& Palette() const { return PaletteV; }
    const TPaper& Paper() const { return PaperV; }
    // The mask (null until a change of the mask made it) and whether the guard honours it.
    const TOrvaneBitmap* Mask() const { return MaskV.get(); }
    bool MaskOn() const { return MaskOnV; }
    int Number() const { return NumberV; }
    int Unit() const { return UnitV; }
    QString Directory() const { return DirectoryV; }
    QString FileName() const { return FileNameV; }
    bool Modified() const { return ModifiedV; }
    bool Protection() const { return ProtectionV; }
    // A guarded change is open (a tool's pending preview): the pixels are not final.
    bool ChangeOpen() const { return Changing; }
    int BitsPerPixel() const { return PictureV->BitsPerPixel; }
    QRect Bounds() const { return QRect(0, 0, PictureV->Width, PictureV->Height); }
    bool HasSelection() const { return PictureV->HasRegion(); }
    // The selected region (empty without one).
    QRegion Selection() const;
    // The selection with its mask, bounds and history.
    const TWorkArea& WorkArea() const { return *WorkAreaV; }
    // What drawing may change now: protected colours stay while protection is on
    // (8 bits only), and pixels under the mask stay while the mask is on.
    TWriteGuard Guard() const;
    // The carpet area (the canvas size when the design was made or opened) and the
    // working list of pile textures the carpet tool fills with.
    const TCarpetWindow& CarpetWindow() const { return CarpetWindowV; }
    // The carpet area in picture coordinates: the bottom-left corner, clipped to the picture.
    QRect CarpetArea() const;
    const std::vector<TCarpetTexture>& CarpetTextures() const { return CarpetTexturesV; }
    // The never-saved name "Noname<n>.tex" / ".tfc" of this document.
    bool NeverSaved() const;

    // Whole designs; each returns 0 or an error code and leaves the design as it
    // was on failure. A new or opened design has no undo records and is unmodified.
    uint32_t NewCanvas(const TPaper& paper, int bitsPerPixel, const TCurrentColour& colour);
    // bitsPerPixel 0 keeps the file's depth; type 0 goes by the extension. detail
    // (may be null) receives the size of a picture too large to open.
    // progress as OpenDesign's and SaveDesign's (a stop gives Cancelled, nothing changed).
    uint32_t Open(const QString& directory, const QString& fileName, int bitsPerPixel, int type,
                  QString* detail = nullptr, const TProgressFn& progress = {});
    // Writes the whole design and takes the saved location, or with selectionOnly
    // only the selection's rectangle to a file of its own (the design keeps its
    // name). The modified flag is left to the caller.
    uint32_t Save(const QString& directory, const QString& fileName, int compression, int type,
                  bool selectionOnly = false, const TProgressFn& progress = {});
    // Resize Canvas stretches the picture; Enlarge Canvas keeps it at the top left
    // and fills new area with colour. Both are recorded whole, so undo gives the
    // old size back.
    uint32_t Resize(int width, int height, int dpi);
    uint32_t Enlarge(int width, int height, const TCurrentColour& colour);
    // An Image-menu effect on a full-colour design, run on a copy first. A filter
    // that goes through ImageMagick refuses a design beyond its limits
    // (TooLargeForOperation) before copying. progress hears the stages (copy,
    // effect, taking the result: 0 .. 3 of 3) and may stop before the design
    // changes (Cancelled).
    uint32_t ApplyEffect(int effect, int low, int high, const TProgressFn& progress = {});
    // Fills the selection with colour through the guard (Cut); false without a selection.
    bool FillSelection(const TCurrentColour& colour);
    // Pastes clip with its top-left at (x, y) through the guard; the pasted part
    // becomes the selection. Returns that part (empty when nothing landed).
    QRect Paste(const TClipPicture& clip, int x, int y);
    // Undoes the newest change of this design; false when there was none or a
    // change is still open (a tool's pending preview ends first).
    bool Undo();

    // A palette edit: edit works on a copy that replaces the palette when it
    // returns true; the picture takes the new colours.
    bool EditPalette(const std::function<bool(TPalette&)>& edit);

    // The selection. It is no pixels and is not undone with the design: each change
    // below keeps the selection before it in the work area's history, which
    // UndoSelection takes back, and the windows hear SelectionChanged.
    // Makes region the selection (empty: none); false when its mask cannot be made.
    bool SetSelection(const QRegion& region);
    void ClearSelection();
    void SelectAll();
    // Combines piece with the selection by mode (L_RGN_SET, L_RGN_OR adds,
    // L_RGN_ANDNOTRGN takes away; taking away from no selection sets). Returns 0,
    // or OutOfMemory with the selection as it was.
    uint32_t CombineSelection(const QRegion& piece, int mode);
    // The previous selection back: swap exchanges it with the present one (twice
    // gives the present one back), otherwise steps back through the history.
    // False when the history is empty.
    bool UndoSelection(bool swap);
    // Moves the selection by (dx, dy), or scales it from its bounds onto to.
    bool OffsetSelection(int dx, int dy);
    bool ScaleSelection(const QRect& to);
    // How many earlier selections the history keeps (at least 1).
    void SetSelectionDepth(int depth);

    // Other states that are no pixels and are not undone.
    void SetUnit(int unit);
    void SetProtection(bool on);
    // Turns the mask on or off; it stays off while there is no mask.
    void SetMaskOn(bool on);
    void SetModified(bool modified);
    // The carpet area and the working texture list; the windows hear StateChanged.
    void SetCarpetWindow(const TCarpetWindow& window);
    void SetCarpetTextures(std::vector<TCarpetTexture> textures);

    // Makes the undo store work on this design (activation and every change do it).
    void AttachUndo();

  signals:
    // Pixels of rect (picture coordinates) changed; the size did not.
    void Changed(const QRect& rect);
    // The picture was replaced or changed size: views start again.
    void Reshaped();
    void PaletteChanged();
    // Name, modified flag, unit, protection or selection changed.
    void StateChanged();
    // The selection changed (its outline needs drawing again).
    void SelectionChanged();
    // The mask was made, dropped or changed size, or was turned on or off (its
    // pixels changing is a Changed notice like the picture's).
    void MaskChanged();

  private:
    friend class TChange;
    TDesignRef Design() { return TDesignRef{*PictureV, PaletteV, PaperV}; }
    void Replaced();
    // Tells the windows that the selection changed.
    void SelectionNotice();
    // After the picture's region changed by other means (undo, resizing): the work
    // area follows, and the windows hear of it when anything changed.
    void SyncSelection();
    // Runs change on the work area; the windows hear of it when it succeeded.
    bool ChangeSelection(const std::function<bool(TWorkArea&)>& change);
    // The picture of a 256-colour design takes the palette's colours.
    void PushPaletteColours();
    // A size change by Resize or Enlarge: the paper before it comes back with its undo;
    // the mask follows the picture (extendMask: cut or extended with 0, else stretched).
    uint32_t Reshape(const std::function<uint32_t()>& change, bool extendMask);
    void PaperAfterUndo(QSize from);
    void ForgetUndo();
    // Makes the zeroed mask when there is none; false when memory is short.
    bool MakeMask();
    void DropMask();
    // Gives the mask the picture's size: stretched, or (extend) cut or extended with 0.
    bool FitMask(bool extend);

    std::unique_ptr<TOrvaneBitmap> PictureV;
    std::unique_ptr<TOrvaneBitmap> MaskV;
    std::unique_ptr<TWorkArea> WorkAreaV;
    TPalette PaletteV;
    TPaper PaperV;
    int NumberV = 0;
    int UnitV = 2; // Cm
    QString DirectoryV;
    QString FileNameV;
    bool ModifiedV = false;
    bool ProtectionV = false;
    bool MaskOnV = false;
    bool Changing = false;
    // Papers before the size changes that undo may take back: (size after, paper before).
    std::vector<std::pair<QSize, TPaper>> PaperSteps;
    TCarpetWindow CarpetWindowV;
    std::vector<TCarpetTexture> CarpetTexturesV;
    // Carpet windows before the changes that set them, by the undo record's file name.
    struct TWindowStep {
        QString Record;
        TCarpetWindow Before;
    };
    std::vector<TWindowStep> WindowSteps;
    // The name of this design's newest undo record, or empty.
    QString NewestRecord() const;
};

// One guarded change of a document's pixels (see TDocument). Only one runs at a
// time on a document.
class TChange {
  public:
    // Records rect (clipped to the picture) before the change; undoFlags 0 keeps
    // no record (such a change cannot be undone or put back). A change that records
    // the mask alone (UndoMask) is a change of the mask: the mask is made first when
    // there is none, and the design's modified flag stays, since the mask is not saved.
    TChange(TDocument& document, const QRect& rect, int undoFlags = UndoPicture | UndoRegion);
    // Records the whole picture.
    explicit TChange(TDocument& document, int undoFlags = UndoPicture | UndoRegion);
    // A change whose extent shows only as it goes (a stroke): nothing is recorded at
    // the start; each Widen keeps the pixels about to be written, and Commit records
    // the box of what was widened, so memory and time follow the stroke, not the picture.
    struct TGrowing {};
    TChange(TDocument& document, TGrowing, int undoFlags);
    // Without Commit the change is undone.
    ~TChange();
    TChange(const TChange&) = delete;
    TChange& operator=(const TChange&) = delete;

    // False when the undo store could not keep a record (the change may go on,
    // but cannot be undone or put back).
    bool Recorded() const { return RecordedV; }
    TOrvaneBitmap& Picture() { return *Doc.PictureV; }
    // The mask, for a change of the mask; null otherwise or when it could not be made.
    TOrvaneBitmap* Mask() { return MaskChange ? Doc.MaskV.get() : nullptr; }
    TPalette& Palette() { return Doc.PaletteV; }
    const TPalette& Palette() const { return Doc.PaletteV; }
    // The palette was edited through Palette(): the picture takes its colours now and
    // the windows hear PaletteChanged when the change ends (a failed change gives the
    // recorded palette back).
    void PaletteEdited();
    // Gives a 256-colour design a new palette within the change (colours added for
    // the pixels written), as PaletteEdited; a change that fails puts the old palette
    // back even without an undo record. Undo gives it back with the pixels, since the
    // record keeps the palette.
    void SetPalette(const TPalette& palette);
    const TWriteGuard& Guard() const { return GuardV; }
    // Fills rect with value wherever the guard allows, and touches it.
    void Fill(const QRect& rect, uint32_t value);
    // What the notice at Commit names: the recorded rectangle, or, once Touch,
    // Fill or Show was called, the union of what they named.
    void Touch(const QRect& rect);
    // Tells the windows now that rect changed, so a change that lasts (a stroke from
    // press to release) shows as it goes; the change still commits or fails as one.
    void Show(const QRect& rect);
    // A growing change: rect (picture, or the mask for a change of the mask) is about
    // to be written. False when its pixels could not be kept: do not write them then.
    // Always true for other changes, whose record was made at the start.
    bool Widen(const QRect& rect);
    // Keeps the change: modified, notified.
    void Commit();
    // Puts the recorded state back and drops the record.
    void Fail();
    // The carpet window changes with the pixels: Commit keeps it (undo gives the old
    // one back with the record), a failed change puts the old one back.
    void SetCarpetWindow(const TCarpetWindow& window);

  private:
    // The growing change's record, made at Commit from the kept pixels.
    void RecordGrown();
    TOrvaneBitmap& Target();

    TDocument& Doc;
    QRect RecordedRect;
    std::unique_ptr<TTileBackup> Backup; // a growing change's pixels before it
    int GrowFlags = 0;
    QRect Touched;
    bool TouchedAny = false;
    QSize SizeBefore;
    TWriteGuard GuardV;
    bool RecordedV = false;
    bool Done = false;
    bool MaskChange = false; // records the mask alone
    bool MadeMask = false;   // the mask did not exist before this change
    bool PaletteTouched = false;
    std::optional<TPalette> PaletteBefore;     // set once SetPalette ran
    std::optional<TCarpetWindow> WindowBefore; // set once SetCarpetWindow ran
};
