// The main window's Capture and printing commands and its key preview.
#include "shell/Capture.h"
#include "shell/Captureedit_f.h"
#include "shell/Exception.h"
#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu_f.h"
#include "shell/Print.h"

#include <QKeyEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

bool TMainForm::CaptureSelection(bool overwrite) {
    TMainImageForm* doc = CurrentDocument();
    QRegion selection;
    if (!doc || !doc->Image().GetRegion(selection, false)) return false;
    TCaptureList& list = CapturedImages();
    const bool done =
        overwrite ? list.Overwrite(doc->Image(), selection) : list.Insert(doc->Image(), selection);
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
    TMainImageForm* doc = CurrentDocument();
    if (!doc) return;
    if (!Printer) Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    Printer->setDocName(doc->FileName);
    QPrintDialog dialog(Printer.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintDesign(*Printer)) ReportError(0x40000010);
}

bool TMainForm::PrintDesign(QPrinter& printer) {
    TMainImageForm* doc = CurrentDocument();
    if (!doc || !doc->Image().Allocated()) return false;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect page = painter.viewport();
    const TOrvaneBitmap& picture = doc->Image();
    const QRect target =
        DesignPlacement(QSize(picture.Width, picture.Height), doc->Paper.dpi, page, printer.resolution());
    PaintDesign(painter, picture, picture.BitsPerPixel == 8 ? &doc->Palette : nullptr, target);
    return painter.end();
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    MainMenu_->KeyForward(event, false);
    QMainWindow::keyPressEvent(event);
}

void TMainForm::keyReleaseEvent(QKeyEvent* event) {
    MainMenu_->KeyForward(event, true);
    QMainWindow::keyReleaseEvent(event);
}
