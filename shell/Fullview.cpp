#include "shell/Fullview.h"

#include "platform/Inifile.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {
const QString kGrid = QStringLiteral("Grid");
constexpr int kMaxPresets = 1000;
constexpr double kMaxGap = 100000.0;

bool ValidSetup(const TGridSetup& s) {
    return s.Unit >= 0 && s.Unit <= 2 && s.GapX > 0 && s.GapX <= kMaxGap && s.GapY > 0 && s.GapY <= kMaxGap &&
           s.LinesPerSection >= 0 && s.Color <= 0xFFFFFF && s.SectionColor <= 0xFFFFFF;
}

// One axis of the preview mapping: preview length, picture length, visible length.
int AxisScroll(int p, int previewLen, int imageLen, int visibleLen) {
    const int range = std::max(0, imageLen - visibleLen);
    p = std::clamp(p, 0, std::max(0, previewLen));
    if (p < 10) return 0;
    if (p > previewLen - 10) return range;
    if (previewLen - 20 <= 0) return 0;
    return int(int64_t(range) * (p - 10) / (previewLen - 20));
}
} // namespace

int NextSuperMode(int mode) {
    return mode >= 0 && mode < 3 ? mode + 1 : (mode == 3 ? 0 : 1);
}

int NextTapeline(int state) {
    switch (state) {
    case 0:
        return 3;
    case 3:
        return 1;
    case 1:
        return 2;
    default:
        return 0;
    }
}

int SuperCaptionIndex(int mode) {
    return 5 + std::clamp(mode, 0, 3);
}

int TapelineCaptionIndex(int state) {
    return 9 + std::clamp(state, 0, 3);
}

int ClampOverlap(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || std::isnan(v)) return 0;
    return int(std::clamp(v, 0.0, 100.0));
}

TZoom TrackZoom(int position) {
    return ZoomStep(std::clamp(position, 0, kZoomSteps - 1));
}

QString TrackZoomLabel(int position) {
    const TZoom z = TrackZoom(position);
    return z.Out > 1 ? QStringLiteral("1/%1").arg(z.Out) : QString::number(z.In);
}

int TrackPositionOf(const TZoom& zoom) {
    const int step = ZoomStepOf(zoom);
    return step < 0 ? 4 : step;
}

int TPreviewGeometry::VisibleW() const {
    if (ZoomIn < 1 || ZoomOut < 1) return 0;
    return int(std::min<int64_t>(ImageW, int64_t(std::max(0, ViewW)) * ZoomOut / ZoomIn));
}

int TPreviewGeometry::VisibleH() const {
    if (ZoomIn < 1 || ZoomOut < 1) return 0;
    return int(std::min<int64_t>(ImageH, int64_t(std::max(0, ViewH)) * ZoomOut / ZoomIn));
}

QPoint PreviewToScroll(const TPreviewGeometry& g, QPoint preview) {
    const int vh = g.VisibleH();
    const int x = AxisScroll(preview.x(), g.PreviewW, g.ImageW, g.VisibleW());
    int y = AxisScroll(preview.y(), g.PreviewH, g.ImageH, vh);
    if (g.BottomUp) y = std::max(0, g.ImageH - vh) - y;
    return QPoint(x, y);
}

QRect VisibleFrame(const TPreviewGeometry& g, QPoint scroll) {
    if (g.ImageW <= 0 || g.ImageH <= 0 || g.PreviewW <= 0 || g.PreviewH <= 0) return QRect();
    const int vw = g.VisibleW(), vh = g.VisibleH();
    const int top = g.BottomUp ? g.ImageH - vh - scroll.y() : scroll.y();
    const auto toX = [&](int v) { return int(int64_t(v) * g.PreviewW / g.ImageW); };
    const auto toY = [&](int v) { return int(int64_t(v) * g.PreviewH / g.ImageH); };
    return QRect(QPoint(toX(scroll.x()), toY(top)), QPoint(toX(scroll.x() + vw) - 1, toY(top + vh) - 1));
}

TGridSetup ReadGridSetup(const TIniFile& ini) {
    TGridSetup s;
    s.Unit = ini.ReadInteger(kGrid, QStringLiteral("Unit"), 0);
    s.GapX = ini.ReadFloat(kGrid, QStringLiteral("GapX"), 1.0);
    s.GapY = ini.ReadFloat(kGrid, QStringLiteral("GapY"), 1.0);
    s.Color = TColorRef(ini.ReadInteger(kGrid, QStringLiteral("Color"), 0));
    s.LinesPerSection = ini.ReadInteger(kGrid, QStringLiteral("LinesPerSection"), 0);
    s.SectionColor = TColorRef(ini.ReadInteger(kGrid, QStringLiteral("SectionColor"), 0));
    // Each value falls back on its own, so one bad key does not lose the rest.
    const TGridSetup def;
    if (s.Unit < 0 || s.Unit > 2) s.Unit = def.Unit;
    if (!(s.GapX > 0 && s.GapX <= kMaxGap)) s.GapX = def.GapX;
    if (!(s.GapY > 0 && s.GapY <= kMaxGap)) s.GapY = def.GapY;
    if (s.Color > 0xFFFFFF) s.Color = def.Color;
    if (s.LinesPerSection < 0) s.LinesPerSection = def.LinesPerSection;
    if (s.SectionColor > 0xFFFFFF) s.SectionColor = def.SectionColor;
    return s;
}

