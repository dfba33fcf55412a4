#include "tools/Windowsettings.h"

#include "colour/Colorset.h"
#include "platform/Inifile.h"

#include <algorithm>
#include <utility>

namespace {

const QString kWindow = QStringLiteral("Window");
const QString kMagic = QStringLiteral("Magic");

int Read(const TIniFile& ini, const QString& section, const char* key, int def, int low, int high) {
    return std::clamp(ini.ReadInteger(section, QLatin1String(key), def), low, high);
}

} // namespace

TWindowSettings ReadWindowSettings(const TIniFile& ini) {
    TWindowSettings s;
    s.Mode = Read(ini, kWindow, "Mode", s.Mode, WindowShape, WindowOutline);
    s.Shape = Read(ini, kWindow, "Shape", s.Shape, ShapeRectangle, ShapeCircle);
    s.Outline = Read(ini, kWindow, "Outline", s.Outline, OutlineBorder, OutlineMulti);
    s.Curve = Read(ini, kWindow, "Curve", 0, 0, 1) == 1;
    s.Combine = Read(ini, kWindow, "Combine", s.Combine, CombineSet, CombineSubtract);
    s.Swap = Read(ini, kWindow, "Undo", 0, 0, 1) == 0;
    s.Position = Read(ini, kWindow, "Position", 0, 0, 1) == 1;
    s.Method = Read(ini, kMagic, "Method", s.Method, MagicRGB, MagicHLS);
    s.Tolerance = Read(ini, kMagic, "Tolerance", s.Tolerance, kMinTolerance, kMaxTolerance);
    LoadColorSet(ini, QLatin1String(kWindowColourSection), s.Colours);
    return s;
}

void WriteWindowSettings(TIniFile& ini, const TWindowSettings& s) {
    const std::pair<const char*, int> window[] = {
        {"Mode", s.Mode},       {"Shape", s.Shape},       {"Outline", s.Outline},          {"Curve", s.Curve},
        {"Combine", s.Combine}, {"Undo", s.Swap ? 0 : 1}, {"Position", s.Position ? 1 : 0}};
    for (const auto& [key, value] : window)
        ini.WriteInteger(kWindow, QLatin1String(key), value);
    ini.WriteInteger(kMagic, QStringLiteral("Method"), s.Method);
    ini.WriteInteger(kMagic, QStringLiteral("Tolerance"), s.Tolerance);
    // SaveColorSet leaves the section as it was for an empty set; an emptied set
    // must come back empty.
    ReplaceColorSet(ini, QLatin1String(kWindowColourSection), s.Colours);
}
