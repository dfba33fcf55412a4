#include "colour/Groupingtool.h"

#include "colour/Colorset.h"
#include "colour/Grouping.h"
#include "platform/Inifile.h"
#include "shell/Tdocument.h"

#include <algorithm>

namespace {
const QString kSection = QStringLiteral("Grouping");
const QString kUserSection = QStringLiteral("ColorSelector(UserChoose)");
const QString kFilterSection = QStringLiteral("ColorSelector(Filter)");
} // namespace

void TGroupingSettings::Clamp() {
    Function = std::clamp(Function, int(GroupType), int(GroupRearranging));
    Count = std::clamp(Count, 1, 250);
    FilterSize = FilterSize <= 3 ? 3 : FilterSize <= 5 ? 5 : 9;
    FilterShape = std::clamp(FilterShape, 0, FilterShapes(FilterSize));
}

void TGroupingSettings::Show(int function) {
    Function = function;
    const bool filter = function == GroupFilterRun;
    if ((function == GroupFilterRun || function == GroupUser) && filter != ColoursAreFilter) {
        std::swap(Colours, Other);
        ColoursAreFilter = filter;
    }
}

TGroupingSettings ReadGroupingSettings(const TIniFile& ini) {
    TGroupingSettings s;
    s.Count = ini.ReadInteger(kSection, QStringLiteral("Count"), s.Count);
    s.FilterSize = ini.ReadInteger(kSection, QStringLiteral("FilterSize"), s.FilterSize);
    s.FilterShape = ini.ReadInteger(kSection, QStringLiteral("FilterShape"), s.FilterShape);
    LoadColorSet(ini, kUserSection, s.Colours);
    LoadColorSet(ini, kFilterSection, s.Other);
    s.Clamp();
    return s;
}

void WriteGroupingSettings(TIniFile& ini, const TGroupingSettings& s) {
    ini.WriteInteger(kSection, QStringLiteral("Count"), s.Count);
    ini.WriteInteger(kSection, QStringLiteral("FilterSize"), s.FilterSize);
    ini.WriteInteger(kSection, QStringLiteral("FilterShape"), s.FilterShape);
    ReplaceColorSet(ini, kUserSection, s.UserSet());
    ReplaceColorSet(ini, kFilterSection, s.FilterSet());
}

uint32_t TGroupingTool::Run(TToolContext& context, const TProgressFn& stoppable) {
    if (!context.Document) return 0;
    TDocument& doc = *context.Document;
    const TGroupingSettings& s = SettingsV;
    switch (s.Function) {
    case GroupType:
        return GroupReduce(doc, std::min(s.Count, GroupReduceBound(doc)), OnProgress, stoppable);
    case GroupFilterRun:
        return GroupFilter(doc, s.FilterSize, s.FilterShape, s.FilterSet(), OnProgress);
    case GroupUser:
        return GroupUserChoose(doc, s.UserSet());
    default:
        return GroupRearrange(doc);
    }
}

uint32_t TGroupingTool::Rearrange(TToolContext& context) {
    return context.Document ? GroupRearrange(*context.Document) : 0;
}
