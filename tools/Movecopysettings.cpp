#include "tools/Movecopysettings.h"

#include "platform/Inifile.h"
#include "tools/Floating.h"

#include <algorithm>

TMoveCopySettings ReadMoveCopySettings(const TIniFile& ini) {
    TMoveCopySettings s;
    const QString section = QStringLiteral("MoveCopy");
    s.Function = std::clamp(ini.ReadInteger(section, QStringLiteral("State"), s.Function), 0, 1);
    s.Type = std::clamp(ini.ReadInteger(section, QStringLiteral("Type"), s.Type), 0, kFloatTypes - 1);
    s.BendType = std::clamp(ini.ReadInteger(section, QStringLiteral("BendType"), s.BendType), 0, 1);
    s.BeforeDeg =
        std::clamp(ini.ReadInteger(QStringLiteral("Rotate"), QStringLiteral("BeforeDeg"), 0), -359, 359);
    return s;
}

void WriteMoveCopySettings(TIniFile& ini, const TMoveCopySettings& s) {
    const QString section = QStringLiteral("MoveCopy");
    ini.WriteInteger(section, QStringLiteral("State"), s.Function);
    ini.WriteInteger(section, QStringLiteral("Type"), s.Type);
    ini.WriteInteger(section, QStringLiteral("BendType"), s.BendType);
    ini.WriteInteger(QStringLiteral("Rotate"), QStringLiteral("BeforeDeg"), s.BeforeDeg);
}
