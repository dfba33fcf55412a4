#pragma once
// The Window tool's engine on a design drawn as ASCII art, driven through the
// tool dispatch without any window; reports are counted, not shown.
#include "shell/Exception.h"
#include "shell/Mainmenu.h"
#include "support/Draw.h"
#include "support/Pictures.h"
#include "tools/Tooldispatch.h"
#include "tools/Windowtool.h"

#include <functional>
#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

struct TWindowView : TToolView {
    QRect Band;
    std::vector<QPolygon> Lines;
    TRepeatWrap Wrap;
    void ScrollBy(int, int) override {}
    void ShowRubberBand(const QRect& rect) override { Band = rect; }
    void ShowShape(const std::vector<QPolygon>& lines) override { Lines = lines; }
    TRepeatWrap Repeat() const override { return Wrap; }
};

class WindowTool : public ::testing::Test {
  protected:
    void SetUp() override {
        SetErrorPresenter([this](TSeverity, const QString&, int) { return ++Reports, 0; });
    }
    void TearDown() override { SetErrorPresenter(StderrPresenter); }
    // A 256-colour design drawn as ASCII art, or a full-colour one of its size.
    void Open(const Strings& art, int bits = 8) {
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, int(art[0].size()), int(art.size()));
        ASSERT_EQ(doc.NewCanvas(paper, bits, TCurrentColour::OfIndex('.')), 0u);
        if (bits == 8) Draw(doc, [&](TOrvaneBitmap& b) { PutArt(b, art); });
        auto engine = std::make_unique<TWindowTool>();
        tool = engine.get();
        dispatch.Activate(ToolWindow, std::move(engine));
        dispatch.SetCurrent(&doc, &view);
    }
    void Use(const std::function<void(TWindowSettings&)>& edit) {
        TWindowSettings s = tool->Settings();
        edit(s);
        tool->SetSettings(dispatch.Context(), s);
    }
    static TToolPointer At(QPoint p, int buttons = ButtonLeft) {
        TToolPointer t;
        t.X = p.x(), t.Y = p.y(), t.Button = ButtonLeft, t.Buttons = buttons;
        return t;
    }
    void Drag(QPoint a, QPoint b) {
        dispatch.MouseDown(doc, &view, At(a));
        dispatch.MouseMove(doc, &view, At(b));
        dispatch.MouseUp(doc, &view, At(b, ButtonNone));
    }
    void Click(QPoint p) { Drag(p, p); }
    Strings Selected() const {
        return RegionArt(doc.Selection(), doc.Bounds().width(), doc.Bounds().height());
    }

    TDocument doc;
    TToolDispatch dispatch;
    TWindowView view;
    TWindowTool* tool = nullptr;
    int Reports = 0;
};
