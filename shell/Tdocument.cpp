#include "shell/Tdocument.h"

#include "platform/Effects.h"
#include "platform/Imagefile_stream.h"
#include "shell/Clipboard.h"
#include "shell/Exception.h"
#include "shell/Filetypes.h"
#include "shell/Mainimage.h"
#include "shell/Paths.h"
#include "textile/Carpetfile.h"

#include <cstring>
#include <new>
#include <vector>

TDocument::TDocument(QObject* parent)
    : QObject(parent), PictureV(std::make_unique<TOrvaneBitmap>()),
      WorkAreaV(std::make_unique<TWorkArea>(*PictureV)), NumberV(NextDocumentNumber()) {}

TDocument::~TDocument() {
    ForgetUndo(); // no record may outlive the design it points into
}

QRegion TDocument::Selection() const {
    return PictureV->HasRegion() ? PictureV->Handle.Region : QRegion();
}

TWriteGuard TDocument::Guard() const {
    const bool protect = ProtectionV && BitsPerPixel() == 8;
    return TWriteGuard(protect ? &PaletteV : nullptr, MaskOnV ? MaskV.get() : nullptr);
}

bool TDocument::NeverSaved() const {
    return FileNameV == NonameFileName(NumberV, BitsPerPixel());
}

void TDocument::ForgetUndo() {
    UndoStore().Forget(uint32_t(NumberV));
}

void TDocument::AttachUndo() {
    if (UndoStore().AttachedTo(uint32_t(NumberV))) return;
    TUndoTarget target;
    target.Picture = PictureV.get();
    target.Mask = [this] { return MaskV.get(); };
    target.Palette = BitsPerPixel() == 8 ? &PaletteV : nullptr;
    target.RegionRestored = [this](const QRegion&) { SyncSelection(); };
    target.RegionCleared = [this] { SyncSelection(); };
    UndoStore().SetOwner(uint32_t(NumberV), target);
}

bool TDocument::MakeMask() {
    if (MaskV) return true;
    // Index 0 shows black and every other white, so the display's inversion shows the mask.
    TRGBQuad quads[256];
    for (int i = 0; i < 256; ++i)
        quads[i] = i ? TRGBQuad{255, 255, 255, 0} : TRGBQuad{0, 0, 0, 0};
    auto mask = std::make_unique<TOrvaneBitmap>();
    if (!mask->Allocate(PictureV->Width, PictureV->Height, quads, 8)) return false;
    for (int y = 0; y < mask->Height; ++y)
        std::memset(mask->ScanLine(y), 0, size_t(mask->Width));
    MaskV = std::move(mask);
    emit MaskChanged();
    return true;
}

void TDocument::DropMask() {
    if (!MaskV) return;
    MaskV.reset();
    MaskOnV = false;
    emit MaskChanged();
}

bool TDocument::FitMask(bool extend) {
    if (!MaskV || (MaskV->Width == PictureV->Width && MaskV->Height == PictureV->Height)) return true;
    const bool fitted = extend ? MaskV->ResizeCanvas(PictureV->Width, PictureV->Height, 0)
                               : MaskV->Stretch(PictureV->Width, PictureV->Height, false);
    emit MaskChanged();
    return fitted;
}

void TDocument::SetMaskOn(bool on) {
    on = on && MaskV;
    if (MaskOnV == on) return;
    MaskOnV = on;
    emit MaskChanged();
    emit StateChanged();
}

void TDocument::Replaced() {
    // A new picture in this document: the records of the old one cannot come back,
    // nor can the mask drawn over it.
    ForgetUndo();
    PaperSteps.clear();
    WindowSteps.clear();
    ModifiedV = false;
    DropMask();
    WorkAreaV->Off(true); // nor can its selections
    CarpetWindowV = TCarpetWindow{false, PictureV->Width, PictureV->Height};
    emit Reshaped();
    emit SelectionChanged();
    emit PaletteChanged();
    emit StateChanged();
}

uint32_t TDocument::NewCanvas(const TPaper& paper, int bitsPerPixel, const TCurrentColour& colour) {
    TDesign fresh;
    if (const uint32_t code = NewCanvasDesign(fresh, paper, bitsPerPixel, colour)) return code;
    PictureV->TakeFrom(fresh.Image);
    PaletteV = fresh.Palette;
    PaperV = fresh.Paper;
    DirectoryV.clear();
    FileNameV = NonameFileName(NumberV, bitsPerPixel);
    Replaced();
    return 0;
}

