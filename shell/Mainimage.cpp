#include "shell/Mainimage.h"

#include "platform/Memorybudget.h"
#include "shell/Exception.h"
#include "shell/Filetypes.h"

#include <QLocale>
#include <algorithm>
#include <atomic>
#include <cmath>

namespace {
constexpr TZoom kSteps[kZoomSteps] = {{1, 16}, {1, 8}, {1, 4}, {1, 2}, {1, 1},
                                      {2, 1},  {4, 1}, {8, 1}, {16, 1}};
std::atomic<int> g_documents{0};
} // namespace

TZoom ZoomStep(int step) {
    return kSteps[std::clamp(step, 0, kZoomSteps - 1)];
}

int ZoomStepOf(const TZoom& zoom) {
    for (int i = 0; i < kZoomSteps; ++i)
        if (kSteps[i] == zoom) return i;
    return -1;
}

TZoom ZoomIn(const TZoom& zoom) {
    const int step = ZoomStepOf(zoom);
    return step < 0 || step == kZoomSteps - 1 ? zoom : kSteps[step + 1];
}

TZoom ZoomOut(const TZoom& zoom) {
    const int step = ZoomStepOf(zoom);
    return step <= 0 ? zoom : kSteps[step - 1];
}

QString ZoomText(const TZoom& zoom) {
    if (zoom.Out > 1) return QStringLiteral("Zoom : 1/%1").arg(zoom.Out);
    return QStringLiteral("Zoom : %1").arg(zoom.In);
}

int NextUnit(int unit) {
    return unit == UnitDot ? UnitInch : unit == UnitInch ? UnitCm : UnitDot;
}

QString UnitCaption(const QString& caption, int unit) {
    return caption + QStringLiteral(" : ") + UnitName(unit);
}

QString SizePanelText(const TPaper& paper, int unit) {
    QString name, size;
    FormatPaper(paper, unit, name, size);
    return QStringLiteral("Size : ") + size;
}

QString DpiPanelText(const TPaper& paper) {
    return QString::asprintf("DPI : %d", paper.dpi);
}

QString PointerText(int x, int y, int imageHeight, int unit, int dpi) {
    const int px = x + 1, py = imageHeight - y;
    if (unit == UnitDot || dpi <= 0) return QString::asprintf("%d : %d", px, py);
    return QString::asprintf("%f : %f", DotsToLength(px, unit, dpi), DotsToLength(py, unit, dpi));
}

QString ClockPanelText(const QDateTime& time) {
    return QLocale::c().toString(time, QStringLiteral("yyyy-MM-dd AP hh-mm-ss"));
}

QString DocumentCaption(const QString& directory, const QString& fileName, int bitsPerPixel) {
    QString caption = directory.isEmpty()                    ? fileName
                      : directory.endsWith(QLatin1Char('/')) ? directory + fileName
                                                             : directory + QLatin1Char('/') + fileName;
    return caption + (bitsPerPixel == 8 ? QStringLiteral(" - 256 Colors") : QStringLiteral(" - Full Colors"));
}

QString NonameFileName(int documentNumber, int bitsPerPixel) {
    return QStringLiteral("Noname%1%2").arg(documentNumber).arg(bitsPerPixel == 8 ? ".tex" : ".tfc");
}

QString OpenedFileName(const QString& fileName, int type, int bitsPerPixel) {
    if (type == TypeT3d) return ReplaceExtension(fileName, QStringLiteral(".t3d"));
    if (type == TypeCpt && bitsPerPixel != 24) return ReplaceExtension(fileName, QStringLiteral(".cpt"));
    return ReplaceExtension(fileName, bitsPerPixel == 24 ? QStringLiteral(".tfc") : QStringLiteral(".tex"));
}

int NextDocumentNumber() {
    return g_documents++;
}

uint32_t NewCanvasDesign(TDesignRef design, const TPaper& paper, int bitsPerPixel,
                         const TCurrentColour& colour) {
    if (bitsPerPixel != 8 && bitsPerPixel != 24) return ErrorCode::OutOfMemory;
    TPaper p = paper;
    if (p.type != kPaperCustom) SetPaper(p, p.type);
    if (!PictureFitsInMemory(p.width, p.height, bitsPerPixel)) return ErrorCode::CanvasTooLarge;
    LoadDefaultPalette(design.Palette);
    TRGBQuad quads[256];
    design.Palette.GetQuads(quads);
    if (!design.Image.Allocate(p.width, p.height, quads, bitsPerPixel)) return ErrorCode::OutOfMemory;
    design.Image.FillRect(colour.Pixel(bitsPerPixel, design.Palette), QRect(0, 0, p.width, p.height));
    design.Paper = p;
    return 0;
}

