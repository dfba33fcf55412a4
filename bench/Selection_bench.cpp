// Selecting by colour ("Surface (Single)") on an A0 160-dpi 256-colour design whose
// ground, border stripes taken in, covers most of the canvas, against one plain
// pass over the same pixels.
#include "Planes.h"
#include "shell/Mainmenu.h"
#include "shell/Tdocument.h"
#include "tools/Tooldispatch.h"
#include "tools/Windowoutline.h"
#include "tools/Windowtool.h"

#include <benchmark/benchmark.h>

namespace {

constexpr uint8_t kGround = 2;
const QPoint kSeed(10, 10); // on the ground, in what were the border stripes

// The textile plane with its border stripes (3 .. 10) made ground: about 71 % of
// the canvas, broken by the motifs, the medallion and the noise.
const std::vector<uint8_t>& GroundPlane() {
    static const std::vector<uint8_t> plane = [] {
        std::vector<uint8_t> p = Plane(8);
        for (uint8_t& v : p)
            if (v >= 3 && v <= 10) v = kGround;
        return p;
    }();
    return plane;
}

TDocument& Design() {
    static TDocument* d = nullptr;
    if (!d) {
        d = new TDocument;
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, kA0Width, kA0Height);
        d->NewCanvas(paper, 8, TCurrentColour());
        TChange fill(*d, 0);
        fill.Picture().PutRows(GroundPlane().data(), kA0Width, false);
        fill.Commit();
    }
    return *d;
}

void Counters(benchmark::State& state, int64_t selected) {
    const double canvas = double(kA0Width) * kA0Height;
    state.counters["canvas"] = double(selected) / canvas;
    state.counters["px/s"] = benchmark::Counter(canvas, benchmark::Counter::kIsIterationInvariantRate);
}

int64_t Area(const QRegion& region) {
    int64_t n = 0;
    for (const QRect& r : region)
        n += int64_t(r.width()) * r.height();
    return n;
}

// The outline alone: region growing into rectangles and the region made of them.
void BM_OutlineSurfaceSingle(benchmark::State& state) {
    const TOrvaneBitmap& picture = Design().Picture();
    TOutlineRule rule;
    rule.Kind = OutlineSingle;
    QRegion region;
    for (auto _ : state) {
        if (OutlineRegion(picture, kSeed, rule, region)) state.SkipWithError("out of memory");
        benchmark::DoNotOptimize(region);
    }
    state.counters["rects"] = double(region.rectCount()); // of the region, band by band
    Counters(state, Area(region));
}

// A click of the Window tool: the outline, set as the document's selection with its mask.
void BM_OutlineClickIntoTheDocument(benchmark::State& state) {
    TDocument& doc = Design();
    TToolDispatch dispatch;
    auto engine = std::make_unique<TWindowTool>();
    TWindowTool* tool = engine.get();
    dispatch.Activate(ToolWindow, std::move(engine));
    dispatch.SetCurrent(&doc, nullptr);
    TWindowSettings s;
    s.Mode = WindowOutline, s.Outline = OutlineSingle;
    tool->SetSettings(dispatch.Context(), s);
    TToolPointer p;
    p.X = kSeed.x(), p.Y = kSeed.y(), p.Button = p.Buttons = ButtonLeft;
    for (auto _ : state) {
        state.PauseTiming();
        doc.ClearSelection();
        state.ResumeTiming();
        dispatch.MouseDown(doc, nullptr, p);
    }
    Counters(state, Area(doc.Selection()));
}

// The reference: one plain pass that tests every pixel of the canvas.
void BM_OutlinePlainPassReference(benchmark::State& state) {
    const TOrvaneBitmap& picture = Design().Picture();
    int64_t selected = 0;
    for (auto _ : state) {
        selected = 0;
        for (int y = 0; y < picture.Height; ++y) {
            const uint8_t* row = picture.ScanLine(y);
            for (int x = 0; x < picture.Width; ++x)
                selected += row[x] == kGround;
        }
        benchmark::DoNotOptimize(selected);
    }
    Counters(state, selected);
}

} // namespace

BENCHMARK(BM_OutlineSurfaceSingle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlineClickIntoTheDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlinePlainPassReference)->Unit(benchmark::kMillisecond);
