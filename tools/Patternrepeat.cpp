#include "tools/Patternrepeat.h"

#include "shell/Capture.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "tools/Fillpaint.h"
#include "tools/Superimpose.h"

#include <QPolygon>
#include <algorithm>
#include <cstring>
#include <random>

namespace {
uint32_t Reported(uint32_t code) {
    if (code) ReportError(code);
    return code;
}

// Copies source into out with its columns and/or rows reversed.
bool Flipped(const TFloating& source, bool mirror, bool upDown, TFloating& out) {
    const int w = source.Width(), h = source.Height(), bytes = source.Image.BitsPerPixel / 8;
    if (!out.Allocate(w, h, source.Image.BitsPerPixel)) return false;
    for (int y = 0; y < h; ++y) {
        const int sy = upDown ? h - 1 - y : y;
        const uint8_t *pixels = source.Image.ScanLine(sy), *mask = source.Mask.ScanLine(sy);
        uint8_t *to = out.Image.ScanLine(y), *toMask = out.Mask.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int sx = mirror ? w - 1 - x : x;
            std::memcpy(to + x * bytes, pixels + sx * bytes, size_t(bytes));
            toMask[x] = mask[sx];
        }
    }
    return true;
}

uint32_t Write(TChange& change, const TFloating& motif, QPoint at, const TSuperimposeRule& rule) {
    const QRect area = QRect(at, QSize(motif.Width(), motif.Height()))
                           .intersected(QRect(0, 0, change.Picture().Width, change.Picture().Height));
    if (area.isEmpty()) return 0;
    const int bytes = motif.Image.BitsPerPixel / 8;
    QRect touched;
    const uint32_t code = Superimpose(
        change, area,
        [&](int x, int y) {
            const int px = x - at.x(), py = y - at.y();
            return TPieceRow{motif.Image.ScanLine(py) + size_t(px) * size_t(bytes),
                             motif.Mask.ScanLine(py) + px};
        },
        rule, &touched);
    if (!code && touched.isValid()) change.Touch(touched);
    return code;
}
} // namespace

uint32_t MakePatternMotif(const TDocument& document, const TPatternSettings& settings, TFloating& out) {
    out.Release();
    const TCaptureList& captures = CapturedImages();
    if (captures.Empty()) return ErrorCode::NoCaptures;
    if (settings.Motif >= captures.Count()) return ErrorCode::BadPattern; // the capture is gone
    const bool mirror = settings.Direction == PatternMirror || settings.Direction == PatternBoth;
    const bool upDown = settings.Direction == PatternUpDown || settings.Direction == PatternBoth;
    const TCapturedImage& capture = captures.At(settings.Motif);
    if (!mirror && !upDown) return MakeFillPattern(capture, document.BitsPerPixel(), document.Palette(), out);
    TFloating plain;
    if (const uint32_t code = MakeFillPattern(capture, document.BitsPerPixel(), document.Palette(), plain))
        return code;
    return Flipped(plain, mirror, upDown, out) ? 0 : ErrorCode::OutOfMemory;
}

std::vector<QPoint> PatternPlaces(const TPatternSettings& settings, QSize motif, QPoint point, QSize canvas) {
    std::vector<QPoint> corners;
    if (motif.isEmpty() || canvas.isEmpty()) return corners;
    const QPoint handle(std::min(settings.Handle.x(), motif.width() - 1),
                        std::min(settings.Handle.y(), motif.height() - 1));
    const QPoint anchor = point - handle;
    const bool regular = settings.Function == PatternRegular;
    const int stepX = regular ? motif.width() : std::max(settings.Value, 1);
    const int stepY = regular ? motif.height() : std::max(settings.Value, 1);
    // The first grid column and row left of the canvas by a motif and a step (floor division).
    auto first = [](int from, int step, int reach) {
        const int d = from - reach;
        return from - (d >= 0 ? d / step : (d - step + 1) / step) * step;
    };
    const int x0 = first(anchor.x(), stepX, -motif.width() - stepX);
    const int y0 = first(anchor.y(), stepY, -motif.height() - stepY);
    std::mt19937 random(settings.Seed);
    for (int y = y0; y < canvas.height(); y += stepY)
        for (int x = x0; x < canvas.width(); x += stepX) {
            if (regular) {
                corners.emplace_back(x, y);
                continue;
            }
            const int dx = int(random() % uint32_t(stepX)), dy = int(random() % uint32_t(stepY));
            corners.emplace_back(x + dx - stepX / 2, y + dy - stepY / 2);
        }
    return corners;
}

