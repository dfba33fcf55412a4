#include "shell/Environment.h"

#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Paper.h"

#include <algorithm>

namespace {
const QString kCanvas = QStringLiteral("CanvasInfor");
const QString kWindow = QStringLiteral("Window");
const QString kMainImage = QStringLiteral("MainImage");
const QString kAutoSave = QStringLiteral("AutoSave");
} // namespace

TEnvironmentSettings ReadEnvironmentSettings(const TIniFile& ini) {
    TEnvironmentSettings s;
    s.Dpi = std::clamp(ini.ReadInteger(kCanvas, QStringLiteral("DPI"), 160), kEnvMinDpi, kEnvMaxDpi);
    s.Grid = ReadGridSetup(ini);
    s.Grid.LinesPerSection = std::min(s.Grid.LinesPerSection, kMaxLinesPerSection);
    for (const QString& preset : ReadGridCatalog(ini))
        if (!preset.trimmed().isEmpty()) s.Presets << preset;
    s.MaxUndo =
        std::clamp(ini.ReadInteger(kWindow, QStringLiteral("MaxUndo"), 5), kMinUndoLimit, kMaxUndoLimit);
    s.MainImageUnit = std::clamp(ini.ReadInteger(kMainImage, QStringLiteral("Unit"), 0), 0, 2);
    s.AutoSave = ini.ReadBool(kAutoSave, QStringLiteral("Check"), false);
    s.AutoSaveMinutes = std::clamp(ini.ReadInteger(kAutoSave, QStringLiteral("Min"), 5), kMinAutoSaveMinutes,
                                   kMaxAutoSaveMinutes);
    s.SizeChoice = std::clamp(ini.ReadInteger(kMainImage, QStringLiteral("Size"), 0), 0, kSizeChoices - 1);
    return s;
}

void WriteEnvironmentSettings(TIniFile& ini, const TEnvironmentSettings& s) {
    ini.WriteInteger(kCanvas, QStringLiteral("DPI"), s.Dpi);
    WriteGridSetup(ini, s.Grid);
    ini.WriteInteger(kWindow, QStringLiteral("MaxUndo"), s.MaxUndo);
    ini.WriteInteger(kMainImage, QStringLiteral("Unit"), s.MainImageUnit);
    ini.WriteInteger(kMainImage, QStringLiteral("Size"), s.SizeChoice);
    WriteGridCatalog(ini, s.Presets);
    ini.WriteBool(kAutoSave, QStringLiteral("Check"), s.AutoSave);
    ini.WriteInteger(kAutoSave, QStringLiteral("Min"), s.AutoSaveMinutes);
}

bool SaveEnvironmentSettings(const QString& path, const TEnvironmentSettings& s) {
    TIniFile ini(path);
    WriteEnvironmentSettings(ini, s);
    const bool written = ini.UpdateFile();
    const QString code = SizeChoiceCode(std::clamp(s.SizeChoice, 0, kSizeChoices - 1));
    Configuration.TREG_Size = code;
    return WriteConfigValue(QStringLiteral("Common"), QStringLiteral("TREG_Size"), code) && written;
}

int MainImageUnitOfChoice(int choice) {
    switch (choice) {
    case 1:
        return UnitInch;
    case 2:
        return UnitDot;
    default:
        return UnitCm;
    }
}
