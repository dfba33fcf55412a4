// Printing an A0 160-dpi design (4992 x 7040) into a PDF in memory: fitted on one A4
// sheet and tiled at true size over A4 sheets. The design is painted band by band,
// so neither run builds a picture of the whole design.
#include "A0document.h"
#include "shell/Printpaint.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

namespace {

// Sheet labels are text, and text needs a GUI application (offscreen: no display).
void NeedFonts() {
    static int argc = 1;
    static char name[] = "velmora_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

void PrintA0(benchmark::State& state) {
    NeedFonts();
    TPrintSettings settings;
    settings.Layout = TPrintLayout(state.range(1));
    const TPrintJob job = PrintJobOf(A0(int(state.range(0))), settings);
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QPdfWriter writer(&out);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        benchmark::DoNotOptimize(PaintPrint(writer, job));
        bytes = out.size();
    }
    state.counters["pdf_MB"] = double(bytes) / 1e6;
}
BENCHMARK(PrintA0)
    ->ArgsProduct({{8, 24}, {int(TPrintLayout::Fit), int(TPrintLayout::Tile)}})
    ->ArgNames({"bits", "layout"})
    ->Unit(benchmark::kMillisecond);

} // namespace
