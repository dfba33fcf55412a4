#include "colour/Protect_f.h"

#include "colour/Colorset.h"
#include "colour/Pcolorgrid_f.h"
#include "platform/Inifile.h"
#include "shell/Common.h"

#include <QGridLayout>
#include <QPushButton>
#include <QToolButton>

namespace {
QString ProtectSection() {
    return QString::fromLatin1(kProtectSection);
}
} // namespace

TProtectPanel::TProtectPanel(QWidget* parent) : QWidget(parent) {
    csProtect = new TColorSelector;
    csProtect->SetXSquares(7);
    csProtect->SetYSquares(5);
    csProtect->SetTab(2);
    csProtect->setFixedSize(7 * 18 + 16, 5 * 18);
    SpeedButtonProtectOne = new QToolButton;
    SpeedButtonProtectDelete = new QToolButton;
    for (QToolButton* b : {SpeedButtonProtectOne, SpeedButtonProtectDelete}) {
        b->setCheckable(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    btNew = new QPushButton;
    btAll = new QPushButton;
    btBefore = new QPushButton;
    ButtonProtect = new QPushButton;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(csProtect, 0, 0, 4, 1);
    grid->addWidget(SpeedButtonProtectOne, 0, 1, 1, 2);
    grid->addWidget(SpeedButtonProtectDelete, 1, 1, 1, 2);
    grid->addWidget(btNew, 2, 1);
    grid->addWidget(btAll, 2, 2);
    grid->addWidget(btBefore, 3, 1);
    grid->addWidget(ButtonProtect, 3, 2);

    connect(SpeedButtonProtectOne, &QToolButton::toggled, this, [this] { DropAnchor(); });
    connect(btNew, &QPushButton::clicked, this, [this] { csProtect->Clear(); });
    connect(btAll, &QPushButton::clicked, this, [this] {
        const TOrvaneBitmap* picture = Picture ? Picture() : nullptr;
        if (picture) Take(IndicesIn(*picture), false); // "All" always adds
    });
    connect(btBefore, &QPushButton::clicked, this, [this] {
        const TIniFile main(SettingsFile(QStringLiteral("Main.ini")));
        csProtect->LoadFromIni(main, ProtectSection());
    });
    connect(ButtonProtect, &QPushButton::clicked, this, [this] { ButtonProtectClick(); });
}

void TProtectPanel::ApplyTexts(const TStringTable& texts) {
    SpeedButtonProtectOne->setText(texts.Get(28));
    SpeedButtonProtectDelete->setText(texts.Get(29));
    btNew->setText(texts.Get(26));
    btAll->setText(texts.Get(27));
    btBefore->setText(texts.Get(30));
    ButtonProtect->setText(texts.Get(24));
}

void TProtectPanel::Enter(const TPalette* palette) {
    Pal = palette;
    TChoiceColor set;
    if (Pal)
        for (int i = 1; i <= TPalette::kLastDrawing; ++i)
            if ((*Pal)[i].Protected()) set.Add(i, *Pal);
    csProtect->SetPalette(Pal);
    csProtect->SetColors(set);
    HasAnchor = false;
}

void TProtectPanel::Leave() {
    DropAnchor();
    TIniFile main(SettingsFile(QStringLiteral("Main.ini")));
    csProtect->SaveToIni(main, ProtectSection());
    main.UpdateFile();
    Pal = nullptr;
    csProtect->SetPalette(nullptr);
}

void TProtectPanel::Take(const std::vector<int>& indices) {
    Take(indices, SpeedButtonProtectDelete->isChecked());
}

void TProtectPanel::Take(const std::vector<int>& indices, bool remove) {
    if (!Pal) return;
    TChoiceColor set = csProtect->Colors();
    if (TakeIndices(set, indices, *Pal, remove)) csProtect->SetColors(set);
}

void TProtectPanel::PaletteChoice(int index) {
    Take({index});
}

void TProtectPanel::ImageDown(const TOrvaneBitmap& picture, int x, int y) {
    if (SpeedButtonProtectOne->isChecked()) {
        Take({IndexAt(picture, x, y)});
        return;
    }
    if (!HasAnchor) {
        HasAnchor = true;
        Anchor = QPoint(x, y);
        if (OnRubberBand) OnRubberBand(QRect(Anchor, Anchor));
        return;
    }
    const QRect area = SpanRect(Anchor, QPoint(x, y));
    DropAnchor();
    Take(IndicesIn(picture, area));
}

void TProtectPanel::ImageMove(int x, int y) {
    if (HasAnchor && OnRubberBand) OnRubberBand(SpanRect(Anchor, QPoint(x, y)));
}

void TProtectPanel::DropAnchor() {
    if (HasAnchor && OnRubberBand) OnRubberBand(QRect());
    HasAnchor = false;
}

void TProtectPanel::ButtonProtectClick() {
    if (Pal && OnProtect) OnProtect(csProtect->Colors());
}
