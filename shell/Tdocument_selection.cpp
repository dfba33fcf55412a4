// The document's selection: each change keeps the one before it in the work
// area's history and tells the windows.
#include "shell/Exception.h"
#include "shell/Tdocument.h"

void TDocument::SelectionNotice() {
    emit SelectionChanged();
    emit StateChanged(); // menus and tools that need a selection follow
}

void TDocument::SyncSelection() {
    if (WorkAreaV->Sync()) SelectionNotice();
}

bool TDocument::ChangeSelection(const std::function<bool(TWorkArea&)>& change) {
    if (!change(*WorkAreaV)) return false;
    SelectionNotice();
    return true;
}

bool TDocument::SetSelection(const QRegion& region) {
    return ChangeSelection([&](TWorkArea& area) { return area.SetRegion(region, true); });
}

void TDocument::ClearSelection() {
    if (HasSelection()) SetSelection(QRegion());
}

void TDocument::SelectAll() {
    SetSelection(Bounds());
}

uint32_t TDocument::CombineSelection(const QRegion& piece, int mode) {
    const QRegion now = Selection();
    QRegion result;
    if (mode == L_RGN_ANDNOTRGN && !now.isEmpty())
        result = now.subtracted(piece);
    else if (mode == L_RGN_OR)
        result = now.united(piece);
    else // setting, and taking away from nothing
        result = piece;
    return SetSelection(result) ? 0 : ErrorCode::OutOfMemory;
}

bool TDocument::UndoSelection(bool swap) {
    return ChangeSelection([swap](TWorkArea& area) { return swap ? area.SwapUndo() : area.StepBack(); });
}

bool TDocument::OffsetSelection(int dx, int dy) {
    return ChangeSelection([&](TWorkArea& area) { return area.Offset(dx, dy, true); });
}

bool TDocument::ScaleSelection(const QRect& to) {
    return ChangeSelection([&](TWorkArea& area) { return area.Scale(to, true); });
}

void TDocument::SetSelectionDepth(int depth) {
    WorkAreaV->SetDepth(depth);
}
