#include "raster/Undo.h"
#include "shell/Exception.h"
#include "support/Filesizelimit.h"
#include "support/Noise.h"
#include "support/Pictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// One open document as the store sees it, with what its work area was told.
struct TDoc {
    TOrvaneBitmap Picture;
    std::unique_ptr<TOrvaneBitmap> Mask;
    TPalette Palette;
    bool HasPalette = false;
    int Restored = 0;
    int Cleared = 0;
    QRegion LastRegion;

    TUndoTarget Target() {
        TUndoTarget t;
        t.Picture = &Picture;
        t.Mask = [this] { return Mask.get(); };
        t.Palette = HasPalette ? &Palette : nullptr;
        t.RegionRestored = [this](const QRegion& r) { ++Restored, LastRegion = r; };
        t.RegionCleared = [this] { ++Cleared; };
        return t;
    }
};

// A 256-colour design 6 x 4 with its palette and an 8-bit mask.
void MakeDoc8(TDoc& d) {
    ASSERT_TRUE(MakeIndexed(d.Picture, {"..##..", ".#oo#.", ".#oo#.", "..##.."}));
    d.Palette.SetDefault();
    d.HasPalette = true;
    TRGBQuad quads[256];
    d.Palette.GetQuads(quads);
    d.Picture.PutColors(0, 256, quads);
    d.Mask = std::make_unique<TOrvaneBitmap>();
    ASSERT_TRUE(MakeIndexed(*d.Mask, {"aaaaaa", "abbbba", "abbbba", "aaaaaa"}));
}

// A full-colour design 5 x 3 without palette or mask.
void MakeDoc24(TDoc& d) {
    ASSERT_TRUE(d.Picture.Allocate(5, 3, nullptr, 24));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            d.Picture.SetPixel(x, y, MakeColorRef(40 * x, 80 * y, 7 * x + y));
}

// Everything an undo may touch, to compare before and after.
struct TState {
    std::vector<uint8_t> Pixels, MaskPixels;
    std::vector<TRGBQuad> Colors;
    std::vector<TColorData> Palette;
    bool HasRegion = false;
    QRegion Region;
    bool operator==(const TState&) const = default;
};

std::vector<uint8_t> Bytes(const TOrvaneBitmap& b) {
    std::vector<uint8_t> out(b.Handle.ByteSize());
    if (!out.empty()) b.GetRows(out.data(), b.BytesPerLine(), false);
    return out;
}

TState Snap(const TDoc& d) {
    TState s{Bytes(d.Picture),           d.Mask ? Bytes(*d.Mask) : std::vector<uint8_t>(),
             std::vector<TRGBQuad>(256), {},
             d.Picture.HasRegion(),      d.Picture.Handle.Region};
    d.Picture.GetColors(0, 256, s.Colors.data());
    s.Palette.assign(std::begin(d.Palette.Entries), std::end(d.Palette.Entries));
    return s;
}

// Changes pixels, mask and palette inside rect, and the selection.
void Scribble(TDoc& d, const QRect& rect, int value) {
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            d.Picture.SetPixel(x, y, uint32_t(value));
            if (d.Mask) d.Mask->SetPixel(x, y, uint32_t(value + 1));
        }
    d.Palette[value].SetRGB(1, 2, 3);
    const TRGBQuad q{3, 2, 1, 0}; // the same colour as the picture holds it
    d.Picture.PutColors(value, 1, &q);
    d.Picture.SetRegionRect(L_RGN_SET, QRect(0, 0, 1, 1));
}

// Collects reports instead of printing them.
struct TReports {
    int Count = 0;
    TReports() {
        SetErrorPresenter([this](TSeverity, const QString&, int) { return ++Count, 0; });
    }
    ~TReports() { SetErrorPresenter(StderrPresenter); }
};

class UndoList : public ::testing::Test {
  protected:
    QTemporaryDir Temp;
    TUndo Store{Temp.path()};
    TDoc A, B;
    void SetUp() override {
        MakeDoc8(A);
        MakeDoc24(B);
    }
    const TUndoData& Record(int i) const { return *Store.AllRecords()[size_t(i)]; }
};

} // namespace

