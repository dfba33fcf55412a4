#include "shell/Captureedit_f.h"

#include "shell/Capture.h"
#include "shell/Common.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TCaptureEditForm::TCaptureEditForm(TCaptureList& list, QWidget* parent) : QDialog(parent), List(list) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("CaptureEdit"));
    setWindowTitle(Texts.Get(0));
    lbCaptures = new QListWidget;
    lbCaptures->setIconSize(QSize(64, 64));
    lbCaptures->setMinimumSize(260, 280);
    btDelete = new QPushButton(Texts.Get(2));
    btDeleteAll = new QPushButton(Texts.Get(3));
    btUp = new QPushButton(Texts.Get(4));
    btDown = new QPushButton(Texts.Get(5));
    btClose = new QPushButton(Texts.Get(6));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(Texts.Get(1)), 0, 0);
    grid->addWidget(lbCaptures, 1, 0, 6, 1);
    int row = 1;
    for (QPushButton* b : {btDelete, btDeleteAll, btUp, btDown, btClose})
        grid->addWidget(b, row++, 1);
    connect(btDelete, &QPushButton::clicked, this, [this] {
        const int i = lbCaptures->currentRow();
        List.Remove(i);
        Changed(std::min(i, List.Count() - 1));
    });
    connect(btDeleteAll, &QPushButton::clicked, this, [this] {
        List.Clear();
        Changed(-1);
    });
    connect(btUp, &QPushButton::clicked, this, [this] {
        const int i = lbCaptures->currentRow();
        List.Move(i, true);
        Changed(std::max(0, i - 1));
    });
    connect(btDown, &QPushButton::clicked, this, [this] {
        const int i = lbCaptures->currentRow();
        List.Move(i, false);
        Changed(std::min(List.Count() - 1, i + 1));
    });
    connect(btClose, &QPushButton::clicked, this, &QDialog::accept);
    Fill(0);
}

void TCaptureEditForm::Fill(int current) {
    lbCaptures->clear();
    for (int i = 0; i < List.Count(); ++i) {
        const TCapturedImage& c = List.At(i);
        auto* item = new QListWidgetItem(
            QIcon(QPixmap::fromImage(List.Thumbnail(i, 64))),
            FillPlaces(Texts.Get(7), {QString::number(i + 1)}) + QLatin1Char('\n') +
                FillPlaces(Texts.Get(8), {QString::number(c.Image.Width), QString::number(c.Image.Height)}));
        lbCaptures->addItem(item);
    }
    if (current >= 0 && current < List.Count()) lbCaptures->setCurrentRow(current);
    for (QPushButton* b : {btDelete, btDeleteAll, btUp, btDown})
        b->setEnabled(!List.Empty());
}

void TCaptureEditForm::Changed(int current) {
    Fill(current);
    if (OnChange) OnChange();
}