uint32_t TDocument::Open(const QString& directory, const QString& fileName, int bitsPerPixel, int type,
                         QString* detail, const TProgressFn& progress) {
    if (!type) type = FileTypeOfName(fileName);
    // A carpet file brings its window and working textures along (8 bits only).
    TCarpetParts carpet;
    const bool isCarpet = type == TypeCpt && bitsPerPixel != 24;
    const QString path = JoinPath(directory, fileName);
    if (const uint32_t code =
            isCarpet ? ReadCarpetFile(path, Design(), carpet)
                     : OpenDesign(path, type, bitsPerPixel, Design(), PaperV.dpi, detail, progress))
        return code;
    DirectoryV = directory;
    FileNameV = OpenedFileName(fileName, type, BitsPerPixel());
    Replaced();
    if (isCarpet) {
        CarpetWindowV = carpet.Window;
        CarpetTexturesV = std::move(carpet.Textures);
        emit StateChanged();
    }
    return 0;
}

uint32_t TDocument::Save(const QString& directory, const QString& fileName, int compression, int type,
                         bool selectionOnly, const TProgressFn& progress) {
    if (!type) type = FileTypeOfName(fileName);
    const QRect rect = Selection().boundingRect();
    const bool part = selectionOnly && !rect.isEmpty();
    const QString path = JoinPath(directory, fileName);
    // A carpet file holds the carpet area of a 256-colour design with its textures.
    const bool isCarpet = type == TypeCpt && FileTypeOfName(fileName) == TypeCpt && BitsPerPixel() == 8;
    if (const uint32_t code =
            isCarpet ? WriteCarpetFile(path, compression, Design(), {CarpetWindowV, CarpetTexturesV})
                     : SaveDesign(path, type, compression, Design(), part ? &rect : nullptr, progress))
        return code;
    if (part) return 0;
    DirectoryV = directory;
    FileNameV = type >= TypeBmp ? OpenedFileName(fileName, type, BitsPerPixel()) : fileName;
    emit StateChanged();
    return 0;
}

uint32_t TDocument::Reshape(const std::function<uint32_t()>& change, bool extendMask) {
    const TPaper before = PaperV;
    TChange step(*this, UndoPicture | UndoRegion | (MaskV ? UndoMask : 0));
    if (const uint32_t code = change()) return code;
    if (!FitMask(extendMask)) return ErrorCode::OutOfMemory;
    step.Commit();
    SyncSelection(); // cut to the new size
    if (step.Recorded()) PaperSteps.emplace_back(Bounds().size(), before);
    return 0;
}

uint32_t TDocument::Resize(int width, int height, int dpi) {
    return Reshape([&] { return ResizeDesign(Design(), width, height, dpi); }, false);
}

uint32_t TDocument::Enlarge(int width, int height, const TCurrentColour& colour) {
    const uint32_t fill = colour.Pixel(BitsPerPixel(), PaletteV);
    return Reshape([&] { return EnlargeDesign(Design(), width, height, fill); }, true);
}

void TDocument::PaperAfterUndo(QSize from) {
    const QSize now = Bounds().size();
    for (auto it = PaperSteps.rbegin(); it != PaperSteps.rend(); ++it)
        if (it->first == from && QSize(it->second.width, it->second.height) == now) {
            PaperV = it->second;
            PaperSteps.erase(std::next(it).base());
            return;
        }
    SetPaper(PaperV, kPaperCustom, now.width(), now.height()); // a redo in single-step mode
}

uint32_t TDocument::ApplyEffect(int effect, int low, int high, const TProgressFn& progress) {
    if (BitsPerPixel() != 24) return ErrorCode::BadFile;
    if (EffectNeedsImageMagick(TEffect(effect)) &&
        TooLargeForImageMagick(uint64_t(PictureV->Width), uint64_t(PictureV->Height)))
        return ErrorCode::TooLargeForOperation;
    constexpr int kStages = 3;
    // The effect runs on a copy, so a failure or a stop leaves the design untouched.
    if (!ReportProgress(progress, 0, kStages)) return ErrorCode::Cancelled;
    TOrvaneBitmap result;
    if (!result.Assign(*PictureV)) return ErrorCode::OutOfMemory;
    const QRegion selection = Selection(); // the effect stays inside it
    if (!selection.isEmpty()) result.SetRegion(selection, L_RGN_SET);
    if (!ReportProgress(progress, 1, kStages)) return ErrorCode::Cancelled;
    if (!::ApplyEffect(result.Handle, TEffect(effect), TEffectParams{low, high}))
        return ErrorCode::NoDeviceContext;
    if (!ReportProgress(progress, 2, kStages)) return ErrorCode::Cancelled;
    TChange change(*this);
    PictureV->TakeFrom(result);
    if (!selection.isEmpty()) PictureV->SetRegion(selection, L_RGN_SET);
    change.Commit();
    SyncSelection();
    return 0;
}

