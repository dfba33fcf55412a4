// A size-28 pen stroke of 2000 pixels through the pen tool engine on the A0
// 8-bit design, moved as a 500 Hz tablet reports it (10 pixels a move, so a
// move must finish within 2 ms), beside a memset of the stroke's bounding rows.
#include "A0document.h"
#include "raster/Tpimage.h"
#include "tools/Pentool.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr int kStroke = 2000, kPerMove = 10, kX = 1000, kY = 3000, kSize = 28;

TToolPointer At(int x, int y) {
    TToolPointer p;
    p.X = x, p.Y = y, p.Button = p.Buttons = ButtonLeft;
    return p;
}

// The moves of strokes of a pen kind: the press (which records the picture for
// undo) and the release with its undo are outside the timing. With view, each
// move's notice is rendered into it, as the document window repaints.
void StrokeMoves(benchmark::State& state, int kind, TImageView* view) {
    TDocument& doc = A0(8);
    TPenObject pen;
    pen.SetSize(kSize);
    pen.Settings.Kind = kind;
    TOrvaneRandom random;
    random.Reseed(1);
    TPenTool tool(&random);
    TToolContext context;
    context.Document = &doc;
    context.Pen = &pen;
    context.Colour = TCurrentColour::OfIndex(40);
    QMetaObject::Connection repaint;
    if (view)
        repaint = QObject::connect(&doc, &TDocument::Changed, [&](const QRect& r) {
            benchmark::DoNotOptimize(view->RenderRect(doc.Picture(), r).Image.constBits());
        });
    for (auto _ : state) {
        state.PauseTiming();
        tool.MouseDown(context, At(kX, kY));
        state.ResumeTiming();
        for (int x = kX + kPerMove; x <= kX + kStroke; x += kPerMove)
            tool.MouseMove(context, At(x, kY + (x - kX) / 8));
        state.PauseTiming();
        tool.MouseUp(context, At(kX + kStroke, kY + kStroke / 8));
        doc.Undo();
        state.ResumeTiming();
    }
    QObject::disconnect(repaint);
    state.counters["move_us"] = benchmark::Counter(double(state.iterations()) * (kStroke / kPerMove) * 1e-6,
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PenStrokeMoves(benchmark::State& state) {
    StrokeMoves(state, int(state.range(0)), nullptr);
}

// The Normal pen's moves with the repaint each asks for, in a 1000 x 800 view at 1:1 over the stroke.
void BM_PenStrokeMovesWithRepaint(benchmark::State& state) {
    TImageView view;
    view.Bitmap = &A0(8).Picture();
    view.SetSize(1000, 800);
    view.SetPosition(kX - 100, kY - 100);
    StrokeMoves(state, PenNormal, &view);
}

// The whole stroke: press with its undo record, moves, release with its notice, and undo.
void BM_PenStrokeWhole(benchmark::State& state) {
    TDocument& doc = A0(8);
    TPenObject pen;
    pen.SetSize(kSize);
    TPenTool tool(nullptr);
    TToolContext context;
    context.Document = &doc;
    context.Pen = &pen;
    context.Colour = TCurrentColour::OfIndex(40);
    for (auto _ : state) {
        tool.MouseDown(context, At(kX, kY));
        for (int x = kX + kPerMove; x <= kX + kStroke; x += kPerMove)
            tool.MouseMove(context, At(x, kY + (x - kX) / 8));
        tool.MouseUp(context, At(kX + kStroke, kY + kStroke / 8));
        doc.Undo();
    }
}

// Reference: one memset over the stroke's bounding rows.
void BM_PenStrokeRowsMemset(benchmark::State& state) {
    TDocument& doc = A0(8);
    TChange change(doc, 0);
    TOrvaneBitmap& picture = change.Picture();
    const int top = kY - kSize / 2, bottom = kY + kStroke / 8 + kSize / 2, width = kStroke + kSize;
    int value = 0;
    for (auto _ : state) {
        for (int y = top; y < bottom; ++y)
            std::memset(picture.ScanLine(y) + kX - kSize / 2, ++value & 0xFF, size_t(width));
        benchmark::ClobberMemory();
    }
    change.Fail();
}

} // namespace

// Water (Simple: a smudge's mixtures through the nearest-colour cache), Scrape and Mask too.
BENCHMARK(BM_PenStrokeMoves)
    ->Arg(PenNormal)
    ->Arg(PenCrayon)
    ->Arg(PenAirBrush)
    ->Arg(PenWater)
    ->Arg(PenScrape)
    ->Arg(PenMask)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PenStrokeMovesWithRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PenStrokeWhole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PenStrokeRowsMemset)->Unit(benchmark::kMicrosecond);
