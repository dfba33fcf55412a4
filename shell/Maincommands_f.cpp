// The main window's Capture and printing commands and its key preview.
#include "shell/Capture.h"
#include "shell/Captureedit_f.h"
#include "shell/Exception.h"
#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu_f.h"
#include "shell/Print.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
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

void TMainForm::FPrinterSetupClick() {
    if (!Printer) Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPageSetupDialog dialog(Printer.get(), this);
    dialog.exec();
}

void TMainForm::FPrintingClick() {
    if (TMainImageForm* doc = CurrentDocument()) PrintCurrent(doc->Document().FileName());
}

void TMainForm::PrintCurrent(const QString& jobName) {
    if (!CurrentDocument()) return;
    if (!Printer) Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    Printer->setDocName(jobName);
    QPrintDialog dialog(Printer.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintDesign(*Printer)) ReportError(0x40000010);
}

bool TMainForm::PrintDesign(QPrinter& printer) {
    TMainImageForm* doc = CurrentDocument();
    if (!doc || !doc->Document().Picture().Allocated()) return false;
    const TDocument& design = doc->Document();
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect page = painter.viewport();
    const TOrvaneBitmap& picture = design.Picture();
    const QRect target =
        DesignPlacement(QSize(picture.Width, picture.Height), design.Paper().dpi, page, printer.resolution());
    PaintDesign(painter, picture, picture.BitsPerPixel == 8 ? &design.Palette() : nullptr, target);
    return painter.end();
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