TEST_F(UndoList, OldestRecordGoesFirstWhateverItsDocument) {
    Store.SetOwner(1, A.Target());
    ASSERT_TRUE(Store.Add(UndoPicture, true, QRect(0, 0, 2, 2)));
    ASSERT_TRUE(Store.Add(UndoPicture, true, QRect(1, 1, 2, 2)));
    Store.SetOwner(2, B.Target());
    ASSERT_TRUE(Store.Add(UndoPicture, true, QRect(0, 0, 3, 3)));
    const QString oldest = Record(0).FileName;
    ASSERT_TRUE(QFile::exists(oldest));
    ASSERT_TRUE(Store.Add(UndoPicture, true, QRect(0, 0, 1, 1))); // the fourth
    EXPECT_EQ(Store.CountAll(), 3);
    EXPECT_EQ(Store.Count(), 2);
    EXPECT_FALSE(QFile::exists(oldest));
    Store.SetOwner(1, A.Target());
    ASSERT_EQ(Store.Count(), 1);
    EXPECT_EQ(Store.Entries()[0].Rect, QRect(1, 1, 2, 2));
}

TEST_F(UndoList, SingleStepUndoTwiceReturnsToTheStateBeforeTheFirstUndo) {
    Store.SetSingle(true);
    Store.SetOwner(1, A.Target());
    A.Picture.SetRegionRect(L_RGN_SET, QRect(1, 1, 3, 2));
    ASSERT_TRUE(Store.Add(UndoPicture | UndoMask | UndoRegion, true, QRect(1, 0, 3, 3)));
    const TState before = Snap(A);
    Scribble(A, QRect(1, 0, 3, 3), 40);
    const TState changed = Snap(A);

    ASSERT_TRUE(Store.Undo(true));
    EXPECT_EQ(Snap(A), before);
    EXPECT_EQ(Store.CountAll(), 1);
    ASSERT_TRUE(Store.Undo(true));
    EXPECT_EQ(Snap(A), changed);
    ASSERT_TRUE(Store.Undo(true));
    EXPECT_EQ(Snap(A), before);

    // One record in single mode, and another document's record goes on attach.
    ASSERT_TRUE(Store.Add(UndoPicture, true, QRect(0, 0, 2, 2)));
    EXPECT_EQ(Store.CountAll(), 1);
    Store.SetOwner(2, B.Target());
    EXPECT_EQ(Store.CountAll(), 0);
    EXPECT_FALSE(Store.Undo(true));
}

TEST_F(UndoList, InactiveDocumentRecordsAreOnDiskAndComeBackExactly) {
    Store.SetOwner(1, A.Target());
    A.Picture.SetRegionRect(L_RGN_SET, QRect(2, 1, 3, 3));
    const TState beforeA = Snap(A);
    ASSERT_TRUE(Store.AddWhole(UndoPicture | UndoMask | UndoRegion, true));
    Scribble(A, QRect(0, 0, 6, 4), 60);

    Store.SetOwner(2, B.Target());
    const TState beforeB = Snap(B);
    ASSERT_TRUE(Store.Add(UndoPicture, true, QRect(1, 1, 9, 9))); // clipped to the picture
    EXPECT_EQ(Record(1).Rect, QRect(1, 1, 4, 2));
    B.Picture.FillRect(MakeColorRef(1, 2, 3), QRect(0, 0, 5, 3));

    const TUndoData& a = Record(0);
    const QString fileA = a.FileName;
    EXPECT_TRUE(a.OnDisk);
    EXPECT_FALSE(a.InMemory);
    EXPECT_EQ(a.MemoryBytes(), 0u);
    EXPECT_TRUE(QFile::exists(a.FileName));
    EXPECT_FALSE(a.Image->Allocated());
    EXPECT_FALSE(a.MaskImage->Allocated());

    ASSERT_TRUE(Store.Undo(true));
    EXPECT_NE(Snap(B), beforeB); // only the record's rectangle came back
    EXPECT_EQ(B.Picture.GetPixel(0, 0), MakeColorRef(1, 2, 3));
    EXPECT_EQ(B.Picture.GetPixel(1, 1), MakeColorRef(40, 80, 8));

    Store.SetOwner(1, A.Target());
    ASSERT_TRUE(Store.Undo(true));
    EXPECT_EQ(Snap(A), beforeA);
    EXPECT_EQ(A.Restored, 1);
    EXPECT_EQ(A.LastRegion, QRegion(2, 1, 3, 3));
    EXPECT_EQ(Store.CountAll(), 0);
    EXPECT_FALSE(QFile::exists(fileA));
}

