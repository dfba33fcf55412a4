#include "shell/Dialogbuttons_f.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QDialogButtonBox* MakeOkCancel(QDialog* dialog, const QString& ok, const QString& cancel,
                               std::function<void()> onOk) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* okButton = box->button(QDialogButtonBox::Ok);
    okButton->setText(ok);
    okButton->setDefault(true);
    box->button(QDialogButtonBox::Cancel)->setText(cancel);
    if (onOk)
        QObject::connect(box, &QDialogButtonBox::accepted, dialog, std::move(onOk));
    else
        QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}
