#include "colour/Separatetool.h"

#include "colour/Colorset.h"
#include "colour/Separate.h"
#include "platform/Inifile.h"
#include "shell/Tdocument.h"

#include <algorithm>

namespace {
const QString kSetSection = QStringLiteral("ColorSelector");
} // namespace

void TSeparateSettings::Clamp() {
    Overlap = std::clamp(Overlap, 0, kSeparateOverlapMax);
}

TSeparateSettings ReadSeparateSettings(const TIniFile& ini) {
    TSeparateSettings s;
    s.Overlap = ini.ReadInteger(QStringLiteral("Separate"), QStringLiteral("OverLap"), 0);
    LoadColorSet(ini, kSetSection, s.Colours);
    s.Clamp();
    return s;
}

void WriteSeparateSettings(TIniFile& ini, const TSeparateSettings& s) {
    ini.WriteInteger(QStringLiteral("Separate"), QStringLiteral("OverLap"), s.Overlap);
    ReplaceColorSet(ini, kSetSection, s.Colours);
}

void TSeparateTool::Cancel(TToolContext& context) {
    TSetPickTool::Cancel(context);
    RunOn = nullptr; // another design: its undo is not ours to take
}

uint32_t TSeparateTool::Run(TToolContext& context) {
    if (!context.Document) return 0;
    const uint32_t code = SeparateColours(*context.Document, SettingsV.Colours, SettingsV.Overlap);
    if (!code) RunOn = context.Document;
    return code;
}

bool TSeparateTool::Restore(TToolContext& context) {
    if (!RunOn || RunOn != context.Document) return false;
    RunOn = nullptr;
    return context.Document->Undo();
}