TEST_F(UndoList, CompactKeepsOnlyTheNewestRecordOfTheActiveDocumentInMemory) {
    Store.SetOwner(1, A.Target());
    for (int k = 0; k < 3; ++k)
        ASSERT_TRUE(Store.Add(UndoPicture | UndoMask, false, QRect(k, 0, 2, 2)));
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(Record(k).InMemory && !Record(k).OnDisk);
    Store.Compact();
    for (int k = 0; k < 2; ++k) {
        EXPECT_TRUE(Record(k).OnDisk && !Record(k).InMemory);
        EXPECT_TRUE(QFile::exists(Record(k).FileName));
        EXPECT_EQ(Record(k).MemoryBytes(), 0u);
    }
    EXPECT_TRUE(Record(2).InMemory && !Record(2).OnDisk);
    EXPECT_GT(Record(2).MemoryBytes(), 0u);

    // Undo without remove keeps the record; with remove the next one is read back
    // ready, and the oldest stays on disk.
    ASSERT_TRUE(Store.Undo(false));
    EXPECT_EQ(Store.Count(), 3);
    ASSERT_TRUE(Store.Undo(true));
    const auto entries = Store.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[1].InMemory && entries[1].OnDisk);
    EXPECT_TRUE(!entries[0].InMemory && entries[0].OnDisk);
}

TEST_F(UndoList, DamagedRecordFileRestoresNothingAndIsReported) {
    enum Damage { Truncated, StreamGarbage, WholeGarbage, Deleted, HugeHeader, TrailingBytes };
    // A flat picture so that its block is a zlib stream whose damage shows.
    ASSERT_TRUE(MakeIndexed(A.Picture, std::vector<std::string>(30, std::string(40, 'a'))));
    A.Mask.reset();
    for (Damage damage : {Truncated, StreamGarbage, WholeGarbage, Deleted, HugeHeader, TrailingBytes}) {
        SCOPED_TRACE(int(damage));
        Store.SetOwner(1, A.Target());
        Store.Clear();
        ASSERT_TRUE(Store.AddWhole(UndoPicture | UndoRegion, true));
        A.Picture.FillRect(7, QRect(0, 0, 40, 30));
        Store.SetOwner(2, B.Target()); // A's record goes to disk
        const QString path = Record(0).FileName;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        ASSERT_GT(bytes.size(), 1040);
        if (damage == Truncated) file.resize(bytes.size() - 5);
        if (damage == StreamGarbage) bytes.replace(1040, 4, "\x13\x57\x9b\xdf");
        if (damage == WholeGarbage) bytes.fill('\xa5');
        if (damage == HugeHeader) bytes.replace(0, 8, QByteArray(8, '\xff'));
        if (damage == TrailingBytes) bytes.append('x');
        file.seek(0);
        if (damage != Truncated) file.write(bytes);
        file.close();
        if (damage == Deleted) QFile::remove(path);

        Store.SetOwner(1, A.Target());
        A.Picture.SetRegionRect(L_RGN_SET, QRect(3, 3, 4, 4));
        const TState before = Snap(A);
        TReports reports;
        EXPECT_FALSE(Store.Undo(true));
        EXPECT_EQ(Snap(A), before);
        EXPECT_EQ(A.Restored + A.Cleared, 0);
        EXPECT_EQ(reports.Count, 1);
        EXPECT_EQ(Store.LastError(), damage == Deleted ? ErrorCode::CannotOpenFile : ErrorCode::BadFile);
        EXPECT_EQ(Store.Count(), 1);
        EXPECT_FALSE(Record(0).InMemory);
    }
}

