#pragma once
// The undo store: one list, oldest first, with the undo records of every open
// document, each tagged with its document number.
//
// A record saves a rectangle of the picture (UndoPicture, with a copy of the
// design palette when the document has one), the same rectangle of the view's
// display mask (UndoMask, when there is a mask) and the picture's selection
// region (UndoRegion). Only the newest record of the attached document keeps its
// pixels in memory; the others are written to files of their own in the private
// folder of raster/Undotemp.h and read back when needed. The list holds at most
// MaxUndo records over all documents (1 in single mode); the oldest goes first.
//
// The flow for a document window:
//   1. on activation: SetOwner(number, target);
//   2. before a change: Add / AddWhole (compact = true keeps memory low);
//   3. the Undo command: Undo(remove), then repaint: the store restores pixels,
//      mask, palette and region, and tells the target about the region;
//   4. on closing: Forget(number), so no record keeps pointers into the window.
//
// Single mode keeps one record whose undo swaps it with the present state, so a
// second undo redoes. Failures are results (false); only a record that cannot be
// read back is also reported through ReportError, with BadFile or CannotOpenFile.

#include "colour/Palette.h"
#include "raster/Tpmemory.h"
#include "raster/Undotemp.h"

#include <QIODevice>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

enum TUndoFlags : int { UndoPicture = 1, UndoRegion = 2, UndoMask = 4 };

// What the store needs of the attached document. Every member may be empty except
// Picture; nothing is owned.
struct TUndoTarget {
    TOrvaneBitmap* Picture = nullptr;
    // The view's display mask, asked each time (it may be null, and may change).
    std::function<TOrvaneBitmap*()> Mask;
    // The design palette of a 256-colour document; null for a full-colour one.
    TPalette* Palette = nullptr;
    // The work area: a restored selection region, or the selection cleared.
    std::function<void(const QRegion&)> RegionRestored;
    std::function<void()> RegionCleared;
};

// One line of the undo-list window.
struct TUndoEntry {
    QRect Rect;
    int Flags = 0;
    bool InMemory = false;
    bool OnDisk = false;
};

class TUndoData {
  public:
    TUndoData(uint32_t owner, const QString& fileName);
    // Deletes the record's file when it has one.
    ~TUndoData();
    TUndoData(const TUndoData&) = delete;
    TUndoData& operator=(const TUndoData&) = delete;

    uint32_t Owner = 0;
    QString FileName;     // full path; the file exists only while OnDisk
    bool InMemory = true; // Image and MaskImage hold their pixels
    bool OnDisk = false;  // FileName holds Image and MaskImage
    bool Pinned = false;  // never swapped out or released while set
    int Flags = 0;        // TUndoFlags
    // Picture pixels covered; x/y/width/height (QRect's right() and bottom() are inclusive).
    QRect Rect;
    std::unique_ptr<TOrvaneBitmap> Image;     // UndoPicture
    std::unique_ptr<TOrvaneBitmap> MaskImage; // UndoMask, only when the view had a mask
    std::unique_ptr<TPalette> PaletteCopy;    // UndoPicture, only when a palette was attached
    std::optional<QRegion> Region;            // UndoRegion, only when the picture had one
    uint16_t ImageBits = 0;                   // depths of Image and MaskImage, kept while swapped out
    uint16_t MaskBits = 0;
    // The picture's size when the record was made; a record of the whole picture
    // (Rect covers it all) gives the picture this size back when it is restored.
    QSize PictureSize;
    bool Whole() const { return Rect == QRect(QPoint(0, 0), PictureSize); }

    // One bitmap of the record file, little-endian: width u32, height u32, bits u16,
    // 1024 palette bytes for 1 and 8 bits, then its BytesPerLine x height pixel bytes,
    // top-down, in slices of whole rows of at most kSliceBytes each (at least one
    // row), each packed as runs or by the block codec (Undotemp.cpp). A null bitmap writes and reads nothing
    // and succeeds.
    static constexpr size_t kSliceBytes = size_t(16) << 20;
    bool WriteBitmap(QIODevice& file, const TOrvaneBitmap* bitmap) const;
    // The same for rect of source, as a bitmap of rect's size would hold it; rect
    // must start on a whole byte of source's rows.
    static bool WriteRows(QIODevice& file, const TOrvaneBitmap& source, const QRect& rect,
                          const TRGBQuad* quads);
    // Reads into bitmap (reallocated) only a bitmap of Rect's size at bitsPerPixel;
    // anything else is refused before memory is asked for. False leaves bitmap empty.
    bool ReadBitmap(QIODevice& file, TOrvaneBitmap* bitmap, int bitsPerPixel) const;

