// Frames of a 1024 x 768 view over an A0 8-bit design, against QPainter::drawImage
// scaling the same visible region (the plane wrapped as an Indexed8 image), and the
// same windows in the half-drop repeat displays against the normal display.
//
// With VELMORA_BENCH_LARGE=1 also an A0 1000-dpi design (31200 x 44000, 1.37 GB):
// view frames at 1:16, 1:1 and 16:1, the half drop at 1:16, the full view's 200 x 150
// preview, a pen stroke with its undo record and the whole-picture record a stroke
// used to make, beside a memcpy of the viewport's pixels.
#include "Planes.h"
#include "raster/Tpimage.h"
#include "raster/Tpstretchimage.h"
#include "shell/Tdocument.h"
#include "tools/Pentool.h"

#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kViewW = 1024, kViewH = 768;

struct Design {
    TOrvaneBitmap Bitmap;
    QImage Indexed; // shares the bitmap's pixels
};

const Design& TheDesign() {
    static Design* d = [] {
        auto* out = new Design;
        TRGBQuad palette[256];
        for (int i = 0; i < 256; ++i)
            palette[i] = TRGBQuad{uint8_t(i * 37), uint8_t(i * 91), uint8_t(i * 151), 0};
        out->Bitmap.Allocate(kA0Width, kA0Height, palette, 8);
        const std::vector<uint8_t> plane = TextilePlane8();
        out->Bitmap.PutRows(plane.data(), kA0Width, false);
        const TOrvaneBitmap& b = out->Bitmap;
        out->Indexed = QImage(b.Handle.Bits, b.Width, b.Height, b.BytesPerLine(), QImage::Format_Indexed8);
        QList<QRgb> table;
        for (const TRGBQuad& q : palette)
            table.append(qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue));
        out->Indexed.setColorTable(table);
        return out;
    }();
    return *d;
}

// Cases: 0 = 16:1 in the middle, 1 = 1:16 (whole design), 2 = 1:1 with a grid every
// 8 pixels and marks every 5 cells (a gap-1 grid is not drawn below 5:1), 3 = 1:8 from
// the corner (the normal display shows the design and the face colour beside it, the
// repeat displays the seams of six tiles).
struct Case {
    int ZoomIn, ZoomOut, X, Y;
    bool Grid;
};
constexpr Case kCases[] = {
    {16, 1, 2000, 3000, false}, {1, 16, 0, 0, false}, {1, 1, 1500, 2500, true}, {1, 8, 0, 0, false}};

void Configure(TImageView& view, const Case& c) {
    view.Bitmap = &TheDesign().Bitmap;
    view.SetSize(kViewW, kViewH);
    view.SetZoom(c.ZoomIn, c.ZoomOut, QPoint(0, 0));
    view.SetPosition(c.X, c.Y);
    view.GridSettings = {c.Grid, MakeColorRef(0, 0, 0), 8.0, 8.0, 5, MakeColorRef(255, 0, 0)};
}