TEST_F(UndoList, FullUndoFolderKeepsTheRecordInMemoryAndUndoStillRestores) {
    TRGBQuad quads[256];
    A.Palette.GetQuads(quads);
    ASSERT_TRUE(A.Picture.Allocate(300, 200, quads, 8));
    TNoise noise{7}; // so that the record file cannot be squeezed under the limit
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            A.Picture.SetPixel(x, y, noise.Next() >> 24);
    A.Mask.reset();
    Store.SetOwner(1, A.Target());
    const TState before = Snap(A);
    ASSERT_TRUE(Store.AddWhole(UndoPicture, true));
    A.Picture.FillRect(7, QRect(0, 0, 300, 200));
    {
        TFileSizeLimit full(16384);
        Store.SetOwner(2, B.Target()); // A's record would go to disk
        EXPECT_TRUE(Record(0).InMemory);
        EXPECT_FALSE(Record(0).OnDisk);
        EXPECT_FALSE(QFile::exists(Record(0).FileName));
    }
    Store.SetOwner(1, A.Target());
    ASSERT_TRUE(Store.Undo(true));
    EXPECT_EQ(Snap(A), before);
}

TEST_F(UndoList, LargeRecordsGoStraightToTheirFileAndComeBackExactly) {
    struct Case {
        int Bits, Width, Height;
        QRect Rect;
        bool Mask;
    };
    const Case cases[] = {
        {8, 8200, 8200, QRect(0, 0, 8200, 8200), false},  // whole rows, as they lie
        {8, 8200, 8200, QRect(3, 5, 8197, 8190), true},   // rows gathered, with the mask
        {24, 5003, 4600, QRect(2, 1, 5000, 4500), false}, // full colour
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Bits);
        TDoc& d = c.Bits == 8 ? A : B;
        TRGBQuad quads[256];
        A.Palette.GetQuads(quads);
        ASSERT_TRUE(d.Picture.Allocate(c.Width, c.Height, c.Bits == 8 ? quads : nullptr, c.Bits));
        TNoise noise{3};
        for (int y = 0; y < c.Height; ++y) {
            uint8_t* row = d.Picture.ScanLine(y);
            for (int i = 0; i < d.Picture.BytesPerLine(); ++i)
                row[i] = uint8_t((y / 64 + i / 64) % 7 + (noise.Next() >> 31));
        }
        d.Mask.reset();
        if (c.Mask) {
            d.Mask = std::make_unique<TOrvaneBitmap>();
            ASSERT_TRUE(d.Mask->Allocate(c.Width, c.Height, quads, 8));
            d.Mask->FillRect(1, QRect(100, 100, 3000, 3000));
        }
        Store.SetOwner(c.Bits == 8 ? 1 : 2, d.Target());
        Store.Clear();
        const TState before = Snap(d);
        ASSERT_TRUE(Store.Add(UndoPicture | (c.Mask ? UndoMask : 0), true, c.Rect));
        EXPECT_TRUE(Record(0).OnDisk);
        EXPECT_FALSE(Record(0).InMemory);
        EXPECT_EQ(Record(0).MemoryBytes(), 0u);
        d.Picture.FillRect(c.Bits == 8 ? 7 : MakeColorRef(7, 7, 7), c.Rect);
        if (d.Mask) d.Mask->FillRect(9, c.Rect);
        ASSERT_TRUE(Store.Undo(true));
        EXPECT_EQ(Snap(d), before);
    }
}

TEST_F(UndoList, MaskFlagWithoutMaskLeavesTheLaterMaskAlone) {
    A.Mask.reset();
    Store.SetOwner(1, A.Target());
    const TState before = Snap(A);
    ASSERT_TRUE(Store.AddWhole(UndoPicture | UndoMask, true));
    EXPECT_EQ(Record(0).MaskImage, nullptr);
    A.Picture.FillRect(9, QRect(0, 0, 6, 4));
    A.Mask = std::make_unique<TOrvaneBitmap>();
    ASSERT_TRUE(MakeIndexed(*A.Mask, {"zzzzzz", "zzzzzz", "zzzzzz", "zzzzzz"}));
    ASSERT_TRUE(Store.Undo(true));
    EXPECT_EQ(Bytes(A.Picture), before.Pixels);
    EXPECT_EQ(Rows(*A.Mask)[0], "zzzzzz");
}

