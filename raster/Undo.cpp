// The undo store: records, limit, compaction and restoring. The record files
// themselves are in Undotemp.cpp.
#include "raster/Undo.h"

#include "shell/Exception.h"

#include <algorithm>

namespace {

// A copy of rect of source at its depth; 1- and 8-bit copies get quads as palette.
std::unique_ptr<TOrvaneBitmap> CopyRect(const TOrvaneBitmap& source, const QRect& rect,
                                        const TRGBQuad* quads) {
    auto copy = std::make_unique<TOrvaneBitmap>();
    if (!copy->Allocate(rect.width(), rect.height(), quads, source.BitsPerPixel)) return nullptr;
    if (!copy->CopyFrom(source, rect.x(), rect.y(), SRCCOPY)) return nullptr;
    return copy;
}

// Puts saved pixels back at rect's corner. The target's selection region is not a
// clip here: an undo gives back every pixel it saved.
void PutBack(TOrvaneBitmap& target, const TOrvaneBitmap& saved, QPoint at, const TPalette* palette) {
    if (target.BitsPerPixel <= 8) {
        TRGBQuad quads[256];
        if (palette)
            palette->GetQuads(quads);
        else
            saved.GetColors(0, 256, quads);
        target.PutColors(0, 256, quads);
    }
    BlitHandle(target.Handle, QRect(at, QSize(saved.Width, saved.Height)), saved.Handle, QPoint(0, 0),
               SRCCOPY);
}

} // namespace

TUndo::TUndo(const QString& baseDir) : TempFolder(baseDir) {}

TUndo::~TUndo() {
    Records.clear(); // the files go before the folder does
}

void TUndo::SetOwner(uint32_t owner, const TUndoTarget& target) {
    OwnerId = owner;
    Target = target;
    Attached = true;
    Compact();
}

void TUndo::Forget(uint32_t owner) {
    std::erase_if(Records, [owner](const auto& r) { return r->BelongsTo(owner); });
    if (Attached && owner == OwnerId) {
        Attached = false;
        Target = TUndoTarget();
    }
}

QString TUndo::NextFileName() {
    const QString name = QString::asprintf("TPU%05x.TMP", unsigned(NameCounter));
    // Five hex digits: after 0xFFFFF the count starts again at 1.
    NameCounter = (NameCounter + 1) & 0xFFFFF;
    if (NameCounter == 0) NameCounter = 1;
    // Without a private folder the record stays in memory (SwapOut refuses an empty name).
    return TempFolder.Ensure() ? TempFolder.Path() + QLatin1Char('/') + name : QString();
}

std::unique_ptr<TUndoData> TUndo::MakeRecord(int flags, const QRect& rect) {
    if (!Attached || !Target.Picture || !Target.Picture->Allocated()) return nullptr;
    TOrvaneBitmap& picture = *Target.Picture;
    const QRect clipped = rect.intersected(QRect(0, 0, picture.Width, picture.Height));
    if (clipped.isEmpty()) return nullptr;

    auto record = std::make_unique<TUndoData>(OwnerId, NextFileName());
    record->Rect = clipped;
    record->PictureSize = QSize(picture.Width, picture.Height);
    record->Flags = flags;
    TRGBQuad quads[256], maskQuads[256];
    TOrvaneBitmap* mask = (flags & UndoMask) && Target.Mask ? Target.Mask() : nullptr;
    if (mask && !mask->Allocated()) mask = nullptr;
    if (flags & UndoPicture) {
        record->ImageBits = picture.BitsPerPixel;
        if (Target.Palette)
            Target.Palette->GetQuads(quads);
        else
            picture.GetColors(0, 256, quads);
    }
    if (mask) mask->GetColors(0, 256, maskQuads);
    if (Target.Palette && (flags & UndoPicture))
        record->PaletteCopy = std::make_unique<TPalette>(*Target.Palette);
    if ((flags & UndoRegion) && picture.HasRegion()) record->Region = picture.Handle.Region;
    // A large record goes to its file at once, packed fast, so that no uncompressed
    // copy of it is ever made (an A0 design at 1000 dpi would need 1.4 GB more).
    if ((flags & UndoPicture) && Parked(*record) &&
        record->WriteFrom(picture, quads, mask, mask ? maskQuads : nullptr))
        return record;
    if (flags & UndoPicture) {
        record->Image = CopyRect(picture, clipped, quads);
        if (!record->Image) return nullptr;
    }
    if (mask) {
        record->MaskImage = CopyRect(*mask, clipped, maskQuads);
        if (!record->MaskImage) return nullptr;
        record->MaskBits = mask->BitsPerPixel;
    }
    return record;
}

