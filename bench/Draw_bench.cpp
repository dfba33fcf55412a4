// The Draw tool's filled circle of diameter 3000 on the A0 8-bit design, beside
// a memset of the circle's bounding box in the same run: the rows of a fill are
// written as whole runs, so the circle should cost no more than about the box.
#include "A0document.h"
#include "tools/Drawpaint.h"
#include "tools/Drawtool.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr int kX = 2400, kY = 3500, kDiameter = 3000; // the circle lies inside the design

TToolPointer At(int x, int y) {
    TToolPointer p;
    p.X = x, p.Y = y, p.Button = p.Buttons = ButtonLeft;
    return p;
}

// The shape's pixels alone, written into a change that keeps no record.
void Shape(benchmark::State& state, const TDrawShape& shape, const TFootprint& pen) {
    TDocument& doc = A0(8);
    TChange change(doc, 0);
    TDash dash;
    uint32_t value = 0;
    for (auto _ : state) {
        TDrawPainter painter(change, ++value & 0xFF, TRepeatWrap{}, pen);
        painter.Draw(shape, dash);
        benchmark::ClobberMemory();
    }
    change.Fail();
}

void BM_DrawFilledCircle(benchmark::State& state) {
    Shape(state, EllipseShape(CircleBox(QPoint(kX, kY), kDiameter), true, 1), DotFootprint());
}

// The outline of the same circle with a size-28 pen stamped along it.
void BM_DrawCircleOutlinePen28(benchmark::State& state) {
    TPenObject pen;
    pen.SetSize(28);
    Shape(state, EllipseShape(CircleBox(QPoint(kX, kY), kDiameter), false, 28), pen.Footprint(28));
}

// Reference: one memset per row of the circle's bounding box.
void BM_DrawCircleBoxMemset(benchmark::State& state) {
    TDocument& doc = A0(8);
    TChange change(doc, 0);
    TOrvaneBitmap& picture = change.Picture();
    const QRect box = CircleBox(QPoint(kX, kY), kDiameter);
    int value = 0;
    for (auto _ : state) {
        ++value;
        for (int y = box.top(); y <= box.bottom(); ++y)
            std::memset(picture.ScanLine(y) + box.left(), value & 0xFF, size_t(box.width()));
        benchmark::ClobberMemory();
    }
    change.Fail();
}

// The whole filled circle through the tool: two clicks, its undo record, and undo.
void BM_DrawFilledCircleWithUndo(benchmark::State& state) {
    TDocument& doc = A0(8);
    TDrawTool tool;
    TToolContext context;
    context.Document = &doc;
    context.Colour = TCurrentColour::OfIndex(40);
    TDrawSettings settings;
    ChooseDrawFunction(settings, DrawCircle);
    settings.Fill = true;
    tool.SetSettings(context, settings);
    for (auto _ : state) {
        tool.MouseDown(context, At(kX, kY));
        tool.MouseDown(context, At(kX + kDiameter, kY));
        doc.Undo();
    }
}

} // namespace

BENCHMARK(BM_DrawFilledCircle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawCircleBoxMemset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawCircleOutlinePen28)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawFilledCircleWithUndo)->Unit(benchmark::kMillisecond);
