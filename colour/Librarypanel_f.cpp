#include "colour/Librarypanel_f.h"

#include "colour/Colorlibraries.h"
#include "colour/Colorlibrary_f.h"
#include "colour/Colorref.h"
#include "colour/Palette_f.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

TLibraryPanel::TLibraryPanel(QWidget* parent) : QWidget(parent) {
    cbLibrary = new QComboBox;
    for (int i = 0; i < 4; ++i)
        cbLibrary->addItem(QString());
    edCode = new QLineEdit;
    sbSearch = new QPushButton;
    sbSearch->setCheckable(true);
    shFound = new TColorSwatch;
    lbFound = new QLabel;
    ButtonLibrarySearchOK = new QPushButton;
    ButtonLibrarySearchOK->setEnabled(false);
    lbNearest = new QLabel;
    auto* grid = new QGridLayout(this);
    grid->addWidget(cbLibrary, 0, 0, 1, 2);
    grid->addWidget(edCode, 1, 0);
    grid->addWidget(sbSearch, 1, 1);
    grid->addWidget(shFound, 2, 0, 2, 1);
    grid->addWidget(lbFound, 2, 1);
    grid->addWidget(ButtonLibrarySearchOK, 3, 1);
    grid->addWidget(lbNearest, 4, 0, 1, 2);
    connect(cbLibrary, &QComboBox::currentIndexChanged, this, [this] { ChoiceChange(); });
    connect(sbSearch, &QPushButton::toggled, this, [this] { ChoiceChange(); });
    connect(edCode, &QLineEdit::textChanged, this, [this] { CodeChange(); });
    connect(ButtonLibrarySearchOK, &QPushButton::clicked, this, [this] {
        if (OnWrite) OnWrite(Pending);
    });
    ChoiceChange();
}

void TLibraryPanel::ApplyTexts(const TStringTable& texts) {
    for (int i = 0; i < 4; ++i)
        cbLibrary->setItemText(i, texts.Get(16 + i));
    sbSearch->setText(texts.Get(23));
    ButtonLibrarySearchOK->setText(texts.Get(24));
    NotFound = texts.Get(25);
}

int TLibraryPanel::Choice() const {
    return cbLibrary->currentIndex();
}

void TLibraryPanel::ChoiceChange() {
    // Printer codes are typed "00-00:00", VM Textile and PT Textile codes "00-0000".
    const int choice = Choice();
    QString mask;
    if (sbSearch->isChecked())
        mask = QString();
    else if (choice == 1)
        mask = QStringLiteral("00-00:00;_");
    else if (choice == 3)
        mask = QStringLiteral("00-0000;_");
    edCode->setInputMask(mask);
    edCode->clear();
    if (OnView) OnView(sbSearch->isChecked() ? TColorLibraryForm::ViewPalette : choice);
    CodeChange();
}

void TLibraryPanel::CodeChange() {
    const int choice = sbSearch->isChecked() ? ChoicePantone : Choice() - 1;
    int page = -1;
    const bool found = Libs && choice >= 0 && Libs->FindCode(choice, edCode->text(), Pending, page);
    ButtonLibrarySearchOK->setEnabled(found);
    if (!found) {
        shFound->SetColor(MakeColorRef(255, 255, 255), QString());
        // A masked edit holds its separators while nothing is typed yet.
        const bool typed = edCode->text().contains(QRegularExpression(QStringLiteral("[^-: ]")));
        lbFound->setText(typed && choice >= 0 ? NotFound : QString());
        return;
    }
    shFound->SetColor(Pending.ColorRef(), QString());
    lbFound->setText(Libs->CodeOf(Pending));
    if (OnFound && choice != ChoicePantone) OnFound(Choice(), page);
}

void TLibraryPanel::ShowNearest(const TColorData& entry) {
    TColorData nearest;
    int page = -1;
    if (!Libs || Choice() == 0 ||
        !Libs->Nearest(Choice() - 1, entry.Red(), entry.Green(), entry.Blue(), nearest, page)) {
        lbNearest->clear();
        return;
    }
    lbNearest->setText(Libs->CodeOf(nearest));
    if (OnFound) OnFound(Choice(), page);
}
