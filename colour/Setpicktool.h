#pragma once
// TSetPickTool: an engine whose clicks on the design only build its colour set
// (the colour tools Grouping and Separate): a left click while a pick runs takes
// the pixel's or the block's colours; nothing else on the design reacts.

#include "shell/Tdocument.h"
#include "tools/Colourlist.h"

#include <functional>

template <class TSettings> class TSetPickTool : public TColourListTool<TSettings> {
  public:
    ~TSetPickTool() override {
        if (OnGone) OnGone();
    }
    void MouseDown(TToolContext& context, const TToolPointer& p) override {
        if (!context.Document || p.Button != ButtonLeft || p.Shift || p.Ctrl ||
            this->Picker.Mode() == PickNone)
            return;
        std::vector<int> colours;
        if (this->Picker.Click(context, QPoint(p.X, p.Y), colours)) {
            this->TakeColours(colours, context.Document->Palette());
            this->Changed(); // the pick is over
        }
    }
    void MouseMove(TToolContext& context, const TToolPointer& p) override {
        this->Picker.Move(context, QPoint(p.X, p.Y));
    }
    void Finish(TToolContext& context) override { this->Picker.Set(context, PickNone); }
    void Cancel(TToolContext& context) override {
        if (this->Picker.Set(context, PickNone)) this->Changed();
    }
    // New settings from the window (clamped).
    void SetSettings(const TSettings& settings) {
        this->SettingsV = settings;
        this->SettingsV.Clamp();
    }
    // Starts (PickPixel, PickBlock) or gives up (PickNone) a pick for the set.
    void SetPick(TToolContext& context, int mode) { this->Picker.Set(context, mode); }

    std::function<void()> OnGone; // the engine goes
};
