// A linear spread over the ground and border stripes of the A0 8-bit design (71 %
// of it), beside one plain pass over the same pixels in the same run: the area
// found, the gradation painted, and the whole spread through the tool with its
// undo record and undo.
#include "Groundarea.h"
#include "colour/Colorset.h"
#include "tools/Spreadfill.h"
#include "tools/Spreadtool.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SpreadFindArea(benchmark::State& state) {
    const TDocument& doc = A0(8);
    const TChoiceColor list = GroundList(doc.Palette());
    for (auto _ : state) {
        TSpreadArea area;
        FindSpreadArea(doc.Picture(), doc.Palette(), list, kFrom, QRegion(), area);
        benchmark::DoNotOptimize(area.Rect);
    }
    Count(state, AreaPixels());
}

// Eight gradation colours over the area, into a change that keeps no record.
void BM_SpreadPaintLinear(benchmark::State& state) {
    TDocument& doc = A0(8);
    const TSpreadArea& area = Area();
    TChange change(doc, 0);
    const std::vector<uint32_t> values = {100, 101, 102, 103, 104, 105, 106, 107};
    const TSpreadRun run{kFrom, kTo, 1, {}};
    for (auto _ : state) {
        PaintGrade(change.Picture(), change.Guard(), area, SpreadLinear, run, values);
        benchmark::ClobberMemory();
    }
    PutBack(change);
    Count(state, AreaPixels());
}

// The reference: every pixel of the area's rectangle read, and those of the area
// written, once by a plain loop.
void BM_SpreadPlainPassReference(benchmark::State& state) {
    TDocument& doc = A0(8);
    const TSpreadArea& area = Area();
    TChange change(doc, 0);
    TOrvaneBitmap& picture = change.Picture();
    uint8_t value = 0;
    for (auto _ : state) {
        ++value;
        for (int y = area.Rect.top(); y <= area.Rect.bottom(); ++y) {
            uint8_t* row = picture.ScanLine(y);
            for (int x = area.Rect.left(); x <= area.Rect.right(); ++x)
                if (area.Mask.TestBit(x, y)) row[x] = value;
        }
        benchmark::ClobberMemory();
    }
    PutBack(change);
    Count(state, AreaPixels());
}

// What the user waits for: the area, the palette's colours, the record, the
// gradation; then undo (also timed) puts the design back for the next round.
void BM_SpreadLinearThroughToolWithUndo(benchmark::State& state) {
    TDocument& doc = A0(8);
    doc.EditPalette([](TPalette& p) {
        p.UseColor = 60;
        return true;
    });
    TSpreadTool tool;
    TSpreadSettings settings;
    settings.Colours = GroundList(doc.Palette());
    settings.Slots[0].Gap = 6; // eight colours
    tool.SetSettings(settings);
    tool.SetSeed(1);
    TToolContext context;
    context.Document = &doc;
    for (auto _ : state) {
        if (tool.Spread(context, kFrom, kTo)) state.SkipWithError("spread refused");
        doc.Undo();
    }
    Count(state, AreaPixels());
}

} // namespace

BENCHMARK(BM_SpreadFindArea)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpreadPaintLinear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpreadPlainPassReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpreadLinearThroughToolWithUndo)->Unit(benchmark::kMillisecond);