void WriteGridSetup(TIniFile& ini, const TGridSetup& s) {
    ini.WriteInteger(kGrid, QStringLiteral("Unit"), s.Unit);
    ini.WriteFloat(kGrid, QStringLiteral("GapX"), s.GapX);
    ini.WriteFloat(kGrid, QStringLiteral("GapY"), s.GapY);
    ini.WriteInteger(kGrid, QStringLiteral("Color"), int(s.Color));
    ini.WriteInteger(kGrid, QStringLiteral("LinesPerSection"), s.LinesPerSection);
    ini.WriteInteger(kGrid, QStringLiteral("SectionColor"), int(s.SectionColor));
}

QStringList ReadGridCatalog(const TIniFile& ini) {
    const int count = ini.ReadInteger(kGrid, QStringLiteral("Catalog-Count"), 0);
    QStringList presets;
    for (int i = 0; i < std::min(count, kMaxPresets); ++i)
        presets << ini.ReadString(kGrid, QStringLiteral("Catalog-%1").arg(i), QString());
    return presets;
}

void WriteGridCatalog(TIniFile& ini, const QStringList& presets) {
    const int old = std::min(ini.ReadInteger(kGrid, QStringLiteral("Catalog-Count"), 0), kMaxPresets);
    const int count = int(std::min<qsizetype>(presets.size(), kMaxPresets));
    for (int i = count; i < old; ++i)
        ini.DeleteKey(kGrid, QStringLiteral("Catalog-%1").arg(i));
    ini.WriteInteger(kGrid, QStringLiteral("Catalog-Count"), count);
    for (int i = 0; i < count; ++i)
        ini.WriteString(kGrid, QStringLiteral("Catalog-%1").arg(i), presets[i]);
}

QString GridPresetText(const TGridSetup& s) {
    static const char* const names[3] = {"Dot", "Inch", "Cm"};
    return QString::asprintf("%s) %f x %f", names[std::clamp(s.Unit, 0, 2)], s.GapX, s.GapY);
}

bool ParseGridPreset(const QString& text, TGridSetup& setup) {
    TGridSetup s = setup; // a preset names the unit and the gaps; colours and sections stay
    if (text.count(QLatin1Char(';')) == 5) { // the longer form written by earlier versions
        const QStringList parts = text.split(QLatin1Char(';'));
        bool ok[6];
        s.Unit = parts[0].trimmed().toInt(&ok[0]);
        s.GapX = parts[1].trimmed().toDouble(&ok[1]);
        s.GapY = parts[2].trimmed().toDouble(&ok[2]);
        s.Color = parts[3].trimmed().toUInt(&ok[3]);
        s.LinesPerSection = parts[4].trimmed().toInt(&ok[4]);
        s.SectionColor = parts[5].trimmed().toUInt(&ok[5]);
        if (!std::all_of(ok, ok + 6, [](bool b) { return b; })) return false;
    } else {
        // "Dot) 1.000000 x 1.000000": split at ")", "x" and blanks.
        static const QRegularExpression separators(QStringLiteral("[)x\\s]+"));
        const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
        if (parts.size() != 3 || !text.contains(QLatin1Char(')'))) return false;
        bool okX = false, okY = false;
        s.GapX = parts[1].toDouble(&okX);
        s.GapY = parts[2].toDouble(&okY);
        if (!okX || !okY) return false;
        s.Unit = parts[0] == QLatin1String("Cm") ? 2 : parts[0] == QLatin1String("Inch") ? 1 : 0;
    }
    if (!ValidSetup(s)) return false;
    setup = s;
    return true;
}

double GapToPixels(double gap, int unit, int dpi) {
    if (dpi <= 0) return 0;
    switch (unit) {
    case 0:
        return gap;
    case 1:
        return gap * dpi;
    case 2:
        return gap * dpi / 2.54;
    default:
        return 0;
    }
}

QString GapLabel(double gap) {
    return QString::number(gap, 'g', 6);
}

double ConvertGap(double gap, int fromUnit, int toUnit, int dpi) {
    const double pixels = GapToPixels(gap, fromUnit, dpi);
    const double unit = GapToPixels(1.0, toUnit, dpi);
    if (pixels <= 0 || unit <= 0) return gap;
    const double scale = toUnit == 0 ? 1.0 : 100.0;
    return std::max(1.0 / scale, std::round(pixels / unit * scale) / scale);
}

QString GridPresetCaption(const TGridSetup& s, const QString& unitName) {
    QString text = QStringLiteral("%1 x %2 %3").arg(GapLabel(s.GapX), GapLabel(s.GapY), unitName);
    if (s.LinesPerSection > 0) text += QStringLiteral(", %1").arg(s.LinesPerSection);
    return text;
}
