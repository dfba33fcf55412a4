// The pen window: kinds, size, shape and pressure, and the panels of the Crayon,
// Water Pen, Scrape Pen and Mask. The Air Brush panel and the colour list are in
// Penmanager_air_f.cpp and Penmanager_colours_f.cpp.
#include "tools/Penmanager_f.h"

#include "colour/Pcolorgrid_f.h"
#include "shell/Common.h"
#include "tools/Penmask.h"
#include "tools/Penobject.h"
#include "tools/Toolcontrols_f.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QScrollBar* Amount() {
    auto* bar = new QScrollBar(Qt::Horizontal);
    bar->setRange(0, 100);
    bar->setPageStep(10);
    return bar;
}
} // namespace

TPenManagerForm::TPenManagerForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("PenManager"));
    setWindowTitle(Texts.Get(0));
    auto* kinds = new QGridLayout;
    auto* kindSet = new QButtonGroup(this);
    for (int k = 0; k < 6; ++k) {
        PenButton[k] = GroupToggle(Texts.Get(1 + k), kindSet);
        kinds->addWidget(PenButton[k], k / 3, k % 3);
        connect(PenButton[k], &QToolButton::clicked, this, [this, k] { PenSelectClick(k); });
    }
    sePenSize = SpinEdit(TPenObject::kMinSize, TPenObject::kMaxSize);
    rbCircle = new QRadioButton(Texts.Get(37));
    rbSquare = new QRadioButton(Texts.Get(38));
    auto* shapeSet = new QButtonGroup(this);
    shapeSet->addButton(rbCircle);
    shapeSet->addButton(rbSquare);
    cbPressure = new QCheckBox(Texts.Get(8));
    auto* shape = new QHBoxLayout;
    shape->addWidget(rbCircle);
    shape->addWidget(rbSquare);
    auto* form = new QFormLayout;
    form->addRow(Texts.Get(7), sePenSize);
    form->addRow(shape);
    form->addRow(cbPressure);
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addLayout(kinds);
    all->addLayout(form);
    all->addWidget(MakeKindPanels());
    all->addWidget(MakeColourPanel());
    Bind(sePenSize, [](TPenSettings& s) -> int& { return s.Size; });
    connect(rbSquare, &QRadioButton::toggled, this, [this](bool square) {
        if (Showing) return;
        SettingsV.Shape = square ? PenSquare : PenCircular;
        Changed();
    });
    connect(cbPressure, &QCheckBox::toggled, this, [this](bool on) {
        if (Showing) return;
        SettingsV.Pressure = on;
        Changed();
    });
    SetSettings(SettingsV);
}