uint32_t PlaceMotif(TDocument& document, const TFloating& motif, const std::vector<QPoint>& corners,
                    const TSuperimposeRule& rule) {
    QRect reach;
    for (const QPoint& c : corners)
        reach |= QRect(c, QSize(motif.Width(), motif.Height()));
    reach &= document.Bounds();
    if (reach.isEmpty()) return 0;
    TChange change(document, reach);
    for (const QPoint& c : corners)
        if (const uint32_t code = Write(change, motif, c, rule)) return code; // the change drops itself
    change.Commit();
    return 0;
}

uint32_t SprayMotif(TDocument& document, const TFloating& motif, const std::vector<QPoint>& path, int spacing,
                    const TSuperimposeRule& rule) {
    const std::vector<TPatternStamp> stamps = SprayStamps(path, spacing);
    if (stamps.empty()) return 0;
    QRect reach;
    for (const TPatternStamp& s : stamps)
        reach |= QRect(s.At, QSize(1, 1));
    const int radius = int(std::hypot(motif.Width(), motif.Height()) / 2) + 2; // a turned motif's reach
    reach = reach.adjusted(-radius, -radius, radius, radius) & document.Bounds();
    if (reach.isEmpty()) return 0;
    TChange change(document, reach);
    TFloating turned;
    for (const TPatternStamp& s : stamps) {
        const TFloating* piece = &motif;
        if (s.Angle) { // the design's y grows downwards: travel clockwise is a negative turn
            if (const uint32_t code = RotateFloating(motif, -s.Angle / 100.0, turned)) return code;
            piece = &turned;
        }
        const QPoint at = s.At - QPoint(piece->Width() / 2, piece->Height() / 2);
        if (const uint32_t code = Write(change, *piece, at, rule)) return code;
    }
    change.Commit();
    return 0;
}

TPatternRepeatTool::~TPatternRepeatTool() {
    if (OnGone) OnGone();
}

void TPatternRepeatTool::SetSettings(const TPatternSettings& settings) {
    SettingsV = settings;
    SettingsV.Clamp();
}

void TPatternRepeatTool::SelectHandle(const QRect& box) {
    HandleBox = box;
}

void TPatternRepeatTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (!context.Document || p.Button != ButtonLeft) return;
    const QPoint point(p.X, p.Y);
    if (HandleBox.isValid()) { // a click outside the box is ignored and the selection stays
        if (!HandleBox.contains(point)) return;
        SettingsV.Handle = HandleFromClick(point, HandleBox, SettingsV.Direction);
        HandleBox = QRect();
        if (OnHandle) OnHandle();
        return;
    }
    TDocument& doc = *context.Document;
    PathV.clear();
    if (Reported(MakePatternMotif(doc, SettingsV, Motif))) return;
    if (SettingsV.Function != PatternSpray) {
        const QSize size(Motif.Width(), Motif.Height());
        const TSuperimposeRule rule{context.Super, context.Overlap};
        Reported(PlaceMotif(doc, Motif, PatternPlaces(SettingsV, size, point, doc.Bounds().size()), rule));
        Motif.Release();
        return;
    }
    PathV = {point};
}

void TPatternRepeatTool::MouseMove(TToolContext& context, const TToolPointer& p) {
    if (PathV.empty() || !(p.Buttons & ButtonLeft)) return;
    PathV.emplace_back(p.X, p.Y);
    ShowPath(context);
}

void TPatternRepeatTool::MouseUp(TToolContext& context, const TToolPointer& p) {
    if (PathV.empty() || !context.Document) return;
    if (PathV.back() != QPoint(p.X, p.Y)) PathV.emplace_back(p.X, p.Y);
    const std::vector<QPoint> path = std::move(PathV);
    PathV.clear();
    ShowPath(context);
    Reported(SprayMotif(*context.Document, Motif, path, SettingsV.Spacing, {context.Super, context.Overlap}));
    Motif.Release();
}

void TPatternRepeatTool::ShowPath(TToolContext& context) const {
    if (!context.View) return;
    std::vector<QPolygon> lines;
    if (PathV.size() > 1) lines.emplace_back(QPolygon(QList<QPoint>(PathV.begin(), PathV.end())));
    context.View->ShowShape(lines);
}

void TPatternRepeatTool::Finish(TToolContext& context) {
    Cancel(context);
}

void TPatternRepeatTool::Cancel(TToolContext& context) {
    PathV.clear();
    Motif.Release();
    HandleBox = QRect();
    ShowPath(context);
}
