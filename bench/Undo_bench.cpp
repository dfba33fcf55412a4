// The undo store on an A0 design against plain copies and plain zlib of the same bytes.
#include "Planes.h"
#include "Zlibref.h"
#include "raster/Undo.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// The design as a picture (rows of both depths need no padding at this width).
TOrvaneBitmap& Design(int bits) {
    static TOrvaneBitmap designs[2];
    TOrvaneBitmap& d = designs[bits == 8 ? 0 : 1];
    if (!d.Allocated()) {
        TRGBQuad grey[256];
        for (int i = 0; i < 256; ++i)
            grey[i] = TRGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
        d.Allocate(kA0Width, kA0Height, grey, bits);
        const std::vector<uint8_t>& plane = Plane(bits);
        d.PutRows(plane.data(), int(plane.size() / kA0Height), false);
    }
    return d;
}

const QString& Folder() {
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

TUndoTarget Target(TOrvaneBitmap& picture) {
    TUndoTarget t;
    t.Picture = &picture;
    return t;
}

// A store on the A0 design (document 1) beside a small second document (2).
struct TTwoDocuments {
    explicit TTwoDocuments(int bits) : Picture(Design(bits)) {
        Other.Allocate(8, 8, nullptr, 24);
        Store.SetOwner(1, Target(Picture));
    }
    TOrvaneBitmap& Picture;
    TOrvaneBitmap Other;
    TUndo Store{Folder()};
};

void BM_UndoAddWholeThenUndo(benchmark::State& state) {
    TOrvaneBitmap& picture = Design(int(state.range(0)));
    TUndo store(Folder());
    store.SetOwner(1, Target(picture));
    for (auto _ : state) {
        if (!store.AddWhole(UndoPicture, true) || !store.Undo(true)) state.SkipWithError("undo failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(picture.Handle.ByteSize()));
}

// The same bytes copied out and back with memcpy, into memory already mapped (the
// store has to get fresh memory for every record on top of this).
void BM_UndoCopyReference(benchmark::State& state) {
    TOrvaneBitmap& picture = Design(int(state.range(0)));
    const size_t size = picture.Handle.ByteSize();
    std::vector<uint8_t> copy(size);
    for (auto _ : state) {
        std::memcpy(copy.data(), picture.Handle.Bits, size);
        benchmark::ClobberMemory();
        std::memcpy(picture.Handle.Bits, copy.data(), size);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

// A record made, then written out compressed when another document becomes active.
void BM_UndoSwapOut(benchmark::State& state) {
    TTwoDocuments docs(int(state.range(0)));
    TOrvaneBitmap& picture = docs.Picture;
    TUndo& store = docs.Store;
    qint64 fileSize = 0;
    for (auto _ : state) {
        store.AddWhole(UndoPicture, true);
        store.SetOwner(2, Target(docs.Other));
        state.PauseTiming();
        const TUndoData& record = *store.AllRecords().back();
        if (!record.OnDisk || record.InMemory) state.SkipWithError("not swapped out");
        fileSize = QFileInfo(record.FileName).size();
        store.SetOwner(1, Target(picture));
        state.ResumeTiming();
    }
    state.counters["ratio"] = double(fileSize) / double(picture.Handle.ByteSize());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(picture.Handle.ByteSize()));
}

void BM_UndoZlibCompressReference(benchmark::State& state) {
    ZlibCompressReference(state, Plane(int(state.range(0))));
}

// Undo of a record that is on disk: read back, inflate, put back.
void BM_UndoFromDisk(benchmark::State& state) {
    TTwoDocuments docs(int(state.range(0)));
    TOrvaneBitmap& picture = docs.Picture;
    TUndo& store = docs.Store;
    store.AddWhole(UndoPicture, true);
    store.SetOwner(2, Target(docs.Other));
    store.SetOwner(1, Target(picture));
    for (auto _ : state) {
        if (!store.Undo(false)) state.SkipWithError("undo failed");
        state.PauseTiming();
        store.Compact(); // frees the copy again; the file stays
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(picture.Handle.ByteSize()));
}

void BM_UndoZlibUncompressReference(benchmark::State& state) {
    ZlibUncompressReference(state, Plane(int(state.range(0))));
}

} // namespace

BENCHMARK(BM_UndoAddWholeThenUndo)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoCopyReference)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoSwapOut)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoZlibCompressReference)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoFromDisk)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoZlibUncompressReference)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
