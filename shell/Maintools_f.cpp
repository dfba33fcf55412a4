// The main window's bindings between the tool windows and the current document.
#include "colour/Palette_f.h"
#include "colour/Protect_f.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Fullview_f.h"
#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu.h"
#include "shell/Mainmenu_f.h"
#include "tools/Undolist_f.h"

#include <QKeyEvent>
#include <QToolButton>

void TMainForm::ConnectToolWindows() {
    // A palette edit shows on the design at once.
    Palette_->OnApplyPalette = [this] {
        TMainImageForm* doc = CurrentDocument();
        if (!doc || doc->Image().BitsPerPixel != 8) return;
        TRGBQuad quads[256];
        doc->Palette.GetQuads(quads);
        doc->Image().PutColors(0, 256, quads);
        doc->iMainImage->Paint();
        FullView_->Refresh();
    };
    // Tool windows that exist so far; the others come with their tools.
    MainMenu_->CreateToolWindow = [this](int tool, QWidget* owner) -> QWidget* {
        if (tool != ToolUndo) return nullptr;
        auto* list = new TUndoForm(UndoStore(), owner);
        list->OnUndo = [] {
            TMainImageForm* doc = CurrentDocument();
            return doc && doc->Undo();
        };
        list->setFont(UserFont());
        return list;
    };
    MainMenu_->OnPrint = [this] { FPrintingClick(); };
    // Keys reach the current document through the tool palette.
    MainMenu_->OnDocumentKey = [](QKeyEvent* event, bool release) {
        TMainImageForm* doc = CurrentDocument();
        if (doc && !release && doc->KeyPress(event->key(), event->modifiers())) event->accept();
    };
    // Protection mode takes the current document's clicks until it is left.
    Palette_->OnProtectionMode = [this](bool on) {
        if (ProtectDocument) {
            ProtectDocument->ToolInput = true;
            ProtectDocument->ShowRubberBand(QRect());
        }
        ProtectDocument = on ? CurrentDocument() : nullptr;
        if (ProtectDocument) ProtectDocument->ToolInput = false;
    };
    TMainImageForm::ModalDown = [this](TMainImageForm* doc, int x, int y) {
        if (doc == ProtectDocument) Palette_->ImageDown(doc->Image(), x, y);
    };
    TMainImageForm::ModalMove = [this](TMainImageForm* doc, int x, int y) {
        if (doc == ProtectDocument) Palette_->ImageMove(x, y);
    };
    Palette_->pnProtect->Picture = [this]() -> const TOrvaneBitmap* {
        return ProtectDocument ? &ProtectDocument->Image() : nullptr;
    };
    Palette_->pnProtect->OnRubberBand = [this](const QRect& rect) {
        if (ProtectDocument) ProtectDocument->ShowRubberBand(rect);
    };
    // O.K of the Protection panel: the document's protection follows the flags.
    Palette_->OnProtectColors = [this](bool any) {
        if (TMainImageForm* doc = CurrentDocument()) doc->sbProtect->setChecked(any);
    };
}
