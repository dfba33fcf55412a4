#include "shell/Errorbox_f.h"

#include "shell/Common.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

bool BatchMode() {
    return !qEnvironmentVariableIsEmpty("VELMORA_BATCH");
}

int MessageBoxPresenter(TSeverity severity, const QString& text, int buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromLatin1(kApplicationTitle));
    box.setText(text);
    box.setIcon(severity == TSeverity::Error     ? QMessageBox::Critical
                : severity == TSeverity::Warning ? QMessageBox::Warning
                                                 : QMessageBox::Information);
    switch (buttons) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return ID_OK;
    case QMessageBox::Yes:
        return ID_YES;
    case QMessageBox::No:
        return ID_NO;
    default:
        return ID_CANCEL;
    }
}

void InstallErrorPresenter() {
    SetErrorPresenter(BatchMode() ? TErrorPresenter(StderrPresenter) : MessageBoxPresenter);
}

void ShowPlainMessage(const QString& text) {
    if (BatchMode()) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return;
    }
    QMessageBox::information(nullptr, QString::fromLatin1(kApplicationTitle), text);
}
