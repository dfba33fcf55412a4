// A scan of A4 at 300 dpi (2480 x 3508, photograph-like) put into the top left of
// A0 160-dpi designs: as it is into full colour, and reduced to 250 colours by
// median cut into a 256-colour design. Each run is one guarded change, undone
// (untimed) before the next.
#include "A0document.h"
#include "Photo.h"
#include "shell/Exception.h"
#include "shell/Scanning.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr int kScanWidth = 2480, kScanHeight = 3508;

const QImage& A4Scan() {
    static const QImage scan = [] {
        QImage image(kScanWidth, kScanHeight, QImage::Format_RGB888);
        const std::vector<uint8_t>& photo = Photo24(); // blue, green, red
        for (int y = 0; y < kScanHeight; ++y) {
            const uint8_t* s = photo.data() + size_t(y) * kA0Width * 3;
            uint8_t* d = image.scanLine(y);
            for (int x = 0; x < kScanWidth; ++x)
                d[3 * x] = s[3 * x + 2], d[3 * x + 1] = s[3 * x + 1], d[3 * x + 2] = s[3 * x];
        }
        return image;
    }();
    return scan;
}

void BM_ScanIntoDesign(benchmark::State& state) {
    SetErrorPresenter(StderrPresenter);
    TDocument& doc = A0(int(state.range(0)));
    const QImage& scan = A4Scan();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScanIntoDesign(doc, scan));
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kScanWidth) * kScanHeight);
}
BENCHMARK(BM_ScanIntoDesign)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
