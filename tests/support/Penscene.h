#pragma once
// The pen tool on a small design, driven through the tool dispatch without a window.
#include "shell/Mainmenu.h"
#include "support/Draw.h"
#include "support/Pictures.h"
#include "tools/Pentool.h"
#include "tools/Tooldispatch.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

using Strings = std::vector<std::string>;

inline TToolPointer At(int x, int y, double pressure = 1.0, bool shift = false) {
    TToolPointer p;
    p.X = x, p.Y = y, p.Button = ButtonLeft, p.Buttons = ButtonLeft, p.Shift = shift, p.Pressure = pressure;
    return p;
}

// A design with the pen tool active on it.
struct TPenScene {
    // A design drawn as ASCII art: each character is its palette index, and in full
    // colour that entry's colour. colours gives entries their colours first.
    void Open(const Strings& rows, int bits = 8, const std::map<char, TColorRef>& colours = {}) {
        TPaper paper;
        paper.dpi = 160;
        SetPaper(paper, kPaperCustom, int(rows[0].size()), int(rows.size()));
        ASSERT_EQ(doc.NewCanvas(paper, bits, TCurrentColour::OfIndex('.')), 0u);
        doc.EditPalette([&](TPalette& p) {
            for (const auto& [c, rgb] : colours)
                p[c].SetRGB(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
            return true;
        });
        DrawArt(doc, rows);
        doc.SetModified(false);
        random.Reseed(11);
        dispatch.Activate(ToolDraw, std::make_unique<TPenTool>(&random));
        dispatch.Context().Pen = &pen;
        dispatch.SetColour(TCurrentColour::OfIndex('#'));
    }
    void Pen(int size, int kind = PenNormal) {
        pen.SetSize(size);
        pen.Settings.Kind = kind;
    }
    TPenTool& Tool() { return *static_cast<TPenTool*>(dispatch.ActiveTool()); }
    // Press at the first point, move through the others, release at the last.
    void Stroke(const std::vector<QPoint>& points, double pressure = 1.0) {
        dispatch.MouseDown(doc, nullptr, At(points.front().x(), points.front().y(), pressure));
        for (const QPoint& q : points)
            dispatch.MouseMove(doc, nullptr, At(q.x(), q.y(), pressure));
        dispatch.MouseUp(doc, nullptr, At(points.back().x(), points.back().y(), 0));
    }
    int Count(char c) const {
        int n = 0;
        for (const std::string& row : Rows(doc.Picture()))
            n += int(std::count(row.begin(), row.end(), c));
        return n;
    }
    // The mask as rows: '#' masked, '.' free (no mask: no rows).
    Strings MaskRows() const {
        Strings out;
        for (int y = 0; doc.Mask() && y < doc.Mask()->Height; ++y) {
            std::string row;
            for (int x = 0; x < doc.Mask()->Width; ++x)
                row.push_back(doc.Mask()->GetPixel(x, y) ? '#' : '.');
            out.push_back(row);
        }
        return out;
    }
    TDocument doc;
    TToolDispatch dispatch;
    TPenObject pen;
    TOrvaneRandom random;
};
