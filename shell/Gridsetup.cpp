#include "shell/Gridsetup.h"

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

QString StoredText(const TGridSetup& s, const QString& unitName) {
    return QString::asprintf("%s) %f x %f", unitName.toUtf8().constData(), s.GapX, s.GapY);
}

// A gap in another unit keeping its size in pixels, unrounded; negative for a bad unit or dpi.
double GapInUnit(double gap, int fromUnit, int toUnit, int dpi) {
    const double pixels = LengthToDots(gap, fromUnit, dpi);
    const double unit = LengthToDots(1.0, toUnit, dpi);
    return pixels > 0 && unit > 0 ? pixels / unit : -1;
}
} // namespace

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
    return StoredText(s, UnitName(s.Unit));
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
        s.Unit = parts[0] == UnitName(UnitCm) ? UnitCm : parts[0] == UnitName(UnitInch) ? UnitInch : UnitDot;
    }
    if (!ValidSetup(s)) return false;
    setup = s;
    return true;
}

QString GridPresetCaption(const QString& preset, const QStringList& unitNames, TPresetCaption form,
                          const TGridSetup& base) {
    TGridSetup s = base;
    if (!ParseGridPreset(preset, s)) return preset;
    const QString name = s.Unit < unitNames.size() ? unitNames[s.Unit] : QString();
    if (form == TPresetCaption::Stored) return StoredText(s, name);
    QString text = QStringLiteral("%1 x %2 %3").arg(GapLabel(s.GapX), GapLabel(s.GapY), name);
    if (s.LinesPerSection > 0) text += QStringLiteral(", %1").arg(s.LinesPerSection);
    return text;
}

QString GapLabel(double gap) {
    return QString::number(gap, 'g', 6);
}

double ConvertGap(double gap, int fromUnit, int toUnit, int dpi) {
    const double converted = GapInUnit(gap, fromUnit, toUnit, dpi);
    if (converted < 0) return gap;
    const double scale = toUnit == UnitDot ? 1.0 : 100.0;
    return std::max(1.0 / scale, std::round(converted * scale) / scale);
}

TGridSetup ChangeGridUnit(const TGridSetup& grid, int unit, int dpi) {
    const double x = GapInUnit(grid.GapX, grid.Unit, unit, dpi),
                 y = GapInUnit(grid.GapY, grid.Unit, unit, dpi);
    if (x < 0 || y < 0) return grid;
    TGridSetup s = grid;
    s.GapX = x;
    s.GapY = y;
    s.Unit = unit;
    return s;
}