bool TDocument::FillSelection(const TCurrentColour& colour) {
    const QRegion selection = Selection();
    if (selection.isEmpty()) return false;
    TChange change(*this, selection.boundingRect());
    const uint32_t fill = colour.Pixel(BitsPerPixel(), PaletteV);
    for (const QRect& r : selection)
        change.Fill(r, fill);
    change.Commit();
    return true;
}

QRect TDocument::Paste(const TClipPicture& clip, int x, int y) {
    // Only the part the picture lands on is recorded for undo.
    TChange change(*this, QRect(x, y, clip.Image.Width, clip.Image.Height));
    const QRect written = PasteIntoDesign(*PictureV, PaletteV, clip, x, y, change.Guard());
    if (!written.isEmpty()) WorkAreaV->SetRect(written, true);
    change.Commit();
    emit SelectionChanged();
    return written;
}

bool TDocument::Undo() {
    if (Changing) return false; // an open change (a preview) owns the newest record
    AttachUndo();
    const QSize before(PictureV->Width, PictureV->Height);
    const std::vector<TUndoEntry> entries = UndoStore().Entries();
    const bool maskOnly = !entries.empty() && entries.back().Flags == UndoMask;
    const QString record = NewestRecord();
    if (!UndoStore().Undo(true)) return false;
    if (!WindowSteps.empty() && !record.isEmpty() && WindowSteps.back().Record == record) {
        CarpetWindowV = WindowSteps.back().Before;
        WindowSteps.pop_back();
    }
    SyncSelection();
    if (!maskOnly) ModifiedV = true; // the mask is not saved with the design
    if (before != QSize(PictureV->Width, PictureV->Height)) {
        PaperAfterUndo(before);
        FitMask(false); // a mask made after the size change that was undone
        emit Reshaped();
        emit MaskChanged();
    } else {
        emit Changed(Bounds());
    }
    if (BitsPerPixel() == 8) emit PaletteChanged(); // records carry the palette
    emit StateChanged();
    return true;
}

bool TDocument::EditPalette(const std::function<bool(TPalette&)>& edit) {
    TPalette edited = PaletteV;
    if (!edit || !edit(edited)) return false;
    PaletteV = edited;
    PushPaletteColours();
    ModifiedV = true;
    emit PaletteChanged();
    emit StateChanged();
    return true;
}

void TDocument::PushPaletteColours() {
    if (BitsPerPixel() != 8 || !PictureV->Allocated()) return;
    TRGBQuad quads[256];
    PaletteV.GetQuads(quads);
    PictureV->PutColors(0, 256, quads);
}

void TDocument::SetUnit(int unit) {
    UnitV = unit;
    emit StateChanged();
}

void TDocument::SetProtection(bool on) {
    if (ProtectionV == on) return;
    ProtectionV = on;
    emit StateChanged();
}

QRect TDocument::CarpetArea() const {
    const QRect area(0, PictureV->Height - CarpetWindowV.Height, CarpetWindowV.Width, CarpetWindowV.Height);
    return area.intersected(Bounds());
}

void TDocument::SetCarpetWindow(const TCarpetWindow& window) {
    CarpetWindowV = window;
    emit StateChanged();
}

void TDocument::SetCarpetTextures(std::vector<TCarpetTexture> textures) {
    CarpetTexturesV = std::move(textures);
    emit StateChanged();
}

QString TDocument::NewestRecord() const {
    const auto& records = UndoStore().AllRecords();
    for (auto it = records.rbegin(); it != records.rend(); ++it)
        if ((*it)->BelongsTo(uint32_t(NumberV))) return (*it)->FileName;
    return QString();
}

void TDocument::SetModified(bool modified) {
    if (ModifiedV == modified) return;
    ModifiedV = modified;
    emit StateChanged();
}

// ---- TChange ----------------------------------------------------------------

