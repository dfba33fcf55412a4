#pragma once
// The scene of a tool test without widgets: a design, the tool dispatch, pointer
// events and a window that records what a tool asks it to show.
#include "shell/Tdocument.h"
#include "support/Pictures.h"
#include "tools/Tool.h"
#include "tools/Tooldispatch.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using Strings = std::vector<std::string>;

inline TToolPointer PointerAt(int x, int y, int button = ButtonLeft) {
    TToolPointer p;
    p.X = x, p.Y = y, p.Button = p.Buttons = button;
    return p;
}

struct TRecordingView : TToolView {
    std::vector<QPolygon> Lines; // the shape shown last
    QRect Band;                  // the rubber band shown last
    TRepeatWrap Wrap;            // the repeat the window says it shows
    QImage Floating;             // the floating picture shown last, at FloatingAt
    QPoint FloatingAt;
    void ScrollBy(int, int) override {}
    void ShowRubberBand(const QRect& rect) override { Band = rect; }
    void ShowShape(const std::vector<QPolygon>& lines) override { Lines = lines; }
    void ShowFloating(const QImage& picture, QPoint at) override { Floating = picture, FloatingAt = at; }
    TRepeatWrap Repeat() const override { return Wrap; }
};

class ToolTest : public ::testing::Test {
  protected:
    // A press and release at p.
    void Click(QPoint p, int button = ButtonLeft) {
        dispatch.MouseDown(doc, &view, PointerAt(p.x(), p.y(), button));
        dispatch.MouseUp(doc, &view, PointerAt(p.x(), p.y(), button));
    }
    // The 256-colour picture as rows of characters.
    Strings Picture() const { return Rows(doc.Picture()); }

    TDocument doc;
    TToolDispatch dispatch;
    TRecordingView view;
};