// Arguments: the case and the display (TRepeatKind: 0 normal, 2 and 3 the half drops).
void BM_ViewRender(benchmark::State& state) {
    TImageView view;
    Configure(view, kCases[state.range(0)]);
    view.SetRepeat(int(state.range(1)));
    for (auto _ : state) {
        QImage frame = view.Render(TheDesign().Bitmap);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

// The reference: one drawImage of the visible region into a frame, plus the grid lines
// drawn with QPainter when the case has them.
void BM_QtDrawImage(benchmark::State& state) {
    const Case& c = kCases[state.range(0)];
    TImageView view;
    Configure(view, c);
    const int vw = std::min(view.ViewW(), kA0Width - view.PositionX());
    const int vh = std::min(view.ViewH(), kA0Height - view.PositionY());
    const QRectF target(0, 0, vw * c.ZoomIn / c.ZoomOut, vh * c.ZoomIn / c.ZoomOut);
    const QRectF source(view.PositionX(), view.PositionY(), vw, vh);
    for (auto _ : state) {
        QImage frame(kViewW, kViewH, QImage::Format_RGB32);
        QPainter p(&frame);
        p.fillRect(frame.rect(), QColor(240, 240, 240));
        p.drawImage(target, TheDesign().Indexed, source);
        if (c.Grid) {
            p.setPen(Qt::black);
            for (int x = 0; x < target.width(); x += 8)
                p.drawLine(x, 0, x, int(target.height()) - 1);
            for (int y = 0; y < target.height(); y += 8)
                p.drawLine(0, y, int(target.width()) - 1, y);
            p.setPen(Qt::red);
            for (int x = 0; x < target.width(); x += 40)
                p.drawLine(x, 0, x, int(target.height()) - 1);
            for (int y = 0; y < target.height(); y += 40)
                p.drawLine(0, y, int(target.width()) - 1, y);
        }
        p.end();
        benchmark::DoNotOptimize(frame.constBits());
    }
}

} // namespace

BENCHMARK(BM_ViewRender)
    ->ArgsProduct({{0, 1, 2, 3}, {RepeatOff, RepeatDropVertical, RepeatDropHorizontal}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtDrawImage)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

namespace {

constexpr int kLargeW = 31200, kLargeH = 44000;

// The 1000-dpi design: diagonal bands of 64-pixel cells in 40 colours, attached to the undo store.
TDocument& Large() {
    static TDocument* doc = [] {
        auto* d = new TDocument;
        TPaper paper;
        paper.dpi = 1000;
        SetPaper(paper, kPaperCustom, kLargeW, kLargeH);
        d->NewCanvas(paper, 8, TCurrentColour());
        TChange fill(*d, 0);
        std::vector<uint8_t> row(size_t(kLargeW) + 64 * 40);
        for (size_t x = 0; x < row.size(); ++x)
            row[x] = uint8_t(2 + (x / 64) % 40);
        for (int y = 0; y < kLargeH; ++y)
            std::memcpy(fill.Picture().ScanLine(y), row.data() + (y / 64 % 40) * 64, size_t(kLargeW));
        fill.Commit();
        return d;
    }();
    doc->AttachUndo();
    return *doc;
}

// Arguments: zoom in, zoom out, repeat kind; the view sits in the middle of the design.
void BM_LargeViewRender(benchmark::State& state) {
    TImageView view;
    view.Bitmap = &Large().Picture();
    view.SetSize(kViewW, kViewH);
    view.SetRepeat(int(state.range(2)));
    view.SetZoom(int(state.range(0)), int(state.range(1)), QPoint(0, 0));
    view.SetPosition(kLargeW / 2, kLargeH / 2);
    for (auto _ : state) {
        QImage frame = view.Render(*view.Bitmap);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void BM_LargeFullView(benchmark::State& state) {
    TStretchView preview;
    preview.SetBitmap(&Large().Picture());
    preview.SetSize(200, 150);
    for (auto _ : state) {
        QImage frame = preview.Render();
        benchmark::DoNotOptimize(frame.constBits());
    }
    preview.SetBitmap(nullptr);
}

TToolPointer Point(int x, int y) {
    TToolPointer p;
    p.X = x, p.Y = y, p.Button = p.Buttons = ButtonLeft;
    return p;
}

// A size-28 stroke of 2000 pixels, press to release with its undo record; undo is untimed.
void BM_LargePenStroke(benchmark::State& state) {
    TDocument& doc = Large();
    TPenObject pen;
    pen.SetSize(28);
    TPenTool tool(nullptr);
    TToolContext context;
    context.Document = &doc;
    context.Pen = &pen;
    context.Colour = TCurrentColour::OfIndex(40);
    const int x0 = kLargeW / 2, y0 = kLargeH / 2;
    for (auto _ : state) {
        tool.MouseDown(context, Point(x0, y0));
        for (int x = x0 + 10; x <= x0 + 2000; x += 10)
            tool.MouseMove(context, Point(x, y0 + (x - x0) / 8));
        tool.MouseUp(context, Point(x0 + 2000, y0 + 250));
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
    }
}

// What a stroke cost when its press recorded the whole picture: the record and its undo.
void BM_LargeWholeRecord(benchmark::State& state) {
    TDocument& doc = Large();
    for (auto _ : state) {
        TChange change(doc);
        change.Touch(QRect(0, 0, 1, 1));
        change.Commit();
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
    }
}

void BM_MemcpyViewport(benchmark::State& state) {
    std::vector<uint32_t> from(size_t(kViewW) * kViewH, 7), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * 4);
        benchmark::DoNotOptimize(to.data());
    }
}

[[maybe_unused]] const bool kLargeRegistered = [] {
    if (!std::getenv("VELMORA_BENCH_LARGE")) return false;
    benchmark::RegisterBenchmark("BM_LargeViewRender", BM_LargeViewRender)
        ->Args({1, 16, RepeatOff})
        ->Args({1, 1, RepeatOff})
        ->Args({16, 1, RepeatOff})
        ->Args({1, 16, RepeatDropVertical})
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_LargeFullView", BM_LargeFullView)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_LargePenStroke", BM_LargePenStroke)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_LargeWholeRecord", BM_LargeWholeRecord)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_MemcpyViewport", BM_MemcpyViewport)->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
