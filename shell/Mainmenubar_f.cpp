// The main window's menu bar: the items, their captions from the "Main" table
// and their enabling.
#include "colour/Palette_f.h"
#include "shell/Capture.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Fullview_f.h"
#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu.h"
#include "shell/Mainmenu_f.h"
#include "shell/Stringtable.h"
#include "textile/Texture_f.h"
#include "tools/Penmanager_f.h"

#include <QActionGroup>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

void TMainForm::CreateMenus() {
    FileItem_ = menuBar()->addMenu(QString());
    FNewCanvas256Item = FileItem_->addAction(QString(), this, [this] { FNewCanvasClick(8); });
    FNewCanvasFullItem = FileItem_->addAction(QString(), this, [this] { FNewCanvasClick(24); });
    FManagerItem = FileItem_->addAction(QString(), this, &TMainForm::FManagerClick);
    FSaveItem = FileItem_->addAction(QString(), this, &TMainForm::FSaveClick);
    FReopenItem = FileItem_->addMenu(QString());
    FCloseItem = FileItem_->addAction(QString(), MdiArea_, &QMdiArea::closeActiveSubWindow);
    FileItem_->addSeparator();
    FResizeCanvasItem = FileItem_->addAction(QString(), this, &TMainForm::FResizeCanvasClick);
    FEnlargeCanvasItem = FileItem_->addAction(QString(), this, &TMainForm::FEnlargeCanvasClick);
    FileItem_->addSeparator();
    // Scanning, printing and the file history come with their own windows.
    // The scanner items wait for the device probe (Mainscan_f.cpp).
    FScanningItem = FileItem_->addAction(QString());
    FScannerSetupItem = FileItem_->addAction(QString());
    FPrinterSetupItem = FileItem_->addAction(QString(), this, &TMainForm::FPrinterSetupClick);
    FPrintingItem = FileItem_->addAction(QString(), this, &TMainForm::FPrintingClick);
    for (QAction* a : {FScanningItem, FScannerSetupItem})
        a->setEnabled(false);
    FFontItem = FileItem_->addAction(QString(), this, &TMainForm::FFontClick);
    FEnvironmentItem = FileItem_->addAction(QString(), this, &TMainForm::FEnvironmentClick);
    FileItem_->addSeparator();
    FExitItem_ = FileItem_->addAction(QString(), this, &QWidget::close);
    EditItem_ = menuBar()->addMenu(QString());
    auto onDocument = [this](uint32_t (TMainImageForm::*command)()) {
        return [this, command] {
            if (TMainImageForm* doc = CurrentDocument())
                if (const uint32_t code = (doc->*command)()) ReportError(code);
        };
    };
    EUndoItem = EditItem_->addAction(QString(), this, [this] {
        if (TMainImageForm* doc = CurrentDocument()) doc->Undo();
    });
    EUndoItem->setShortcut(QKeySequence::Undo);
    EditItem_->addSeparator();
    ECutItem = EditItem_->addAction(QString(), this, onDocument(&TMainImageForm::CutToClipboard));
    ECopyItem = EditItem_->addAction(QString(), this, onDocument(&TMainImageForm::CopyToClipboard));
    EPasteItem = EditItem_->addAction(QString(), this, onDocument(&TMainImageForm::PasteFromClipboard));
    ESelectNoneItem = EditItem_->addAction(QString(), this, [] {
        if (TMainImageForm* doc = CurrentDocument()) doc->Document().ClearSelection();
    });
    ECutItem->setShortcut(QKeySequence::Cut);
    ECopyItem->setShortcut(QKeySequence::Copy);
    EPasteItem->setShortcut(QKeySequence::Paste);
    CaptureItem_ = menuBar()->addMenu(QString());
    // Opening the Capture menu leaves the Fill tool, which paints with the captures.
    connect(CaptureItem_, &QMenu::aboutToShow, this, [this] {
        if (MainMenu_->ActiveTool() == ToolFill) MainMenu_->CloseTool();
    });
    COverwriteItem = CaptureItem_->addAction(QString(), this, [this] { CaptureSelection(true); });
    CInsertItem = CaptureItem_->addAction(QString(), this, [this] { CaptureSelection(false); });
    CDeleteAllItem = CaptureItem_->addAction(QString(), this, [this] {
        CapturedImages().Clear();
        UpdateMenuItems();
    });
    CEditItem = CaptureItem_->addAction(QString(), this, &TMainForm::CEditClick);
    ImageItem_ = menuBar()->addMenu(QString());
    ViewItem_ = menuBar()->addMenu(QString());
    VPenItem = ViewItem_->addAction(QString(), this, [this](bool on) { Pen_->setVisible(on); });
    VPenItem->setCheckable(true);
    VFullViewItem = ViewItem_->addAction(QString(), this, [this](bool on) {
        FullView_->setVisible(on);
        if (on) FullView_->ShowImage(CurrentDocument());
    });
    VFullViewItem->setCheckable(true);
    VRepeatItem = ViewItem_->addMenu(QString());
    auto* repeatKinds = new QActionGroup(this);
    for (int kind = RepeatOff; kind <= RepeatDropHorizontal; ++kind) {
        QAction* item = VRepeatItem->addAction(QString(), this, [this, kind] {
            if (TMainImageForm* doc = CurrentDocument()) doc->SetRepeatDisplay(kind);
            UpdateMenuItems();
        });
        item->setCheckable(true);
        repeatKinds->addAction(item);
        VRepeatKindItems[kind] = item;
    }
    VPaletteItem = ViewItem_->addAction(QString(), this, [this](bool on) { Palette_->setVisible(on); });
    VPaletteItem->setCheckable(true);
    VMainMenuItem = ViewItem_->addAction(QString(), this, [this](bool on) {
        MainMenu_->CloseTool();
        MainMenu_->setVisible(on);
    });
    VMainMenuItem->setCheckable(true);
    VMainMenuItem->setChecked(true);
    VStatusBarItem = ViewItem_->addAction(QString(), this, [this](bool on) { statusBar()->setVisible(on); });
    VStatusBarItem->setCheckable(true);
    VStatusBarItem->setChecked(true);
    VToolsRearrangeItem = ViewItem_->addAction(QString(), this, &TMainForm::ArrangeTools);
    VWeaveLibraryItem = ViewItem_->addAction(QString(), this, &TMainForm::ShowWeaveLibrary);
    WindowItem_ = menuBar()->addMenu(QString());
    WCascadeItem = WindowItem_->addAction(QString(), MdiArea_, &QMdiArea::cascadeSubWindows);
    WTileItem = WindowItem_->addAction(QString(), MdiArea_, &QMdiArea::tileSubWindows);
    WArrangeItem = WindowItem_->addAction(QString(), MdiArea_, &QMdiArea::tileSubWindows);
    WMinimizeItem = WindowItem_->addAction(QString(), this, [this] {
        const QList<QMdiSubWindow*> windows = MdiArea_->subWindowList();
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            (*it)->showMinimized();
    });
    // Below the commands, one entry per open document; the current one is checked.
    WindowItem_->addSeparator();
    connect(WindowItem_, &QMenu::aboutToShow, this, [this] {
        qDeleteAll(WindowEntries);
        WindowEntries.clear();
        int n = 0;
        for (QMdiSubWindow* sub : MdiArea_->subWindowList()) {
            QAction* entry = WindowItem_->addAction(QStringLiteral("&%1 %2").arg(++n).arg(sub->windowTitle()),
                                                    this, [this, sub] { MdiArea_->setActiveSubWindow(sub); });
            entry->setCheckable(true);
            entry->setChecked(sub == MdiArea_->activeSubWindow());
            WindowEntries << entry;
        }
    });
    HelpItem_ = menuBar()->addMenu(QString());
    HAboutItem = HelpItem_->addAction(QString(), this, [this] {
        QMessageBox::about(this, HAboutItem->text().remove(QLatin1Char('&')),
                           QString::fromLatin1(kApplicationTitle) + QStringLiteral("\n") +
                               QCoreApplication::applicationVersion());
    });
}