QWidget* TPenManagerForm::MakeKindPanels() {
    auto* holder = new QWidget;
    auto* stack = new QVBoxLayout(holder);
    stack->setContentsMargins(0, 0, 0, 0);
    // Crayon.
    Panels[PenCrayon] = new QGroupBox(Texts.Get(3));
    seDensity = SpinEdit(1, 5);
    (new QFormLayout(Panels[PenCrayon]))->addRow(Texts.Get(9), seDensity);
    Bind(seDensity, [](TPenSettings& s) -> int& { return s.Density; });
    Panels[PenAirBrush] = MakeAirPanel();
    // Water Pen: the function, its two amounts and the density.
    Panels[PenWater] = new QGroupBox(Texts.Get(4));
    auto* water = new QFormLayout(Panels[PenWater]);
    auto* functions = new QHBoxLayout;
    auto* functionSet = new QButtonGroup(this);
    for (int f = 0; f < 4; ++f) {
        WaterFunction[f] = GroupToggle(Texts.Get(18 + f), functionSet);
        functions->addWidget(WaterFunction[f]);
        connect(WaterFunction[f], &QToolButton::clicked, this, [this, f] { WaterFunctionClick(f); });
    }
    ScrollBarColor = Amount();
    ScrollBarEffect = Amount();
    spEditDensity = SpinEdit(1, 5);
    water->addRow(functions);
    water->addRow(Texts.Get(22), ScrollBarColor);
    water->addRow(Texts.Get(23), ScrollBarEffect);
    water->addRow(Texts.Get(9), spEditDensity);
    for (QScrollBar* bar : {ScrollBarColor, ScrollBarEffect})
        connect(bar, &QScrollBar::valueChanged, this, [this, bar](int position) {
            if (Showing) return;
            TWaterAmounts& amounts = SettingsV.Water[size_t(std::clamp(SettingsV.WaterFunction, 0, 3))];
            (bar == ScrollBarColor ? amounts.Colour : amounts.Effect) = position;
            Changed();
        });
    Bind(spEditDensity, [](TPenSettings& s) -> int& { return s.WaterDensity; });
    // Scrape Pen.
    Panels[PenScrape] = new QGroupBox(Texts.Get(5));
    seBristles = SpinEdit(1, 8);
    eScale = SpinEdit(1, 1000);
    auto* scrape = new QFormLayout(Panels[PenScrape]);
    scrape->addRow(Texts.Get(10), seBristles);
    scrape->addRow(Texts.Get(11), eScale);
    Bind(seBristles, [](TPenSettings& s) -> int& { return s.Bristles; });
    Bind(eScale, [](TPenSettings& s) -> int& { return s.Scale; });
    // Mask: two switches for strokes and clicks, two commands on the whole mask.
    Panels[PenMask] = new QGroupBox(Texts.Get(6));
    sbClear = new QToolButton;
    sbClear->setText(Texts.Get(24));
    chDelete = new QCheckBox(Texts.Get(25));
    chFill = new QCheckBox(Texts.Get(26));
    chReversal = new QPushButton(Texts.Get(27));
    auto* mask = new QGridLayout(Panels[PenMask]);
    mask->addWidget(sbClear, 0, 0);
    mask->addWidget(chReversal, 0, 1);
    mask->addWidget(chDelete, 1, 0);
    mask->addWidget(chFill, 1, 1);
    connect(sbClear, &QToolButton::clicked, this, [this] {
        if (OnMaskAction) OnMaskAction(MaskClear);
    });
    connect(chReversal, &QPushButton::clicked, this, [this] {
        if (OnMaskAction) OnMaskAction(MaskReverse);
    });
    for (QCheckBox* box : {chDelete, chFill})
        connect(box, &QCheckBox::toggled, this, [this, box](bool on) {
            if (Showing) return;
            (box == chDelete ? SettingsV.MaskDelete : SettingsV.MaskFill) = on;
            Changed();
        });
    for (QGroupBox* panel : Panels)
        if (panel) stack->addWidget(panel);
    return holder;
}

void TPenManagerForm::Bind(QSpinBox* box, const std::function<int&(TPenSettings&)>& field) {
    connect(box, &QSpinBox::valueChanged, this, [this, field](int value) {
        if (Showing) return;
        field(SettingsV) = value;
        Changed();
    });
}

void TPenManagerForm::Changed() {
    if (OnChange) OnChange(SettingsV);
}

void TPenManagerForm::SetSettings(const TPenSettings& settings) {
    SettingsV = settings;
    Before = settings.Colours;
    Showing = true;
    PenButton[std::clamp(SettingsV.Kind, 0, 5)]->setChecked(true);
    sePenSize->setValue(SettingsV.Size);
    (SettingsV.Shape ? rbSquare : rbCircle)->setChecked(true);
    cbPressure->setChecked(SettingsV.Pressure);
    seDensity->setValue(SettingsV.Density);
    const int function = std::clamp(SettingsV.WaterFunction, 0, 3);
    WaterFunction[function]->setChecked(true);
    ScrollBarColor->setValue(SettingsV.Water[size_t(function)].Colour);
    ScrollBarEffect->setValue(SettingsV.Water[size_t(function)].Effect);
    spEditDensity->setValue(SettingsV.WaterDensity);
    seBristles->setValue(SettingsV.Bristles);
    eScale->setValue(SettingsV.Scale);
    chDelete->setChecked(SettingsV.MaskDelete);
    chFill->setChecked(SettingsV.MaskFill);
    ShowAir();
    ShowColours();
    Showing = false;
    ShowKindControls();
}

void TPenManagerForm::ShowKindControls() {
    for (int k = 0; k < 6; ++k)
        if (Panels[k]) {
            Panels[k]->setVisible(SettingsV.Kind == k);
            Panels[k]->setEnabled(SettingsV.Kind == k);
        }
}

void TPenManagerForm::PenSelectClick(int kind) {
    SettingsV.Kind = kind;
    ShowKindControls();
    Changed();
}

void TPenManagerForm::WaterFunctionClick(int function) {
    SettingsV.WaterFunction = function;
    // The scroll bars show the amounts of the function chosen.
    Showing = true;
    ScrollBarColor->setValue(SettingsV.Water[size_t(function)].Colour);
    ScrollBarEffect->setValue(SettingsV.Water[size_t(function)].Effect);
    Showing = false;
    Changed();
}
