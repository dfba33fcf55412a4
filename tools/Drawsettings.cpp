#include "tools/Drawsettings.h"

#include "platform/Inifile.h"

#include <algorithm>

namespace {

int Read(const TIniFile& ini, const char* section, const char* key, int def, int low, int high) {
    return std::clamp(ini.ReadInteger(QLatin1String(section), QLatin1String(key), def), low, high);
}

} // namespace

void ChooseDrawFunction(TDrawSettings& settings, int type) {
    if (type < 0 || type >= kDrawFunctions) return;
    settings.Type = type;
    settings.LineChain = settings.CurveChain = true;
}

TDrawSettings ReadDrawSettings(const TIniFile& ini) {
    TDrawSettings s;
    s.Type = Read(ini, "Draw", "Type", s.Type, 0, kDrawFunctions - 1);
    TLineStyle& style = s.Style();
    style.Dotted = Read(ini, "LineType", "DS", 0, 0, 1) == 1;
    style.Dot = Read(ini, "LineType", "Dot", style.Dot, 1, kMaxDash);
    style.Gap = Read(ini, "LineType", "Gap", style.Gap, 1, kMaxDash);
    s.LineChain = Read(ini, "Line", "Type", 1, 0, 1) == 1;
    s.CurveChain = Read(ini, "Curve", "Type", 1, 0, 1) == 1;
    s.Fill = Read(ini, "Fill", "Ok", 0, 0, 1) == 1;
    return s;
}

void WriteDrawSettings(TIniFile& ini, const TDrawSettings& s) {
    const TLineStyle& style = s.Style();
    const std::pair<const char*, const char*> keys[] = {
        {"Draw", "Type"}, {"LineType", "DS"}, {"LineType", "Dot"}, {"LineType", "Gap"},
        {"Line", "Type"}, {"Curve", "Type"},  {"Fill", "Ok"}};
    const int values[] = {s.Type,        style.Dotted ? 1 : 0, style.Dot,
                          style.Gap,     s.LineChain ? 1 : 0,  s.CurveChain ? 1 : 0,
                          s.Fill ? 1 : 0};
    for (size_t i = 0; i < std::size(keys); ++i)
        ini.WriteInteger(QLatin1String(keys[i].first), QLatin1String(keys[i].second), values[i]);
}
