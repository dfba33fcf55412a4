#include "shell/Scansettings.h"

#include "platform/Inifile.h"

namespace {
const QString kSection = QStringLiteral("Scanner");
}

TScanSettings ReadScanSettings(const TIniFile& ini) {
    TScanSettings s;
    s.Device = ini.ReadString(kSection, QStringLiteral("Device"), QString());
    s.Resolution = ini.ReadInteger(kSection, QStringLiteral("Resolution"), 0);
    if (s.Resolution < 0 || s.Resolution > kMaxScanResolution) s.Resolution = 0;
    return s;
}

void WriteScanSettings(TIniFile& ini, const TScanSettings& s) {
    ini.WriteString(kSection, QStringLiteral("Device"), s.Device);
    ini.WriteInteger(kSection, QStringLiteral("Resolution"), s.Resolution);
}
