// The pen window's colour list: the list itself (a click on a member takes it out),
// colours taken from the design ("New" one pixel, "Block Colors" a rectangle,
// "All" the whole design; "Insert Color" puts them in front), "Before Color" (the
// list as it was before its last change), the spread between shFirst and shSecond
// in eGrade steps and the "Color" switch that keeps strokes to the listed colours.
#include "colour/Pcolorgrid_f.h"
#include "tools/Penmanager_f.h"
#include "tools/Penpick.h"
#include "tools/Pentool.h"
#include "tools/Toolcontrols_f.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kCellSide = 22; // the colour list's cells
} // namespace

QWidget* TPenManagerForm::MakeColourPanel() {
    auto* panel = new QWidget;
    Selector = new TColorSelector;
    Selector->SetXSquares(5);
    Selector->SetYSquares(2);
    Selector->SetTab(2);
    Selector->setFixedHeight(2 * kCellSide);
    sbNew = SpeedButton(Texts.Get(28), true);
    sbAll = SpeedButton(Texts.Get(29));
    sbBlock = SpeedButton(Texts.Get(30), true);
    sbDelete = SpeedButton(Texts.Get(31), true);
    sbBefore = SpeedButton(Texts.Get(32));
    lSpread = SpeedButton(QString());
    lColor = SpeedButton(QString());
    shFirst = new QToolButton;
    shSecond = new QToolButton;
    eGrade = new QSpinBox;
    lGrade = new QLabel;
    auto* buttons = new QGridLayout;
    buttons->addWidget(sbNew, 0, 0);
    buttons->addWidget(sbAll, 0, 1);
    buttons->addWidget(sbBlock, 0, 2);
    buttons->addWidget(sbDelete, 1, 0);
    buttons->addWidget(sbBefore, 1, 1);
    buttons->addWidget(lColor, 1, 2);
    auto* spread = new QHBoxLayout;
    spread->addWidget(lSpread);
    spread->addWidget(shFirst);
    spread->addWidget(shSecond);
    auto* grade = new QFormLayout;
    auto* gradeRow = new QHBoxLayout;
    gradeRow->addWidget(eGrade);
    gradeRow->addWidget(lGrade);
    grade->addRow(Texts.Get(12), gradeRow);
    auto* all = new QVBoxLayout(panel);
    all->setContentsMargins(0, 0, 0, 0);
    all->addWidget(Selector);
    all->addLayout(buttons);
    all->addLayout(spread);
    all->addLayout(grade);

    connect(sbNew, &QToolButton::clicked, this, [this](bool on) { PickClick(PickPixel, on); });
    connect(sbBlock, &QToolButton::clicked, this, [this](bool on) { PickClick(PickBlock, on); });
    connect(sbAll, &QToolButton::clicked, this, [this] {
        if (OnAllColours) TakeColours(OnAllColours());
    });
    connect(sbDelete, &QToolButton::clicked, this, [this](bool on) {
        SettingsV.InsertColours = on;
        Changed();
    });
    connect(sbBefore, &QToolButton::clicked, this, [this] {
        std::swap(SettingsV.Colours, Before);
        ShowColours();
        Changed();
    });
    connect(Selector, &TColorSelector::OnRemove, this, [this](int index) {
        Before = SettingsV.Colours;
        SettingsV.Colours.Remove(index);
        Changed();
    });
    connect(lSpread, &QToolButton::clicked, this, [this] { LabelClick(true); });
    connect(lColor, &QToolButton::clicked, this, [this] { LabelClick(false); });
    connect(shFirst, &QToolButton::clicked, this, [this] { SpreadColourClick(false); });
    connect(shSecond, &QToolButton::clicked, this, [this] { SpreadColourClick(true); });
    Bind(eGrade, [](TPenSettings& s) -> int& { return s.Grade; });
    return panel;
}

TColorRef TPenManagerForm::ColourOf(int index) const {
    return Pal ? (*Pal)[index].ColorRef() : 0;
}

void TPenManagerForm::SetPalette(const TPalette* palette, int bitsPerPixel) {
    Pal = palette;
    Bits = bitsPerPixel;
    Selector->SetPalette(palette);
    const bool showing = Showing;
    Showing = true;
    ShowAir();
    ShowColours();
    Showing = showing;
}

void TPenManagerForm::ShowColours() {
    Selector->SetColors(SettingsV.Colours);
    const QSignalBlocker block(sbDelete);
    sbDelete->setChecked(SettingsV.InsertColours);
    lSpread->setText(Texts.Get(SettingsV.Spread ? 34 : 33));
    lColor->setText(Texts.Get(SettingsV.Restricted ? 36 : 35));
    ShowSwatch(shFirst, ColourOf(SettingsV.First));
    ShowSwatch(shSecond, ColourOf(SettingsV.Second));
    // 256 colours step through the indices between the two; full colour mixes freely.
    const int most = Bits == 8 ? std::max(std::abs(SettingsV.Second - SettingsV.First) + 1, 2)
                               : TPalette::kLastDrawing - TPalette::kFirstDrawing + 1;
    const QSignalBlocker blockGrade(eGrade);
    eGrade->setRange(2, most);
    eGrade->setValue(SettingsV.Grade);
    lGrade->setText(Texts.Get(13).replace(QLatin1String("%d"), QString::number(most)));
}

void TPenManagerForm::PickClick(int mode, bool on) {
    // One pick at a time: the other button goes up.
    const QSignalBlocker a(sbNew), b(sbBlock);
    sbNew->setChecked(on && mode == PickPixel);
    sbBlock->setChecked(on && mode == PickBlock);
    if (OnPick) OnPick(on ? mode : PickNone);
}

void TPenManagerForm::ColoursPicked(const std::vector<int>& indices) {
    const QSignalBlocker a(sbNew), b(sbBlock);
    sbNew->setChecked(false);
    sbBlock->setChecked(false);
    TakeColours(indices);
}

void TPenManagerForm::TakeColours(const std::vector<int>& indices) {
    if (!Pal || indices.empty()) return;
    const TChoiceColor before = SettingsV.Colours;
    if (!JoinColours(SettingsV.Colours, indices, *Pal, SettingsV.InsertColours)) return;
    Before = before;
    ShowColours();
    Changed();
}

void TPenManagerForm::SpreadColourClick(bool second) {
    (second ? SettingsV.Second : SettingsV.First) = Current.Index;
    // A grade beyond the new range would repeat colours: it is cut to the range.
    ShowColours();
    SettingsV.Grade = eGrade->value();
    Changed();
}

void TPenManagerForm::LabelClick(bool spread) {
    bool& on = spread ? SettingsV.Spread : SettingsV.Restricted;
    on = !on;
    ShowColours();
    Changed();
}
