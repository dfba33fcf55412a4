#pragma once
// TJacquardTool: the jacquard tool's engine. It keeps the list of chosen weaves
// with the current one, the mode and the effect colour; a left click on the
// design applies the current entry there (ApplyJacquard) and marks it used.
// A click with an empty list, and every failure, is reported (ReportError) and
// changes nothing.

#include "textile/Jacquardfile.h"
#include "tools/Tool.h"

#include <functional>

class TJacquardTool : public TTool {
  public:
    ~TJacquardTool() override;
    void MouseDown(TToolContext& context, const TToolPointer& p) override;
    // Applies the current entry again at the last click (after a turn or a new
    // cell size); nothing before the first click.
    void ApplyAgain(TToolContext& context);

    const TJacquardList& List() const { return ListV; }
    // Replaces the list (the current entry becomes the first) and keeps its effect colour.
    void SetList(TJacquardList list);
    // The current entry, or null for an empty list.
    const TJacquardEntry* Current() const;
    int CurrentIndex() const { return CurrentV; }
    void SetCurrent(int index);
    // Appends entry and makes it current.
    void Add(const TJacquardEntry& entry);
    // Removes the current entry (the one before it becomes current) or all.
    void Delete();
    void DeleteAll();
    // Turns the current entry to the next orientation (0 .. 3).
    void Rotate();
    // The current entry's cell size, held to 1 .. kJacquardMaxZoom.
    void SetZoom(int zoom);
    void SetMode(int mode) { ModeV = mode; }
    int Mode() const { return ModeV; }
    // The raised value of Select Color and In Area, held to 2 .. 251.
    void SetEffectColour(int index);

    // The list or the current entry changed; the engine goes.
    std::function<void()> OnChanged;
    std::function<void()> OnGone;

  private:
    void Apply(TToolContext& context, QPoint at);
    void Changed();
    QPoint Last{-1, -1};
    TJacquardList ListV;
    int CurrentV = 0;
    int ModeV = JacquardSelectColor;
};