uint32_t ResizeDesign(TDesignRef design, int width, int height, int dpi) {
    if (dpi < kMinDpi || dpi > kMaxDpi || !BitmapSizeAllowed(width, height, design.Image.BitsPerPixel))
        return ErrorCode::OutOfMemory;
    if (!PictureFitsInMemory(width, height, design.Image.BitsPerPixel)) return ErrorCode::CanvasTooLarge;
    if (!design.Image.Stretch(width, height, true)) return ErrorCode::OutOfMemory;
    design.Paper.dpi = uint16_t(dpi);
    SetPaper(design.Paper, kPaperCustom, width, height);
    return 0;
}

uint32_t EnlargeDesign(TDesignRef design, int width, int height, uint32_t fill) {
    if (!BitmapSizeAllowed(width, height, design.Image.BitsPerPixel)) return ErrorCode::OutOfMemory;
    if (!PictureFitsInMemory(width, height, design.Image.BitsPerPixel)) return ErrorCode::CanvasTooLarge;
    if (!design.Image.ResizeCanvas(width, height, fill)) return ErrorCode::OutOfMemory;
    SetPaper(design.Paper, kPaperCustom, width, height);
    return 0;
}

QString UnitLengthText(int dots, int dpi, int unit, const QString& cmFormat, const QString& inchFormat,
                       const QString& dotFormat) {
    if (unit != UnitCm && unit != UnitInch) return QString::asprintf(dotFormat.toLatin1().constData(), dots);
    const QString& format = unit == UnitCm ? cmFormat : inchFormat;
    return QString::asprintf(format.toLatin1().constData(), DotsToLength(dots, unit, dpi));
}

std::vector<TRulerTick> RulerTicks(int first, int canvasLength, int zoomIn, int zoomOut, int unit, int dpi,
                                   bool fromEnd, int imageLength) {
    std::vector<TRulerTick> ticks;
    if (canvasLength <= 0 || zoomIn <= 0 || zoomOut <= 0 || dpi <= 0) return ticks;
    const double dotsPerUnit = LengthToDots(1.0, unit, dpi);
    if (dotsPerUnit <= 0) return ticks;
    const double canvasPerUnit = dotsPerUnit * zoomIn / zoomOut;
    // Long marks at least 60 canvas pixels apart, on 1-2-5 steps; short marks at
    // a tenth, a fifth or a half of that while they stay 5 pixels apart.
    double major = 1;
    for (int k = 0; major * canvasPerUnit < 60 && k < 40; ++k)
        major *= (k % 3 == 1) ? 2.5 : 2;
    double minor = major;
    for (double part : {10.0, 5.0, 2.0})
        if (major / part * canvasPerUnit >= 5) {
            minor = major / part;
            break;
        }
    auto canvasOf = [&](double units) {
        const double dots = units * dotsPerUnit;
        const double picture = fromEnd ? imageLength - dots : dots;
        return int((picture - first) * zoomIn / zoomOut);
    };
    const double firstUnits =
        (fromEnd ? imageLength - first - double(canvasLength) * zoomOut / zoomIn : first) / dotsPerUnit;
    const double lastUnits =
        (fromEnd ? imageLength - first : first + double(canvasLength) * zoomOut / zoomIn) / dotsPerUnit;
    const long start = long(std::floor(firstUnits / minor)), stop = long(std::ceil(lastUnits / minor));
    const int perMajor = int(std::lround(major / minor));
    for (long i = std::max(0L, start); i <= stop && ticks.size() < 4096; ++i) {
        const int pos = canvasOf(double(i) * minor);
        if (pos < 0 || pos >= canvasLength) continue;
        TRulerTick t;
        t.Pos = pos;
        t.Major = i % perMajor == 0;
        if (t.Major) t.Label = QString::number(double(i) * minor, 'g', 6);
        ticks.push_back(t);
    }
    return ticks;
}
