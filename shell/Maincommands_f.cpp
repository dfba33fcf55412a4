// The main window's Capture and printing commands and its key preview.
#include "shell/Capture.h"
#include "shell/Captureedit_f.h"
#include "shell/Exception.h"
#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu_f.h"
#include "shell/Print_f.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPageSetupDialog>
#include <QPrinter>

bool TMainForm::CaptureSelection(bool overwrite) {
    TMainImageForm* doc = CurrentDocument();
    if (!doc || !doc->Document().HasSelection()) return false;
    const TDocument& design = doc->Document();
    TCaptureList& list = CapturedImages();
    const bool done = overwrite ? list.Overwrite(design.Picture(), design.Selection())
                                : list.Insert(design.Picture(), design.Selection());
    UpdateMenuItems();
    return done;
}

void TMainForm::CEditClick() {
    TCaptureEditForm editor(CapturedImages(), this);
    editor.OnChange = [this] { UpdateMenuItems(); };
    editor.exec();
    UpdateMenuItems();
}

QPrinter& TMainForm::SharedPrinter() {
    if (!Printer) Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *Printer;
}

void TMainForm::FPrinterSetupClick() {
    QPageSetupDialog dialog(&SharedPrinter(), this);
    dialog.exec();
}

void TMainForm::FPrintingClick() {
    if (TMainImageForm* doc = CurrentDocument()) PrintCurrent(doc->Document().FileName());
}

void TMainForm::PrintCurrent(const QString& jobName) {
    TMainImageForm* doc = CurrentDocument();
    if (!doc) return;
    if (!Print_) Print_ = new TPrintForm(SharedPrinter(), this);
    Print_->SetDocument(&doc->Document(), jobName);
    Print_->show();
    Print_->raise();
}

bool TMainForm::PrintDesign(QPrinter& printer) {
    TMainImageForm* doc = CurrentDocument();
    if (!doc) return false;
    TPrintSettings fit;
    fit.Layout = TPrintLayout::Fit;
    return PaintPrint(printer, PrintJobOf(doc->Document(), fit)) == 0;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType()) {
        // A key travels from the focus widget up to its parents: take it once, first.
        QWidget* first =
            QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        if (watched == first && static_cast<QWidget*>(watched)->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            key->ignore();
            MainMenu_->KeyForward(key, type == QEvent::KeyRelease);
            if (key->isAccepted()) return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