bool TUndo::Add(int flags, bool compact, const QRect& rect) {
    // A new change ends any use of Latest()'s record.
    std::vector<TUndoData*> unpinned;
    for (auto& r : Records)
        if (r->BelongsTo(OwnerId) && r->Pinned) {
            r->Pinned = false;
            unpinned.push_back(r.get());
        }
    // Every record there is stops being the newest: with compact they go to disk
    // before the new copy is made, so memory never holds two large records.
    if (compact && !SingleMode)
        for (auto& r : Records)
            r->Trim(true);
    auto record = MakeRecord(flags, rect);
    if (!record) {
        for (TUndoData* r : unpinned)
            r->Pinned = true;
        return false;
    }
    Records.push_back(std::move(record));
    // The limit goes first so that a record about to be dropped is never written out.
    const size_t limit = SingleMode ? 1 : size_t(MaxRecords);
    if (Records.size() > limit) Records.erase(Records.begin());
    if (compact) Compact();
    return true;
}

bool TUndo::AddWhole(int flags, bool compact) {
    if (!Target.Picture) return false;
    return Add(flags, compact, QRect(0, 0, Target.Picture->Width, Target.Picture->Height));
}

bool TUndo::Restore(TUndoData& record) {
    TOrvaneBitmap* picture = Target.Picture;
    if (!picture || !picture->Allocated() || picture->HasDC) return false;
    const bool pixels = (record.Flags & UndoPicture) && record.Image && record.Image->Allocated();
    if (pixels && picture->BitsPerPixel != record.ImageBits) return false;
    // A picture resized since gets its old size back from a whole record; a part of
    // the picture cannot go back into a picture of another size.
    const bool resize = pixels && record.PictureSize != QSize(picture->Width, picture->Height);
    if (resize && !record.Whole()) return false;
    TOrvaneBitmap resized;
    if (resize) {
        TRGBQuad quads[256];
        picture->GetColors(0, 256, quads);
        if (!resized.Allocate(record.PictureSize.width(), record.PictureSize.height(), quads,
                              picture->BitsPerPixel))
            return false;
    }
    // A mask that is gone or changed depth since cannot take the saved one; the rest
    // of the record still comes back.
    TOrvaneBitmap* mask =
        (record.Flags & UndoMask) && record.MaskImage && Target.Mask ? Target.Mask() : nullptr;
    if (mask && (!mask->Allocated() || mask->HasDC || mask->BitsPerPixel != record.MaskBits ||
                 !record.MaskImage->Allocated()))
        mask = nullptr;
    // A whole record of a resized picture gives the mask its old size too.
    TOrvaneBitmap resizedMask;
    if (mask && resize && QSize(mask->Width, mask->Height) != record.PictureSize) {
        TRGBQuad quads[256];
        mask->GetColors(0, 256, quads);
        if (!resizedMask.Allocate(record.PictureSize.width(), record.PictureSize.height(), quads,
                                  mask->BitsPerPixel))
            return false;
    }

    // Nothing below can fail, so a record comes back whole or not at all.
    if (resize) picture->TakeFrom(resized);
    if (resizedMask.Allocated()) mask->TakeFrom(resizedMask);
    if (pixels) {
        PutBack(*picture, *record.Image, record.Rect.topLeft(), record.PaletteCopy.get());
        if (Target.Palette && record.PaletteCopy) *Target.Palette = *record.PaletteCopy;
    }
    if (mask) PutBack(*mask, *record.MaskImage, record.Rect.topLeft(), nullptr);
    RestoreRegion(record);
    return true;
}

bool TUndo::RestoreFromFile(TUndoData& record) {
    TOrvaneBitmap* picture = Target.Picture;
    if (!picture || picture->HasDC || !record.ReadableInto(*picture)) return false;
    TRGBQuad quads[256];
    if (!record.ReadInto(picture, quads)) return false;
    if (picture->BitsPerPixel <= 8) {
        if (record.PaletteCopy) record.PaletteCopy->GetQuads(quads);
        picture->PutColors(0, 256, quads);
    }
    if (Target.Palette && record.PaletteCopy) *Target.Palette = *record.PaletteCopy;
    RestoreRegion(record);
    return true;
}

void TUndo::RestoreRegion(const TUndoData& record) {
    TOrvaneBitmap* picture = Target.Picture;
    if (record.Flags & UndoRegion) {
        if (record.Region) {
            picture->SetRegion(*record.Region, L_RGN_SET);
            if (Target.RegionRestored) Target.RegionRestored(picture->Handle.Region);
        } else {
            picture->FreeRegion();
            if (Target.RegionCleared) Target.RegionCleared();
        }
    }
}