TEST_F(UndoList, RegionFlagWithoutRegionClearsTheSelection) {
    Store.SetOwner(1, A.Target());
    ASSERT_FALSE(A.Picture.HasRegion());
    ASSERT_TRUE(Store.AddWhole(UndoRegion, true));
    A.Picture.SetRegionRect(L_RGN_SET, QRect(1, 1, 2, 2));
    ASSERT_TRUE(Store.Undo(true));
    EXPECT_FALSE(A.Picture.HasRegion());
    EXPECT_EQ(A.Cleared, 1);
    EXPECT_EQ(A.Restored, 0);
}

TEST_F(UndoList, RestoreIsNotClippedByTheSelection) {
    Store.SetOwner(1, A.Target());
    const auto rows = Rows(A.Picture);
    ASSERT_TRUE(Store.AddWhole(UndoPicture, true));
    A.Picture.FillRect(9, QRect(0, 0, 6, 4));
    A.Picture.SetRegionRect(L_RGN_SET, QRect(0, 0, 1, 1));
    ASSERT_TRUE(Store.Undo(true));
    EXPECT_EQ(Rows(A.Picture), rows);
    EXPECT_EQ(A.Picture.Handle.Region, QRegion(0, 0, 1, 1)); // no region flag: kept
}

TEST_F(UndoList, FileNamesCountFromZeroInThePrivateFolder) {
    Store.SetOwner(1, A.Target());
    EXPECT_FALSE(Store.Add(UndoPicture, true, QRect(10, 10, 2, 2))); // takes no name
    ASSERT_TRUE(Store.Add(UndoPicture, true, QRect(0, 0, 2, 2)));
    ASSERT_TRUE(Store.Add(UndoPicture, true, QRect(0, 0, 3, 2)));
    EXPECT_TRUE(Record(0).FileName.endsWith("/TPU00000.TMP"));
    EXPECT_TRUE(Record(1).FileName.endsWith("/TPU00001.TMP"));
    EXPECT_TRUE(QFile::exists(Record(0).FileName));
    EXPECT_TRUE(Store.Folder().startsWith(Temp.path() + "/run-"));
    EXPECT_EQ(QFileInfo(Record(0).FileName).absolutePath(), Store.Folder());
}