void TMainForm::SetMenuCaptions() {
    const TStringTable& t = *AppTables.Main;
    FileItem_->setTitle(t.Get(2));
    FNewCanvas256Item->setText(t.Get(3));
    FNewCanvasFullItem->setText(t.Get(4));
    FManagerItem->setText(t.Get(5));
    FSaveItem->setText(t.Get(8));
    FCloseItem->setText(t.Get(7));
    FResizeCanvasItem->setText(t.Get(9));
    FEnlargeCanvasItem->setText(t.Get(10));
    FExitItem_->setText(t.Get(15));
    EditItem_->setTitle(t.Get(16));
    TStringTable undoTexts;
    undoTexts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Undo"));
    EUndoItem->setText(undoTexts.Get(0));
    ECutItem->setText(t.Get(17));
    ECopyItem->setText(t.Get(18));
    EPasteItem->setText(t.Get(19));
    ESelectNoneItem->setText(t.Get(59));
    CaptureItem_->setTitle(t.Get(20));
    COverwriteItem->setText(t.Get(21));
    CInsertItem->setText(t.Get(22));
    CEditItem->setText(t.Get(23));
    CDeleteAllItem->setText(t.Get(24));
    ImageItem_->setTitle(t.Get(25));
    ViewItem_->setTitle(t.Get(46));
    VPenItem->setText(t.Get(47));
    VFullViewItem->setText(t.Get(48));
    VRepeatItem->setTitle(t.Get(60));
    for (int kind = RepeatOff; kind <= RepeatDropHorizontal; ++kind)
        VRepeatKindItems[kind]->setText(t.Get(61 + kind));
    BuildImageMenu();
    VPaletteItem->setText(t.Get(49));
    VMainMenuItem->setText(t.Get(50));
    VStatusBarItem->setText(t.Get(51));
    VToolsRearrangeItem->setText(t.Get(1));
    VWeaveLibraryItem->setText(t.Get(65));
    WindowItem_->setTitle(t.Get(52));
    WCascadeItem->setText(t.Get(53));
    WTileItem->setText(t.Get(54));
    WArrangeItem->setText(t.Get(55));
    WMinimizeItem->setText(t.Get(56));
    HAboutItem->setText(t.Get(58));
    FReopenItem->setTitle(t.Get(6));
    FScanningItem->setText(t.Get(11));
    FScannerSetupItem->setText(t.Get(12));
    if (const TStringTable* common = AppTables.Common) {
        FPrinterSetupItem->setText(common->Get(80));
        FPrintingItem->setText(common->Get(81));
        FFontItem->setText(common->Get(82));
        FEnvironmentItem->setText(common->Get(83));
    }
    HelpItem_->setTitle(t.Get(57));
}

