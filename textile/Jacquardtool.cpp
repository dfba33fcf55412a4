#include "textile/Jacquardtool.h"

#include "colour/Palette.h"
#include "shell/Exception.h"

#include <algorithm>

TJacquardTool::~TJacquardTool() {
    if (OnGone) OnGone();
}

void TJacquardTool::MouseDown(TToolContext& context, const TToolPointer& p) {
    if (p.Button == ButtonLeft) Apply(context, {p.X, p.Y});
}

void TJacquardTool::ApplyAgain(TToolContext& context) {
    if (Last.x() >= 0) Apply(context, Last);
}

void TJacquardTool::Apply(TToolContext& context, QPoint at) {
    if (!context.Document) return;
    if (ListV.Entries.empty()) {
        ReportError(ErrorCode::JacquardEmpty);
        return;
    }
    TJacquardEntry& entry = ListV.Entries[size_t(CurrentV)];
    if (const uint32_t code = ApplyJacquard(*context.Document, at, entry, {ModeV, ListV.EffectColour})) {
        ReportError(code);
        return;
    }
    entry.Use = true;
    Last = at;
    Changed();
}

void TJacquardTool::SetList(TJacquardList list) {
    ListV = std::move(list);
    SetEffectColour(ListV.EffectColour);
    CurrentV = 0;
    Changed();
}

const TJacquardEntry* TJacquardTool::Current() const {
    return ListV.Entries.empty() ? nullptr : &ListV.Entries[size_t(CurrentV)];
}

void TJacquardTool::SetCurrent(int index) {
    CurrentV = std::clamp(index, 0, std::max(0, int(ListV.Entries.size()) - 1));
    Changed();
}

void TJacquardTool::Add(const TJacquardEntry& entry) {
    if (ListV.Entries.size() >= size_t(kMaxJacquardEntries)) return;
    ListV.Entries.push_back(entry);
    CurrentV = int(ListV.Entries.size()) - 1;
    Changed();
}

void TJacquardTool::Delete() {
    if (ListV.Entries.empty()) return;
    ListV.Entries.erase(ListV.Entries.begin() + CurrentV);
    CurrentV = std::max(0, CurrentV - 1);
    Changed();
}

void TJacquardTool::DeleteAll() {
    ListV.Entries.clear();
    CurrentV = 0;
    Changed();
}

void TJacquardTool::Rotate() {
    if (ListV.Entries.empty()) return;
    TJacquardEntry& e = ListV.Entries[size_t(CurrentV)];
    e.Rot = (e.Rot + 1) % 4;
    Changed();
}

void TJacquardTool::SetZoom(int zoom) {
    if (ListV.Entries.empty()) return;
    ListV.Entries[size_t(CurrentV)].Zoom = std::clamp(zoom, 1, kJacquardMaxZoom);
    Changed();
}

void TJacquardTool::SetEffectColour(int index) {
    ListV.EffectColour = std::clamp(index, int(TPalette::kFirstDrawing), int(TPalette::kLastDrawing));
}

void TJacquardTool::Changed() {
    if (OnChanged) OnChanged();
}
