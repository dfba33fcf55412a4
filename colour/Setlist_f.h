#pragma once
// The colour-set panel of the colour tools' windows (Grouping, Separate), the
// Fill window's list panel wired to a TSetPickTool engine: "New" empties the set
// and starts picking pixels, "Block Colors" picks the colours of a dragged block,
// "All" takes every colour of the design, "Insert Color" puts picks in front,
// "Before Color" (reload) is the window's own, a press on a member removes it.

#include "colour/Pcolorgrid_f.h"
#include "tools/Penpick.h"
#include "tools/Toolcontrols_f.h"

#include <QToolButton>
#include <functional>

// engine and context are read when a button is used (the engine may come and go);
// settings are the window's (Colours, InsertColours), show shows them again and
// push hands them to the engine.
template <class TEngine, class TSettings>
QWidget* SetListPanel(QWidget* owner, const QString (&texts)[5], int cell, TColourListControls& list,
                      TEngine* const& engine, TToolContext* const& context, TSettings& settings,
                      std::function<void()> show, std::function<void()> push) {
    QWidget* panel = ColourListPanel(texts, cell, list);
    auto pick = [&engine, &context, show](int mode, bool on) {
        if (engine) engine->SetPick(*context, on ? mode : PickNone);
        show(); // one pick at a time: the other button goes up
    };
    QObject::connect(list.New, &QToolButton::clicked, owner, [pick, &settings, push](bool on) {
        if (on) {
            settings.Colours.Clear();
            push();
        }
        pick(PickPixel, on);
    });
    QObject::connect(list.Block, &QToolButton::clicked, owner, [pick](bool on) { pick(PickBlock, on); });
    QObject::connect(list.All, &QToolButton::clicked, owner, [&engine, &context] {
        if (engine) engine->TakeAllColours(*context);
    });
    QObject::connect(list.Insert, &QToolButton::clicked, owner, [&settings, push](bool on) {
        settings.InsertColours = on;
        push();
    });
    QObject::connect(list.Selector, &TColorSelector::OnRemove, owner, [&engine](int index) {
        if (engine) engine->RemoveColour(index);
    });
    return panel;
}

// Hooks a window to its engine: picks on the design come back into settings and
// are shown, and the window forgets the engine when it goes.
template <class TEngine, class TSettings>
void AttachSetEngine(TEngine*& slot, TEngine* engine, TSettings& settings, std::function<void()> show) {
    slot = engine;
    if (!engine) return;
    engine->OnGone = [&slot] { slot = nullptr; };
    engine->OnChanged = [&slot, &settings, show] {
        if (!slot) return;
        settings = slot->Settings();
        show();
    };
}