TChange::TChange(TDocument& document, const QRect& rect, int undoFlags)
    : Doc(document), RecordedRect(rect.intersected(document.Bounds())),
      SizeBefore(document.PictureV->Width, document.PictureV->Height), GuardV(document.Guard()) {
    Q_ASSERT(!Doc.Changing);
    Doc.Changing = true;
    Doc.AttachUndo(); // the store records this design whichever window was activated last
    MaskChange = undoFlags == UndoMask;
    // The mask is made before the record, so that undo gives back its zeroes.
    if (MaskChange && !Doc.MaskV) MadeMask = Doc.MakeMask();
    RecordedV = undoFlags != 0 && UndoStore().Add(undoFlags, true, rect);
}

TChange::TChange(TDocument& document, int undoFlags) : TChange(document, document.Bounds(), undoFlags) {}

TChange::TChange(TDocument& document, TGrowing, int undoFlags) : TChange(document, QRect(), 0) {
    MaskChange = undoFlags == UndoMask;
    if (MaskChange && !Doc.MaskV) MadeMask = Doc.MakeMask();
    Backup = std::make_unique<TTileBackup>();
    GrowFlags = undoFlags;
}

TOrvaneBitmap& TChange::Target() {
    return MaskChange && Doc.MaskV ? *Doc.MaskV : *Doc.PictureV;
}

bool TChange::Widen(const QRect& rect) {
    return !Backup || Done || Backup->Keep(Target(), rect);
}

void TChange::RecordGrown() {
    if (!Backup || Backup->Empty()) return;
    TOrvaneBitmap& target = Target();
    const QRect box = Backup->Box();
    RecordedRect = box;
    if (GrowFlags == 0) return;
    // The record keeps the pixels before the change: they go back for the moment of recording.
    const int stride = (box.width() * target.BitsPerPixel + 7) / 8;
    std::vector<uint8_t> after;
    try {
        after.resize(size_t(stride) * size_t(box.height()));
    } catch (const std::bad_alloc&) {
        return; // the change stays, without a record
    }
    target.GetRect(after.data(), stride, box);
    Backup->Restore(target);
    RecordedV = UndoStore().Add(GrowFlags, true, box);
    target.PutRect(after.data(), stride, box);
    Backup.reset();
}

TChange::~TChange() {
    if (!Done) Fail();
    Doc.Changing = false;
}

void TChange::Fill(const QRect& rect, uint32_t value) {
    GuardV.Fill(*Doc.PictureV, rect, value);
    Touch(rect);
}

void TChange::SetPalette(const TPalette& palette) {
    if (Doc.BitsPerPixel() != 8) return;
    if (!PaletteBefore) PaletteBefore = Doc.PaletteV;
    Doc.PaletteV = palette;
    PaletteEdited();
}

void TChange::Touch(const QRect& rect) {
    Touched |= rect.intersected(Doc.Bounds());
    TouchedAny = true;
}

void TChange::Show(const QRect& rect) {
    const QRect shown = rect.intersected(Doc.Bounds());
    if (shown.isEmpty()) return;
    Touch(shown);
    emit Doc.Changed(shown);
}

void TChange::PaletteEdited() {
    Doc.PushPaletteColours();
    PaletteTouched = true;
}

void TChange::SetCarpetWindow(const TCarpetWindow& window) {
    if (!WindowBefore) WindowBefore = Doc.CarpetWindowV;
    Doc.CarpetWindowV = window;
}

void TChange::Commit() {
    if (Done) return;
    RecordGrown();
    Done = true;
    if (WindowBefore && RecordedV) Doc.WindowSteps.push_back({Doc.NewestRecord(), *WindowBefore});
    if (RecordedV) UndoStore().Park(); // a record of a large design waits on disk
    if (PaletteTouched) emit Doc.PaletteChanged();
    if (!MaskChange) Doc.ModifiedV = true;
    if (SizeBefore != QSize(Doc.PictureV->Width, Doc.PictureV->Height))
        emit Doc.Reshaped();
    else if (const QRect notice = TouchedAny ? Touched : RecordedRect; !notice.isEmpty())
        emit Doc.Changed(notice);
    emit Doc.StateChanged();
}

void TChange::Fail() {
    if (Done) return;
    Done = true;
    if (Backup) Backup->Restore(Target());
    if (RecordedV) {
        UndoStore().RevertLatest();
        if (SizeBefore != QSize(Doc.PictureV->Width, Doc.PictureV->Height)) emit Doc.Reshaped();
    }
    if (MadeMask) Doc.DropMask();
    if (WindowBefore) Doc.CarpetWindowV = *WindowBefore;
    if (PaletteBefore) { // the record gave it back already, if there was one
        Doc.PaletteV = *PaletteBefore;
        Doc.PushPaletteColours();
    }
    if (PaletteTouched) emit Doc.PaletteChanged();
}