    // Writes Image then MaskImage to a new file FileName and frees their pixels (the
    // objects stay). On disk already: only frees. False, with nothing changed and no
    // file left, when the file cannot be made or written.
    bool SwapOut();
    // Writes Rect of picture (and of mask when given) to a new file FileName as
    // SwapOut would write copies of them, without making the copies: the record is
    // then on disk only, with Image (and MaskImage) empty. False, with nothing
    // changed and no file left, when the file cannot be made or written.
    bool WriteFrom(const TOrvaneBitmap& picture, const TRGBQuad* quads, const TOrvaneBitmap* mask,
                   const TRGBQuad* maskQuads);
    // Reads the pixels back when they are not in memory. A missing, short, damaged or
    // mismatched file gives false with nothing changed, and error (when given) becomes
    // CannotOpenFile or BadFile.
    bool SwapIn(uint32_t* error = nullptr);
    // A record on disk alone, of the picture's size and depth, without a mask and
    // starting on a whole byte, can go back straight from its file.
    bool ReadableInto(const TOrvaneBitmap& picture) const;
    // Reads the file's picture rows into Rect of picture (null: only checks that
    // every slice reads) and its palette quads into quads (256; may be null). On a
    // failure, error (when given) becomes CannotOpenFile or BadFile.
    bool ReadInto(TOrvaneBitmap* picture, TRGBQuad* quads, uint32_t* error = nullptr) const;
    // Memory relief: pinned records stay; a record not on disk is swapped out only
    // when write is true; one on disk and in memory frees its pixels.
    void Trim(bool write);
    bool BelongsTo(uint32_t owner) const { return Owner == owner; }

    // Pixel bytes held in memory now.
    size_t MemoryBytes() const;
};

class TUndo {
  public:
    // baseDir empty: the folder of UndoBaseDir() when the first record is made.
    explicit TUndo(const QString& baseDir = QString());
    // Deletes every record with its file, then the store's folder.
    ~TUndo();
    TUndo(const TUndo&) = delete;
    TUndo& operator=(const TUndo&) = delete;

    // Attaches document owner (its target's pointers must stay valid until the next
    // SetOwner or Forget), then compacts.
    void SetOwner(uint32_t owner, const TUndoTarget& target);
    // A document closes: its records go, and it is detached if it was attached.
    void Forget(uint32_t owner);
    uint32_t Owner() const { return OwnerId; }
    // True while document owner is the attached one.
    bool AttachedTo(uint32_t owner) const { return Attached && OwnerId == owner; }

    // Records rect (clipped to the picture) of the attached document with flags
    // (TUndoFlags). compact then runs Compact. Over the limit the oldest record of
    // any document goes. False, with the list unchanged, when nothing is attached,
    // the rectangle misses the picture, or memory is short.
    bool Add(int flags, bool compact, const QRect& rect);
    // Add with the whole picture.
    bool AddWhole(int flags, bool compact);

    // Restores the newest record of the attached document (single mode: the newest
    // record) into picture, mask, palette and region; with remove the record goes
    // (single mode: it is swapped with the present state). Afterwards only the newest
    // remaining record of the document is kept in memory, ready for the next undo.
    // False when there is nothing to undo or nothing could be restored (a record
    // that cannot be read is reported and kept; the document is left as it was).
    bool Undo(bool remove);

    // Records of the attached document / of all documents.
    int Count() const;
    int CountAll() const { return int(Records.size()); }
    // The newest record of the attached document with its pixels in memory, pinned:
    // the caller clears Pinned when done (Add does it too). Null when there is none
    // or it cannot be read back.
    TUndoData* Latest();
    // Deletes the newest record of the attached document.
    void DropLatest();
    // A change that failed: its record (the newest of the attached document) is put
    // back and deleted, in single mode too. False when there is none or it could not
    // be put back (the record is deleted all the same).
    bool RevertLatest();
    // Deletes every record of the attached document.
    void Clear();

    // Single mode keeps one record; switching it on drops the older ones.
    void SetSingle(bool on);
    bool Single() const { return SingleMode; }
    // Records allowed over all documents (at least 1); a lower limit drops the oldest now.
    void SetMaxUndo(int n);
    int MaxUndo() const { return MaxRecords; }

    // Single mode: deletes the records of other documents. Otherwise keeps the newest
    // record of the attached document as it is (freeing a copy that is on disk) and
    // moves every other record to disk without pixels in memory.
    void Compact();
    // A newest record of kParkBytes or more is not kept in memory between changes:
    // once its change is done, Park writes it to disk (compressed) and frees it, and
    // an undo reads it back. Pinned records stay.
    static constexpr uint64_t kParkBytes = uint64_t(64) << 20;
    void Park();
    static bool Parked(const TUndoData& record);

    // The attached document's records, oldest first.
    std::vector<TUndoEntry> Entries() const;
    // Every record, oldest first.
    const std::vector<std::unique_ptr<TUndoData>>& AllRecords() const { return Records; }
    // The last code reported by Undo (0 after an undo that worked).
    uint32_t LastError() const { return LastCode; }
    // The store's folder for record files; empty until the first record is made.
    QString Folder() const { return TempFolder.Path(); }

  private:
    // The record takes the next file name; one of kParkBytes or more is written
    // there as it is made, straight from the picture, when it can be.
    std::unique_ptr<TUndoData> MakeRecord(int flags, const QRect& rect);
    bool Restore(TUndoData& record);
    // Restore of a record ReadableInto the picture, its file checked first: the
    // pixels go straight into the picture, without a copy in between.
    bool RestoreFromFile(TUndoData& record);
    // The selection a record kept, or none.
    void RestoreRegion(const TUndoData& record);
    void Settle();
    void TrimToLimit(size_t limit);
    int NewestIndex() const;
    QString NextFileName();

    uint32_t NameCounter = 0;
    uint32_t OwnerId = 0;
    bool Attached = false;
    TUndoTarget Target;
    std::vector<std::unique_ptr<TUndoData>> Records; // oldest first
    bool SingleMode = false;
    int MaxRecords = 3;
    uint32_t LastCode = 0;
    TUndoFolder TempFolder;
};

// The store of the program, made on first use and destroyed at exit.
TUndo& UndoStore();
