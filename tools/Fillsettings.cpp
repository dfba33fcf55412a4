#include "tools/Fillsettings.h"

#include "colour/Colorset.h"
#include "platform/Inifile.h"

#include <algorithm>

namespace {
const QString kListSection = QStringLiteral("Multi");
} // namespace

void TFillSettings::Clamp() {
    From = std::clamp(From, int(FillFromSingle), int(FillFromMulti));
    To = std::clamp(To, int(FillToNone), int(FillToMulti));
    Density = std::clamp(Density, kMinFillDensity, kMaxFillDensity);
    Nozzle = std::clamp(Nozzle, kMinFillNozzle, kMaxFillNozzle);
    Degree = std::clamp(Degree, 0, 360);
    BeforeDegree = std::clamp(BeforeDegree, 0, 360);
    Pattern = std::max(Pattern, 0);
    Repeat = std::clamp(Repeat, int(FillRepeatNormal), int(FillRepeatDropVertical));
    Drop = std::max(Drop, 0);
}

TFillSettings ReadFillSettings(const TIniFile& ini) {
    TFillSettings s;
    s.BeforeDegree = ini.ReadInteger(QStringLiteral("Rotate"), QStringLiteral("BeforeDeg"), 0);
    s.Degree = s.BeforeDegree;
    LoadColorSet(ini, kListSection, s.Colours);
    s.Clamp();
    return s;
}

void WriteFillSettings(TIniFile& ini, const TFillSettings& s) {
    ini.WriteInteger(QStringLiteral("Rotate"), QStringLiteral("BeforeDeg"), std::clamp(s.Degree, 0, 360));
    ReplaceColorSet(ini, kListSection, s.Colours);
}
