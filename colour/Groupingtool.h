#pragma once
// TGroupingTool: the Grouping tool's engine. The window chooses the function
// (Type, Filter, User Choose, Rearrange) and its values; Run performs the
// function on the context's design (colour/Grouping.h). Filter and User Choose
// each keep a colour set, built from the design with the colour-list picks; the
// set of the function shown is the list the picks edit (Colours), the other
// waits in Other. "Grouping.Ini" keeps both sets (sections
// "ColorSelector(UserChoose)" and "ColorSelector(Filter)") and the values.

#include "colour/Palette.h"
#include "colour/Setpicktool.h"

#include <functional>

class TIniFile;

enum TGroupFunction : int { GroupType = 0, GroupFilterRun = 1, GroupUser = 2, GroupRearranging = 3 };

struct TGroupingSettings {
    int Function = GroupType;
    int Count = 16;     // Type: 1 .. 250
    int FilterSize = 3; // 3, 5 or 9
    int FilterShape = 0;
    TChoiceColor Colours; // the set of the function shown (Filter or User Choose)
    TChoiceColor Other;   // the other function's set
    bool ColoursAreFilter = false;
    bool InsertColours = false;

    // Every value brought into its range.
    void Clamp();
    // Shows function: its set becomes Colours.
    void Show(int function);
    const TChoiceColor& FilterSet() const { return ColoursAreFilter ? Colours : Other; }
    const TChoiceColor& UserSet() const { return ColoursAreFilter ? Other : Colours; }
};

TGroupingSettings ReadGroupingSettings(const TIniFile& ini);
// Memory only; the caller updates the file.
void WriteGroupingSettings(TIniFile& ini, const TGroupingSettings& settings);

class TGroupingTool : public TSetPickTool<TGroupingSettings> {
  public:
    // Performs the function shown on the context's design: 0 or the error code reported
    // (ErrorCode::Cancelled, not reported, when stoppable stopped Type's reduction).
    uint32_t Run(TToolContext& context, const TProgressFn& stoppable = {});
    uint32_t Rearrange(TToolContext& context);

    std::function<void(int)> OnProgress; // percents of a long run, -1 when it ends
};
