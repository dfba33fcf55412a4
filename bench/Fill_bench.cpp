// The Fill tool over the ground and border stripes of the A0 8-bit design (71 %
// of it): a SINGLE fill and a NORMAL PAT. fill painted into the area, and the
// whole SINGLE fill through the tool with its undo record and undo. The plain
// pass over the same pixels to compare with is BM_SpreadPlainPassReference, run
// in the same binary (filter "Fill|PlainPass").
#include "Groundarea.h"
#include "tools/Fillpaint.h"
#include "tools/Filltool.h"
#include "tools/Floating.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FillPaintSingle(benchmark::State& state) {
    TDocument& doc = A0(8);
    const TSpreadArea& area = Area();
    TChange change(doc, 0);
    TFillContent content;
    content.Value = 100;
    for (auto _ : state) {
        PaintFill(change.Picture(), change.Guard(), area, content);
        benchmark::ClobberMemory();
    }
    PutBack(change);
    Count(state, AreaPixels());
}

// A 37 x 23 motif with a few holes in its mask, tiled with a half drop.
void BM_FillPaintNormalPattern(benchmark::State& state) {
    TDocument& doc = A0(8);
    const TSpreadArea& area = Area();
    TFloating pattern;
    if (!pattern.Allocate(37, 23, 8)) return state.SkipWithError("no memory");
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) {
            pattern.Image.SetPixel(x, y, uint32_t(20 + (x * y) % 30));
            pattern.Mask.SetPixel(x, y, (x + y) % 11 ? 255 : 0);
        }
    TChange change(doc, 0);
    TFillContent content;
    content.To = FillToNormalPattern;
    content.Pattern = &pattern;
    content.Tiles = TRepeatWrap{RepeatDropVertical, 37, 23, 11};
    content.Origin = kFrom;
    for (auto _ : state) {
        PaintFill(change.Picture(), change.Guard(), area, content);
        benchmark::ClobberMemory();
    }
    PutBack(change);
    Count(state, AreaPixels());
}

// What the user waits for: the area, the record, the fill; then undo (also timed).
void BM_FillSingleThroughToolWithUndo(benchmark::State& state) {
    TDocument& doc = A0(8);
    TFillTool tool;
    TFillSettings settings;
    settings.From = FillFromMulti;
    settings.Colours = GroundList(doc.Palette());
    tool.SetSettings(settings);
    TToolContext context;
    context.Document = &doc;
    context.Colour = TCurrentColour::OfIndex(100);
    for (auto _ : state) {
        if (tool.Fill(context, kFrom)) state.SkipWithError("fill refused");
        doc.Undo();
    }
    Count(state, AreaPixels());
}

} // namespace

BENCHMARK(BM_FillPaintSingle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillPaintNormalPattern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillSingleThroughToolWithUndo)->Unit(benchmark::kMillisecond);