void TMainForm::UpdateMenuItems() {
    const bool any = !MdiArea_->subWindowList().isEmpty();
    for (QAction* a : {FResizeCanvasItem, FEnlargeCanvasItem, FCloseItem, FPrintingItem, WCascadeItem,
                       WTileItem, WArrangeItem, WMinimizeItem})
        a->setEnabled(any);
    EditItem_->setEnabled(any);
    ViewItem_->setEnabled(any);
    TMainImageForm* doc = any ? CurrentDocument() : nullptr;
    const int bits = doc ? doc->Document().BitsPerPixel() : 0;
    const bool selection = doc && doc->Document().HasSelection();
    ImageItem_->setEnabled(bits == 24);
    ESelectNoneItem->setEnabled(selection);
    CaptureItem_->setEnabled(bits == 24);
    COverwriteItem->setEnabled(bits == 24 && selection);
    CInsertItem->setEnabled(bits == 24 && selection);
    CEditItem->setEnabled(!CapturedImages().Empty());
    CDeleteAllItem->setEnabled(!CapturedImages().Empty());
    FNewCanvasFullItem->setEnabled(true);
    MainMenu_->UpdateButtons(bits, selection);
    UpdateScanItems();
    MainMenu_->setEnabled(any);
    VMainMenuItem->setChecked(MainMenu_->isVisible());
    VFullViewItem->setChecked(FullView_->isVisible());
    VPenItem->setChecked(Pen_->isVisible());
    VPaletteItem->setChecked(Palette_->isVisible());
    VStatusBarItem->setChecked(statusBar()->isVisible());
    VRepeatKindItems[doc ? doc->RepeatDisplay() : RepeatOff]->setChecked(true);
    Pen_->setEnabled(any);
    Palette_->setEnabled(any);
    FullView_->setEnabled(any);
    for (QTimer* t : {Timer50ms, Timer200ms, Timer1000ms}) {
        if (any && !t->isActive()) t->start();
        if (!any) t->stop();
    }
}

TTextureForm* TMainForm::ShowWeaveLibrary() {
    if (!WeaveLibrary_) WeaveLibrary_ = new TTextureForm(this);
    WeaveLibrary_->show();
    WeaveLibrary_->raise();
    return WeaveLibrary_;
}
