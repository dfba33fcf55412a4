#include "tools/Penmanager_f.h"

#include "shell/Common.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// The kinds whose painting exists; the others keep their buttons disabled.
bool KindPaints(int kind) {
    return kind == PenNormal || kind == PenAirBrush || kind == PenCrayon;
}

// One of a set of toggles; the set's own button group makes it exclusive, since
// the window holds several sets.
QToolButton* Toggle(const QString& text, QButtonGroup* set) {
    auto* b = new QToolButton;
    b->setText(text);
    b->setCheckable(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    set->addButton(b);
    return b;
}
} // namespace

TPenManagerForm::TPenManagerForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("PenManager"));
    setWindowTitle(Texts.Get(0));
    auto* kinds = new QGridLayout;
    auto* kindSet = new QButtonGroup(this);
    for (int k = 0; k < 6; ++k) {
        PenButton[k] = Toggle(Texts.Get(1 + k), kindSet);
        PenButton[k]->setEnabled(KindPaints(k));
        kinds->addWidget(PenButton[k], k / 3, k % 3);
        connect(PenButton[k], &QToolButton::clicked, this, [this, k] { PenSelectClick(k); });
    }
    sePenSize = new QSpinBox;
    sePenSize->setRange(1, 28);
    rbCircle = new QRadioButton(Texts.Get(37));
    rbSquare = new QRadioButton(Texts.Get(38));
    auto* shapeSet = new QButtonGroup(this);
    shapeSet->addButton(rbCircle);
    shapeSet->addButton(rbSquare);
    cbPressure = new QCheckBox(Texts.Get(8));
    seDensity = new QSpinBox;
    seDensity->setRange(1, 5);
    seNozzle = new QSpinBox;
    seNozzle->setRange(1, 5);
    auto* shape = new QHBoxLayout;
    shape->addWidget(rbCircle);
    shape->addWidget(rbSquare);
    auto* air = new QHBoxLayout;
    auto* airSet = new QButtonGroup(this);
    for (int m = 0; m < 3; ++m) {
        AirFunction[m] = Toggle(Texts.Get(14 + m), airSet);
        air->addWidget(AirFunction[m]);
        connect(AirFunction[m], &QToolButton::clicked, this, [this, m] { AirFunctionClick(m); });
    }
    auto* form = new QFormLayout;
    form->addRow(Texts.Get(7), sePenSize);
    form->addRow(shape);
    form->addRow(cbPressure);
    form->addRow(Texts.Get(9), seDensity);
    form->addRow(air);
    form->addRow(Texts.Get(17), seNozzle);
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addLayout(kinds);
    all->addLayout(form);
    for (QSpinBox* se : {sePenSize, seDensity, seNozzle})
        connect(se, &QSpinBox::valueChanged, this, &TPenManagerForm::ReadControls);
    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(rbCircle), static_cast<QAbstractButton*>(rbSquare),
          static_cast<QAbstractButton*>(cbPressure)})
        connect(b, &QAbstractButton::toggled, this, &TPenManagerForm::ReadControls);
    SetSettings(SettingsV);
}

void TPenManagerForm::SetSettings(const TPenSettings& settings) {
    SettingsV = settings;
    Showing = true;
    PenButton[std::clamp(SettingsV.Kind, 0, 5)]->setChecked(true);
    sePenSize->setValue(SettingsV.Size);
    (SettingsV.Shape ? rbSquare : rbCircle)->setChecked(true);
    cbPressure->setChecked(SettingsV.Pressure);
    seDensity->setValue(SettingsV.Density);
    AirFunction[std::clamp(SettingsV.AirMode, 0, 2)]->setChecked(true);
    seNozzle->setValue(SettingsV.Air[size_t(std::clamp(SettingsV.AirMode, 0, 2))].Nozzle);
    Showing = false;
    ShowKindControls();
}

void TPenManagerForm::ShowKindControls() {
    seDensity->setEnabled(SettingsV.Kind == PenCrayon);
    for (QToolButton* b : AirFunction)
        b->setEnabled(SettingsV.Kind == PenAirBrush);
    seNozzle->setEnabled(SettingsV.Kind == PenAirBrush);
}

void TPenManagerForm::PenSelectClick(int kind) {
    SettingsV.Kind = kind;
    ShowKindControls();
    if (OnChange) OnChange(SettingsV);
}

void TPenManagerForm::AirFunctionClick(int mode) {
    SettingsV.AirMode = mode;
    const QSignalBlocker block(seNozzle);
    seNozzle->setValue(SettingsV.Air[size_t(mode)].Nozzle);
    if (OnChange) OnChange(SettingsV);
}

void TPenManagerForm::ReadControls() {
    if (Showing) return;
    SettingsV.Size = sePenSize->value();
    SettingsV.Shape = rbSquare->isChecked() ? 1 : 0;
    SettingsV.Pressure = cbPressure->isChecked();
    SettingsV.Density = seDensity->value();
    SettingsV.Air[size_t(std::clamp(SettingsV.AirMode, 0, 2))].Nozzle = seNozzle->value();
    if (OnChange) OnChange(SettingsV);
}
