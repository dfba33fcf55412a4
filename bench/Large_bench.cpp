// An A0 design at 1000 dpi (31200 x 44000, 1.37 Gpx, 8 bits): create, flood fill
// most of it, a half-drop repeat over all of it, save, reopen and undo, each beside
// a memcpy of the canvas, fresh memory of its size written once, and raw zlib
// (level 7, as the design files use) of its pixels, with the peak resident memory of every step (VmHWM, reset
// before each step where the system allows) as counters. It needs about 6 GB and minutes, so it runs only
// with VELMORA_BENCH_LARGE=1:
//   VELMORA_BENCH_LARGE=1 build/bench/velmora_bench --benchmark_filter=Large
// The steps share one document and run in the order registered.
#include "shell/Tdocument.h"
#include "tools/Filltool.h"
#include "tools/Floating.h"
#include "tools/Repeat.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kWidth = 31200, kHeight = 44000;

// Peak resident memory since the last reset, in bytes.
double PeakResident() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) * 1024.0;
    return 0;
}
bool ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

struct TLarge {
    TDocument Doc;
    QString Dir = QDir::temp().filePath(QStringLiteral("velmora-large-bench"));
};
TLarge& Large() {
    static TLarge* l = new TLarge;
    return *l;
}

// Runs step once and reports its peak memory (as GB) beside the design's size.
template <class F> void Step(benchmark::State& state, F&& step) {
    const bool reset = ResetPeak();
    for (auto _ : state)
        if (!step()) state.SkipWithError("step failed");
    state.counters["peakGB"] = PeakResident() / 1e9;
    state.counters["peakReset"] = reset;
    const TOrvaneBitmap& p = Large().Doc.Picture();
    state.counters["designGB"] = double(p.Allocated() ? p.Handle.ByteSize() : 0) / 1e9;
}

void BM_LargeCreate(benchmark::State& state) {
    Step(state, [] {
        TLarge& l = Large();
        TPaper paper;
        paper.dpi = 1000;
        SetPaper(paper, kPaperCustom, kWidth, kHeight);
        if (l.Doc.NewCanvas(paper, 8, TCurrentColour::OfIndex(2))) return false;
        // A motif of colour 9 every 400 pixels gives the fill real spans.
        TChange motifs(l.Doc, 0);
        for (int y = 0; y < kHeight; ++y)
            if (y % 400 < 60)
                for (int x = 0; x < kWidth; x += 400)
                    std::memset(motifs.Picture().ScanLine(y) + x, 9, 60);
        motifs.Commit();
        l.Doc.AttachUndo();
        return true;
    });
}

void BM_LargeFloodFill(benchmark::State& state) {
    Step(state, [] {
        TFillTool tool;
        TToolContext context;
        context.Document = &Large().Doc;
        context.Colour = TCurrentColour::OfIndex(100);
        return tool.Fill(context, QPoint(200, 200)) == 0;
    });
}

void BM_LargeHalfDrop(benchmark::State& state) {
    Step(state, [] {
        TRepeatSettings settings;
        settings.Tile = QRect(0, 0, 4160, 4400);
        settings.Function = RepeatHalfDropVer;
        settings.Drop = 2200;
        return ApplyRepeat(Large().Doc, settings, Large().Doc.Bounds()) == 0;
    });
}

void BM_LargeSave(benchmark::State& state) {
    QDir().mkpath(Large().Dir);
    Step(state, [] { return Large().Doc.Save(Large().Dir, QStringLiteral("a0.tex"), 2, 0) == 0; });
    state.counters["fileGB"] = double(QFile(QDir(Large().Dir).filePath("a0.tex")).size()) / 1e9;
}

void BM_LargeOpen(benchmark::State& state) {
    Step(state, [] {
        TDocument other;
        return other.Open(Large().Dir, QStringLiteral("a0.tex"), 0, 0) == 0 &&
               other.Picture().Width == kWidth;
    });
}

void BM_LargeUndo(benchmark::State& state) {
    Step(state, [] { return Large().Doc.Undo(); }); // the half drop
}

// A selection of 16000 x 16000 pixels (a quarter of the design's width, 256 Mpx)
// lifted and turned by 33 degrees; its own memcpy comes beside it.
void BM_LargeRotateSelection(benchmark::State& state) {
    constexpr int kSide = 16000;
    TFloating piece, turned;
    if (!piece.Allocate(kSide, kSide, 8)) return state.SkipWithError("no memory");
    const TOrvaneBitmap& p = Large().Doc.Picture();
    for (int y = 0; y < kSide; ++y) {
        std::memcpy(piece.Image.ScanLine(y), p.ScanLine(y), kSide);
        std::memset(piece.Mask.ScanLine(y), 255, kSide);
    }
    Step(state, [&] { return RotateFloating(piece, 33, turned) == 0; });
    state.counters["outMpx"] = double(turned.Width()) * turned.Height() / 1e6;
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size_t(kSide) * kSide]);
    std::memset(copy.get(), 0, size_t(kSide) * kSide);
    const auto start = std::chrono::steady_clock::now();
    for (int y = 0; y < kSide; ++y)
        std::memcpy(copy.get() + size_t(y) * kSide, piece.Image.ScanLine(y), kSide);
    state.counters["memcpyMs"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_LargeMemcpyReference(benchmark::State& state) {
    const TOrvaneBitmap& p = Large().Doc.Picture();
    const size_t size = p.Handle.ByteSize();
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size]);
    std::memset(copy.get(), 0, size);
    Step(state, [&] {
        std::memcpy(copy.get(), p.Handle.Bits, size);
        benchmark::ClobberMemory();
        return true;
    });
}

// Fresh memory of the canvas's size, written once: what any step that makes a new
// canvas pays the system for its pages.
void BM_LargeAllocReference(benchmark::State& state) {
    const size_t size = Large().Doc.Picture().Handle.ByteSize();
    Step(state, [&] {
        std::unique_ptr<uint8_t[]> fresh(new uint8_t[size]);
        std::memset(fresh.get(), 2, size);
        benchmark::DoNotOptimize(fresh.get());
        return true;
    });
}

void BM_LargeZlibReference(benchmark::State& state) {
    const TOrvaneBitmap& p = Large().Doc.Picture();
    const uLong size = uLong(p.Handle.ByteSize());
    uLongf packed = compressBound(size);
    std::unique_ptr<uint8_t[]> out(new uint8_t[packed]);
    Step(state, [&] {
        packed = compressBound(size);
        return compress2(out.get(), &packed, p.Handle.Bits, size, 7) == Z_OK;
    });
    state.counters["ratio"] = double(packed) / double(size);
    QDir(Large().Dir).removeRecursively();
}

const bool kRegistered = [] {
    if (qEnvironmentVariableIntValue("VELMORA_BENCH_LARGE") != 1) return false;
    for (auto [name, fn] : {std::pair{"BM_LargeCreate", &BM_LargeCreate},
                            {"BM_LargeFloodFill", &BM_LargeFloodFill},
                            {"BM_LargeHalfDrop", &BM_LargeHalfDrop},
                            {"BM_LargeSave", &BM_LargeSave},
                            {"BM_LargeOpen", &BM_LargeOpen},
                            {"BM_LargeUndo", &BM_LargeUndo},
                            {"BM_LargeRotateSelection", &BM_LargeRotateSelection},
                            {"BM_LargeMemcpyReference", &BM_LargeMemcpyReference},
                            {"BM_LargeAllocReference", &BM_LargeAllocReference},
                            {"BM_LargeZlibReference", &BM_LargeZlibReference}})
        benchmark::RegisterBenchmark(name, fn)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    return true;
}();

} // namespace
