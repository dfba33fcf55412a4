// Frames of a 1024 x 768 view over an A0 8-bit design, against QPainter::drawImage
// scaling the same visible region (the plane wrapped as an Indexed8 image), and the
// same windows in the half-drop repeat displays against the normal display.
#include "Planes.h"
#include "raster/Tpimage.h"

#include <QPainter>
#include <benchmark/benchmark.h>

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