TEST_F(UndoList, FilesGoWhenRecordsDieAndWithTheStore) {
    QString folder, files[3];
    {
        TUndo store(Temp.path());
        store.SetMaxUndo(10);
        store.SetOwner(1, A.Target());
        for (int k = 0; k < 3; ++k)
            ASSERT_TRUE(store.Add(UndoPicture, true, QRect(0, 0, k + 1, 1)));
        for (int k = 0; k < 3; ++k)
            files[k] = store.AllRecords()[size_t(k)]->FileName;
        folder = store.Folder();
        store.SetOwner(2, B.Target());
        ASSERT_TRUE(store.AddWhole(UndoPicture, true));
        for (const QString& f : files)
            EXPECT_TRUE(QFile::exists(f));

        store.SetOwner(1, A.Target());
        store.DropLatest();
        EXPECT_FALSE(QFile::exists(files[2]));
        store.Clear();
        EXPECT_FALSE(QFile::exists(files[1]));
        EXPECT_EQ(store.CountAll(), 1);
        store.Forget(2);
        EXPECT_EQ(store.CountAll(), 0);

        store.SetOwner(1, A.Target());
        ASSERT_TRUE(store.AddWhole(UndoPicture, true));
        ASSERT_TRUE(store.AddWhole(UndoPicture, true));
        EXPECT_TRUE(store.AllRecords()[0]->OnDisk);
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(UndoList, FailedAddLeavesTheListUnchanged) {
    EXPECT_FALSE(Store.Add(UndoPicture, true, QRect(0, 0, 2, 2))); // nothing attached
    Store.SetOwner(1, A.Target());
    ASSERT_TRUE(Store.Add(UndoPicture, true, QRect(0, 0, 2, 2)));
    const auto entries = Store.Entries();
    EXPECT_FALSE(Store.Add(UndoPicture, true, QRect(6, 0, 2, 2)));
    EXPECT_FALSE(Store.Add(UndoPicture, true, QRect(-5, -5, 5, 5)));
    EXPECT_FALSE(Store.Add(UndoPicture, true, QRect(1, 1, 0, 3)));
    TBitmapDC* dc = A.Picture.GetDC(); // the picture is busy
    ASSERT_NE(dc, nullptr);
    EXPECT_FALSE(Store.Add(UndoPicture, true, QRect(0, 0, 2, 2)));
    A.Picture.ReleaseDC(dc);
    EXPECT_EQ(Store.Entries().size(), entries.size());
    EXPECT_EQ(Store.Entries()[0].Rect, entries[0].Rect);
    Store.Forget(1);
    EXPECT_FALSE(Store.AddWhole(UndoPicture, true));
}

TEST_F(UndoList, LatestIsReadBackAndPinnedUntilTheNextChange) {
    Store.SetOwner(1, A.Target());
    ASSERT_TRUE(Store.AddWhole(UndoPicture, true));
    Store.SetOwner(2, B.Target());
    Store.SetOwner(1, A.Target());
    ASSERT_FALSE(Record(0).InMemory);
    TUndoData* latest = Store.Latest();
    ASSERT_NE(latest, nullptr);
    EXPECT_TRUE(latest->InMemory && latest->Pinned);
    EXPECT_EQ(Bytes(*latest->Image), Bytes(A.Picture));
    Store.SetOwner(2, B.Target());
    EXPECT_TRUE(latest->InMemory); // pinned: not released
    Store.SetOwner(1, A.Target());
    ASSERT_TRUE(Store.AddWhole(UndoPicture, true));
    EXPECT_FALSE(latest->Pinned);
    EXPECT_FALSE(latest->InMemory);
}

TEST_F(UndoList, LowerLimitDropsTheOldestRecordsAtOnce) {
    Store.SetOwner(1, A.Target());
    Store.SetMaxUndo(5);
    for (int k = 0; k < 5; ++k)
        ASSERT_TRUE(Store.Add(UndoPicture, true, QRect(0, 0, k + 1, 1)));
    Store.SetMaxUndo(2);
    ASSERT_EQ(Store.Count(), 2);
    EXPECT_EQ(Store.Entries()[0].Rect.width(), 4);
    Store.SetMaxUndo(0);
    EXPECT_EQ(Store.MaxUndo(), 1);
    EXPECT_EQ(Store.Count(), 1);
}

TEST_F(UndoList, WholeRecordsGiveAResizedPictureItsSizeBackAndPartsRefuse) {
    Store.SetOwner(1, A.Target());
    const TState before = Snap(A);
    ASSERT_TRUE(Store.Add(UndoPicture, true, QRect(0, 0, 2, 2))); // a part, made at 6 x 4
    ASSERT_TRUE(Store.AddWhole(UndoPicture | UndoRegion, true));
    TOrvaneBitmap larger;
    TRGBQuad quads[256];
    A.Picture.GetColors(0, 256, quads);
    ASSERT_TRUE(larger.Allocate(9, 7, quads, 8));
    ASSERT_TRUE(A.Picture.TakeFrom(larger)); // an enlarge
    ASSERT_TRUE(Store.Undo(true));
    EXPECT_EQ(A.Picture.Width, 6);
    EXPECT_EQ(A.Picture.Height, 4);
    EXPECT_EQ(Bytes(A.Picture), before.Pixels);

    ASSERT_TRUE(larger.Allocate(3, 3, quads, 8));
    ASSERT_TRUE(A.Picture.TakeFrom(larger));
    EXPECT_FALSE(Store.Undo(true)); // a part cannot go into another size
    EXPECT_EQ(A.Picture.Width, 3);
    EXPECT_EQ(Store.Count(), 1);
}