bool TUndo::Undo(bool remove) {
    LastCode = 0;
    if (!Attached) return false;
    const int index = SingleMode ? int(Records.size()) - 1 : NewestIndex();
    if (index < 0) return false;
    TUndoData& record = *Records[size_t(index)];
    uint32_t code = 0;
    // A large record on disk goes back straight from its file, read through once
    // first so that a damaged one changes nothing.
    const bool fromFile = Target.Picture && record.ReadableInto(*Target.Picture);
    if (!(fromFile ? record.ReadInto(nullptr, nullptr, &code) : record.SwapIn(&code))) {
        LastCode = code;
        ReportError(code, MB_OK, record.FileName);
        return false;
    }
    // Single mode: the present state becomes the record, so the next undo redoes.
    std::unique_ptr<TUndoData> present;
    if (SingleMode && remove) {
        const QRect now =
            record.Whole() ? QRect(0, 0, Target.Picture->Width, Target.Picture->Height) : record.Rect;
        present = MakeRecord(record.Flags, now);
        if (!present) {
            LastCode = ErrorCode::OutOfMemory;
            ReportError(LastCode);
            return false;
        }
    }
    if (!(fromFile ? RestoreFromFile(record) : Restore(record))) return false;
    if (remove) Records.erase(Records.begin() + index);
    if (present) Records.push_back(std::move(present));
    if (!SingleMode) Settle();
    return true;
}

bool TUndo::RevertLatest() {
    const int index = NewestIndex();
    if (index < 0) return false;
    TUndoData& record = *Records[size_t(index)];
    const bool fromFile = Target.Picture && record.ReadableInto(*Target.Picture);
    const bool restored = fromFile ? record.ReadInto(nullptr, nullptr) && RestoreFromFile(record)
                                   : record.SwapIn() && Restore(record);
    Records.erase(Records.begin() + index);
    if (!SingleMode) Settle();
    return restored;
}

void TUndo::Settle() {
    // The newest record is read back now so the next undo is immediate; read
    // problems are reported when it is undone. Everything else stays on disk.
    bool newest = true;
    for (auto it = Records.rbegin(); it != Records.rend(); ++it) {
        if (newest && Attached && (*it)->BelongsTo(OwnerId)) {
            newest = false;
            if (!Parked(**it)) (*it)->SwapIn();
        } else {
            (*it)->Trim(true);
        }
    }
}

bool TUndo::Parked(const TUndoData& record) {
    const uint64_t bytes = uint64_t(record.Rect.width()) * uint64_t(record.Rect.height()) *
                           uint64_t(std::max<uint16_t>(record.ImageBits, 8) / 8);
    return bytes >= kParkBytes;
}

void TUndo::Park() {
    const int newest = NewestIndex();
    if (newest >= 0 && Parked(*Records[size_t(newest)])) Records[size_t(newest)]->Trim(true);
}

void TUndo::Compact() {
    if (SingleMode) {
        std::erase_if(Records, [this](const auto& r) { return !Attached || !r->BelongsTo(OwnerId); });
        return;
    }
    bool newest = true;
    for (auto it = Records.rbegin(); it != Records.rend(); ++it) {
        if (newest && Attached && (*it)->BelongsTo(OwnerId)) {
            newest = false;
            (*it)->Trim(false);
        } else {
            (*it)->Trim(true);
        }
    }
}

int TUndo::NewestIndex() const {
    if (!Attached) return -1;
    for (int i = int(Records.size()) - 1; i >= 0; --i)
        if (Records[size_t(i)]->BelongsTo(OwnerId)) return i;
    return -1;
}

int TUndo::Count() const {
    if (!Attached) return 0;
    return int(std::count_if(Records.begin(), Records.end(),
                             [this](const auto& r) { return r->BelongsTo(OwnerId); }));
}

TUndoData* TUndo::Latest() {
    const int index = NewestIndex();
    if (index < 0) return nullptr;
    TUndoData* record = Records[size_t(index)].get();
    if (!record->SwapIn()) return nullptr;
    record->Pinned = true;
    return record;
}

void TUndo::DropLatest() {
    const int index = NewestIndex();
    if (index >= 0) Records.erase(Records.begin() + index);
}

void TUndo::Clear() {
    if (Attached) std::erase_if(Records, [this](const auto& r) { return r->BelongsTo(OwnerId); });
}

void TUndo::TrimToLimit(size_t limit) {
    if (Records.size() > limit) Records.erase(Records.begin(), Records.end() - ptrdiff_t(limit));
}

void TUndo::SetSingle(bool on) {
    SingleMode = on;
    if (!on) return;
    Compact();
    TrimToLimit(1);
}

void TUndo::SetMaxUndo(int n) {
    MaxRecords = std::max(1, n);
    if (!SingleMode) TrimToLimit(size_t(MaxRecords));
}

std::vector<TUndoEntry> TUndo::Entries() const {
    std::vector<TUndoEntry> out;
    if (!Attached) return out;
    for (const auto& r : Records)
        if (r->BelongsTo(OwnerId)) out.push_back({r->Rect, r->Flags, r->InMemory, r->OnDisk});
    return out;
}

TUndo& UndoStore() {
    static TUndo store;
    return store;
}
