#include "colour/Librarypanel_f.h"

#include "colour/Colorlibraries.h"
#include "colour/Colorlibrary_f.h"
#include "colour/Colorref.h"
#include "colour/Palette_f.h"
#include "colour/Usercolor.h"
#include "shell/Common.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>

TLibraryPanel::TLibraryPanel(QWidget* parent) : QWidget(parent) {
    cbLibrary = new QComboBox;
    for (int i = 0; i <= ChoiceUser; ++i)
        cbLibrary->addItem(QString());
    edCode = new QLineEdit;
    sbSearch = new QPushButton;
    sbSearch->setCheckable(true);
    shFound = new TColorSwatch;
    lbFound = new QLabel;
    ButtonLibrarySearchOK = new QPushButton;
    ButtonLibrarySearchOK->setEnabled(false);
    lbNearest = new QLabel;
    pnUser = new QWidget;
    tbUser = new QTabBar;
    tbUser->addTab(QString());
    tbUser->addTab(QString());
    lbLocation = new QLabel;
    edLocation = new QLineEdit(Configuration.Color);
    sbLocation = new QPushButton(QStringLiteral("..."));
    cbSubDirectory = new QCheckBox;
    auto* user = new QGridLayout(pnUser);
    user->setContentsMargins(0, 0, 0, 0);
    user->addWidget(tbUser, 0, 0, 1, 3);
    user->addWidget(lbLocation, 1, 0);
    user->addWidget(edLocation, 1, 1);
    user->addWidget(sbLocation, 1, 2);
    user->addWidget(cbSubDirectory, 2, 0, 1, 3);
    auto* grid = new QGridLayout(this);
    grid->addWidget(cbLibrary, 0, 0, 1, 2);
    grid->addWidget(pnUser, 1, 0, 1, 2);
    grid->addWidget(edCode, 2, 0);
    grid->addWidget(sbSearch, 2, 1);
    grid->addWidget(shFound, 3, 0, 2, 1);
    grid->addWidget(lbFound, 3, 1);
    grid->addWidget(ButtonLibrarySearchOK, 4, 1);
    grid->addWidget(lbNearest, 5, 0, 1, 2);
    connect(cbLibrary, &QComboBox::currentIndexChanged, this, [this] { ChoiceChange(); });
    connect(sbSearch, &QPushButton::toggled, this, [this] { ChoiceChange(); });
    connect(edCode, &QLineEdit::textChanged, this, [this] { CodeChange(); });
    // A new place to search, or the other tab, asks again.
    connect(tbUser, &QTabBar::currentChanged, this, [this] { UserPlaceChange(); });
    connect(cbSubDirectory, &QCheckBox::toggled, this, [this] { UserPlaceChange(); });
    connect(edLocation, &QLineEdit::editingFinished, this, [this] { UserPlaceChange(); });
    connect(sbLocation, &QPushButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(this, lbLocation->text(), edLocation->text());
        if (dir.isEmpty()) return;
        edLocation->setText(dir);
        UserPlaceChange();
    });
    connect(ButtonLibrarySearchOK, &QPushButton::clicked, this, [this] {
        if (OnWrite) OnWrite(Pending);
    });
    ChoiceChange();
}

void TLibraryPanel::ApplyTexts(const TStringTable& texts) {
    for (int i = 0; i <= ChoiceUser; ++i)
        cbLibrary->setItemText(i, texts.Get(16 + i));
    tbUser->setTabText(0, texts.Get(21));
    tbUser->setTabText(1, texts.Get(22));
    lbLocation->setText(texts.Get(38));
    cbSubDirectory->setText(texts.Get(39));
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
    const bool user = choice == ChoiceUser && !sbSearch->isChecked();
    pnUser->setVisible(user);
    QString mask;
    if (sbSearch->isChecked() || user)
        mask = QString();
    else if (choice == 1)
        mask = QStringLiteral("00-00:00;_");
    else if (choice == 3)
        mask = QStringLiteral("00-0000;_");
    edCode->setInputMask(mask);
    edCode->clear();
    const bool list = sbSearch->isChecked() || choice == ChoiceUser;
    if (OnView) OnView(list ? TColorLibraryForm::ViewPalette : choice);
    if (user) return UserPlaceChange();
    edCode->setEnabled(true);
    CodeChange();
}

// "Search" looks the typed code up again, "Finder" the current entry's nearest.
void TLibraryPanel::UserPlaceChange() {
    edCode->setEnabled(!Finder());
    CodeChange();
    if (Finder()) ShowNearest(Current);
}

bool TLibraryPanel::Finder() const {
    return tbUser->currentIndex() == 1;
}

void TLibraryPanel::ShowFound(const TColorData& entry, const QString& text) {
    Pending = entry;
    ButtonLibrarySearchOK->setEnabled(true);
    shFound->SetColor(entry.ColorRef(), QString());
    lbFound->setText(text);
}

// A user colour's code is its code in its own library; its name finds it too.
void TLibraryPanel::UserCodeChange() {
    const QString code = edCode->text().trimmed();
    const TUserColorHit hit =
        code.isEmpty() || Finder()
            ? TUserColorHit{}
            : FindUserColor(edLocation->text(), cbSubDirectory->isChecked(), [&](const TUserColor& c) {
                  const TColorData entry = UserColorEntry(c, {});
                  return QString::fromLocal8Bit(c.Name).compare(code, Qt::CaseInsensitive) == 0 ||
                         (Libs && Libs->CodeOf(entry).compare(code, Qt::CaseInsensitive) == 0);
              });
    if (hit.Found) {
        ShowFound(UserColorEntry(hit.Color, hit.File.toLocal8Bit()), QString::fromLocal8Bit(hit.Color.Name));
        return;
    }
    ShowNotFound(!code.isEmpty() && !Finder());
}

void TLibraryPanel::ShowNotFound(bool typed) {
    ButtonLibrarySearchOK->setEnabled(false);
    shFound->SetColor(MakeColorRef(255, 255, 255), QString());
    lbFound->setText(typed ? NotFound : QString());
}

void TLibraryPanel::CodeChange() {
    if (Choice() == ChoiceUser && !sbSearch->isChecked()) return UserCodeChange();
    const int choice = sbSearch->isChecked() ? ChoicePantone : Choice() - 1;
    int page = -1;
    const bool found = Libs && choice >= 0 && Libs->FindCode(choice, edCode->text(), Pending, page);
    if (!found) {
        // A masked edit holds its separators while nothing is typed yet.
        const bool typed = edCode->text().contains(QRegularExpression(QStringLiteral("[^-: ]")));
        return ShowNotFound(typed && choice >= 0);
    }
    ShowFound(Pending, Libs->CodeOf(Pending));
    if (OnFound && choice != ChoicePantone) OnFound(Choice(), page);
}

void TLibraryPanel::ShowNearest(const TColorData& entry) {
    Current = entry;
    if (Choice() == ChoiceUser) {
        // "Finder": the closest colour over every library under the location.
        const TUserColorHit hit = Finder() ? NearestUserColor(edLocation->text(), cbSubDirectory->isChecked(),
                                                              entry.Red(), entry.Green(), entry.Blue())
                                           : TUserColorHit{};
        lbNearest->setText(hit.Found ? QStringLiteral("%1 (%2)").arg(QString::fromLocal8Bit(hit.Color.Name),
                                                                     QFileInfo(hit.File).fileName())
                                     : QString());
        if (hit.Found) ShowFound(UserColorEntry(hit.Color, hit.File.toLocal8Bit()), lbNearest->text());
        return;
    }
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
